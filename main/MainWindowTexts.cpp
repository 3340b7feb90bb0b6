#include "main/Settings.h"

#include "platform/convert/Convert.h"

#include <QStringList>

namespace inifile {

namespace {

// Takes the part of text before its first "," and drops it with the ",".
// Without a "," nothing is taken and text stays as it is.
std::optional<QString> TakePart(QString& text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    const QString part = text.left(comma);
    text = text.mid(comma + 1);
    return part;
}

std::optional<double> Number(const std::optional<QString>& part)
{
    bool ok = false;
    const double value = part ? platform::CDbl(*part, &ok) : 0;
    return ok ? std::optional<double>(value) : std::nullopt;
}

bool Within(double value, double size)
{
    return value >= 0 && value <= size;
}

QString Decimal(double value)
{
    return platform::Trim(platform::Str(value));
}

} // namespace

Place ParsePosition(const QString& position, double screenWidth, double screenHeight)
{
    QString rest = position;
    const std::optional<double> left = Number(TakePart(rest));
    const std::optional<double> width = Number(TakePart(rest));
    const std::optional<double> top = Number(TakePart(rest));
    const std::optional<double> height = Number(rest);

    Place place;
    place.Left = left && Within(*left, screenWidth) ? *left : 0;
    place.Width = width && Within(*width, screenWidth) ? *width : screenWidth;
    place.Top = left && width && top && Within(*top, screenHeight) ? *top : 0;
    place.Height = height && Within(*height, screenHeight) ? *height : screenHeight;
    return place;
}

QString PositionText(double left, double width, double top, double height)
{
    return QStringList{Decimal(left), Decimal(width), Decimal(top), Decimal(height)}.join(
        QLatin1Char(','));
}

SchedulerLabels SplitTimeProcs(const QString& timeProcs, const QString& repeatNow,
                               const QString& dauerNow)
{
    QString rest = timeProcs;
    SchedulerLabels labels;
    labels.Repeat = TakePart(rest).value_or(repeatNow);
    labels.VScroll3 = platform::CLng(-platform::Val(labels.Repeat));
    labels.Dauer = TakePart(rest).value_or(dauerNow);
    labels.VScroll1 = platform::CLng(-platform::Val(labels.Dauer));
    labels.Zeit = rest;
    labels.VScroll2 = platform::CLng(-10 * platform::Val(labels.Zeit));
    return labels;
}

QString TaskCaption(const QString& caption, const QString& taskFile)
{
    const QString suffix = QStringLiteral(" [") + taskFile + QLatin1Char(']');
    if (!caption.endsWith(QLatin1Char(']')))
        return caption + suffix;
    return platform::Trim(caption.left(caption.indexOf(QLatin1Char('[')))) + suffix;
}

} // namespace inifile
