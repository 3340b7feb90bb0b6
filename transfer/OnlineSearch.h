#pragma once
// The search of an HTML page while it arrives: received blocks go in, the
// bytes to write come out, cut into tags at each ">" so that a tag split
// across blocks is searched whole, as if it had come in one. Nothing is
// written twice or dropped: the output is the input, except for the head line
// put at the top, tags rewritten by the link handler and base tags taken out.
// Nothing here writes a file, logs, yields or touches a window.

#include "transfer/LinkSearch.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace transfer {

// Auswerten2, one page at a time: make one OnlineSearch per page, Add every
// received block of it and write what Add returns; at the end write what
// Finish returns (EvalRest).
class OnlineSearch final {
public:
    struct Options {
        LinkRules rules;
        bool rewrite = true; // write tags as the handlers left them, else as received
        QByteArray headLine; // UTF-8; put with CR LF at the page's FindHeadPlace; empty: none

        // rules: LinkRules::Current(); rewrite: LocalBrowsing 1 or SaveHTML 0;
        // headLine: HeadLine when LocalBrowsing is 1.
        static Options Current();
    };
    // Called for every tag with a link (the text from after the previous ">"
    // up to and including its own ">"); may rewrite tag in place.
    using LinkHandler = std::function<void(QByteArray& tag, const LinkMatch& match)>;
    // Called for every base tag with its href; the base element is taken out
    // of the page, the text around it stays.
    using BaseHandler = std::function<void(const QString& href)>;

    // A tag longer than this is not searched; its bytes are written as they
    // came. An unfinished tag is held back only up to this length.
    static constexpr qsizetype MaxTag = 65536;

    OnlineSearch(Options options, LinkHandler onLink, BaseHandler onBase);

    // The bytes to write for block: every tag completed in it, searched and
    // rewritten; an unfinished tag at its end is held back for the next block,
    // and so is the page's start while the head line's place is open.
    QByteArray Add(QByteArrayView block);
    // The end of the page: what was held back, unsearched.
    QByteArray Finish();

private:
    // Appends start, the page's first bytes, to out with the head line in
    // its place, and searches the rest of it.
    void Begin(QByteArrayView start, QByteArray& out);
    // Appends the bytes to write for block to out.
    void Search(QByteArrayView block, QByteArray& out);
    // Appends tag to out, searched, and rewritten when the options say so.
    void Tag(QByteArrayView tag, QByteArray& out);

    Options m_options;
    LinkHandler m_onLink;
    BaseHandler m_onBase;
    QByteArray m_carry;     // the unfinished tag
    bool m_passing = false; // inside a tag too long to search, up to its ">"
    bool m_begun = false;   // the head line is written (or there is none)
    QByteArray m_start;     // the page's first bytes while the head's place is open
};

// The base handler for the shared state: Link and UrlPath take the directory
// that href names, made absolute against the page (BaseDirectory).
void SetBase(const QString& href);

} // namespace transfer
