// The set-up of a run: the download directory, the work lists and the
// window's running state.

#include "main/DiskSpelling.h"
#include "main/DownloadFolder.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "main/Naming.h"
#include "main/RunNames.h"
#include "main/SavedFiles.h"
#include "main/Schedule.h"
#include "main/StartPages.h"
#include "main/UnfinishedFolder.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "settings/FormOptions.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace KELPA;

namespace {

// The download directory as a folder of the file system: a relative setting
// and the absolute one it becomes name the same folder.
QString DownloadFolder()
{
    return QDir::cleanPath(platform::ToLinuxPath(KELPA::Directory));
}

// The local name the start page url was saved under in the download
// directory, so that a run fetches it into that name again instead of
// numbering a new copy beside the old one: the last run's, or else the last
// name the directory's index page lists for url, when that is url's place
// (with subdirectories its folder) and its file holds data. "" for a page
// saved nowhere there. Directory is absolute by now.
QString StartPageName(const QString& url)
{
    if (url.isEmpty())
        return {};
    if (QString name = startpages::LastRunName(url, DownloadFolder()); !name.isEmpty())
        return name;
    const QString& directory = KELPA::Directory;
    naming::Input input;
    input.link = url;
    input.subDirectories = SubDirectories == 1;
    input.longFilenames = LongFilenames != 0;
    input.directory = directory;
    input.unknownName = LanguageText[172];
    const naming::Result named = naming::LocalName(input);
    const QString indexPage = directory + worklists::IndexPage;
    std::optional<QString> listed = startpages::IndexedName(indexPage, url);
    if (!listed)
        listed = startpages::IndexedName(indexPage, named.link);
    if (!listed)
        return {};
    const qsizetype cut = listed->lastIndexOf(QLatin1Char('\\')) + 1;
    const QString name = listed->mid(cut);
    if (listed->left(cut) != (SubDirectories == 1 ? named.fileDirectory : QString()) ||
        name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.contains(QLatin1Char('/')) || platform::FileLen(directory + *listed) < 1 ||
        worklists::IsProgramFile(directory, directory + *listed))
        return {};
    return name;
}

// Names the download directory cannot have: a second colon, a doubled
// backslash, a forward slash or a character no file name may hold.
bool BadDirectoryName(const QString& directory)
{
    if (directory.contains(QLatin1String("\\\\")) ||
        platform::InStr(3, directory, QStringLiteral(":")) > 0)
        return true;
    for (const QChar c : QStringLiteral("/*?\"<>|"))
        if (directory.contains(c))
            return true;
    return false;
}

void EnsureTrailingBackslash(QString& directory)
{
    if (!directory.endsWith(QLatin1Char('\\')))
        directory += QLatin1Char('\\');
}

// Opens name for output and closes it again: the file exists and is empty.
void EmptyFile(const QString& name)
{
    const int number = platform::FreeFile();
    if (platform::Open(name, platform::OpenMode::Output, number) == 0)
        platform::Close(number);
}

// RefreshHTML: keeps only the records of KELPA.GOT that are not pages, so
// that pages are fetched again. KELPA.GOT is replaced only by a complete copy.
void FilterLoadedPages()
{
    // The list keeps the case of its name on a case-keeping file system.
    const QString got = QStringLiteral("KELPA.GOT");
    const QString scratch = QStringLiteral("~.tmp");
    const int in = platform::FreeFile();
    if (platform::Open(got, platform::OpenMode::Input, in) != 0)
        return;
    const int out = platform::FreeFile();
    int error = platform::Open(scratch, platform::OpenMode::Output, out);
    while (error == 0 && !platform::Eof(in)) {
        platform::DoEvents();
        QString url;
        QString name;
        platform::LineInput(in, url);
        if (!platform::Eof(in))
            platform::LineInput(in, name);
        if (platform::InStr(name, QStringLiteral(".htm"), true) == 0 &&
            platform::InStr(url, QStringLiteral(".shtm"), true) == 0) {
            error = platform::PrintLine(out, url);
            if (error == 0)
                error = platform::PrintLine(out, name);
        }
    }
    platform::Close(in);
    if (platform::Close(out) == 0 && error == 0)
        platform::FileCopy(scratch, got);
    platform::Kill(scratch);
}

} // namespace

