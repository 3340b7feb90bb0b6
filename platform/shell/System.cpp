#include "platform/shell/System.h"

#include "platform/files/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <utility>

namespace platform {

namespace {

FileOperationHook& fileOperationHook()
{
    static FileOperationHook hook;
    return hook;
}

ExitWindowsHook& exitWindowsHook()
{
    static ExitWindowsHook hook;
    return hook;
}

bool& shutdownEnabled()
{
    static bool enabled = false;
    return enabled;
}

// $XDG_DATA_HOME, or ~/.local/share when it is not set; created when missing,
// because the trash is made inside it and not above it.
QString dataHome()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(folder);
    return folder;
}

bool exists(const QString& linuxPath)
{
    const QFileInfo info(linuxPath);
    return info.exists() || info.isSymLink();
}

} // namespace

int SHFileOperationA(int wFunc, const QString& pFrom, int fFlags)
{
    if (fileOperationHook())
        return fileOperationHook()(wFunc, pFrom, fFlags);
    if (wFunc != FO_DELETE || (fFlags & FOF_ALLOWUNDO) == 0)
        return FileOperationUnsupported;
    const QString linuxPath = ToLinuxPath(pFrom);
    if (linuxPath.isEmpty() || !exists(linuxPath))
        return FileOperationNotFound;
    dataHome();
    QString inTrash;
    if (!QFile::moveToTrash(linuxPath, &inTrash) || inTrash.isEmpty() || !exists(inTrash) ||
        exists(linuxPath))
        return FileOperationRefused;
    return FileOperationDone;
}

FileOperationHook SetFileOperationHook(FileOperationHook hook)
{
    return std::exchange(fileOperationHook(), std::move(hook));
}

int ExitWindowsEx(int flags)
{
    if (exitWindowsHook())
        return exitWindowsHook()(flags);
    if (!shutdownEnabled() || flags != EWX_SHUTDOWN)
        return 0;
    return QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")}) ? 1
                                                                                              : 0;
}

void EnableSystemShutdown()
{
    shutdownEnabled() = true;
}

ExitWindowsHook SetExitWindowsHook(ExitWindowsHook hook)
{
    return std::exchange(exitWindowsHook(), std::move(hook));
}

QString GetSystemDirectoryA()
{
    return FromLinuxPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/kelpa/system"));
}

} // namespace platform
