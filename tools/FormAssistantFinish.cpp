// The assistant's hand-over: a prepared task file, or the answers written
// into the options window, the main window's scheduler row and the transfer
// window. Each control written runs its own handler there, so the settings
// change as if the user had made the same edits by hand, in this order.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Schedule.h"
#include "platform/convert/Convert.h"
#include "platform/msgbox/MsgBox.h"
#include "settings/FormOptions.h"
#include "tools/FormAssistant.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

using namespace KELPA;

namespace {

void Tick(QCheckBox* box, bool on)
{
    box->setChecked(on);
}

} // namespace

// The task brings all its settings itself; one that is empty, missing or
// cannot be opened is refused with a log line. Nothing happens during a run.
void FormAssistant::OpenTaskFile()
{
    if (Running == 1)
        return;
    TaskFile = platform::Trim(TextOpen->text());
    handedOver_ = true;
    FormKelpa::Instance().TaskLaden();
    Unload();
}

void FormAssistant::Finish()
{
    if (Running == 1)
        return;
    FormKelpa& main = FormKelpa::Instance();
    FormOptions& options = FormOptions::Instance();
    options.Load();
    FormHTTP::Instance().Text2->setText(QString());
    ResetOptions();
    if (FilesLoaded != 0)
        main.MenuClearStatus_Click();
    Tick(options.CheckLocalBrowsing, false);
    Tick(options.CheckSubDirectories, false);
    if (Option1->isChecked()) {
        Tick(options.CheckLocalBrowsing, true);
        Tick(options.CheckSubDirectories, true);
    } else if (Option2->isChecked()) {
        Tick(options.CheckSubDirectories, true);
    }
    // Local Browsing off also switches Save HTML off; documents are kept
    // as received unless only chosen file types are wanted (step 6).
    Tick(options.CheckSaveHTML, true);
    options.TextDepth->setText(QStringLiteral("0"));
    if (Option4->isChecked()) {
        options.TextDepth->setText(QStringLiteral("1"));
        Tick(options.CheckImages, false);
    }
    if (OptionChoose->isChecked()) {
        InputFile = platform::Trim(TextChoose->text());
        if (main.CheckListe->isChecked())
            main.CheckListe->setChecked(false);
        main.CheckListe->setChecked(true);
    } else {
        FormHTTP::Instance().Text1->setText(platform::Trim(TextURL->text()));
    }
    HandSchedule();
    if (Label7->isHidden())
        HandRestrictions();
    const QString closing = LanguageText[34] + QStringLiteral("\r\n\r\n") + LanguageText[35];
    handedOver_ = true;
    Unload();
    main.MenuAlign_Click();
    // The closing message points to the options window: it is in front.
    options.Show();
    options.Activate();
    platform::MsgBox(closing, platform::vbOKOnly, LanguageText[1]);
}

void FormAssistant::ResetOptions()
{
    FormOptions& o = FormOptions::Instance();
    Tick(o.CheckRestHome, false);
    Tick(o.CheckSaveHTML, true);
    o.TextOnlySite->setText(QString());
    o.TextNoSite->setText(QString());
    o.TextTimeout->setText(QStringLiteral("120"));
    o.TextDepth->setText(QStringLiteral("0"));
    o.TextMinFileSize->setText(QStringLiteral("0"));
    o.TextMaxFileSize->setText(QStringLiteral("0"));
    Tick(o.CheckImages, true);
    Tick(o.CheckJavaApplets, true);
    for (QCheckBox* family : {o.CheckCGI, o.CheckDLL, o.CheckEXE, o.CheckGIF, o.CheckJPG,
                              o.CheckMAP, o.CheckTXT, o.CheckZIP, o.CheckMovies, o.CheckSounds})
        Tick(family, false);
    o.TextExclude->setText(QString());
}

// The main window's bars take the assistant's values before the captions,
// and a delayed start counts from now. The main window's start box leaves
// an armed start alone only while the hand-over ticks it.
void FormAssistant::HandSchedule()
{
    FormKelpa& main = FormKelpa::Instance();
    if (CheckStart->isChecked()) {
        AssistantStartSet = 1;
        main.VScroll2->setValue(VScroll2->value());
        StartInText = platform::Trim(platform::Str(-VScroll2->value()));
        StartInLeft = platform::CInt(platform::Val(StartInText) * 6);
        StartClock = schedule::ClockText();
        main.Zeit->setText(Zeit->text());
        main.Zeit->setEnabled(true);
        main.VScroll2->setEnabled(true);
        main.CheckStart->setChecked(true);
        AssistantStartSet = 0;
    } else {
        main.CheckStart->setChecked(false);
    }
    if (CheckDauer->isChecked()) {
        main.CheckDauer->setChecked(true);
        main.VScroll1->setValue(VScroll1->value());
        main.Dauer->setText(Dauer->text());
        main.Dauer_Change();
    } else {
        main.CheckDauer->setChecked(false);
    }
    if (CheckRepeat->isChecked()) {
        main.CheckRepeat->setChecked(true);
        main.VScroll3->setValue(VScroll3->value());
        main.Repeat->setText(Repeat->text());
    } else {
        main.CheckRepeat->setChecked(false);
    }
}

void FormAssistant::HandRestrictions()
{
    FormOptions& o = FormOptions::Instance();
    Tick(o.CheckRestHome, Option8->isChecked());
    Tick(o.CheckMetaRefresh, CheckRelozierungen->isChecked());
    Tick(o.CheckRelocation, CheckRelozierungen->isChecked());
    o.TextOnlySite->setText(TextOnlySite->text());
    o.TextNoSite->setText(TextNoSite->text());
    if (Label14->isHidden())
        HandFileTypes();
}

// Every family excluded, then each ticked file type taken back.
void FormAssistant::HandFileTypes()
{
    FormOptions& o = FormOptions::Instance();
    for (QCheckBox* family :
         {o.CheckCGI, o.CheckDLL, o.CheckEXE, o.CheckGIF, o.CheckJPG, o.CheckMAP, o.CheckTXT})
        Tick(family, true);
    Tick(o.CheckSaveHTML, false);
    for (QCheckBox* family : {o.CheckZIP, o.CheckMovies, o.CheckSounds})
        Tick(family, true);
    Tick(o.CheckImages, false);
    if (CheckSounds->isChecked())
        Tick(o.CheckSounds, false);
    if (CheckEXE->isChecked())
        Tick(o.CheckEXE, false);
    if (CheckGIF->isChecked()) {
        Tick(o.CheckImages, true);
        Tick(o.CheckGIF, false);
    }
    Tick(o.CheckJavaApplets, CheckJava->isChecked());
    if (CheckJPG->isChecked()) {
        Tick(o.CheckImages, true);
        Tick(o.CheckJPG, false);
    }
    if (CheckZIP->isChecked())
        Tick(o.CheckZIP, false);
    if (CheckTXT->isChecked()) {
        Tick(o.CheckTXT, false);
        Tick(o.CheckSaveHTML, true);
    }
    if (CheckMovies->isChecked())
        Tick(o.CheckMovies, false);
}
