// Text functions and the texts of the clock (time and date as written).

#include "platform/convert/Convert.h"

namespace platform {

namespace {

const QLatin1Char Blank(' ');

Qt::CaseSensitivity sensitivity(bool caseBlind)
{
    return caseBlind ? Qt::CaseInsensitive : Qt::CaseSensitive;
}

// Maps every character by its one-to-one case mapping (never one letter to
// two); a pair of surrogates is mapped as one character, a lone one is kept.
template <typename Map> QString mapLetters(const QString& text, Map map)
{
    QString result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
        if (c.isHighSurrogate() && i + 1 < result.size() && result.at(i + 1).isLowSurrogate()) {
            const char32_t mapped = map(QChar::surrogateToUcs4(c, result.at(i + 1)));
            if (QChar::requiresSurrogates(mapped)) {
                result[i] = QChar(QChar::highSurrogate(mapped));
                result[i + 1] = QChar(QChar::lowSurrogate(mapped));
            }
            ++i;
        } else if (!c.isSurrogate()) {
            const char32_t mapped = map(c.unicode());
            if (!QChar::requiresSurrogates(mapped))
                result[i] = QChar(char16_t(mapped));
        }
    }
    return result;
}

} // namespace

QString LTrim(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == Blank)
        ++start;
    return text.mid(start);
}

QString RTrim(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == Blank)
        --end;
    return text.left(end);
}

QString Trim(const QString& text)
{
    return LTrim(RTrim(text));
}

QString Mid(const QString& text, qsizetype start, qsizetype length)
{
    if (length < 0)
        return QString();
    const qsizetype from = qMax<qsizetype>(start, 1) - 1;
    return from >= text.size() ? QString() : text.mid(from, length);
}

QString Mid(const QString& text, qsizetype start)
{
    return Mid(text, start, text.size());
}

QString Left(const QString& text, qsizetype length)
{
    return length < 0 ? QString() : text.left(length);
}

QString Right(const QString& text, qsizetype length)
{
    return length < 0 ? QString() : text.right(length);
}

qsizetype InStr(qsizetype start, const QString& text, const QString& find, bool caseBlind)
{
    start = qMax<qsizetype>(start, 1);
    if (start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    return text.indexOf(find, start - 1, sensitivity(caseBlind)) + 1;
}

qsizetype InStr(const QString& text, const QString& find, bool caseBlind)
{
    return InStr(1, text, find, caseBlind);
}

qsizetype InStrRev(const QString& text, const QString& find, qsizetype start, bool caseBlind)
{
    if (start == -1)
        start = text.size();
    if (start < 1 || start > text.size())
        return 0;
    if (find.isEmpty())
        return start;
    return text.left(start).lastIndexOf(find, -1, sensitivity(caseBlind)) + 1;
}

QString UCase(const QString& text)
{
    return mapLetters(text, [](char32_t c) { return QChar::toUpper(c); });
}

QString LCase(const QString& text)
{
    return mapLetters(text, [](char32_t c) { return QChar::toLower(c); });
}

int StrCompText(const QString& a, const QString& b)
{
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

QString TimeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QString DateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace platform
