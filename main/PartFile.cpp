#include "main/PartFile.h"

#include "platform/files/Files.h"

#include <QCoreApplication>

#include <algorithm>

namespace partfile {

namespace {

const QString Name = QStringLiteral(".kelpa-part");

// Names tried after the first one while each is taken.
constexpr int MaxCount = 100;

qsizetype NameStart(const QString& path)
{
    return std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/'))) + 1;
}

void Note(const QString& path)
{
    const int number = platform::FreeFile();
    if (number != 0 && platform::Open(Record, platform::OpenMode::Output, number) == 0) {
        platform::PrintLine(number, path);
        platform::Close(number);
    }
}

} // namespace

const QString Record = QStringLiteral("KELPA.PRT");

bool IsPartFile(const QString& path)
{
    return IsPartName(QStringView(path).mid(NameStart(path)));
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

int Make(const QString& target, int fileNumber, QString& path)
{
    const QString first = target.left(NameStart(target)) + Name + QLatin1Char('-') +
                          QString::number(QCoreApplication::applicationPid());
    int error = platform::ErrFileExists;
    for (int count = 0; count <= MaxCount && error == platform::ErrFileExists; ++count) {
        path = count == 0 ? first : first + QLatin1Char('-') + QString::number(count);
        error = platform::OpenFresh(path, fileNumber);
    }
    if (error != 0) {
        path.clear();
        return error;
    }
    Note(path);
    return 0;
}

void Forget()
{
    platform::Kill(Record);
}

void RemoveLeftOver()
{
    if (!platform::FileExists(Record))
        return;
    const int number = platform::FreeFile();
    QString path;
    if (number != 0 && platform::Open(Record, platform::OpenMode::Input, number) == 0) {
        platform::LineInput(number, path);
        platform::Close(number);
    }
    if (IsPartFile(path))
        platform::Kill(path);
    Forget();
}

} // namespace partfile
