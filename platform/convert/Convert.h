#pragma once
// The string and number functions that the program relies on, under their
// own names and with fixed rules: positions count from 1, blanks are
// the space character only, and nothing here ever faults: a position or
// length outside the text is clamped as documented at each function.

#include <QDate>
#include <QString>
#include <QTime>

#include <concepts>
#include <cstdint>

namespace platform {

// --- numbers to text -----------------------------------------------------------
QString StrInteger(int64_t value);
// One blank before a number that is not negative: 5 -> " 5", -5 -> "-5".
template <std::integral T> QString Str(T value)
{
    return StrInteger(static_cast<int64_t>(value));
}
// Shortest form to 15 significant digits, no leading zero before the point:
// 0.5 -> " .5", -0.75 -> "-.75", 4.88 -> " 4.88", 1e15 -> " 1E+15".
QString Str(double value);

// Integer with a pattern of digit places: "#" (a digit when there is one),
// "0" (a digit always) and "," (digits grouped by thousands with the group
// separator of the locale, QLocale()). Format(1234567, "###,###") ->
// "1,234,567" in English, "1.234.567" in German; Format(0, "###,###") -> "".
QString FormatInteger(int64_t value, const QString& pattern);
template <std::integral T> QString Format(T value, const QString& pattern)
{
    return FormatInteger(static_cast<int64_t>(value), pattern);
}

// --- text to numbers -----------------------------------------------------------
// The number at the start of text: blanks anywhere are skipped, then a sign,
// digits, a "." and a fraction, an exponent ("E" or "D"); reading stops at the
// first character that cannot continue the number. No number gives 0.
// Val("  12 3abc") = 123, Val("-1.5e2x") = -150, Val("abc") = 0.
double Val(const QString& text);

// The whole text as a number (sign, digits, point, exponent as for Val):
// blanks around it are allowed; anything else, or no digit at all, makes *ok
// false and the result 0. Val("12abc") is 12, CDbl("12abc") is not a number.
double CDbl(const QString& text, bool* ok = nullptr);
// Rounding to a whole number, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). Out of range or not a number: *ok false, the result
// clamped to the type's limits (0 for not a number).
int16_t CInt(double value, bool* ok = nullptr);
int32_t CLng(double value, bool* ok = nullptr);
// CDbl, then rounded as above; *ok false when either step fails.
int16_t CInt(const QString& text, bool* ok = nullptr);
int32_t CLng(const QString& text, bool* ok = nullptr);

// --- texts ----------------------------------------------------------------------
QString Trim(const QString& text); // spaces only, not tabs or line ends
QString LTrim(const QString& text);
QString RTrim(const QString& text);
// start counts from 1; a start below 1 counts as 1, beyond the end gives "";
// a negative length gives "", a length past the end takes the rest.
QString Mid(const QString& text, qsizetype start, qsizetype length);
QString Mid(const QString& text, qsizetype start);    // to the end
QString Left(const QString& text, qsizetype length);  // negative: ""
QString Right(const QString& text, qsizetype length); // negative: ""
// Position (from 1) of find in text at or after start, 0 when absent. A start
// below 1 counts as 1. An empty find is found at start when start lies within
// the text. caseBlind compares letters without regard to case.
qsizetype InStr(qsizetype start, const QString& text, const QString& find, bool caseBlind = false);
qsizetype InStr(const QString& text, const QString& find, bool caseBlind = false);
// Position of the last occurrence of find that lies within the first start
// characters (-1: the whole text), 0 when absent or start is 0 or below -1.
qsizetype InStrRev(const QString& text, const QString& find, qsizetype start = -1,
                   bool caseBlind = false);
// Letter by letter: a letter whose capital is two letters ("ß") stays as it is.
QString UCase(const QString& text);
QString LCase(const QString& text);
// -1, 0 or 1: a before, equal to or after b when letter case is ignored.
int StrCompText(const QString& a, const QString& b);

// --- clock ----------------------------------------------------------------------
// The time of day as the program writes it into its log and captions:
// 24 hours, "14:05:33"; the date: "2024-03-07".
QString TimeText(const QTime& time = QTime::currentTime());
QString DateText(const QDate& date = QDate::currentDate());

} // namespace platform
