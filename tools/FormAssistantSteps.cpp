// The assistant's steps: moving between the frames and the handlers of the
// controls in them.

#include "main/Kelpa.h"
#include "main/Schedule.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "tools/AssistantSchedule.h"
#include "tools/AssistantSites.h"
#include "tools/FormAssistant.h"
#include "tools/FormChoose.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace KELPA;

namespace {

bool Filled(const QLineEdit* box)
{
    return !platform::Trim(box->text()).isEmpty();
}

// Shows the chooser for filter and title; its path, and ChosenPath cleared.
QString Chosen(const QString& filter, const QString& title)
{
    ChooseFilter = filter;
    ChooseTitle = title;
    FormChoose::Instance().Show(true);
    const QString path = ChosenPath;
    ChosenPath.clear();
    return path;
}

} // namespace

void FormAssistant::ShowStep(int n)
{
    for (int k = 1; k <= 6; ++k)
        Frame[k]->setVisible(k == n);
}

int FormAssistant::VisibleStep() const
{
    for (int k = 1; k <= 6; ++k)
        if (Frame[k]->isVisible() || (!isVisible() && !Frame[k]->isHidden()))
            return k;
    return 0;
}

bool FormAssistant::IsContinue() const
{
    return CommandContinue->text() == LanguageText[5];
}

bool FormAssistant::SourceGiven() const
{
    return OptionURL->isChecked() ? Filled(TextURL) : Filled(TextChoose);
}

void FormAssistant::FocusSource()
{
    (OptionURL->isChecked() ? TextURL : TextChoose)->setFocus();
}

void FormAssistant::ContinueFor(const QLineEdit* box)
{
    CommandContinue->setEnabled(Filled(box));
}

void FormAssistant::CommandContinue_Click()
{
    if (siteBusy_)
        return;
    switch (VisibleStep()) {
    case 1:
        if (OptionOpen->isChecked()) {
            OpenTaskFile();
            return;
        }
        CommandBack->setText(LanguageText[6]);
        ShowStep(2);
        FocusSource();
        CommandContinue->setEnabled(SourceGiven());
        return;
    case 2:
        ShowStep(3);
        Label7->setVisible(Option4->isChecked());
        CommandContinue->setText(LanguageText[Option4->isChecked() ? 7 : 5]);
        // Back again at an automatic start: it still needs a ticked box.
        if (Option6->isChecked())
            ScheduleOff();
        return;
    case 3:
        if (IsContinue()) {
            ShowStep(4);
            return;
        }
        break;
    case 4:
        Label14->setVisible(!Option3->isChecked());
        CommandContinue->setText(LanguageText[Option3->isChecked() ? 5 : 7]);
        ShowStep(5);
        TextOnlySite->clear();
        if (Option7->isChecked())
            OnlySite();
        return;
    case 5:
        if (IsContinue()) {
            CommandContinue->setText(LanguageText[7]);
            ShowStep(6);
            return;
        }
        break;
    default:
        break;
    }
    Finish();
}

void FormAssistant::CommandBack_Click()
{
    if (siteBusy_)
        return;
    switch (VisibleStep()) {
    case 1:
        Unload();
        return;
    case 2:
        ShowStep(1);
        CommandContinue->setEnabled(true);
        CommandBack->setText(LanguageText[4]);
        return;
    case 3:
        CommandContinue->setText(LanguageText[5]);
        ShowStep(2);
        FocusSource();
        CommandContinue->setEnabled(SourceGiven());
        return;
    case 4:
        ShowStep(3);
        return;
    default: // 5 and 6
        CommandContinue->setText(LanguageText[5]);
        ShowStep(VisibleStep() - 1);
        return;
    }
}

void FormAssistant::OptionKind_Click()
{
    CommandContinue->setText(LanguageText[5]);
    CommandContinue->setEnabled(true);
    TextOpen->setEnabled(false);
}

void FormAssistant::OptionOpen_Click()
{
    TextOpen->setEnabled(true);
    ContinueFor(TextOpen);
    if (TextOpen->text().isEmpty()) {
        const QString path = Chosen(QStringLiteral("*.tsk"), LanguageText[67]);
        if (!path.isEmpty())
            TextOpen->setText(path);
    }
    CommandContinue->setText(LanguageText[7]);
}

void FormAssistant::OptionOpen_DblClick()
{
    TextOpen->clear();
    OptionOpen_Click();
}

void FormAssistant::TextOpen_Change()
{
    ContinueFor(TextOpen);
}

void FormAssistant::TextUrl_Change()
{
    ContinueFor(TextURL);
}

void FormAssistant::TextChoose_Change()
{
    ContinueFor(TextChoose);
}

void FormAssistant::OptionURL_Click()
{
    CommandContinue->setText(LanguageText[5]);
    TextURL->setEnabled(true);
    CommandURL->setEnabled(true);
    CommandChoose->setEnabled(false);
    TextChoose->setEnabled(false);
    TextOpen->setEnabled(false);
    ContinueFor(TextURL);
}

