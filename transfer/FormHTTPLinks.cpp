// The links of a page: naming, filtering, listing and rewriting each link,
// and the search of a saved page.

#include "transfer/FormHTTP.h"
#include "transfer/FormHTTPDetail.h"

#include "main/DiskSpelling.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/RunNames.h"
#include "main/SavedFiles.h"
#include "main/WorkListIndex.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "transfer/LinkValue.h"
#include "transfer/OnlineSearch.h"
#include "transfer/ResponseHeader.h"
#include "transfer/Restrictions.h"
#include "transfer/UrlSplit.h"

#include <QLineEdit>

#include <optional>

using namespace KELPA;

namespace {

// The file number of EvalFile, the copy of the page or map file being
// searched; 0 when none is open.
int16_t EvalFileNumber;

// Bytes of the saved page read and searched between two yields.
constexpr int64_t SearchBlock = 65536;

// Shows text in the link box; logs it when every message is to be logged.
void ShowLink(FormHTTP& form, const QString& text)
{
    form.LinkShown.Set(text);
    if (LogAllMessages == 1)
        FormKelpa::Instance().logging(text);
}

// Sets the window's caption; logs it when every message is to be logged.
void ShowCaption(FormHTTP& form, const QString& text)
{
    form.SetCaption(text);
    if (LogAllMessages == 1)
        FormKelpa::Instance().logging(text);
}

// Logs an error caption whatever LogAllMessages says.
void ShowError(FormHTTP& form, const QString& text)
{
    form.SetCaption(text);
    FormKelpa::Instance().logging(text);
}

// The local name under which url is listed already: the first record of
// NextListFile, LinkListFile (not on the first level), "KELPA.GOT",
// "COMPLETE.ENP" or "KELPA.NOT" whose URL equals url, letter case ignored,
// else the name of a URL of errorAnswers. A URL this run could not fetch or
// save is in KELPA.NOT, or in errorAnswers when its server answered with an
// error: it is not fetched again in this run, however often later pages link
// to it.
std::optional<QString> KnownName(const QString& url, const QHash<QString, QString>& errorAnswers)
{
    static const QString got = QStringLiteral("KELPA.GOT");
    static const QString complete = QStringLiteral("COMPLETE.ENP");
    static const QString notLoaded = QStringLiteral("KELPA.NOT");
    const QString* lists[] = {NextListFile.isEmpty() ? nullptr : &NextListFile,
                              LinkListFile.isEmpty() || LevelsLeft == StartDepth ? nullptr
                                                                                 : &LinkListFile,
                              &got, &complete, &notLoaded};
    const QString key = WorkListIndex::UrlKey(url);
    for (const QString* list : lists) {
        if (list == nullptr)
            continue;
        if (std::optional<QString> name = WorkListIndex::For(*list).NameOfUrlKey(key))
            return name;
    }
    if (const auto answered = errorAnswers.constFind(key); answered != errorAnswers.cend())
        return *answered;
    return std::nullopt;
}

void DuplicateSearch(int16_t mode, const QString& owner = QString())
{
    FormKelpa& main = FormKelpa::Instance();
    if (LongFilenames == 1)
        main.Doublette(mode, owner);
    else
        main.DoubletteKurz(mode, owner);
}

// A META refresh on a restricted run lets the run follow it to its host.
void FollowRefreshHost()
{
    QString host = Link;
    if (host.startsWith(QLatin1String("http://"), Qt::CaseInsensitive))
        host = host.mid(7);
    const qsizetype slash = host.indexOf(QLatin1Char('/'));
    if (slash >= 0)
        host.truncate(slash);
    httpdetail::AddHomeHost(host);
}

// The progress of the search in the caption: the share of the copy done, and
// the time left while the run has a duration.
void ShowProgress(FormHTTP& form, int64_t done, int64_t length)
{
    PercentText = (done >= length ? QStringLiteral("100") : platform::Str(done * 100 / length)) +
                  QLatin1Char('%');
    if (FormKelpa::Instance().TimerDauer.Enabled())
        ShowCaption(form, PercentText + LanguageText[115] + platform::Str(DurationLeft) +
                              QLatin1Char('\''));
    else
        ShowCaption(form, PercentText + LanguageText[114]);
}

// Searches the copy open under EvalFileNumber block by block and writes the
// page with its tags as InlineNamen left them, when LocalBrowsing or SaveHTML
// is 1; otherwise the page is left empty. On an abort the rest of the copy is
// written unsearched, so that the page is never cut short. True when the
// whole copy was searched.
bool SearchCopy(FormHTTP& form, const QString& page)
{
    const int out = platform::FreeFile();
    if (out == 0 || platform::Open(page, platform::OpenMode::Output, out) != 0)
        return false;
    if (LocalBrowsing != 1 && SaveHTML != 1)
        platform::Close(out);
    const auto write = [out](const QByteArray& bytes) {
        if (platform::IsOpen(out))
            platform::PutBytes(out, bytes);
    };

    transfer::OnlineSearch::Options options = transfer::OnlineSearch::Options::Current();
    options.rewrite = true;
    transfer::OnlineSearch search(
        options,
        [&form](QByteArray& tag, const transfer::LinkMatch& match) {
            CurrentTag = tag;
            FoundPos = match.foundPos;
            ImageLink = match.imageLink ? 1 : 0;
            MetaRefreshFound = match.metaRefresh ? 1 : 0;
            form.InlineNamen();
            tag = CurrentTag;
            ImageLink = 0;
        },
        transfer::SetBase);
    TransferStarted = 1;

    const int64_t length = platform::Lof(EvalFileNumber);
    int64_t done = 0;
    bool complete = true;
    QByteArray block;
    while (done < length) {
        if (platform::GetBytes(EvalFileNumber, qMin(SearchBlock, length - done), block) != 0 ||
            block.isEmpty()) {
            complete = false;
            break;
        }
        done += block.size();
        write(search.Add(block));
        ShowProgress(form, done, length);
        platform::DoEvents();
        if (AbortTransfer == 1) {
            complete = false;
            break;
        }
    }
    write(search.Finish());
    if (done < length && platform::GetBytes(EvalFileNumber, length - done, block) == 0)
        write(block);
    if (length == 0)
        ShowProgress(form, 0, 0);
    platform::Close(out);
    return complete;
}

} // namespace

