// A folder that files are to be written in: made with every missing folder
// above it, and checked before anything is written there.

#include "platform/files/FilesDetail.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

FolderState faultOf(int err)
{
    switch (err) {
    case ENAMETOOLONG:
        return {FolderFault::NameTooLong, ErrPathFileAccess, {}};
    case EACCES:
    case EPERM:
    case EROFS:
        return {FolderFault::NoPermission, ErrPermissionDenied, {}};
    default:
        return {FolderFault::Other, errorFromErrno(err), {}};
    }
}

FolderState inTheWay(const QString& linuxPath)
{
    return {FolderFault::FileInTheWay, ErrPathNotFound, FromLinuxPath(linuxPath)};
}

} // namespace

FolderState MakeWritableFolder(const QString& path)
{
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return {FolderFault::Other, error, {}};
    // Level by level from the top: a folder lets the walk go on, anything
    // else stands in the way, and a missing level is made.
    for (qsizetype slash = linuxPath.indexOf(QLatin1Char('/'), 1);;
         slash = linuxPath.indexOf(QLatin1Char('/'), slash + 1)) {
        const QString level = slash < 0 ? linuxPath : linuxPath.left(slash);
        struct stat info;
        if (statPath(level, info)) {
            if (!S_ISDIR(info.st_mode))
                return inTheWay(level);
        } else if (errno != ENOENT) {
            return faultOf(errno);
        } else if (::mkdir(encoded(level).constData(), 0777) == 0) {
            noteAdded(level);
        } else if (errno != EEXIST) {
            return faultOf(errno);
        } else if (!isDirectory(level)) {
            return inTheWay(level);
        }
        if (slash < 0)
            break;
    }
    // The rights the program has (its effective ones), as creating a file uses them.
    if (::faccessat(AT_FDCWD, encoded(linuxPath).constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return faultOf(errno);
    return {};
}

} // namespace platform
