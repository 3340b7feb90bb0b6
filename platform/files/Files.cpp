// Error numbers and small path helpers shared by the file layer.

#include "platform/files/FilesDetail.h"

#include <QFile>

#include <cerrno>

namespace platform::filesdetail {

int errorFromErrno(int err)
{
    switch (err) {
    case ENOENT:
        return ErrFileNotFound;
    case ENOTDIR:
        return ErrPathNotFound;
    case EEXIST:
        return ErrFileExists;
    case EACCES:
    case EPERM:
    case EBUSY:
    case ETXTBSY:
    case EWOULDBLOCK:
        return ErrPermissionDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrDiskFull;
    case EMFILE:
    case ENFILE:
        return ErrTooManyFiles;
    case EIO:
        return ErrDeviceIO;
    default: // EISDIR, EROFS, ENAMETOOLONG, ELOOP, ENOTEMPTY, EXDEV, EINVAL ...
        return ErrPathFileAccess;
    }
}

int missingError(const QString& linuxPath)
{
    return isDirectory(parentOf(linuxPath)) ? ErrFileNotFound : ErrPathNotFound;
}

QByteArray encoded(const QString& linuxPath)
{
    return QFile::encodeName(linuxPath);
}

bool statPath(const QString& linuxPath, struct stat& info)
{
    return ::stat(encoded(linuxPath).constData(), &info) == 0;
}

bool isDirectory(const QString& linuxPath)
{
    struct stat info;
    return statPath(linuxPath, info) && S_ISDIR(info.st_mode);
}

QString parentOf(const QString& linuxPath)
{
    const qsizetype slash = linuxPath.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : linuxPath.left(slash);
}

QString nameOf(const QString& linuxPath)
{
    return linuxPath.mid(linuxPath.lastIndexOf(QLatin1Char('/')) + 1);
}

QString entryName(const char* bytes)
{
    const QString name = QFile::decodeName(bytes);
    if (name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('\\')) || QFile::encodeName(name) != bytes)
        return QString();
    return name;
}

} // namespace platform::filesdetail
