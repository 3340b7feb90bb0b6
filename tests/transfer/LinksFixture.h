#pragma once
// The state of a page under evaluation at http://h:8080/d/, set directly after
// one start-up: settings of a plain run, empty work lists in a fresh folder.

#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "tests/main/StartupFixture.h"
#include "transfer/FormHTTP.h"
#include "transfer/LinkSearch.h"

#include <QLineEdit>
#include <QTest>

namespace testsupport {

inline void PreparePage()
{
    using namespace KELPA;
    EnterTestFolder();
    Directory = platform::CurDir() + QLatin1Char('\\');
    SubDirectories = 0;
    LongFilenames = 1;
    LocalBrowsing = 1;
    SaveHTML = 1;
    eMailAddresses = 1;
    LogAllMessages = 0;
    Images = 1;
    ImagesOnly = 0;
    JavaApplets = 1;
    AcceptMetaRefresh = 1;
    RestHome = 0;
    Unrestricted = 0;
    NoSite.clear();
    OnlySiteRun.clear();
    HomePrefix.clear();
    MaskedImages.clear();
    Exclude.clear();
    NoExternalBanners = 0;
    ContinueSearch = 0;
    AbortTransfer = 0;
    HeadLine.clear();
    Protocol = QStringLiteral("http://");
    HostName = QStringLiteral("h");
    Port = 8080;
    UrlPath = QStringLiteral("http://h:8080/d");
    RootPrefix = QStringLiteral("..\\..\\");
    PageDirectory = QStringLiteral("h_8080\\d\\");
    NextListFile = QStringLiteral("LINKS1.INP");
    LinkListFile = QStringLiteral("LINKS0.INP");
    StartDepth = 3;
    LevelsLeft = 3;
    InlineCount = 0;
    MetaRefreshFound = 0;
    ImageLink = 0;
    FormHTTP::Instance().LinkShown.SetNow(QString());
}

// The link box's text, also while the box still holds it back for a frame.
inline QString LinkBoxText()
{
    const FormHTTP& http = FormHTTP::Instance();
    return http.LinkShown.Last(http.TextLinks->text());
}

// The tag after the link search and the link handler.
inline QByteArray HandleTag(const QByteArray& tag)
{
    KELPA::CurrentTag = tag;
    transfer::LinkSuche();
    if (KELPA::FoundPos != 0)
        FormHTTP::Instance().InlineNamen();
    KELPA::ImageLink = 0;
    return KELPA::CurrentTag;
}

} // namespace testsupport
