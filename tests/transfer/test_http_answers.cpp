// Answers that change the transfer: relocations, error and busy pages, size
// limits, and fetches that fail over a copy saved earlier.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpFixture.h"

#include <QProcess>

using namespace testsupport;
using namespace KELPA;

class TestHttpAnswers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartForTransfers(); }
    void init() { PrepareTransfer(); }

    void relocation_data();
    void relocation();
    void relocationLoop();
    void relocationRefused();
    void relocationOffTheWebRefused_data();
    void relocationOffTheWebRefused();
    void pngSubstitute();
    void pngWithoutSubstituteIsKept();
    void errorPages_data();
    void errorPages();
    void sizeLimits_data();
    void sizeLimits();
    void failedRefetchKeepsCopy_data();
    void failedRefetchKeepsCopy();
    void anotherCopyRefetchesIntoTheSameFolder();
    void twoCopiesStartOneNewFile();
    void killedCopyLeavesNoFile();
    void targetNamedAsAPartFile();
};

namespace {

// A second copy of the program in a working folder of its own, "other",
// running a task of the settings given (and Directory's) from startUrl.
struct OtherCopy {
    OtherCopy(const QByteArray& startUrl, const QByteArray& settings)
    {
        QDir().mkdir(QStringLiteral("other"));
        WriteFile(QStringLiteral("other/KELPA.INI"), "Language=english\r\n");
        WriteFile(QStringLiteral("other/t.tsk"), "TaskURL=http://" + startUrl +
                                                     "\r\nTime=60 min\r\n" + settings +
                                                     "Directory=" + Directory.toUtf8() + "\r\n");
        process.setWorkingDirectory(QStringLiteral("other"));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(environment);
    }
    bool Start()
    {
        process.start(QStringLiteral(KELPA_PROGRAM), {QStringLiteral("t.tsk")});
        return process.waitForStarted();
    }
    // It ended, or ends within the time its task may take here.
    bool Finished()
    {
        return process.state() == QProcess::NotRunning || process.waitForFinished(30000);
    }
    QProcess process;
};

} // namespace

void TestHttpAnswers::relocation_data()
{
    QTest::addColumn<bool>("absolute");
    QTest::addColumn<int>("blocking");
    QTest::addColumn<bool>("userPart");
    QTest::newRow("absolute, blocking") << true << 1 << false;
    QTest::newRow("relative, blocking") << false << 1 << false;
    QTest::newRow("absolute, async") << true << 0 << false;
    QTest::newRow("relative, async") << false << 0 << false;
    QTest::newRow("absolute with a user part") << true << 0 << true;
}

// A relocation is followed and saved under the first name; a user part of
// its target is never logged.
void TestHttpAnswers::relocation()
{
    QFETCH(bool, absolute);
    QFETCH(int, blocking);
    QFETCH(bool, userPart);
    ConnectBlocking = SendBlocking = RecvBlocking = int16_t(blocking);
    HttpTestServer server;
    const QByteArray target = server.url("/new/b.html");
    const QByteArray user = userPart ? "u:secret@" : "";
    server.setAnswer("/a.html",
                     HttpAnswer::redirect(absolute ? "http://" + user + target : "/new/b.html"));
    server.setAnswer("/new/b.html", HttpAnswer::page("<html>b</html>"));

    Fetch(server.url("/a.html"), QStringLiteral("a.html"));

    QCOMPARE(Saved(QStringLiteral("a.html")), QByteArray("<html>b</html>"));
    QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), Record(target, "a.html"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
    QVERIFY(Log().contains("Location: "));
    QVERIFY(!Log().contains("secret"));
    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(Relocated, int16_t(0));
}

