// The time-outs of a transfer and the rate of a finished file.

#include "transfer/FormHTTP.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/pump/Pump.h"

#include <QLineEdit>

#include <cmath>

using namespace KELPA;

void FormHTTP::TimeOutErneuern()
{
    if (Timeout < 1) {
        TimerTimeout.setEnabled(false);
        return;
    }
    if (Timeout > 60) {
        MinutesLeft = static_cast<int16_t>(Timeout / 60);
        TimerTimeout.setInterval(60000);
    } else {
        MinutesLeft = 1;
        TimerTimeout.setInterval(Timeout * 1000);
    }
    TimerTimeout.setEnabled(true);
}

void FormHTTP::TimerTimeout_Timer()
{
    --MinutesLeft;
    platform::DoEvents();
    if (MinutesLeft < 1) {
        TimerTimeout.setEnabled(false);
        SetCaption(LanguageText[121]);
        LogError = 1;
        FormKelpa::Instance().logging(Caption());
        FormKelpa::Instance().Abbruch();
    }
}

void FormHTTP::TimerConnect_Timer()
{
    platform::DoEvents();
    TimerConnect.setEnabled(false);
    FormKelpa& form = FormKelpa::Instance();
    form.logging(QStringLiteral("Host: '") + HostName + LanguageText[120]);
    SetCaption(LanguageText[121]);
    LogError = 1;
    form.logging(Caption());
    form.Abbruch();
}

void FormHTTP::TimerDNSLookUp_Timer()
{
    TimerDNSLookUp.setEnabled(false);
    FormKelpa& form = FormKelpa::Instance();
    form.logging(LanguageText[164]);
    SetCaption(LanguageText[121]);
    LogError = 1;
    form.logging(Caption());
    form.Abbruch();
}

// The rate in kB/s with at most two decimals: bytes × 100 / ticks rounded
// (halves to even), then whole hundredths of a kilobyte. 64-bit throughout.
namespace {
QString RateOf(int64_t bytes, int64_t ticks)
{
    const double exact = static_cast<double>(bytes) * 100.0 / static_cast<double>(ticks);
    const auto hundredths = static_cast<int64_t>(std::nearbyint(exact)) / 1024;
    return platform::Trim(platform::Str(static_cast<double>(hundredths) / 100.0));
}
} // namespace

void FormHTTP::Uebertragungsrate()
{
    if (BytesReceived < 1)
        return;
    // The file's own path: the link search has moved FileDirectory on to the
    // directory of the last link it named.
    const QString directory = SubDirectories == 1 ? Directory + FileDirectory : Directory;
    const QString path = file_.target.isEmpty() ? directory + Text2->text() : file_.target;
    const QString line =
        QStringLiteral("-> ") + path + platform::Str(BytesReceived) + LanguageText[136];
    if (TransferTicks <= 0) {
        FormKelpa::Instance().logging(line);
        return;
    }
    const QString rate = RateOf(BytesReceived, TransferTicks);
    if (rate == QLatin1String("0"))
        FormKelpa::Instance().logging(line);
    else if (rate.startsWith(QLatin1Char('.')))
        FormKelpa::Instance().logging(line + QStringLiteral(" (0") + rate +
                                      QStringLiteral(" kB/s)"));
    else
        FormKelpa::Instance().logging(line + QStringLiteral(" (") + rate +
                                      QStringLiteral(" kB/s)"));
}
