// Whole runs over a site three levels deep, by depth and with and without
// subdirectories: the saved files, the KELPA.GOT records and the rewritten
// links, each of which names a saved file.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

using namespace testsupport;
using namespace KELPA;

namespace {

// index -> one/l1a, one/l1b (other spelling of the host), img/i0
// one/l1a -> two/l2a, index, img/i1;  one/l1b -> two/sub/l2b, one/l1a
// two/l2a -> two/sub/l3, img/i2;      two/sub/l2b -> two/sub/l3
// two/sub/l3 -> index, img/i3
const SitePages Levels{
    {"/index.html", "<html><a href=\"/one/l1a.html\">a</a> <a href=\"@1/one/l1b.html\">b</a>"
                    "<img src=\"/img/i0.gif\"></html>"},
    {"/one/l1a.html", "<html><a href=\"/two/l2a.html\">2a</a><a href=\"/index.html\">up</a>"
                      "<img src=\"@1/img/i1.gif\"></html>"},
    {"/one/l1b.html", "<html><a href=\"@1/two/sub/l2b.html\">2b</a>"
                      "<a href=\"/one/l1a.html\">1a</a></html>"},
    {"/two/l2a.html", "<html><a href=\"/two/sub/l3.html\">3</a><img src=\"/img/i2.gif\"></html>"},
    {"/two/sub/l2b.html", "<html><a href=\"/two/sub/l3.html\">3</a></html>"},
    {"/two/sub/l3.html", "<html><img src=\"/img/i3.gif\"><a href=\"/index.html\">up</a></html>"},
    {"/img/i0.gif", "GIF89a0"},
    {"/img/i1.gif", "GIF89a1"},
    {"/img/i2.gif", "GIF89a2"},
    {"/img/i3.gif", "GIF89a3"},
};

} // namespace

class TestHttpRunDepth : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void depth_data();
    void depth();
};

void TestHttpRunDepth::depth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("subDirectories");
    QTest::addColumn<QStringList>("saved");
    // The last level that is searched looks for images only.
    const QStringList one{"i0.gif", "index.html"};
    const QStringList two{"i0.gif", "i1.gif", "index.html", "l1a.html", "l1b.html"};
    const QStringList three{"i0.gif",   "i1.gif",   "i2.gif",   "index.html",
                            "l1a.html", "l1b.html", "l2a.html", "l2b.html"};
    const QStringList all{"i0.gif",   "i1.gif",   "i2.gif",   "i3.gif",   "index.html",
                          "l1a.html", "l1b.html", "l2a.html", "l2b.html", "l3.html"};
    for (const int sub : {0, 1}) {
        const QByteArray tree = sub == 1 ? " in subdirectories" : " flat";
        QTest::newRow(("depth 1" + tree).constData()) << 1 << sub << one;
        QTest::newRow(("depth 2" + tree).constData()) << 2 << sub << two;
        QTest::newRow(("depth 3" + tree).constData()) << 3 << sub << three;
        QTest::newRow(("no limit" + tree).constData()) << 0 << sub << all;
    }
}

void TestHttpRunDepth::depth()
{
    QFETCH(int, depth);
    QFETCH(int, subDirectories);
    QFETCH(QStringList, saved);
    HttpTestServer server;
    ServeSite(server, Levels);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), int16_t(depth));
    SubDirectories = int16_t(subDirectories);
    LocalBrowsing = 1;
    Timeout = 10;

    QVERIFY(!StartRun());

    QCOMPARE(SavedNames().join(QLatin1Char(' ')), saved.join(QLatin1Char(' ')));
    QCOMPARE(GotRecords(), saved.size());
    QCOMPARE(server.requests().size(), saved.size());
    if (subDirectories == 1 && depth == 0)
        QVERIFY2(SavedTree().filter(QStringLiteral("two/sub/l2b.html")).size() == 1,
                 qPrintable(SavedTree().join(QLatin1Char(' '))));
    if (subDirectories == 0)
        QCOMPARE(SavedTree().join(QLatin1Char(' ')), saved.join(QLatin1Char(' ')));
    int rewritten = 0;
    const QStringList broken = BrokenLinks(rewritten);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    // Every file but the start page was reached through a link the run rewrote.
    QVERIFY(rewritten >= saved.size() - 1);
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
}

KELPA_TEST_MAIN(TestHttpRunDepth)
#include "test_http_run_depth.moc"
