#pragma once
// Helpers for tests that fetch single URLs from the loopback test server
// through the real transfer window: the program started once, a fresh folder
// per case with a download directory "site", and the plain settings of a
// transfer that searches no links.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/HttpTestServer.h"
#include "transfer/FormHTTP.h"

#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace testsupport {

// Starts the program once for the whole test and the socket library.
inline void StartForTransfers()
{
    StartOnce();
    QCOMPARE(winsock::WSAStartup(0x0101, KELPA::WinsockData), 0);
}

// A fresh folder for the running case, the download directory "site" in it,
// and the settings of one plain transfer.
inline void PrepareTransfer()
{
    using namespace KELPA;
    EnterTestFolder();
    ResetRunDefaults();
    QDir().mkdir(QStringLiteral("site"));
    Directory = platform::FromLinuxPath(QDir::currentPath()) + QStringLiteral("\\site\\");
    SubDirectories = 0;
    LongFilenames = 1;
    LocalBrowsing = 0;
    SaveHTML = 1;
    CollectLinks = 0;
    Images = 1;
    RestHome = 0;
    NoSite.clear();
    OnlySiteRun.clear();
    Exclude.clear();
    MaskedImages.clear();
    ListFile.clear();
    InputFile = QStringLiteral("KELPA.INP");
    StartDepth = LevelsLeft = 1;
    Timeout = 10;
    ConnectTO = 10;
    RecvBuffer = 1024;
    ConnectBlocking = SendBlocking = RecvBlocking = GetHostByNameBlocking = 1;
    AcceptRelocation = 1;
    MaxFileSize = MinFileSize = 0;
    MaxkBytes = 0;
    LogAllMessages = 0;
    AbortTransfer = 0;
    CancelAnswer = CancelConfirmAnswer = 0;
    Relocated = 0;
    LastHost.clear();
    HostAddress = 0;
    FormKelpa::Instance().TimerRepeat.setEnabled(false);
    FormKelpa::Instance().TimerDauer.setEnabled(false);
}

// Fetches url (as a work list holds it) into name, as the run does.
// Fetches url into name as a run would, with the main window in its running
// state (the skip command enabled), so the URL boxes do not count UrlsLeft.
inline void Fetch(const QByteArray& url, const QString& name)
{
    using namespace KELPA;
    FormHTTP& http = FormHTTP::Instance();
    FormKelpa& form = FormKelpa::Instance();
    form.CommandSkip->setEnabled(true);
    Link = QString::fromLatin1(url);
    FileName = name;
    http.Text1->setText(Link);
    http.Text2->setText(name);
    http.Uebertragung();
    form.CommandSkip->setEnabled(false);
}

// The work-list record of a fetched URL.
inline QByteArray Record(const QByteArray& url, const QByteArray& name)
{
    return "http://" + url + "\r\n" + name + "\r\n";
}

inline QByteArray Log()
{
    return ReadFile(QStringLiteral("KELPA.LOG"));
}

inline QByteArray Saved(const QString& name)
{
    return ReadFile(QStringLiteral("site/") + name);
}

// The part files left below folder, hidden as they are, relative to it.
inline QStringList PartFilesIn(const QString& folder)
{
    QStringList parts;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().startsWith(QLatin1String(".kelpa-part")))
            parts.append(QDir(folder).relativeFilePath(it.filePath()));
    }
    return parts;
}

} // namespace testsupport
