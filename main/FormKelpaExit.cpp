// The exit: the one way the program ends, and the clean-ups that belong to it.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "main/PartFile.h"
#include "main/StatusLine.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/shell/System.h"
#include "platform/winsock/Winsock.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace KELPA;

namespace {

// The shell's file-operation record, used to delete into the recycle bin.
struct SHFILEOPSTRUCT {
    int16_t wFunc = 0;  // operation code (3 = delete)
    QString pFrom;      // source path list
    QString pTo;        // target path list, empty for a deletion
    int16_t fFlags = 0; // flags (64 = allow undo, i.e. the recycle bin)
};

// The record DateiInPapierkorb hands to the shell.
SHFILEOPSTRUCT FileOperation;
// 0, or the busy timer's interval while the exit question pauses it.
int32_t BusyTimerState;

const QString CRLF = QStringLiteral("\r\n");

// The head of the exit question: who made the program and how to reach them.
QString ContactLines()
{
    return QStringLiteral("Kelpa 5.0 - http://www.kelpa.example/") + CRLF +
           QStringLiteral("Ada Velmont, www.maker.example") + CRLF +
           QStringLiteral("kelpa@maker.example") + CRLF + CRLF;
}

// The file goes while the lock is still held: a copy starting meanwhile either
// finds it locked or makes a new one. While work lists are held (a write of
// one failed and KELPA.NOT could not take them yet) it stays, so that the
// next start merges them into KELPA.NOT as after an abrupt end.
void CloseLockFile()
{
    if (!FormKelpa::Instance().WorkListsHeld() && platform::FileExists(LockFile))
        platform::Kill(LockFile);
    platform::ReleaseLockFile();
}

} // namespace

void FormKelpa::MDIForm_QueryUnload()
{
    if (!CommandExit->isEnabled())
        return;
    if (!CommandStop->isEnabled() && !PictureWaitOn->Lit())
        IdleExit = 1;
    CommandExit_Click();
}