// The controls that differ between a running and an idle main window.
void FormKelpa::ShowRunState(bool running)
{
    FormHTTP& http = FormHTTP::Instance();
    const auto entry = [this](const char* name, bool enabled) {
        if (QAction* action = MenuEntry(name))
            action->setEnabled(enabled);
    };
    CommandStart->setEnabled(!running);
    entry("MenuStart", !running);
    if (QAction* sequence = MenuEntry("MenuAutoSequenz"); sequence && sequence->isVisible())
        sequence->setEnabled(!running);
    CommandSkip->setEnabled(running);
    entry("MenuCancel", running);
    const bool stoppable = running || CheckRepeat->isChecked();
    CommandStop->setEnabled(stoppable);
    entry("MenuStop", stoppable);
    PictureFunctions->setEnabled(!running);
    CommandAssistant->setEnabled(!running);
    for (const char* name : {"MenuOpenTask", "MenuSaveTask", "MenuNew", "MenuOpen",
                             "MenuChooseInputfile", "MenuAssistant", "MenuClearGenerated"})
        entry(name, !running);
    if (!running) {
        PictureWaitOn->SetLit(false);
        LabelMessage->hide();
    }
    http.CommandPaste->setEnabled(!running);
    http.CommandChooseFile->setEnabled(!running);
    if (OptionsOpen == 1) {
        for (QWidget* control : FormOptions::Instance().RunBoundControls())
            control->setEnabled(!running);
    }
    if (running)
        http.setCursor(Qt::WaitCursor);
    else
        http.unsetCursor();
    if (EditOpen == 1)
        FormEdit::Instance().RunStateChanged(running);
}

// Files can be created in the download directory, made with the folders above
// it when missing, and work lists that a failed write held went into
// KELPA.NOT. Otherwise no run starts: why goes to the log and into a box (a
// notice that waits for no click in a task started from the command line),
// and a window that waited for a delayed start is idle again.
bool FormKelpa::FoldersUsable()
{
    const QString folder = downloadfolder::Absolute(Directory, platform::CurDir());
    QStringList problem = downloadfolder::Problem(folder, platform::MakeWritableFolder(folder));
    if (problem.isEmpty()) {
        if (const int error = SettleUnfinished())
            problem = downloadfolder::WriteProblem(platform::CurDir(), QStringLiteral("KELPA.NOT"),
                                                   error);
    }
    if (problem.isEmpty())
        return true;
    if (Running == 1) {
        FormHTTP& http = FormHTTP::Instance();
        ShowRunState(false);
        Running = 0;
        http.Text1->setEnabled(true);
        http.Text2->setEnabled(true);
    }
    IndiLED(QString());
    problem.append(LanguageText[444]);
    LogAndTell(problem.join(QStringLiteral("\r\n")), platform::vbCritical);
    // A task with a duration and no repetition ends the program after its
    // run; without a run nothing else would end it, and its lock would keep
    // every later start of the task out of the folder. Nobody is there to
    // say whether an unfinished former search may go: it is kept.
    if (!CommandLine.isEmpty() && CheckDauer->isChecked() && !CheckRepeat->isChecked()) {
        if (OptionNew->isChecked() && platform::FileLen(QStringLiteral("KELPA.NOT")) >= 1)
            OptionContinue->setChecked(true);
        CommandExit_Click();
    }
    return false;
}

