#pragma once
// The main window's status line as text: composed from the run's counters,
// and the count of URLs left put into a line composed before. Pure text work
// over the shared state; nothing here touches a window.

#include <QString>

#include <cstdint>
#include <optional>

struct StatusCounters {
    QString runStartTime; // hours and minutes of the run's start; empty before any run
    int32_t urlsLeft = 0;
    int32_t filesLoaded = 0;
    int32_t filesKept = 0;
    int64_t bytesLoaded = 0;
    int64_t bytesKept = 0;
};

// The counters as the shared state (module KELPA) holds them now.
StatusCounters CurrentStatusCounters();

// A byte total as the status line shows it: grouped by thousands with ","
// from 1 on ("1,234,567"), a plain decimal below 1 ("0", "-5").
QString StatusBytes(int64_t bytes);

// The totals line the log gets at the end of a run and at the exit: head,
// bytes transferred/saved, files transferred/saved, framed by "******".
QString TotalsLine(const QString& head);

// The status line (StatusLineText) in the language of LanguageText:
// [" Start  " time SEP] " Links  " left SEP " Files  " loaded " / " kept
// "  (Transferred/Saved)" SEP " bytes  " B(loaded) " / " B(kept),
// SEP being five blanks, "||" and four blanks. Counts carry no blanks.
QString ComposeStatusLine(const StatusCounters& counters);

// line (a status line as shown) with the count after the text "Links"
// replaced by urlsLeft: the text up to two characters past "Links", the count,
// then the line from five characters before the first "|" after "Links".
// Empty when line holds no "Links" followed by a "|": the caller then composes
// the whole line again.
std::optional<QString> StatusLineWithUrlsLeft(const QString& line, int32_t urlsLeft);
