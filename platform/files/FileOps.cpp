// Whole files and folders: existence, length, delete, copy, rename, make and
// remove folders. Every path is taken literally: no expansion of any kind.

#include "platform/files/FilesDetail.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The last name of a program path as it was written (its case kept).
QString givenName(const QString& programPath)
{
    QString text = programPath;
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (text.endsWith(QLatin1Char('\\')))
        text.chop(1);
    return text.mid(qMax(text.lastIndexOf(QLatin1Char('\\')), text.indexOf(QLatin1Char(':'))) + 1);
}

int copyBytes(int from, int to)
{
    QByteArray block(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const ssize_t count = ::read(from, block.data(), size_t(block.size()));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return errorFromErrno(errno);
        if (count == 0)
            return ErrNone;
        for (ssize_t done = 0; done < count;) {
            const ssize_t written = ::write(to, block.constData() + done, size_t(count - done));
            if (written < 0 && errno != EINTR)
                return errorFromErrno(errno);
            done += written > 0 ? written : 0;
        }
    }
}

// Creates a new hidden file beside target with the permission bits mode (less
// the umask); its path goes to temp. Returns the descriptor, or -1 (errno set).
int createBeside(const QString& target, mode_t mode, QString& temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = parentOf(target) + QLatin1String("/.") + nameOf(target) + QLatin1Char('.') +
               QString::number(QRandomGenerator::global()->generate(), 36);
        const int fd =
            ::open(encoded(temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Renames from onto to, refusing to replace an existing entry.
int renameNew(const QString& from, const QString& to)
{
    const QByteArray source = encoded(from);
    const QByteArray target = encoded(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return ErrNone;
    if (errno != EINVAL && errno != ENOSYS)
        return errno == ENOENT ? missingError(to) : errorFromErrno(errno);
    // The file system cannot refuse by itself.
    struct stat info;
    if (::lstat(target.constData(), &info) == 0)
        return ErrFileExists;
    if (::rename(source.constData(), target.constData()) == 0)
        return ErrNone;
    return errno == ENOENT ? missingError(to) : errorFromErrno(errno);
}

} // namespace

bool FileExists(const QString& path)
{
    QString linuxPath;
    struct stat info;
    bool exists = false;
    return resolveStat(path, linuxPath, info, exists) == ErrNone && exists &&
           !S_ISDIR(info.st_mode);
}

bool DirExists(const QString& path)
{
    QString linuxPath;
    struct stat info;
    bool exists = false;
    return resolveStat(path, linuxPath, info, exists) == ErrNone && exists && S_ISDIR(info.st_mode);
}

int64_t FileLen(const QString& path)
{
    QString linuxPath;
    struct stat info;
    bool exists = false;
    if (resolveStat(path, linuxPath, info, exists) != ErrNone || !exists || S_ISDIR(info.st_mode))
        return -1;
    if (writeHeldOf(info) && !statPath(linuxPath, info))
        return -1;
    return info.st_size;
}

Entry EntryAt(const QString& path)
{
    QString linuxPath;
    struct stat info;
    bool exists = false;
    if (resolveStat(path, linuxPath, info, exists) != ErrNone || !exists)
        return {};
    if (S_ISDIR(info.st_mode))
        return {Entry::Kind::Folder, -1};
    if (writeHeldOf(info) && !statPath(linuxPath, info))
        return {};
    return {Entry::Kind::File, info.st_size};
}

int Kill(const QString& path)
{
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return error;
    struct stat info;
    if (::lstat(encoded(linuxPath).constData(), &info) != 0 || S_ISDIR(info.st_mode))
        return ErrFileNotFound;
    if (::unlink(encoded(linuxPath).constData()) != 0)
        return errorFromErrno(errno);
    noteRemoved(linuxPath);
    noteRewritten(linuxPath);
    return ErrNone;
}

int FileCopy(const QString& source, const QString& target, CopyMode mode)
{
    QString from;
    QString to;
    if (const int error = resolve(source, from))
        return error;
    if (const int error = resolve(target, to))
        return error;
    struct stat fromInfo;
    if (!statPath(from, fromInfo))
        return missingError(from);
    if (S_ISDIR(fromInfo.st_mode))
        return ErrFileNotFound;
    writeHeldOf(fromInfo);
    struct stat toInfo;
    if (statPath(to, toInfo)) {
        if (sameFile(fromInfo, toInfo))
            return ErrNone; // a copy onto itself would only empty it
        if (S_ISDIR(toInfo.st_mode))
            return ErrPathFileAccess;
    }
    const int in = ::open(encoded(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return errorFromErrno(errno);
    QString temp;
    const int out = createBeside(to, mode == CopyMode::Program ? 0755 : 0666, temp);
    if (out < 0) {
        const int error = errno == ENOENT ? missingError(to) : errorFromErrno(errno);
        ::close(in);
        return error;
    }
    int error = writeFaulted(to) ? ErrDiskFull : copyBytes(in, out);
    ::close(in);
    if (::close(out) != 0 && error == ErrNone)
        error = errorFromErrno(errno);
    if (error == ErrNone && ::rename(encoded(temp).constData(), encoded(to).constData()) != 0)
        error = errorFromErrno(errno);
    if (error != ErrNone) {
        ::unlink(encoded(temp).constData());
        return error;
    }
    noteAdded(to);
    noteRewritten(to);
    return ErrNone;
}

namespace {

// Both paths of a rename resolved, the source's entry looked at.
int resolveRename(const QString& oldPath, const QString& newPath, QString& from, QString& to,
                  struct stat& fromInfo)
{
    if (const int error = resolve(oldPath, from))
        return error;
    if (const int error = resolve(newPath, to))
        return error;
    if (::lstat(encoded(from).constData(), &fromInfo) != 0)
        return missingError(from);
    return ErrNone;
}

} // namespace

int NameOver(const QString& oldPath, const QString& newPath)
{
    QString from;
    QString to;
    struct stat info;
    if (const int error = resolveRename(oldPath, newPath, from, to, info))
        return error;
    if (S_ISDIR(info.st_mode))
        return ErrPathFileAccess;
    if (::lstat(encoded(to).constData(), &info) == 0 && S_ISDIR(info.st_mode))
        return ErrPathFileAccess;
    if (::rename(encoded(from).constData(), encoded(to).constData()) != 0)
        return errno == ENOENT ? missingError(to) : errorFromErrno(errno);
    noteRemoved(from);
    noteAdded(to);
    noteRewritten(from);
    noteRewritten(to);
    return ErrNone;
}

int Name(const QString& oldPath, const QString& newPath)
{
    QString from;
    QString to;
    struct stat fromInfo;
    if (const int error = resolveRename(oldPath, newPath, from, to, fromInfo))
        return error;
    struct stat toInfo;
    if (::lstat(encoded(to).constData(), &toInfo) == 0) {
        if (!sameFile(fromInfo, toInfo))
            return ErrFileExists;
        // The same entry under another spelling: only the letter case changes.
        const QString renamed = parentOf(to) + QLatin1Char('/') + givenName(newPath);
        if (renamed == from)
            return ErrNone;
        if (::rename(encoded(from).constData(), encoded(renamed).constData()) != 0)
            return errorFromErrno(errno);
        to = renamed;
    } else if (const int error = renameNew(from, to)) {
        return error;
    }
    noteRemoved(from);
    noteAdded(to);
    noteRewritten(from);
    noteRewritten(to);
    return ErrNone;
}

int MkDir(const QString& path)
{
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return error;
    if (::mkdir(encoded(linuxPath).constData(), 0777) != 0) {
        if (errno == EEXIST)
            return ErrPathFileAccess;
        return errno == ENOENT ? ErrPathNotFound : errorFromErrno(errno);
    }
    noteAdded(linuxPath);
    return ErrNone;
}

int RmDir(const QString& path)
{
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return error;
    if (::rmdir(encoded(linuxPath).constData()) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return ErrPathNotFound;
        return errorFromErrno(errno);
    }
    noteRemoved(linuxPath);
    return ErrNone;
}

} // namespace platform
