// The work-list index: the sets of names and URLs of a list, kept in step
// with the file by reading only what was appended since the last question.

#include "main/WorkListIndex.h"

#include "platform/files/Files.h"
#include "platform/pump/Pump.h"

#include <QFile>

#include <array>
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

// One line of the bytes read: where its text begins and ends, where the next
// line begins, and whether its end is certain (a CR at the very end may still
// be followed by LF; a line without an end may still grow).
struct LineSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
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
            lines.push_back({pos, end, size, false});
            break;
        }
        const qsizetype next = end + ((bytes[end] == '\r' && bytes[end + 1] == '\n') ? 2 : 1);
        lines.push_back({pos, end, next, true});
        pos = next;
    }
    return lines;
}

// stat() of path, through lstat() first so that a symbolic link is known:
// the events of the folder a link lies in tell nothing of its target.
bool StatFile(const QByteArray& path, struct stat& info, bool& link)
{
    if (::lstat(path.constData(), &info) != 0)
        return false;
    link = S_ISLNK(info.st_mode);
    return !link || ::stat(path.constData(), &info) == 0;
}

// Nothing happened to a watched file as far as the events read tell; they
// are read once a yield, for every list at once.
bool UntouchedAt(const platform::FileWatch& watch, unsigned long long yield)
{
    static std::optional<unsigned long long> read;
    if (read != yield) {
        platform::ReadFileEvents();
        read = yield;
    }
    return platform::Untouched(watch);
}

// Whether two paths name one list, letter case ignored. Most calls are told
// apart without folding: by the lengths, by the very same text, or by the
// last letter that differs in the file name when both are ASCII letters of
// another kind (case folding maps each character to one of the same place).
bool SamePath(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    for (qsizetype i = a.size() - 1; i >= 0 && i >= a.size() - 16; --i) {
        const char16_t x = a.at(i).unicode();
        const char16_t y = b.at(i).unicode();
        if (x == y)
            continue;
        if (x < 128 && y < 128 && lower(x) != lower(y))
            return false;
        break;
    }
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

std::map<QString, std::unique_ptr<WorkListIndex>>& Registry()
{
    static std::map<QString, std::unique_ptr<WorkListIndex>> registry;
    return registry;
}

} // namespace

WorkListIndex& WorkListIndex::For(const QString& listName)
{
    static const bool observing = [] {
        platform::ObserveOwnChanges(&WorkListIndex::OwnChange);
        return true;
    }();
    Q_UNUSED(observing);
    // Asked for a few lists by the same names many times a page: the very
    // string asked with last time finds its index without hashing it (a
    // string that shares another's characters holds the same text), any
    // name as given without folding it first.
    struct Recent {
        QString name;
        WorkListIndex* index = nullptr;
    };
    static std::array<Recent, 4> recent;
    static size_t nextRecent = 0;
    for (const Recent& known : recent) {
        if (known.index != nullptr && known.name.size() == listName.size() &&
            known.name.constData() == listName.constData())
            return *known.index;
    }
    static QHash<QString, WorkListIndex*> byGivenName;
    WorkListIndex* index = byGivenName.value(listName);
    if (index == nullptr) {
        std::unique_ptr<WorkListIndex>& owned = Registry()[listName.toCaseFolded()];
        if (!owned)
            owned.reset(new WorkListIndex(listName));
        index = owned.get();
        byGivenName.insert(listName, index);
    }
    recent[nextRecent] = Recent{listName, index};
    nextRecent = (nextRecent + 1) % recent.size();
    return *index;
}

WorkListIndex::WorkListIndex(QString listName) : listName_(std::move(listName)) {}

void WorkListIndex::OwnChange(const QString& linuxPath, const QByteArray* appended)
{
    for (auto& entry : Registry()) {
        WorkListIndex& index = *entry.second;
        if (!linuxPath.isEmpty() && !SamePath(linuxPath, index.linuxPath_))
            continue;
        if (appended != nullptr && index.checked_ && index.snapshot_.size >= 0 &&
            linuxPath == index.linuxPath_) {
            index.tail_ += *appended;
            index.parsed_ = false;
            index.ownAppends_ = true;
        } else {
            index.checked_ = false;
        }
    }
}

bool WorkListIndex::HoldsName(const QString& localName)
{
    Refresh();
    const QString key = localName.toCaseFolded();
    return names_.contains(key) || (hasPendingName_ && pendingName_.toCaseFolded() == key);
}

bool WorkListIndex::HoldsUrl(const QString& url)
{
    return NameOfUrl(url).has_value();
}

std::optional<QString> WorkListIndex::NameOfUrl(const QString& url)
{
    return NameOfUrlKey(UrlKey(url));
}

QString WorkListIndex::UrlKey(const QString& url)
{
    return url.toCaseFolded();
}

std::optional<QString> WorkListIndex::NameOfUrlKey(const QString& key)
{
    Refresh();
    const auto found = urls_.constFind(key);
    if (found != urls_.constEnd())
        return *found;
    if (hasPendingUrl_ && UrlKey(pendingUrl_) == key)
        return pendingName_;
    return std::nullopt;
}

