// What becomes of an answer's body: XML kept as sent, error answers never
// saved, and the PNG substitute decided on the body whatever its blocks.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpFixture.h"

using namespace testsupport;
using namespace KELPA;

namespace {

const QByteArray Png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);
const QByteArray HeadLineText("<!-- saved copy -->");

} // namespace

class TestHttpBodies : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartForTransfers(); }
    void init() { PrepareTransfer(); }

    void xmlKeptAsSent_data();
    void xmlKeptAsSent();
    void errorAnswers_data();
    void errorAnswers();
    void pngWhateverTheBlocks_data();
    void pngWhateverTheBlocks();
};

void TestHttpBodies::xmlKeptAsSent_data()
{
    QTest::addColumn<HttpAnswer>("answer");
    QTest::addColumn<QByteArray>("saved");
    QTest::addColumn<int>("links");
    const QByteArray head = HeadLineText + "\r\n";
    const QByteArray svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<svg xmlns=\"http://www.w3.org/2000/svg\"><a href=\"x.html\">"
                           "<rect width=\"1\" height=\"1\"/></a></svg>";
    QTest::newRow("svg") << HttpAnswer::page(svg, "image/svg+xml") << svg << 0;
    const QByteArray marked = "\xEF\xBB\xBF<?xml version=\"1.0\"?><svg/>";
    QTest::newRow("svg after a byte order mark")
        << HttpAnswer::page(marked, "image/svg+xml") << marked << 0;
    const QByteArray feed = "\r\n<?xml version='1.0'?><feed><link href=\"a\"/></feed>";
    QTest::newRow("feed") << HttpAnswer::page(feed, "application/atom+xml") << feed << 0;
    const QByteArray page = "<html><body>p</body></html>";
    QTest::newRow("page") << HttpAnswer::page(page) << head + page << 0;
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const QByteArray xhtml = "\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.1//EN\" "
                             "\"http://www.w3.org/TR/xhtml11/DTD/xhtml11.dtd\">\n"
                             "<!-- generated -->\n<html xmlns=\"http://www.w3.org/1999/xhtml\">"
                             "<body><a href=\"a.html\">a</a></body></html>";
    QTest::newRow("xhtml") << HttpAnswer::page(declaration + xhtml, "application/xhtml+xml")
                           << declaration + head + xhtml << 1;
    // The first block ends inside the comment before the root element.
    QTest::newRow("xhtml, root in a later block")
        << HttpAnswer::page(declaration + xhtml).pausedAfterHead(150, declaration.size() + 105)
        << declaration + head + xhtml << 1;
    QTest::newRow("page after a byte order mark")
        << HttpAnswer::page("\xEF\xBB\xBF" + page) << "\xEF\xBB\xBF" + head + page << 0;
}

// The head line goes into pages only, after a byte order mark and an XML
// declaration; any other XML answer is saved as sent.
void TestHttpBodies::xmlKeptAsSent()
{
    QFETCH(HttpAnswer, answer);
    QFETCH(QByteArray, saved);
    QFETCH(int, links);
    CollectLinks = 1;
    LocalBrowsing = 1;
    LevelsLeft = StartDepth = 2;
    NextListFile = QStringLiteral("next.lst");
    HeadLine = QString::fromLatin1(HeadLineText);
    HttpTestServer server;
    server.setAnswer("/f", answer);

    Fetch(server.url("/f"), QStringLiteral("f"));

    QCOMPARE(Saved(QStringLiteral("f")), saved);
    QCOMPARE(InlineCount, links);
    NextListFile.clear();
}

void TestHttpBodies::errorAnswers_data()
{
    QTest::addColumn<HttpAnswer>("answer");
    QTest::addColumn<bool>("earlierCopy");
    QTest::addColumn<int>("collectLinks");
    QTest::addColumn<QByteArray>("logged");
    QTest::addColumn<bool>("notLoaded");
    const QByteArray missing = "<html><h1>Not Found</h1><a href=\"/home.html\">home</a></html>";
    QTest::newRow("404 with a body") << HttpAnswer::error("HTTP/1.0 404 Not Found", missing)
                                     << false << 0 << QByteArray("HTTP/1.0 404 Not Found") << false;
    QTest::newRow("404 over an earlier copy")
        << HttpAnswer::error("HTTP/1.1 404 Not Found", missing) << true << 1
        << QByteArray("HTTP/1.1 404 Not Found") << false;
    QTest::newRow("403 that looks like a page")
        << HttpAnswer::error("HTTP/1.0 403 Forbidden", "<html><a href=\"/x.html\">x</a></html>")
        << false << 1 << QByteArray("HTTP/1.0 403 Forbidden") << false;
    QTest::newRow("410 without a body") << HttpAnswer::error("HTTP/1.0 410 Gone", QByteArray())
                                        << true << 1 << QByteArray("HTTP/1.0 410 Gone") << false;
    QTest::newRow("500 with a body")
        << HttpAnswer::error("HTTP/1.0 500 Internal Server Error", "<p>oops</p>") << true << 0
        << QByteArray("HTTP/1.0 500 Internal Server Error") << true;
    QTest::newRow("503 busy") << HttpAnswer::error("HTTP/1.0 503 Service Unavailable", "busy")
                              << false << 1 << QByteArray("HTTP/1.0 503 Service Unavailable")
                              << true;
}

