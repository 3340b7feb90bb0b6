// Abort of a transfer, skipping a file, the list of unfinished work and the
// recovery after an abrupt end.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/StatusLine.h"
#include "main/WorkListIndex.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "settings/FormOptions.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"
#include "transfer/Restrictions.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

using namespace KELPA;

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString NotLoadedList = QStringLiteral("KELPA.NOT");

// The work lists held since a write of one failed (HoldWorkLists).
struct HeldLists {
    bool held = false;
    QStringList lists;
    QStringList startRecord;
};
HeldLists heldLists;

// True when path names a file below the download directory. Partial files are
// deleted only there, whatever a name built from a URL says.
bool InsideDownloadDirectory(const QString& path)
{
    if (Directory.isEmpty() || path.isEmpty())
        return false;
    const QString folder = QDir::cleanPath(platform::ToLinuxPath(Directory));
    const QString file = QDir::cleanPath(platform::ToLinuxPath(path));
    return !folder.isEmpty() && folder != QLatin1String("/") &&
           file.startsWith(folder + QLatin1Char('/'));
}

// Deletes path when it is an empty file below the download directory; errors
// ignored. A transfer creates its file with the first byte of the body, so
// when nothing arrived a file holding anything is an earlier copy, not this
// transfer's.
void DeleteEmptyPartialFile(const QString& path)
{
    if (InsideDownloadDirectory(path) && platform::FileExists(path) && platform::FileLen(path) == 0)
        platform::Kill(path);
}

// Reads one work-list record (URL line, name line), each trimmed; a missing
// line reads as empty.
void ReadRecord(int fileNumber, QString& url, QString& name)
{
    url.clear();
    name.clear();
    if (platform::LineInput(fileNumber, url) == 0)
        platform::LineInput(fileNumber, name);
    url = platform::Trim(url);
    name = platform::Trim(name);
}

// The status line with the count after "Links" set to UrlsLeft; composed
// anew when the line is empty or holds no such count.
void ShowUrlsLeft(FormKelpa& form)
{
    const QString shown = form.StatusText();
    const auto line = shown.isEmpty() ? std::nullopt : StatusLineWithUrlsLeft(shown, UrlsLeft);
    if (line)
        form.SetStatusText(*line);
    else
        form.StatusZeile();
}

// The first non-blank line of path, trimmed, or empty; yields per line.
// aborted is set when an abort (AbortTransfer 1) came meanwhile.
QString FirstTextLine(const QString& path, bool& aborted)
{
    const bool abortedBefore = AbortTransfer == 1;
    QString line;
    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(path, platform::OpenMode::Input, number) != 0)
        return line;
    while (!platform::Eof(number) && platform::LineInput(number, line) == 0) {
        line = platform::Trim(line);
        platform::DoEvents();
        if (!abortedBefore && AbortTransfer == 1) {
            aborted = true;
            break;
        }
        if (!line.isEmpty())
            break;
    }
    platform::Close(number);
    return line;
}

// A partial file left by the last transfer: deleted when empty, or, when HTML
// pages are not kept (SaveHTML 0 without local browsing), when it is a page (a
// "<" within its first lastTagPos characters) that came without a status line.
// An earlier copy under the name of a transfer that received nothing stays.
// False when an abort ended the scan.
bool DropPartialFile(const QString& path, qsizetype lastTagPos)
{
    if (!InsideDownloadDirectory(path) || !platform::FileExists(path))
        return true;
    // Nothing of the last transfer arrived: what its name holds is an earlier
    // copy, not a partial file of this run.
    if (BytesReceived < 1 && platform::FileLen(path) > 0 &&
        platform::ToLinuxPath(path) == platform::ToLinuxPath(LocalFileName))
        return true;
    if (platform::FileLen(path) == 0) {
        platform::Kill(path);
        return true;
    }
    if (SaveHTML != 0 || LocalBrowsing != 0)
        return true;
    bool aborted = false;
    const QString line = FirstTextLine(path, aborted);
    if (aborted)
        return false;
    const qsizetype tag = platform::InStr(line, QStringLiteral("<"));
    if (tag >= 1 && tag <= lastTagPos && HasStatusLine == 0)
        platform::Kill(path);
    return true;
}

