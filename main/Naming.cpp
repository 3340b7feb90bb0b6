// Local names: the URL's path becomes a directory and a file name below the
// download directory, rule by rule in a fixed order (the saved tree depends
// on it), then a last check that keeps the name inside that directory.

#include "main/Naming.h"
#include "main/PartFile.h"
#include "main/SavedFiles.h"

#include "platform/convert/Convert.h"

#include <QStringDecoder>

#include <algorithm>

namespace naming {

namespace {

using platform::InStr;
using platform::InStrRev;
using platform::Left;
using platform::Mid;
using platform::Right;
using platform::Trim;
using platform::UCase;

constexpr qsizetype MaxTailBytes = 64; // longest extension part kept whole
const QString Underscore = QStringLiteral("_");

// The length of text in UTF-8 as QString::toUtf8() makes it (a lone
// surrogate becomes "?"), counted without converting.
qsizetype Utf8Bytes(QStringView text)
{
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) {
            bytes += 1;
        } else if (u < 0x800) {
            bytes += 2;
        } else if (!QChar::isSurrogate(u)) {
            bytes += 3;
        } else if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            bytes += 4;
            ++i;
        } else {
            bytes += 1;
        }
    }
    return bytes;
}

// The longest start of text, in whole characters, of at most maxBytes bytes.
QString CutToBytes(const QString& text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const qsizetype length = pair ? 2 : 1;
        const qsizetype add = Utf8Bytes(QStringView(text).mid(i, length));
        if (bytes + add > maxBytes)
            break;
        bytes += add;
        i += length;
    }
    return text.left(i);
}

bool IsControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

// A directory-listing sort link (?N=A, ?M=D ...) names the page itself.
void CutSortTail(QString& link)
{
    const qsizetype len = link.size();
    if (len >= 4 && Mid(link, len - 3, 1) == QLatin1String("?")) {
        const QString tail = UCase(Right(link, 2));
        if (tail == QLatin1String("=A") || tail == QLatin1String("=D"))
            link.chop(4);
    }
}

