#pragma once
// What a work list holds, without reading the whole list for every question.
//
// A work list is a text file of records of two lines, the URL and the local
// file name. Its writers only ever append whole lines, empty it, copy another
// list over it or delete it; they know nothing of this index. The index keeps
// the sets of local names and of URLs (both case-folded) of the records it
// has read. What the program itself appends to the list reaches the index
// from the file layer and is answered from memory; any other change the
// program makes to the list, and every yield to the event loop (through which
// other processes' changes are seen) after which the watch of the list and
// its folder names it or cannot be trusted, makes the next answer compare the
// file with what was read: a file that only grew is read from the last complete
// record on; a file that shrank, was replaced or whose first or last read
// bytes changed is read again from the start. Its answers are those of
// reading the list record by record from the start, lines ending in CR LF, LF
// or CR and decoded as the file layer decodes them; a missing list holds
// nothing.

#include "platform/files/Files.h"

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <cstdint>
#include <optional>

class WorkListIndex {
public:
    // The index of the list of that name (relative to the current directory,
    // or a full path); names are matched case-blind, as the file layer does.
    static WorkListIndex& For(const QString& listName);

    WorkListIndex(const WorkListIndex&) = delete;
    WorkListIndex& operator=(const WorkListIndex&) = delete;

    // A record's second line equals localName, letter case ignored, as the
    // file layer matches names: the two name one file.
    bool HoldsName(const QString& localName);
    // A record's first line equals url, letter case ignored.
    bool HoldsUrl(const QString& url);
    // The second line of the first record whose first line equals url, letter
    // case ignored (empty when that record has no second line yet); nothing
    // when no record holds url.
    std::optional<QString> NameOfUrl(const QString& url);
    // The same for a URL already made a key, for one URL asked of several
    // lists.
    static QString UrlKey(const QString& url);
    std::optional<QString> NameOfUrlKey(const QString& key);

private:
    explicit WorkListIndex(QString listName);

    // What stat told about the file when it was last read.
    struct Snapshot {
        uint64_t device = 0;
        uint64_t inode = 0;
        int64_t size = -1;
        int64_t changedNs = 0; // the later of the data and status change times
        int64_t takenNs = 0;   // the clock when the snapshot was taken
    };

    void Refresh();
    void Check();
    void Clear();
    bool SamplesMatch(int fileNumber);
    void Parse();
    static void OwnChange(const QString& linuxPath, const QByteArray* appended);

    QString listName_;
    QString linuxPath_; // as last resolved, also while the list is missing
    Snapshot snapshot_;
    bool checked_ = false; // compared with the file since the last own change but appends
    unsigned long long checkedYield_ = 0; // the yield count at that comparison
    platform::FileWatch watch_;           // the list and its folder, watched since
    bool watched_ = false;                // watch_ tells of every change since the comparison
    bool ownAppends_ = false;             // the program appended to the list since
    bool ownLastChange_ = false; // the last change of the file seen was the program's append
    int64_t committed_ = 0;      // bytes of complete records read (a byte order mark included)
    QByteArray tail_;            // the bytes after committed_, as far as known
    bool parsed_ = true;         // tail_ holds no record not yet taken in
    QByteArray head_;            // the first bytes of the file, up to committed_
    QByteArray boundary_;        // the bytes before committed_
    QSet<QString> names_;
    QHash<QString, QString> urls_; // case-folded URL: the name of its first record
    // The record after the last complete one, as a reader would see it now:
    // a URL line, and a name line, still without a certain end.
    QString pendingUrl_;
    QString pendingName_;
    bool hasPendingUrl_ = false;
    bool hasPendingName_ = false;
};
