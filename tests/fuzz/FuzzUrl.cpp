// Fuzz entry point: the URL split and the request built from it. Whatever the
// URL, the port stays in range and the request keeps its lines:
// one per header (If-Modified-Since only when set) and the empty one.

#include "transfer/Request.h"
#include "transfer/UrlSplit.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString link = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const transfer::UrlParts parts = transfer::SplitUrl(link, QStringLiteral("http://"));
    if (parts.port < 0 || parts.port > 65535 || !parts.requestPath.startsWith(QLatin1Char('/')))
        std::abort();
    const QByteArray request = transfer::RequestText(
        {parts.requestPath, link, parts.hostName, link, link, parts.urlPath, link});
    const qsizetype lines = link.isEmpty() ? 7 : 8;
    if (request.count('\n') != lines || request.count('\r') != lines)
        std::abort();
    return 0;
}
