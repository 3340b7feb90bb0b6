#include "preview/PreviewText.h"

#include "platform/files/Files.h"

namespace preview {

namespace {

constexpr int PassLimit = 101;
constexpr int LineLimit = 101;

} // namespace

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
    while (count < LineLimit) {
        if (steps.beforeLine && !steps.beforeLine())
            return true;
        if (!reader.ReadLine(line))
            break;
        ++count;
        if (!html) {
            steps.add(line);
        } else {
            line = WithoutEntities(WithoutTags(line));
            if (!line.trimmed().isEmpty())
                steps.add(line);
        }
        if (steps.afterLine && !steps.afterLine())
            return true;
    }
    if (count > LineLimit - 1)
        steps.add(QStringLiteral("..."));
    return true;
}

} // namespace preview
