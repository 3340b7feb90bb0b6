#include "settings/SiteWords.h"

#include "platform/convert/Convert.h"

#include <QStringList>

namespace settings {

namespace {

const QString HttpPrefix = QStringLiteral("http://");

// The form in which two site words are compared.
QString WordKey(const QString& word)
{
    return platform::UCase(platform::Trim(word));
}

} // namespace

bool HoldsHttpPrefix(const QString& text)
{
    return text.contains(HttpPrefix, Qt::CaseInsensitive);
}

// Overwriting a prefix with blanks never forms a new one, so the passes
// blank every prefix found in the original text. Trimming before each pass
// is one trim before the last pass: the blanks of every earlier prefix that
// end up at an edge are trimmed, those of the last one stay.
QString WithoutHttpPrefixes(const QString& text)
{
    const qsizetype last = text.lastIndexOf(HttpPrefix, -1, Qt::CaseInsensitive);
    if (last < 0)
        return text;
    QString result = text;
    const QString blanks(HttpPrefix.size(), QLatin1Char(' '));
    for (qsizetype at = result.indexOf(HttpPrefix, 0, Qt::CaseInsensitive); at >= 0 && at < last;
         at = result.indexOf(HttpPrefix, at + HttpPrefix.size(), Qt::CaseInsensitive))
        result.replace(at, HttpPrefix.size(), blanks);
    qsizetype start = 0;
    while (start < last && result.at(start) == QLatin1Char(' '))
        ++start;
    qsizetype end = result.size();
    while (end > last + HttpPrefix.size() && result.at(end - 1) == QLatin1Char(' '))
        --end;
    result = result.mid(start, end - start);
    result.replace(last - start, HttpPrefix.size(), blanks);
    return result;
}

QString WithoutHttpScheme(const QString& url)
{
    if (platform::UCase(platform::Left(url, 7)) == QLatin1String("HTTP://"))
        return url.mid(7);
    return url;
}

SiteEntry OnlySiteEntry(const QString& url)
{
    QString s = WithoutHttpScheme(platform::Trim(url));
    if (s.count(QLatin1Char('/')) >= 2) {
        s.truncate(s.lastIndexOf(QLatin1Char('/')));
        return {QLatin1Char('/') + s.mid(s.lastIndexOf(QLatin1Char('/')) + 1) + QLatin1Char('/'),
                true};
    }
    const qsizetype slash = s.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        s.truncate(slash);
    return {s, false};
}

SiteWordSet::SiteWordSet(const QString& list)
{
    for (const QString& word : list.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        words_.insert(WordKey(word));
}

bool SiteWordSet::contains(const QString& entry) const
{
    return words_.contains(WordKey(entry));
}

void SiteWordSet::add(const QString& entry)
{
    words_.insert(WordKey(entry));
}

SiteListText::SiteListText(const QString& text) : text_(text), words_(text) {}

bool SiteListText::Listed(const QString& entry)
{
    Normalise();
    return words_.contains(entry);
}

void SiteListText::Add(const QString& entry)
{
    Normalise();
    text_ += entry;
    words_.add(entry);
    normalised_ = false;
}

void SiteListText::Normalise()
{
    if (normalised_ || text_.isEmpty())
        return;
    if (!trimmed_)
        text_ = platform::Trim(text_);
    text_ += QLatin1Char(' ');
    normalised_ = trimmed_ = true;
}

} // namespace settings
