// The start pages known to have been saved: the last run's, and the entries
// of a download directory's index page.

#include "main/StartPages.h"

#include "main/Naming.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>

namespace startpages {

namespace {

struct LastRun {
    QString typedUrl;
    QString namedUrl;
    QString folder;
    QString fileName;
};

LastRun& Last()
{
    static LastRun last;
    return last;
}

// What tells that a file changed: its length and modification time.
struct Stamp {
    qint64 size = -1;
    QDateTime modified;
    bool operator==(const Stamp&) const = default;
};

Stamp StampOf(const QString& linuxPath)
{
    const QFileInfo info(linuxPath);
    if (linuxPath.isEmpty() || !info.isFile())
        return {};
    return {info.size(), info.lastModified()};
}

// The entries of the index page last read: URL key -> name of its last entry.
struct IndexEntries {
    QString linuxPath;
    Stamp stamp;
    bool read = false;
    QHash<QString, QString> names;
};

IndexEntries& Entries()
{
    static IndexEntries entries;
    return entries;
}

// A URL without its scheme and letter case: the index page shows the URL as
// it was requested, with or without its scheme.
QString UrlKey(const QString& url)
{
    const QString key = platform::Trim(url);
    return key.mid(naming::SchemeLength(key)).toCaseFolded();
}

// Reads the entries: a line "<a href="name">" followed by a line "url</a>".
void Read(IndexEntries& entries, const QString& indexPage)
{
    entries.names.clear();
    entries.read = true;
    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(indexPage, platform::OpenMode::Input, number) != 0)
        return;
    static const QString open = QStringLiteral("<a href=\"");
    static const QString close = QStringLiteral("\">");
    static const QString end = QStringLiteral("</a>");
    QString previous;
    QString line;
    while (!platform::Eof(number) && platform::LineInput(number, line) == 0) {
        if (previous.startsWith(open) && previous.endsWith(close) &&
            previous.size() > open.size() + close.size() && line.endsWith(end))
            entries.names.insert(
                UrlKey(line.chopped(end.size())),
                previous.mid(open.size(), previous.size() - open.size() - close.size()));
        previous = line;
    }
    platform::Close(number);
}

// The entries of indexPage, read again when it is another page or changed.
IndexEntries& Current(const QString& indexPage)
{
    IndexEntries& entries = Entries();
    const QString linuxPath = platform::ToLinuxPath(indexPage);
    const Stamp stamp = StampOf(linuxPath);
    if (!entries.read || entries.linuxPath != linuxPath || !(entries.stamp == stamp)) {
        entries.linuxPath = linuxPath;
        entries.stamp = stamp;
        Read(entries, indexPage);
    }
    return entries;
}

} // namespace

void NoteLastRun(const QString& typedUrl, const QString& namedUrl, const QString& folder,
                 const QString& fileName)
{
    Last() = {typedUrl, namedUrl, folder, fileName};
}

QString LastRunName(const QString& url, const QString& folder)
{
    const LastRun& last = Last();
    if (url.isEmpty() || last.folder != folder || (url != last.typedUrl && url != last.namedUrl))
        return {};
    return last.fileName;
}

void ForgetLastRun()
{
    Last() = {};
}

std::optional<QString> IndexedName(const QString& indexPage, const QString& url)
{
    const IndexEntries& entries = Current(indexPage);
    const auto entry = entries.names.constFind(UrlKey(url));
    if (entry == entries.names.cend())
        return std::nullopt;
    return *entry;
}

void NoteIndexed(const QString& indexPage, const QString& name, const QString& url)
{
    IndexEntries& entries = Entries();
    const QString linuxPath = platform::ToLinuxPath(indexPage);
    if (!entries.read || entries.linuxPath != linuxPath) {
        entries.read = false;
        return;
    }
    entries.names.insert(UrlKey(url), name);
    entries.stamp = StampOf(linuxPath);
}

} // namespace startpages
