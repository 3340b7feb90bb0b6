// One transfer from the work list to a saved file: scheme, local name, local
// copy or HTTP connection, then the recording and the run's statistics.

#include "transfer/FormHTTP.h"

#include "main/DiskSpelling.h"
#include "main/DownloadFolder.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Naming.h"
#include "main/RunNames.h"
#include "main/SavedFiles.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/pump/Pump.h"
#include "transfer/FormHTTPDetail.h"
#include "transfer/LinkSearch.h"
#include "transfer/Restrictions.h"
#include "transfer/UrlSplit.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>

using namespace KELPA;
using httpdetail::LogIfAsked;

namespace {

// The local name of the KELPA.GOT record under test, read past in the search.
QString DuplicateCandidate;

std::function<void()>& transferStandIn()
{
    static std::function<void()> transfer;
    return transfer;
}

// Bytes of this transfer that the statistics add; whether they were dropped
// for an earlier copy that stays; the download volume's flag.
int64_t lastFileBytes = 0;
bool bodyDropped = false;
bool volumeReached = false;

const QString GotList = QStringLiteral("KELPA.GOT");

// True when the URL (Protocol & Link) has a record in KELPA.GOT. Yields per
// record; an abort ends the search with false.
bool AlreadyLoaded()
{
    if (platform::FileLen(GotList) < 1)
        return false;
    CompareUrl = platform::Trim(Link);
    if (!CompareUrl.startsWith(Protocol))
        CompareUrl = Protocol + CompareUrl;
    const int number = platform::FreeFile();
    if (platform::Open(GotList, platform::OpenMode::Input, number) != 0)
        return false;
    bool found = false;
    while (!found && !platform::Eof(number)) {
        platform::DoEvents();
        if (AbortTransfer == 1)
            break;
        if (platform::LineInput(number, ListEntry) != 0)
            break;
        DuplicateCandidate.clear();
        platform::LineInput(number, DuplicateCandidate);
        found = platform::StrCompText(ListEntry, CompareUrl) == 0;
    }
    platform::Close(number);
    return found;
}

// Same file on disk (a copy onto itself).
bool SameFile(const QString& a, const QString& b)
{
    const QFileInfo first(platform::ToLinuxPath(a));
    const QFileInfo second(platform::ToLinuxPath(b));
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

// Bytes of a local copy read first to tell whether it is a page; an XML
// prolog may need more of them.
constexpr qint64 PageStartBytes = 1024;

// A local copy is searched when it is a map file or a page; any other file
// stays the byte-for-byte copy it is.
bool SearchableCopy(const QString& path, const QString& name)
{
    if (name.endsWith(QLatin1String("MAP"), Qt::CaseInsensitive))
        return true;
    QFile file(platform::ToLinuxPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray start = file.read(PageStartBytes);
    if (transfer::PageStartUndecided(start))
        start += file.read(transfer::MaxPageStart - start.size());
    return transfer::IsPageStart(start);
}

// The folders a transfer made for its file. When the transfer ends, each
// that is empty goes again, the deepest first, so that a URL that brought no
// file leaves no empty folder behind; one that holds anything stays, and so
// does every folder above it.
struct MadeFolders {
    QStringList folders;
    MadeFolders() = default;
    MadeFolders(const MadeFolders&) = delete;
    MadeFolders& operator=(const MadeFolders&) = delete;
    ~MadeFolders()
    {
        for (auto folder = folders.crbegin(); folder != folders.crend(); ++folder) {
            if (platform::RmDir(*folder) != 0)
                break;
        }
    }
};

} // namespace

void FormHTTP::SetTransfer(std::function<void()> transfer)
{
    transferStandIn() = std::move(transfer);
}

void FormHTTP::Uebertragung()
{
    if (transferStandIn()) {
        transferStandIn()();
        return;
    }
    if (StopRun == 1)
        return;
    FormKelpa& form = FormKelpa::Instance();
    const auto& text = LanguageText;
    AbortTransfer = 0;
    EvaluationComplete = 1;
    BytesReceived = 0;
    volumeReached = false;
    PageState = 0;
    TransferVerdict = 0;
    ContentLength = 0;
    TransferMessage.clear();
    SavedLink = Link;
    SavedFileName = FileName;
    TransferStarted = 0;
    FileComplete = 0;
    UrlPath.clear();
    MetaRefreshFound = 0;
    NotLoadedPending = 0;
    Port = transfer::DefaultPort;
    CancelAnswer = 0;
    lastFileBytes = 0;
    bodyDropped = false;
    SetCaption(text[145]);
    LogIfAsked(Caption());
    if (form.TimerRepeat.Enabled()) {
        SetCaption(text[146] + platform::Str(RepeatLeft) + QStringLiteral("'"));
        LogIfAsked(Caption());
        if (form.TimerDauer.Enabled()) {
            SetCaption(Caption() + text[147] + platform::Str(DurationLeft) + QStringLiteral("'"));
            LogIfAsked(Caption());
        }
    }

    // The scheme.
    const qsizetype scheme = platform::InStr(Link, QStringLiteral("://"), true);
    if (scheme >= 1 && scheme <= 6) {
        Protocol = platform::LCase(platform::Trim(platform::Left(Link, scheme + 2)));
        Link = platform::Trim(platform::Mid(Link, scheme + 3));
        // A doubled scheme goes too; a "://" in the path or query stays.
        if (const qsizetype again = naming::SchemeLength(Link); again > 0)
            Link = platform::Trim(Link.mid(again));
        Text1->setText(Protocol + Link);
    } else if (Link.contains(QLatin1String(":\\")) || Link.contains(QLatin1String("|\\"))) {
        Protocol = QStringLiteral("file://");
        Text1->setText(Protocol + Link);
    } else if (platform::UCase(platform::Left(Link, 5)) == QLatin1String("NEWS:")) {
        Protocol = QStringLiteral("news:");
        Link = platform::Trim(platform::Mid(Link, 6));
        Text1->setText(Protocol + Link);
    } else {
        Protocol = QStringLiteral("http://");
        Link = platform::Trim(Link);
        Text1->setText(Protocol + Link);
    }

    // A user part before the host is dropped: no credentials are ever sent,
    // shown, logged or recorded.
    if (Protocol != QLatin1String("file://")) {
        if (const QString bare = transfer::WithoutUserPart(Link); bare != Link) {
            Link = bare;
            SavedLink = transfer::WithoutUserPart(SavedLink);
            Text1->setText(Protocol + Link);
        }
    }
    if (Protocol == QLatin1String("file://"))
        UrlPath = transfer::LocalBase(Link);

    // The local name, which is the URL's for the run: a relocated answer
    // keeps the name of the URL first named.
    const QString owner = Relocated == 1 ? relocationOwner_ : Text1->text();
    MadeFolders made;
    if (SubDirectories == 1) {
        // A relocated answer is saved in the folder the first URL was named
        // into, where the links to it were rewritten to point.
        if (Relocated != 1)
            form.NamenGeben(QStringLiteral("NurSubDir"));
        // The folders are made as the links to them were written.
        FileDirectory = diskspelling::Spelled(Directory, FileDirectory);
        LocalFileName = Directory + FileDirectory + FileName;
        if (downloadfolder::LeadsOut(Directory, FileDirectory)) {
            SetCaption(text[479]);
            form.logging(LocalFileName + text[479]);
            form.Nichtgeladen();
            FileComplete = 1;
            return;
        }
        made.folders = SubDirErstellen();
        RootPrefix = QStringLiteral("..\\").repeated(FileDirectory.count(QLatin1Char('\\')));
        PageDirectory = FileDirectory;
    } else {
        LocalFileName = Directory + FileName;
    }

    if (platform::UCase(ListFile) == QLatin1String("COMPLETE.ENP") && AlreadyLoaded()) {
        form.logging(Protocol + platform::Trim(Link));
        SetCaption(text[148]);
        TransferMessage = text[148];
        form.logging(Caption());
        FileComplete = 1;
        if (UrlsLeft > 0)
            --UrlsLeft;
        form.StatusZeile();
        return;
    }
    // Without local browsing a file is named when it is fetched.
    const QString ownerKey = savedfiles::UrlKey(owner);
    if (LocalBrowsing == 0 && form.NameHeld(ownerKey, false, FormKelpa::NameCheck::Given)) {
        int16_t diskOnly = 0;
        if (LongFilenames == 1)
            form.Doublette(diskOnly, ownerKey);
        else
            form.DoubletteKurz(diskOnly, ownerKey);
    }
    runnames::Give(Directory, runnames::Below(Directory, LocalFileName), ownerKey);
    Text2->setText(FileName);

    if (Protocol != QLatin1String("file://")) {
        HttpTransfer(owner);
        return;
    }

    // A local source is copied.
    if (Link.startsWith(QLatin1Char('/')))
        Link = Link.mid(1);
    if (platform::Mid(Link, 2, 1) == QLatin1String("|"))
        Link.replace(1, 1, QLatin1Char(':'));
    form.logging(Protocol + Link);
    const bool onItself = SameFile(Link, LocalFileName);
    const int error = platform::FileCopy(Link, LocalFileName);
    if (error == platform::ErrFileNotFound) {
        form.logging(Link + QStringLiteral(": ") + text[150]);
        SetCaption(text[150]);
        return;
    }
    if (error != 0) {
        form.logging(LocalFileName + text[110] + platform::Trim(platform::Str(error)) +
                     QStringLiteral(")"));
        SetCaption(text[151]);
        return;
    }
    PageState = SearchableCopy(LocalFileName, FileName) ? 1 : 2;
    // A page that is its own copy is the source itself: it is not rewritten.
    if (CollectLinks == 1 && !onItself && PageState == 1) {
        SearchAndReport(true);
    } else {
        if (PageState != 1)
            FileComplete = 1; // a plain copy is done once made
        SetCaption(QStringLiteral(" "));
    }
}

void FormHTTP::HttpTransfer(const QString& owner)
{
    FormKelpa& form = FormKelpa::Instance();
    const auto& text = LanguageText;
    // The earlier copy is replaced only by a whole new body, and an abort's
    // clean-up (which deletes LocalFileName when nothing arrived) never
    // reaches it: the target is kept in LastFile meanwhile.
    file_ = BodyFile{LocalFileName, owner, {}, false, 0};
    DataFileNumber = 0;
    LastFile = LocalFileName;
    LocalFileName.clear();
    if (transfer::HostDateiPortTrennen())
        Text1->setText(Text1->text() + QLatin1Char('/'));

    if (platform::LCase(platform::Left(Protocol, 4)) != QLatin1String("http")) {
        SetCaption(Protocol + HostName + text[152]);
        form.logging(Caption());
        AbortTransfer = 1;
        --UrlsLeft;
        EndHttpTransfer();
        return;
    }
    if ((StartDepth == LevelsLeft || Relocated == 1) && RestHome == 1)
        httpdetail::AddHomeHost(HostName);
    if (ListFile == InputFile)
        Unrestricted = 1;
    transfer::Einschraenkung();
    if (LinkExcluded == 1) {
        LocalFileName = file_.target;
        LastFile.clear();
        SetCaption(text[153]);
        form.logging(Link + QStringLiteral(": ") + Caption());
        FileComplete = 1;
        --UrlsLeft;
        form.StatusZeile();
        return;
    }

    form.logging(Text1->text());
    TimeOutErneuern();
    SetCaption(text[145]);
    LogIfAsked(Caption());
    if (Connect()) {
        SetCaption(text[157]);
        LogIfAsked(Caption());
        TimerTimeout.setEnabled(false);
        platform::DoEvents();
        TransferStarted = 1;
        const QString heldLink = Link;
        const QString heldFileName = FileName;
        hypertexttransport();
        Link = heldLink;
        FileName = heldFileName;
        if (PageState == 1) {
            PageState = 3;
            EvaluationComplete = 1;
        }
        // A relocation's or substitute's bytes were counted by the nested
        // transfer that received them, in the totals and against the volume.
        lastFileBytes = Relocated == 2 ? 0 : BytesReceived;
        if (MaxkBytes != 0 && Relocated != 2) {
            BytesSoFar = BytesLoaded + BytesReceived;
            if (static_cast<double>(BytesSoFar) / 1024.0 > MaxkBytes) {
                form.logging(text[159] + platform::Trim(platform::Str(BytesSoFar / 1024)) +
                             QStringLiteral(")******"));
                form.logging(QString());
                volumeReached = true;
            }
        }
    }
    EndHttpTransfer();
}

void FormHTTP::EndHttpTransfer()
{
    FormKelpa& form = FormKelpa::Instance();
    form.TimerBusy.setEnabled(false);
    TimerTimeout.setEnabled(false);
    if (AbortTransfer == 1 && Relocated != 2) {
        if (StopRun == 0 && NotLoadedPending == 0) {
            if (platform::LCase(platform::Left(Protocol, 4)) == QLatin1String("http") ||
                Protocol == QLatin1String("file://"))
                form.Nichtgeladen();
            FileComplete = 1;
        } else if (NotLoadedPending == 1) {
            FileComplete = 1;
        }
    }
    httpdetail::CloseSocket();
    CloseDataFile(false);
    SetCaption(QStringLiteral(" "));
    LocalFileName = file_.target;
    LastFile.clear();

    // Nothing of a body arrived: an earlier copy stays as it was.
    if (Relocated != 2 && !file_.written) {
        if (platform::FileExists(file_.target) && platform::FileLen(file_.target) == 0)
            platform::Kill(file_.target);
        if (TransferVerdict == 1 && NotLoadedPending == 0)
            Runtergeladen();
        return;
    }
    // A page that is not kept, or a file below the smallest size: what this
    // transfer wrote goes (an earlier copy beside it stays).
    if (file_.written && LocalBrowsing == 0 && HasStatusLine == 0 &&
        (PageState == 3 || PageState == 4) && SaveHTML == 0) {
        CloseDataFile(true);
        FileRetained = 0;
    }
    if (file_.written && FileRetained == 1 && InlineCount == 0 && MinFileSize != 0) {
        if (static_cast<double>(file_.bytes) / 1024.0 < MinFileSize) {
            CloseDataFile(true);
            form.logging(LanguageText[160]);
            FileRetained = 0;
        }
    }
    bodyDropped = !SettlePart();
    httpdetail::FeedPreview(true);
    SearchAndReport(CollectLinks == 1 && Relocated != 2);
}

void FormHTTP::SearchAndReport(bool search)
{
    FormKelpa& form = FormKelpa::Instance();
    const auto& text = LanguageText;
    if (search && PageState == 1) {
        Auswerten();
        PageState = 3;
    }
    if (Relocated != 2) {
        if (PageState == 3) {
            if (InlineCount == 0) {
                if (ErrorPage != 1) {
                    SetCaption(text[161]);
                    form.logging(Caption());
                }
            } else {
                SetCaption(InlineCount == 1
                               ? text[163]
                               : platform::Trim(platform::Str(InlineCount)) + text[162]);
                form.logging(Caption());
            }
        }
        UrlsLeft += InlineCount;
        if (TransferVerdict == 1 && PageState != 4)
            Runtergeladen();
    }
    Statistics();
}

void FormHTTP::Statistics()
{
    FormKelpa& form = FormKelpa::Instance();
    BytesLoaded += lastFileBytes;
    // Saved are the bytes that took their name: none of a body dropped (a
    // write of it failed, or it came short) or deleted.
    int64_t kept = bodyDropped ? 0 : lastFileBytes;
    if (FileRetained == 0 && Relocated != 2) {
        kept = 0;
        if (FilesKept >= 1 && TransferVerdict == 1)
            --FilesKept;
        FileRetained = 1;
    }
    BytesKept += kept;
    form.StatusZeile();
    Relocated = 0;
    form.logging(QString());
    if (volumeReached)
        form.CommandExit_Click();
}

void FormHTTP::Runtergeladen()
{
    ListEntry = Text1->text();
    if (CancelAnswer != platform::vbYes) {
        if (SkipRecord != 1) {
            ++FilesLoaded;
            ++FilesKept;
        } else {
            SkipRecord = 0;
        }
        if (UrlsLeft > 0)
            --UrlsLeft;
        FormKelpa::Instance().StatusZeile();
    }
    httpdetail::AppendRecord(GotList, ListEntry, FileName);
}

QStringList FormHTTP::SubDirErstellen()
{
    QString path = Directory + FileDirectory;
    if (path.endsWith(QLatin1Char('\\')))
        path.chop(1);
    if (platform::DirExists(path))
        return {}; // and so do all its parents
    // The download directory and the folders above it are never the file's.
    const qsizetype directoryEnd =
        Directory.endsWith(QLatin1Char('\\')) ? Directory.size() - 1 : Directory.size();
    QStringList made;
    const auto make = [&made, directoryEnd](const QString& folder) {
        if (platform::MkDir(folder) == 0 && folder.size() > directoryEnd)
            made.append(folder);
    };
    for (qsizetype cut = path.indexOf(QLatin1Char('\\'), 1); cut >= 0;
         cut = path.indexOf(QLatin1Char('\\'), cut + 1))
        make(path.left(cut));
    make(path);
    return made;
}
