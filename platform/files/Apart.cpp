// Files received apart: opened anew in a folder of their own and renamed onto
// their targets once whole.

#include "platform/files/FilesDetail.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

// The folder of the last file opened apart: a run receives every file in
// one, and looking it up anew for each would cost a look at the disk.
struct KnownFolder {
    QString programPath;
    QString linuxPath;
};

KnownFolder& lastFolder()
{
    static KnownFolder folder;
    return folder;
}

int openIn(const QString& folder, const QString& name, int& fd)
{
    fd = ::open(encoded(folder + QLatin1Char('/') + name).constData(),
                O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0)
        return ErrNone;
    if (errno == EEXIST)
        return ErrFileExists;
    return errno == ENOENT ? ErrPathNotFound : errorFromErrno(errno);
}

} // namespace

int OpenApart(const QString& folder, const QString& name, const QString& target, int fileNumber,
              Apart& apart)
{
    if (fileNumber < 1 || fileNumber > MaxFileNumber)
        return ErrBadFileNumber;
    if (fileTable()[fileNumber])
        return ErrFileAlreadyOpen;
    if (name.isEmpty() || !IsPlainName(name))
        return ErrPathFileAccess;
    QString targetPath;
    if (const int error = resolve(target, targetPath))
        return error;
    KnownFolder& known = lastFolder();
    int fd = -1;
    int error = ErrPathNotFound;
    if (known.programPath == folder)
        error = openIn(known.linuxPath, name, fd);
    // The folder went, or is another one now: it is looked up again.
    if (error == ErrPathNotFound) {
        known = KnownFolder{folder, QString()};
        if ((error = resolve(folder, known.linuxPath)) == ErrNone)
            error = openIn(known.linuxPath, name, fd);
    }
    if (error != ErrNone)
        return error;
    auto file = std::make_unique<OpenFile>();
    file->fd = fd;
    file->mode = OpenMode::Output;
    file->linuxPath = known.linuxPath + QLatin1Char('/') + name;
    fileTable()[fileNumber] = std::move(file);
    apart = Apart{known.linuxPath + QLatin1Char('/') + name, targetPath};
    return ErrNone;
}

int PutInPlace(const Apart& apart)
{
    const QByteArray from = encoded(apart.file);
    const QByteArray to = encoded(apart.target);
    if (::rename(from.constData(), to.constData()) != 0) {
        const int err = errno;
        if (err == EISDIR || err == ENOTEMPTY || err == EEXIST)
            return ErrPathFileAccess;
        if (err != EXDEV)
            return err == ENOENT ? missingError(apart.target) : errorFromErrno(err);
        // Another file system: a copy beside the target takes its place.
        if (const int error = FileCopy(FromLinuxPath(apart.file), FromLinuxPath(apart.target)))
            return error;
        ::unlink(from.constData());
        return ErrNone;
    }
    noteAdded(apart.target);
    noteRewritten(apart.target);
    return ErrNone;
}

int DropApart(const Apart& apart)
{
    if (apart.file.isEmpty())
        return ErrFileNotFound;
    if (::unlink(encoded(apart.file).constData()) != 0)
        return errno == ENOENT ? ErrFileNotFound : errorFromErrno(errno);
    return ErrNone;
}

} // namespace platform
