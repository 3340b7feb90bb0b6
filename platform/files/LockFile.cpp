// The lock file that keeps a second copy of the program out of a folder: an
// output file under a number, with an exclusive flock held until it is
// released or the process ends.
//
// The flock lives on a descriptor of its own, outside the table of numbers:
// the number only names an output handle of the file. So no Close of any
// number (the lock file's own, or one that other code re-used) and no
// CloseAllFiles can ever release the lock; only ReleaseLockFile does.

#include "platform/files/FilesDetail.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

// The descriptor holding the flock, and which file it is.
struct Holder {
    int fd = -1;
    dev_t device = 0;
    ino_t inode = 0;
};

Holder& holder()
{
    static Holder held;
    return held;
}

bool holds(const struct stat& info)
{
    const Holder& held = holder();
    return held.fd >= 0 && held.device == info.st_dev && held.inode == info.st_ino;
}

void dropHolder()
{
    Holder& held = holder();
    if (held.fd >= 0)
        ::close(held.fd);
    held = Holder{};
}

// Closes the numbers that name a lock file's handle.
void closeLockHandles()
{
    for (auto& slot : fileTable()) {
        if (slot && slot->isLock)
            closeEntry(std::move(slot));
    }
}

int failWith(int fd, int error)
{
    ::close(fd);
    return error;
}

} // namespace

int OpenLockFile(const QString& path, int fileNumber)
{
    if (fileNumber < 1 || fileNumber > MaxFileNumber)
        return ErrBadFileNumber;
    if (fileTable()[fileNumber])
        return ErrFileAlreadyOpen;
    auto file = std::make_unique<OpenFile>();
    file->mode = OpenMode::Output;
    file->isLock = true;
    if (const int error = resolve(path, file->linuxPath))
        return error;
    // Not emptied before the lock is ours: the holder's file stays as it is.
    file->fd = ::open(encoded(file->linuxPath).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (file->fd < 0)
        return errno == ENOENT ? missingError(file->linuxPath) : errorFromErrno(errno);
    noteAdded(file->linuxPath);
    struct stat info;
    if (::fstat(file->fd, &info) != 0)
        return failWith(file->fd, ErrPathFileAccess);
    if (!holds(info)) {
        if (::flock(file->fd, LOCK_EX | LOCK_NB) != 0)
            return failWith(file->fd,
                            errno == EWOULDBLOCK ? ErrPermissionDenied : errorFromErrno(errno));
        const int lockFd = ::fcntl(file->fd, F_DUPFD_CLOEXEC, 0);
        if (lockFd < 0)
            return failWith(file->fd, errorFromErrno(errno));
        // One lock per process: a lock on another file is given up.
        closeLockHandles();
        dropHolder();
        holder() = Holder{lockFd, info.st_dev, info.st_ino};
    } else {
        // Opened again by its holder (as the exit does): the handle moves to
        // the new number; the lock never left.
        closeLockHandles();
    }
    if (::ftruncate(file->fd, 0) != 0 || ::lseek(file->fd, 0, SEEK_SET) != 0)
        return failWith(file->fd, errorFromErrno(errno));
    fileTable()[fileNumber] = std::move(file);
    return ErrNone;
}

void ReleaseLockFile()
{
    closeLockHandles();
    dropHolder();
}

QString UserLockFile(const QString& name)
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        return QString();
    const QString folder = runtime + QStringLiteral("/kelpa-locks");
    if (::mkdir(encoded(folder).constData(), 0700) == 0)
        noteAdded(folder);
    QString directory = ToLinuxPath(CurDir());
    const QString real = QFileInfo(directory).canonicalFilePath();
    if (!real.isEmpty())
        directory = real;
    const QByteArray digest =
        QCryptographicHash::hash(encoded(directory), QCryptographicHash::Sha256).toHex().left(32);
    return FromLinuxPath(folder + QLatin1Char('/') + QString::fromLatin1(digest) +
                         QLatin1Char('-') + name);
}

} // namespace platform