// Reads CurrentTag, FoundPos, UrlPath, HostName, Port, Protocol,
// MetaRefreshFound and the settings; sets Link, FileName, FileDirectory,
// LocalFileName and CompareUrl for the link, rewrites CurrentTag in place
// (only the value's bytes), appends a new link to NextListFile and counts it
// in InlineCount. A link already listed or loaded keeps its listed name and is
// not listed again; an excluded link is reported and left as written.
void FormHTTP::InlineNamen()
{
    FormKelpa& main = FormKelpa::Instance();
    const transfer::LinkValue value = transfer::CutLinkValue(CurrentTag, FoundPos);
    if (value.link.isEmpty())
        return;
    if (value.link.contains(QLatin1String("MAILTO:"), Qt::CaseInsensitive)) {
        if (eMailAddresses == 1) {
            QString address = value.link;
            main.loggingMAILTO(address);
        }
        return;
    }
    if (value.link.startsWith(QLatin1String("FTP://"), Qt::CaseInsensitive) ||
        value.link.startsWith(QLatin1String("NEWS:"), Qt::CaseInsensitive) ||
        transfer::UnfetchedScheme(value.link))
        return;

    // A link beginning with "/" stays on the page's server (or the one its
    // base tag names), or, in a local page, on its drive.
    const bool rooted =
        value.link.startsWith(QLatin1Char('/')) && !value.link.startsWith(QLatin1String("//"));
    Link = transfer::AbsoluteLink(value.link, UrlPath, rooted ? transfer::LinkRoot() : QString());
    Link = transfer::WithoutUserPart(Link);
    // A page from a server never leads to the local disk: the link stays as
    // written and is not fetched. Nor does a link holding a line break, which
    // would split its record in the lists.
    const bool localPage = Protocol == QLatin1String("file://");
    if (Link.isEmpty() || (!localPage && transfer::NamesLocalFile(Link)) ||
        Link.contains(QLatin1Char('\n')) || Link.contains(QLatin1Char('\r')))
        return;
    main.NamenGeben(QStringLiteral("InlineNamen"));
    CompareUrl = platform::Trim(Link);
    if (!CompareUrl.contains(QLatin1String("://")))
        CompareUrl = Protocol + CompareUrl;

    if (MetaRefreshFound == 1 && RestHome == 1)
        FollowRefreshHost();
    transfer::Einschraenkung();
    if (LinkExcluded == 1) {
        ShowLink(*this, transfer::AusschlussText());
        return;
    }

    if (const std::optional<QString> known = KnownName(CompareUrl, errorAnswers_)) {
        FileName = *known;
        ShowLink(*this, FileName + LanguageText[144]);
    } else {
        // With local browsing the page links to the name given now: it is the
        // link's for the run. Without, the fetch names the file.
        if (LocalBrowsing == 1) {
            const QString owner = savedfiles::UrlKey(Link);
            if (main.NameHeld(owner, true,
                              SubDirectories == 1 && NameAltered == 0
                                  ? FormKelpa::NameCheck::GivenUnrecordedFree
                                  : FormKelpa::NameCheck::Given))
                DuplicateSearch(1, owner);
            runnames::Give(Directory, runnames::Below(Directory, LocalFileName), owner);
        }
        if (AbortTransfer == 1)
            return;
        ++InlineCount;
        ShowLink(*this,
                 FileName + QStringLiteral(" (") + platform::Str(InlineCount) + QLatin1Char(')'));
        httpdetail::AppendRecord(NextListFile, Link, FileName);
    }

    QString name = FileName;
    if (name.contains(QLatin1Char('\\')))
        name = name.mid(Directory.size());
    // The link names the file as it is, or will be, spelled on disk.
    if (SubDirectories == 1) {
        // A relative link stays as written only while it still names the
        // file saved for it (no base tag, no numbered or decoded name).
        const QString saved = diskspelling::Spelled(Directory, FileDirectory + name);
        if (!transfer::RewrittenWithSubDirectories(value.text) && saved.startsWith(PageDirectory) &&
            transfer::NamesSavedFile(value.text, saved.mid(PageDirectory.size())))
            return;
        name = RootPrefix + saved;
    } else {
        name = diskspelling::Spelled(Directory, name);
    }
    transfer::ReplaceLinkText(CurrentTag, value.from, value.text,
                              transfer::LocalReference(name, value.text));
}

