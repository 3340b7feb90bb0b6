#include "main/StatusLine.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"

namespace {

const QString Separator = QStringLiteral("     ||    ");

} // namespace

StatusCounters CurrentStatusCounters()
{
    return {KELPA::RunStartTime, KELPA::UrlsLeft,    KELPA::FilesLoaded,
            KELPA::FilesKept,    KELPA::BytesLoaded, KELPA::BytesKept};
}

QString StatusBytes(int64_t bytes)
{
    if (bytes >= 1)
        return platform::Format(bytes, QStringLiteral("###,###"));
    return QString::number(bytes);
}

QString ComposeStatusLine(const StatusCounters& counters)
{
    const auto& text = KELPA::LanguageText;
    QString line;
    if (!counters.runStartTime.isEmpty())
        line = QStringLiteral(" Start  ") + counters.runStartTime + Separator;
    line +=
        QLatin1Char(' ') + text[230] + QStringLiteral("  ") + QString::number(counters.urlsLeft);
    line += Separator + text[229] + QStringLiteral("  ") + QString::number(counters.filesLoaded) +
            QStringLiteral(" / ") + QString::number(counters.filesKept);
    line += QStringLiteral("  (") + text[232] + QLatin1Char(')');
    line += Separator + text[233] + QStringLiteral("  ") + StatusBytes(counters.bytesLoaded) +
            QStringLiteral(" / ") + StatusBytes(counters.bytesKept);
    return line;
}

std::optional<QString> StatusLineWithUrlsLeft(const QString& line, int32_t urlsLeft)
{
    const QString& links = KELPA::LanguageText[230];
    const qsizetype p = links.isEmpty() ? 0 : platform::InStr(line, links);
    const qsizetype q = p == 0 ? 0 : platform::InStr(p, line, QStringLiteral("|"));
    if (q == 0)
        return std::nullopt;
    const qsizetype head = p + links.size() + 1;
    const qsizetype tail = line.size() - q + 6;
    if (head + tail > line.size())
        return std::nullopt;
    return platform::Left(line, head) + QString::number(urlsLeft) + platform::Right(line, tail);
}

QString TotalsLine(const QString& head)
{
    const auto& text = KELPA::LanguageText;
    return head + StatusBytes(KELPA::BytesLoaded) + QLatin1Char('/') +
           StatusBytes(KELPA::BytesKept) + text[233] + QLatin1Char('(') +
           QString::number(KELPA::FilesLoaded) + QLatin1Char('/') +
           QString::number(KELPA::FilesKept) + text[229] + QStringLiteral(") ") + text[232] +
           QStringLiteral("******");
}
