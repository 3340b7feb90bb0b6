#pragma once
// The scheduler's rules over plain numbers and texts: the clock it reads, the
// texts of its value labels, the steps of a click on a label, the start-time
// display of a delayed start and the progress caption of the duration.

#include <QDateTime>
#include <QString>

#include <cstdint>

namespace schedule {

// --- the clock ------------------------------------------------------------------
// The one clock the scheduler reads: the system clock, or the moment a test
// set. An invalid moment gives the system clock back.
QDateTime Now();
void SetNow(const QDateTime& moment);
// The time of day ("14:05:33") and the date of Now(), as platform::TimeText
// and platform::DateText write them.
QString ClockText();
QString DateText();

// --- minutes left ---------------------------------------------------------------
// The minutes left as the scheduler's captions and log lines write them after
// their text: the digits and a "'", with no blank before (42 -> "42'").
QString MinutesLeft(int left);

// --- value labels ---------------------------------------------------------------
// "20 min" for 20.
QString MinutesLabel(int minutes);
// A delay in tenths of an hour as the Zeit label shows it: all but the last
// digit, ".", the last digit, " h" (80 -> "8.0 h", 5 -> ".5 h").
QString TenthsLabel(int tenths);
// The number in a label less its last three characters ("60 min" -> 60).
int16_t LabelNumber(const QString& caption);

// The value a click on a label steps to from v (shown units). Each stays
// within its scroll bar's range: Dauer 1 ... 720 min, Repeat 1 ... 1440 min,
// Zeit 1 ... 3360 tenths of an hour. A repeat of 721 ... 1380 min steps to
// 1440, never past it.
int DauerStep(int v);
int RepeatStep(int v);
int ZeitStep(int tenths);

// --- captions -------------------------------------------------------------------
// "Start: " & the clock without seconds & " " & ("PM " in 12-hour form) & "+ " &
// zeitCaption & " = " & the start time (& " PM " in 12-hour form), for a
// delayed start armed at startClock (24-hour "14:05:33" or 12-hour
// "2:05:33 PM") with a delay of tenths of an hour. Days are not shown.
QString StartDisplay(const QString& startClock, int tenths, const QString& zeitCaption);

struct DurationDisplay {
    QString caption;
    QString percentText; // empty unless both byte counts are known
};
// The transfer window's caption while a run lasts under a duration: the bytes
// and percentage of the transfer under way, else the minutes left. Byte counts
// of any size; the percentage is computed in 64 bits.
DurationDisplay DurationCaption(int64_t bytesReceived, int64_t contentLength, bool repeat,
                                int16_t repeatLeft, int16_t durationLeft);

} // namespace schedule
