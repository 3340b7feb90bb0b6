#pragma once
// The main window: tool bar, start modes and scheduler row, the document area
// holding the transfer window and the other child windows, the log list, the
// status line and the activity lamps. Its load handler is the program's
// start-up; its close box is routed to the exit command.
//
// The class is implemented in several files, one per concern:
//   FormKelpa.cpp          construction, the one instance
//   FormKelpaControls.cpp  the window's design: panels, controls, timers
//   FormKelpaMenus.cpp     the menu tree and its captions
//   FormKelpaStartup.cpp   MDIForm_Load
//   FormKelpaSettings.cpp  inilesen, inischreiben, INITest (window side)
//   FormKelpaTask.cpp      task files: TaskLesen, TaskLaden, open and save
//   FormKelpaLog.cpp       logging, StatusZeile, IndiLED, TimerBusy
//   FormKelpaLayout.cpp    MDIForm_Resize
//   FormKelpaExit.cpp      CommandExit_Click, DateienLoeschen, DateiInPapierkorb
//   FormKelpaRun.cpp       the run: CommandStart_Click, CommandStop_Click
//   FormKelpaRunSetup.cpp  the run's set-up
//   FormKelpaLists.cpp     start modes and input lists
//   FormKelpaUnfinished.cpp abort, skip, KELPA.NOT and the crash recovery
//   FormKelpaIndex.cpp     the index page, recent pages and the e-mail list
//   FormKelpaNaming.cpp    local names and the download directory
//   FormKelpaScheduler.cpp the scheduler
//   FormKelpaTimers.cpp    the small timers and the hide command

#include "platform/forms/Paced.h"
#include "platform/pump/Timer.h"

#include <QIcon>
#include <QList>
#include <QMainWindow>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class LitLamp;
class QLabel;
class QListWidget;
class QMdiArea;
class QPushButton;
class QRadioButton;
class QScrollBar;

class FormKelpa final : public QMainWindow {
    Q_OBJECT
public:
    // The one instance, created on first use.
    static FormKelpa& Instance();
    FormKelpa(const FormKelpa&) = delete;
    FormKelpa& operator=(const FormKelpa&) = delete;

    // --- start-up and exit ---------------------------------------------------
    // The program's start-up; commandLine is the task file argument (program
    // path form, possibly empty).
    void MDIForm_Load(const QString& commandLine = QString());
    // The close request: never lets the window system unload the window.
    void MDIForm_QueryUnload();
    // The exit command, the one way the program ends. Ends the program, or
    // returns when the user said No or Cancel, or while a stop is pending.
    void CommandExit_Click();
    // Removes the work files a finished program no longer needs.
    void DateienLoeschen();
    // Deletes RecycleFile (a name in the current directory): into the recycle
    // bin when UseRecycleBin is 1, else plainly. Errors are ignored.
    void DateiInPapierkorb();

    // --- the run (FormKelpaRun.cpp) ---------------------------------------------
    // The start command: the whole life of one run. Restarts that a run asks
    // for at its very end (repeat, accepted completion) run from a loop here,
    // never nested.
    void CommandStart_Click();
    void CommandStop_Click();
    // Shows the transfer window.
    void MenuHTTP_Click();
    // The run's set-up (false: it waits for its delayed start, or the
    // download directory cannot take files) and the controls that differ
    // between a running and an idle window.
    bool RunSetUp();
    void ShowRunState(bool running);
    // Whether files can be created in the download directory (made when
    // missing), and whether work lists held by a failed write went into
    // KELPA.NOT; tells why not.
    bool FoldersUsable();
    // Ends the run once the transfer under way is over, as the answer Cancel
    // does: the rest of its lists goes to KELPA.NOT. problem says why the
    // download directory or the working folder takes no more files (heading,
    // folder, fault; logged already): the end of the run shows it in the
    // caption and, for a run started from the window, in a box (from the
    // command line on standard error, and the exit status is 1), and keeps
    // the unfinished work for a later completion rather than offer one that
    // would fail at once.
    void EndRunAfterTransfer(const QStringList& problem);
    // The one place every writer of a file in the working folder (a work
    // list or the protocol) tells of a write that failed. The first such
    // write of a run aborts the transfer under way and ends the run after it
    // as a download directory that takes no more files does, telling the
    // folder, the file and the cause; no later one tells anything. A work
    // list that failed holds the lists as they are (WorkListsHeld) until
    // SettleUnfinished has merged them into KELPA.NOT.
    void WorkFileFailed(const QString& file, int error);
    // Appends one record (URL, local name; each trimmed) to a work list kept
    // open, unless the lists are held; a failure goes to WorkFileFailed.
    // 0 or the error.
    int WriteRecord(const QString& list, const QString& url, const QString& name);
    // The process's exit status: 1 when the last run ended because a folder
    // took no more files or its unfinished work is not yet in KELPA.NOT.
    int ExitStatus() const;