// A page that relocates to itself is followed ten times, then refused.
void TestHttpAnswers::relocationLoop()
{
    HttpTestServer server;
    server.setAnswer("/loop.html", HttpAnswer::redirect("/loop.html"));

    Fetch(server.url("/loop.html"), QStringLiteral("loop.html"));

    QCOMPARE(server.requests().size(), 1 + FormHTTP::MaxRelocations);
    QVERIFY(Log().contains("Relocation refused!"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
    QVERIFY(!QFile::exists(QStringLiteral("site/loop.html")));
    QCOMPARE(Relocated, int16_t(0));
}

void TestHttpAnswers::relocationRefused()
{
    AcceptRelocation = 0;
    HttpTestServer server;
    server.setAnswer("/a.html", HttpAnswer::redirect("/b.html"));
    UrlsLeft = 3;

    Fetch(server.url("/a.html"), QStringLiteral("a.html"));

    QCOMPARE(server.requests().size(), 1);
    QVERIFY(Log().contains("Relocation refused!"));
    QCOMPARE(UrlsLeft, 2);
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
    QVERIFY(!QFile::exists(QStringLiteral("site/a.html")));
}

// A server's answer never leads the program to a local file: such a
// relocation is refused and nothing of the file is copied.
void TestHttpAnswers::relocationOffTheWebRefused_data()
{
    QTest::addColumn<QByteArray>("location");
    const QByteArray secret =
        QDir::current().absoluteFilePath(QStringLiteral("secret.txt")).toUtf8();
    QTest::newRow("file URL, drive with bar") << "file:///Z|" + secret;
    QTest::newRow("file URL, drive with colon") << "file:///Z:" + secret;
    QTest::newRow("file URL, capitals") << "FILE:///Z|" + secret;
    QTest::newRow("file URL without drive") << "file://" + secret;
}

void TestHttpAnswers::relocationOffTheWebRefused()
{
    QFETCH(QByteArray, location);
    WriteFile(QStringLiteral("secret.txt"), "private words");
    HttpTestServer server;
    server.setAnswer("/a.html", HttpAnswer::redirect(location));

    Fetch(server.url("/a.html"), QStringLiteral("a.html"));

    QCOMPARE(server.requests().size(), 1);
    QVERIFY(Log().contains("Relocation refused!"));
    QVERIFY(!QFile::exists(QStringLiteral("site/a.html")));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
}

void TestHttpAnswers::pngSubstitute()
{
    HttpTestServer server;
    server.setAnswer("/p.png", HttpAnswer::page("\x89PNG\r\n\x1a\npicture", "image/png"));
    server.setAnswer("/p.png.gif", HttpAnswer::page("GIF89a", "image/gif"));

    Fetch(server.url("/p.png"), QStringLiteral("p.png"));

    QCOMPARE(server.requests().size(), 2);
    QCOMPARE(server.requests().last().target, QByteArray("/p.png.gif"));
    QCOMPARE(Saved(QStringLiteral("p.png")), QByteArray("GIF89a"));
}

void TestHttpAnswers::pngWithoutSubstituteIsKept()
{
    HttpTestServer server;
    const QByteArray png("\x89PNG\r\n\x1a\npicture");
    server.setAnswer("/p.png", HttpAnswer::page(png, "image/png"));

    Fetch(server.url("/p.png"), QStringLiteral("p.png"));

    QCOMPARE(server.requests().size(), 3); // the PNG, its missing ".gif", the PNG again
    QCOMPARE(server.requests().at(1).target, QByteArray("/p.png.gif"));
    QCOMPARE(Saved(QStringLiteral("p.png")), png);
    QVERIFY(ReadFile(QStringLiteral("KELPA.GOT")).contains("/p.png\r\np.png\r\n"));
}

void TestHttpAnswers::errorPages_data()
{
    QTest::addColumn<HttpAnswer>("answer");
    QTest::addColumn<QByteArray>("logged");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("notLoaded");
    QTest::newRow("not found") << HttpAnswer::notFound() << QByteArray("404 File Not Found!")
                               << false << false;
    HttpAnswer busy = HttpAnswer::page("<html>Too many users, try later</html>");
    busy.statusLine = "HTTP/1.0 503 Service Unavailable";
    QTest::newRow("too many users") << busy << QByteArray("Too Many Users") << false << true;
    HttpAnswer unavailable = HttpAnswer::page("<html>Service Temporarily Unavailable</html>");
    unavailable.statusLine = "HTTP/1.0 503 Service Unavailable";
    QTest::newRow("unavailable") << unavailable << QByteArray("503 Service Temporarily Unavailable")
                                 << false << true;
    HttpAnswer busyPage = HttpAnswer::page("<html>Too many users, try later</html>");
    busyPage.raw = busyPage.body;
    QTest::newRow("busy page without a status line")
        << busyPage << QByteArray("Too Many Users") << false << true;
}

void TestHttpAnswers::errorPages()
{
    QFETCH(HttpAnswer, answer);
    QFETCH(QByteArray, logged);
    QFETCH(bool, loaded);
    QFETCH(bool, notLoaded);
    CollectLinks = 1;
    HttpTestServer server;
    server.setAnswer("/e.html", answer);
    const QByteArray url = server.url("/e.html");

    Fetch(url, QStringLiteral("e.html"));

    QVERIFY(Log().contains(logged));
    QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")).contains(url), loaded);
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")).contains(url), notLoaded);
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")).count(url), notLoaded ? 1 : 0);
}

void TestHttpAnswers::sizeLimits_data()
{
    QTest::addColumn<int>("maxFileSize");
    QTest::addColumn<int>("minFileSize");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<bool>("kept");
    QTest::newRow("exactly the largest size") << 2 << 0 << qint64(HttpAnswer::AutoLength) << true;
    QTest::newRow("over the largest size") << 1 << 0 << qint64(HttpAnswer::AutoLength) << false;
    QTest::newRow("over it, no length") << 1 << 0 << qint64(HttpAnswer::NoLength) << false;
    QTest::newRow("under the smallest size") << 0 << 3 << qint64(HttpAnswer::AutoLength) << false;
    QTest::newRow("at the smallest size") << 0 << 2 << qint64(HttpAnswer::AutoLength) << true;
}

// A file refused for its size is recorded as done and leaves nothing behind.
void TestHttpAnswers::sizeLimits()
{
    QFETCH(int, maxFileSize);
    QFETCH(int, minFileSize);
    QFETCH(qint64, length);
    QFETCH(bool, kept);
    MaxFileSize = int16_t(maxFileSize);
    MinFileSize = int16_t(minFileSize);
    RecvBuffer = 512;
    HttpTestServer server;
    HttpAnswer answer = HttpAnswer::page(QByteArray(2048, 'z'), "application/octet-stream");
    answer.contentLength = length;
    server.setAnswer("/z.bin", answer);
    const QByteArray url = server.url("/z.bin");

    Fetch(url, QStringLiteral("z.bin"));

    QCOMPARE(QFile::exists(QStringLiteral("site/z.bin")), kept);
    if (kept)
        QCOMPARE(Saved(QStringLiteral("z.bin")).size(), 2048);
    QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), Record(url, "z.bin"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
    QCOMPARE(Log().contains("Size of file exceeds MaxFileSize!"), maxFileSize != 0 && !kept);
}

namespace {

// Set by a case: once part of the body has arrived, the transfer is stopped
// as the Stop command stops it.
bool stopWithinBody = false;

bool StopWithinBody()
{
    if (stopWithinBody && BytesReceived > 0) {
        stopWithinBody = false;
        StopRun = UserStopped = AbortTransfer = 1;
    }
    return false;
}

} // namespace

void TestHttpAnswers::failedRefetchKeepsCopy_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("blocking");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<bool>("earlier"); // a copy is there already
    const auto row = [](const char* failure, bool kept, bool recorded) {
        for (const int blocking : {1, 0}) {
            const QByteArray name =
                QByteArray(failure) + (blocking == 1 ? ", blocking" : ", async");
            QTest::newRow(name.constData())
                << QString::fromLatin1(failure) << blocking << kept << recorded << true;
        }
    };
    for (const char* failure : {"refused", "silent", "reset", "relocation refused"})
        row(failure, true, false);
    for (const char* failure : {"cut short", "timed out within the body", "stopped"}) {
        row(failure, true, false);
        // A first fetch leaves nothing under the name.
        QTest::newRow((QByteArray("first fetch ") + failure).constData())
            << QString::fromLatin1(failure) << 0 << true << false << false;
    }
    row("too large", true, true); // a refused file is done with
    row("whole", false, true);
    QTest::newRow("first fetch whole") << QStringLiteral("whole") << 0 << false << true << false;
}

// The same name is fetched again (local browsing keeps names): the new body
// replaces the earlier copy only once it arrived whole. A fetch that fails,
// before or within the body, leaves the copy as it was, no part file, and
// counts no byte saved.
void TestHttpAnswers::failedRefetchKeepsCopy()
{
    QFETCH(QString, failure);
    QFETCH(int, blocking);
    QFETCH(bool, kept);
    QFETCH(bool, recorded);
    QFETCH(bool, earlier);
    static const bool hooked = (platform::AddYieldHook(StopWithinBody), true);
    Q_UNUSED(hooked);
    LocalBrowsing = 1;
    ConnectBlocking = SendBlocking = RecvBlocking = int16_t(blocking);
    Timeout = 1;
    if (earlier)
        WriteFile(QStringLiteral("site/keep.html"), "earlier copy");
    const QByteArray body(4096, 'n');
    QByteArray url;
    auto server = std::make_unique<HttpTestServer>();
    HttpAnswer answer = HttpAnswer::page(body, "application/octet-stream");
    if (failure == QLatin1String("silent")) {
        answer.silent = true;
    } else if (failure == QLatin1String("reset")) {
        answer.reset = true;
    } else if (failure == QLatin1String("relocation refused")) {
        AcceptRelocation = 0;
        answer = HttpAnswer::redirect("/elsewhere.html");
    } else if (failure == QLatin1String("cut short")) {
        answer = answer.cutShort(body.size() / 2);
    } else if (failure == QLatin1String("timed out within the body")) {
        answer = answer.pausedAfterHead(10000, 1000);
    } else if (failure == QLatin1String("stopped")) {
        answer = answer.pausedAfterHead(10000, 1000);
        stopWithinBody = true;
    } else if (failure == QLatin1String("too large")) {
        answer.contentLength = HttpAnswer::NoLength;
        MaxFileSize = 2;
    }
    server->setAnswer("/keep.html", answer);
    url = server->url("/keep.html");
    if (failure == QLatin1String("refused"))
        server.reset();

    Fetch(url, QStringLiteral("keep.html"));
    stopWithinBody = false;

    const QByteArray copy = earlier ? QByteArray("earlier copy") : QByteArray();
    QCOMPARE(Saved(QStringLiteral("keep.html")), kept ? copy : body);
    QCOMPARE(BytesKept, kept ? 0 : int64_t(body.size())); // the totals' bytes saved
    QCOMPARE(QDir(QStringLiteral("site")).entryList(QDir::Files),
             copy.isEmpty() && kept ? QStringList() : QStringList{QStringLiteral("keep.html")});
    QCOMPARE(PartFilesIn(QStringLiteral("site")), QStringList());
    QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")).contains(url), recorded);
}

// A second copy of the program, with a working folder of its own, mirrors a
// page linking to h.bin again into the same download directory, while this
// one fetches g.bin again; both bodies arrive slowly. Each takes its own
// copy's place, and no part file is left; another's is never touched.
void TestHttpAnswers::anotherCopyRefetchesIntoTheSameFolder()
{
    LocalBrowsing = SubDirectories = 1;
    HttpTestServer server;
    const QString folder = QStringLiteral("site/127.0.0.1_%1/").arg(server.port());
    QDir().mkpath(folder);
    WriteFile(folder + QStringLiteral("g.bin"), "earlier g");
    WriteFile(folder + QStringLiteral("h.bin"), "earlier h");
    // A part file of a third transfer under the name this one would take first.
    const QString taken = QStringLiteral(".kelpa-part-%1").arg(QCoreApplication::applicationPid());
    WriteFile(folder + taken, "its part");
    const QByteArray g(4096, 'g');
    const QByteArray h(4096, 'h');
    server.setAnswer("/g.bin",
                     HttpAnswer::page(g, "application/octet-stream").pausedAfterHead(500, 100));
    server.setAnswer("/h.bin",
                     HttpAnswer::page(h, "application/octet-stream").pausedAfterHead(2000, 100));
    server.setAnswer("/hs.html", HttpAnswer::page("<html><a href=\"h.bin\">h</a></html>"));
    OtherCopy other(server.url("/hs.html"), "Depth=2\r\nLocalBrowsing=1\r\nSubDirectories=1\r\n");
    QVERIFY(other.Start());
    QTRY_VERIFY_WITH_TIMEOUT(server.targets().contains("/h.bin"), 10000);
    QTest::qWait(200); // its body has begun

    Fetch(server.url("/g.bin"), QStringLiteral("g.bin"));
    QVERIFY(other.Finished());

    QCOMPARE(ReadFile(folder + QStringLiteral("g.bin")), g);
    QCOMPARE(ReadFile(folder + QStringLiteral("h.bin")), h);
    QCOMPARE(ReadFile(folder + taken), QByteArray("its part"));
    QCOMPARE(QDir(folder).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden),
             QStringList{taken});
}

