// The options window beside a run on 127.0.0.1: the run-bound controls, the
// home hosts it shows, and edits made while the run goes on.

#include "main/FormKelpa.h"
#include "platform/convert/Convert.h"
#include "settings/FormOptions.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QTimer>

#include <functional>

using namespace testsupport;
using namespace KELPA;

namespace {

// index links a page, a page on the same server spelled "localhost" and an
// archive; the start page's last bytes come after a pause, in which the
// test acts.
const SitePages Pages{
    {"/index.html", "<html><a href=\"/a.html\">a</a> <a href=\"@2/b.html\">b</a>"
                    "<a href=\"/doc.zip\">zip</a></html>"},
    {"/a.html", "<html>a</html>"},
    {"/b.html", "<html>b</html>"},
    {"/doc.zip", "PK"},
};

FormOptions& Options()
{
    return FormOptions::Instance();
}

bool AllEnabled(bool enabled)
{
    for (const QWidget* control : Options().RunBoundControls()) {
        if (control->isEnabled() != enabled)
            return false;
    }
    return true;
}

// Runs the site from a fresh folder with the options window open; during
// runs while the start page is being received.
bool RunWithWindow(HttpTestServer& server, const std::function<void()>& during)
{
    ServeSite(server, Pages);
    HttpAnswer first = HttpAnswer::page(OnBothHosts(server, Pages.front().second));
    first.writes = {int(first.bytes().size()) - 20};
    first.pauseMs = 400;
    server.setAnswer("/index.html", first);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    Timeout = 10;
    OnlySite.clear();
    NoSite.clear();
    Exclude.clear();
    RestHome = 1;
    NoExternalBanners = 1;
    HomePrefix.clear();
    MaskedImages.clear();
    Options().OptionsFirstShown = 1;
    Options().Unload();
    Options().Show();
    QTimer::singleShot(150, [&] { during(); });
    const bool ended = StartRun();
    RestHome = NoExternalBanners = 0;
    return !ended;
}

} // namespace

class TestOptionsRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup() { Options().Unload(); }

    void runBoundControlsAndHomeHosts()
    {
        HttpTestServer server;
        bool offDuringRun = false;
        QString shownHosts;
        QVERIFY(RunWithWindow(server, [&] {
            offDuringRun = AllEnabled(false);
            shownHosts = Options().TextRestHome->text();
        }));
        QVERIFY(offDuringRun);
        QVERIFY(AllEnabled(true));
        QVERIFY2(shownHosts.contains(QLatin1String("127.0.0.1")), qPrintable(shownHosts));
        QCOMPARE(SavedNames(), (QStringList{"a.html", "doc.zip", "index.html"}));
    }

    // An abort gives the run-bound controls back, whether it ends a run
    // waiting for its delayed start or the transfer under way.
    void controlsBackAfterAnAbort_data()
    {
        QTest::addColumn<bool>("delayedStart");
        QTest::newRow("waiting for the delayed start") << true;
        QTest::newRow("transfer under way") << false;
    }
    void controlsBackAfterAnAbort()
    {
        QFETCH(bool, delayedStart);
        HttpTestServer server;
        FormKelpa& form = FormKelpa::Instance();
        bool offBeforeAbort = false;
        if (delayedStart) {
            ServeSite(server, Pages);
            PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
            Options().OptionsFirstShown = 1;
            Options().Unload();
            Options().Show();
            form.CheckStart->setChecked(true);
            QVERIFY(!StartRun());
            QVERIFY(form.TimerStartIn.Enabled());
            offBeforeAbort = AllEnabled(false);
            form.Abbruch();
            QVERIFY(!form.TimerStartIn.Enabled());
        } else {
            // The aborted start page is left over; its completion waits.
            MsgBoxScript boxes;
            boxes.expect(QStringLiteral("Do you want to Complete/Continue the Kelpa Search?"),
                         platform::vbCancel, MsgBoxScript::Match::Contains);
            QVERIFY(RunWithWindow(server, [&] {
                offBeforeAbort = AllEnabled(false);
                form.Abbruch();
            }));
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        QVERIFY(offBeforeAbort);
        QCOMPARE(Running, int16_t(0));
        QVERIFY(AllEnabled(true));
    }

    // Loading the window mid-run neither empties the run's home hosts nor
    // rewrites the site words it tests: the other host stays out.
    void openingMidRunKeepsTheRunOnItsSite()
    {
        HttpTestServer server;
        QString hostsBefore;
        QString hostsAfter;
        QVERIFY(RunWithWindow(server, [&] {
            hostsBefore = HomePrefix;
            Options().Unload();
            Options().Show();
            hostsAfter = HomePrefix;
            QVERIFY(!Options().CheckRestHome->isEnabled());
        }));
        QVERIFY(!hostsBefore.isEmpty());
        QCOMPARE(hostsAfter, hostsBefore);
        QCOMPARE(SavedNames(), (QStringList{"a.html", "doc.zip", "index.html"}));
    }

    // 8.3 names ticked mid-run apply to later files; the transfer under way
    // keeps its names, so KELPA.GOT names only files on disk.
    void shortNamesMidRun()
    {
        HttpTestServer server;
        QString nameBefore, nameAfter;
        QVERIFY(RunWithWindow(server, [&] {
            nameBefore = FormHTTP::Instance().Text2->text() + LocalFileName;
            Options().CheckLongFileNames->setChecked(true);
            nameAfter = FormHTTP::Instance().Text2->text() + LocalFileName;
        }));
        QCOMPARE(LongFilenames, int16_t(0));
        QCOMPARE(nameAfter, nameBefore);
        const QList<QByteArray> lines = ReadFile(QStringLiteral("KELPA.GOT")).split('\n');
        int names = 0;
        for (int i = 1; i < lines.size(); i += 2) {
            const QString name = QString::fromUtf8(lines.at(i).trimmed());
            QVERIFY2(platform::FileExists(QStringLiteral("site\\") + name), qPrintable(name));
            ++names;
        }
        QCOMPARE(names, 3);
        LongFilenames = 1;
    }

    void exclusionEditedMidRun()
    {
        HttpTestServer server;
        QVERIFY(RunWithWindow(server, [] { Options().CheckZIP->click(); }));
        QCOMPARE(platform::Trim(Exclude), QStringLiteral("RAR ZIP"));
        QCOMPARE(SavedNames(), (QStringList{"a.html", "index.html"}));
        Exclude.clear();
    }
};

KELPA_TEST_MAIN(TestOptionsRun)
#include "test_options_run.moc"