// Set-up of a run. False when no run goes on now: it waits for its delayed
// start, or the download directory cannot take its files.
bool FormKelpa::RunSetUp()
{
    FormHTTP& http = FormHTTP::Instance();
    IndiLED(QStringLiteral("warte"));
    platform::DoEvents();
    CompleteRequested = DepthReached = ImagesOnly = TotalsSuppressed = UserStopped = 0;
    BytesSoFar = 0;
    if (!(ContinueSearch == 1 && Images == 1))
        MaskedImages.clear();
    if (UrlsLeft == 1)
        Unrestricted = 1;
    if (!PictureButtons->isHidden())
        PictureButtons->setFocus();
    MenuHTTP_Click();

    // A completion saves where the run that left the work saved; a new
    // search, or a run over the input list, saves where the setting says.
    if (OptionContinue->isChecked() && !CheckListe->isChecked())
        unfinishedfolder::Enter(Directory);
    else
        unfinishedfolder::Leave(Directory);
    DirectoryInvalid = BadDirectoryName(Directory) ? 1 : 0;
    if (DirectoryInvalid == 1) {
        logging(LanguageText[417]);
        Directory.clear();
    }
    if (Directory.isEmpty() && !StandardDirectory.isEmpty())
        Directory = StandardDirectory;
    const bool listsHeld = WorkListsHeld();
    if (!FoldersUsable())
        return false;
    // The held lists are in KELPA.NOT now: a completion starts from all of it.
    if (listsHeld && OptionContinue->isChecked())
        OptionContinue_Click();

    if (CheckRepeat->isChecked()) {
        if (RepeatSubjectSet == 0) {
            RepeatSubjectSet = 1;
            RepeatSubject = InputFile != ListFile ? http.Text1->text() : QStringLiteral("Liste");
        }
        const QString repeatList = QStringLiteral("repeat.txt");
        if (RepeatSubject == QLatin1String("Liste") && platform::FileExists(repeatList)) {
            platform::FileCopy(repeatList, ListFile);
            platform::Kill(repeatList);
        }
    }
    if (SaveSettingsAutomatically == 1)
        inischreiben(QStringLiteral("KELPA.INI"));
    if (UrlsLeft == 0)
        UrlsLeft = 1;
    LastHost.clear();
    http.ForgetErrorAnswers();
    diskspelling::ForgetAnswers();
    runnames::Forget();
    savedfiles::Forget();
    downloadfolder::ForgetLinks();
    CompletionDone = 0;
    // No file of this run is unfinished until its first transfer begins.
    FileComplete = 1;
    http.SetCaption(QStringLiteral(" "));

    ShowRunState(true);
    CallResult = winsock::WSACleanup();
    CallResult = winsock::WSAStartup(0x0101, WinsockData);
    if (CallResult != 0)
        logging(LanguageText[265]);
    Running = 1;
    CancelConfirmAnswer = 0;
    http.Text1->setEnabled(false);
    http.Text2->setEnabled(false);

    AbortTransfer = TransferAborted = Relocated = 0;
    BytesReceived = 0;
    StartDepth = Depth == 0 ? -2 : Depth;
    LevelsLeft = StartDepth;
    LevelToggle = 0;
    MsgAnswer = 0;
    CollectLinks = 1;

    http.Text1->setText(platform::Trim(http.Text1->text()));
    http.Text2->setText(platform::Trim(http.Text2->text()));
    // The start page is named inside the folder the setting names, as every
    // later file of the run is, so that a file there is seen and numbered
    // away from, not overwritten.
    Directory = downloadfolder::Absolute(Directory, platform::CurDir());
    Link = http.Text1->text();
    FileName = http.Text2->text();
    const QString startUrl = Link;
    if (FileName.isEmpty())
        FileName = StartPageName(startUrl);
    SettleFileName();
    http.Text2->setText(FileName);
    startpages::NoteLastRun(startUrl, http.Text1->text(), DownloadFolder(), FileName);

    // Every run starts with an empty list of unfinished work (a continuation
    // has copied it to COMPLETE.ENP before), which belongs to this folder.
    unfinishedfolder::Note(Directory);
    EmptyFile(QStringLiteral("KELPA.NOT"));
    if (OptionNew->isChecked()) {
        const QString complete = QStringLiteral("COMPLETE.ENP");
        const QString got = QStringLiteral("KELPA.GOT");
        if (platform::FileLen(complete) > 0)
            platform::Kill(complete);
        const int number = platform::FreeFile();
        if (platform::Open(complete, platform::OpenMode::Append, number) == 0)
            platform::Close(number);
        if (platform::FileExists(got)) {
            if (platform::FileLen(got) == 0) {
                platform::Kill(got);
            } else if (RefreshHTML == 0) {
                RecycleFile = QStringLiteral("kelpa.got");
                DateiInPapierkorb();
            }
        }
        if (RefreshHTML == 0)
            EmptyFile(got);
        else if (platform::FileLen(got) > 0)
            FilterLoadedPages();
    }

    if (CheckStart->isChecked()) {
        TimerStartIn.setEnabled(true);
        delayanzeige();
        logging(platform::DateText() + QLatin1Char(' ') + http.Caption());
        CommandStop->setEnabled(false);
        MenuEntry("MenuStop")->setEnabled(false);
        LabelMessage->show();
        return false;
    }
    LabelMessage->hide();
    OnlySiteRun = OnlySite;
    CacheVerzeichnis();
    if (eMailAddresses == 1) {
        EnsureTrailingBackslash(Directory);
        const int number = platform::FreeFile();
        if (platform::Open(Directory + worklists::MailList, platform::OpenMode::Append, number) ==
            0)
            platform::Close(number);
    }
    if (LocalBrowsing == 1) {
        EnsureTrailingBackslash(Directory);
        if (!platform::FileExists(Directory + worklists::IndexPage)) {
            WriteIndexHeader();
            platform::DoEvents();
        }
    }
    StartDirectory.clear();
    const QString now = platform::Trim(platform::TimeText());
    RunStartTime = platform::Left(now, now.size() - 3);
    StatusZeile();

    if (CheckDauer->isChecked()) {
        TimerDauer.setEnabled(true);
        logging(LanguageText[139] + schedule::MinutesLeft(DurationLeft));
    } else {
        TimerDauer.setEnabled(false);
    }
    if (CheckRepeat->isChecked()) {
        const QString interval = Repeat->text();
        RepeatLeft = platform::CInt(platform::Val(platform::Left(interval, interval.size() - 3)));
        TimerRepeat.setEnabled(true);
        logging(LanguageText[267] + schedule::MinutesLeft(RepeatLeft));
    } else {
        TimerRepeat.setEnabled(false);
    }
    if (Images == 0)
        logging(LanguageText[268]);
    return true;
}
