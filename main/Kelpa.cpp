#include "main/Kelpa.h"

#include "main/StartPages.h"

// Everything starts as at program load: numbers 0, texts and lists empty.
// Start-up and the settings reader give the values. Fixed from the start are
// only the sizes of the four receive buffers and Socket, which names no socket.

namespace KELPA {

// The text table: slots 0 to 489, filled by TexteDeutsch or TexteEnglisch.
std::array<QString, 490> LanguageText;
// The language named by the settings file's Language line.
QString Language;

// Settings: one variable per key of KELPA.INI and the task files, named like the key.
QString Accept;
int16_t AcceptMetaRefresh;
int16_t AcceptRelocation;
int16_t AnalyseOnStop;
QString Background;
int16_t ConnectBlocking;
QString Connection;
int16_t Depth;
QString Directory;
int16_t ConnectTO;
QString Exclude;
int16_t eMailAddresses;
int16_t GetHostByNameBlocking;
QString HeadLine;
int16_t HideMin;
QString Host;
QString IfModifiedSince;
int16_t Images;
QString InputFile;
int16_t JavaApplets;
int16_t LocalBrowsing;
int16_t LogAllMessages;
int16_t LongFilenames;
QString MaskedImages;
int16_t MaxFileSize;
int32_t MaxkBytes;
QString MemoText;
int16_t MinFileSize;
int16_t NoExternalBanners;
QString NoSite;
QString OnlySite;
std::array<QString, 8> Page;
QString Position;
QString PositionEdit;
QString PositionOptions;
QString PositionPreview;
QString PositionPreviewTop;
int16_t PreviewTop;
int16_t RecvBlocking;
int16_t RecvBuffer;
QString Referer;
int16_t RefreshHTML;
int16_t RestHome;
int16_t SaveHTML;
int16_t SaveSettingsAutomatically;
int16_t SendBlocking;
int16_t ShowEdit;
int16_t ShowOptions;
int16_t ShowProtocol;
int16_t ShowToolbar;
QString StandardDirectory;
int16_t SubDirectories;
int16_t Timeout;
QString TimeProcs;
QString UserAgent;
int16_t UseRecycleBin;
QString UserIcon;
QString UserTitle;
int16_t WindowState;
int16_t StartWindowState;
int16_t ParseJava;

// Task: the current task file and its own keys.
QString TaskFile;
QString CommandLine;
std::array<QString, 7> Comment;
QString Repeat;
QString Start;
QString Time;
int16_t UseList;
QString TaskURL;
int16_t WindowsShutDown;

// Run flags: tested by every loop and window that starts or ends work.
int16_t Running;
int16_t AbortTransfer;
int16_t StopRun;
int16_t UserStopped;
int16_t TransferAborted;
int16_t ContinueSearch;
int16_t CompleteAsked;
int16_t CompleteRequested;
int16_t CompletingNotLoaded;
int16_t CompletionDone;
int16_t TotalsSuppressed;
int16_t IdleExit;
int16_t ListLoadFailed;
int16_t DirectoryInvalid;
int16_t Unrestricted;
int16_t ImagesOnly;

// Answers of questions: message-box codes (6 Yes, 7 No, 2 Cancel, 1 OK).
int16_t MsgAnswer;
int16_t CancelAnswer;
int16_t CancelConfirmAnswer;

// Run counters, shown in the status line and written as totals.
int32_t FilesLoaded;
int32_t FilesKept;
int64_t BytesLoaded;
int64_t BytesKept;
int64_t BytesSoFar;
int32_t UrlsLeft;
int32_t TransferTicks;

// Current transfer: the URL and its local names.
QString Link;
QString FileName;
QString LocalFileName;
QString FileDirectory;
int16_t NameAltered;
QString StartDirectory;
QString Protocol;
QString ListEntry;
QString SavedLink;
QString SavedFileName;
QString CompareUrl;
QString RootPrefix;
QString PageDirectory;
QString LastHost;
QString LastFile;
QString TransferMessage;
int16_t TransferStarted;
int16_t EvaluationComplete;
int16_t FileComplete;
int16_t FileRetained;
int16_t TransferVerdict;
int16_t NotLoadedPending;
int16_t SkipRecord;
int16_t LinkExcluded;
int16_t Relocated;

// Levels and work lists of a run.
QString ListFile;
QString NextListFile;
QString LinkListFile;
int16_t StartDepth;
int16_t LevelsLeft;
int16_t LevelToggle;
int16_t CollectLinks;
int16_t DepthReached;
int16_t SkipFirstRecord;

// Chooser protocol: the caller sets filter and title, then reads ChosenPath.
QString ChooseFilter;
QString ChooseTitle;
QString ChosenPath;

// Window-open flags: 1 while that window is loaded.
int16_t EditOpen;
int16_t OptionsOpen;
int16_t PreviewOpen;
int16_t PreviewTopOpen;

// Message boxes and system calls: the prompt, the last results, the file to delete.
QString MessageText;
int32_t CallResult;
int32_t ApiResult;
QString RecycleFile;

// File numbers of open files, each taken from the next free number.
int16_t FileNumber;
int16_t ListFileNumber;
int16_t DataFileNumber;
int16_t CheckFileNumber;
int16_t LogFileNumber;
int16_t LockFileNumber;
QString LockFile = QStringLiteral("KELPA.TMP");

// Scheduler: delayed start, repeat, duration and the blinking caption.
int16_t StartInLeft;
QString StartInText;
QString StartClock;
int16_t RepeatLeft;
int16_t DurationLeft;
QString RepeatSubject;
int16_t RepeatSubjectSet;
int16_t RepeatPending;
int16_t AssistantStartSet;
QString PercentText;
QString StatusCaption;
int16_t CaptionTimerPending;

// Log, status line and main-window layout.
int16_t LogError;
int16_t LogLineCount;
QString StatusLineText;
QString RunStartTime;
int16_t LayoutBusy;
int16_t MainShown;
double PopupLeft;
double PopupTop;

// Transfer window: socket, URL parts and the state of the HTTP exchange.
winsock::SOCKET Socket = winsock::INVALID_SOCKET;
QString AsyncSignal;
QString HostName;
QString UrlPath;
QString RequestPath;
int32_t Port;
int32_t HostAddress;
int16_t PageState;
int64_t RecvCount;
int16_t LengthUnknown;
int64_t ContentLength;
int64_t BytesReceived;
QString HomePrefix;
QString OnlySiteRun;
QString PreviewFile;

// Receive buffers of fixed sizes; the two small ones are this file's own.
namespace {
const QByteArray ReceiveBuffer512(512, '\0');
const QByteArray ReceiveBuffer1024(1024, '\0');
} // namespace
const QByteArray ReceiveBuffer2048(2048, '\0');
const QByteArray ReceiveBuffer8192(8192, '\0');

const QByteArray& FixedReceiveBuffer(int16_t size)
{
    switch (size) {
    case 512:
        return ReceiveBuffer512;
    case 1024:
        return ReceiveBuffer1024;
    case 2048:
        return ReceiveBuffer2048;
    default:
        return ReceiveBuffer8192;
    }
}

// Link search and rewriting: the tag and file under evaluation, what the search found.
QByteArray CurrentTag;
QString EvalFile;
int32_t FoundPos;
int32_t InlineCount;
int16_t HasStatusLine;
int16_t ErrorPage;
int16_t MetaRefreshFound;
int16_t ImageLink;

// Preview windows.
QString PreviewImage;
int16_t PreviewLoading;
int32_t PreviewError;

// The socket library's start-up record.
winsock::WSAData WinsockData;

void ResetRunDefaults()
{
    LogLineCount = 0;
    RepeatSubjectSet = 0;
    EvaluationComplete = 1;
    DurationLeft = 60;
    StartInLeft = 480;
    IdleExit = 0;
    FileRetained = 1;
    RunStartTime.clear();
    CompletionDone = 1;
    BytesKept = 0;
    BytesLoaded = 0;
    FilesKept = 0;
    FilesLoaded = 0;
    UrlsLeft = 0;
    StopRun = 0;
    UserStopped = 0;
    WindowsShutDown = 0;
    startpages::ForgetLastRun();
}

} // namespace KELPA
