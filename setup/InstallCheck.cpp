// The check after an installation: what should have landed and did not.

#include "setup/Installation.h"

#include "platform/shell/ProgramGroup.h"
#include "platform/shell/System.h"

#include <QFile>
#include <QFileInfo>

namespace setup {

namespace {

// True when target holds exactly the bytes of source.
bool WholeCopy(const QString& source, const QString& target)
{
    QFile from(platform::ToLinuxPath(source));
    QFile to(platform::ToLinuxPath(target));
    if (!from.open(QIODevice::ReadOnly) || !to.open(QIODevice::ReadOnly) ||
        from.size() != to.size())
        return false;
    while (!from.atEnd()) {
        if (from.read(64 * 1024) != to.read(64 * 1024))
            return false;
    }
    return true;
}

bool Executable(const QString& path)
{
    const QFileInfo info(platform::ToLinuxPath(path));
    return info.isFile() && info.isExecutable();
}

QString LastLine(const QString& path)
{
    const int number = platform::FreeFile();
    if (platform::Open(path, platform::OpenMode::Input, number) != 0)
        return QString();
    QString line;
    QString last;
    while (!platform::Eof(number) && platform::LineInput(number, line) == 0)
        last = line;
    platform::Close(number);
    return last;
}

} // namespace

QStringList MissingProgramFiles(const QString& directory, const InstallNames& names)
{
    if (!platform::DirExists(directory))
        return {directory};
    QStringList missing;
    for (const ShippedFile& file : ProgramFiles(names)) {
        const QString target = directory + file.Target;
        const bool expected = platform::FileExists(file.Source);
        if ((expected && !WholeCopy(file.Source, target)) ||
            (file.Mode == platform::CopyMode::Program && !Executable(target)))
            missing.append(file.Target);
    }
    return missing;
}

QStringList Check(const QString& directory, const InstallNames& names, const QString& language)
{
    if (!platform::DirExists(directory))
        return {directory};
    QStringList missing = MissingProgramFiles(directory, names);
    if (LastLine(directory + QStringLiteral("KELPA.INI")) != QStringLiteral("Language=") + language)
        missing.append(QStringLiteral("KELPA.INI"));
    if (platform::FileExists(QStringLiteral("COMCT232.OC_")) &&
        !platform::FileExists(platform::GetSystemDirectoryA() + QStringLiteral("\\COMCT232.OCX")))
        missing.append(QStringLiteral("COMCT232.OCX"));
    const QString group = platform::ProgramGroupFolder(GroupName);
    for (const QString& item : GroupItems(names)) {
        if (!QFileInfo(group + QLatin1Char('/') + item + QStringLiteral(".desktop")).isFile())
            missing.append(GroupName + QLatin1Char('\\') + item);
    }
    return missing;
}

} // namespace setup
