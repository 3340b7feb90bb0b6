// Appending to a file that stays open between calls: the protocol gets a line
// after every step of a run, and opening it through the path lookup each time
// costs more than the line.

#include "platform/files/FilesDetail.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

struct KeptFile {
    QString path;      // as the program names it
    QString linuxPath; // what it named when opened
    int fd = -1;
    dev_t device = 0;
    ino_t inode = 0;
};

KeptFile& kept()
{
    static KeptFile file;
    return file;
}

// The kept file is still the one the path names (not deleted, renamed or
// replaced, nor the current directory changed). A bare name is looked up from
// the current directory as it stands.
bool stillNamed(const KeptFile& file)
{
    struct stat info;
    const QByteArray probe = IsPlainName(file.path) ? encoded(file.path) : encoded(file.linuxPath);
    return ::stat(probe.constData(), &info) == 0 && info.st_dev == file.device &&
           info.st_ino == file.inode;
}

int openKept(const QString& path)
{
    KeptFile& file = kept();
    CloseKeptFile();
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return error;
    const int fd =
        ::open(encoded(linuxPath).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == ENOENT ? missingError(linuxPath) : errorFromErrno(errno);
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return ErrPathFileAccess;
    }
    noteAdded(linuxPath);
    file = KeptFile{path, linuxPath, fd, info.st_dev, info.st_ino};
    return ErrNone;
}

} // namespace

bool IsPlainName(const QString& path)
{
    return !path.isEmpty() && path != QLatin1String(".") && path != QLatin1String("..") &&
           !path.contains(QLatin1Char('\\')) && !path.contains(QLatin1Char('/')) &&
           !path.contains(QLatin1Char(':')) && !path.contains(QChar(0));
}

int AppendKept(const QString& path, const QString& text)
{
    KeptFile& file = kept();
    if (file.fd < 0 || file.path != path || !stillNamed(file)) {
        if (const int error = openKept(path))
            return error;
    }
    const QByteArray bytes = text.toUtf8();
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t count = ::write(file.fd, data, size_t(left));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            noteRewritten(file.linuxPath);
            return errorFromErrno(errno);
        }
        data += count;
        left -= count;
    }
    noteAppended(file.linuxPath, bytes);
    return ErrNone;
}

void CloseKeptFile()
{
    KeptFile& file = kept();
    if (file.fd >= 0)
        ::close(file.fd);
    file = KeptFile();
}

} // namespace platform
