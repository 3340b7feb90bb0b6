#include "transfer/Restrictions.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"

#include <QStringList>
#include <QStringTokenizer>

#include <algorithm>

namespace transfer {

namespace {

// The prefixes that let a media file from outside the site through, in order.
const QStringList MediaExtensionList = {
    "QT",  "JPG", "JPE", "JFI", "GIF", "PNG", "BMP", "MPG",
    "MPE", "AVI", "ASF", "WMV", "MOV", "VIV", "RAM", "RM",
};

// The words of a list, the blanks between them left out.
auto Words(const QString& list)
{
    return QStringView(list).tokenize(u' ', Qt::SkipEmptyParts);
}

// True when one word of list occurs in text, ignoring case.
bool AnyWordIn(const QString& list, const QString& text)
{
    for (const QStringView word : Words(list)) {
        if (text.contains(word, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// The list as the test leaves it: trimmed when asked, one blank at its end.
void Normalise(QString& list, bool trim)
{
    if (trim)
        list = platform::Trim(list);
    if (!list.endsWith(QLatin1Char(' ')))
        list += QLatin1Char(' ');
}

// True when list has a word; normalises it then.
bool Tested(QString& list, bool trim)
{
    if (std::all_of(list.cbegin(), list.cend(), [](QChar c) { return c == QLatin1Char(' '); }))
        return false;
    Normalise(list, trim);
    return true;
}

bool HasWord(const QString& list, const QString& word)
{
    for (const QStringView listed : Words(list)) {
        if (listed.compare(word, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

void Einschraenkung()
{
    using namespace KELPA;
    LinkExcluded = 0;
    if (Unrestricted == 1) {
        Unrestricted = 0;
        return;
    }
    if (Tested(NoSite, true) && AnyWordIn(NoSite, Link)) {
        LinkExcluded = 1;
        return;
    }
    if (Tested(OnlySiteRun, false) && !AnyWordIn(OnlySiteRun, Link)) {
        LinkExcluded = 1;
        if (Images == 0)
            return;
        if (Tested(MaskedImages, false) && AnyWordIn(MaskedImages, Link))
            LinkExcluded = 0;
    }
    if (NoExternalBanners == 1 && LinkExcluded == 1)
        return;
    const qsizetype dot = FileName.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot >= 0 ? FileName.mid(dot + 1) : QString();
    if (!extension.isEmpty() && LinkExcluded == 1) {
        const QString upper = extension.toUpper();
        const bool media =
            std::any_of(MediaExtensionList.begin(), MediaExtensionList.end(),
                        [&upper](const QString& prefix) { return upper.startsWith(prefix); });
        if (!media)
            return;
        LinkExcluded = 0;
    }
    if (extension.isEmpty() || !Tested(Exclude, true))
        return;
    if (HasWord(Exclude, extension))
        LinkExcluded = 1;
}

QString AusschlussText()
{
    return KELPA::Link + KELPA::LanguageText[KELPA::RestHome == 1 ? 106 : 107];
}

bool AddHomeHost(const QString& host)
{
    using namespace KELPA;
    if (platform::Trim(host).isEmpty())
        return false;
    if (!HasWord(OnlySiteRun, host))
        OnlySiteRun += QLatin1Char(' ') + host;
    if (HasWord(HomePrefix, host))
        return false;
    HomePrefix += QLatin1Char(' ') + host;
    return true;
}

} // namespace transfer
