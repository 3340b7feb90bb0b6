#pragma once
// Module KELPA: the program's public variables, shared by every window.
//
// Every window and procedure reads and writes these directly (one thread, no
// locking). At program load numbers are 0 (Socket -1, no socket) and texts
// empty; start-up and the settings reader give them their values. Switches
// hold 0 or 1. A variable that one file alone uses is that file's own.

#include "platform/winsock/Winsock.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>

namespace KELPA {

// The text table: slots 0 to 489, filled by TexteDeutsch or TexteEnglisch.
extern std::array<QString, 490> LanguageText;
// The language named by the settings file's Language line.
extern QString Language;

// Settings: one variable per key of KELPA.INI and the task files, named like the key.
extern QString Accept;
extern int16_t AcceptMetaRefresh;
extern int16_t AcceptRelocation;
extern int16_t AnalyseOnStop;
extern QString Background;
extern int16_t ConnectBlocking;
extern QString Connection;
extern int16_t Depth;
extern QString Directory;
extern int16_t ConnectTO;
extern QString Exclude;
extern int16_t eMailAddresses;
extern int16_t GetHostByNameBlocking;
extern QString HeadLine;
extern int16_t HideMin;
extern QString Host;
extern QString IfModifiedSince;
extern int16_t Images;
extern QString InputFile;
extern int16_t JavaApplets;
extern int16_t LocalBrowsing;
extern int16_t LogAllMessages;
extern int16_t LongFilenames;
extern QString MaskedImages;
extern int16_t MaxFileSize;
extern int32_t MaxkBytes;
extern QString MemoText;
extern int16_t MinFileSize;
extern int16_t NoExternalBanners;
extern QString NoSite;
extern QString OnlySite;
extern std::array<QString, 8> Page; // slots 1 to 6: recent start pages, newest in 1
extern QString Position;
extern QString PositionEdit;
extern QString PositionOptions;
extern QString PositionPreview;
extern QString PositionPreviewTop;
extern int16_t PreviewTop;
extern int16_t RecvBlocking;
extern int16_t RecvBuffer;
extern QString Referer;
extern int16_t RefreshHTML;
extern int16_t RestHome;
extern int16_t SaveHTML;
extern int16_t SaveSettingsAutomatically;
extern int16_t SendBlocking;
extern int16_t ShowEdit;
extern int16_t ShowOptions;
extern int16_t ShowProtocol;
extern int16_t ShowToolbar;
extern QString StandardDirectory;
extern int16_t SubDirectories;
extern int16_t Timeout;
extern QString TimeProcs;
extern QString UserAgent;
extern int16_t UseRecycleBin;
extern QString UserIcon;
extern QString UserTitle;
extern int16_t WindowState;      // child windows: 0 normal, 2 maximised
extern int16_t StartWindowState; // read from the WindowState key
extern int16_t ParseJava;

// Task: the current task file and its own keys.
extern QString TaskFile;
// The program's command line: one task-file path, possibly empty.
extern QString CommandLine;
extern std::array<QString, 7> Comment; // 0-5 Comment1-Comment6, 6 the joined text
extern QString Repeat;
extern QString Start;
extern QString Time;
extern int16_t UseList;
extern QString TaskURL;
extern int16_t WindowsShutDown; // 0 off, 1 armed, 2 shut down at the exit

// Run flags: tested by every loop and window that starts or ends work.
extern int16_t Running;
extern int16_t AbortTransfer;
extern int16_t StopRun;
extern int16_t UserStopped;
extern int16_t TransferAborted;
extern int16_t ContinueSearch; // 0 new search, 1 continuation; may park an answer code
extern int16_t CompleteAsked;
extern int16_t CompleteRequested;
extern int16_t CompletingNotLoaded;
extern int16_t CompletionDone;
extern int16_t TotalsSuppressed;
extern int16_t IdleExit;
extern int16_t ListLoadFailed;
extern int16_t DirectoryInvalid;
extern int16_t Unrestricted;
extern int16_t ImagesOnly;

// Answers of questions: platform::MsgBoxAnswer codes (vbYes, vbNo, vbCancel, vbOK).
extern int16_t MsgAnswer;
extern int16_t CancelAnswer;
extern int16_t CancelConfirmAnswer;

// Run counters, shown in the status line and written as totals.
extern int32_t FilesLoaded;
extern int32_t FilesKept;
extern int64_t BytesLoaded;
extern int64_t BytesKept;
extern int64_t BytesSoFar;
extern int32_t UrlsLeft;
extern int32_t TransferTicks; // seconds of the current transfer

// Current transfer: the URL and its local names.
extern QString Link;
extern QString FileName;
extern QString LocalFileName;
extern QString FileDirectory;
extern int16_t NameAltered;
extern QString StartDirectory;
extern QString Protocol;
extern QString ListEntry;
extern QString SavedLink;
extern QString SavedFileName;
extern QString CompareUrl;
extern QString RootPrefix;
extern QString
    PageDirectory; // FileDirectory of the page under work, which RootPrefix climbs out of
extern QString LastHost;
extern QString LastFile;
extern QString TransferMessage;
extern int16_t TransferStarted;
extern int16_t EvaluationComplete;
extern int16_t FileComplete;
extern int16_t FileRetained;
extern int16_t TransferVerdict; // 1 record in KELPA.GOT, -1 receive error, 0 neither
extern int16_t NotLoadedPending;
extern int16_t SkipRecord;
extern int16_t LinkExcluded;
extern int16_t Relocated; // 1 while a nested transfer runs, 2 after it

// Levels and work lists of a run.
extern QString ListFile;
extern QString NextListFile;
extern QString LinkListFile;
extern int16_t StartDepth;
extern int16_t LevelsLeft;
extern int16_t LevelToggle;
extern int16_t CollectLinks;
extern int16_t DepthReached;
extern int16_t SkipFirstRecord;

// Chooser protocol: the caller sets filter and title, then reads ChosenPath.
extern QString ChooseFilter;
extern QString ChooseTitle;
extern QString ChosenPath;

// Window-open flags: 1 while that window is loaded.
extern int16_t EditOpen;
extern int16_t OptionsOpen;
extern int16_t PreviewOpen;
extern int16_t PreviewTopOpen;

// Message boxes and system calls: the prompt, the last results, the file to delete.
extern QString MessageText;
extern int32_t CallResult;
extern int32_t ApiResult;
extern QString RecycleFile;

// File numbers of open files, each taken from the next free number.
extern int16_t FileNumber;
extern int16_t ListFileNumber;
extern int16_t DataFileNumber;
extern int16_t CheckFileNumber;
extern int16_t LogFileNumber;
extern int16_t LockFileNumber;
// The lock file: "KELPA.TMP" in the current directory, or, for an
// installation started from a folder it may not write, its place in the
// user's runtime folder (platform::UserLockFile).
extern QString LockFile;

// Scheduler: delayed start, repeat, duration and the blinking caption.
extern int16_t StartInLeft;
extern QString StartInText;
extern QString StartClock;
extern int16_t RepeatLeft;
extern int16_t DurationLeft;
extern QString RepeatSubject;
extern int16_t RepeatSubjectSet;
extern int16_t RepeatPending;
extern int16_t AssistantStartSet;
extern QString PercentText;
extern QString StatusCaption;
extern int16_t CaptionTimerPending;

// Log, status line and main-window layout.
extern int16_t LogError;
extern int16_t LogLineCount;
extern QString StatusLineText;
extern QString RunStartTime;
extern int16_t LayoutBusy;
extern int16_t MainShown;
extern double PopupLeft; // twips
extern double PopupTop;  // twips

// Transfer window: socket, URL parts and the state of the HTTP exchange.
extern winsock::SOCKET Socket; // -1 when there is none
extern QString AsyncSignal;
extern QString HostName;
extern QString UrlPath;
extern QString RequestPath;
extern int32_t Port;        // 1 to 65535
extern int32_t HostAddress; // network byte order; 0 or -1 none
extern int16_t PageState;   // 0 undecided, 1 HTML, 2 not HTML, 3 searched, 4 busy
extern int64_t RecvCount;   // 0 closed, -1 error, -2 first block held only header
extern int16_t LengthUnknown;
extern int64_t ContentLength;
extern int64_t BytesReceived;
extern QString HomePrefix;
extern QString OnlySiteRun;
extern QString PreviewFile;

// Receive buffers of fixed sizes.
extern const QByteArray ReceiveBuffer2048;
extern const QByteArray ReceiveBuffer8192;
// The fixed buffer of size 512, 1024 or 2048; the 8192 one for any other size.
const QByteArray& FixedReceiveBuffer(int16_t size);

// Link search and rewriting: the tag and file under evaluation, what the search found.
extern QByteArray CurrentTag;
extern QString EvalFile;
extern int32_t FoundPos;
extern int32_t InlineCount;
extern int16_t HasStatusLine;
extern int16_t ErrorPage;
extern int16_t MetaRefreshFound;
extern int16_t ImageLink;

// Preview windows.
extern QString PreviewImage;
extern int16_t PreviewLoading;
extern int32_t PreviewError;

// The socket library's start-up record.
extern winsock::WSAData WinsockData;

// Gives the values start-up sets before the settings are read, from which
// every run's counts start: FilesLoaded, FilesKept, BytesLoaded, BytesKept,
// UrlsLeft and LogLineCount 0; StopRun, UserStopped, IdleExit, WindowsShutDown
// and RepeatSubjectSet 0; CompletionDone, EvaluationComplete and FileRetained
// 1; DurationLeft 60 and StartInLeft 480; RunStartTime empty; no last run's
// start page known (StartPages.h). Touches no setting, file or window.
void ResetRunDefaults();

} // namespace KELPA
