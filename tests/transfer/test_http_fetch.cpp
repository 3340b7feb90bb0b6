// Single transfers from the loopback server: the saved bytes and the work
// lists, in every socket mode and with answers cut, split or held open.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpFixture.h"

#include <QDirIterator>
#include <QElapsedTimer>

using namespace testsupport;
using namespace KELPA;

namespace {

QByteArray Bytes(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 37 + i / 251) & 0xFF);
    return bytes;
}

} // namespace

class TestHttpFetch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartForTransfers(); }
    void init() { PrepareTransfer(); }

    void fetch_data();
    void fetch();
    void answers_data();
    void answers();
    void refusedServer_data();
    void refusedServer();
    void silentServer();
    void keptAlive();
    void resetConnection();
    void rateLineNamesTheSavedFile();
    void foldersOfAFetch_data();
    void foldersOfAFetch();
};

void TestHttpFetch::fetch_data()
{
    QTest::addColumn<int>("blocking");
    QTest::addColumn<int>("buffer");
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("byName");
    QTest::newRow("blocking 512 page") << 1 << 512 << false << false;
    QTest::newRow("blocking 1024 image") << 1 << 1024 << true << false;
    QTest::newRow("blocking 2048 page") << 1 << 2048 << false << false;
    QTest::newRow("blocking 8192 image") << 1 << 8192 << true << false;
    QTest::newRow("async 512 image") << 0 << 512 << true << false;
    QTest::newRow("async 1024 page") << 0 << 1024 << false << false;
    QTest::newRow("async 2048 image") << 0 << 2048 << true << false;
    QTest::newRow("async 8192 page") << 0 << 8192 << false << false;
    QTest::newRow("blocking host name") << 1 << 1024 << false << true;
    QTest::newRow("async host name") << 0 << 1024 << true << true;
}

void TestHttpFetch::fetch()
{
    QFETCH(int, blocking);
    QFETCH(int, buffer);
    QFETCH(bool, image);
    QFETCH(bool, byName);
    using namespace KELPA;
    ConnectBlocking = SendBlocking = RecvBlocking = GetHostByNameBlocking = int16_t(blocking);
    RecvBuffer = int16_t(buffer);
    HttpTestServer server;
    const QByteArray body = image ? Bytes(70000) : QByteArray("<html><body>hello</body></html>");
    const QByteArray path = image ? "/pics/a.gif" : "/index.html";
    server.setAnswer(path, HttpAnswer::page(body, image ? "image/gif" : "text/html"));
    QByteArray url = server.url(path);
    if (byName)
        url.replace("127.0.0.1", "localhost");
    const QString name = image ? QStringLiteral("a.gif") : QStringLiteral("index.html");

    Fetch(url, name);

    QCOMPARE(Saved(name), body);
    QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), Record(url, name.toLatin1()));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
    QCOMPARE(BytesReceived, int64_t(body.size()));
    QCOMPARE(FilesLoaded, 1);
    QCOMPARE(Socket, winsock::INVALID_SOCKET);
    QCOMPARE(server.requests().size(), 1);
    QCOMPARE(server.requests().first().requestLine, "GET " + path + " HTTP/1.0");
}

void TestHttpFetch::answers_data()
{
    QTest::addColumn<HttpAnswer>("answer");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<bool>("loaded");
    const QByteArray body = Bytes(5000);

    HttpAnswer noLength = HttpAnswer::page(body, "application/octet-stream");
    noLength.contentLength = HttpAnswer::NoLength;
    QTest::newRow("no length") << noLength << body << true;

    HttpAnswer shortBody = HttpAnswer::page(body, "application/octet-stream");
    shortBody.contentLength = 9000;
    QTest::newRow("closed before the length") << shortBody << QByteArray() << false;

    HttpAnswer split = HttpAnswer::page(body, "application/octet-stream");
    split.writes = {3, 5, 7, 11, 20, 2};
    split.pauseMs = 30;
    QTest::newRow("head split over blocks") << split << body << true;

    HttpAnswer bigHead = HttpAnswer::page(body, "application/octet-stream");
    for (int i = 0; i < 400; ++i)
        bigHead.headers.append("X-Filler-" + QByteArray::number(i) + ": " + QByteArray(100, 'x'));
    QTest::newRow("head of 40 KiB") << bigHead << body << true;

    HttpAnswer hugeHead = HttpAnswer::page(body, "application/octet-stream");
    for (int i = 0; i < 800; ++i)
        hugeHead.headers.append("X-Filler-" + QByteArray::number(i) + ": " + QByteArray(100, 'x'));
    QTest::newRow("head over 64 KiB") << hugeHead << QByteArray() << false;

    HttpAnswer bare;
    bare.raw = "no status line, just bytes";
    QTest::newRow("answer without head") << bare << bare.raw << true;

    HttpAnswer empty = HttpAnswer::page(QByteArray(), "text/plain");
    QTest::newRow("length 0") << empty << QByteArray() << true;

    HttpAnswer longer = HttpAnswer::page(body + "trailing", "application/octet-stream");
    longer.contentLength = body.size();
    QTest::newRow("bytes past the length") << longer << body << true;
}

