#include "tests/main/TransferDouble.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/WorkListIndex.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "transfer/FormHTTP.h"

#include <QLineEdit>

using namespace KELPA;

namespace testsupport {

namespace {

void AppendRecord(const QString& list, const QString& url, const QString& name)
{
    const int number = platform::FreeFile();
    if (platform::Open(list, platform::OpenMode::Append, number) != 0)
        return;
    platform::PrintLine(number, platform::Trim(url));
    platform::PrintLine(number, platform::Trim(name));
    platform::Close(number);
}

// Known links: listed for the next level or in the level's list (not on the
// first level), loaded, or waiting in a completion list.
bool Known(const QString& url)
{
    if (!NextListFile.isEmpty() && WorkListIndex::For(NextListFile).HoldsUrl(url))
        return true;
    if (!LinkListFile.isEmpty() && LevelsLeft != StartDepth &&
        WorkListIndex::For(LinkListFile).HoldsUrl(url))
        return true;
    return WorkListIndex::For(QStringLiteral("KELPA.GOT")).HoldsUrl(url) ||
           WorkListIndex::For(QStringLiteral("COMPLETE.ENP")).HoldsUrl(url);
}

void MakeDirectories(const QString& path)
{
    for (qsizetype cut = path.indexOf(QLatin1Char('\\'), 1); cut > 0;
         cut = path.indexOf(QLatin1Char('\\'), cut + 1))
        platform::MkDir(path.left(cut));
}

} // namespace

TransferDouble::TransferDouble(Site site) : site_(std::move(site))
{
    FormHTTP::SetTransfer([this] { Transfer(); });
}

TransferDouble::~TransferDouble()
{
    FormHTTP::SetTransfer({});
}

void TransferDouble::Transfer()
{
    volatile char mark = 0;
    stackMarks.append(reinterpret_cast<quintptr>(&mark));
    if (StopRun == 1)
        return;
    FormKelpa& form = FormKelpa::Instance();
    FormHTTP& http = FormHTTP::Instance();
    AbortTransfer = 0;
    EvaluationComplete = 1;
    FileComplete = 0;
    TransferStarted = 0;
    TransferVerdict = 0;
    InlineCount = 0;
    SavedLink = Link;
    SavedFileName = FileName;
    Protocol = QStringLiteral("http://");
    const QString url = Link.contains(QLatin1String("://")) ? Link : Protocol + Link;
    http.Text1->setText(url);
    fetched.append(url);

    if (SubDirectories == 1) {
        form.NamenGeben(QStringLiteral("NurSubDir"));
        LocalFileName = Directory + FileDirectory + FileName;
        MakeDirectories(Directory + FileDirectory);
    } else {
        LocalFileName = Directory + FileName;
    }
    TransferStarted = 1;
    if (during)
        during(url);
    if (AbortTransfer == 1)
        return;
    const auto page = site_.constFind(url);
    if (page == site_.cend()) {
        form.Nichtgeladen();
        FileComplete = 1;
        return;
    }

    const int number = platform::FreeFile();
    if (platform::Open(LocalFileName, platform::OpenMode::Output, number) == 0) {
        platform::PutBytes(number, page->body);
        platform::Close(number);
    }
    ListLinks(*page);
    UrlsLeft += InlineCount;
    TransferVerdict = 1;
    FileComplete = 1;
    ++FilesLoaded;
    ++FilesKept;
    BytesLoaded += page->body.size();
    BytesKept += page->body.size();
    if (UrlsLeft > 0)
        --UrlsLeft;
    AppendRecord(QStringLiteral("KELPA.GOT"), http.Text1->text(), FileName);
}

void TransferDouble::ListLinks(const SitePage& page)
{
    FormKelpa& form = FormKelpa::Instance();
    const QString pageLink = Link;
    const QString pageName = FileName;
    const QString pageDirectory = FileDirectory;
    const QString pageFile = LocalFileName;
    for (const QString& link : page.links) {
        if (CollectLinks != 1)
            break;
        Link = link;
        form.NamenGeben(QStringLiteral("InlineNamen"));
        if (Known(platform::Trim(Link))) {
            ++knownLinks;
            continue;
        }
        ++InlineCount;
        AppendRecord(NextListFile, Link, FileName);
    }
    Link = pageLink;
    FileName = pageName;
    FileDirectory = pageDirectory;
    LocalFileName = pageFile;
}

} // namespace testsupport
