#include "transfer/LinkValue.h"

#include "transfer/LinkSearch.h"

#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace transfer {

namespace {

// A part [begin, end) of the tag's value, CR and LF read as blanks.
struct Span {
    QByteArrayView text; // the tag with CR and LF as blanks
    qsizetype begin = 0;
    qsizetype end = 0;

    qsizetype size() const { return end - begin; }
    char at(qsizetype i) const { return text.at(begin + i); }
    QByteArrayView view() const { return text.sliced(begin, size()); }
    qsizetype indexOf(char c, qsizetype from = 0) const { return view().indexOf(c, from); }
    void trim()
    {
        while (begin < end && text.at(begin) == ' ')
            ++begin;
        while (end > begin && text.at(end - 1) == ' ')
            --end;
    }
    void dropFirst() { ++begin; }
    void cutAt(qsizetype i) { end = begin + i; }
};

QString Decode(QByteArrayView bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

LinkValue CutLinkValue(QByteArrayView tag, qsizetype foundPos)
{
    LinkValue value;
    const qsizetype equals = tag.indexOf('=', qMax<qsizetype>(foundPos, 0));
    if (equals < 0)
        return value;
    const qsizetype close = tag.indexOf('>', equals + 1);
    QByteArray blanked;
    if (tag.contains('\n') || tag.contains('\r')) {
        blanked = tag.toByteArray();
        blanked.replace('\n', ' ').replace('\r', ' ');
    }
    Span span{blanked.isNull() ? tag : QByteArrayView(blanked), equals + 1,
              close < 0 ? tag.size() : close};
    span.trim();

    if (span.size() > 3 && span.view().startsWith("\\\"")) {
        span.dropFirst();
        span.trim();
    }
    if (span.size() > 0 && (span.at(0) == '"' || span.at(0) == '\'')) {
        span.dropFirst();
        span.trim();
    } else if (const qsizetype blank = span.indexOf(' '); blank >= 0) {
        span.cutAt(blank);
    }
    if (const qsizetype quote = span.indexOf('"'); quote >= 0) {
        span.cutAt(quote > 0 && span.at(quote - 1) == '\\' ? quote - 1 : quote);
        span.trim();
    }
    if (span.size() >= 5 && FindCaseBlind(span.view(), " ALT=", span.size() - 5) >= 0)
        span.cutAt(span.size() - 5);

    if (const qsizetype quote = span.indexOf('\'', 1); quote >= 0)
        span.cutAt(quote);
    if (span.size() > 0 && span.at(0) == '\'')
        span.dropFirst();
    value.text = tag.sliced(span.begin, span.size()).toByteArray();
    value.from = span.begin;

    QByteArrayView link = span.view();
    if (const qsizetype hash = link.indexOf('#'); hash >= 0)
        link = link.first(hash);
    if (link.startsWith("./"))
        link = link.sliced(2);
    value.link = Decode(link);
    return value;
}

bool RewrittenWithSubDirectories(QByteArrayView linkText)
{
    return FindCaseBlind(linkText.first(qMin<qsizetype>(7, linkText.size())), "http://") == 0 ||
           linkText.startsWith('/') || linkText.startsWith('.') || linkText.contains('?') ||
           linkText.contains('=');
}

bool NamesSavedFile(QByteArrayView linkText, const QString& savedPath)
{
    QByteArrayView value = linkText;
    if (const qsizetype hash = value.indexOf('#'); hash >= 0)
        value = value.first(hash);
    if (value.isEmpty() || value.contains('&'))
        return false;
    // An escaped "/" or "\\" is part of a name to a browser, while the saved
    // file's path took it for a folder.
    for (const char* separator : {"%2f", "%5c"}) {
        if (FindCaseBlind(value, separator) >= 0)
            return false;
    }
    QByteArray path = QByteArray::fromPercentEncoding(value.toByteArray());
    path.replace('\\', '/');
    QString saved = savedPath;
    saved.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return Decode(path) == saved;
}

bool UnfetchedScheme(const QString& link)
{
    const qsizetype colon = link.indexOf(QLatin1Char(':'));
    if (colon < 2 || link.mid(colon + 1).startsWith(QLatin1String("//")))
        return false;
    for (qsizetype i = 0; i < colon; ++i) {
        const QChar c = link[i];
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        const bool other = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                           c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.');
        if (!letter && (i == 0 || !other))
            return false;
    }
    return true;
}

QByteArray LocalReference(const QString& localName, QByteArrayView linkText)
{
    static constexpr QByteArrayView Escaped = " \"'<>#%";
    const auto plain = [](char c) { return c != '&' && !Escaped.contains(c); };
    QByteArray reference = localName.toUtf8();
    if (!std::all_of(reference.cbegin(), reference.cend(), plain)) {
        const QByteArray name = std::exchange(reference, QByteArray());
        for (const char c : name) {
            if (c == '&')
                reference += "&amp;";
            else if (!plain(c))
                reference += '%' + QByteArray::number(uchar(c), 16).toUpper();
            else
                reference += c;
        }
    }
    if (const qsizetype hash = linkText.indexOf('#'); hash >= 0)
        reference += linkText.sliced(hash);
    return reference;
}

bool ReplaceLinkText(QByteArray& tag, qsizetype from, QByteArrayView linkText,
                     QByteArrayView reference)
{
    if (linkText.isEmpty())
        return false;
    const qsizetype at = QByteArrayView(tag).indexOf(linkText, from);
    if (at < 0)
        return false;
    tag.replace(at, linkText.size(), reference.toByteArray());
    return true;
}

} // namespace transfer
