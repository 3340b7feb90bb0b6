// The scheduler: delayed start, repeat and duration. Its captions go to the
// transfer window; it starts runs through CommandStart_Click, stops them
// through the run flags and ends the program through CommandExit_Click.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Schedule.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/Clicks.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

using KELPA::LanguageText;

namespace {

// Shows caption in the transfer window; logs it when every message is logged.
void ShowCaption(FormKelpa& form, const QString& caption)
{
    FormHTTP::Instance().SetCaption(caption);
    if (KELPA::LogAllMessages == 1)
        form.logging(caption);
}

// The date and time of the scheduler's clock, as its log lines write them.
QString Moment()
{
    return platform::Trim(schedule::DateText()) + QLatin1Char(' ') +
           platform::Trim(schedule::ClockText());
}

} // namespace

void FormKelpa::WatchSchedulerLabels()
{
    platform::OnClicks(Dauer, this, &FormKelpa::Dauer_Click, &FormKelpa::Dauer_DblClick);
    platform::OnClicks(Repeat, this, &FormKelpa::Repeat_Click, &FormKelpa::Repeat_DblClick);
    platform::OnClicks(Zeit, this, &FormKelpa::Zeit_Click, &FormKelpa::Zeit_DblClick);
}

void FormKelpa::CheckStart_Click()
{
    if (!CheckStart->isChecked()) {
        Zeit->setEnabled(false);
        VScroll2->setEnabled(false);
        FormHTTP::Instance().SetCaption(QStringLiteral(" "));
        return;
    }
    // The task assistant armed the start itself.
    if (KELPA::AssistantStartSet == 1)
        return;
    Zeit->setEnabled(true);
    VScroll2->setEnabled(true);
    KELPA::StartInLeft = static_cast<int16_t>(-VScroll2->value() * 6);
    KELPA::StartClock = schedule::ClockText();
    delayanzeige();
}

void FormKelpa::CheckRepeat_Click()
{
    const bool on = CheckRepeat->isChecked();
    if (!on)
        TimerRepeat.setEnabled(false);
    Repeat->setEnabled(on);
    VScroll3->setEnabled(on);
    if (on)
        ShowCaption(*this, LanguageText[237]);
    else
        FormHTTP::Instance().SetCaption(QStringLiteral(" "));
}

void FormKelpa::CheckDauer_Click()
{
    const bool on = CheckDauer->isChecked();
    Dauer->setEnabled(on);
    VScroll1->setEnabled(on);
    if (on) {
        ShowCaption(*this, LanguageText[290]);
    } else {
        TimerDauer.setEnabled(false);
        FormHTTP::Instance().SetCaption(QStringLiteral(" "));
        CheckWindowsShutDown->setChecked(false);
    }
    CheckWindowsShutDown->setEnabled(on);
}

void FormKelpa::CheckWindowsShutDown_Click()
{
    KELPA::WindowsShutDown = CheckWindowsShutDown->isChecked() ? 1 : 0;
}

void FormKelpa::VScroll1_Change()
{
    Dauer->setText(schedule::MinutesLabel(-VScroll1->value()));
    Dauer_Change();
}

void FormKelpa::VScroll2_Change()
{
    using namespace KELPA;
    StartInText = platform::Trim(platform::Str(-VScroll2->value()));
    StartInLeft = platform::CInt(platform::Val(StartInText) * 6);
    Zeit->setText(schedule::TenthsLabel(-VScroll2->value()));
    if (CheckStart->isChecked())
        delayanzeige();
}

void FormKelpa::VScroll3_Change()
{
    Repeat->setText(schedule::MinutesLabel(-VScroll3->value()));
}

void FormKelpa::Dauer_Change()
{
    KELPA::DurationLeft = schedule::LabelNumber(Dauer->text());
    CheckWindowsShutDown->setToolTip(LanguageText[181] + CheckDauer->text() + QLatin1Char(' ') +
                                     platform::Trim(platform::Str(KELPA::DurationLeft)) +
                                     QStringLiteral(" min)"));
}

void FormKelpa::Dauer_Click()
{
    VScroll1->setValue(-schedule::DauerStep(-VScroll1->value()));
}

void FormKelpa::Repeat_Click()
{
    VScroll3->setValue(-schedule::RepeatStep(-VScroll3->value()));
}

void FormKelpa::Zeit_Click()
{
    VScroll2->setValue(-schedule::ZeitStep(-VScroll2->value()));
}

void FormKelpa::Dauer_DblClick()
{
    VScroll1->setValue(-1);
}

void FormKelpa::Repeat_DblClick()
{
    VScroll3->setValue(-1);
}

void FormKelpa::Zeit_DblClick()
{
    VScroll2->setValue(-1);
}

void FormKelpa::delayanzeige()
{
    ShowCaption(*this, schedule::StartDisplay(KELPA::StartClock, -VScroll2->value(), Zeit->text()));
}

void FormKelpa::TimerStartIn_Timer()
{
    using namespace KELPA;
    --StartInLeft;
    if (StartInLeft != 0)
        return;
    logging(LanguageText[308] + schedule::DateText() + QLatin1Char(' ') + schedule::ClockText());
    CheckStart->setChecked(false);
    TimerStartIn.setEnabled(false);
    CommandStart_Click();
}

void FormKelpa::TimerRepeat_Timer()
{
    using namespace KELPA;
    FormHTTP& http = FormHTTP::Instance();
    --RepeatLeft;
    ShowCaption(*this, LanguageText[304] + schedule::MinutesLeft(RepeatLeft));
    if (TimerDauer.Enabled())
        http.SetCaption(http.Caption() + LanguageText[147] + schedule::MinutesLeft(DurationLeft));
    if (RepeatLeft >= 1)
        return;
    if (Running == 1) {
        // The run stops and, at its end, calls this again to start the next.
        platform::CloseAllFiles();
        AbortTransfer = 1;
        StopRun = 1;
        RepeatPending = 1;
        return;
    }
    CallResult = winsock::WSACancelBlockingCall();
    CallResult = winsock::closesocket(Socket);
    platform::Kill(QStringLiteral("KELPA.GOT"));
    logging(LanguageText[307] + Moment() + QStringLiteral("******"));
    logging(QString());
    if (RepeatSubject != QLatin1String("Liste")) {
        http.Text1->setText(RepeatSubject);
    } else {
        CheckListe->setChecked(false);
        CheckListe->setChecked(true);
    }
    http.Text2->clear();
    if (Running == 0)
        CommandStart_Click();
}

void FormKelpa::TimerDauer_Timer()
{
    using namespace KELPA;
    FormHTTP& http = FormHTTP::Instance();
    --DurationLeft;
    if (Running == 1) {
        const schedule::DurationDisplay shown = schedule::DurationCaption(
            BytesReceived, ContentLength, CheckRepeat->isChecked(), RepeatLeft, DurationLeft);
        if (!shown.percentText.isEmpty())
            PercentText = shown.percentText;
        http.SetCaption(shown.caption);
    }
    if (LogAllMessages == 1)
        logging(http.Caption());
    if (DurationLeft >= 1)
        return;
    logging(LanguageText[316] + Moment() + QStringLiteral("******"));
    logging(QString());
    if (WindowsShutDown == 1)
        WindowsShutDown = 2;
    CommandExit_Click();
}
