#include "transfer/UrlSplit.h"

#include "main/Kelpa.h"
#include "main/Naming.h"
#include "platform/convert/Convert.h"

#include <algorithm>

namespace transfer {

namespace {

// The port text after the host's ":": all digits, 1 to 65535; else 0.
int32_t PortNumber(const QString& text)
{
    if (text.isEmpty() || text.size() > 5)
        return 0;
    int32_t port = 0;
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return 0;
        port = port * 10 + (ch.unicode() - '0');
    }
    return port <= 65535 ? port : 0;
}

// urlPath climbed up by climbs directories, without trailing "/." pairs. A
// climb above the host gives an empty text, or, when stopAtRoot, stays at
// the host.
QString Climbed(const QString& urlPath, int climbs, bool stopAtRoot)
{
    const qsizetype scheme = urlPath.indexOf(QLatin1String("://"));
    const qsizetype hostEnd = urlPath.indexOf(QLatin1Char('/'), scheme < 0 ? 0 : scheme + 3);
    const qsizetype root = hostEnd < 0 ? urlPath.size() : hostEnd;
    QString base = urlPath;
    for (int i = 0; i < climbs; ++i) {
        const qsizetype cut = base.lastIndexOf(QLatin1Char('/'));
        if (cut < root) {
            if (stopAtRoot)
                break;
            return {};
        }
        base.truncate(cut);
    }
    while (base.endsWith(QLatin1String("/.")))
        base.chop(2);
    return base;
}

} // namespace

UrlParts SplitUrl(const QString& link, const QString& protocol)
{
    UrlParts parts;
    parts.link = link;
    const qsizetype slash = link.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        parts.hostName = link.left(slash);
        parts.requestPath = link.mid(slash);
    } else {
        parts.hostName = link;
        parts.link += QLatin1Char('/');
        parts.slashAppended = true;
    }
    parts.requestPath = platform::Trim(parts.requestPath);
    if (parts.requestPath.isEmpty())
        parts.requestPath = QStringLiteral("/");
    parts.requestPath.replace(QLatin1Char(' '), QLatin1String("%20"));

    // The page's folder ends before its query, whatever "/" the query holds.
    const QString whole = protocol + parts.link;
    const qsizetype query = whole.indexOf(QLatin1Char('?'));
    const qsizetype last = whole.lastIndexOf(QLatin1Char('/'), query);
    parts.urlPath = last >= 1 ? whole.left(last) : whole;

    const qsizetype colon = parts.hostName.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        parts.port = PortNumber(parts.hostName.mid(colon + 1));
        parts.hostName.truncate(colon);
    }
    return parts;
}

bool HostDateiPortTrennen()
{
    const UrlParts parts = SplitUrl(KELPA::Link, KELPA::Protocol);
    KELPA::Link = parts.link;
    KELPA::HostName = parts.hostName;
    KELPA::RequestPath = parts.requestPath;
    KELPA::UrlPath = parts.urlPath;
    KELPA::Port = parts.port;
    return parts.slashAppended;
}

QString HostAndPort(const QString& host, int32_t port)
{
    if (port == DefaultPort)
        return host;
    return host + QLatin1Char(':') + QString::number(port);
}

QString HostAndPort()
{
    // Asked for every link of a page, of the same server.
    static QString host;
    static int32_t port = DefaultPort;
    static QString joined;
    if (KELPA::Port != port || KELPA::HostName != host || joined.isNull()) {
        host = KELPA::HostName;
        port = KELPA::Port;
        joined = HostAndPort(host, port);
    }
    return joined;
}

