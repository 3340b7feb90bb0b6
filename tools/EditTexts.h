#pragma once
// The list editor's texts built from the text table: the count label of a
// listing, the log frame's caption, the question of arrange and remove and
// their log line. Counts are written as plain decimal numbers.

#include <QString>

#include <cstdint>

namespace edittexts {

// While a listing runs: "KELPA.GOT, 12 links (Click here to stop listing)".
QString ListingProgress(const QString& fileName, int32_t count);
// At its end: no links, one link, or the count, marked incomplete when the
// listing was stopped or closed before the end of the file.
QString ListingResult(const QString& fileName, int32_t count, bool toTheEnd);

// "KELPA.LOG (1234 bytes)" for a log of size bytes; "KELPA.LOG (0 bytes)"
// for none.
QString LogCaption(int64_t size);
QString NoLogCaption();

// Title of the boxes of both commands: "Kelpa [KELPA.NOT]".
QString ListTitle();
// The question after the passes, and its title for arrange (text 58) or
// remove (text 59).
QString FoundQuestion(int32_t selected, int32_t total);
QString QuestionTitle(bool arrange);
// The log line after a replacement: "Remove links (KELPA.NOT): 3 link(s)
// with 'banner' found."
QString ResultLine(bool arrange, int32_t selected, const QString& search);

} // namespace edittexts
