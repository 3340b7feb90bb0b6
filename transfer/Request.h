#pragma once
// The HTTP/1.0 request that the transfer window sends for every URL. Pure
// text work: nothing here sends, logs or touches a window.

#include <QByteArray>
#include <QString>

namespace transfer {

// The values of the request, as the settings and the URL split give them.
struct RequestValues {
    QString path;            // "/" at least
    QString connection;      // sent also when empty
    QString host;            // sent also when empty
    QString accept;          // sent also when empty
    QString ifModifiedSince; // the line is left out when empty
    QString referer;
    QString userAgent;
};

// The request text: "GET " path " HTTP/1.0", Connection, Host, Accept,
// If-Modified-Since (only when set), Referer, User-Agent, an empty line; each
// line ends in CR LF. No value can start a line of its own: header values
// lose every control character (CR, LF, NUL, tab, DEL and the C1 range) and
// are sent as UTF-8; the path keeps its printable ASCII and is sent with every
// other byte of its UTF-8 form (blanks and controls included) as "%XX".
QByteArray RequestText(const RequestValues& values);

// The values for the URL under work (what hypertexttransport sends): reads
// RequestPath, Connection, Accept, IfModifiedSince; Host, or else HostName
// with ":" & Port unless Port is 80; Referer, or else UrlPath & "/";
// UserAgent, or else "Kelpa 5.0 (" & the product's web address & ")".
RequestValues CurrentRequestValues();

} // namespace transfer