namespace {

// AbsoluteLink, with a climb above the host either joined to urlPath or, as
// a browser does, stopped at the host (stopAtRoot).
QString Resolved(const QString& value, const QString& urlPath, const QString& hostAndPort,
                 bool stopAtRoot)
{
    QString link;
    if (value.startsWith(QLatin1String("./"))) {
        link = urlPath + value.mid(1);
    } else if (value.startsWith(QLatin1String("//"))) {
        link = value.mid(2);
    } else if (value.startsWith(QLatin1Char('/'))) {
        link = hostAndPort + value;
    } else if (value == QLatin1String(".")) {
        return {};
    } else if (value.startsWith(QLatin1String("../"))) {
        QString rest = value;
        int climbs = 0;
        for (; rest.startsWith(QLatin1String("../")); ++climbs)
            rest.remove(0, 3);
        while (rest.startsWith(QLatin1Char('/')))
            rest.remove(0, 1);
        const QString base = Climbed(urlPath, climbs, stopAtRoot);
        link = (base.isEmpty() ? urlPath : base) + QLatin1Char('/') + rest;
    } else if (naming::SchemeLength(value) == 0 && !urlPath.isEmpty()) {
        link = urlPath + QLatin1Char('/') + value;
    } else {
        link = value;
    }
    link = platform::Trim(link);
    if (link.startsWith(QLatin1Char('/')))
        link = QLatin1String("file://") + link.mid(1);
    return link;
}

} // namespace

QString AbsoluteLink(const QString& value, const QString& urlPath, const QString& hostAndPort)
{
    return Resolved(value, urlPath, hostAndPort, false);
}

QString LinkRoot()
{
    using KELPA::UrlPath;
    if (KELPA::Protocol == QLatin1String("file://"))
        return LocalRoot(UrlPath);
    const QString joined = HostAndPort();
    const qsizetype scheme = UrlPath.indexOf(QLatin1String("://"));
    if (scheme < 0)
        return joined;
    // The page's own server, as nearly always: no need to read it apart.
    const QStringView rest = QStringView(UrlPath).mid(scheme + 3);
    if (rest.startsWith(joined) && (rest.size() == joined.size() || rest[joined.size()] == u'/'))
        return joined;
    // A base tag named another server, whose root "/" links then go to.
    const UrlParts base = SplitUrl(rest.toString(), QString());
    if (base.hostName.compare(KELPA::HostName, Qt::CaseInsensitive) == 0 &&
        base.port == KELPA::Port)
        return joined;
    return HostAndPort(base.hostName, base.port);
}

QString UrlDirectory(const QString& url)
{
    const qsizetype host = url.indexOf(QLatin1String("//"));
    const qsizetype slash = url.lastIndexOf(QLatin1Char('/'), url.indexOf(QLatin1Char('?')));
    return slash > (host < 0 ? -1 : host + 1) ? url.left(slash) : url;
}

QString BaseDirectory(const QString& href, const QString& urlPath, const QString& root,
                      const QString& protocol)
{
    const QString url = Resolved(href, urlPath, root, true);
    if (url.isEmpty())
        return urlPath;
    const bool scheme = urlPath.contains(QLatin1String("://"));
    return UrlDirectory(!scheme || naming::SchemeLength(url) > 0 ? url : protocol + url);
}

QString LocalRoot(const QString& urlPath)
{
    const QString path = urlPath.startsWith(QLatin1Char('/')) ? urlPath.mid(1) : urlPath;
    const bool drive = path.size() >= 2 && path[0].isLetter() &&
                       (path[1] == QLatin1Char(':') || path[1] == QLatin1Char('|'));
    return QLatin1String("file://") + (drive ? path.left(2) : QString());
}

QString LocalBase(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.left(std::max<qsizetype>(0, cut));
}

QString WithoutUserPart(const QString& url)
{
    const qsizetype scheme = url.indexOf(QLatin1String("://"));
    const qsizetype start = scheme < 0 ? 0 : scheme + 3;
    const qsizetype slash = url.indexOf(QLatin1Char('/'), start);
    const QString authority = url.mid(start, slash < 0 ? -1 : slash - start);
    const qsizetype at = authority.indexOf(QLatin1Char('@'));
    if (authority.indexOf(QLatin1Char(':')) < 1 || at < 3)
        return url;
    return url.left(start) + url.mid(start + at + 1);
}

} // namespace transfer
