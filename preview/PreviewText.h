#pragma once
// The text preview without widgets: which names are read as HTML, how one
// line loses its markup, and the reading of up to 101 lines of a file on a
// stream of its own (the file the transfer writes is never touched).

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>

namespace preview {

// ".HTM", ".SHT", "HTML", ".ASP", ".PHP": the last four characters of name,
// compared in upper case.
bool IsHtmlName(const QString& name);

// Removes tags ("<" ... ">"; a lone "<" cuts the line before it, a lone ">"
// keeps what follows it), at most 101 passes.
QString WithoutTags(QString line);
// Removes entities ("&" ... ";") from a moving search position, at most 101
// passes.
QString WithoutEntities(QString line);

// The text of an HTML file's lines as the preview lists it, line by line:
// a tag of a block element (a paragraph, a heading, a list item, a table
// cell, a line break ...) ends a listed line; the text of style and script
// elements is left out, also where it runs over several lines; what is left
// of each listed line loses its tags and entities (WithoutTags,
// WithoutEntities), and blank ones are dropped.
class HtmlText {
public:
    // The listed lines one line of the file gives.
    QStringList Lines(const QString& line);

private:
    QString rawEnd_; // "</style" or "</script" while inside such an element
};

// Reads a file line by line: CR LF, LF or CR end a line; each line is UTF-8
// when valid, else Windows-1252. A line longer than MaxLineBytes shows its
// first MaxLineBytes (cut at a character boundary) and the rest of it is
// skipped; after MaxReadBytes the file counts as ended.
class LineReader {
public:
    static constexpr qint64 MaxLineBytes = 64 * 1024;
    static constexpr qint64 MaxReadBytes = 1024 * 1024;

    // Opens the Linux path read-only; false when it cannot be read.
    bool Open(const QString& linuxPath);
    // The next line; false at the end of the file.
    bool ReadLine(QString& line);

private:
    bool Fill();

    QFile file_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    qint64 readTotal_ = 0;
    bool ended_ = false;
};

// What HTMLLesen lists of a file, line by line: at most 101 lines read; an
// HTML file's lines as HtmlText gives them; a plain file's lines
// as they stand; then "..." when more than 100 lines were read.
// beforeLine runs before each line is read and afterLine after each line
// was handled; either returning false ends the reading at once (no "...").
// add receives each listed line. Returns false when the file could not be
// opened (nothing listed).
struct TextSteps {
    std::function<bool()> beforeLine;
    std::function<bool()> afterLine;
    std::function<void(const QString&)> add;
};
bool ReadTextLines(const QString& linuxPath, bool html, const TextSteps& steps);

} // namespace preview
