// The download run: the start command and the stop command.

#include "main/DownloadFolder.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/PartFile.h"
#include "main/StatusLine.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "transfer/FormHTTP.h"
#include "transfer/UrlSplit.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstdio>

using namespace KELPA;

namespace {

const QString Kelpa = QStringLiteral("Kelpa");

// A run is on the stack from its set-up to the end of its end; a start asked
// for meanwhile (a repeat, an accepted completion) is only noted, and the
// outermost start command runs it once the finished run has returned.
bool runOnStack = false;
bool restartRequested = false;

// Why the download directory or the working folder took no more files, when
// that ended the run.
QStringList folderProblem;

// The lists of the pass under way: the one it reads (none on the first level
// of a new search) and the one it writes; and the start record the first
// level fetches. They are what a failed write of a work list holds.
QString passReads;
QString passWrites;
QStringList startRecord;

const QString ProtocolFile = QStringLiteral("KELPA.LOG");

class RunOnStack final {
public:
    RunOnStack() { runOnStack = true; }
    ~RunOnStack() { runOnStack = false; }
    RunOnStack(const RunOnStack&) = delete;
    RunOnStack& operator=(const RunOnStack&) = delete;
};

// The first level: the start URL, with its record at the head of the next
// level's list (skipped there) unless only one level is fetched.
void FetchStartPage(FormKelpa& form)
{
    FormHTTP& http = FormHTTP::Instance();
    if (!Link.isEmpty() && !FileName.isEmpty()) {
        startRecord =
            QStringList{platform::Trim(transfer::WithoutUserPart(Link)), platform::Trim(FileName)};
        // The next level skips the start record only where it was written.
        if (Depth != 1 && form.WriteRecord(NextListFile, startRecord.at(0), startRecord.at(1)) == 0)
            SkipFirstRecord = 1;
        // A write the working folder did not take has ended the run already.
        if (MsgAnswer != platform::vbCancel)
            http.Uebertragung();
        if (LocalBrowsing == 1 && InlineCount >= 1)
            form.URLListe(0);
        form.TimerBusy.setEnabled(false);
        form.IndiLED(QStringLiteral("warte"));
        http.TimerTimeout.setEnabled(false);
    }
    if (TransferAborted == 1)
        StartDepth = -1;
}

// Breadth-first, one level per pass, until the depth is used up, a level
// list is empty, its creation failed, the run was stopped or cancelled.
void LevelLoop(FormKelpa& form)
{
    do {
        if (CollectLinks == 1) {
            NextListFile = QStringLiteral("LINKS") + platform::Trim(platform::Str(LevelToggle)) +
                           QStringLiteral(".INP");
            CheckFileNumber = static_cast<int16_t>(platform::FreeFile());
            const int error =
                platform::Open(NextListFile, platform::OpenMode::Output, CheckFileNumber);
            if (error != 0) {
                form.logging(NextListFile + LanguageText[110] +
                             platform::Trim(platform::Str(error)) + QLatin1Char(')'));
                CollectLinks = 0;
            }
            platform::Close(CheckFileNumber);
        }
        const bool firstLevel = StartDepth == LevelsLeft && ContinueSearch == 0;
        passReads = firstLevel ? QString() : ListFile;
        passWrites = CollectLinks == 1 ? NextListFile : QString();
        if (firstLevel) {
            FetchStartPage(form);
        } else {
            form.InputFileLesen();
            ContinueSearch = 0;
        }
        if (StopRun == 1)
            return;
        if (CollectLinks == 1 && MsgAnswer != platform::vbCancel) {
            ListFile = NextListFile;
            if (LevelsLeft != -3)
                --LevelsLeft;
        } else {
            LevelsLeft = -1;
        }
        // The number may be the one the reader took next for its list, which
        // it left open for the end of the run.
        if (CheckFileNumber != ListFileNumber)
            platform::Close(CheckFileNumber);
        LinkListFile =
            LevelToggle == 1 ? QStringLiteral("LINKS1.INP") : QStringLiteral("LINKS0.INP");
        if (!form.WorkListsHeld()) {
            if (const int error = platform::FileCopy(NextListFile, LinkListFile))
                form.WorkFileFailed(LinkListFile, error);
        }
        if (LevelsLeft == 0) {
            CollectLinks = 0;
            DepthReached = 1;
        }
        LevelToggle = static_cast<int16_t>(1 - LevelToggle);
    } while (LevelsLeft != -1 && StopRun != 1);
}

// A run started from the command line may have nobody at the screen: what
// ended it goes to standard error, one line.
void TellStandardError(const QString& text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void LogTotals(FormKelpa& form)
{
    form.logging(TotalsLine(QStringLiteral("******")));
    form.logging(QString());
}

// Sets the transfer window's caption and logs it when every message is logged.
void ShowCaption(FormKelpa& form, const QString& caption)
{
    FormHTTP::Instance().SetCaption(caption);
    if (LogAllMessages == 1)
        form.logging(caption);
}

// What the transfer window's boxes held when a run began: its start URL
// and the start page's name (or a list's first record).
struct RunStart {
    QString url;
    QString name;
};

// The end of a run: the window idle again, the unfinished work recorded, and
// what comes next (repeat, completion, exit). The boxes show the run's start
// again, not the last file fetched: a task saved now, and the next Start,
// begin where this run began.
void EndOfRun(FormKelpa& form, const RunStart& start)
{
    FormHTTP& http = FormHTTP::Instance();
    QAction* menuExit = form.MenuEntry("MenuExit");
    // No transfer is under way: the run's part files are gone by now.
    partfile::RemoveLeftOver();
    form.ShowRunState(false);
    Running = 0;
    form.TimerBusy.setEnabled(false);
    form.CommandExit->setEnabled(false);
    menuExit->setEnabled(false);

    if (StopRun == 0)
        form.Vervollstaendigen();
    // Lists held by a failed write go into KELPA.NOT as soon as the folder
    // takes them.
    form.SettleUnfinished();
    http.Text1->setText(start.url);
    http.Text2->setText(start.name);

    form.CommandExit->setEnabled(true);
    menuExit->setEnabled(true);
    form.CheckListe->setEnabled(true);
    http.Text1->setEnabled(true);
    http.Text2->setEnabled(true);
    if (!TransferMessage.isEmpty())
        http.Text2->setText(TransferMessage);
    form.IndiLED(QString());

    if (StopRun != 0) {
        ShowCaption(form, LanguageText[269]);
    } else {
        http.SetCaption(folderProblem.isEmpty() ? LanguageText[119] : folderProblem.join(' '));
        if (DepthReached == 1)
            form.logging(LanguageText[328]);
        if (LogAllMessages == 1)
            form.logging(http.Caption());
    }
    // A run from the command line says why it ended before anything may end
    // the program.
    if (!folderProblem.isEmpty() && !CommandLine.isEmpty())
        TellStandardError(folderProblem.join(' ') + QLatin1Char(' ') + LanguageText[471]);
    form.CheckListe->setChecked(false);
    UrlsLeft = 0;
    form.StatusZeile();

    if (form.CheckRepeat->isChecked()) {
        form.PictureFunctions->setEnabled(false);
        form.IndiLED(QStringLiteral("warte"));
        ShowCaption(form, LanguageText[270] + platform::Str(RepeatLeft) + QLatin1Char('\''));
        if (form.TimerDauer.Enabled())
            ShowCaption(form, http.Caption() + LanguageText[147] + platform::Str(DurationLeft) +
                                  QLatin1Char('\''));
        if (RepeatSubject != QLatin1String("Liste")) {
            http.Text1->setText(RepeatSubject);
            http.Text2->clear();
        } else {
            form.CheckListe->setChecked(true);
        }
        platform::Kill(QStringLiteral("KELPA.GOT"));
    }

    CallResult = winsock::WSACancelBlockingCall();
    CallResult = winsock::closesocket(Socket);
    if (StopRun == 0)
        CallResult = winsock::WSACleanup();
    StopRun = 0;
    AbortTransfer = 0;

    if (form.CheckDauer->isChecked() && !form.CheckRepeat->isChecked()) {
        if (WindowsShutDown == 1)
            WindowsShutDown = 2;
        if (platform::FileLen(QStringLiteral("KELPA.NOT")) > 0 && CompleteAsked == 0) {
            CompleteAsked = 1;
            FormOptions::Instance().CompleteCheck(folderProblem.isEmpty());
            // Only an accepted completion runs; at its own end it ends the
            // program through the exit command.
            if (CompleteRequested == 1) {
                form.CommandStart_Click();
                return;
            }
        }
        form.CommandExit_Click();
    }
    if (RepeatPending == 1) {
        RepeatPending = 0;
        form.TimerRepeat_Timer();
    }
    if (StopRun == 0) {
        if (BytesLoaded > 0)
            LogTotals(form);
        if (folderProblem.isEmpty())
            http.SetCaption(LanguageText[119] + QLatin1Char(' '));
        form.IndiLED(QStringLiteral("fertig"));
        if (form.OptionContinue->isChecked())
            form.OptionNew->setChecked(true);
        if (form.WindowState() == 1 && !form.CheckRepeat->isChecked() && folderProblem.isEmpty()) {
            StatusCaption = form.Caption();
            form.TimerCaption.setEnabled(true);
        }
    }
    if (!folderProblem.isEmpty()) {
        // A completion would fail at once while the folder takes no files.
        FormOptions::Instance().CompleteCheck(false);
        // Held lists are the search to complete, though KELPA.NOT may not
        // hold them yet: the next start merges them first.
        if (form.WorkListsHeld() && !form.OptionContinue->isChecked())
            form.OptionContinue->setChecked(true);
        http.SetCaption(folderProblem.join(' '));
        if (CommandLine.isEmpty())
            platform::MsgBox(folderProblem.join(QStringLiteral("\r\n")) +
                                 QStringLiteral("\r\n\r\n") + LanguageText[471],
                             platform::vbCritical, Kelpa);
    } else if (!form.TimerCaption.Enabled()) {
        FormOptions::Instance().CompleteCheck();
    }
    if (RepeatLeft == 0 && (form.CheckRepeat->isChecked() || CompleteRequested == 1))
        form.CommandStart_Click();
}

} // namespace

void FormKelpa::CommandStart_Click()
{
    if (runOnStack) {
        restartRequested = true;
        return;
    }
    do {
        restartRequested = false;
        folderProblem.clear();
        passReads = ContinueSearch != 0 ? ListFile : QString();
        passWrites.clear();
        startRecord.clear();
        const RunOnStack onStack;
        if (!RunSetUp())
            return;
        const FormHTTP& http = FormHTTP::Instance();
        const RunStart start{http.Text1->text(), http.Text2->text()};
        LevelLoop(*this);
        EndOfRun(*this, start);
    } while (restartRequested);
}

void FormKelpa::EndRunAfterTransfer(const QStringList& problem)
{
    MsgAnswer = platform::vbCancel;
    folderProblem = problem;
}

void FormKelpa::WorkFileFailed(const QString& file, int error)
{
    const bool protocol = platform::StrCompText(file, ProtocolFile) == 0;
    // The protocol between runs: there is nothing to end.
    if (protocol && !runOnStack)
        return;
    // Whatever a list failed to take stays in the lists it stands in, and
    // KELPA.GOT records no file whose links may have been lost.
    if (!protocol)
        HoldWorkLists({QStringLiteral("KELPA.NOT"), passReads, passWrites}, startRecord);
    if (!runOnStack || !folderProblem.isEmpty())
        return;
    const QStringList problem = downloadfolder::WriteProblem(platform::CurDir(), file, error);
    AbortTransfer = 1;
    EndRunAfterTransfer(problem);
    // The protocol may fail again: the problem is set already, and the end of
    // the run tells it all the same.
    logging(problem.join(QLatin1Char(' ')));
}

int FormKelpa::WriteRecord(const QString& list, const QString& url, const QString& name)
{
    if (WorkListsHeld())
        return 0;
    const int error = platform::AppendKept(list, platform::Trim(url) + QStringLiteral("\r\n") +
                                                     platform::Trim(name) + QStringLiteral("\r\n"));
    if (error != 0)
        WorkFileFailed(list, error);
    return error;
}

int FormKelpa::ExitStatus() const
{
    return folderProblem.isEmpty() && !WorkListsHeld() ? 0 : 1;
}

void FormKelpa::CommandStop_Click()
{
    CommandStop->setEnabled(false);
    MsgAnswer = static_cast<int16_t>(platform::MsgBox(
        LanguageText[319], platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2,
        Kelpa));
    if (MsgAnswer == platform::vbNo) {
        CommandStop->setEnabled(true);
        return;
    }
    TimerBusy.setEnabled(false);
    IndiLED(QStringLiteral("warte"));
    StopRun = UserStopped = AbortTransfer = 1;
    if (CheckDauer->isChecked())
        CheckDauer->setChecked(false);
    CompleteAsked = 1;
    CommandExit_Click();
    // The run being stopped is still on the stack: it ends by itself, and only
    // an idle window starts the next run here.
    if (CheckRepeat->isChecked()) {
        CheckRepeat->setChecked(false);
        if (Running == 0 && !runOnStack) {
            CommandStart_Click();
            FormHTTP::Instance().Text2->clear();
        }
    }
}