// Settles the scheme of link and returns the work copy without it.
QString SplitScheme(QString& link, bool& linkChanged)
{
    const QString before = link;
    // A "://" that follows no scheme ("h/go?to=http://x/") is part of the path.
    const bool scheme = SchemeLength(link) > 0;
    const qsizetype p = scheme ? InStr(link, QStringLiteral("://")) : 0;
    if (p >= 1 && p <= 5)
        return Trim(Mid(link, p + 3));
    if (InStr(link, QStringLiteral(":\\")) > 0 || InStr(link, QStringLiteral("|\\")) > 0) {
        link = QStringLiteral("file://") + link;
    } else if (UCase(Left(link, 5)) == QLatin1String("NEWS:")) {
        return Trim(Mid(link, 6));
    } else {
        link = QStringLiteral("http://") + (p == 0 ? link : Mid(link, p + 3));
    }
    linkChanged = true;
    return before;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// The byte of the escape "%hh" at at, or -1.
int EscapedByte(const QString& w, qsizetype at)
{
    if (at + 2 >= w.size() || w[at] != QLatin1Char('%'))
        return -1;
    const int high = HexDigit(w[at + 1]);
    const int low = HexDigit(w[at + 2]);
    return high >= 0 && low >= 0 ? high * 16 + low : -1;
}

// "%hh" becomes the character hh; a "%" without two hex digits becomes "_".
// A run of escapes that spells UTF-8 becomes the characters it spells
// ("%C3%A4" is one "ä", as a browser reads it); any other run is read byte by
// byte.
void DecodePercent(QString& w, int16_t& altered)
{
    for (qsizetype at; (at = w.indexOf(QLatin1Char('%'))) >= 0;) {
        QByteArray bytes;
        qsizetype end = at;
        for (int byte; (byte = EscapedByte(w, end)) >= 0; end += 3)
            bytes += char(byte);
        if (bytes.isEmpty()) {
            w[at] = QLatin1Char('_');
            altered = 1;
            continue;
        }
        QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
        const QString text = utf8.decode(bytes);
        w.replace(at, end - at, utf8.hasError() ? QString::fromLatin1(bytes) : text);
    }
}

// user:password@host/x becomes host/x.
void CutUserPart(QString& w)
{
    const qsizetype colon = InStr(2, w, QStringLiteral(":"));
    if (colon == 0 || InStr(colon + 1, w, QStringLiteral("@")) == 0)
        return;
    for (const char* local : {":\\", ":/", "|\\", "|/"}) {
        if (InStr(2, w, QString::fromLatin1(local)) > 0)
            return;
    }
    const qsizetype at = InStr(4, w, QStringLiteral("@"));
    if (at > 0)
        w = Mid(w, at + 1);
}

// With subdirectories the query becomes part of the file name.
void FoldQuery(QString& w, int16_t& altered)
{
    const qsizetype query = w.indexOf(QLatin1Char('?'));
    if (query < 0)
        return;
    for (qsizetype i = query; i < w.size(); ++i) {
        if (w[i] == QLatin1Char('/'))
            w[i] = QLatin1Char('_');
    }
    for (qsizetype i = query; i < w.size(); ++i) {
        if (w[i] == QLatin1Char('\\'))
            w[i] = QLatin1Char('_');
    }
    w.replace(QLatin1Char('?'), QLatin1Char('_'));
    if (!w.contains(QLatin1String("http://")))
        altered = 1;
}

// The position of the colon that separates a port from the host ("h:8080/x"),
// or -1: a ":" in the first component followed by digits only.
qsizetype PortColon(const QString& w)
{
    const qsizetype slash = w.indexOf(QLatin1Char('/'));
    const QString host = slash < 0 ? w : w.left(slash);
    const qsizetype colon = host.indexOf(QLatin1Char(':'));
    if (colon < 1 || colon + 1 == host.size())
        return -1;
    for (qsizetype i = colon + 1; i < host.size(); ++i) {
        if (host[i] < QLatin1Char('0') || host[i] > QLatin1Char('9'))
            return -1;
    }
    return colon;
}

// Characters no local name may hold. An embedded "http://" keeps its colon
// without counting as an alteration, and so does a host's port separator:
// "h_8080" names one server folder and no other URL comes to it.
void ReplaceReserved(QString& w, int16_t& altered, bool url)
{
    const qsizetype port = url ? PortColon(w) : -1;
    for (qsizetype at; (at = w.indexOf(QLatin1Char(':'))) >= 0;) {
        if (at != port && !w.contains(QLatin1String("http://")))
            altered = 1;
        w[at] = QLatin1Char('_');
    }
    for (QChar& c : w) {
        const char16_t u = c.unicode();
        if (u == '*' || u == '"' || u == '<' || u == '>' || u == '|') {
            c = QLatin1Char('_');
            altered = 1;
        }
    }
    for (qsizetype at; (at = w.indexOf(QLatin1String("//"))) >= 0;) {
        if (!w.contains(QLatin1String("http_//")))
            altered = 1;
        w.remove(at, 1);
    }
}

// "/./" and "/../" steps; a climb above the top stays at the top.
void FoldDotSteps(QString& w, int16_t& altered)
{
    for (qsizetype at; (at = w.indexOf(QLatin1String("/./"))) >= 0;)
        w.remove(at, 2);
    if (w.endsWith(QLatin1String("/.")))
        w.chop(1);
    for (qsizetype at; (at = w.indexOf(QLatin1String("/../"))) >= 0;) {
        QString before = w.left(at);
        const qsizetype slash = before.lastIndexOf(QLatin1Char('/'));
        before = slash >= 0 ? before.left(slash + 1) : before + QLatin1Char('/');
        w = before + w.mid(at + 4);
        altered = 1;
    }
    if (w.endsWith(QLatin1String("/.."))) {
        w.chop(3);
        const qsizetype slash = w.lastIndexOf(QLatin1Char('/'));
        w = slash >= 0 ? w.left(slash + 1) : w + QLatin1Char('/');
    }
}

bool IsSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

// The 8.3 extension: known long ones mapped, others cut to three characters.
QString ShortExtension(const QString& extension)
{
    const QString upper = UCase(extension);
    if (upper == QLatin1String("JPEG") || upper == QLatin1String("JFIF"))
        return QStringLiteral("jpg");
    if (upper == QLatin1String("MPEG"))
        return QStringLiteral("mpg");
    if (upper == QLatin1String("SHTML"))
        return QStringLiteral("htm");
    return Trim(Left(extension, 3));
}

// One component that is safe on its own: no separator, no control character,
// not "." or "..", not empty, not the part file's name, at most
// MaxComponentBytes long (a file name keeps its extension).
QString SafeComponent(QString part, bool keepExtension)
{
    const auto unsafe = [](QChar c) { return IsControl(c) || IsSeparator(c); };
    if (std::any_of(part.cbegin(), part.cend(), unsafe))
        std::replace_if(part.begin(), part.end(), unsafe, QLatin1Char('_'));
    if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
        return Underscore;
    // The part files and the list of saved files are no saved file or folder:
    // a component that would be named so is named apart.
    if (partfile::IsPartName(part) || savedfiles::IsListName(part))
        part[0] = QLatin1Char('_');
    if (Utf8Bytes(part) <= MaxComponentBytes)
        return part;
    const qsizetype dot = keepExtension ? part.lastIndexOf(QLatin1Char('.')) : -1;
    return dot > 0 ? FitComponent(part.left(dot), part.mid(dot)) : FitComponent(part, QString());
}

// A directory every component of which is safe on its own, each followed by
// one separator: SafeDirectory keeps it as it is but for the separators.
bool SafeAlready(QStringView directory)
{
    qsizetype begin = 0;
    for (qsizetype i = 0; i < directory.size(); ++i) {
        const QChar c = directory[i];
        if (IsControl(c))
            return false;
        if (!IsSeparator(c))
            continue;
        const QStringView part = directory.mid(begin, i - begin);
        if (part.isEmpty() || part == u"." || part == u".." || partfile::IsPartName(part) ||
            savedfiles::IsListName(part) || Utf8Bytes(part) > MaxComponentBytes)
            return false;
        begin = i + 1;
    }
    return begin == directory.size();
}

// The relative directory as components joined by "\" with a trailing "\";
// empty components (absolute parts, doubled separators) are dropped.
QString SafeDirectory(const QString& directory)
{
    if (SafeAlready(directory)) {
        QString safe = directory;
        return safe.replace(QLatin1Char('/'), QLatin1Char('\\'));
    }
    QString safe;
    QString parts = directory;
    parts.replace(QLatin1Char('/'), QLatin1Char('\\'));
    for (const QString& part : parts.split(QLatin1Char('\\'), Qt::SkipEmptyParts))
        safe += SafeComponent(part, false) + QLatin1Char('\\');
    return safe;
}

} // namespace