// Two copies of the program, each with its own working folder, start a new
// file of one name at the same moment (two URLs of one name, saved without
// subdirectories): the file takes the whole of one of the two bodies, never
// bytes of both.
void TestHttpAnswers::twoCopiesStartOneNewFile()
{
    HttpTestServer server;
    const QByteArray mine(200000, 'm');
    const QByteArray theirs(200000, 't');
    // Theirs arrives in parts over a second; mine begins as theirs begins, and
    // arrives whole while theirs is still on its way.
    HttpAnswer slowly = HttpAnswer::page(theirs, "application/octet-stream");
    slowly.writes = {int(slowly.bytes().size() - theirs.size()) + 100};
    for (int part = 0; part < 9; ++part)
        slowly.writes.append(20000);
    slowly.pauseMs = 120;
    server.setAnswer("/t/s.bin", slowly);
    server.setAnswer("/m/s.bin",
                     HttpAnswer::page(mine, "application/octet-stream").pausedAfterHead(600, 100));
    OtherCopy other(server.url("/t/s.bin"), "Depth=1\r\nSubDirectories=0\r\n");
    QVERIFY(other.Start());
    QTRY_VERIFY_WITH_TIMEOUT(server.targets().contains("/t/s.bin"), 10000);

    Fetch(server.url("/m/s.bin"), QStringLiteral("s.bin"));
    QVERIFY(other.Finished());

    const QByteArray saved = Saved(QStringLiteral("s.bin"));
    QVERIFY2(
        saved == mine || saved == theirs,
        qPrintable(
            QStringLiteral("%1 bytes, %2 of them 'm'").arg(saved.size()).arg(saved.count('m'))));
    QCOMPARE(PartFilesIn(QStringLiteral("site")), QStringList());
}

