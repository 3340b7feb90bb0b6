#include "transfer/OnlineSearch.h"

#include "main/Kelpa.h"
#include "transfer/UrlSplit.h"

#include <QStringEncoder>

#include <utility>

namespace transfer {

namespace {

// The length of text without the blanks at its ends.
qsizetype TrimmedLength(QByteArrayView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == ' ')
        ++first;
    while (last > first && text.at(last - 1) == ' ')
        --last;
    return last - first;
}

} // namespace

OnlineSearch::Options OnlineSearch::Options::Current()
{
    using namespace KELPA;
    Options options;
    options.rules = LinkRules::Current();
    options.rewrite = LocalBrowsing == 1 || SaveHTML == 0;
    if (LocalBrowsing == 1)
        options.headLine = HeadLine.toUtf8();
    return options;
}

OnlineSearch::OnlineSearch(Options options, LinkHandler onLink, BaseHandler onBase)
    : m_options(std::move(options)), m_onLink(std::move(onLink)), m_onBase(std::move(onBase)),
      m_begun(m_options.headLine.isEmpty())
{
}

QByteArray OnlineSearch::Add(QByteArrayView block)
{
    QByteArray out;
    if (m_begun) {
        Search(block, out);
    } else if (m_start.isEmpty() && !PageStartUndecided(block)) {
        Begin(block, out);
    } else {
        m_start += block;
        if (!PageStartUndecided(m_start))
            Begin(std::exchange(m_start, {}), out);
    }
    return out;
}

QByteArray OnlineSearch::Finish()
{
    QByteArray out;
    if (!m_begun)
        Begin(std::exchange(m_start, {}), out);
    return out + std::exchange(m_carry, {});
}

void OnlineSearch::Begin(QByteArrayView start, QByteArray& out)
{
    m_begun = true;
    const HeadPlace place = FindHeadPlace(start);
    out += start.first(place.at);
    switch (place.encoding) {
    case PageEncoding::Bytes:
        out += m_options.headLine + "\r\n";
        break;
    case PageEncoding::Utf16LE:
    case PageEncoding::Utf16BE: {
        QStringEncoder encoder(place.encoding == PageEncoding::Utf16LE ? QStringConverter::Utf16LE
                                                                       : QStringConverter::Utf16BE);
        out += encoder.encode(QString::fromUtf8(m_options.headLine + "\r\n"));
        break;
    }
    }
    Search(start.sliced(place.at), out);
}

void OnlineSearch::Search(QByteArrayView block, QByteArray& out)
{
    out.reserve(out.size() + block.size() + m_carry.size());
    qsizetype pos = 0;
    while (pos < block.size()) {
        const qsizetype close = block.indexOf('>', pos);
        if (close < 0) {
            if (m_passing) {
                out += block.sliced(pos);
            } else {
                m_carry += block.sliced(pos);
                if (m_carry.size() > MaxTag) {
                    out += std::exchange(m_carry, {});
                    m_passing = true;
                }
            }
            break;
        }
        const QByteArrayView piece = block.sliced(pos, close + 1 - pos);
        if (m_passing) {
            out += piece;
            m_passing = false;
        } else if (m_carry.isEmpty()) {
            Tag(piece, out);
        } else {
            m_carry += piece;
            Tag(std::exchange(m_carry, {}), out);
        }
        pos = close + 1;
    }
}

void OnlineSearch::Tag(QByteArrayView tag, QByteArray& out)
{
    if (tag.size() > MaxTag || TrimmedLength(tag) < 10) {
        out += tag;
        return;
    }
    // Copied only when a handler may change it.
    QByteArray work;
    if (const auto base = FindBaseTag(tag)) {
        m_onBase(base->href);
        work = tag.toByteArray();
        work.remove(base->start, base->end - base->start);
    } else if (const LinkMatch match = FindLink(tag, m_options.rules); match.foundPos != 0) {
        work = tag.toByteArray();
        m_onLink(work, match);
    } else {
        out += tag;
        return;
    }
    out += m_options.rewrite ? QByteArrayView(work) : tag;
}

void SetBase(const QString& href)
{
    using namespace KELPA;
    UrlPath = BaseDirectory(href, UrlPath, LinkRoot(), Protocol);
    Link = UrlPath;
}

} // namespace transfer
