#pragma once
// Work-list records as the list editor reads them: two lines per record (the
// URL, then the local name), the last one possibly of a single line after an
// interrupted write or a hand edit. The rule that selects a record by a search
// text, the passes of arrange and remove over a list, and the replacement of
// the list by what the passes wrote. Paths are program paths; files are open
// under numbers of their own from the one file table.

#include <QString>

#include <cstdint>
#include <functional>

namespace listrecords {

struct Record {
    QString Url;
    QString Name;
    bool HasName = false; // false for a last record of one line
};

// A record counts when its first line holds more than blanks.
bool Counts(const QString& urlLine);

// The search text of a typed text: without leading and trailing blanks.
// Empty when the text holds nothing else: such a text selects nothing.
QString SearchText(const QString& typed);

// A record is selected when its URL contains the search text, compared
// without regard to letter case; the local name is not looked at. An empty
// search text selects nothing.
bool Selects(const Record& record, const QString& search);

// Reads records under an open input file number. beforeLine runs before each
// line is read (a listing yields there).
class RecordReader {
public:
    explicit RecordReader(int fileNumber, std::function<void()> beforeLine = {});
    // The next record; false at the end of the file or when nothing could be
    // read. The second line is read unless the end of the file came first.
    bool Next(Record& record);

private:
    int fileNumber_;
    std::function<void()> beforeLine_;
};

enum class Pick { Selected, Others };

struct PassResult {
    int32_t Count = 0; // records picked
    int64_t Bytes = 0; // bytes written for them
    int Error = 0;     // 0, or the file error that ended the pass early
};

// One pass over list: reads it record by record from the start, calling
// yield before each record, and counts the records pick names for search.
// When target is an open output file number, writes each picked record to
// it as two lines; a last record of one line gets an empty name line.
PassResult RecordPass(const QString& list, const QString& search, Pick pick, int target,
                      const std::function<void()>& yield);

// What identifies a file's contents between two looks: its length, its time
// of change and its inode. A missing file has Size -1.
struct FileStamp {
    int64_t Size = -1;
    int64_t ChangedNs = 0;
    uint64_t Inode = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const QString& path);

// Replaces list by the scratch file as a whole, when the scratch file holds
// exactly expectedBytes: the scratch file takes the list's place in one
// step. Returns 0, or the error that left list as it was.
int ReplaceList(const QString& list, const QString& scratch, int64_t expectedBytes);

} // namespace listrecords
