// The main window's reports: the protocol (KELPA.LOG and the log list), the
// status line, the four activity lamps and messages logged and told. None of
// them shows a failure of its own; a line KELPA.LOG did not take ends the run
// under way, which tells why.

#include "main/FormKelpa.h"

#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "main/StatusLine.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "preview/FormPreview.h"
#include "tools/FormEdit.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {

const QString LogFile = QStringLiteral("KELPA.LOG");
constexpr int16_t MaxLogLines = 39;

} // namespace

// Appends text to KELPA.LOG (kept open from line to line, written through at
// once), as one line, or, while LogError is 1, followed by a blank and no line
// end (LogError is then cleared). Adds text to the log list, which keeps the
// last 39 lines with the newest selected; the list takes the lines of a frame
// together. The list is updated whatever the file says; a line the file did
// not take ends the run under way (WorkFileFailed).
void FormKelpa::logging(const QString& text)
{
    const int error = platform::AppendKept(
        LogFile, KELPA::LogError != 1 ? text + QStringLiteral("\r\n") : text + QLatin1Char(' '));
    if (KELPA::LogError == 1)
        KELPA::LogError = 0;
    if (KELPA::EditOpen == 1 && platform::FileLen(LogFile) >= 1)
        FormEdit::Instance().LogRefresh();

    static QPointer<QAction> clear;
    if (!clear)
        clear = MenuEntry("MenuClearProtocol");
    if (clear)
        clear->setEnabled(true);
    ++KELPA::LogLineCount;
    if (KELPA::LogLineCount > MaxLogLines)
        KELPA::LogLineCount = MaxLogLines;
    heldLog_.append(text);
    if (heldLog_.size() > MaxLogLines)
        heldLog_.removeFirst();
    logShown_.Changed();
    PlaceClearProtocol();
    if (error != 0)
        WorkFileFailed(LogFile, error);
}

void FormKelpa::ShowLogNow()
{
    logShown_.UpdateNow();
}

void FormKelpa::ClearLog()
{
    logShown_.Drop();
    heldLog_.clear();
    ListLogging->clear();
}

void FormKelpa::ShowHeldLog()
{
    const QStringList held = std::exchange(heldLog_, QStringList());
    const int rows = ListLogging->count();
    const int added = std::min<int>(held.size(), MaxLogLines - rows);
    if (added > 0)
        ListLogging->addItems(held.mid(0, added));
    const int shifted = held.size() - added;
    if (shifted > 0) {
        // The oldest lines give way: the texts move up and the new ones take
        // the last rows, so the list keeps its rows and needs no new layout.
        const int count = ListLogging->count();
        for (int row = 0; row + shifted < count; ++row)
            ListLogging->item(row)->setText(ListLogging->item(row + shifted)->text());
        for (int i = 0; i < shifted; ++i)
            ListLogging->item(count - shifted + i)->setText(held.at(added + i));
    }
    // The newest line is selected and scrolled to, also when its row was
    // the current one already (a list shown from its bottom and left edge
    // shows it already).
    const int last = ListLogging->count() - 1;
    const bool wasCurrent = ListLogging->currentRow() == last;
    ListLogging->setCurrentRow(last);
    const QScrollBar* down = ListLogging->verticalScrollBar();
    const QScrollBar* across = ListLogging->horizontalScrollBar();
    if (wasCurrent && last >= 0 &&
        (down->value() != down->maximum() || across->value() != across->minimum()))
        ListLogging->scrollToItem(ListLogging->item(last));
}

void FormKelpa::LogAndTell(const QString& message, int style)
{
    logging(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
    if (KELPA::CommandLine.isEmpty())
        platform::MsgBox(message, style, QStringLiteral("Kelpa"));
    else
        platform::MsgBoxNotice(message, style, QStringLiteral("Kelpa"));
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
    SetStatusText(KELPA::StatusLineText + QStringLiteral("  (") + KELPA::LanguageText[232] +
                  QLatin1Char(')'));
    if (KELPA::FilesLoaded != 0)
        if (QAction* clear = MenuEntry("MenuClearStatus"))
            clear->setEnabled(true);
}

QString FormKelpa::StatusText() const
{
    return statusShown_.Last(Statzeil->text());
}

void FormKelpa::SetStatusText(const QString& text)
{
    statusShown_.Set(text);
}

void FormKelpa::ShowStatus(const QString& text)
{
    Statzeil->setText(text);
}

std::array<FormKelpa::LampPair, 4> FormKelpa::Lamps() const
{
    return {{{PictureWait, PictureWaitOn},
             {PictureSend, PictureSendOn},
             {PictureReceive, PictureReceiveOn},
             {PictureParse, PictureParseOn}}};
}

// Lights the lamps of that state name and puts the others out (a lamp
// already as it should be is left alone), and yields so that they are painted
// soon.
void FormKelpa::IndiLED(const QString& state)
{
    const bool waiting = state == QLatin1String("warte");
    const bool sending = state == QLatin1String("sende");
    const bool receiving = state == QLatin1String("empfange") || state == QLatin1String("fertig") ||
                           state == QLatin1String("sucheonline");
    const bool parsing = state == QLatin1String("suche") || state == QLatin1String("sucheonline");
    PictureWaitOn->SetLit(waiting);
    PictureSendOn->SetLit(sending);
    PictureReceiveOn->SetLit(receiving);
    PictureParseOn->SetLit(parsing);
    platform::DoEvents();
}

// One second of a transfer: counts TransferTicks and blinks the waiting lamp.
void FormKelpa::TimerBusy_Timer()
{
    ++KELPA::TransferTicks;
    PictureWaitOn->SetLit(!PictureWaitOn->Lit());
    platform::DoEvents();
}
