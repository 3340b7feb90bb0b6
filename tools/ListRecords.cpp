#include "tools/ListRecords.h"

#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QFile>

#include <sys/stat.h>

namespace listrecords {

bool Counts(const QString& urlLine)
{
    return !platform::Trim(urlLine).isEmpty();
}

QString SearchText(const QString& typed)
{
    return platform::Trim(typed);
}

bool Selects(const Record& record, const QString& search)
{
    return !search.isEmpty() && record.Url.contains(search, Qt::CaseInsensitive);
}

RecordReader::RecordReader(int fileNumber, std::function<void()> beforeLine)
    : fileNumber_(fileNumber), beforeLine_(std::move(beforeLine))
{
}

bool RecordReader::Next(Record& record)
{
    if (beforeLine_)
        beforeLine_();
    if (platform::LineInput(fileNumber_, record.Url) != 0)
        return false;
    record.Name.clear();
    record.HasName = false;
    if (platform::Eof(fileNumber_))
        return true;
    if (beforeLine_)
        beforeLine_();
    record.HasName = platform::LineInput(fileNumber_, record.Name) == 0;
    return true;
}

namespace {

// Writes one line and adds the bytes it took on disk.
int WriteLine(int target, const QString& text, int64_t& bytes)
{
    bytes += text.toUtf8().size() + 2;
    return platform::PrintLine(target, text);
}

} // namespace

PassResult RecordPass(const QString& list, const QString& search, Pick pick, int target,
                      const std::function<void()>& yield)
{
    PassResult result;
    const int source = platform::FreeFile();
    if ((result.Error = platform::Open(list, platform::OpenMode::Input, source)) != 0)
        return result;
    RecordReader reader(source);
    Record record;
    for (;;) {
        if (yield)
            yield();
        if (platform::Eof(source) || !reader.Next(record))
            break;
        if (Selects(record, search) != (pick == Pick::Selected))
            continue;
        ++result.Count;
        if (target == 0)
            continue;
        const int error = WriteLine(target, record.Url, result.Bytes);
        if (const int nameError = WriteLine(target, record.Name, result.Bytes);
            error || nameError) {
            result.Error = error ? error : nameError;
            break;
        }
    }
    platform::Close(source);
    return result;
}

FileStamp StampOf(const QString& path)
{
    FileStamp stamp;
    struct stat info;
    const QString linuxPath = platform::ToLinuxPath(path);
    if (linuxPath.isEmpty() || ::stat(QFile::encodeName(linuxPath).constData(), &info) != 0 ||
        !S_ISREG(info.st_mode))
        return stamp;
    stamp.Size = info.st_size;
    stamp.ChangedNs = int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.Inode = info.st_ino;
    return stamp;
}

int ReplaceList(const QString& list, const QString& scratch, int64_t expectedBytes)
{
    if (platform::FileLen(scratch) != expectedBytes)
        return platform::ErrDeviceIO;
    return platform::NameOver(scratch, list);
}

} // namespace listrecords
