#include "transfer/LinkSearch.h"

#include "main/Kelpa.h"

#include <QVarLengthArray>

#include <array>

namespace transfer {

namespace {

enum class Needs { JavaApplets, Images, AnyLink, MetaRefresh };

struct TagRow {
    const char* tag; // lower case
    const char* attribute;
    Needs needs;
};

// The tag table, in the order tried.
constexpr std::array<TagRow, 14> LinkTagTable = {{
    {"<applet", "code", Needs::JavaApplets},
    {"<body", "background", Needs::Images},
    {"<im", "src", Needs::Images},
    {"<a", "href", Needs::AnyLink},
    {"<embed", "src", Needs::AnyLink},
    {"<frame", "src", Needs::AnyLink},
    {"<iframe", "src", Needs::AnyLink},
    {"<area", "href", Needs::AnyLink},
    {"<form", "action", Needs::AnyLink},
    {"<bgsound", "src", Needs::AnyLink},
    {"<input", "href", Needs::AnyLink},
    {"<option", "value", Needs::AnyLink},
    {"<ref", "href", Needs::AnyLink},
    {"<meta", "url", Needs::MetaRefresh},
}};

bool RowApplies(Needs needs, const LinkRules& rules)
{
    switch (needs) {
    case Needs::JavaApplets:
        return rules.javaApplets;
    case Needs::Images:
        return rules.images;
    case Needs::AnyLink:
        return !rules.imagesOnly;
    case Needs::MetaRefresh:
        return !rules.imagesOnly && rules.acceptMetaRefresh;
    }
    return false;
}

// Where the tag holds a "<": every name of the tag table begins with one, so
// a name is looked for at these places only, not by a search of the whole
// tag for each name (a tag rarely holds more than its opening "<").
QVarLengthArray<qsizetype, 4> Openings(QByteArrayView tag)
{
    QVarLengthArray<qsizetype, 4> at;
    for (qsizetype i = tag.indexOf('<'); i >= 0; i = tag.indexOf('<', i + 1))
        at.push_back(i);
    return at;
}

// name (lower case, beginning with "<") stands in the tag, letter case
// ignored.
bool HoldsName(QByteArrayView tag, const QVarLengthArray<qsizetype, 4>& openings,
               QByteArrayView name)
{
    for (const qsizetype at : openings) {
        if (tag.size() - at >= name.size() &&
            qstrnicmp(tag.data() + at, name.data(), size_t(name.size())) == 0)
            return true;
    }
    return false;
}

bool IsSpace(char ch)
{
    return ch == ' ' || ch == '\r' || ch == '\n' || ch == '\t';
}

// True when text begins with an XML declaration, after a UTF-8 byte order
// mark if there is one.
bool BeginsWithXmlDeclaration(QByteArrayView text)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    return text.size() >= 5 && FindCaseBlind(text.first(5), "<?xml") == 0;
}

// The first block from its first byte that is not a blank, CR, LF or tab.
QByteArrayView SkipSpace(QByteArrayView block)
{
    qsizetype first = 0;
    while (first < block.size() && IsSpace(block.at(first)))
        ++first;
    return block.sliced(first);
}

// A page begins with a "<" within its first four characters (a status line
// counts as one); an XML document is no page, whatever its first tag.
bool BeginsAsPage(QByteArrayView text, bool statusLine)
{
    if (BeginsWithXmlDeclaration(text))
        return false;
    const qsizetype lt = statusLine ? 0 : text.indexOf('<');
    return lt >= 0 && lt <= 3;
}

} // namespace

bool IsPageStart(QByteArrayView firstBytes)
{
    return BeginsAsPage(SkipSpace(firstBytes), false);
}

qsizetype FindCaseBlind(QByteArrayView text, QByteArrayView what, qsizetype from)
{
    return text.toByteArray().toLower().indexOf(what.toByteArray().toLower(), from);
}

LinkRules LinkRules::Current()
{
    using namespace KELPA;
    return {JavaApplets == 1, Images == 1, ImagesOnly == 1, AcceptMetaRefresh == 1};
}