// Step of the completion: the records still unread in the current level's
// list (ListFile, continued where the run stopped reading) go to KELPA.NOT.
// After a stop with AnalyseOnStop set, only those the link restrictions let
// through. False when the completion was cancelled.
bool WriteRestOfList(FormKelpa& form)
{
    FormHTTP& http = FormHTTP::Instance();
    if (!platform::IsOpen(ListFileNumber)) {
        ListFileNumber = static_cast<int16_t>(platform::FreeFile());
        platform::Open(ListFile, platform::OpenMode::Input, ListFileNumber);
    }
    const bool testEach = AnalyseOnStop != 0;
    if (testEach && StopRun != 1) {
        platform::Close(ListFileNumber);
        return true;
    }
    while (!platform::Eof(ListFileNumber)) {
        platform::DoEvents();
        if (CancelConfirmAnswer == platform::vbYes) {
            platform::Close(ListFileNumber);
            return false;
        }
        ReadRecord(ListFileNumber, Link, FileName);
        http.Text1->setText(Link);
        http.Text2->setText(FileName);
        if (testEach && AnalyseOnStop == 1)
            transfer::Einschraenkung();
        if (!testEach || LinkExcluded == 0) {
            form.Nichtgeladen();
            continue;
        }
        if (UrlsLeft > 0)
            --UrlsLeft;
        ShowUrlsLeft(form);
        if (LogAllMessages == 1)
            form.logging(QStringLiteral("AnalyseOnStop: ") + Link + LanguageText[107]);
    }
    platform::Close(ListFileNumber);
    return true;
}

// Step of the completion: the next level's list (NextListFile) goes to
// KELPA.NOT, without the start record the first level put at its head. Not
// read when the run had only one level of links. False when cancelled.
bool WriteNextLevelList(FormKelpa& form)
{
    if (Depth == 1)
        return true;
    FormHTTP& http = FormHTTP::Instance();
    CheckFileNumber = static_cast<int16_t>(platform::FreeFile());
    if (NextListFile.isEmpty() || platform::FileLen(NextListFile) <= 0 ||
        platform::Open(NextListFile, platform::OpenMode::Input, CheckFileNumber) != 0)
        return true;
    bool completed = true;
    while (!platform::Eof(CheckFileNumber)) {
        platform::DoEvents();
        if (CancelConfirmAnswer == platform::vbYes) {
            completed = false;
            break;
        }
        if (SkipFirstRecord == 1) {
            ReadRecord(CheckFileNumber, Link, FileName);
            SkipFirstRecord = 0;
        }
        if (platform::Eof(CheckFileNumber))
            break;
        ReadRecord(CheckFileNumber, ListEntry, FileName);
        http.Text1->setText(ListEntry);
        http.Text2->setText(FileName);
        form.Nichtgeladen();
    }
    platform::Close(CheckFileNumber);
    return completed;
}

// Writes the records of leading (URL, name, or nothing) and then of lists,
// in order, into KELPA.NOT through the scratch file "~.TMP", which replaces
// KELPA.NOT only when whole: a record once, where the merge first comes to
// it (records that are not the same record by worklists::RecordKey are all
// kept), and none whose URL KELPA.GOT holds when leaveOutLoaded. Yields once
// a record. 0 or the error.
int MergeIntoNotLoaded(const QStringList& leading, const QStringList& lists, bool leaveOutLoaded)
{
    const QString scratch = QStringLiteral("~.TMP");
    const int out = platform::FreeFile();
    int error = out == 0 ? platform::ErrTooManyFiles
                         : platform::Open(scratch, platform::OpenMode::Output, out);
    const bool scratchOpen = error == 0;
    WorkListIndex& loaded = WorkListIndex::For(QStringLiteral("KELPA.GOT"));
    QSet<QString> written;
    const auto take = [&](const QString& url, const QString& localName) {
        if (leaveOutLoaded && loaded.HoldsUrl(platform::Trim(url)))
            return;
        const qsizetype before = written.size();
        written.insert(worklists::RecordKey(url, localName));
        if (written.size() == before)
            return;
        error = platform::PrintLine(out, url);
        if (error == 0)
            error = platform::PrintLine(out, localName);
    };
    if (error == 0 && leading.size() == 2)
        take(leading.at(0), leading.at(1));
    for (const QString& list : lists) {
        if (error != 0 || platform::FileLen(list) <= 0)
            continue;
        const int in = platform::FreeFile();
        if (platform::Open(list, platform::OpenMode::Input, in) != 0)
            continue;
        bool more = true;
        while (error == 0 && more && !platform::Eof(in)) {
            platform::DoEvents();
            QString url;
            QString localName;
            if (platform::LineInput(in, url) != 0)
                break;
            // A last record cut off after its URL gets an empty name, so that
            // the next list's records stay URL first, name second.
            more = !platform::Eof(in) && platform::LineInput(in, localName) == 0;
            take(url, localName);
        }
        platform::Close(in);
    }
    if (scratchOpen) {
        const int closed = platform::Close(out);
        if (error == 0)
            error = closed;
        if (error == 0)
            error = platform::FileCopy(scratch, NotLoadedList);
        platform::Kill(scratch);
    }
    return error;
}

} // namespace