// Searches the saved page FileName (below FileDirectory with subdirectories)
// from a ".org" copy and writes it back with its links rewritten and the head
// line on top, when LocalBrowsing or SaveHTML is 1 (else the page is left
// empty: HTML is not kept). A map file is searched and left as it is. A tag
// longer than the online search's bound is written unsearched. Sets
// EvaluationComplete and FileComplete when the whole page was searched, else
// records the URL as not loaded; puts FileName and Text1 back to the page.
void FormHTTP::Auswerten()
{
    FormKelpa& main = FormKelpa::Instance();
    MetaRefreshFound = 0;
    EvaluationComplete = 0;
    BytesReceived = 0;
    AbortTransfer = 0;
    const QString pageDirectory = SubDirectories == 1 ? Directory + FileDirectory : Directory;
    const QString page = pageDirectory + FileName;
    LocalFileName = page;
    Text2->clear();
    ShowCaption(*this, LanguageText[108] + FileName + QStringLiteral(" (") +
                           platform::Str(platform::FileLen(page)) + LanguageText[109]);
    InlineCount = 0;

    const QString copyName =
        (LongFilenames == 1 ? FileName : FileName.section(QLatin1Char('.'), 0, 0)) +
        QStringLiteral(".org");
    EvalFile = pageDirectory + copyName;
    if (platform::FileExists(EvalFile) && ContinueSearch != 1) {
        const QString pageName = FileName;
        FileName = copyName;
        LocalFileName = EvalFile;
        int16_t mode = 0;
        DuplicateSearch(mode);
        EvalFile = LocalFileName;
        FileName = pageName;
        LocalFileName = page;
    }

    const bool isMap = FileName.endsWith(QLatin1String("MAP"), Qt::CaseInsensitive);
    if (const int error = platform::FileCopy(page, EvalFile); error != 0) {
        ShowError(*this, EvalFile + LanguageText[110] + platform::Str(error) + QLatin1Char(')'));
        TransferVerdict = 0;
    } else if (EvalFileNumber = int16_t(platform::FreeFile());
               EvalFileNumber == 0 ||
               platform::Open(EvalFile,
                              isMap ? platform::OpenMode::Input : platform::OpenMode::Binary,
                              EvalFileNumber) != 0) {
        ShowError(*this, EvalFile + LanguageText[113]);
        EvalFileNumber = 0;
    } else {
        main.IndiLED(QStringLiteral("suche"));
        bool complete = true;
        if (isMap)
            AuswertenMap();
        else
            complete = SearchCopy(*this, page);
        if (complete && AbortTransfer != 1) {
            EvaluationComplete = 1;
            FileComplete = 1;
        }
        platform::Close(EvalFileNumber);
        EvalFileNumber = 0;
        if (LocalBrowsing == 1 || SaveHTML == 0)
            platform::Kill(EvalFile);
    }

    main.TimerBusy.setEnabled(false);
    main.IndiLED(QString());
    Text1->setText(SavedLink);
    FileName = SavedFileName;
    if (EvaluationComplete != 1)
        main.Nichtgeladen();
}

// Reads the map file open under EvalFileNumber: the lines after the first
// DEFAULT line name the links, one "RECT" line each; other shapes are not
// read. Each goes through InlineNamen as an "<a href=...>" tag. Leaves UrlPath
// empty.
void FormHTTP::AuswertenMap()
{
    QString line;
    bool based = false;
    while (AbortTransfer != 1 && platform::LineInput(EvalFileNumber, line) == 0) {
        if (!based) {
            if (line.startsWith(QLatin1String("DEFAULT"), Qt::CaseInsensitive)) {
                // Relative links resolve as in a page at the DEFAULT URL.
                UrlPath = transfer::UrlDirectory(platform::Trim(line.mid(8)));
                based = true;
            }
            continue;
        }
        if (!line.startsWith(QLatin1String("RECT"), Qt::CaseInsensitive))
            continue;
        const QString word = platform::Trim(line.mid(4)).section(QLatin1Char(' '), 0, 0);
        if (word.isEmpty())
            continue;
        CurrentTag = "<a href=" + word.toUtf8() + '>';
        FoundPos = 3;
        InlineNamen();
        platform::DoEvents();
    }
    UrlPath.clear();
}
