#include "transfer/OnlineSearch.h"

#include "main/Kelpa.h"

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
    : m_options(std::move(options)), m_onLink(std::move(onLink)), m_onBase(std::move(onBase))
{
}

QByteArray OnlineSearch::Add(QByteArrayView block)
{
    QByteArray out = HeadOnce();
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
    return out;
}

QByteArray OnlineSearch::Finish()
{
    return HeadOnce() + std::exchange(m_carry, {});
}

QByteArray OnlineSearch::HeadOnce()
{
    if (m_headWritten)
        return {};
    m_headWritten = true;
    if (m_options.headLine.isEmpty())
        return {};
    return m_options.headLine + "\r\n";
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
    KELPA::Link = href;
    KELPA::UrlPath = href;
}

} // namespace transfer
