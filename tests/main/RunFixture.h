#pragma once
// Helpers for tests that drive whole runs over the transfer double: a small
// site, the settings of a plain run, and the work-list records they produce.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "tests/main/StartupFixture.h"
#include "tests/main/TransferDouble.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <initializer_list>

namespace testsupport {

inline QString Url(const QString& page)
{
    return QStringLiteral("http://site/") + page;
}

// index -> a, b; a -> index, c; b -> a, d; c -> e. Pages named in missing
// are left out, so that fetching them fails.
inline Site LevelSite(const QStringList& missing = {})
{
    const auto page = [](const char* name, QStringList links) {
        for (QString& link : links)
            link = Url(link);
        return SitePage{QByteArray("<html>") + name + "</html>", links};
    };
    Site site{{Url(QStringLiteral("index.html")), page("index", {"a.html", "b.html"})},
              {Url(QStringLiteral("a.html")), page("a", {"index.html", "c.html"})},
              {Url(QStringLiteral("b.html")), page("b", {"a.html", "d.html"})},
              {Url(QStringLiteral("c.html")), page("c", {"e.html"})},
              {Url(QStringLiteral("d.html")), page("d", {})},
              {Url(QStringLiteral("e.html")), page("e", {})}};
    for (const QString& name : missing)
        site.remove(Url(name));
    return site;
}

// Work-list records "http://site/<page>", "<page>" of the pages, in order.
inline QByteArray Records(std::initializer_list<const char*> pages)
{
    QByteArray bytes;
    for (const char* page : pages)
        bytes += QByteArray("http://site/") + page + "\r\n" + page + "\r\n";
    return bytes;
}

// The URLs of the pages, in order.
inline QStringList Urls(std::initializer_list<const char*> pages)
{
    QStringList urls;
    for (const char* page : pages)
        urls.append(Url(QLatin1String(page)));
    return urls;
}

// A fresh folder per test and row, the run's start defaults, and the
// settings and controls of a plain new search from startUrl into "site",
// pages kept, nothing asked.
inline void PrepareRun(const QString& startUrl, int16_t depth)
{
    using namespace KELPA;
    EnterTestFolder();
    FormKelpa& form = FormKelpa::Instance();
    FormHTTP& http = FormHTTP::Instance();
    ResetRunDefaults();
    Depth = depth;
    Directory = QStringLiteral("site");
    StandardDirectory.clear();
    SubDirectories = 0;
    LongFilenames = 1;
    LocalBrowsing = 0;
    eMailAddresses = 0;
    RefreshHTML = 0;
    SaveHTML = 1;
    SaveSettingsAutomatically = 0;
    UseRecycleBin = 0;
    Images = 1;
    LogAllMessages = 0;
    AnalyseOnStop = 0;
    InputFile = QStringLiteral("KELPA.INP");
    ListFile.clear();
    NextListFile.clear();
    LinkListFile.clear();
    AbortTransfer = 0;
    ContinueSearch = CompleteAsked = CompleteRequested = CompletingNotLoaded = 0;
    RepeatPending = RepeatLeft = 0;
    CancelAnswer = CancelConfirmAnswer = MsgAnswer = 0;
    TransferMessage.clear();
    form.CheckRepeat->setChecked(false);
    form.CheckDauer->setChecked(false);
    form.CheckStart->setChecked(false);
    form.CheckListe->setChecked(false);
    form.Repeat->setText(QStringLiteral("20 min"));
    form.OptionNew->setChecked(true);
    form.TimerRepeat.setEnabled(false);
    form.TimerDauer.setEnabled(false);
    http.Text1->setText(startUrl);
    http.Text2->clear();
}

// Runs the start command; true when it ended the program.
inline bool StartRun()
{
    platform::clearProgramEnded();
    try {
        FormKelpa::Instance().CommandStart_Click();
    } catch (const platform::ProgramEnded&) {
        return true;
    }
    return false;
}

inline QByteArray Log()
{
    return ReadFile(QStringLiteral("KELPA.LOG"));
}

} // namespace testsupport
