#include "platform/shell/System.h"

#include "platform/files/Files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

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

// The desktop restores a trashed file to the Path= of its .trashinfo, which
// holds the path escaped as in URLs. Rewrites a Path= that names the file
// unescaped (a space, "%" or "#" in it would restore elsewhere or not at
// all); one already escaped (longer than the path it names) is kept.
void EscapeTrashInfoPath(const QString& inTrash, const QString& original)
{
    const QFileInfo trashed(inTrash);
    QFile info(trashed.dir().absoluteFilePath(QStringLiteral("../info/")) + trashed.fileName() +
               QStringLiteral(".trashinfo"));
    if (!info.open(QIODevice::ReadOnly))
        return;
    QList<QByteArray> lines = info.readAll().split('\n');
    info.close();
    bool changed = false;
    for (QByteArray& line : lines) {
        if (!line.startsWith("Path="))
            continue;
        const QString value = QString::fromUtf8(line.mid(5));
        const QByteArray escaped = QUrl::toPercentEncoding(value, "/");
        if (escaped != value.toUtf8() && original.endsWith(value)) {
            line = "Path=" + escaped;
            changed = true;
        }
    }
    if (changed && info.open(QIODevice::WriteOnly | QIODevice::Truncate))
        info.write(lines.join('\n'));
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
    EscapeTrashInfoPath(inTrash, QFileInfo(linuxPath).absoluteFilePath());
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
