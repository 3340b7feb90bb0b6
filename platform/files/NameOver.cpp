// Renaming a file onto another one in a single step.

#include "platform/files/Files.h"
#include "platform/files/FilesDetail.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace platform {

using namespace filesdetail;

int NameOver(const QString& oldPath, const QString& newPath)
{
    QString from;
    QString to;
    if (const int error = resolve(oldPath, from))
        return error;
    if (const int error = resolve(newPath, to))
        return error;
    struct stat info;
    if (::lstat(encoded(from).constData(), &info) != 0)
        return missingError(from);
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

} // namespace platform