qsizetype SchemeLength(QStringView url)
{
    const auto letter = [](char16_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (url.isEmpty() || !letter(url[0].unicode()))
        return 0;
    for (qsizetype i = 1; i < url.size(); ++i) {
        const char16_t c = url[i].unicode();
        if (c == ':')
            return url.sliced(i + 1).startsWith(u"//") ? i + 3 : 0;
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.')
            return 0;
    }
    return 0;
}

Mode ModeOf(const QString& mode)
{
    if (mode == QLatin1String("NurSubDir"))
        return Mode::SubDirOnly;
    if (mode == QLatin1String("InlineNamen"))
        return Mode::Inline;
    return Mode::Fetch;
}

Result LocalName(const Input& input)
{
    const bool subDirOnly = input.mode == Mode::SubDirOnly;
    Result result;
    result.nameAltered = subDirOnly ? input.nameAltered : 0;
    int16_t& altered = result.nameAltered;

    QString link = Trim(input.link);
    CutSortTail(link);
    bool linkChanged = false;
    QString w = SplitScheme(link, linkChanged);
    DecodePercent(w, altered);
    if (w.endsWith(QLatin1Char('\\')))
        w.chop(1);
    CutUserPart(w);
    if (!input.longFilenames)
        w.replace(QLatin1Char('+'), QLatin1Char('_'));
    if (input.subDirectories)
        FoldQuery(w, altered);
    ReplaceReserved(w, altered, !link.startsWith(QLatin1String("file://"), Qt::CaseInsensitive));
    FoldDotSteps(w, altered);

    bool isDirectory = w.endsWith(QLatin1Char('/'));
    QString directory = w;
    if (isDirectory)
        w.chop(1);
    else
        directory += QLatin1Char('/');

    bool hostAppended = false;
    if (w.contains(QLatin1Char('/')) || w.contains(QLatin1Char('\\'))) {
        w = Mid(w, InStrRev(w, QStringLiteral("/")) + 1);
        w = Mid(w, InStrRev(w, QStringLiteral("\\")) + 1);
    } else {
        isDirectory = true;
        // A host named with its "/" already keeps a single one.
        if (!link.endsWith(QLatin1Char('/'))) {
            link += QLatin1Char('/');
            hostAppended = true;
        }
        if (!input.subDirectories) {
            const bool http = UCase(Left(link, 4)) == QLatin1String("HTTP");
            if (input.longFilenames) {
                if (http)
                    w += QStringLiteral(".html");
            } else {
                if (UCase(Left(w, 4)) == QLatin1String("WWW."))
                    w = Mid(w, 5);
                if (http)
                    w += QStringLiteral(".htm");
            }
        }
    }

    if (input.subDirectories) {
        directory.replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (!isDirectory)
            directory = Left(directory, directory.size() - w.size() - 1);
    }
    if (!input.subDirectories && w.contains(QLatin1Char('?')))
        w = Trim(Left(w, InStr(w, QStringLiteral("?")) - 1));
    if (w.startsWith(QLatin1Char('.')))
        w.remove(0, 1);
    if (!directory.endsWith(QLatin1Char('\\')))
        directory += QLatin1Char('\\');

    if (!input.longFilenames) {
        const qsizetype dot = InStrRev(w, QStringLiteral("."));
        result.hasExtension = true;
        result.fileExtension = dot > 0 ? ShortExtension(Mid(w, dot + 1)) : QString();
        if (dot > 0)
            w = Left(w, dot - 1);
        w.replace(QLatin1Char('.'), QLatin1Char('_'));
        w = Left(w, 8);
    }
    w = Trim(w);
    if (w.isEmpty())
        w = input.unknownName;
    if (!input.longFilenames)
        w += QLatin1Char('.') +
             (result.fileExtension.isEmpty() ? QStringLiteral("htm") : result.fileExtension);
    if (!w.contains(QLatin1Char('.')))
        w += input.longFilenames ? QStringLiteral(".html") : QStringLiteral(".htm");
    if (input.subDirectories && isDirectory)
        w = QStringLiteral("index.html");

    // Whatever the rules above made of the URL, the name stays inside the
    // download directory.
    if (input.subDirectories) {
        const QString safe = SafeDirectory(directory);
        if (safe != directory)
            altered = 1;
        directory = safe;
    }
    const QString safeName = SafeComponent(w, true);
    if (safeName != w)
        altered = 1;

    result.fileDirectory = directory;
    if (subDirOnly) {
        result.link = hostAppended ? input.link + QLatin1Char('/') : input.link;
        return result;
    }
    result.link = link;
    result.showLink = linkChanged || hostAppended;
    result.fileName = safeName;
    result.localFileName =
        input.directory + (input.subDirectories ? directory : QString()) + safeName;
    return result;
}

QString FitComponent(const QString& base, const QString& tail)
{
    if (Utf8Bytes(base) + Utf8Bytes(tail) <= MaxComponentBytes)
        return base + tail;
    const QString kept = CutToBytes(tail, MaxTailBytes);
    return CutToBytes(base, MaxComponentBytes - Utf8Bytes(kept)) + kept;
}

Numbering NumberingOf(const QString& fileName)
{
    const qsizetype dot = InStrRev(fileName, QStringLiteral("."));
    Numbering numbering{dot > 0 ? Left(fileName, dot - 1) : fileName,
                        dot > 0 ? Mid(fileName, dot + 1) : QString()};
    QString& base = numbering.base;
    const qsizetype open = InStr(2, base, QStringLiteral("("));
    if (base.endsWith(QLatin1Char(')')) && base.size() >= 4 && open > 0 && base.size() - open < 5)
        base = Left(base, InStrRev(base, QStringLiteral("(")) - 1);
    return numbering;
}

QString NumberedName(const Numbering& numbering, int n)
{
    const QString extension =
        numbering.extension.isEmpty() ? QStringLiteral("html") : numbering.extension;
    return FitComponent(numbering.base,
                        QLatin1Char('(') + QString::number(n) + QStringLiteral(").") + extension);
}

Numbering ShortNumberingOf(const QString& fileName, const QString& directory)
{
    const QString name =
        fileName.contains(QLatin1Char('\\')) ? Mid(fileName, directory.size() + 1) : fileName;
    const qsizetype dot = InStr(name, QStringLiteral("."));
    Numbering numbering{dot > 0 ? Left(name, dot - 1) : name,
                        dot > 0 ? Mid(name, dot + 1) : QString()};
    if (numbering.base.size() < 8)
        numbering.base = numbering.base.leftJustified(8, QLatin1Char('_'));
    return numbering;
}

QString ShortNumberedName(const Numbering& numbering, int n)
{
    const QString digits = QString::number(n);
    const QString base = Left(numbering.base, numbering.base.size() - digits.size()) + digits;
    return base + QLatin1Char('.') +
           (numbering.extension.isEmpty() ? QStringLiteral("htm") : numbering.extension);
}

} // namespace naming