    // --- start modes and input lists (FormKelpaLists.cpp) ------------------------
    void OptionContinue_Click();
    void OptionNew_Click();
    void CheckListe_Click();
    // Loads the first record of ListFile into the transfer window; counts.
    void INPanlesen();
    // Works through ListFile during a run.
    void InputFileLesen();
    // Enters list mode again with the current InputFile.
    void InputFileLaden();

    // --- abort and unfinished work (FormKelpaUnfinished.cpp) ---------------------
    // Ends the transfer under way (not the run).
    void Abbruch();
    // Skips the current file, after asking.
    void MenuCancel_Click();
    // Records the URL in Text1 with FileName in KELPA.NOT.
    void Nichtgeladen();
    // Writes what the run left unfinished into KELPA.NOT.
    void Vervollstaendigen();
    // After an abrupt end: merges every pending list into KELPA.NOT, each
    // record once.
    void Wiederherstellen();
    // A write of a work list failed: from now on nothing writes the work
    // lists, deletes or empties them, so that they keep what they hold:
    // lists (KELPA.NOT, the list the run read and the one it wrote) and,
    // when not empty, the start record (URL, name) the run fetched first.
    void HoldWorkLists(const QStringList& lists, const QStringList& startRecord);
    bool WorkListsHeld() const;
    // Merges the held lists into KELPA.NOT, each record once and none that
    // KELPA.GOT holds, through a scratch file that replaces KELPA.NOT only
    // when whole; then the lists are free again. 0 when nothing is held (any
    // more), else the error of the merge.
    int SettleUnfinished();

    // --- index page and e-mail list (FormKelpaIndex.cpp) ------------------------
    // Records the current start page (0) and refreshes the recent pages in the
    // menu (any value).
    void URLListe(int16_t onlyMenu);
    // Records the address of a "mailto:" link in MailTo.txt; shortens address.
    void loggingMAILTO(QString& address);
    // Writes the head of a new index page into the download directory.
    void WriteIndexHeader();

    // --- local names (FormKelpaNaming.cpp) --------------------------------------
    // Names Link: FileDirectory, FileName, LocalFileName ("NurSubDir",
    // "InlineNamen" or an empty mode). Never leaves the download directory.
    void NamenGeben(const QString& mode);
    // How NameHeld looks at a file on disk that no fetch recorded: it holds
    // a name given to a URL, unless such files are free there; and a
    // numbered candidate, where an empty file is deleted.
    enum class NameCheck { Given, GivenUnrecordedFree, Candidate };
    // Whether the name FileName, LocalFileName is another URL's than owner's
    // (a savedfiles::UrlKey), a folder's or one of the program's own files;
    // withLists: the work lists count too.
    bool NameHeld(const QString& owner, bool withLists, NameCheck check);
    // Makes FileName owner's (mode 0: on disk and in this run; 1: also in the
    // work lists); an empty owner is Link's.
    void Doublette(int16_t& mode, const QString& owner = QString());
    // The same for 8.3 names: numbers the base, padded to eight characters
    // ("index__1.htm"), always directly in Directory; sets LocalFileName
    // and mode 0, leaves NameAltered alone.
    void DoubletteKurz(int16_t& mode, const QString& owner = QString());
    // Makes Directory absolute, existing and ending in "\".
    void CacheVerzeichnis();

