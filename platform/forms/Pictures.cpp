#include "platform/forms/Pictures.h"

#include "platform/files/Files.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The bytes of a regular file; false for anything else. The file is opened
// without waiting (a FIFO without a writer would block an ordinary open) and
// checked on the open descriptor, so a name swapped meanwhile cannot slip by.
bool ReadRegularFile(const QString& linuxPath, QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(linuxPath);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    if (ok) {
        QFile file;
        ok = file.open(fd, QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
        if (ok)
            bytes = file.readAll();
        ok = ok && file.error() == QFileDevice::NoError;
    }
    ::close(fd);
    return ok;
}

} // namespace

QPixmap LoadPicture(const QString& programPath)
{
    QPixmap picture;
    if (programPath.trimmed().isEmpty())
        return picture;
    const QString linuxPath = ToLinuxPath(programPath);
    QByteArray bytes;
    if (linuxPath.isEmpty() || !ReadRegularFile(linuxPath, bytes))
        return picture;
    picture.loadFromData(bytes);
    return picture;
}

} // namespace platform
