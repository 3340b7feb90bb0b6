#include "main/SavedFiles.h"

#include "main/Naming.h"
#include "platform/files/Files.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace savedfiles {

namespace {

// A list holding more than this many records beyond twice its paths is
// written anew when it is read whole.
constexpr qsizetype SpareRecords = 64;

struct Record {
    QString owner; // UrlKey of the URL
    QString url;   // as the list holds it
    QString path;  // below the directory, as the list holds it
};

struct List {
    QString directory;             // the download directory it lies in
    QString linuxPath;             // the list's, looked up once a run
    bool loaded = false;           // read since the run began
    int64_t read = 0;              // bytes of complete records read
    int64_t appended = 0;          // bytes this program appended since, not read back
    qsizetype records = 0;         // records read
    QHash<QString, Record> byPath; // folded path below the directory: its last record
};

List& Current()
{
    static List list;
    return list;
}

QString ListPath(const QString& directory)
{
    return directory + ListName;
}

// path below directory, "\"-separated, as the list writes it.
QString Relative(const QString& directory, const QString& path)
{
    QString relative =
        path.startsWith(directory, Qt::CaseInsensitive) && path.size() > directory.size()
            ? path.mid(directory.size())
            : path;
    return relative.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

QString PathKey(const QString& relative)
{
    return relative.toCaseFolded();
}

// Takes in the complete records of bytes, read from the list at offset;
// returns the bytes they take.
int64_t Parse(List& list, const QByteArray& bytes)
{
    qsizetype pos = 0;
    qsizetype committed = 0;
    QString lines[2];
    int line = 0;
    while (pos < bytes.size()) {
        const qsizetype end = bytes.indexOf('\n', pos);
        if (end < 0)
            break;
        const qsizetype textEnd = end > pos && bytes.at(end - 1) == '\r' ? end - 1 : end;
        lines[line] = platform::DecodeLine(bytes.mid(pos, textEnd - pos));
        pos = end + 1;
        if (++line < 2)
            continue;
        line = 0;
        committed = pos;
        ++list.records;
        if (lines[0].isEmpty() || lines[1].isEmpty())
            continue;
        list.byPath.insert(PathKey(lines[1]), Record{UrlKey(lines[0]), lines[0], lines[1]});
    }
    return committed;
}

// The list with one record a path: replaced whole, so that an abrupt end
// leaves the old one.
void WriteAnew(List& list)
{
    const int number = platform::FreeFile();
    if (number == 0 ||
        platform::Open(ListPath(list.directory), platform::OpenMode::Replace, number) != 0)
        return;
    int error = 0;
    QString text;
    for (const Record& record : std::as_const(list.byPath))
        text += record.url + QStringLiteral("\r\n") + record.path + QStringLiteral("\r\n");
    error = platform::PrintText(number, text);
    if (platform::Close(number) == 0 && error == 0) {
        list.read = platform::FileLen(ListPath(list.directory));
        list.records = list.byPath.size();
    }
}

// The list of directory as it stands on disk now.
List& Refreshed(const QString& directory)
{
    List& list = Current();
    if (list.directory != directory || !list.loaded) {
        list = List();
        list.directory = directory;
        list.linuxPath = platform::ToLinuxPath(ListPath(directory));
        list.loaded = true;
    }
    const QFileInfo info(list.linuxPath);
    const int64_t size = list.linuxPath.isEmpty() || !info.isFile() ? -1 : info.size();
    if (size == list.read + list.appended) {
        list.read = size;
        list.appended = 0;
        return list;
    }
    const bool whole = size < list.read || list.read == 0;
    if (whole) {
        list.byPath.clear();
        list.records = 0;
        list.read = 0;
    }
    list.appended = 0;
    QFile file(list.linuxPath);
    if (size <= 0 || !file.open(QIODevice::ReadOnly) || !file.seek(list.read))
        return list;
    list.read += Parse(list, file.readAll());
    file.close();
    if (whole && list.records > 2 * list.byPath.size() + SpareRecords)
        WriteAnew(list);
    return list;
}

} // namespace

bool IsListName(QStringView name)
{
    return name.size() == ListName.size() && name.compare(ListName, Qt::CaseInsensitive) == 0;
}

QString UrlKey(const QString& url)
{
    const QString trimmed = url.trimmed();
    return trimmed.mid(naming::SchemeLength(trimmed)).toCaseFolded();
}

QString OwnerOf(const QString& directory, const QString& path)
{
    const List& list = Refreshed(directory);
    const auto found = list.byPath.constFind(PathKey(Relative(directory, path)));
    return found == list.byPath.cend() ? QString() : found->owner;
}

int Note(const QString& directory, const QString& url, const QString& path)
{
    const QString relative = Relative(directory, path);
    const QString text = url.trimmed() + QStringLiteral("\r\n") + relative + QStringLiteral("\r\n");
    const int error = platform::AppendKept(ListPath(directory), text);
    List& list = Current();
    if (error == 0 && list.loaded && list.directory == directory) {
        list.byPath.insert(PathKey(relative), Record{UrlKey(url), url.trimmed(), relative});
        list.appended += text.toUtf8().size();
        ++list.records;
    }
    return error;
}

void Forget()
{
    Current() = List();
}

} // namespace savedfiles
