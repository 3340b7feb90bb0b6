#include "transfer/ResponseHeader.h"

#include "main/Kelpa.h"
#include "transfer/LinkSearch.h"
#include "transfer/UrlSplit.h"

#include <QList>

#include <algorithm>

namespace transfer {

namespace {

bool BeginsWithStatusLine(const QByteArray& text)
{
    return text.startsWith("HTTP") || text.startsWith("TTP/");
}

// True while text is too short to tell and could still begin a status line.
bool MayBecomeStatusLine(const QByteArray& text)
{
    return text.size() < 4 && (QByteArrayLiteral("HTTP").startsWith(text) ||
                               QByteArrayLiteral("TTP/").startsWith(text));
}

bool AllDigits(const QByteArray& text)
{
    if (text.isEmpty())
        return false;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return false;
    }
    return true;
}

int StatusCode(const QByteArray& statusLine)
{
    const QByteArray rest = statusLine.mid(statusLine.indexOf(' ') + 1).trimmed();
    const QByteArray code = rest.left(3);
    return code.size() == 3 && AllDigits(code) && (rest.size() == 3 || rest.at(3) == ' ')
               ? code.toInt()
               : 0;
}

// The Content-Length value, or -1 when it is not a sound length.
int64_t LengthValue(const QByteArray& value)
{
    if (!AllDigits(value) || value.size() > 16)
        return -1;
    const int64_t length = value.toLongLong();
    return length <= MaxContentLength ? length : -1;
}

} // namespace

ResponseHeader ReadResponseHeader(const QByteArray& head)
{
    ResponseHeader header;
    QList<QByteArray> lines = head.split('\n');
    if (lines.isEmpty() || !BeginsWithStatusLine(head))
        return header;
    header.hasStatusLine = true;
    header.statusLine = QString::fromLatin1(lines.first().trimmed());
    header.statusCode = StatusCode(lines.first().trimmed());
    bool lengthSound = true;
    bool lengthSeen = false;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray& line = lines.at(i);
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = line.left(colon).trimmed();
        const QByteArray value = line.mid(colon + 1).trimmed();
        if (name.compare("Location", Qt::CaseInsensitive) == 0) {
            if (header.location.isEmpty())
                header.location = QString::fromUtf8(value);
        } else if (name.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            const int64_t length = LengthValue(value);
            if (length < 0 || (lengthSeen && length != header.contentLength))
                lengthSound = false;
            header.contentLength = length;
            lengthSeen = true;
        } else if (name.compare("Content-Type", Qt::CaseInsensitive) == 0) {
            const qsizetype parameters = value.indexOf(';');
            if (header.contentType.isEmpty())
                header.contentType = QString::fromLatin1(
                    (parameters < 0 ? value : value.first(parameters)).trimmed().toLower());
        }
    }
    header.lengthKnown = lengthSeen && lengthSound;
    if (!header.lengthKnown)
        header.contentLength = 0;
    return header;
}

HeaderReader::State HeaderReader::Add(const QByteArray& block)
{
    if (m_state != State::NeedMore)
        return m_state;
    m_received += block;
    return Settle(false);
}

HeaderReader::State HeaderReader::Close()
{
    if (m_state != State::NeedMore)
        return m_state;
    return Settle(true);
}

HeaderReader::State HeaderReader::Settle(bool closed)
{
    if (MayBecomeStatusLine(m_received) && !closed)
        return m_state;
    if (!BeginsWithStatusLine(m_received)) {
        m_headerEnd = 0;
        return m_state = State::Complete;
    }
    // No empty line lay in what was searched before: look only from its last bytes on.
    const qsizetype from = std::max<qsizetype>(0, m_searched - 3);
    m_searched = m_received.size();
    const qsizetype crlf = m_received.indexOf("\r\n\r\n", from);
    const qsizetype lf = m_received.indexOf("\n\n", from);
    qsizetype end = -1;
    if (crlf >= 0 && (lf < 0 || lf > crlf))
        end = crlf + 4;
    else if (lf >= 0)
        end = lf + 2;
    else if (closed)
        end = m_received.size();
    if (end > MaxHeaderBytes || (end < 0 && m_received.size() > MaxHeaderBytes))
        return m_state = State::TooLong;
    if (end < 0)
        return m_state;
    m_headerEnd = end;
    return m_state = State::Complete;
}

namespace {

const QByteArray PngSignature("\x89PNG\r\n");

} // namespace

bool IsPng(const QByteArray& body)
{
    return body.startsWith(PngSignature);
}

bool BodyUndecided(const ResponseHeader& header, const QByteArray& body)
{
    const bool pngCut = body.size() < PngSignature.size() && PngSignature.startsWith(body);
    const bool pageUndecided = header.contentType.isEmpty() && PageStartUndecided(body);
    return (pngCut || pageUndecided) && header.location.isEmpty() && header.statusCode < 400 &&
           !(header.lengthKnown && body.size() >= header.contentLength);
}

QString RelocationLink(const QString& location)
{
    return WithoutUserPart(AbsoluteLink(location, KELPA::UrlPath, HostAndPort()));
}

bool NamesLocalFile(const QString& link)
{
    const QString target = link.trimmed();
    return target.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ||
           target.contains(QLatin1String(":\\")) || target.contains(QLatin1String("|\\"));
}

HeaderDecision ApplyResponseHeader(const ResponseHeader& header, const QByteArray& body,
                                   bool substitutePng)
{
    using namespace KELPA;
    if (header.statusCode == 404)
        UrlPath = HostAndPort();
    if (!header.location.isEmpty()) {
        Link = RelocationLink(header.location);
        return HeaderDecision::Relocation;
    }
    if (substitutePng && IsPng(body)) {
        if (Link.startsWith(QLatin1Char('/')))
            Link = HostAndPort() + Link;
        Link += QLatin1String(".gif");
        return HeaderDecision::PngSubstitute;
    }
    ContentLength = header.contentLength;
    LengthUnknown = header.lengthKnown ? 0 : 1;
    return HeaderDecision::Body;
}

QString LengthLogText(const ResponseHeader& header)
{
    const auto& text = KELPA::LanguageText;
    if (!header.lengthKnown)
        return text[128];
    if (header.contentLength == 0)
        return text[127];
    return text[125] + QLatin1Char(' ') + QString::number(header.contentLength);
}

} // namespace transfer