// A copy killed while it receives a new file leaves nothing under the file's
// name; its next start removes what it was receiving, and its run saves the
// file whole.
void TestHttpAnswers::killedCopyLeavesNoFile()
{
    HttpTestServer server;
    const QByteArray body(100000, 'k');
    server.setAnswer(
        "/k.png", HttpAnswer::page(body, "application/octet-stream").pausedAfterHead(10000, 30000));
    OtherCopy other(server.url("/k.png"), "Depth=1\r\nSubDirectories=0\r\n");
    QVERIFY(other.Start());
    QTRY_VERIFY_WITH_TIMEOUT(server.targets().contains("/k.png"), 10000);
    QTest::qWait(300); // its body has begun
    other.process.kill();
    QVERIFY(other.process.waitForFinished(5000));
    QVERIFY(!QFile::exists(QStringLiteral("site/k.png")));

    server.setAnswer("/k.png", HttpAnswer::page(body, "application/octet-stream"));
    QVERIFY(other.Start());
    QVERIFY(other.Finished());
    QCOMPARE(Saved(QStringLiteral("k.png")), body);
    QCOMPARE(PartFilesIn(QStringLiteral("site")), QStringList());
    QCOMPARE(QDir(QStringLiteral("site"))
                 .entryList({QStringLiteral(".kelpa-part*")}, QDir::AllEntries | QDir::Hidden),
             QStringList());
}

// A local name given as a part file's (a work list may hold any) never opens
// the part file of another transfer that has it.
void TestHttpAnswers::targetNamedAsAPartFile()
{
    LocalBrowsing = 1;
    WriteFile(QStringLiteral("site/.kelpa-part-99"), "its part");
    HttpTestServer server;
    server.setAnswer("/p.bin", HttpAnswer::page("new body", "application/octet-stream"));

    Fetch(server.url("/p.bin"), QStringLiteral(".kelpa-part-99"));

    QCOMPARE(Saved(QStringLiteral(".kelpa-part-99")), QByteArray("its part"));
    QVERIFY(Log().contains("Error creating file! (58)"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
}

KELPA_TEST_MAIN(TestHttpAnswers)
#include "test_http_answers.moc"
