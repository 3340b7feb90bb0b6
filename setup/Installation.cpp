#include "setup/Installation.h"

#include "setup/ProgramGroupLink.h"
#include "setup/TargetPath.h"

#include "platform/shell/System.h"

#include <QFile>
#include <QFileInfo>

#include <sys/statvfs.h>
#include <unistd.h>

namespace setup {

using platform::CopyMode;

namespace {

const QString SystemControlShipped = QStringLiteral("COMCT232.OC_");
const QString SystemControl = QStringLiteral("COMCT232.OCX");
const QString SettingsFile = QStringLiteral("KELPA.INI");
const QString Icon = QStringLiteral("KELPA.PNG");

QString SystemControlPath()
{
    return platform::GetSystemDirectoryA() + QLatin1Char('\\') + SystemControl;
}

QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

// The error of a folder level that MkDir could not make: 58 when a file
// stands in its place.
int LevelError(const QString& level, int error)
{
    return platform::FileExists(level) ? platform::ErrFileExists : VolumeError(level, error);
}

} // namespace

QList<ShippedFile> ProgramFiles(const InstallNames& names)
{
    return {
        {QStringLiteral("SETUP1.EXE"), QStringLiteral("KELPA.EXE"), CopyMode::Program},
        {QStringLiteral("KELPA.AV_"), QStringLiteral("KELPA.AVI"), CopyMode::Document},
        {names.Readme, names.Readme, CopyMode::Document},
        {names.HelpShipped, names.HelpInstalled, CopyMode::Document},
        {names.LicenseShipped, names.LicenseInstalled, CopyMode::Document},
        {QStringLiteral("TOLVEX.EX_"), QStringLiteral("TOLVEX.EXE"), CopyMode::Program},
        {Icon, Icon, CopyMode::Document},
    };
}

QStringList GroupItems(const InstallNames& names)
{
    return {QStringLiteral("Kelpa"), names.ReadmeItem, names.LicenseItem,
            QStringLiteral("Tolvexall")};
}

QStringList GroupCommands(const QString& directory, const InstallNames& names)
{
    const QStringList targets = {QStringLiteral("KELPA.EXE"), names.Readme, names.LicenseInstalled,
                                 QStringLiteral("TOLVEX.EXE")};
    const QStringList items = GroupItems(names);
    QStringList commands = {QStringLiteral("[CreateGroup(") + GroupName + QStringLiteral(")]")};
    for (qsizetype i = 0; i < items.size(); ++i) {
        commands.append(QStringLiteral("[ReplaceItem(") + items.at(i) + QStringLiteral(")]"));
        commands.append(QStringLiteral("[AddItem(") + Quoted(directory + targets.at(i)) +
                        QLatin1Char(',') + items.at(i) + QLatin1Char(',') +
                        Quoted(directory + Icon) + QStringLiteral(",,)]"));
    }
    commands.append(QStringLiteral("[ShowGroup(") + GroupName + QStringLiteral(", 1)]"));
    return commands;
}

QMap<QString, platform::ProgramItemDetails> GroupItemDetails(const QString& directory,
                                                             const InstallNames& names)
{
    const QStringList categories = {QStringLiteral("Network"), QStringLiteral("FileTransfer")};
    QMap<QString, platform::ProgramItemDetails> details;
    for (const QString& item : GroupItems(names))
        details.insert(item, {categories, QString()});
    details[QStringLiteral("Tolvexall")].comment = names.RemovalComment + directory;
    return details;
}

int MakeDirectoryLevels(const QString& directory)
{
    int error = 0;
    for (const QString& level : DirectoryLevels(directory)) {
        const int made = platform::MkDir(level);
        if (made != 0 && error == 0 && !platform::DirExists(level))
            error = LevelError(level, made);
    }
    return error;
}

int CopySystemControl()
{
    if (!platform::FileExists(SystemControlShipped) || platform::FileExists(SystemControlPath()))
        return 0;
    if (const int error = MakeDirectoryLevels(platform::GetSystemDirectoryA() + QLatin1Char('\\')))
        return error;
    return platform::FileCopy(SystemControlShipped, SystemControlPath());
}

QMap<QString, int> CopyProgramFiles(const QString& directory, const InstallNames& names)
{
    QMap<QString, int> errors;
    for (const ShippedFile& file : ProgramFiles(names)) {
        if (const int error = platform::FileCopy(file.Source, directory + file.Target, file.Mode))
            errors.insert(file.Target, error);
    }
    return errors;
}

void CreateProgramGroup(const QString& directory, const InstallNames& names)
{
    ProgramGroupLink link;
    OpenGroupLink(link);
    const QMap<QString, platform::ProgramItemDetails> details = GroupItemDetails(directory, names);
    for (auto it = details.cbegin(); it != details.cend(); ++it)
        link.SetItemDetails(it.key(), it.value());
    for (const QString& command : GroupCommands(directory, names))
        link.LinkExecute(command);
    CloseGroupLink(link);
}

int AppendLanguageLine(const QString& directory, const QString& language)
{
    const QString path = directory + SettingsFile;
    int number = platform::FreeFile();
    bool lineOpen = false;
    if (platform::FileLen(path) > 0 &&
        platform::Open(path, platform::OpenMode::Binary, number) == 0) {
        QByteArray last;
        lineOpen = platform::Seek(number, platform::Lof(number) - 1) == 0 &&
                   platform::GetBytes(number, 1, last) == 0 && last != "\n" && last != "\r";
        platform::Close(number);
    }
    number = platform::FreeFile();
    if (const int error = platform::Open(path, platform::OpenMode::Append, number))
        return error;
    const int ended = lineOpen ? platform::PrintLine(number, QString()) : 0;
    const int written = platform::PrintLine(number, QStringLiteral("Language=") + language);
    const int closed = platform::Close(number);
    return ended ? ended : written ? written : closed;
}

int VolumeError(const QString& path, int error)
{
    if (error != platform::ErrPathFileAccess)
        return error;
    const QFileInfo info(platform::ToLinuxPath(path));
    struct statvfs volume;
    if (::statvfs(QFile::encodeName(info.absolutePath()).constData(), &volume) != 0)
        return error;
    if (volume.f_flag & ST_RDONLY)
        return platform::ErrPermissionDenied;
    if (QFile::encodeName(info.fileName()).size() > qsizetype(volume.f_namemax))
        return BadName;
    return error;
}

int GroupItemError(const QString& item)
{
    const QString folder = platform::ProgramGroupFolder(GroupName);
    if (folder.isEmpty())
        return BadName;
    // The deepest level of the entry's path that exists, and the names below
    // it that the entry needs; nothing is made here.
    QString level = folder + QLatin1Char('/') + item + QStringLiteral(".desktop");
    QStringList missing;
    while (!QFileInfo::exists(level) && level.lastIndexOf(QLatin1Char('/')) > 0) {
        missing.prepend(level.mid(level.lastIndexOf(QLatin1Char('/')) + 1));
        level.truncate(level.lastIndexOf(QLatin1Char('/')));
    }
    if (missing.isEmpty())
        return platform::ErrPathFileAccess; // the entry is there, but no file
    if (!QFileInfo(level).isDir())
        return platform::ErrFileExists;
    const QByteArray encoded = QFile::encodeName(level);
    struct statvfs volume;
    if (::statvfs(encoded.constData(), &volume) != 0)
        return platform::ErrPathFileAccess;
    for (const QString& name : missing)
        if (QFile::encodeName(name).size() > qsizetype(volume.f_namemax))
            return BadName;
    if ((volume.f_flag & ST_RDONLY) || ::access(encoded.constData(), W_OK | X_OK) != 0)
        return platform::ErrPermissionDenied;
    if (volume.f_bavail == 0)
        return platform::ErrDiskFull;
    return platform::ErrPathFileAccess;
}

int CauseText(int error)
{
    switch (error) {
    case platform::ErrFileExists:
    case platform::ErrPathNotFound:
        return 445;
    case platform::ErrPermissionDenied:
        return 446;
    case platform::ErrDiskFull:
        return 447;
    case BadName:
        return 448;
    case platform::ErrDeviceUnavailable:
    case platform::ErrDiskNotReady:
        return 55;
    case platform::ErrFileNotFound:
        return 150;
    default:
        return 449;
    }
}

Attempt::Attempt(const QString& directory, const InstallNames& names, const QString& language)
    : directory_(directory), names_(names), language_(language)
{
}

void Attempt::InstallFiles()
{
    if (const int error = MakeDirectoryLevels(directory_))
        errors_.insert(directory_, error);
    if (const int error = CopySystemControl())
        errors_.insert(SystemControl, error);
    errors_.insert(CopyProgramFiles(directory_, names_));
}

void Attempt::InstallGroup()
{
    if (!MissingProgramFiles(directory_, names_).isEmpty())
        return;
    groupBefore_ = platform::SaveProgramGroup(GroupName);
    groupMade_ = true;
    CreateProgramGroup(directory_, names_);
}

void Attempt::InstallSettings()
{
    if (const int error = AppendLanguageLine(directory_, language_))
        errors_.insert(SettingsFile, error);
}

QList<Failure> Attempt::Failures() const
{
    const QString groupItem = GroupName + QLatin1Char('\\');
    QList<Failure> failures;
    for (const QString& item : Check(directory_, names_, language_)) {
        const bool inGroup = item.startsWith(groupItem);
        if (!groupMade_ && inGroup)
            continue;
        const int error = inGroup ? GroupItemError(item.mid(groupItem.size()))
                                  : errors_.value(item, platform::ErrPathFileAccess);
        failures.append({item, error});
    }
    return failures;
}

void Attempt::UndoGroup()
{
    if (!groupMade_)
        return;
    platform::RestoreProgramGroup(GroupName, groupBefore_);
    groupMade_ = false;
}

} // namespace setup
