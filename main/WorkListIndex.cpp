// The work-list index: the sets of names and URLs of a list, kept in step
// with the file by reading only what was appended since the last question.

#include "main/WorkListIndex.h"

#include "platform/files/Files.h"

#include <QFile>

#include <map>
#include <memory>
#include <sys/stat.h>
#include <time.h>
#include <vector>

namespace {

// Bytes compared at the start of the file and before the end of the last
// complete record, to notice a list rewritten with other records.
constexpr qsizetype SampleBytes = 64;
// Stat data taken this long after the file's last change cannot miss a
// later change: that change gets a later time stamp, whatever the clock's
// granularity. Closer to the change, the samples are compared as well.
constexpr int64_t TrustAfterNs = 2'000'000'000;
const QByteArray ByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

int64_t Nanoseconds(const timespec& time)
{
    return int64_t(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

int64_t ClockNow()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return Nanoseconds(now);
}

// One line of the bytes read: where it begins and ends, where the next one
// begins, and whether its end is certain (a CR at the very end may still be
// followed by LF; a line without an end may still grow).
struct LineSpan {
    qsizetype next = 0;
    bool certain = false;
};

std::vector<LineSpan> SplitLines(const QByteArray& bytes, qsizetype pos)
{
    std::vector<LineSpan> lines;
    const qsizetype size = bytes.size();
    while (pos < size) {
        qsizetype end = pos;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (end == size || (bytes[end] == '\r' && end + 1 == size)) {
            lines.push_back({size, false});
            break;
        }
        pos = end + ((bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
        lines.push_back({pos, true});
    }
    return lines;
}

} // namespace

WorkListIndex& WorkListIndex::For(const QString& listName)
{
    static std::map<QString, std::unique_ptr<WorkListIndex>> registry;
    std::unique_ptr<WorkListIndex>& index = registry[listName.toCaseFolded()];
    if (!index)
        index.reset(new WorkListIndex(listName));
    return *index;
}

WorkListIndex::WorkListIndex(QString listName) : listName_(std::move(listName)) {}

bool WorkListIndex::HoldsName(const QString& localName)
{
    Refresh();
    return names_.contains(localName) || (hasPendingName_ && pendingName_ == localName);
}

bool WorkListIndex::HoldsUrl(const QString& url)
{
    return NameOfUrl(url).has_value();
}

std::optional<QString> WorkListIndex::NameOfUrl(const QString& url)
{
    Refresh();
    const QString key = url.toCaseFolded();
    const auto found = urls_.constFind(key);
    if (found != urls_.constEnd())
        return *found;
    if (hasPendingUrl_ && pendingUrl_.toCaseFolded() == key)
        return pendingName_;
    return std::nullopt;
}

void WorkListIndex::Clear()
{
    linuxPath_.clear();
    snapshot_ = Snapshot();
    committed_ = 0;
    head_.clear();
    boundary_.clear();
    names_.clear();
    urls_.clear();
    pendingUrl_.clear();
    pendingName_.clear();
    hasPendingUrl_ = false;
    hasPendingName_ = false;
}

void WorkListIndex::Refresh()
{
    Snapshot now;
    now.takenNs = ClockNow();
    const QString linuxPath = listName_.isEmpty() ? QString() : platform::ToLinuxPath(listName_);
    struct stat info {};
    if (linuxPath.isEmpty() || ::stat(QFile::encodeName(linuxPath).constData(), &info) != 0 ||
        !S_ISREG(info.st_mode)) {
        Clear();
        return;
    }
    now.device = info.st_dev;
    now.inode = info.st_ino;
    now.size = info.st_size;
    now.changedNs = qMax(Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim));

    const bool sameFile = linuxPath == linuxPath_ && now.device == snapshot_.device &&
                          now.inode == snapshot_.inode && now.size >= committed_;
    if (sameFile && now.size == snapshot_.size && now.changedNs == snapshot_.changedNs &&
        snapshot_.takenNs - snapshot_.changedNs >= TrustAfterNs)
        return;

    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(listName_, platform::OpenMode::Input, number) != 0) {
        Clear();
        return;
    }
    if (!sameFile || !SamplesMatch(number))
        Clear();
    linuxPath_ = linuxPath;
    ReadFrom(number, now.size);
    platform::Close(number);
    snapshot_ = now;
}

bool WorkListIndex::SamplesMatch(int fileNumber)
{
    QByteArray bytes;
    if (platform::Seek(fileNumber, 0) != 0 ||
        platform::GetBytes(fileNumber, head_.size(), bytes) != 0 || bytes != head_)
        return false;
    return platform::Seek(fileNumber, committed_ - boundary_.size()) == 0 &&
           platform::GetBytes(fileNumber, boundary_.size(), bytes) == 0 && bytes == boundary_;
}

void WorkListIndex::ReadFrom(int fileNumber, int64_t size)
{
    const int64_t start = committed_;
    QByteArray bytes;
    if (platform::Seek(fileNumber, start) != 0 ||
        platform::GetBytes(fileNumber, size - start, bytes) != 0)
        return;
    const qsizetype first =
        start == 0 && bytes.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    const std::vector<LineSpan> lines = SplitLines(bytes, first);

    // The file layer decodes each line; the spans say where records end.
    pendingUrl_.clear();
    pendingName_.clear();
    hasPendingUrl_ = false;
    hasPendingName_ = false;
    if (platform::Seek(fileNumber, start + first) != 0)
        return;
    QString url;
    QString name;
    for (size_t i = 0; i < lines.size(); i += 2) {
        if (platform::LineInput(fileNumber, url) != 0)
            return;
        const bool hasName = i + 1 < lines.size();
        if (hasName && platform::LineInput(fileNumber, name) != 0)
            return;
        if (hasName && lines[i + 1].certain) {
            const QString key = url.toCaseFolded();
            if (!urls_.contains(key))
                urls_.insert(key, name);
            names_.insert(name);
            committed_ = start + lines[i + 1].next;
            continue;
        }
        pendingUrl_ = url;
        hasPendingUrl_ = true;
        pendingName_ = hasName ? name : QString();
        hasPendingName_ = hasName;
    }

    const qsizetype added = qsizetype(committed_ - start);
    if (head_.size() < SampleBytes && committed_ > head_.size())
        head_ +=
            bytes.mid(head_.size() - start, qMin<int64_t>(SampleBytes, committed_) - head_.size());
    boundary_ = added >= SampleBytes ? bytes.mid(added - SampleBytes, SampleBytes)
                                     : (boundary_ + bytes.left(added)).right(SampleBytes);
}
