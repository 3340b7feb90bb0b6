// The main window's reports: the protocol (KELPA.LOG and the log list), the
// status line and the four activity lamps. None of them ever shows a failure.

#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "main/StatusLine.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "tools/FormEdit.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

const QString LogFile = QStringLiteral("KELPA.LOG");
constexpr int16_t MaxLogLines = 39;

} // namespace

// Appends text to KELPA.LOG under a free number of its own (closed again at
// once), as one line, or, while LogError is 1, followed by a blank and no line
// end (LogError is then cleared). Adds text to the log list, which keeps the
// last 39 lines with the newest selected. Errors of the file are ignored: the
// list is updated all the same.
void FormKelpa::logging(const QString& text)
{
    KELPA::LogFileNumber = static_cast<int16_t>(platform::FreeFile());
    if (KELPA::LogFileNumber > 0 &&
        platform::Open(LogFile, platform::OpenMode::Append, KELPA::LogFileNumber) == 0) {
        if (KELPA::LogError != 1)
            platform::PrintLine(KELPA::LogFileNumber, text);
        else
            platform::PrintText(KELPA::LogFileNumber, text + QLatin1Char(' '));
        platform::Close(KELPA::LogFileNumber);
    }
    if (KELPA::LogError == 1)
        KELPA::LogError = 0;
    if (KELPA::EditOpen == 1 && platform::FileLen(LogFile) >= 1)
        FormEdit::Instance().LogRefresh();

    ListLogging->addItem(text);
    if (QAction* clear = MenuEntry("MenuClearProtocol"))
        clear->setEnabled(true);
    ++KELPA::LogLineCount;
    if (KELPA::LogLineCount > MaxLogLines) {
        delete ListLogging->takeItem(0);
        KELPA::LogLineCount = MaxLogLines;
    }
    ListLogging->setCurrentRow(ListLogging->count() - 1);

    PlaceClearProtocol();
}

// Refreshes the open preview window's file list and caption (the always-on-top
// one keeps a user title), composes StatusLineText from the counters and shows
// it in Statzeil; enables MenuClearStatus once a file was loaded.
void FormKelpa::StatusZeile()
{
    if (KELPA::PreviewOpen == 1) {
        FormPreview& preview = FormPreview::Instance();
        preview.RefreshFileList();
        preview.SetCaption(preview.ListCaption());
    } else if (KELPA::PreviewTopOpen == 1) {
        FormPreviewTop& preview = FormPreviewTop::Instance();
        preview.RefreshFileList();
        if (KELPA::UserTitle.isEmpty())
            preview.SetCaption(preview.ListCaption());
    }
    KELPA::StatusLineText = ComposeStatusLine(CurrentStatusCounters());
    Statzeil->setText(KELPA::StatusLineText + QStringLiteral("  (") + KELPA::LanguageText[232] +
                      QLatin1Char(')'));
    if (KELPA::FilesLoaded != 0)
        if (QAction* clear = MenuEntry("MenuClearStatus"))
            clear->setEnabled(true);
}

// Puts every lamp out, then lights those state names, and yields so that they
// are painted at once.
void FormKelpa::IndiLED(const QString& state)
{
    for (QLabel* lit : {PictureWaitOn, PictureSendOn, PictureReceiveOn, PictureParseOn})
        if (!lit->isHidden())
            lit->hide();
    if (state == QLatin1String("warte")) {
        PictureWaitOn->show();
    } else if (state == QLatin1String("sende")) {
        PictureSendOn->show();
    } else if (state == QLatin1String("empfange") || state == QLatin1String("fertig")) {
        PictureReceiveOn->show();
    } else if (state == QLatin1String("suche")) {
        PictureParseOn->show();
    } else if (state == QLatin1String("sucheonline")) {
        PictureReceiveOn->show();
        PictureParseOn->show();
    }
    platform::DoEvents();
}

// One second of a transfer: counts TransferTicks and blinks the waiting lamp.
void FormKelpa::TimerBusy_Timer()
{
    ++KELPA::TransferTicks;
    PictureWaitOn->setHidden(!PictureWaitOn->isHidden());
    platform::DoEvents();
}