    // --- scheduler (FormKelpaScheduler.cpp) -------------------------------------
    // The scheduler writes its captions to the transfer window's caption and
    // reads the time from schedule::Now().
    void CheckStart_Click();
    void CheckRepeat_Click();
    void CheckDauer_Click();
    void CheckWindowsShutDown_Click();
    // The scroll bars hold the negated setting; each sets its label.
    void VScroll1_Change();
    void VScroll2_Change();
    void VScroll3_Change();
    // The Dauer label's caption changed: sets DurationLeft from it. The label
    // has no change signal: whoever sets its caption calls this afterwards.
    void Dauer_Change();
    // A click steps a label's scroll bar; a double click sets it to -1.
    void Dauer_Click();
    void Repeat_Click();
    void Zeit_Click();
    void Dauer_DblClick();
    void Repeat_DblClick();
    void Zeit_DblClick();
    // Shows when a delayed start will begin.
    void delayanzeige();
    // Minute countdowns: the delayed start, the repeat (also called once by a
    // run's end), the duration (ends the program through CommandExit_Click).
    void TimerStartIn_Timer();
    void TimerRepeat_Timer();
    void TimerDauer_Timer();
    // Routes clicks and double clicks on Zeit, Repeat and Dauer to their handlers.
    void WatchSchedulerLabels();
    // The small timers (FormKelpaTimers.cpp): the assistant after a first
    // start, the blinking caption after a run, the hidden window.
    void TimerAssistant_Timer();
    void TimerCaption_Timer();
    void MenuHide_Click();
    // The Hide menu entry's caption, naming HideMin's minutes.
    void ShowHideMinutes();
    void TimerHide_Timer();

