#include "transfer/Request.h"

#include "main/Kelpa.h"
#include "main/Settings.h"
#include "transfer/UrlSplit.h"

namespace transfer {

namespace {

const QByteArray CRLF = QByteArrayLiteral("\r\n");

bool IsControl(char32_t ch)
{
    return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F);
}

QByteArray HeaderValue(const QString& value)
{
    QString clean;
    clean.reserve(value.size());
    for (const QChar ch : value) {
        if (!IsControl(ch.unicode()))
            clean += ch;
    }
    return clean.toUtf8();
}

QByteArray RequestPathBytes(const QString& path)
{
    QByteArray sent;
    for (const char byte : path.toUtf8()) {
        const auto code = static_cast<unsigned char>(byte);
        if (code > 0x20 && code < 0x7F) {
            sent += byte;
        } else {
            sent += '%';
            sent += QByteArray::number(code, 16).rightJustified(2, '0').toUpper();
        }
    }
    return sent;
}

QByteArray Line(const char* name, const QString& value)
{
    return QByteArray(name) + HeaderValue(value) + CRLF;
}

} // namespace

QByteArray RequestText(const RequestValues& values)
{
    QByteArray text = "GET " + RequestPathBytes(values.path) + " HTTP/1.0" + CRLF;
    text += Line("Connection: ", values.connection);
    text += Line("Host: ", values.host);
    text += Line("Accept: ", values.accept);
    if (!values.ifModifiedSince.isEmpty())
        text += Line("If-Modified-Since: ", values.ifModifiedSince);
    text += Line("Referer: ", values.referer);
    text += Line("User-Agent: ", values.userAgent);
    return text + CRLF;
}

RequestValues CurrentRequestValues()
{
    using namespace KELPA;
    RequestValues values;
    values.path = RequestPath;
    values.connection = Connection;
    values.host = Host.isEmpty() ? HostAndPort() : Host;
    values.accept = Accept;
    values.ifModifiedSince = IfModifiedSince;
    values.referer = Referer.isEmpty() ? UrlPath + QLatin1Char('/') : Referer;
    values.userAgent = UserAgent.isEmpty()
                           ? QStringLiteral("Kelpa 5.0 (") +
                                 QLatin1String(inifile::ProductAddress) + QLatin1Char(')')
                           : UserAgent;
    return values;
}

} // namespace transfer
