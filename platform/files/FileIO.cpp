// Reading and writing under a file number. Input files are read ahead in
// blocks; writes go straight to the file, so that another number open on the
// same file sees them at once, unless the file was asked to hold them.

#include "platform/files/FilesDetail.h"

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace platform {

using namespace filesdetail;

namespace {

constexpr qsizetype ReadBlock = 64 * 1024;
const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

OpenFile* entry(int fileNumber)
{
    if (fileNumber < 1 || fileNumber > MaxFileNumber)
        return nullptr;
    return fileTable()[fileNumber].get();
}

qsizetype buffered(const OpenFile& file)
{
    return file.buffer.size() - file.bufferPos;
}

ssize_t readSome(int fd, char* data, qsizetype size)
{
    ssize_t count;
    do {
        count = ::read(fd, data, size_t(size));
    } while (count < 0 && errno == EINTR);
    return count;
}

// Reads the next block behind the buffered bytes; false at the end of the
// file (or on a read error, which ends reading the same way).
bool fill(OpenFile& file)
{
    file.buffer.remove(0, file.bufferPos);
    file.bufferPos = 0;
    const qsizetype kept = file.buffer.size();
    file.buffer.resize(kept + ReadBlock);
    const ssize_t count = readSome(file.fd, file.buffer.data() + kept, ReadBlock);
    file.buffer.resize(kept + (count > 0 ? count : 0));
    return count > 0;
}

// A text file may begin with a UTF-8 byte order mark; it is not part of the
// first line.
void skipByteOrderMark(OpenFile& file)
{
    if (file.bomChecked)
        return;
    file.bomChecked = true;
    while (buffered(file) < ByteOrderMark.size() && fill(file)) {
    }
    if (file.buffer.startsWith(ByteOrderMark))
        file.bufferPos = ByteOrderMark.size();
}

int writeAll(OpenFile& file, const QByteArray& bytes)
{
    const bool atEnd = file.mode == OpenMode::Output || file.mode == OpenMode::Append;
    if (const int error = writeBytes(file.fd, bytes, file.linuxPath, atEnd)) {
        file.writeFailed = true;
        if (file.mode != OpenMode::Replace)
            noteRewritten(file.linuxPath);
        return error;
    }
    if (atEnd)
        noteAppended(file.linuxPath, bytes);
    else if (file.mode == OpenMode::Binary)
        noteRewritten(file.linuxPath);
    return ErrNone;
}

// The names whose writes fail (FailWritesTo), case-folded.
QStringList& faultedNames()
{
    static QStringList names;
    return names;
}

int writeText(int fileNumber, const QByteArray& bytes)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr)
        return ErrBadFileNumber;
    if (file->mode == OpenMode::Input || file->mode == OpenMode::Binary)
        return ErrBadFileMode;
    if (const int error = writeHeld(*file))
        return error;
    return writeAll(*file, bytes);
}

} // namespace

int filesdetail::writeBytes(int fd, const QByteArray& bytes, const QString& linuxPath, bool atEnd)
{
    // A full disk of a test takes the first half, as the write that fills a
    // disk takes what still fits.
    const qsizetype room = writeFaulted(linuxPath) ? bytes.size() / 2 : bytes.size();
    const char* data = bytes.constData();
    qsizetype written = 0;
    int failure = 0;
    while (written < bytes.size()) {
        if (written >= room) {
            failure = ENOSPC;
            break;
        }
        const ssize_t count = ::write(fd, data + written, size_t(room - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            failure = count < 0 ? errno : ENOSPC;
            break;
        }
        written += count;
    }
    if (failure == 0)
        return ErrNone;
    // After a write at the end the position is the end of the file.
    if (atEnd && written > 0) {
        const off_t end = ::lseek(fd, 0, SEEK_CUR);
        if (end >= written && ::ftruncate(fd, end - written) == 0)
            ::lseek(fd, end - written, SEEK_SET);
    }
    return errorFromErrno(failure);
}

bool filesdetail::writeFaulted(const QString& linuxPath)
{
    const QStringList& names = faultedNames();
    return !names.isEmpty() && names.contains(nameOf(linuxPath).toCaseFolded());
}

void FailWritesTo(const QStringList& names)
{
    QStringList& faulted = faultedNames();
    faulted.clear();
    for (const QString& name : names)
        faulted.append(name.toCaseFolded());
}

int filesdetail::writeHeld(OpenFile& file)
{
    if (file.held.isEmpty())
        return ErrNone;
    return writeAll(file, std::exchange(file.held, QByteArray()));
}

bool filesdetail::writeHeldOf(const struct stat& info)
{
    bool wrote = false;
    for (const auto& file : fileTable()) {
        if (file && !file->held.isEmpty() && file->heldDevice == info.st_dev &&
            file->heldInode == info.st_ino) {
            writeHeld(*file);
            wrote = true;
        }
    }
    return wrote;
}

int LineInput(int fileNumber, QString& line)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr)
        return ErrBadFileNumber;
    if (file->mode != OpenMode::Input)
        return ErrBadFileMode;
    skipByteOrderMark(*file);
    qsizetype scanned = 0; // bytes after the position known to hold no line end
    for (;;) {
        const char* start = file->buffer.constData() + file->bufferPos;
        const qsizetype size = buffered(*file);
        qsizetype end = scanned;
        while (end < size && start[end] != '\r' && start[end] != '\n')
            ++end;
        // A CR at the end of the buffer may be the first half of CR LF.
        if (end == size || (start[end] == '\r' && end + 1 == size)) {
            scanned = end;
            if (fill(*file))
                continue;
            if (size == 0)
                return ErrInputPastEnd;
            start = file->buffer.constData() + file->bufferPos; // fill() moved the bytes
        }
        line = decodeLine(start, end);
        qsizetype next = end;
        if (next < size)
            next += (start[next] == '\r' && next + 1 < size && start[next + 1] == '\n') ? 2 : 1;
        file->bufferPos += next;
        return ErrNone;
    }
}