void TestHttpFetch::answers()
{
    QFETCH(HttpAnswer, answer);
    QFETCH(QByteArray, saved);
    QFETCH(bool, loaded);
    RecvBuffer = 512;
    ConnectBlocking = SendBlocking = RecvBlocking = 0;
    HttpTestServer server;
    server.setAnswer("/f.bin", answer);
    const QByteArray url = server.url("/f.bin");

    Fetch(url, QStringLiteral("f.bin"));

    QCOMPARE(Saved(QStringLiteral("f.bin")), saved);
    if (loaded) {
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), Record(url, "f.bin"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
    } else {
        QVERIFY(!ReadFile(QStringLiteral("KELPA.GOT")).contains(url));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Record(url, "f.bin"));
        QVERIFY(Log().contains("Transfer incomplete"));
    }
    if (saved.isEmpty())
        QVERIFY(!QFile::exists(QStringLiteral("site/f.bin")));
}

void TestHttpFetch::refusedServer_data()
{
    QTest::addColumn<int>("blocking");
    QTest::newRow("blocking") << 1;
    QTest::newRow("async") << 0;
}

void TestHttpFetch::refusedServer()
{
    QFETCH(int, blocking);
    KELPA::ConnectBlocking = KELPA::SendBlocking = KELPA::RecvBlocking = int16_t(blocking);
    QByteArray url;
    {
        HttpTestServer gone;
        url = gone.url("/x.html");
    }
    QElapsedTimer clock;
    clock.start();
    Fetch(url, QStringLiteral("x.html"));
    QVERIFY2(clock.elapsed() < 5000, "a refused connection ends at once");
    QVERIFY(Log().contains("Server-connection-error or no network connection! (Error 10061)"));
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Record(url, "x.html"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
    QVERIFY(!QFile::exists(QStringLiteral("site/x.html")));
    QCOMPARE(KELPA::Socket, winsock::INVALID_SOCKET);
}

void TestHttpFetch::silentServer()
{
    KELPA::Timeout = 1;
    KELPA::RecvBlocking = 0;
    HttpTestServer server;
    HttpAnswer silent;
    silent.silent = true;
    server.setAnswer("/s.html", silent);
    const QByteArray url = server.url("/s.html");
    QElapsedTimer clock;
    clock.start();
    Fetch(url, QStringLiteral("s.html"));
    QVERIFY(clock.elapsed() < 8000);
    QVERIFY(Log().contains("Connection: Timed out"));
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Record(url, "s.html"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
}

// The request asks for Keep-Alive: a server that holds the connection open
// after the body does not hold the transfer.
void TestHttpFetch::keptAlive()
{
    HttpTestServer server;
    const QByteArray body = Bytes(3000);
    HttpAnswer held = HttpAnswer::page(body, "application/octet-stream");
    held.raw = held.bytes();
    held.writes = {int(held.raw.size())};
    held.raw += "HTTP/1.0 200 OK\r\n\r\nnext answer";
    held.pauseMs = 4000;
    server.setAnswer("/k.bin", held);
    const QByteArray url = server.url("/k.bin");
    for (const int16_t blocking : {int16_t(0), int16_t(1)}) {
        KELPA::RecvBlocking = KELPA::SendBlocking = blocking;
        QElapsedTimer clock;
        clock.start();
        Fetch(url, QStringLiteral("k.bin"));
        QVERIFY2(clock.elapsed() < 3000, "the transfer ends with the body");
        QCOMPARE(Saved(QStringLiteral("k.bin")), body);
        QVERIFY(ReadFile(QStringLiteral("KELPA.GOT")).endsWith(Record(url, "k.bin")));
        QFile::remove(QStringLiteral("site/k.bin"));
    }
}

void TestHttpFetch::resetConnection()
{
    KELPA::Timeout = 0; // a hard error must end the wait by itself
    KELPA::RecvBlocking = 0;
    HttpTestServer server;
    HttpAnswer reset;
    reset.reset = true;
    reset.delayMs = 100;
    server.setAnswer("/r.html", reset);
    const QByteArray url = server.url("/r.html");
    QElapsedTimer clock;
    clock.start();
    Fetch(url, QStringLiteral("r.html"));
    QVERIFY(clock.elapsed() < 5000);
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Record(url, "r.html"));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
}

// The log's byte line names the page's own file, not the directory of the
// last link that the search named.
void TestHttpFetch::rateLineNamesTheSavedFile()
{
    HttpTestServer server;
    server.setAnswer("/top/page.html",
                     HttpAnswer::page("<html><a href=\"/deep/dir/x.html\">x</a></html>"));
    SubDirectories = 1;
    CollectLinks = 1;
    NextListFile = QStringLiteral("LINKS0.INP");
    StartDepth = LevelsLeft = 2;

    Fetch(server.url("/top/page.html"), QStringLiteral("page.html"));

    const QByteArray log = Log();
    QVERIFY2(log.contains("top\\page.html"), log.constData());
    QVERIFY(!log.contains("dir\\page.html"));
}

void TestHttpFetch::foldersOfAFetch_data()
{
    // The answer to /d/e/x.bin ("refused", "not found" or "saved"), a folder
    // below "site" made before the fetch ("-": no "site" at all), and the
    // folders below "site" after it; "@" stands for the host's folder.
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QStringList>("folders");
    const QStringList all{"@", "@/d", "@/d/e"};
    QTest::newRow("refused") << "refused" << QString() << QStringList();
    QTest::newRow("not found, pages not kept") << "not found" << QString() << QStringList();
    QTest::newRow("saved") << "saved" << QString() << all;
    QTest::newRow("refused, its folder made before") << "refused"
                                                     << "@/d/e" << all;
    QTest::newRow("refused, the host's folder before") << "refused"
                                                       << "@" << QStringList{"@"};
    QTest::newRow("refused, no download directory yet") << "refused"
                                                        << "-" << QStringList();
}

// The folders made for a URL that brought no file go again; a folder that
// holds the file, or that was there before, stays, and so does the download
// directory.
void TestHttpFetch::foldersOfAFetch()
{
    QFETCH(QString, answer);
    QFETCH(QString, before);
    QFETCH(QStringList, folders);
    SubDirectories = 1;
    CollectLinks = 1;
    SaveHTML = 0;
    auto server = std::make_unique<HttpTestServer>();
    server->setAnswer("/d/e/x.bin", HttpAnswer::page("bytes", "application/octet-stream"));
    const QByteArray url = server->url("/d/e/x.bin");
    const QString host = QStringLiteral("127.0.0.1_%1").arg(server->port());
    if (answer == QLatin1String("refused"))
        server.reset();
    else if (answer == QLatin1String("not found"))
        server->setAnswer("/d/e/x.bin", HttpAnswer::notFound());
    if (before == QLatin1String("-"))
        QDir(QStringLiteral("site")).removeRecursively();
    else if (!before.isEmpty())
        QDir(QStringLiteral("site")).mkpath(QString(before).replace(QLatin1Char('@'), host));

    Fetch(url, QStringLiteral("x.bin"));

    QStringList found;
    QDirIterator it(QStringLiteral("site"), QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next().mid(5).replace(host, QStringLiteral("@")));
    found.sort();
    QVERIFY(QDir(QStringLiteral("site")).exists());
    QCOMPARE(found, folders);
    QCOMPARE(QFile::exists(QStringLiteral("site/%1/d/e/x.bin").arg(host)), answer == "saved");
}

KELPA_TEST_MAIN(TestHttpFetch)
#include "test_http_fetch.moc"
