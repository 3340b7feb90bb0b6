#include "main/UnfinishedFolder.h"

#include "main/DownloadFolder.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QDir>

#include <optional>

namespace unfinishedfolder {

namespace {

// The setting Enter put aside, and the folder it gave the directory then.
std::optional<QString> setAside;
QString entered;

// The folder of the file system that a download directory setting names.
QString FolderOf(const QString& directory)
{
    return QDir::cleanPath(
        platform::ToLinuxPath(downloadfolder::Absolute(directory, platform::CurDir())));
}

bool SameFolder(const QString& a, const QString& b)
{
    return FolderOf(a) == FolderOf(b);
}

} // namespace

const QString Record = QStringLiteral("KELPA.DIR");

void Note(const QString& folder)
{
    const int number = platform::FreeFile();
    int error = platform::Open(Record, platform::OpenMode::Replace, number);
    if (error == 0) {
        error = platform::PrintLine(number, folder);
        if (const int closed = platform::Close(number); error == 0)
            error = closed;
    }
    if (error != 0)
        platform::Kill(Record);
}

QString Noted()
{
    QString folder;
    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(Record, platform::OpenMode::Input, number) != 0)
        return folder;
    platform::LineInput(number, folder);
    platform::Close(number);
    return platform::Trim(folder);
}

void Enter(QString& directory)
{
    const QString noted = Noted();
    if (noted.isEmpty() || SameFolder(directory, noted))
        return;
    setAside = directory;
    entered = noted;
    directory = noted;
}

bool Leave(QString& directory)
{
    if (!setAside)
        return false;
    const bool restore = SameFolder(directory, entered);
    if (restore)
        directory = *setAside;
    setAside.reset();
    entered.clear();
    return restore;
}

QString Setting(const QString& directory)
{
    return setAside && SameFolder(directory, entered) ? *setAside : directory;
}

} // namespace unfinishedfolder