void FormKelpa::CommandExit_Click()
{
    FormHTTP& http = FormHTTP::Instance();
    QAction* menuExit = MenuEntry("MenuExit");
    MsgAnswer = 0;
    BusyTimerState = 0;
    MessageText.clear();
    if (Running == 1)
        IndiLED(QStringLiteral("warte"));
    if (TimerBusy.Enabled()) {
        BusyTimerState = TimerBusy.Interval();
        TimerBusy.setEnabled(false);
        http.TimerTimeout.setEnabled(false);
    }

    // The exit question, unless nobody is there to answer it.
    if (IdleExit != 1 && !CheckDauer->isChecked()) {
        MsgAnswer = platform::vbYes;
        MessageText = ContactLines();
        if (MaxkBytes != 0 && BytesSoFar / 1024.0 > MaxkBytes) {
            MessageText += LanguageText[244] + CRLF + LanguageText[245] + CRLF;
            winsock::WSACancelBlockingCall();
            winsock::closesocket(Socket);
            winsock::WSACleanup();
            MsgAnswer = static_cast<int16_t>(
                platform::MsgBox(MessageText, platform::vbInformation, QStringLiteral("Kelpa")));
        } else {
            MessageText += LanguageText[247];
            CommandExit->setEnabled(false);
            menuExit->setEnabled(false);
            if (StopRun == 0)
                MsgAnswer = static_cast<int16_t>(
                    platform::MsgBox(MessageText, platform::vbYesNo | platform::vbInformation,
                                     QStringLiteral("Kelpa")));
            menuExit->setEnabled(true);
            CommandExit->setEnabled(true);
        }
        if (MsgAnswer == platform::vbYes || MsgAnswer == platform::vbOK)
            http.SetCaption(LanguageText[248]);
        if (MsgAnswer == platform::vbNo) {
            if (BusyTimerState != 0) {
                TimerBusy.setEnabled(true);
                http.TimerTimeout.setEnabled(true);
            }
            return;
        }
    }

    // A new search is chosen while an old one could still be completed.
    if (StopRun == 0 && OptionNew->isChecked() && PictureFunctions->isEnabled() &&
        platform::FileLen(QStringLiteral("KELPA.NOT")) >= 1) {
        MessageText = LanguageText[321] + QLatin1Char(' ') + LanguageText[322];
        switch (platform::MsgBox(MessageText, platform::vbYesNoCancel | platform::vbExclamation,
                                 QStringLiteral("Kelpa"))) {
        case platform::vbNo:
            OptionContinue->setChecked(true);
            break;
        case platform::vbCancel:
            IdleExit = 0;
            return;
        default:
            RecycleFile = QStringLiteral("kelpa.not");
            DateiInPapierkorb();
            break;
        }
    }

    CommandExit->setEnabled(false);
    menuExit->setEnabled(false);
    http.SetCaption(LanguageText[248]);
    TimerBusy.setEnabled(false);
    http.TimerConnect.setEnabled(false);
    http.TimerTimeout.setEnabled(false);
    if (CompletionDone == 0)
        Vervollstaendigen();
    SettleUnfinished();
    platform::DoEvents();
    DateienLoeschen();

    if (TotalsSuppressed == 0 && BytesLoaded >= 1 && StopRun == 0) {
        logging(TotalsLine(LanguageText[249]));
        logging(QString());
    }

    CallResult = winsock::WSACancelBlockingCall();
    CallResult = winsock::closesocket(Socket);
    if (StopRun == 0)
        CallResult = winsock::WSACleanup();
    platform::CloseAllFiles();
    // A transfer the exit cut short leaves no part file behind.
    partfile::RemoveLeftOver();
    IndiLED(QString());
    // The lock stays ours: CloseAllFiles() leaves it, and this takes it over.
    LockFileNumber = static_cast<int16_t>(platform::FreeFile());
    platform::OpenLockFile(LockFile, LockFileNumber);
    if (SaveSettingsAutomatically == 1)
        inischreiben(QStringLiteral("KELPA.INI"));

    if (WindowsShutDown == 2 && CheckDauer->isChecked()) {
        logging(LanguageText[253] + platform::DateText() + QLatin1Char(' ') + platform::TimeText() +
                QStringLiteral("******"));
        logging(QString());
        CloseLockFile();
        CallResult = platform::ExitWindowsEx(platform::EWX_SHUTDOWN);
        platform::EndProgram(ExitStatus());
    }
    if (StopRun == 0) {
        CloseLockFile();
        platform::EndProgram(ExitStatus());
    }
    // A stop is pending: the run being stopped ends the program.
}

void FormKelpa::DateienLoeschen()
{
    // A work list that the settings name as the input list is the user's
    // file (list mode refused it): it stays.
    const QString usersList = worklists::WorkListNamed(InputFile);
    const auto killIf = [&usersList](const QString& name, bool onlyWhenEmpty) {
        if (!name.isEmpty() && name != usersList && platform::FileExists(name) &&
            (!onlyWhenEmpty || platform::FileLen(name) == 0))
            platform::Kill(name);
    };
    killIf(EvalFile, false);
    killIf(QStringLiteral("KELPA.LOG"), true);
    // Held lists still hold work that KELPA.NOT could not take.
    if (WorkListsHeld())
        return;
    killIf(QStringLiteral("LINKS0.INP"), false);
    killIf(QStringLiteral("LINKS1.INP"), false);
    killIf(QStringLiteral("KELPA.GOT"), true);
    killIf(QStringLiteral("COMPLETE.ENP"), false);
    killIf(QStringLiteral("KELPA.NOT"), true);
}

void FormKelpa::DateiInPapierkorb()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    platform::DoEvents();
    if (UseRecycleBin != 1) {
        platform::Kill(RecycleFile);
    } else if (platform::FileExists(RecycleFile)) {
        FileOperation.wFunc = platform::FO_DELETE;
        FileOperation.pFrom = platform::CurDir() + QLatin1Char('\\') + RecycleFile;
        FileOperation.fFlags = platform::FOF_ALLOWUNDO;
        ApiResult = platform::SHFileOperationA(FileOperation.wFunc, FileOperation.pFrom,
                                               FileOperation.fFlags);
    }
    QApplication::restoreOverrideCursor();
}
