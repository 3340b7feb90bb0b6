#include "main/PartFile.h"

#include "platform/files/Files.h"

#include <QCoreApplication>

#include <algorithm>

namespace partfile {

namespace {

const QString Name = QStringLiteral(".kelpa-part");

// Names tried after the first one while each is taken.
constexpr int MaxCount = 100;

// The part folder of this run: the download directory it lies in, and its path.
struct Folder {
    QString directory;
    QString path; // ending in "\"
};

Folder& Current()
{
    static Folder folder;
    return folder;
}

qsizetype NameStart(const QString& path)
{
    QString trimmed = path;
    while (trimmed.endsWith(QLatin1Char('\\')) || trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return std::max(trimmed.lastIndexOf(QLatin1Char('\\')), trimmed.lastIndexOf(QLatin1Char('/'))) +
           1;
}

QString PartName(int count)
{
    return count == 0 ? Name : Name + QLatin1Char('-') + QString::number(count);
}

void Note(const QString& path)
{
    const int number = platform::FreeFile();
    if (number != 0 && platform::Open(Record, platform::OpenMode::Append, number) == 0) {
        platform::PrintLine(number, path);
        platform::Close(number);
    }
}

// The part folder of directory: the run's, or else one made and recorded
// now (also when the run's went meanwhile); empty when it cannot be made.
QString FolderIn(const QString& directory, bool anew)
{
    Folder& folder = Current();
    if (folder.directory == directory && !anew)
        return folder.path;
    QString path = directory;
    if (!path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('\\');
    path += Name + QLatin1Char('-') + QString::number(QCoreApplication::applicationPid());
    // The record names the folder before anything is received into it.
    if (folder.directory != directory)
        Note(path);
    folder = Folder{directory, path + QLatin1Char('\\')};
    if (platform::MkDir(path) != 0 && !platform::DirExists(path)) {
        folder = Folder();
        return {};
    }
    return folder.path;
}

// Deletes the part file or folder path (a folder with the part files in it).
void Remove(const QString& path)
{
    if (!IsPartFile(path))
        return;
    if (!platform::DirExists(path)) {
        platform::Kill(path);
        return;
    }
    QString folder = path;
    if (!folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('\\');
    for (int count = 0; count <= MaxCount && platform::RmDir(folder) != 0; ++count)
        platform::Kill(folder + PartName(count));
}

} // namespace

const QString Record = QStringLiteral("KELPA.PRT");

bool IsPartFile(const QString& path)
{
    QString trimmed = path;
    while (trimmed.endsWith(QLatin1Char('\\')) || trimmed.endsWith(QLatin1Char('/')))
        trimmed.chop(1);
    return IsPartName(QStringView(trimmed).mid(NameStart(trimmed)));
}

bool IsPartName(QStringView fileName)
{
    if (!fileName.startsWith(Name, Qt::CaseInsensitive))
        return false;
    const auto isDigit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    for (QStringView rest = fileName.mid(Name.size()); !rest.isEmpty();) {
        qsizetype end = 1;
        while (end < rest.size() && isDigit(rest[end]))
            ++end;
        if (rest.front() != QLatin1Char('-') || end == 1)
            return false;
        rest = rest.mid(end);
    }
    return true;
}

int Make(const QString& directory, const QString& target, int fileNumber, platform::Apart& apart)
{
    int error = platform::ErrPathNotFound;
    for (bool anew : {false, true}) {
        const QString folder = FolderIn(directory, anew);
        if (folder.isEmpty())
            return platform::ErrPathNotFound;
        error = platform::ErrFileExists;
        for (int count = 0; count <= MaxCount && error == platform::ErrFileExists; ++count)
            error = platform::OpenApart(folder, PartName(count), target, fileNumber, apart);
        if (error != platform::ErrPathNotFound)
            break;
    }
    return error;
}

void RemoveLeftOver()
{
    Current() = Folder();
    if (!platform::FileExists(Record))
        return;
    const int number = platform::FreeFile();
    QStringList paths;
    if (number != 0 && platform::Open(Record, platform::OpenMode::Input, number) == 0) {
        QString path;
        while (!platform::Eof(number) && platform::LineInput(number, path) == 0)
            paths.append(path);
        platform::Close(number);
    }
    for (const QString& path : paths)
        Remove(path);
    platform::Kill(Record);
}

} // namespace partfile