LinkMatch FindLink(QByteArrayView tag, const LinkRules& rules)
{
    const QVarLengthArray<qsizetype, 4> openings = Openings(tag);
    QByteArray lower;
    for (const TagRow& row : LinkTagTable) {
        if (!RowApplies(row.needs, rules) || !HoldsName(tag, openings, row.tag))
            continue;
        if (lower.isEmpty())
            lower = tag.toByteArray().toLower();
        const qsizetype at = lower.indexOf(row.attribute);
        if (at < 0)
            continue;
        LinkMatch match;
        match.foundPos = static_cast<int32_t>(at + 1);
        match.imageLink = row.needs == Needs::Images;
        match.metaRefresh = row.needs == Needs::MetaRefresh;
        return match;
    }
    return {};
}

void LinkSuche()
{
    const LinkMatch match = FindLink(KELPA::CurrentTag, LinkRules::Current());
    KELPA::FoundPos = match.foundPos;
    KELPA::ImageLink = match.imageLink ? 1 : 0;
    KELPA::MetaRefreshFound = match.metaRefresh ? 1 : 0;
}

std::optional<BaseTag> FindBaseTag(QByteArrayView tag)
{
    if (!HoldsName(tag, Openings(tag), "<base"))
        return std::nullopt;
    const QByteArray lower = tag.toByteArray().toLower();
    const qsizetype start = lower.indexOf("<base");
    const qsizetype href = start < 0 ? -1 : lower.indexOf("href", start);
    const qsizetype equals = href < 0 ? -1 : lower.indexOf('=', href);
    if (equals < 0)
        return std::nullopt;
    const qsizetype close = lower.indexOf('>', equals);
    const qsizetype end = close < 0 ? lower.size() : close + 1;
    const qsizetype valueEnd = close < 0 ? lower.size() : close;
    QByteArray value = tag.sliced(equals + 1, valueEnd - equals - 1).toByteArray().trimmed();
    if (value.startsWith('"') || value.startsWith('\''))
        value.remove(0, 1);
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (IsSpace(value.at(i)) || value.at(i) == '"' || value.at(i) == '\'') {
            value.truncate(i);
            break;
        }
    }
    const qsizetype scheme = value.indexOf("://");
    const qsizetype hostStart = scheme < 0 ? 0 : scheme + 3;
    const qsizetype lastSlash = value.lastIndexOf('/');
    if (lastSlash >= hostStart)
        value.truncate(lastSlash);
    return BaseTag{QString::fromUtf8(value), start, end};
}

PageDecision DecidePage(QByteArrayView block, int statusCode)
{
    PageDecision decision;
    const QByteArrayView text = SkipSpace(block);
    decision.hasStatusLine = text.contains(QByteArrayView("TTP/1."));
    if (!BeginsAsPage(text, decision.hasStatusLine))
        return decision;
    decision.pageState = 1;
    if (statusCode >= 200 && statusCode <= 299)
        return decision;
    if (FindCaseBlind(text, "Not Found") >= 0) {
        decision.pageState = 3;
        decision.errorPage = true;
        decision.messageEntry = 116;
    } else if (FindCaseBlind(text, "Too many user") >= 0) {
        decision.pageState = 4;
        decision.messageEntry = 117;
    } else if (FindCaseBlind(text, "Service Temporarily Unavailable") >= 0) {
        decision.pageState = 4;
        decision.messageEntry = 118;
    }
    return decision;
}

int AuswertenEntscheiden(int statusCode)
{
    using namespace KELPA;
    PageState = 0;
    if (LevelsLeft == 1) {
        if (Images != 1)
            return 0;
        ImagesOnly = 1;
    }
    const PageDecision decision = DecidePage(CurrentTag, statusCode);
    PageState = decision.pageState;
    HasStatusLine = decision.hasStatusLine ? 1 : 0;
    ErrorPage = decision.errorPage ? 1 : 0;
    return decision.messageEntry;
}

} // namespace transfer