// An error answer is logged with its status and never saved under the
// target's name; only a server error is left to be fetched again.
void TestHttpBodies::errorAnswers()
{
    QFETCH(HttpAnswer, answer);
    QFETCH(bool, earlierCopy);
    QFETCH(int, collectLinks);
    QFETCH(QByteArray, logged);
    QFETCH(bool, notLoaded);
    CollectLinks = int16_t(collectLinks);
    LocalBrowsing = 1;
    LevelsLeft = StartDepth = 2;
    NextListFile = QStringLiteral("next.lst");
    if (earlierCopy)
        WriteFile(QStringLiteral("site/e.gif"), "GIF89a earlier");
    HttpTestServer server;
    server.setAnswer("/img/e.gif", answer);
    const QByteArray url = server.url("/img/e.gif");
    UrlsLeft = 2;

    Fetch(url, QStringLiteral("e.gif"));

    QCOMPARE(QFile::exists(QStringLiteral("site/e.gif")), earlierCopy);
    if (earlierCopy)
        QCOMPARE(Saved(QStringLiteral("e.gif")), QByteArray("GIF89a earlier"));
    QVERIFY2(Log().contains(logged), Log().constData());
    QVERIFY(!ReadFile(QStringLiteral("KELPA.GOT")).contains(url));
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")),
             notLoaded ? Record(url, "e.gif") : QByteArray());
    QVERIFY(!QFile::exists(QStringLiteral("next.lst")));
    QCOMPARE(UrlsLeft, 1);
    QCOMPARE(FileComplete, int16_t(1));
    NextListFile.clear();
}

void TestHttpBodies::pngWhateverTheBlocks_data()
{
    QTest::addColumn<int>("blocking");
    QTest::addColumn<qint64>("bodyBytes"); // sent with the head; -1: all in one write
    QTest::addColumn<bool>("png");
    for (const int blocking : {1, 0}) {
        const QByteArray mode = blocking == 1 ? ", blocking" : ", async";
        QTest::newRow(("one write" + mode).constData()) << blocking << qint64(-1) << true;
        QTest::newRow(("body after the head" + mode).constData()) << blocking << qint64(0) << true;
        QTest::newRow(("signature cut" + mode).constData()) << blocking << qint64(3) << true;
        QTest::newRow(("gif after the head" + mode).constData()) << blocking << qint64(0) << false;
        QTest::newRow(("gif cut" + mode).constData()) << blocking << qint64(1) << false;
    }
}

// A PNG is always replaced by its ".gif" substitute, however its answer is cut
// into blocks; anything else is kept as it came.
void TestHttpBodies::pngWhateverTheBlocks()
{
    QFETCH(int, blocking);
    QFETCH(qint64, bodyBytes);
    QFETCH(bool, png);
    ConnectBlocking = SendBlocking = RecvBlocking = int16_t(blocking);
    const QByteArray body = png ? Png + QByteArray(3000, 'p') : "GIF89a" + QByteArray(3000, 'g');
    HttpAnswer answer = HttpAnswer::page(body, png ? "image/png" : "image/gif");
    if (bodyBytes >= 0)
        answer = answer.pausedAfterHead(150, bodyBytes);
    HttpTestServer server;
    server.setAnswer("/p.png", answer);
    server.setAnswer("/p.png.gif", HttpAnswer::page("GIF89a substitute", "image/gif"));

    Fetch(server.url("/p.png"), QStringLiteral("p.png"));

    QCOMPARE(server.targets(),
             png ? (QByteArrayList{"/p.png", "/p.png.gif"}) : QByteArrayList{"/p.png"});
    QCOMPARE(Saved(QStringLiteral("p.png")), png ? QByteArray("GIF89a substitute") : body);
}

KELPA_TEST_MAIN(TestHttpBodies)
#include "test_http_bodies.moc"