void FormAssistant::OptionChoose_Click()
{
    CommandContinue->setText(LanguageText[5]);
    TextURL->setEnabled(false);
    CommandURL->setEnabled(false);
    CommandChoose->setEnabled(true);
    TextChoose->setEnabled(true);
    TextOpen->setEnabled(false);
    ContinueFor(TextChoose);
}

void FormAssistant::OptionChoose_DblClick()
{
    TextChoose->clear();
    OptionChoose_Click();
}

void FormAssistant::CommandURL_Click()
{
    const QString path = Chosen(QStringLiteral("*.htm;*.html;*.shtml;*.map"), LanguageText[33]);
    if (!path.isEmpty())
        TextURL->setText(path);
}

// A cancelled chooser changes nothing; an empty list is refused.
void FormAssistant::CommandChoose_Click()
{
    const QString path = Chosen(QStringLiteral("*.inp"), LanguageText[68]);
    if (path.isEmpty())
        return;
    if (platform::FileLen(path) < 1)
        platform::MsgBox(path + LanguageText[36], platform::vbCritical, QStringLiteral("Kelpa"));
    else
        TextChoose->setText(path);
}

void FormAssistant::Option5_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label6, CheckStart, CheckDauer, CheckRepeat})
        w->setEnabled(false);
    CheckStart->setChecked(false);
    CheckDauer->setChecked(false);
    CheckRepeat->setChecked(false);
    CommandContinue->setEnabled(true);
}

void FormAssistant::Option6_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{Label6, CheckStart, CheckDauer, CheckRepeat})
        w->setEnabled(true);
    if (!CheckStart->isChecked() && !CheckDauer->isChecked() && !CheckRepeat->isChecked())
        CommandContinue->setEnabled(false);
}

void FormAssistant::ScheduleOff()
{
    if (!CheckStart->isChecked() && !CheckDauer->isChecked() && !CheckRepeat->isChecked())
        CommandContinue->setEnabled(false);
}

void FormAssistant::CheckDauer_Click()
{
    const bool on = CheckDauer->isChecked();
    Dauer->setEnabled(on);
    VScroll1->setEnabled(on);
    if (on)
        CommandContinue->setEnabled(true);
    else
        ScheduleOff();
}

void FormAssistant::CheckRepeat_Click()
{
    const bool on = CheckRepeat->isChecked();
    Repeat->setEnabled(on);
    VScroll3->setEnabled(on);
    if (on)
        CommandContinue->setEnabled(true);
    else
        ScheduleOff();
}

void FormAssistant::CheckStart_Click()
{
    const bool on = CheckStart->isChecked();
    Zeit->setEnabled(on);
    VScroll2->setEnabled(on);
    if (on)
        CommandContinue->setEnabled(true);
}

void FormAssistant::VScroll1_Change()
{
    Dauer->setText(schedule::MinutesLabel(-VScroll1->value()));
}

void FormAssistant::VScroll3_Change()
{
    Repeat->setText(schedule::MinutesLabel(-VScroll3->value()));
}

void FormAssistant::VScroll2_Change()
{
    StartInText = platform::Trim(platform::Str(-VScroll2->value()));
    StartInLeft = tools::AssistantDelayMinutes(-VScroll2->value());
    Zeit->setText(tools::AssistantDelayLabel(-VScroll2->value()));
}

void FormAssistant::Dauer_Click()
{
    VScroll1->setValue(-schedule::DauerStep(-VScroll1->value()));
}

void FormAssistant::Repeat_Click()
{
    VScroll3->setValue(-schedule::RepeatStep(-VScroll3->value()));
}

void FormAssistant::Zeit_Click()
{
    VScroll2->setValue(-tools::AssistantDelayStep(-VScroll2->value()));
}

void FormAssistant::Dauer_DblClick()
{
    VScroll1->setValue(VScroll1->maximum());
}

void FormAssistant::Repeat_DblClick()
{
    VScroll3->setValue(-1);
}

void FormAssistant::Zeit_DblClick()
{
    VScroll2->setValue(VScroll2->maximum());
}

void FormAssistant::OnlySite()
{
    siteBusy_ = true;
    CommandContinue->setEnabled(false);
    CommandBack->setEnabled(false);
    tools::SiteWordText words(TextOnlySite->text());
    words.Add(platform::Trim(TextURL->text()));
    if (OptionChoose->isChecked()) {
        tools::AddListSites(words, platform::Trim(TextChoose->text()), [] {
            platform::DoEvents();
            return AbortTransfer != 1;
        });
    }
    TextOnlySite->setText(words.Text());
    CommandContinue->setEnabled(true);
    CommandBack->setEnabled(true);
    siteBusy_ = false;
}
