// The one table of open files by number, and opening and closing under it.

#include "platform/files/FilesDetail.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

bool validNumber(int fileNumber)
{
    return fileNumber >= 1 && fileNumber <= MaxFileNumber;
}

int openFlags(OpenMode mode)
{
    switch (mode) {
    case OpenMode::Input:
        return O_RDONLY;
    case OpenMode::Output:
        return O_WRONLY | O_CREAT | O_TRUNC;
    case OpenMode::Append:
        return O_WRONLY | O_CREAT | O_APPEND;
    case OpenMode::Binary:
    case OpenMode::Replace:
        break;
    }
    return O_RDWR | O_CREAT;
}

// The permissions a new file gets from the process's umask.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// How an output file is made: as the mode says; anew, unless an existing
// one holds anything (58 then, and it is left alone); anew only (58 when any
// entry of that name exists).
enum class Making { AsTheModeSays, NewUnlessFilled, NewOnly };

int openDirect(OpenFile& file, Making making = Making::AsTheModeSays)
{
    const QByteArray path = encoded(file.linuxPath);
    bool readOnly = file.mode == OpenMode::Input;
    const bool exclusive = making != Making::AsTheModeSays;
    file.fd =
        ::open(path.constData(),
               (exclusive ? O_WRONLY | O_CREAT | O_EXCL : openFlags(file.mode)) | O_CLOEXEC, 0666);
    if (file.fd < 0 && making == Making::NewOnly && errno == EEXIST)
        return ErrFileExists;
    if (file.fd < 0 && exclusive && errno == EEXIST) {
        struct stat info;
        if (statPath(file.linuxPath, info) && S_ISREG(info.st_mode) && info.st_size > 0)
            return ErrFileExists;
        file.fd = ::open(path.constData(), openFlags(file.mode) | O_CLOEXEC, 0666);
    }
    // A binary file that may not be written can still be read.
    if (file.fd < 0 && file.mode == OpenMode::Binary && errno == EACCES) {
        file.fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        readOnly = true;
    }
    if (file.fd < 0)
        return errno == ENOENT ? missingError(file.linuxPath) : errorFromErrno(errno);
    // A folder opened for writing fails with EISDIR; only one opened for
    // reading needs a look.
    struct stat info;
    if (readOnly && (::fstat(file.fd, &info) != 0 || S_ISDIR(info.st_mode))) {
        ::close(file.fd);
        return ErrPathFileAccess;
    }
    if (readOnly)
        writeHeldOf(info);
    if (file.mode != OpenMode::Input)
        noteAdded(file.linuxPath);
    if (file.mode == OpenMode::Output || file.mode == OpenMode::Binary)
        noteRewritten(file.linuxPath);
    return ErrNone;
}

// Replace: the new contents go to a hidden file beside the target, which
// takes the target's place only when the file is closed.
int openReplacement(OpenFile& file)
{
    const QString folder = parentOf(file.linuxPath);
    if (!isDirectory(folder))
        return ErrPathNotFound;
    struct stat old;
    const bool exists = statPath(file.linuxPath, old);
    if (exists && S_ISDIR(old.st_mode))
        return ErrPathFileAccess;
    QByteArray pattern = encoded(folder + QLatin1String("/.") + nameOf(file.linuxPath)) +
                         QByteArrayLiteral(".XXXXXX");
    file.fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (file.fd < 0)
        return errorFromErrno(errno);
    ::fchmod(file.fd, exists ? (old.st_mode & 07777) : newFileMode());
    file.tempPath = QFile::decodeName(pattern);
    return ErrNone;
}

int commitReplacement(OpenFile& file)
{
    int error = file.writeFailed ? ErrDiskFull : ErrNone;
    if (error == ErrNone && ::fdatasync(file.fd) != 0)
        error = errorFromErrno(errno);
    if (::close(file.fd) != 0 && error == ErrNone)
        error = errorFromErrno(errno);
    const QByteArray temp = encoded(file.tempPath);
    if (error == ErrNone && ::rename(temp.constData(), encoded(file.linuxPath).constData()) != 0)
        error = errorFromErrno(errno);
    if (error != ErrNone)
        ::unlink(temp.constData());
    else
        noteAdded(file.linuxPath);
    noteRewritten(file.linuxPath);
    return error;
}

// Opens path under fileNumber (making: see openDirect).
int openUnder(const QString& path, OpenMode mode, int fileNumber, Making making)
{
    if (!validNumber(fileNumber))
        return ErrBadFileNumber;
    if (fileTable()[fileNumber])
        return ErrFileAlreadyOpen;
    auto file = std::make_unique<OpenFile>();
    file->mode = mode;
    if (const int error = resolve(path, file->linuxPath))
        return error;
    const int error =
        mode == OpenMode::Replace ? openReplacement(*file) : openDirect(*file, making);
    if (error == ErrNone)
        fileTable()[fileNumber] = std::move(file);
    return error;
}

} // namespace

namespace filesdetail {

FileTable& fileTable()
{
    static FileTable table;
    return table;
}

int closeEntry(std::unique_ptr<OpenFile> file)
{
    const int held = writeHeld(*file);
    const int closed = file->mode == OpenMode::Replace ? commitReplacement(*file)
                       : ::close(file->fd) == 0        ? ErrNone
                                                       : errorFromErrno(errno);
    return held != ErrNone ? held : closed;
}

} // namespace filesdetail

int FreeFile()
{
    const FileTable& table = fileTable();
    for (int number = 1; number <= MaxFileNumber; ++number) {
        if (!table[number])
            return number;
    }
    return 0;
}

int Open(const QString& path, OpenMode mode, int fileNumber)
{
    return openUnder(path, mode, fileNumber, Making::AsTheModeSays);
}

int OpenNew(const QString& path, int fileNumber)
{
    return openUnder(path, OpenMode::Output, fileNumber, Making::NewUnlessFilled);
}

int OpenFresh(const QString& path, int fileNumber)
{
    return openUnder(path, OpenMode::Output, fileNumber, Making::NewOnly);
}

int Close(int fileNumber)
{
    if (!validNumber(fileNumber))
        return ErrBadFileNumber;
    auto& slot = fileTable()[fileNumber];
    if (!slot)
        return ErrNone;
    return closeEntry(std::move(slot));
}

void CloseAllFiles()
{
    CloseKeptFile();
    for (auto& slot : fileTable()) {
        if (slot && !slot->isLock)
            closeEntry(std::move(slot));
    }
}

bool IsOpen(int fileNumber)
{
    return validNumber(fileNumber) && fileTable()[fileNumber] != nullptr;
}

} // namespace platform
