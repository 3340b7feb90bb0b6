#pragma once
// The head of an HTTP answer: collected from the received blocks until it is
// whole, then read field by field. Pure work on bytes; nothing here receives,
// writes a file, logs or touches a window.

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace transfer {

// What the head of an answer says. Fields are read from the head alone:
// nothing of the body is ever taken for a field.
struct ResponseHeader {
    bool hasStatusLine = false; // the answer begins with "HTTP" (or "TTP/")
    int statusCode = 0;         // the number of the status line; 0 when there is none
    QString statusLine;         // the status line as sent, trimmed
    QString location;           // the first Location field, trimmed; empty when none
    bool lengthKnown = false;   // a sound Content-Length field was sent
    int64_t contentLength = 0;  // its value; 0 when unknown
    // The media type of the first Content-Type field that names one, in
    // lower case, without its parameters ("; charset=..."); empty when the
    // answer has none.
    QString contentType;
};

// Lengths above this count as unknown: no file is that large, and a percentage
// of it still fits in 64 bits.
inline constexpr int64_t MaxContentLength = int64_t(1) << 50;

// Reads the status line and the fields of head (the bytes of the head, its
// empty line included or not). A Content-Length counts only when it is all
// digits (blanks and tabs around it allowed), at most MaxContentLength, and
// the same in every such field; negative, huge, malformed ("12abc") or
// conflicting lengths leave lengthKnown false.
ResponseHeader ReadResponseHeader(const QByteArray& head);

// Collects the first blocks of an answer until its head is whole. An answer
// that does not begin with "HTTP" or "TTP/" has no head: it is complete at
// byte 0 and all of it is body. A head ends with its first empty line (CR LF
// CR LF, or LF LF); it may span any number of blocks, up to MaxHeaderBytes.
class HeaderReader final {
public:
    enum class State { NeedMore, Complete, TooLong };
    static constexpr qsizetype MaxHeaderBytes = 64 * 1024;

    // Adds a received block. Once Complete or TooLong, further blocks are not
    // taken and the state stays.
    State Add(const QByteArray& block);
    // The connection closed: what has arrived is all there is. A head without
    // its empty line is then taken whole (no body); a few bytes that might
    // still have become "HTTP" are body.
    State Close();

    State state() const { return m_state; }
    // Complete: the byte count of the head in what was received (0 without one).
    qsizetype headerEnd() const { return m_headerEnd; }
    // Complete: the bytes after the head, the body's first part. Never any
    // byte of the head.
    QByteArray body() const { return m_received.mid(m_headerEnd); }
    // Complete: the fields of the head.
    ResponseHeader header() const { return ReadResponseHeader(m_received.left(m_headerEnd)); }

private:
    State Settle(bool closed);

    QByteArray m_received;
    qsizetype m_headerEnd = 0;
    qsizetype m_searched = 0; // bytes already searched for the empty line
    State m_state = State::NeedMore;
};

// What the header procedure does with an answer.
enum class HeaderDecision {
    Body,         // receive and save the body
    Relocation,   // Link now holds the Location target
    PngSubstitute // Link now holds the URL & ".gif"
};

// True when body begins with the PNG file signature (0x89 "PNG" CR LF).
bool IsPng(const QByteArray& body);

// True while the first bytes of a body are too few to decide on and more of
// them may come: body is a proper beginning of the PNG signature (a PNG or
// any other file?), or the head names no Content-Type and PageStartUndecided
// says so (a page or not?); and the head asks for no relocation, is no error
// (4xx, 5xx) and announces no length that body has reached.
bool BodyUndecided(const ResponseHeader& header, const QByteArray& body);

// The target of a Location value as Link holds URLs: AbsoluteLink against
// the page (UrlPath, and HostName with Port), so that "/path" keeps the page's
// port and a relative value resolves against the page's directory. A user
// part before the host is dropped, so that it is never logged or followed.
QString RelocationLink(const QString& location);

// Serves header: applies a complete head and the first part of the body to
// the shared state. Sets ContentLength (0 when unknown) and LengthUnknown
// (0 when a length was announced); UrlPath := HostAndPort() for a 404 answer;
// for a Location field Link := its target; for a PNG body Link := Link &
// ".gif", unless substitutePng is false (the substitute was tried and failed:
// the PNG itself is taken). Never closes, deletes or logs: the caller does
// that for a relocation or a substitute.
HeaderDecision ApplyResponseHeader(const ResponseHeader& header, const QByteArray& body,
                                   bool substitutePng = true);

// True when an absolute link (a relocation target, a link made absolute)
// names a local file ("file://", "C:\\", "C|\\"): neither a server's answer
// nor a page fetched from a server ever leads there.
bool NamesLocalFile(const QString& link);

// The log line for the length (logged with LogError set): entry 125 & " " &
// the length when one was announced above 0, entry 127 for the length 0,
// entry 128 when none was.
QString LengthLogText(const ResponseHeader& header);

} // namespace transfer
