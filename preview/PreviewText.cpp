#include "preview/PreviewText.h"

#include "platform/files/Files.h"

namespace preview {

namespace {

constexpr int PassLimit = 101;
constexpr int LineLimit = 101;

// Elements whose tags end a line of text.
bool EndsLine(const QString& name)
{
    static const QStringList blocks = {
        QStringLiteral("address"),    QStringLiteral("article"), QStringLiteral("aside"),
        QStringLiteral("blockquote"), QStringLiteral("body"),    QStringLiteral("br"),
        QStringLiteral("caption"),    QStringLiteral("dd"),      QStringLiteral("div"),
        QStringLiteral("dl"),         QStringLiteral("dt"),      QStringLiteral("fieldset"),
        QStringLiteral("figcaption"), QStringLiteral("figure"),  QStringLiteral("footer"),
        QStringLiteral("form"),       QStringLiteral("h1"),      QStringLiteral("h2"),
        QStringLiteral("h3"),         QStringLiteral("h4"),      QStringLiteral("h5"),
        QStringLiteral("h6"),         QStringLiteral("head"),    QStringLiteral("header"),
        QStringLiteral("hr"),         QStringLiteral("html"),    QStringLiteral("li"),
        QStringLiteral("main"),       QStringLiteral("nav"),     QStringLiteral("ol"),
        QStringLiteral("option"),     QStringLiteral("p"),       QStringLiteral("pre"),
        QStringLiteral("section"),    QStringLiteral("table"),   QStringLiteral("td"),
        QStringLiteral("th"),         QStringLiteral("title"),   QStringLiteral("tr"),
        QStringLiteral("ul")};
    return blocks.contains(name);
}

bool HoldsRawText(const QString& name)
{
    return name == QLatin1String("style") || name == QLatin1String("script");
}

// The element name of the tag that opens at from ("<" then an optional
// "/"), in lower case; closing tells whether it is an end tag.
QString TagName(const QString& line, qsizetype from, bool& closing)
{
    qsizetype p = from + 1;
    closing = p < line.size() && line.at(p) == QLatin1Char('/');
    if (closing)
        ++p;
    const qsizetype start = p;
    while (p < line.size() && line.at(p).isLetterOrNumber() && line.at(p).unicode() < 128)
        ++p;
    return line.mid(start, p - start).toLower();
}

} // namespace

QStringList HtmlText::Lines(const QString& line)
{
    QStringList pieces(QString{});
    qsizetype pos = 0;
    for (;;) {
        if (!rawEnd_.isEmpty()) {
            const qsizetype end = line.indexOf(rawEnd_, pos, Qt::CaseInsensitive);
            const qsizetype close = end < 0 ? -1 : line.indexOf(QLatin1Char('>'), end);
            if (end >= 0)
                rawEnd_.clear();
            if (close < 0)
                break;
            pos = close + 1;
        }
        const qsizetype open = line.indexOf(QLatin1Char('<'), pos);
        const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char('>'), open);
        bool closing = false;
        const QString name = open < 0 ? QString() : TagName(line, open, closing);
        if (open >= 0 && !closing && HoldsRawText(name)) {
            pieces.last() += line.mid(pos, open - pos);
            rawEnd_ = QStringLiteral("</") + name;
            if (close < 0)
                break;
            pos = close + 1;
        } else if (close >= 0 && EndsLine(name)) {
            pieces.last() += line.mid(pos, open - pos);
            pieces.append(QString());
            pos = close + 1;
        } else {
            // Up to the next tag that matters; other tags go with the text.
            const qsizetype next = open < 0 ? line.size() : (close < 0 ? line.size() : close + 1);
            pieces.last() += line.mid(pos, next - pos);
            pos = next;
            if (pos >= line.size())
                break;
        }
    }
    QStringList lines;
    for (const QString& piece : std::as_const(pieces)) {
        const QString text = WithoutEntities(WithoutTags(piece));
        if (!text.trimmed().isEmpty())
            lines.append(text);
    }
    return lines;
}

bool IsHtmlName(const QString& name)
{
    const QString tail = name.right(4).toUpper();
    return tail == QLatin1String(".HTM") || tail == QLatin1String(".SHT") ||
           tail == QLatin1String("HTML") || tail == QLatin1String(".ASP") ||
           tail == QLatin1String(".PHP");
}

