#pragma once
// Finding the link in a tag of an HTML page, and telling from the first block
// of an answer whether it is a page worth searching. Tag text is examined as
// bytes, letters compared without regard to case in ASCII; the bytes are never
// changed here. Nothing here logs, yields or touches a window.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace transfer {

// Position (from 0) of the first occurrence of what in text at or after
// from, ASCII letters compared without regard to case; -1 when absent.
qsizetype FindCaseBlind(QByteArrayView text, QByteArrayView what, qsizetype from = 0);

// The settings that choose which rows of the tag table are tried.
struct LinkRules {
    bool javaApplets = false;       // JavaApplets: "<applet" "code"
    bool images = false;            // Images: "<body" "background", "<im" "src"
    bool imagesOnly = false;        // ImagesOnly: images only, no other row
    bool acceptMetaRefresh = false; // AcceptMetaRefresh: "<meta" "url"

    // Reads JavaApplets, Images, ImagesOnly and AcceptMetaRefresh.
    static LinkRules Current();
};

struct LinkMatch {
    int32_t foundPos = 0;     // position (from 1) of the attribute word; 0: no link
    bool imageLink = false;   // an image source or background
    bool metaRefresh = false; // the target of a META refresh
};

// The rules of LinkSuche over one tag: the rows of the tag table are tried in
// order, and the first whose tag text and attribute both occur in the tag
// (anywhere, ignoring case) gives the position of the attribute's first
// occurrence.
LinkMatch FindLink(QByteArrayView tag, const LinkRules& rules);

// LinkSuche: reads CurrentTag and the settings of LinkRules::Current; sets
// FoundPos, ImageLink and MetaRefreshFound.
void LinkSuche();

// The base tag in tag: when it holds "<base", "href" and an "=" after that, the
// value after the "=" up to the tag's ">", trimmed, LF as blank, without its
// quotes, cut at the first blank, read by AttributeText: the href as written,
// still to be made absolute against the page (BaseDirectory). The range
// [start, end) is the base element itself, from its "<" to its ">".
struct BaseTag {
    QString href;
    qsizetype start = 0;
    qsizetype end = 0;
};
std::optional<BaseTag> FindBaseTag(QByteArrayView tag);

// Bytes at the start of a file that tell whether it is a page: an XML
// document whose root element has not begun within them is none.
inline constexpr qsizetype MaxPageStart = 65536;

// True when a file that begins with firstBytes is a page to search. An XML
// document (beginning with "<?xml", after blanks, CR, LF, tabs and a byte
// order mark) is a page when its root element, after the declaration,
// comments, processing instructions and a DOCTYPE, is "html" in any case; any
// other XML (an SVG, a feed) is copied as it is. Any other file is a page when
// a "<" stands within its first four characters after blanks, CR, LF and tabs.
// Only the first MaxPageStart bytes are looked at.
bool IsPageStart(QByteArrayView firstBytes);

// True while more bytes of a file that begins with firstBytes could change
// what IsPageStart says: an XML prolog without its root element yet, a byte
// order mark or "<?xml" cut short, or nothing but blanks; never once
// firstBytes holds MaxPageStart bytes.
bool PageStartUndecided(QByteArrayView firstBytes);

// The encoding a byte order mark names; Bytes without one (UTF-8 or any
// 8-bit encoding).
enum class PageEncoding { Bytes, Utf16LE, Utf16BE };

// Where the head line goes in a page that begins with firstBytes, and in
// which encoding it is written: after a byte order mark and after an XML
// declaration (which must stay the first thing of its document); else at the
// very beginning.
struct HeadPlace {
    qsizetype at = 0;
    PageEncoding encoding = PageEncoding::Bytes;
};
HeadPlace FindHeadPlace(QByteArrayView firstBytes);

// What the first block of an answer says about the page.
struct PageDecision {
    int16_t pageState = 2;      // 1 HTML to search, 2 not HTML, 3 "Not Found" page, 4 server busy
    bool hasStatusLine = false; // the block holds "TTP/1."
    bool errorPage = false;     // a "Not Found" page
    int messageEntry = 0;       // entry of the text to show and log (116, 117, 118); 0: none
};

// The rules of AuswertenEntscheiden over the first block. contentType is the
// answer's media type as ResponseHeader holds it (empty when it named none):
// with one, the answer is a page when it is "text/html" or
// "application/xhtml+xml" (letter case ignored), whatever its first bytes,
// and no page with any other; without one, the first bytes decide (an XML
// answer is HTML only with the root element "html", as IsPageStart says).
// statusCode is the answer's status (0 when it had no status line): the
// texts "Not Found", "Too many user" and "Service Temporarily Unavailable"
// mark a page as an error page only when the status is not 2xx, so that a
// page that speaks of them is still searched.
PageDecision DecidePage(QByteArrayView block, int statusCode, QStringView contentType = {});

// AuswertenEntscheiden: reads CurrentTag (the first block), LevelsLeft and
// Images; sets PageState, ImagesOnly (1 on the last level when Images is 1),
// HasStatusLine (1 when the block holds "TTP/1.") and ErrorPage, as
// DecidePage decides. On the last level with Images 0 it sets PageState 0
// and nothing else. Returns the entry of the text that the caller shows as
// caption and in Text2, copies to TransferMessage and logs (and, for
// PageState 4, records the URL as not loaded); 0 when there is none.
int AuswertenEntscheiden(int statusCode, QStringView contentType = {});

} // namespace transfer
