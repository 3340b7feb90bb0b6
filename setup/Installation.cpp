#include "setup/Installation.h"

#include "setup/ProgramGroupLink.h"
#include "setup/TargetPath.h"

#include "platform/shell/System.h"

namespace setup {

using platform::CopyMode;

namespace {

const QString SystemControlShipped = QStringLiteral("COMCT232.OC_");
const QString SystemControl = QStringLiteral("COMCT232.OCX");
const QString SettingsFile = QStringLiteral("KELPA.INI");

QString SystemControlPath()
{
    return platform::GetSystemDirectoryA() + QLatin1Char('\\') + SystemControl;
}

QString Quoted(const QString& path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
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
                        QLatin1Char(',') + items.at(i) + QStringLiteral(",,,)]"));
    }
    commands.append(QStringLiteral("[ShowGroup(") + GroupName + QStringLiteral(", 1)]"));
    return commands;
}

void MakeDirectoryLevels(const QString& directory)
{
    for (const QString& level : DirectoryLevels(directory))
        platform::MkDir(level);
}

void CopySystemControl()
{
    if (!platform::FileExists(SystemControlShipped) || platform::FileExists(SystemControlPath()))
        return;
    MakeDirectoryLevels(platform::GetSystemDirectoryA() + QLatin1Char('\\'));
    platform::FileCopy(SystemControlShipped, SystemControlPath());
}

void CopyProgramFiles(const QString& directory, const InstallNames& names)
{
    for (const ShippedFile& file : ProgramFiles(names))
        platform::FileCopy(file.Source, directory + file.Target, file.Mode);
}

void CreateProgramGroup(const QString& directory, const InstallNames& names)
{
    ProgramGroupLink link;
    OpenGroupLink(link);
    for (const QString& command : GroupCommands(directory, names))
        link.LinkExecute(command);
    CloseGroupLink(link);
}

void AppendLanguageLine(const QString& directory, const QString& language)
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
    if (platform::Open(path, platform::OpenMode::Append, number) != 0)
        return;
    if (lineOpen)
        platform::PrintLine(number, QString());
    platform::PrintLine(number, QStringLiteral("Language=") + language);
    platform::Close(number);
}

} // namespace setup