void WorkListIndex::Clear()
{
    snapshot_ = Snapshot();
    committed_ = 0;
    tail_.clear();
    parsed_ = true;
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
    const unsigned long long yield = platform::YieldCount();
    if (!checked_ || checkedYield_ != yield) {
        // A watched file no event named since it was compared is as it was;
        // the program's own appends have reached the index already.
        if (!checked_ || !watched_ || !UntouchedAt(watch_, yield))
            Check();
        checked_ = true;
        checkedYield_ = yield;
        ownAppends_ = false;
    }
    if (!parsed_)
        Parse();
}

void WorkListIndex::Check()
{
    Snapshot now;
    now.takenNs = ClockNow();
    struct stat info {};
    bool link = false;
    watched_ = false;
    const bool plain = platform::IsPlainName(listName_);
    // A bare name that still names the file read last needs no path lookup.
    const bool sameByName = snapshot_.size >= 0 && plain &&
                            StatFile(QFile::encodeName(listName_), info, link) &&
                            S_ISREG(info.st_mode) && uint64_t(info.st_dev) == snapshot_.device &&
                            uint64_t(info.st_ino) == snapshot_.inode;
    const QString linuxPath = sameByName            ? linuxPath_
                              : listName_.isEmpty() ? QString()
                                                    : platform::ToLinuxPath(listName_);
    if (!sameByName &&
        (linuxPath.isEmpty() || !StatFile(QFile::encodeName(linuxPath), info, link) ||
         !S_ISREG(info.st_mode))) {
        Clear();
        linuxPath_ = linuxPath;
        return;
    }
    now.device = info.st_dev;
    now.inode = info.st_ino;
    now.size = info.st_size;
    now.changedNs = qMax(Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim));
    // Watched from before the comparison, so that a change made during it
    // is seen at the next yield. A bare name only: it is looked up in the
    // current directory, whatever happens to the paths above it.
    const bool watchable =
        !link && plain &&
        platform::Watch(linuxPath.mid(linuxPath.lastIndexOf(QLatin1Char('/')) + 1), info, watch_);

    const bool sameFile = linuxPath == linuxPath_ && snapshot_.size >= 0 &&
                          now.device == snapshot_.device && now.inode == snapshot_.inode &&
                          now.size >= committed_;
    const int64_t known = committed_ + tail_.size();
    // Unchanged since a comparison made long enough after its last change
    // or after the program's own append, or changed only by what the program
    // appended itself.
    const bool quiet = now.changedNs == snapshot_.changedNs &&
                       (ownLastChange_ || snapshot_.takenNs - snapshot_.changedNs >= TrustAfterNs);
    // An empty file read as empty holds nothing, whenever it was changed.
    const bool empty = now.size == 0 && known == 0;
    if (sameFile && now.size == known && (quiet || ownAppends_ || empty)) {
        if (!quiet && !empty)
            ownLastChange_ = true;
        snapshot_ = now;
        watched_ = watchable;
        return;
    }
    ownLastChange_ = false;

    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(listName_, platform::OpenMode::Input, number) != 0) {
        Clear();
        linuxPath_ = linuxPath;
        return;
    }
    if (!sameFile || !SamplesMatch(number))
        Clear();
    linuxPath_ = linuxPath;
    QByteArray bytes;
    if (platform::Seek(number, committed_) == 0 &&
        platform::GetBytes(number, now.size - committed_, bytes) == 0) {
        tail_ = bytes;
        parsed_ = false;
    }
    platform::Close(number);
    snapshot_ = now;
    watched_ = watchable;
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

void WorkListIndex::Parse()
{
    parsed_ = true;
    const qsizetype first =
        committed_ == 0 && tail_.startsWith(ByteOrderMark) ? ByteOrderMark.size() : 0;
    const std::vector<LineSpan> lines = SplitLines(tail_, first);
    auto text = [this](const LineSpan& line) {
        return platform::DecodeLine(tail_.mid(line.begin, line.end - line.begin));
    };

    pendingUrl_.clear();
    pendingName_.clear();
    hasPendingUrl_ = false;
    hasPendingName_ = false;
    qsizetype consumed = 0;
    for (size_t i = 0; i < lines.size(); i += 2) {
        const QString url = text(lines[i]);
        const bool hasName = i + 1 < lines.size();
        const QString name = hasName ? text(lines[i + 1]) : QString();
        if (hasName && lines[i + 1].certain) {
            const QString key = UrlKey(url);
            if (!urls_.contains(key))
                urls_.insert(key, name);
            names_.insert(name.toCaseFolded());
            consumed = lines[i + 1].next;
            continue;
        }
        pendingUrl_ = url;
        hasPendingUrl_ = true;
        pendingName_ = name;
        hasPendingName_ = hasName;
    }
    if (consumed == 0)
        return;

    const QByteArray taken = tail_.left(consumed);
    if (head_.size() < SampleBytes)
        head_ += taken.left(SampleBytes - head_.size());
    boundary_ = (boundary_ + taken.right(SampleBytes)).right(SampleBytes);
    committed_ += consumed;
    tail_.remove(0, consumed);
}
