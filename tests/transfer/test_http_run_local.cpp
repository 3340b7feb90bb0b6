// Runs that start from a local page or map file and go on over the loopback
// server: every link of the level is fetched, local files other than pages
// are copied byte for byte, and pages are kept or dropped as the settings say.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

using namespace testsupport;
using namespace KELPA;

namespace {

// The local path of a file in the test's folder, as the program writes it.
QString LocalPath(const QString& name)
{
    return platform::FromLinuxPath(QDir::current().absoluteFilePath(name));
}

void ServeFour(HttpTestServer& server)
{
    for (const char* name : {"/a.html", "/b.html", "/c.html", "/d.html"})
        server.setAnswer(name, HttpAnswer::page(QByteArray("<html>") + name + "</html>"));
}

// Every byte value, and the bytes a page search would take for a tag.
QByteArray BinaryBytes()
{
    QByteArray bytes = QByteArrayLiteral("GIF89a\x01\x00\x01\x00<a href=\"x.html\">\r\n");
    for (int i = 0; i < 256; ++i)
        bytes += char(i);
    return bytes;
}

} // namespace

class TestHttpRunLocal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void everyLinkOfTheLevel_data();
    void everyLinkOfTheLevel();
    void localCopies_data();
    void localCopies();
    void pagesKept_data();
    void pagesKept();
};

void TestHttpRunLocal::everyLinkOfTheLevel_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QByteArray>("text");
    const QByteArray page = "<html><a href=\"@/a.html\">a</a><a href=\"@/b.html\">b</a>"
                            "<a href=\"@/c.html\">c</a><a href=\"@/d.html\">d</a></html>";
    const QByteArray map = "# links\r\nDEFAULT @/index.html\r\nRECT @/a.html 0,0 9,9\r\n"
                           "CIRCLE @/x.html 5,5 2\r\nRECT @/b.html 10,0 19,9\r\n"
                           "RECT @/c.html 20,0 29,9\r\nRECT @/d.html 30,0 39,9\r\n";
    QTest::newRow("page") << "start.html" << page;
    QTest::newRow("map") << "start.map" << map;
}

// The files of the level opened while the start page was searched stay open
// for every transfer of the level: each link is fetched once.
void TestHttpRunLocal::everyLinkOfTheLevel()
{
    QFETCH(QString, start);
    QFETCH(QByteArray, text);
    HttpTestServer server;
    ServeFour(server);
    PrepareRun(QString(), 2);
    text.replace("@", "http://" + server.url(""));
    WriteFile(start, text);
    FormHTTP::Instance().Text1->setText(LocalPath(start));
    LocalBrowsing = 1;
    Timeout = 10;

    QVERIFY(!StartRun());

    QCOMPARE(Targets(server), (QByteArrayList{"/a.html", "/b.html", "/c.html", "/d.html"}));
    QCOMPARE(GotRecords(), 4);
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
}

void TestHttpRunLocal::localCopies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("begins"); // a searched page's start; empty: copied as it is
    QTest::newRow("gif") << "bg.gif" << BinaryBytes() << QByteArray();
    QTest::newRow("sound") << "s.wav" << QByteArray("RIFF\x24\x00\x00\x00WAVEfmt <", 17)
                           << QByteArray();
    QTest::newRow("class") << "A.class" << QByteArrayLiteral("\xca\xfe\xba\xbe\x00\x00<init>")
                           << QByteArray();
    QTest::newRow("svg") << "p.svg"
                         << QByteArray(
                                "<?xml version=\"1.0\"?>\n<svg><a href=\"a.html\">x</a></svg>")
                         << QByteArray();
    QTest::newRow("page") << "p.html" << QByteArray("<html><b>page</b></html>")
                          << QByteArray("<!-- head -->\r\n<html>");
    // The root element lies past the first kilobyte.
    QTest::newRow("xhtml") << "x.html"
                           << "<?xml version=\"1.0\"?><!--" + QByteArray(2000, '-') +
                                  "-->\n<html><b>page</b></html>"
                           << QByteArray("<?xml version=\"1.0\"?><!-- head -->\r\n<!--");
}

// A local file that is not a page is copied as it is; a page is searched and
// gets the head line.
void TestHttpRunLocal::localCopies()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, begins);
    PrepareRun(QString(), 1);
    QDir().mkdir(QStringLiteral("src"));
    WriteFile(QStringLiteral("src/") + name, bytes);
    FormHTTP::Instance().Text1->setText(LocalPath(QStringLiteral("src/") + name));
    LocalBrowsing = 1;
    HeadLine = QStringLiteral("<!-- head -->");

    QVERIFY(!StartRun());

    const QByteArray saved = ReadFile(QStringLiteral("site/") + name);
    if (!begins.isEmpty())
        QVERIFY2(saved.startsWith(begins), saved.constData());
    else
        QCOMPARE(saved, bytes);
    QCOMPARE(ReadFile(QStringLiteral("src/") + name), bytes);
}

void TestHttpRunLocal::pagesKept_data()
{
    QTest::addColumn<int>("localBrowsing");
    QTest::addColumn<int>("saveHtml");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("pages not kept") << 0 << 0 << QStringList{"p.gif"};
    QTest::newRow("pages kept") << 0 << 1 << QStringList{"a.html", "index.html", "p.gif"};
    QTest::newRow("local browsing keeps pages")
        << 1 << 0 << QStringList{"a.html", "index.html", "p.gif"};
}

// Pages are fetched and searched in every case; they stay on disk only when
// the settings keep them, the last page of the run as well.
void TestHttpRunLocal::pagesKept()
{
    QFETCH(int, localBrowsing);
    QFETCH(int, saveHtml);
    QFETCH(QStringList, saved);
    HttpTestServer server;
    server.setAnswer(
        "/index.html",
        HttpAnswer::page("<html><img src=\"/p.gif\"><a href=\"/a.html\">a</a></html>"));
    server.setAnswer("/a.html", HttpAnswer::page("<html>a</html>"));
    server.setAnswer("/p.gif", HttpAnswer::page("GIF89a", "image/gif"));
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    LocalBrowsing = int16_t(localBrowsing);
    SaveHTML = int16_t(saveHtml);
    Timeout = 10;

    QVERIFY(!StartRun());

    QCOMPARE(Targets(server), (QByteArrayList{"/index.html", "/p.gif", "/a.html"}));
    QCOMPARE(SavedNames().join(QLatin1Char(' ')), saved.join(QLatin1Char(' ')));
    QCOMPARE(GotRecords(), 3);
}

KELPA_TEST_MAIN(TestHttpRunLocal)
#include "test_http_run_local.moc"
