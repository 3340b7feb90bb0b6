// The main window's small timers: the task assistant after a first start, the
// caption that blinks after a run, and the window hidden for HideMin minutes.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/StartupLanguage.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"

#include <QAction>

using KELPA::LanguageText;

namespace {

// Minutes until the hidden main window shows again.
int16_t HideLeft;

} // namespace

// A first start offers the assistant once no run is in progress.
void FormKelpa::TimerAssistant_Timer()
{
    if (KELPA::Running == 1)
        return;
    TimerAssistant.setEnabled(false);
    MarkAssistantOffered(QStringLiteral("KELPA.INI"));
    MenuAssistant_Click();
}

void FormKelpa::TimerCaption_Timer()
{
    using namespace KELPA;
    SetCaption(Caption() != StatusCaption ? StatusCaption : QString());
    if (CaptionTimerPending != 1)
        return;
    CaptionTimerPending = 0;
    TimerCaption.setEnabled(false);
    SetCaption(QStringLiteral("Kelpa - ") + platform::CurDir() + QStringLiteral("\\ "));
    FormOptions::Instance().CompleteCheck();
    platform::DoEvents();
    if (CompleteRequested == 1)
        CommandStart_Click();
}

void FormKelpa::MenuHide_Click()
{
    using namespace KELPA;
    if (PreviewOpen == 1)
        FormPreview::Instance().Unload();
    if (WindowState() != 1) {
        setWindowState(windowState() | Qt::WindowMinimized);
        platform::DoEvents();
    }
    HideLeft = HideMin;
    setVisible(false);
    platform::DoEvents();
    if (LogAllMessages == 1)
        logging(LanguageText[329]);
    TimerHide.setEnabled(true);
}

void FormKelpa::ShowHideMinutes()
{
    using namespace KELPA;
    if (QAction* hide = MenuEntry("MenuHide"))
        hide->setText(LanguageText[221] + QStringLiteral(" (") +
                      platform::Trim(platform::Str(HideMin)) + QStringLiteral(" min)"));
}

void FormKelpa::TimerHide_Timer()
{
    using namespace KELPA;
    --HideLeft;
    if (HideLeft != 0)
        return;
    TimerHide.setEnabled(false);
    setVisible(true);
    platform::DoEvents();
    if (LogAllMessages == 1)
        logging(LanguageText[330]);
}