// Ends the transfer under way, not the run: raises AbortTransfer and
// TransferAborted, closes the socket, stops the transfer's timers, dissolves a
// pending delayed start and logs how far the file came. Deletes the local file
// only when nothing of it arrived and it is empty, and only inside the download
// directory.
void FormKelpa::Abbruch()
{
    FormHTTP& http = FormHTTP::Instance();
    AbortTransfer = 1;
    TransferAborted = 1;
    // A pending delayed start has no transfer: LocalFileName is still the
    // last file of the run before.
    const bool transferUnderWay = !CheckStart->isChecked();
    CallResult = winsock::WSACancelBlockingCall();
    CallResult = winsock::closesocket(Socket);
    Socket = winsock::INVALID_SOCKET;
    TimerStartIn.setEnabled(false);
    LabelMessage->hide();
    TimerBusy.setEnabled(false);
    IndiLED(QStringLiteral("warte"));
    http.TimerTimeout.setEnabled(false);

    if (CheckStart->isChecked()) {
        CheckStart->setChecked(false);
        CommandStart->setEnabled(true);
        MenuEntry("MenuStart")->setEnabled(true);
        http.unsetCursor();
        PictureFunctions->setEnabled(true);
        PictureFunctions->setFocus();
        CommandSkip->setEnabled(false);
        CommandStop->setEnabled(false);
        MenuEntry("MenuStop")->setEnabled(false);
        MenuEntry("MenuCancel")->setEnabled(false);
        for (const char* name : {"MenuOpenTask", "MenuSaveTask", "MenuNew", "MenuOpen",
                                 "MenuChooseInputfile", "MenuAssistant"})
            MenuEntry(name)->setEnabled(true);
        CommandAssistant->setEnabled(true);
        if (QAction* wait = MenuEntry("MenuWait")) {
            wait->setChecked(false);
            wait->setEnabled(false);
        }
        http.CommandPaste->setEnabled(true);
        http.CommandChooseFile->setEnabled(true);
        if (OptionsOpen == 1) {
            for (QWidget* control : FormOptions::Instance().RunBoundControls())
                control->setEnabled(true);
        }
        if (EditOpen == 1)
            FormEdit::Instance().RunStateChanged(false);
        Running = 0;
        http.Text1->setEnabled(true);
        http.Text2->setEnabled(true);
    }

    const auto& text = LanguageText;
    if (EvaluationComplete == 1) {
        logging(QStringLiteral("-> ") + FileName + platform::Str(BytesReceived) + text[136]);
        const QString outcome = BytesReceived < 1 ? text[294] : text[293];
        http.SetCaption(outcome);
        logging(outcome);
        if (BytesReceived < 1 && transferUnderWay)
            DeleteEmptyPartialFile(LocalFileName);
    } else if (EvaluationComplete == 0) {
        logging(text[303] + FileName);
        http.SetCaption(text[294]);
        logging(text[294]);
    }
}

// The skip command. While exiting is disabled it only asks whether to cancel
// the writing of the unfinished work (CancelConfirmAnswer). Otherwise it asks
// whether to keep the current file for later (6), drop it (7) or go on (2),
// and ends the transfer unless the answer was go on.
void FormKelpa::MenuCancel_Click()
{
    const auto& text = LanguageText;
    if (!CommandExit->isEnabled()) {
        MessageText = text[279] + CRLF + CRLF + text[280];
        CancelConfirmAnswer = static_cast<int16_t>(platform::MsgBox(
            MessageText, platform::vbYesNo | platform::vbExclamation, QStringLiteral("Kelpa")));
        if (CancelConfirmAnswer == platform::vbYes)
            unsetCursor();
        return;
    }
    MessageText = text[281] + CRLF + CRLF + text[282];
    CancelAnswer = static_cast<int16_t>(platform::MsgBox(
        MessageText, platform::vbYesNoCancel | platform::vbQuestion, QStringLiteral("Kelpa")));
    if (CancelAnswer == platform::vbNo) {
        if (EvaluationComplete == 0) {
            FormHTTP::Instance().Text1->setText(SavedLink);
            FileName = SavedFileName;
        }
        NotLoadedPending = 0;
        TransferVerdict = 1;
        SkipRecord = 1;
        Abbruch();
    } else if (CancelAnswer == platform::vbYes) {
        TransferVerdict = 0;
        Abbruch();
    }
}

