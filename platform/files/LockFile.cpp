// The lock file that keeps a second copy of the program out of a folder: an
// output file under a number, with an exclusive flock held until it is
// released or the process ends.

#include "platform/files/FilesDetail.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

// The number under which this process already holds a lock on that file, or 0.
int heldLock(const struct stat& wanted)
{
    FileTable& table = fileTable();
    for (int number = 1; number <= MaxFileNumber; ++number) {
        struct stat info;
        if (table[number] && table[number]->isLock && ::fstat(table[number]->fd, &info) == 0 &&
            info.st_dev == wanted.st_dev && info.st_ino == wanted.st_ino)
            return number;
    }
    return 0;
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
    if (::fstat(file->fd, &info) != 0) {
        ::close(file->fd);
        return ErrPathFileAccess;
    }
    // Opened again by the copy that holds it: the lock moves to the new number.
    if (const int held = heldLock(info)) {
        ::close(file->fd);
        fileTable()[fileNumber] = std::move(fileTable()[held]);
        const int fd = fileTable()[fileNumber]->fd;
        return ::ftruncate(fd, 0) == 0 && ::lseek(fd, 0, SEEK_SET) == 0 ? ErrNone
                                                                        : errorFromErrno(errno);
    }
    if (::flock(file->fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno == EWOULDBLOCK ? ErrPermissionDenied : errorFromErrno(errno);
        ::close(file->fd);
        return error;
    }
    if (::ftruncate(file->fd, 0) != 0) {
        const int error = errorFromErrno(errno);
        ::close(file->fd);
        return error;
    }
    fileTable()[fileNumber] = std::move(file);
    return ErrNone;
}

void ReleaseLockFile()
{
    for (auto& slot : fileTable()) {
        if (slot && slot->isLock)
            closeEntry(std::move(slot));
    }
}

} // namespace platform
