#include "transfer/LinkValue.h"

#include "transfer/LinkSearch.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <utility>

namespace transfer {

namespace {

// A part [begin, end) of the tag's value, CR and LF read as blanks.
struct Span {
    QByteArrayView text; // the tag with CR and LF as blanks
    qsizetype begin = 0;
    qsizetype end = 0;

    qsizetype size() const { return end - begin; }
    char at(qsizetype i) const { return text.at(begin + i); }
    QByteArrayView view() const { return text.sliced(begin, size()); }
    qsizetype indexOf(char c, qsizetype from = 0) const { return view().indexOf(c, from); }
    void trim()
    {
        while (begin < end && text.at(begin) == ' ')
            ++begin;
        while (end > begin && text.at(end - 1) == ' ')
            --end;
    }
    void dropFirst() { ++begin; }
    void cutAt(qsizetype i) { end = begin + i; }
};

QString Decode(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// The names of the characters 160 to 255, in that order.
constexpr std::array<const char*, 96> Latin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

struct NamedCharacter {
    const char* name;
    char32_t code;
};
constexpr std::array<NamedCharacter, 9> MarkupNames = {{
    {"amp", '&'},
    {"lt", '<'},
    {"gt", '>'},
    {"quot", '"'},
    {"AMP", '&'},
    {"LT", '<'},
    {"GT", '>'},
    {"QUOT", '"'},
    {"apos", '\''}, // the one name that needs its ";"
}};

// The character a name stands for; 0 when the table does not hold it.
char32_t NamedCode(QByteArrayView name, bool semicolon)
{
    for (const NamedCharacter& named : MarkupNames) {
        if (name == named.name)
            return semicolon || named.code != '\'' ? named.code : 0;
    }
    for (std::size_t i = 0; i < Latin1Names.size(); ++i) {
        if (name == Latin1Names[i])
            return char32_t(160 + i);
    }
    return 0;
}

char16_t UnitOf(char c)
{
    return uchar(c);
}
char16_t UnitOf(QChar c)
{
    return c.unicode();
}

bool IsAsciiAlnum(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

struct Reference {
    qsizetype length = 0; // characters from the "&" to the ";" if any; 0: none
    char32_t code = 0;
};

// The character reference that begins at the "&" at text[at], read as a
// browser reads one in an attribute value.
template <typename Text> Reference ReferenceAt(Text text, qsizetype at)
{
    const auto unit = [&text](qsizetype i) -> char16_t {
        return i < text.size() ? UnitOf(text[i]) : char16_t(0);
    };
    Reference reference;
    qsizetype i = at + 1;
    if (unit(i) == '#') {
        const bool hex = unit(i + 1) == 'x' || unit(i + 1) == 'X';
        i += hex ? 2 : 1;
        const qsizetype digits = i;
        char32_t code = 0;
        for (;; ++i) {
            const char16_t c = unit(i);
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (hex && (c | 0x20) >= 'a' && (c | 0x20) <= 'f')
                digit = (c | 0x20) - 'a' + 10;
            if (digit < 0)
                break;
            code = qMin<char32_t>(code * (hex ? 16 : 10) + char32_t(digit), 0x110000);
        }
        if (i == digits)
            return reference;
        const bool invalid = code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF);
        reference.code = invalid ? 0xFFFD : code;
    } else {
        char name[8];
        qsizetype length = 0;
        for (; IsAsciiAlnum(unit(i)); ++i) {
            if (length < qsizetype(sizeof name))
                name[length] = char(unit(i));
            ++length;
        }
        const bool semicolon = unit(i) == ';';
        if (length == 0 || length > qsizetype(sizeof name) || (!semicolon && unit(i) == '='))
            return reference;
        reference.code = NamedCode(QByteArrayView(name, length), semicolon);
        if (reference.code == 0)
            return reference;
    }
    reference.length = i - at + (unit(i) == ';' ? 1 : 0);
    return reference;
}

} // namespace

LinkValue CutLinkValue(QByteArrayView tag, qsizetype foundPos)
{
    LinkValue value;
    const qsizetype equals = tag.indexOf('=', qMax<qsizetype>(foundPos, 0));
    if (equals < 0)
        return value;
    const qsizetype close = tag.indexOf('>', equals + 1);
    QByteArray blanked;
    if (tag.contains('\n') || tag.contains('\r')) {
        blanked = tag.toByteArray();
        blanked.replace('\n', ' ').replace('\r', ' ');
    }
    Span span{blanked.isNull() ? tag : QByteArrayView(blanked), equals + 1,
              close < 0 ? tag.size() : close};
    span.trim();

    if (span.size() > 3 && span.view().startsWith("\\\"")) {
        span.dropFirst();
        span.trim();
    }
    if (span.size() > 0 && (span.at(0) == '"' || span.at(0) == '\'')) {
        span.dropFirst();
        span.trim();
    } else if (const qsizetype blank = span.indexOf(' '); blank >= 0) {
        span.cutAt(blank);
    }
    if (const qsizetype quote = span.indexOf('"'); quote >= 0) {
        span.cutAt(quote > 0 && span.at(quote - 1) == '\\' ? quote - 1 : quote);
        span.trim();
    }
    if (span.size() >= 5 && FindCaseBlind(span.view(), " ALT=", span.size() - 5) >= 0)
        span.cutAt(span.size() - 5);

    if (const qsizetype quote = span.indexOf('\'', 1); quote >= 0)
        span.cutAt(quote);
    if (span.size() > 0 && span.at(0) == '\'')
        span.dropFirst();
    value.text = tag.sliced(span.begin, span.size()).toByteArray();
    value.from = span.begin;

    QByteArrayView link = span.view();
    // A value without "&" holds no character reference: no scan for them.
    const bool references = link.contains('&');
    if (const qsizetype hash = references ? FragmentStart(link) : link.indexOf('#'); hash >= 0)
        link = link.first(hash);
    if (link.startsWith("./"))
        link = link.sliced(2);
    value.link = references ? AttributeText(link) : Decode(link);
    return value;
}

QString AttributeText(QByteArrayView written)
{
    QString text = Decode(written);
    if (!written.contains('&'))
        return text;
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (const Reference reference = ReferenceAt(QStringView(text), i);
                reference.length > 0) {
                // A tab or line break has no place in a URL: dropped, as a
                // browser drops it, so that it never splits a list record.
                if (reference.code != '\t' && reference.code != '\n' && reference.code != '\r')
                    decoded += QChar::fromUcs4(reference.code);
                i += reference.length - 1;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

qsizetype FragmentStart(QByteArrayView written)
{
    const qsizetype hash = written.indexOf('#');
    if (hash < 0 || !written.first(hash).contains('&'))
        return hash;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (written[i] == '#')
            return i;
        if (written[i] != '&')
            continue;
        const Reference reference = ReferenceAt(written, i);
        if (reference.code == '#')
            return i;
        i += qMax<qsizetype>(reference.length, 1) - 1;
    }
    return -1;
}

bool RewrittenWithSubDirectories(QByteArrayView linkText)
{
    return FindCaseBlind(linkText.first(qMin<qsizetype>(7, linkText.size())), "http://") == 0 ||
           linkText.startsWith('/') || linkText.startsWith('.') || linkText.contains('?') ||
           linkText.contains('=');
}

bool NamesSavedFile(QByteArrayView linkText, const QString& savedPath)
{
    QByteArrayView value = linkText;
    if (const qsizetype hash = FragmentStart(value); hash >= 0)
        value = value.first(hash);
    if (value.isEmpty() || value.contains('&'))
        return false;
    // An escaped "/" or "\\" is part of a name to a browser, while the saved
    // file's path took it for a folder.
    for (const char* separator : {"%2f", "%5c"}) {
        if (FindCaseBlind(value, separator) >= 0)
            return false;
    }
    QByteArray path = QByteArray::fromPercentEncoding(value.toByteArray());
    path.replace('\\', '/');
    QString saved = savedPath;
    saved.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return Decode(path) == saved;
}

bool UnfetchedScheme(const QString& link)
{
    const qsizetype colon = link.indexOf(QLatin1Char(':'));
    if (colon < 2 || link.mid(colon + 1).startsWith(QLatin1String("//")))
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = link[i];
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        const bool other = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!letter && (i == 0 || !other))
            return false;
    }
    return true;
}

QByteArray LocalReference(const QString& localName, QByteArrayView linkText)
{
    static constexpr QByteArrayView Escaped = " \"'<>#%";
    const auto plain = [](char c) { return c != '&' && !Escaped.contains(c); };
    QByteArray reference = localName.toUtf8();
    if (!std::all_of(reference.cbegin(), reference.cend(), plain)) {
        const QByteArray name = std::exchange(reference, QByteArray());
        for (const char c : name) {
            if (c == '&')
                reference += "&amp;";
            else if (!plain(c))
                reference += '%' + QByteArray::number(uchar(c), 16).toUpper();
            else
                reference += c;
        }
    }
    if (const qsizetype hash = FragmentStart(linkText); hash >= 0)
        reference += linkText.sliced(hash);
    return reference;
}

bool ReplaceLinkText(QByteArray& tag, qsizetype from, QByteArrayView linkText,
                     QByteArrayView reference)
{
    if (linkText.isEmpty())
        return false;
    const qsizetype at = QByteArrayView(tag).indexOf(linkText, from);
    if (at < 0)
        return false;
    tag.replace(at, linkText.size(), reference.toByteArray());
    return true;
}

} // namespace transfer
