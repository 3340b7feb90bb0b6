#pragma once
// A URL without its scheme ("host[:port]/path") taken apart into what the
// socket and the request need. Pure text work; nothing here resolves a name,
// opens a socket or touches a window.

#include <QString>

#include <cstdint>

namespace transfer {

inline constexpr int32_t DefaultPort = 80;

struct UrlParts {
    QString link; // the URL as given, with "/" appended when it named no path
    bool slashAppended = false;
    QString hostName;    // the host, without port
    QString requestPath; // from the first "/" on, at least "/"; blanks as "%20"
    QString urlPath;     // protocol & link up to the last "/" before any "?": the page's folder
    int32_t port = DefaultPort; // 1 to 65535; 0 when the URL names no valid port
};

// The rules of HostDateiPortTrennen over plain values. link is the URL after
// its scheme and user part ("host:8080/dir/page.html"), protocol the scheme
// ("http://"). A port is the text after the first ":" of the host part when
// it is all digits and lies in 1 to 65535; anything else ("", "abc", "0",
// "65536", "80x") gives port 0, which no connection can use.
UrlParts SplitUrl(const QString& link, const QString& protocol);

// HostDateiPortTrennen: reads Link and Protocol; sets Link (a "/" appended
// when it named no path), HostName, RequestPath, UrlPath and Port. Returns true
// when it appended the "/", so that the caller appends it to the text of its
// source box too. Never touches a window.
bool HostDateiPortTrennen();

// host, followed by ":" & port unless port is 80: the authority of a URL that
// keeps the page's port ("h:8080"; "h" for port 80).
QString HostAndPort(const QString& host, int32_t port);
// The same for the page under work: reads HostName and Port. A link that
// begins with "/" and a Location that begins with "/" are put behind this, so
// that they stay on the page's port.
QString HostAndPort();

// Serves InlineNamen: a link value as written in a page (fragment and quotes
// already cut) made absolute against the page. urlPath is the page's base
// (UrlPath), hostAndPort its authority (HostAndPort()). "./x" and plain
// relative values join urlPath; "/x" goes behind hostAndPort, so that it keeps
// the page's port; "//h/x" gives "h/x"; each leading "../" climbs one
// directory of urlPath, and a climb above the host joins the rest to urlPath;
// "." gives ""; a value that begins with a scheme and "://" stays as it is,
// while a "//" further on ("a//b.html", "go?to=http://x/") is part of a
// relative value. A result that still begins with "/" (a page without a
// host) becomes "file://" & the rest.
QString AbsoluteLink(const QString& value, const QString& urlPath, const QString& hostAndPort);

// The authority that a link beginning with "/" goes behind: LocalRoot(UrlPath)
// for a local page (Protocol "file://"), else the server of UrlPath, which a
// base tag may have set to another; HostAndPort() for the page's own. Reads
// Protocol, UrlPath, HostName and Port.
QString LinkRoot();

// url cut before its last "/" after the host and before any "?"
// ("http://h/d/i.html", "http://h/d/" and "http://h/d/?u=/x" give
// "http://h/d"; "http://h" stays): the directory that relative links of a
// page at url resolve against.
QString UrlDirectory(const QString& url);

// The base that a base tag's href gives the links of its page: href made
// absolute against the page as a link is (AbsoluteLink with urlPath and
// root), so that "/d/", "d/" and "../d/" name directories of the page's
// server as in a browser, and cut back to its directory (UrlDirectory). As
// in a browser, a climb above the host stops there ("../../../" names the
// root).
// It keeps the form of urlPath: when that has a scheme and the result none,
// protocol is put in front (a local page's path has none). href "" and "."
// keep urlPath.
QString BaseDirectory(const QString& href, const QString& urlPath, const QString& root,
                      const QString& protocol);

// The authority under which a link beginning with "/" in a local page stays on
// the page's drive: "file://" followed by the drive of urlPath ("Z:" or "Z|",
// after a leading "/"), or "file://" alone when urlPath names none.
QString LocalRoot(const QString& urlPath);

// The base of a local page: its path cut before the last "\" or "/" (which
// ever comes later); empty when it has neither.
QString LocalBase(const QString& path);

// url (with or without its scheme) without a user part before the host
// ("user:pw@host/x" gives "host/x"): the part up to the first "@" of the
// authority goes when the authority holds a ":" from its second character on
// and that "@" from its fourth. Anything else comes back unchanged.
QString WithoutUserPart(const QString& url);

} // namespace transfer
