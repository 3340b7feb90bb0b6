// Runs cut short. Stopped while a file is on its way: nothing of it takes the
// file's name, and nothing reports a write that did not fail. Pages that fail
// are fetched once, and a download directory that stops taking files ends the
// run.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QDirIterator>
#include <QTimer>

#include <utility>

using namespace testsupport;
using namespace KELPA;

namespace {

// Set by a case: once two files were saved and the third is on its way, the
// download directory gives way to a regular file of its name, its disk fills
// up, or the user stops the run.
enum class Spoil { Nothing, Directory, Disk, Stop };
Spoil spoil = Spoil::Nothing;
// Set by a case: once z.html is on its way, a folder takes its name.
bool folderAtZ = false;

// How a page linked from every level fails.
enum class Failure { Unwritable, CutShort, ServerError, NotFound, Forbidden, NotFoundPage };

bool SpoilOnceAFileIsSaved()
{
    if (folderAtZ && SavedLink.endsWith(QLatin1String("z.html"))) {
        folderAtZ = false;
        QDir().mkpath(QStringLiteral("site/z.html/in"));
    }
    if (spoil == Spoil::Nothing || FilesLoaded < 2 || !SavedLink.endsWith(QLatin1String("b.html")))
        return false;
    const Spoil now = std::exchange(spoil, Spoil::Nothing); // the writes below yield
    if (now == Spoil::Directory) {
        QDir().rename(QStringLiteral("site"), QStringLiteral("site.gone"));
        WriteFile(QStringLiteral("site"), "a file");
    } else if (now == Spoil::Disk) {
        platform::FailWritesTo({QStringLiteral(".kelpa-part")});
    } else {
        FormKelpa::Instance().CommandStop_Click();
    }
    return false;
}

} // namespace

class TestHttpRunStoppedPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        StartOnce();
        platform::AddYieldHook(SpoilOnceAFileIsSaved);
    }

    void receivedPartTakesNoName_data()
    {
        QTest::addColumn<int>("sent"); // body bytes sent before the server pauses
        QTest::newRow("a few blocks") << 20000;
        QTest::newRow("past a piece written") << 100000;
    }

    void receivedPartTakesNoName()
    {
        QFETCH(int, sent);
        const QByteArray path = "/big.zip";
        FormKelpa& form = FormKelpa::Instance();
        HttpTestServer server;
        QByteArray body = "PK";
        for (int line = 0; body.size() < 3 * sent; ++line)
            body += "line " + QByteArray::number(line) + " of the body\n";
        server.setAnswer(path,
                         HttpAnswer::page(body, "application/zip").pausedAfterHead(3000, sent));
        PrepareRun(QString::fromLatin1("http://" + server.url(path)), 1);
        Timeout = 10;

        MsgBoxScript boxes;
        boxes.expect(LanguageText[319], platform::vbYes)
            .withStyle(292)
            .withTitle(QStringLiteral("Kelpa"));
        int64_t received = 0;
        QTimer stopper;
        stopper.setInterval(10);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (BytesReceived < sent)
                return;
            stopper.stop();
            received = BytesReceived;
            platform::runGuarded([&] { form.CommandStop_Click(); });
        });
        stopper.start();
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);

        QCOMPARE(received, int64_t(sent));
        QCOMPARE(SavedTree(), QStringList());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")),
                 "http://" + server.url(path) + "\r\nbig.zip\r\n");
        QVERIFY2(!Log().contains(LanguageText[110].toUtf8()), Log().constData());
    }

    void aFailedPageIsFetchedOnce_data()
    {
        QTest::addColumn<int>("failure");
        QTest::addColumn<bool>("notLoaded"); // recorded in KELPA.NOT for a completion
        QTest::newRow("its file cannot be created") << int(Failure::Unwritable) << true;
        QTest::newRow("its body is cut short") << int(Failure::CutShort) << true;
        QTest::newRow("its server fails") << int(Failure::ServerError) << true;
        QTest::newRow("it is not found") << int(Failure::NotFound) << false;
        QTest::newRow("it is forbidden") << int(Failure::Forbidden) << false;
        QTest::newRow("a Not Found page without a status line")
            << int(Failure::NotFoundPage) << false;
    }

    // A page that fails is fetched once, however many later levels link to
    // it: a run over a site whose pages keep failing ends. What a completion
    // can fetch is recorded in KELPA.NOT; an error answer is not.
    void aFailedPageIsFetchedOnce()
    {
        QFETCH(int, failure);
        QFETCH(bool, notLoaded);
        HttpTestServer server;
        ServeSite(server, {{"/index.html", "<a href=\"z.html\">z</a> <a href=\"a.html\">a</a>"},
                           {"/a.html", "<a href=\"z.html\">z</a> <a href=\"b.html\">b</a>"},
                           {"/b.html", "<a href=\"z.html\">z</a>"}});
        const HttpAnswer z = HttpAnswer::page("<a href=\"a.html\">a</a> and more");
        switch (Failure(failure)) {
        case Failure::Unwritable:
            server.setAnswer("/z.html", z);
            break;
        case Failure::CutShort:
            server.setAnswer("/z.html", z.cutShort(20));
            break;
        case Failure::ServerError:
            server.setAnswer("/z.html", HttpAnswer::error("HTTP/1.0 500 Error", "<html>later"));
            break;
        case Failure::NotFound:
            break; // the server's answer to a target it does not have
        case Failure::Forbidden:
            server.setAnswer("/z.html", HttpAnswer::error("HTTP/1.0 403 Forbidden", "<html>no"));
            break;
        case Failure::NotFoundPage: {
            HttpAnswer page;
            page.raw = "<html><body>404 Not Found</body></html>";
            server.setAnswer("/z.html", page);
            break;
        }
        }
        PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 0);
        LocalBrowsing = 1;
        // A folder takes the name the file was given.
        folderAtZ = Failure(failure) == Failure::Unwritable;
        MsgBoxScript boxes;
        if (notLoaded)
            boxes.expect(QStringLiteral("(1 link: http://") + server.url("/z.html") + ')',
                         platform::vbNo, MsgBoxScript::Match::Contains);
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(Targets(server).count("/z.html"), 1);
        QCOMPARE(Targets(server).count("/b.html"), 1);
        QCOMPARE(Log().count(LanguageText[110].toUtf8()),
                 Failure(failure) == Failure::Unwritable ? 1 : 0);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")),
                 notLoaded ? "http://" + server.url("/z.html") + "\r\nz.html\r\n" : QByteArray());
        // Every page's link names the file the page would have had.
        for (const char* page : {"index.html", "a.html", "b.html"})
            QVERIFY2(ReadFile(QStringLiteral("site/") + page).contains("href=\"z.html\""), page);
        if (notLoaded)
            return;
        // The next run asks for it again.
        FormHTTP::Instance().Text1->setText(
            QString::fromLatin1("http://" + server.url("/index.html")));
        QVERIFY(!StartRun());
        QCOMPARE(Targets(server).count("/z.html"), 2);
    }

    void aDirectoryThatStopsTakingFilesEndsTheRun_data()
    {
        QTest::addColumn<int>("end"); // how the run ends: a Spoil
        QTest::addColumn<bool>("fromTask");
        QTest::addColumn<bool>("duration"); // the program ends after the run
        QTest::newRow("a file in the directory's place") << int(Spoil::Directory) << false << false;
        QTest::newRow("a full disk") << int(Spoil::Disk) << false << false;
        QTest::newRow("a stop") << int(Spoil::Stop) << false << false;
        QTest::newRow("a task: a file in the directory's place")
            << int(Spoil::Directory) << true << false;
        QTest::newRow("a task: a full disk") << int(Spoil::Disk) << true << false;
        QTest::newRow("a task: a stop") << int(Spoil::Stop) << true << false;
        QTest::newRow("a task with a duration: a full disk") << int(Spoil::Disk) << true << true;
    }

    // The download directory gives way to a file, the disk is full, or the
    // user stops, during the run: the run ends after that transfer, and
    // KELPA.NOT holds each record still to load once, nothing loaded. A
    // run from the window tells why in a box and offers no completion that
    // would fail at once; a task run tells it in the log only. Either way
    // the next start completes the search.
    void aDirectoryThatStopsTakingFilesEndsTheRun()
    {
        QFETCH(int, end);
        QFETCH(bool, fromTask);
        QFETCH(bool, duration);
        HttpTestServer server;
        ServeSite(server, {{"/index.html", "<a href=\"a.html\">a</a> <a href=\"b.html\">b</a> "
                                           "<a href=\"c.html\">c</a>"},
                           {"/a.html", "<a href=\"d.html\">d</a>"},
                           {"/b.html", "b"},
                           {"/c.html", "c"},
                           {"/d.html", "d"}});
        PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 3);
        FormKelpa::Instance().CheckDauer->setChecked(duration);
        spoil = static_cast<Spoil>(end);
        const QString site = platform::FromLinuxPath(QDir::current().absoluteFilePath("site"));
        const QString fault = spoil == Spoil::Disk ? LanguageText[447] : site + LanguageText[441];
        const QStringList told{LanguageText[440], site + '\\', fault};
        QStringList notices;
        const auto before = platform::SetNoticeHandler(
            [&notices](const QString& prompt, int, const QString&) { notices << prompt; });
        if (fromTask)
            CommandLine = QStringLiteral("night.tsk");
        MsgBoxScript boxes;
        if (spoil == Spoil::Stop)
            boxes.expect(LanguageText[319], platform::vbYes);
        else if (!fromTask)
            boxes.expect(told.join("\r\n") + "\r\n\r\n" + LanguageText[471], platform::vbOK)
                .withStyle(platform::vbCritical)
                .withTitle(QStringLiteral("Kelpa"));
        const bool ended = StartRun();
        platform::FailWritesTo({});
        CommandLine.clear();
        platform::SetNoticeHandler(before);
        spoil = Spoil::Nothing;
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ended, duration);
        QCOMPARE(notices, QStringList());
        // No completion ran: the page that failed was asked for once at most.
        const QByteArrayList targets = Targets(server);
        QVERIFY(targets.count("/b.html") <= 1 && !targets.contains("/c.html"));
        const auto records = [&server](std::initializer_list<const char*> pages) {
            QByteArray bytes;
            for (const char* page : pages)
                bytes += "http://" + server.url(QByteArray("/") + page) + "\r\n" + page + "\r\n";
            return bytes;
        };
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), records({"b.html", "c.html", "d.html"}));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), records({"index.html", "a.html"}));
        QVERIFY(FormKelpa::Instance().OptionContinue->isChecked());
        // Saved counts only what reached the disk.
        if (end == int(Spoil::Disk))
            QCOMPARE(BytesKept, SavedBytes(QStringLiteral("site")));
        if (end == int(Spoil::Stop))
            return;
        QVERIFY(Log().contains(told.join(' ').toUtf8()));
        if (!duration)
            QCOMPARE(FormHTTP::Instance().Caption(), told.join(' '));
    }
};

KELPA_TEST_MAIN(TestHttpRunStoppedPage)
#include "test_http_run_stopped_page.moc"