QString WithoutTags(QString line)
{
    for (int pass = 0; pass < PassLimit; ++pass) {
        const qsizetype a = line.indexOf(QLatin1Char('<'));
        const qsizetype b = line.indexOf(QLatin1Char('>'));
        if (a < 0 && b < 0)
            break;
        if (a >= 0 && b > a)
            line.remove(a, b - a + 1);
        else if (a >= 0)
            line.truncate(a);
        else
            line.remove(0, b + 1);
    }
    return line;
}

QString WithoutEntities(QString line)
{
    qsizetype p = 0; // the search position, 0-based
    for (int pass = 0; pass < PassLimit; ++pass) {
        const qsizetype a = line.indexOf(QLatin1Char('&'), p);
        const qsizetype b = line.indexOf(QLatin1Char(';'), p);
        if (a < 0 || b < 0)
            break;
        ++p;
        if (b > a)
            line.remove(a, b - a + 1);
    }
    return line;
}

bool LineReader::Open(const QString& linuxPath)
{
    file_.setFileName(linuxPath);
    buffer_.clear();
    pos_ = 0;
    readTotal_ = 0;
    ended_ = false;
    return file_.open(QIODevice::ReadOnly);
}

// Reads the next block into the buffer, keeping what is not used yet; false
// when nothing more comes.
bool LineReader::Fill()
{
    if (ended_)
        return false;
    const qint64 room = MaxReadBytes - readTotal_;
    if (room <= 0) {
        ended_ = true;
        return false;
    }
    const QByteArray block = file_.read(qMin<qint64>(room, MaxLineBytes));
    if (block.isEmpty()) {
        ended_ = true;
        return false;
    }
    readTotal_ += block.size();
    buffer_.remove(0, pos_);
    pos_ = 0;
    buffer_ += block;
    return true;
}

bool LineReader::ReadLine(QString& line)
{
    QByteArray kept;
    bool overlong = false; // the rest of the line is skipped
    bool any = false;
    for (;;) {
        qsizetype end = -1;
        for (qsizetype i = pos_; i < buffer_.size(); ++i) {
            const char c = buffer_.at(i);
            if (c == '\n' || c == '\r') {
                end = i;
                break;
            }
        }
        const qsizetype stop = end >= 0 ? end : buffer_.size();
        if (!overlong) {
            const qsizetype room = MaxLineBytes - kept.size();
            qsizetype take = stop - pos_;
            if (take > room) {
                take = room;
                overlong = true;
            }
            kept.append(buffer_.constData() + pos_, take);
            // Keep the first MaxLineBytes, not cutting a UTF-8 sequence.
            if (overlong && (uchar(buffer_.at(pos_ + take)) & 0xC0) == 0x80) {
                while (!kept.isEmpty() && (uchar(kept.back()) & 0xC0) == 0x80)
                    kept.chop(1);
                if (!kept.isEmpty() && uchar(kept.back()) >= 0xC0)
                    kept.chop(1);
            }
        }
        any = any || stop > pos_;
        pos_ = stop;
        if (end >= 0) {
            pos_ = end + 1;
            if (buffer_.at(end) == '\r') {
                if (pos_ >= buffer_.size())
                    Fill();
                if (pos_ < buffer_.size() && buffer_.at(pos_) == '\n')
                    ++pos_;
            }
            line = platform::DecodeLine(kept);
            return true;
        }
        if (!Fill()) {
            if (!any)
                return false;
            line = platform::DecodeLine(kept);
            return true;
        }
    }
}

bool ReadTextLines(const QString& linuxPath, bool html, const TextSteps& steps)
{
    LineReader reader;
    if (!reader.Open(linuxPath))
        return false;
    int count = 0;
    QString line;
    HtmlText text;
    while (count < LineLimit) {
        if (steps.beforeLine && !steps.beforeLine())
            return true;
        if (!reader.ReadLine(line))
            break;
        ++count;
        if (!html) {
            steps.add(line);
        } else {
            for (const QString& listed : text.Lines(line))
                steps.add(listed);
        }
        if (steps.afterLine && !steps.afterLine())
            return true;
    }
    if (count > LineLimit - 1)
        steps.add(QStringLiteral("..."));
    return true;
}

} // namespace preview