int PrintLine(int fileNumber, const QString& text)
{
    return writeText(fileNumber, text.toUtf8() + QByteArrayLiteral("\r\n"));
}

int PrintText(int fileNumber, const QString& text)
{
    return writeText(fileNumber, text.toUtf8());
}

bool Eof(int fileNumber)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr)
        return true;
    if (file->mode == OpenMode::Input) {
        skipByteOrderMark(*file);
        return buffered(*file) == 0 && !fill(*file);
    }
    struct stat info;
    return ::fstat(file->fd, &info) != 0 || ::lseek(file->fd, 0, SEEK_CUR) >= info.st_size;
}

int64_t Lof(int fileNumber)
{
    OpenFile* file = entry(fileNumber);
    struct stat info;
    if (file == nullptr || writeHeld(*file) != ErrNone || ::fstat(file->fd, &info) != 0)
        return -1;
    return info.st_size;
}

int PutBytes(int fileNumber, const QByteArray& bytes)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr)
        return ErrBadFileNumber;
    if (file->mode == OpenMode::Input)
        return ErrBadFileMode;
    if (file->holdPiece > 0) {
        file->held += bytes;
        return file->held.size() >= file->holdPiece ? writeHeld(*file) : ErrNone;
    }
    return writeAll(*file, bytes);
}

int HoldWrites(int fileNumber, qsizetype piece)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr)
        return ErrBadFileNumber;
    if (file->mode != OpenMode::Output && file->mode != OpenMode::Append)
        return ErrBadFileMode;
    struct stat info;
    if (::fstat(file->fd, &info) != 0)
        return errorFromErrno(errno);
    file->heldDevice = info.st_dev;
    file->heldInode = info.st_ino;
    file->holdPiece = qMax<qsizetype>(piece, 0);
    return file->holdPiece == 0 ? writeHeld(*file) : ErrNone;
}

int Flush(int fileNumber)
{
    OpenFile* file = entry(fileNumber);
    return file == nullptr ? ErrNone : writeHeld(*file);
}

int GetBytes(int fileNumber, int64_t count, QByteArray& bytes)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr)
        return ErrBadFileNumber;
    if (file->mode != OpenMode::Input && file->mode != OpenMode::Binary)
        return ErrBadFileMode;
    bytes.clear();
    if (count <= 0)
        return ErrNone;
    if (file->mode == OpenMode::Input) {
        while (buffered(*file) < count && fill(*file)) {
        }
        const qsizetype taken = qMin<qsizetype>(buffered(*file), count);
        bytes = file->buffer.mid(file->bufferPos, taken);
        file->bufferPos += taken;
    } else {
        struct stat info;
        if (::fstat(file->fd, &info) != 0)
            return errorFromErrno(errno);
        count =
            qMin<int64_t>(count, qMax<int64_t>(0, info.st_size - ::lseek(file->fd, 0, SEEK_CUR)));
        bytes.resize(count);
        qsizetype got = 0;
        ssize_t part = 0;
        while (got < count && (part = readSome(file->fd, bytes.data() + got, count - got)) > 0)
            got += part;
        bytes.resize(got);
    }
    return bytes.isEmpty() ? ErrInputPastEnd : ErrNone;
}

int Seek(int fileNumber, int64_t position)
{
    OpenFile* file = entry(fileNumber);
    if (file == nullptr || position < 0)
        return ErrBadFileNumber;
    if (const int error = writeHeld(*file))
        return error;
    if (::lseek(file->fd, off_t(position), SEEK_SET) < 0)
        return errorFromErrno(errno);
    file->buffer.clear();
    file->bufferPos = 0;
    file->bomChecked = true;
    return ErrNone;
}

} // namespace platform
