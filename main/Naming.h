#pragma once
// The rules that turn a URL into a local name below the download directory,
// and the numbering rules that make a taken name free. Pure functions over
// plain values: they read no shared variable, touch no file and never yield
// to the message loop (a name is built in one go, however many passes a
// replacement takes).

#include <QString>

#include <cstdint>

namespace naming {

// The length of the scheme and "://" that url begins with: a letter, then
// letters, digits, "+", "-" or ".", then "://" ("http://", "svn+ssh://"); 0
// when it begins with none, as "a//b.html" and "go.html?to=http://x/" do.
qsizetype SchemeLength(QStringView url);

// Longest local name component, in UTF-8 bytes (what Linux file systems take).
constexpr int MaxComponentBytes = 255;

enum class Mode {
    Fetch,      // the URL about to be fetched (an empty mode text)
    Inline,     // "InlineNamen": a link found in a page
    SubDirOnly, // "NurSubDir": the directory part only
};
Mode ModeOf(const QString& mode);

struct Input {
    QString link; // the URL as found
    Mode mode = Mode::Fetch;
    bool subDirectories = true;
    bool longFilenames = true;
    QString directory;       // the download directory, ending in "\"
    QString unknownName;     // the name of a file part that is empty
    int16_t nameAltered = 0; // kept (and only ever raised) in SubDirOnly mode
};

struct Result {
    QString link;              // normalised URL (SubDirOnly: only a "/" added to a bare host)
    bool showLink = false;     // the URL box should show link: its scheme or host "/" was added
    QString fileDirectory;     // relative, "\"-separated and ending in "\" with subdirectories
    QString fileName;          // empty in SubDirOnly mode
    QString localFileName;     // empty in SubDirOnly mode
    bool hasExtension = false; // short names: fileExtension holds the 8.3 extension
    QString fileExtension;
    int16_t nameAltered = 0; // 1 when characters were replaced or folded
};

// Names one URL. Whatever the URL holds, directory & fileDirectory & fileName
// stays inside directory: no "." or ".." component, no empty or absolute
// component, no control character, no component longer than
// MaxComponentBytes (a long file name keeps its extension), none named as
// a part file or the list of saved files.
Result LocalName(const Input& input);

// base & tail, with base shortened (whole characters) so that the result fits
// one component; a tail too long to keep is cut with the rest.
QString FitComponent(const QString& base, const QString& tail);

// Numbering of long names: FileName split at its last "." with a numbering
// suffix of an earlier pass ("(n)") removed from the base.
struct Numbering {
    QString base;
    QString extension; // empty when the name has no "."
};
Numbering NumberingOf(const QString& fileName);
// base & "(" & n & ")" & "." & extension (".html" when there is none).
QString NumberedName(const Numbering& numbering, int n);

// Numbering of short names: the base (before the first ".", after the
// directory part of a full path) padded with "_" to 8 characters.
Numbering ShortNumberingOf(const QString& fileName, const QString& directory);
// The base with its last characters replaced by the digits of n, "." and
// the extension (".htm" when there is none).
QString ShortNumberedName(const Numbering& numbering, int n);

} // namespace naming
