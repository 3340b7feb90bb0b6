#pragma once
// The site lists of the options window ("Only URLs with", "No URLs with"):
// blank-separated words, the "http://" prefixes a user pastes into them, and
// the entries the "Dirs" button derives from a URL.

#include <QSet>
#include <QString>

namespace settings {

// True when text holds "http://" in any letter case.
bool HoldsHttpPrefix(const QString& text);

// The box text after the prefix removal: every "http://" (any letter case)
// overwritten by seven blanks, the text trimmed before each overwrite as
// the box was re-read, so the last overwrite's blanks stay. One word gives
// seven leading blanks; two give the words eight blanks apart. A text
// without a prefix comes back unchanged. Linear in the text's length.
QString WithoutHttpPrefixes(const QString& text);

// The URL without a leading "http://" (compared in capitals).
QString WithoutHttpScheme(const QString& url);

// The entry "Dirs" adds for a URL (trimmed, scheme dropped): "/dir/" for the
// directory holding the page when the path names one (host/a/dir/page.html,
// host/dir/); else the host with its port, which is no directory and is
// added only when the user agrees.
struct SiteEntry {
    QString entry;
    bool directory = false;
};
SiteEntry OnlySiteEntry(const QString& url);

// The duplicate test of a site list: an entry, trimmed, is listed when it
// equals one of the list's blank-separated words without regard to letter
// case. The words are kept in a set, so that adding N entries costs about N.
class SiteWordSet {
public:
    explicit SiteWordSet(const QString& list);
    bool contains(const QString& entry) const;
    void add(const QString& entry);

private:
    QSet<QString> words_;
};

// A site list extended entry by entry, as the duplicate test leaves it: a
// text that is not empty is trimmed and followed by one blank before each
// lookup, and a new entry follows that blank. The text is trimmed once and
// the words are kept in a set, so that N entries cost about N.
class SiteListText {
public:
    explicit SiteListText(const QString& text);
    // The duplicate test (the text given its blank first).
    bool Listed(const QString& entry);
    void Add(const QString& entry);
    const QString& Text() const { return text_; }

private:
    void Normalise();

    QString text_;
    SiteWordSet words_;
    bool normalised_ = false; // text_ ends in the blank the lookup leaves
    bool trimmed_ = false;    // the base text was trimmed once
};

} // namespace settings
