#include "main/Schedule.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"

#include <algorithm>

namespace schedule {

namespace {

QDateTime setMoment;

QString TwoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

QDateTime Now()
{
    return setMoment.isValid() ? setMoment : QDateTime::currentDateTime();
}

void SetNow(const QDateTime& moment)
{
    setMoment = moment;
}

QString ClockText()
{
    return platform::TimeText(Now().time());
}

QString DateText()
{
    return platform::DateText(Now().date());
}

QString MinutesLeft(int left)
{
    return QString::number(left) + QLatin1Char('\'');
}

QString MinutesLabel(int minutes)
{
    return platform::Trim(platform::Str(minutes)) + QStringLiteral(" min");
}

QString TenthsLabel(int tenths)
{
    const QString digits = platform::Trim(platform::Str(tenths));
    return platform::Left(digits, digits.size() - 1) + QLatin1Char('.') +
           platform::Right(digits, 1) + QStringLiteral(" h");
}

int16_t LabelNumber(const QString& caption)
{
    return platform::CInt(platform::Val(platform::Left(caption, caption.size() - 3)));
}

int DauerStep(int v)
{
    if (v < 60)
        return 60;
    return v <= 660 ? v + 60 : 1;
}

int RepeatStep(int v)
{
    if (v < 60)
        return 60;
    if (v <= 660)
        return v + 60;
    return v <= 1380 ? std::min(v + 720, 1440) : 1;
}

int ZeitStep(int tenths)
{
    if (tenths < 240)
        return 240;
    return tenths <= 3120 ? tenths + 240 : 1;
}

QString StartDisplay(const QString& startClock, int tenths, const QString& zeitCaption)
{
    const qsizetype colon = platform::InStr(startClock, QStringLiteral(":"));
    int hour = static_cast<int>(platform::Val(platform::Left(startClock, colon - 1)));
    const int minute = static_cast<int>(platform::Val(platform::Mid(startClock, colon + 1, 2)));
    const bool twelveHour = platform::UCase(platform::Right(startClock, 1)) == QLatin1String("M");
    if (twelveHour) {
        const bool pm = platform::UCase(platform::Right(startClock, 2)) == QLatin1String("PM");
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const int total = hour * 60 + minute + (tenths / 10) * 60 + (tenths % 10) * 6;
    const int startHour = total / 60 % 24;
    const int startMinute = total % 60;

    const qsizetype shortLength = platform::Mid(startClock, 6, 1) == QLatin1String(":") ? 5 : 4;
    QString text =
        KELPA::LanguageText[317] + platform::Left(startClock, shortLength) + QLatin1Char(' ');
    if (twelveHour)
        text += platform::UCase(platform::Right(startClock, 2)) + QLatin1Char(' ');
    text += QStringLiteral("+ ") + zeitCaption + QStringLiteral(" = ");
    if (!twelveHour)
        return text + TwoDigits(startHour) + QLatin1Char(':') + TwoDigits(startMinute);
    const int shownHour = startHour % 12 == 0 ? 12 : startHour % 12;
    return text + QString::number(shownHour) + QLatin1Char(':') + TwoDigits(startMinute) +
           (startHour < 12 ? QStringLiteral(" AM ") : QStringLiteral(" PM "));
}

DurationDisplay DurationCaption(int64_t bytesReceived, int64_t contentLength, bool repeat,
                                int16_t repeatLeft, int16_t durationLeft)
{
    const auto& t = KELPA::LanguageText;
    const QString received = platform::Trim(platform::Str(bytesReceived));
    if (bytesReceived >= 1 && contentLength >= 1) {
        const int64_t percent = bytesReceived * 100 / contentLength;
        DurationDisplay shown;
        shown.percentText = t[309] + platform::Trim(platform::Str(percent)) + QStringLiteral("%) ");
        shown.caption = received + t[134] + platform::Trim(platform::Str(contentLength)) +
                        shown.percentText + t[137] + MinutesLeft(durationLeft);
        return shown;
    }
    if (bytesReceived >= 1)
        return {received + t[138] + MinutesLeft(durationLeft), {}};
    if (repeat)
        return {t[304] + MinutesLeft(repeatLeft) + t[147] + MinutesLeft(durationLeft), {}};
    return {t[139] + MinutesLeft(durationLeft), {}};
}

} // namespace schedule
