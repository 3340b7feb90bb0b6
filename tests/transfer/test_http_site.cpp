// A whole run over a small site on the loopback server: the saved tree by
// depth, and every rewritten link naming a file that exists.

#include "tests/main/RunFixture.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QRegularExpression>

using namespace testsupport;
using namespace KELPA;

class TestHttpSite : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void depth_data();
    void depth();
};

void TestHttpSite::depth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<bool>("whole");
    QTest::newRow("one level") << 1 << QStringList{"index.html"} << false;
    // The last level still collects the images of its pages.
    QTest::newRow("two levels") << 2 << QStringList{"a.html", "b.html", "c.gif", "index.html"}
                                << false;
    QTest::newRow("three levels") << 3
                                  << QStringList{"a.html", "b.html", "c.gif", "c.html",
                                                 "index.html"}
                                  << false;
    QTest::newRow("the whole site")
        << 4 << QStringList{"a.html", "b.html", "c.gif", "c.html", "d.html", "index.html"} << true;
}

void TestHttpSite::depth()
{
    QFETCH(int, depth);
    QFETCH(QStringList, saved);
    QFETCH(bool, whole);
    HttpTestServer server;
    server.setAnswer("/index.html",
                     HttpAnswer::page("<html><a href=\"a.html\">a</a> <a href=\"/b.html\">b</a>"
                                      "</html>"));
    server.setAnswer("/a.html", HttpAnswer::page("<html><a href=\"c.html\">c</a>"
                                                 " <a href=\"index.html\">back</a></html>"));
    server.setAnswer("/b.html", HttpAnswer::page("<html><img src=\"c.gif\"></html>"));
    server.setAnswer("/c.html", HttpAnswer::page("<html><a href=\"d.html\">d</a></html>"));
    server.setAnswer("/c.gif", HttpAnswer::page("GIF89a", "image/gif"));
    server.setAnswer("/d.html", HttpAnswer::page("<html>d</html>"));
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), int16_t(depth));
    LocalBrowsing = 1;
    Timeout = 10;

    QVERIFY(!StartRun());

    QDir site(QStringLiteral("site"));
    QStringList files = site.entryList(QDir::Files, QDir::Name);
    files.removeAll(QStringLiteral("_Index.html"));
    QCOMPARE(files, saved);
    if (whole)
        QVERIFY(ReadFile(QStringLiteral("site/index.html")).contains("href=\"b.html\""));
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"]+)\""));
    for (const QString& name : files) {
        const QString page = QString::fromLatin1(ReadFile(QStringLiteral("site/") + name));
        for (const auto& match : link.globalMatch(page)) {
            const QString target = match.captured(1);
            QVERIFY2(!target.contains(QLatin1String("//")), qPrintable(name + ": " + target));
            if (whole)
                QVERIFY2(site.exists(target), qPrintable(name + ": " + target));
        }
    }
}

KELPA_TEST_MAIN(TestHttpSite)
#include "test_http_site.moc"
