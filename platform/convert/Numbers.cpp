// Numbers to text and text to numbers, by fixed rules that are independent
// of the user's locale (the decimal point is always ".").

#include "platform/convert/Convert.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace platform {

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// A number read from a text: its characters in plain ASCII for toDouble, the
// position after it, and whether it had a digit at all.
struct Scan {
    QByteArray number;
    qsizetype end = 0;
    bool hasDigit = false;
};

// Reads sign, digits, point, fraction and exponent from position i; with
// skipBlanks, blanks between its characters are passed over.

Scan scanNumber(const QString& text, qsizetype i, bool skipBlanks)
{
    Scan scan;
    const auto skip = [&](qsizetype at) {
        while (skipBlanks && at < text.size() && isBlank(text.at(at)))
            ++at;
        return at;
    };
    const auto digits = [&](qsizetype at, bool& any) {
        for (at = skip(at); at < text.size() && isDigit(text.at(at)); at = skip(at + 1)) {
            scan.number.append(char(text.at(at).unicode()));
            any = true;
        }
        return at;
    };
    i = skip(i);
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        scan.number.append(char(text.at(i++).unicode()));
    i = digits(i, scan.hasDigit);
    if (i < text.size() && text.at(i) == QLatin1Char('.')) {
        scan.number.append('.');
        i = digits(i + 1, scan.hasDigit);
    }
    scan.end = i;
    if (!scan.hasDigit || i >= text.size())
        return scan;
    const QChar marker = text.at(i).toUpper();
    if (marker != QLatin1Char('E') && marker != QLatin1Char('D'))
        return scan;
    // An exponent counts only with a digit; otherwise the number ends before it.
    const qsizetype mantissaSize = scan.number.size();
    scan.number.append('e');
    qsizetype at = skip(i + 1);
    if (at < text.size() && (text.at(at) == QLatin1Char('-') || text.at(at) == QLatin1Char('+')))
        scan.number.append(char(text.at(at++).unicode()));
    bool exponentDigit = false;
    at = digits(at, exponentDigit);
    if (exponentDigit)
        scan.end = at;
    else
        scan.number.truncate(mantissaSize);
    return scan;
}

double roundHalfEven(double value)
{
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest > 0.5)
        return below + 1;
    if (rest < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

template <typename T> T roundTo(double value, bool* ok)
{
    constexpr double low = std::numeric_limits<T>::min();
    constexpr double high = std::numeric_limits<T>::max();
    bool fits = !std::isnan(value);
    double rounded = fits ? roundHalfEven(value) : 0;
    if (rounded < low || rounded > high) {
        fits = false;
        rounded = rounded < low ? low : high;
    }
    if (ok != nullptr)
        *ok = fits;
    return static_cast<T>(rounded);
}

} // namespace

QString StrInteger(int64_t value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

QString Str(double value)
{
    if (value == 0)
        return QStringLiteral(" 0");
    QString text = QString::number(value, 'G', 15);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return value < 0 ? text : QLatin1Char(' ') + text;
}

QString FormatInteger(int64_t value, const QString& pattern)
{
    const uint64_t magnitude = value < 0 ? 0 - uint64_t(value) : uint64_t(value);
    QString digits = magnitude == 0 ? QString() : QString::number(magnitude);
    const qsizetype forced = pattern.count(QLatin1Char('0'));
    if (digits.size() < forced)
        digits.prepend(QString(forced - digits.size(), QLatin1Char('0')));
    if (pattern.contains(QLatin1Char(','))) {
        // Asked for twice a file by the status line: the default locale's
        // separator, taken anew only when that locale changed.
        static QLocale locale;
        static QString separator = locale.groupSeparator();
        if (const QLocale current; current != locale) {
            locale = current;
            separator = locale.groupSeparator();
        }
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            digits.insert(at, separator);
    }
    return value < 0 && !digits.isEmpty() ? QLatin1Char('-') + digits : digits;
}

double Val(const QString& text)
{
    const Scan scan = scanNumber(text, 0, true);
    return scan.hasDigit ? scan.number.toDouble() : 0;
}

double CDbl(const QString& text, bool* ok)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == QLatin1Char(' '))
        ++start;
    const Scan scan = scanNumber(text, start, false);
    qsizetype end = scan.end;
    while (end < text.size() && text.at(end) == QLatin1Char(' '))
        ++end;
    const bool valid = scan.hasDigit && end == text.size();
    if (ok != nullptr)
        *ok = valid;
    return valid ? scan.number.toDouble() : 0;
}

int16_t CInt(double value, bool* ok)
{
    return roundTo<int16_t>(value, ok);
}

int32_t CLng(double value, bool* ok)
{
    return roundTo<int32_t>(value, ok);
}

int16_t CInt(const QString& text, bool* ok)
{
    bool valid = false;
    const double value = CDbl(text, &valid);
    const int16_t result = valid ? CInt(value, &valid) : 0;
    if (ok != nullptr)
        *ok = valid;
    return result;
}

int32_t CLng(const QString& text, bool* ok)
{
    bool valid = false;
    const double value = CDbl(text, &valid);
    const int32_t result = valid ? CLng(value, &valid) : 0;
    if (ok != nullptr)
        *ok = valid;
    return result;
}

} // namespace platform