    // --- menu commands (FormKelpaCommands.cpp) ---------------------------------
    // A new search: OptionNew selected, the transfer window up with "http://".
    void MenuNew_Click();
    // Chooser for "*.inp"; a chosen file becomes InputFile and is loaded.
    void MenuChooseInputFile_Click();
    void MenuSaveSettings_Click();
    // The toggles flip their own check mark (Qt's flip is undone at wiring)
    // and set ShowToolbar, ShowProtocol, SaveSettingsAutomatically, PreviewTop.
    void MenuSaveSettingsAutomatically_Click();
    void MenuToolbar_Click();
    void MenuProtocol_Click();
    void MenuPreviewTop_Click();
    // Bring up a child window (ShowOptions, ShowEdit := 1 first).
    void MenuOptions_Click();
    void MenuEdit_Click();
    void MenuPreview_Click();
    // Asks before discarding a prepared completion; shows the task assistant.
    void MenuAssistant_Click();
    // Opens Page(index), index 1 to 6, with its program.
    void MenuURLListe_Click(int16_t index);
    void MenuClearInactive_Click();
    void MenuClearAll_Click();
    // Empties the log list (not KELPA.LOG); the clear button moves back.
    void MenuClearProtocol_Click();
    // Zeroes the run counters, rebuilds the status line, logs the reset.
    void MenuClearStatus_Click();
    // Removes the work files and ends through the exit command.
    void MenuClearGenerated_Click();
    void MenuAutoSequenz_Click();
    void MenuAlign_Click();
    void MenuMemo_Click();
    void MenuLicense_Click();
    void MenuWebPage_Click();
    // Shows the about window, modeless.
    void MenuInfo_Click();
    // Shows KELPA.LOG in the text editor when it holds anything.
    void ListLogging_DblClick();
    // Enter (13) starts a run while CommandStart is enabled.
    void PictureFunctions_KeyPress(int keyAscii);
    // A press at (x, y), twips inside the panel: the right button opens
    // FormKontext there.
    void PictureButtons_MouseDown(Qt::MouseButton button, double x, double y);
    void PictureFunctions_MouseDown(Qt::MouseButton button, double x, double y);
    // A file dropped on the window (program path): a task (".TSK") or an input
    // list (".INP"); anything else, and any drop during a run, is ignored.
    void MDIForm_OLEDragDrop(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

public:
    // --- settings and tasks ---------------------------------------------------
    // Reads the settings from file (defaults first); ends the program when the
    // file cannot be opened (installer or error message).
    void inilesen(const QString& file);
    // Writes every setting to file; task keys first unless file is exactly
    // "KELPA.INI".
    void inischreiben(const QString& file);
    // Brings every setting into its range.
    void INITest();
    // Reads the task file TaskFile into the settings and shows them in the
    // windows (start URL, scheduler, toolbar, log, options and edit window);
    // gathers the task's comments in Comment[6] and logs them. A file that
    // cannot be read is logged and changes nothing.
    void TaskLesen();
    // Makes TaskFile the current job: saves the settings to KELPA.INI, names
    // the task in the caption, chooses a new search, reads the task
    // (TaskLesen) and shows its comments in a box. An empty, missing or
    // unreadable file is logged and loads nothing.
    void TaskLaden();
    void MenuOpenTask_Click();
    void MenuSaveTask_Click();

    // --- log, status line, lamps ----------------------------------------------
    // Appends text as one line to KELPA.LOG and to the log list.
    void logging(const QString& text);
    // The log list takes the lines logged at most once a frame; ShowLogNow()
    // brings it up to date at once (before the list is read), ClearLog()
    // empties it and forgets the lines not shown yet.
    void ShowLogNow();
    void ClearLog();
    // Logs message (its line breaks as blanks) and shows it in a box; for a
    // task started from the command line, where nobody may be at the screen,
    // in a notice that waits for no click.
    void LogAndTell(const QString& message, int style);
    // Refreshes the open preview window's file list and caption, composes
    // StatusLineText from the run's counters and shows it in the status line;
    // enables MenuClearStatus once a file was loaded.
    void StatusZeile();
    // The four lamps (waiting, sending, receiving, parsing): each unlit
    // picture with the lit one that lies on it.
    struct LampPair {
        QLabel* unlit;
        LitLamp* lit;
    };
    std::array<LampPair, 4> Lamps() const;
    // The status line's text as last set (it reaches the screen within a
    // frame); SetStatusText shows another.
    QString StatusText() const;
    void SetStatusText(const QString& text);
    // Lights the lamps a state word names ("warte", "sende", "empfange",
    // "fertig", "suche", "sucheonline"); any other word puts all out.
    void IndiLED(const QString& state);
    void TimerBusy_Timer();

    // --- layout -------------------------------------------------------------
    void MDIForm_Resize();
    void TimerInfo_Timer();

    // --- window properties other windows read --------------------------------
    QMdiArea* MdiArea() const { return mdiArea_; }
    QAction* MenuEntry(const char* name) const;
    // Outer position and size in twips.
    double Left() const;
    double Top() const;
    double Width() const;
    double Height() const;
    // 0 normal, 1 minimised, 2 maximised.
    int WindowState() const;
    // The menu bar, the tool bar, the row of start modes and scheduler and
    // the transfer window as they show (screen pixels): what the windows of
    // their own that open over the main window leave free. None while the
    // window is hidden or minimised.
    QList<QRect> ControlAreas() const;
    // The caption, with the blinking of the caption timer in mind.
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // --- controls (names as the program knows them) ---------------------------
    // Tool bar.
    QFrame* PictureButtons = nullptr;
    QPushButton* CommandStart = nullptr;
    QPushButton* CommandStop = nullptr;
    QPushButton* CommandSkip = nullptr;
    QPushButton* CommandExit = nullptr;
    QPushButton* CommandAssistant = nullptr;
    QPushButton* CommandEdit = nullptr;
    QPushButton* CommandOptions = nullptr;
    QPushButton* CommandHTTP = nullptr;
    QPushButton* CommandPreview = nullptr;
    // Start modes and scheduler row.
    QFrame* PictureFunctions = nullptr;
    QRadioButton* OptionNew = nullptr;
    QRadioButton* OptionContinue = nullptr;
    QGroupBox* FrameCheckListe = nullptr;
    QCheckBox* CheckListe = nullptr;
    QCheckBox* CheckStart = nullptr;
    QLabel* Zeit = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QCheckBox* CheckRepeat = nullptr;
    QLabel* Repeat = nullptr;
    QScrollBar* VScroll3 = nullptr;
    QCheckBox* CheckDauer = nullptr;
    QLabel* Dauer = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QCheckBox* CheckWindowsShutDown = nullptr;
    QLabel* LabelMessage = nullptr;
    // Log panel.
    QFrame* PictureList = nullptr;
    QListWidget* ListLogging = nullptr;
    QPushButton* CommandClearProtocol = nullptr;
    // Status line and lamps (each lit picture lies on its unlit twin).
    QFrame* PictureStatus = nullptr;
    QLabel* Statzeil = nullptr;
    QLabel* PictureWait = nullptr;
    LitLamp* PictureWaitOn = nullptr;
    QLabel* PictureSend = nullptr;
    LitLamp* PictureSendOn = nullptr;
    QLabel* PictureReceive = nullptr;
    LitLamp* PictureReceiveOn = nullptr;
    QLabel* PictureParse = nullptr;
    LitLamp* PictureParseOn = nullptr;
    // The program's icon and the user's (UserIcon).
    QIcon ImageIcon;
    QIcon ImageUserIcon;
    // Timers.
    platform::Timer TimerBusy;
    platform::Timer TimerInfo;
    platform::Timer TimerAssistant;
    platform::Timer TimerCaption;
    platform::Timer TimerHide;
    platform::Timer TimerStartIn;
    platform::Timer TimerRepeat;
    platform::Timer TimerDauer;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    FormKelpa();
    void setupControls();
    void setupMenus();
    void setupTimers();
    void SetCaptions();
    void SetControlCaptions();
    // Start-up's steps, in their order.
    void TakeLockFile();
    // The settings file cannot be read and the shipped set lies in the
    // current directory: this start installs the program (inilesen).
    static bool InstallsHere();
    void TakeCommandLineTask();
    void RestoreGeometry();
    void ApplyViews();
    void OpenStartWindows();
    void CreateWorkFiles();
    void ApplyPictures();
    void OfferInputList();
    // The caption "Kelpa - " & the current directory & "\" & suffix, with
    // " [" & TaskFile & "]" appended while a task is loaded.
    QString DirectoryCaption(const QString& afterBackslash) const;
    // The local name of a list record or of the start URL: a given FileName
    // keeps what follows its last "\" or "/"; an empty one is named from Link.
    void SettleFileName();
    // The log's clear button sits further left once the list scrolls.
    void PlaceClearProtocol();
    // Start-up step 10 and the task reader: places the window from Position.
    void PlaceFromPosition();

    // Shows the lines logged since the list's last update.
    void ShowHeldLog();
    // Puts text in the status line.
    void ShowStatus(const QString& text);

    QMdiArea* mdiArea_ = nullptr;
    QStringList heldLog_; // logged, not in the list yet (the last 39 at most)
    platform::Paced logShown_{[this] { ShowHeldLog(); }};
    // The status line, set twice a file during a run.
    platform::PacedText statusShown_{[this](const QString& text) { ShowStatus(text); }};
    // The settings file held nothing but its language line: a first start.
    bool firstStart_ = false;
};
