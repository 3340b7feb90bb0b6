#include "transfer/LinkSearch.h"

#include "main/Kelpa.h"
#include "transfer/LinkValue.h"

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

// The first block from its first byte that is not a blank, CR, LF or tab.
QByteArrayView SkipSpace(QByteArrayView block)
{
    qsizetype first = 0;
    while (first < block.size() && IsSpace(block.at(first)))
        ++first;
    return block.sliced(first);
}

bool StartsCaseBlind(QByteArrayView text, QByteArrayView what)
{
    return text.size() >= what.size() &&
           qstrnicmp(text.data(), what.data(), size_t(what.size())) == 0;
}

// The start of a file after its leading blanks, read one byte per character:
// a UTF-16 text (after its byte order mark) keeps its ASCII characters and
// shows any other as 0x80, so that its markup reads as in a UTF-8 file.
struct StartText {
    qsizetype begin = 0;    // where the text begins: after the blanks and the mark
    qsizetype markSize = 0; // bytes of the byte order mark
    int unit = 1;           // bytes per character
    PageEncoding encoding = PageEncoding::Bytes;
    bool markCut = false; // the bytes end inside a byte order mark
    QByteArray narrowed;  // the UTF-16 text, one byte per character
    QByteArrayView text;  // the text after the mark

    StartText(const StartText&) = delete;
    StartText& operator=(const StartText&) = delete;
    explicit StartText(QByteArrayView bytes)
    {
        static constexpr QByteArrayView Utf8Mark = "\xEF\xBB\xBF";
        bytes = bytes.first(qMin(bytes.size(), MaxPageStart));
        const QByteArrayView rest = SkipSpace(bytes);
        if (rest.startsWith(Utf8Mark))
            markSize = Utf8Mark.size();
        else if (rest.startsWith("\xFF\xFE") && !rest.startsWith(QByteArrayView("\xFF\xFE\0\0", 4)))
            encoding = PageEncoding::Utf16LE;
        else if (rest.startsWith("\xFE\xFF"))
            encoding = PageEncoding::Utf16BE;
        else
            markCut = !rest.isEmpty() && rest.size() < 3 &&
                      (Utf8Mark.startsWith(rest) || rest == "\xFF" || rest == "\xFE");
        if (encoding != PageEncoding::Bytes) {
            markSize = 2;
            unit = 2;
        }
        begin = bytes.size() - rest.size() + markSize;
        text = bytes.sliced(begin);
        if (unit == 1)
            return;
        const int high = encoding == PageEncoding::Utf16LE ? 1 : 0;
        narrowed.resize(text.size() / 2);
        for (qsizetype i = 0; i < narrowed.size(); ++i) {
            const uchar low = uchar(text.at(2 * i + 1 - high));
            narrowed[i] = text.at(2 * i + high) == 0 && low < 0x80 ? char(low) : char(0x80);
        }
        text = narrowed;
    }
};

// The end (from 0, after it) of the comment or processing instruction that
// text begins with; 0 when it begins with neither, -1 when text ends first.
qsizetype CommentEnd(QByteArrayView text)
{
    const bool comment = text.startsWith("<!--");
    if (!comment && !text.startsWith("<?"))
        return 0;
    const QByteArrayView close = comment ? "-->" : "?>";
    const qsizetype end = text.indexOf(close, comment ? 4 : 2);
    return end < 0 ? -1 : end + close.size();
}

// The end (from 0, after its ">") of the "<!" declaration that text begins
// with, a DOCTYPE's internal subset in "[...]" and quoted values included;
// -1 when text ends first. Comments and processing instructions in the
// subset are passed over whole: an apostrophe in one opens no quote.
qsizetype DeclarationEnd(QByteArrayView text)
{
    char quote = 0;
    bool subset = false;
    for (qsizetype i = 2; i < text.size(); ++i) {
        const char c = text.at(i);
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (subset && c == '<') {
            const qsizetype end = CommentEnd(text.sliced(i));
            if (end < 0)
                return -1;
            i += qMax<qsizetype>(end, 1) - 1;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            subset = true;
        } else if (c == ']') {
            subset = false;
        } else if (c == '>' && !subset) {
            return i + 1;
        }
    }
    return -1;
}

enum class Start {
    NotXml,       // the "<" rule decides
    TooShort,     // more bytes may show an XML declaration; the "<" rule for now
    HtmlRoot,     // an XML document whose root element is html
    OtherRoot,    // any other XML document
    XmlUnfinished // an XML document whose root element has not begun yet
};