// Appends the URL of the transfer window's Text1 (or, when a page's link
// search was interrupted, the page itself; a PNG's substitute as the PNG,
// FormHTTP::RecordedUrl) with FileName to KELPA.NOT and counts it off
// UrlsLeft. Writes nothing while the completion is cancelled or
// the file was dropped (then only clears CancelAnswer), nor a blank URL.
void FormKelpa::Nichtgeladen()
{
    if (CancelConfirmAnswer == platform::vbYes || CancelAnswer == platform::vbNo) {
        CancelAnswer = 0;
        return;
    }
    if (UrlsLeft > 0)
        --UrlsLeft;
    ShowUrlsLeft(*this);
    if (EvaluationComplete != 0) {
        ListEntry = FormHTTP::Instance().Text1->text();
    } else {
        ListEntry = SavedLink;
        FileName = SavedFileName;
        EvaluationComplete = 1;
    }
    ListEntry = FormHTTP::Instance().RecordedUrl(ListEntry);
    if (!platform::Trim(ListEntry).isEmpty())
        WriteRecord(NotLoadedList, ListEntry, FileName);
    NotLoadedPending = 1;
}

// Writes what the run left unfinished into KELPA.NOT: the interrupted file,
// the rest of the current level's list and the next level's list; then
// deletes partial files of no use (below the download directory only). Sets
// CompletionDone, unless the user cancelled the completion (CancelConfirmAnswer
// vbYes), which ends it at the next record.
void FormKelpa::Vervollstaendigen()
{
    FormHTTP& http = FormHTTP::Instance();
    const auto& text = LanguageText;
    IndiLED(QStringLiteral("warte"));
    setCursor(Qt::WaitCursor);
    // The count of URLs left is updated in the status line as shown.
    if (http.Caption() != text[293] && http.Caption() != text[294])
        AsyncSignal = QStringLiteral("nichtabgebrochen");
    if (AsyncSignal == QLatin1String("nichtabgebrochen") || ContinueSearch == 1) {
        http.SetCaption(text[295]);
        if (FileComplete == 0) {
            if (EvaluationComplete == 0) {
                http.Text1->setText(SavedLink);
                FileName = SavedFileName;
            }
            Nichtgeladen();
            if (Protocol != QLatin1String("file://"))
                logging(QStringLiteral("-> ") + Directory +
                        (SubDirectories != 0 ? FileDirectory : QString()) + FileName +
                        platform::Str(BytesReceived) + text[296]);
        }
    }
    // The interrupted file is dealt with: every record from here on is a
    // list record, never the page whose link search was cut short.
    EvaluationComplete = 1;
    http.SetCaption(text[295]);
    if (LogAllMessages == 1)
        logging(http.Caption());

    if (!WriteRestOfList(*this) || !WriteNextLevelList(*this)) {
        unsetCursor();
        return;
    }
    CompletionDone = 1;

    if (!DropPartialFile(LocalFileName, 4) || !DropPartialFile(Directory + SavedFileName, 2)) {
        unsetCursor();
        return;
    }
    unsetCursor();
    if (Running == 0)
        IndiLED(QString());
}

void FormKelpa::Wiederherstellen()
{
    // Every list that still held work goes into KELPA.NOT, in a fixed order.
    // The lists overlap: the continuation copies KELPA.NOT to COMPLETE.ENP
    // before its run empties KELPA.NOT, and a run records in KELPA.NOT what it
    // failed of the list it reads. KELPA.NOT is replaced only by a complete
    // merge: a scratch file that could not be written leaves it as it was,
    // and the failure is reported.
    const int error =
        MergeIntoNotLoaded({},
                           {NotLoadedList, QStringLiteral("COMPLETE.ENP"),
                            QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP")},
                           false);
    const QString message = error == 0
                                ? LanguageText[292]
                                : NotLoadedList + LanguageText[110] +
                                      platform::Trim(platform::Str(error)) + QStringLiteral(")");
    LogAndTell(message, platform::vbExclamation);
}

void FormKelpa::HoldWorkLists(const QStringList& lists, const QStringList& startRecord)
{
    if (heldLists.held)
        return;
    heldLists.held = true;
    for (const QString& list : lists)
        if (!list.isEmpty() && !heldLists.lists.contains(list, Qt::CaseInsensitive))
            heldLists.lists.append(list);
    heldLists.startRecord = startRecord;
}

bool FormKelpa::WorkListsHeld() const
{
    return heldLists.held;
}

int FormKelpa::SettleUnfinished()
{
    if (!heldLists.held)
        return 0;
    if (const int error = MergeIntoNotLoaded(heldLists.startRecord, heldLists.lists, true))
        return error;
    heldLists = HeldLists();
    return 0;
}
