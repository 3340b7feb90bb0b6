// Runs cut short. Stopped while a file is on its way: what arrived of it
// stays in the file, and nothing reports a write that did not fail. Pages
// that fail are fetched once, and a download directory that stops taking
// files ends the run.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QDirIterator>
#include <QTimer>

#include <utility>

using namespace testsupport;
using namespace KELPA;

namespace {

// Set by a case: once a file was saved, the download directory gives way to
// a regular file of its name, or the next file's place leads to a full disk.
enum class Spoil { Nothing, Directory, Disk };
Spoil spoil = Spoil::Nothing;

// How a page linked from every level fails.
enum class Failure { Unwritable, CutShort, ServerError, NotFound, Forbidden, NotFoundPage };

bool SpoilOnceAFileIsSaved()
{
    if (spoil == Spoil::Nothing || FilesLoaded < 1)
        return false;
    const Spoil now = std::exchange(spoil, Spoil::Nothing); // the writes below yield
    if (now == Spoil::Directory) {
        QDir().rename(QStringLiteral("site"), QStringLiteral("site.gone"));
        WriteFile(QStringLiteral("site"), "a file");
    } else {
        QDirIterator saved(QStringLiteral("site"), {QStringLiteral("index.html")}, QDir::Files,
                           QDirIterator::Subdirectories);
        QFile::link(QStringLiteral("/dev/full"),
                    QFileInfo(saved.next()).dir().filePath(QStringLiteral("a.html")));
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

    void receivedPartStaysInTheFile_data()
    {
        QTest::addColumn<int>("sent"); // body bytes sent before the server pauses
        QTest::newRow("a few blocks") << 20000;
        QTest::newRow("past a piece written") << 100000;
    }

    void receivedPartStaysInTheFile()
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
        const QString file = QStringLiteral("site/") + QString::fromLatin1(path.mid(1));
        QCOMPARE(ReadFile(file), body.left(sent));
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
        if (Failure(failure) == Failure::Unwritable)
            QDir().mkpath(QStringLiteral("site/z.html")); // a folder where the file must go
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
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("a file in the directory's place") << false;
        QTest::newRow("a full disk") << true;
    }

    // The download directory gives way to a file, or the disk is full,
    // during the run: the run ends after that transfer with a log line, and
    // leaves the rest of its list for a completion.
    void aDirectoryThatStopsTakingFilesEndsTheRun()
    {
        QFETCH(bool, fullDisk);
        HttpTestServer server;
        ServeSite(server, {{"/index.html", "<a href=\"a.html\">a</a> <a href=\"b.html\">b</a> "
                                           "<a href=\"c.html\">c</a>"},
                           {"/a.html", "a"},
                           {"/b.html", "b"},
                           {"/c.html", "c"}});
        PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
        spoil = fullDisk ? Spoil::Disk : Spoil::Directory;
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("first link: http://") + server.url("/a.html") + ')',
                     platform::vbNo, MsgBoxScript::Match::Contains);
        QVERIFY(!StartRun());
        spoil = Spoil::Nothing;
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(Targets(server), (QByteArrayList{"/index.html", "/a.html"}));
        const QString site = platform::FromLinuxPath(QDir::current().absoluteFilePath("site"));
        QVERIFY(Log().contains((LanguageText[440] + ' ' + site + "\\ " +
                                (fullDisk ? LanguageText[447] : site + LanguageText[441]))
                                   .toUtf8()));
        const QByteArray notLoaded = ReadFile(QStringLiteral("KELPA.NOT"));
        for (const QByteArray page : {"/a.html", "/b.html", "/c.html"})
            QVERIFY2(notLoaded.contains(server.url(page)), page.constData());
    }
};

KELPA_TEST_MAIN(TestHttpRunStoppedPage)
#include "test_http_run_stopped_page.moc"