// The root element of the XML document that text (after blanks) begins
// with: the declaration, processing instructions, comments and a DOCTYPE
// are passed over.
Start XmlRoot(QByteArrayView text)
{
    qsizetype pos = 0;
    for (;;) {
        while (pos < text.size() && IsSpace(text.at(pos)))
            ++pos;
        const QByteArrayView rest = text.sliced(pos);
        // The declaration, a processing instruction or a comment; a DOCTYPE.
        qsizetype end = CommentEnd(rest);
        if (end == 0 && rest.startsWith("<!")) {
            end = DeclarationEnd(rest);
        } else if (end == 0 && rest.startsWith('<')) {
            qsizetype name = 1;
            while (name < rest.size() && !IsSpace(rest.at(name)) && rest.at(name) != '>' &&
                   rest.at(name) != '/')
                ++name;
            if (name == rest.size())
                return Start::XmlUnfinished;
            return name == 5 && StartsCaseBlind(rest.sliced(1), "html") ? Start::HtmlRoot
                                                                        : Start::OtherRoot;
        } else if (end == 0) {
            return rest.isEmpty() ? Start::XmlUnfinished : Start::OtherRoot;
        }
        if (end < 0)
            return Start::XmlUnfinished;
        pos += end;
    }
}

Start ReadStart(const StartText& start)
{
    if (start.markCut)
        return Start::TooShort;
    const QByteArrayView text = SkipSpace(start.text);
    static constexpr QByteArrayView Declaration = "<?xml";
    if (StartsCaseBlind(text, Declaration))
        return XmlRoot(text);
    if (text.size() < Declaration.size() && StartsCaseBlind(Declaration, text))
        return Start::TooShort;
    return Start::NotXml;
}

// An answer of this media type is a page.
bool IsPageType(QStringView contentType)
{
    return contentType.compare(u"text/html", Qt::CaseInsensitive) == 0 ||
           contentType.compare(u"application/xhtml+xml", Qt::CaseInsensitive) == 0;
}

// A page begins with a "<" within its first four characters (a status line
// counts as one); an XML document is a page when its root element is html.
bool BeginsAsPage(QByteArrayView text, bool statusLine)
{
    switch (ReadStart(StartText(text))) {
    case Start::HtmlRoot:
        return true;
    case Start::OtherRoot:
    case Start::XmlUnfinished:
        return false;
    case Start::NotXml:
    case Start::TooShort:
        break;
    }
    const qsizetype lt = statusLine ? 0 : text.first(qMin<qsizetype>(4, text.size())).indexOf('<');
    return lt >= 0;
}

} // namespace

bool IsPageStart(QByteArrayView firstBytes)
{
    return BeginsAsPage(SkipSpace(firstBytes), false);
}

bool PageStartUndecided(QByteArrayView firstBytes)
{
    if (firstBytes.size() >= MaxPageStart)
        return false;
    switch (ReadStart(StartText(firstBytes))) {
    case Start::TooShort:
    case Start::XmlUnfinished:
        return true;
    case Start::NotXml: {
        // A "<" may still come within the first four characters.
        const QByteArrayView text = SkipSpace(firstBytes);
        return text.size() < 4 && !text.contains('<');
    }
    case Start::HtmlRoot:
    case Start::OtherRoot:
        break;
    }
    return false;
}

HeadPlace FindHeadPlace(QByteArrayView firstBytes)
{
    const StartText start(firstBytes);
    HeadPlace place{start.markSize > 0 ? start.begin : 0, start.encoding};
    const QByteArrayView text = SkipSpace(start.text);
    if (StartsCaseBlind(text, "<?xml")) {
        if (const qsizetype end = text.indexOf("?>"); end >= 0)
            place.at = start.begin + (start.text.size() - text.size() + end + 2) * start.unit;
    }
    return place;
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
    return BaseTag{AttributeText(value), start, end};
}

PageDecision DecidePage(QByteArrayView block, int statusCode, QStringView contentType)
{
    PageDecision decision;
    const QByteArrayView text = SkipSpace(block);
    decision.hasStatusLine = text.contains(QByteArrayView("TTP/1."));
    const bool page = contentType.isEmpty() ? BeginsAsPage(text, decision.hasStatusLine)
                                            : IsPageType(contentType);
    if (!page)
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

int AuswertenEntscheiden(int statusCode, QStringView contentType)
{
    using namespace KELPA;
    PageState = 0;
    if (LevelsLeft == 1) {
        if (Images != 1)
            return 0;
        ImagesOnly = 1;
    }
    const PageDecision decision = DecidePage(CurrentTag, statusCode, contentType);
    PageState = decision.pageState;
    HasStatusLine = decision.hasStatusLine ? 1 : 0;
    ErrorPage = decision.errorPage ? 1 : 0;
    return decision.messageEntry;
}

} // namespace transfer
