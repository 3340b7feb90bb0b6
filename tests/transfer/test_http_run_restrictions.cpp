// Link restrictions over a whole run: a page on 127.0.0.1 links to pages,
// images and an archive on the same host and on the same server spelled
// "localhost"; each setting decides what is requested and saved.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

using namespace testsupport;
using namespace KELPA;

namespace {

const SitePages Mixed{
    {"/index.html", "<html><a href=\"/a.html\">a</a> <a href=\"@2/b.html\">b</a>"
                    "<img src=\"/pic.gif\"><img src=\"@2/ext.gif\">"
                    "<a href=\"@2/ext2.gif\">banner</a><a href=\"/doc.zip\">zip</a>"
                    "<a href=\"/secret.html\">s</a></html>"},
    {"/a.html", "<html>a</html>"},
    {"/b.html", "<html>b</html>"},
    {"/secret.html", "<html>s</html>"},
    {"/pic.gif", "GIF89a"},
    {"/ext.gif", "GIF89a"},
    {"/ext2.gif", "GIF89a"},
    {"/doc.zip", "PK"},
};

struct Restriction {
    QString onlySite = {};
    QString noSite = {};
    QString exclude = {};
    int images = 1;
    int noExternalBanners = 0;
    int restHome = 0;
};

} // namespace

Q_DECLARE_METATYPE(Restriction)

class TestHttpRunRestrictions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void restrictions_data();
    void restrictions();
};

void TestHttpRunRestrictions::restrictions_data()
{
    QTest::addColumn<Restriction>("restriction");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("none") << Restriction{}
                          << QStringList{"a.html",   "b.html",     "doc.zip", "ext.gif",
                                         "ext2.gif", "index.html", "pic.gif", "secret.html"};
    // Media files of the other host still pass.
    QTest::newRow("only site") << Restriction{.onlySite = "127.0.0.1"}
                               << QStringList{"a.html",     "doc.zip", "ext.gif",    "ext2.gif",
                                              "index.html", "pic.gif", "secret.html"};
    QTest::newRow("only site, no external banners")
        << Restriction{.onlySite = "127.0.0.1", .noExternalBanners = 1}
        << QStringList{"a.html", "doc.zip", "index.html", "pic.gif", "secret.html"};
    // Images are not searched for, and the linked one of the other host is refused.
    QTest::newRow("only site, no images")
        << Restriction{.onlySite = "127.0.0.1", .images = 0}
        << QStringList{"a.html", "doc.zip", "index.html", "secret.html"};
    QTest::newRow("home host only")
        << Restriction{.noExternalBanners = 1, .restHome = 1}
        << QStringList{"a.html", "doc.zip", "index.html", "pic.gif", "secret.html"};
    QTest::newRow("no site: the other host")
        << Restriction{.noSite = "localhost"}
        << QStringList{"a.html", "doc.zip", "index.html", "pic.gif", "secret.html"};
    QTest::newRow("no site: a word in any case")
        << Restriction{.noSite = "zzz SECRET"}
        << QStringList{"a.html",   "b.html",     "doc.zip", "ext.gif",
                       "ext2.gif", "index.html", "pic.gif"};
    QTest::newRow("excluded extension")
        << Restriction{.exclude = "exe ZIP"}
        << QStringList{"a.html",     "b.html",  "ext.gif",    "ext2.gif",
                       "index.html", "pic.gif", "secret.html"};
    QTest::newRow("no images") << Restriction{.images = 0}
                               << QStringList{"a.html",   "b.html",     "doc.zip",
                                              "ext2.gif", "index.html", "secret.html"};
}

void TestHttpRunRestrictions::restrictions()
{
    QFETCH(Restriction, restriction);
    QFETCH(QStringList, saved);
    HttpTestServer server;
    ServeSite(server, Mixed);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    LocalBrowsing = 1;
    Timeout = 10;
    OnlySite = restriction.onlySite;
    NoSite = restriction.noSite;
    Exclude = restriction.exclude;
    Images = int16_t(restriction.images);
    NoExternalBanners = int16_t(restriction.noExternalBanners);
    RestHome = int16_t(restriction.restHome);
    HomePrefix.clear();
    MaskedImages.clear();

    const bool ended = StartRun();
    OnlySite.clear();
    NoSite.clear();
    Exclude.clear();
    Images = 1;
    NoExternalBanners = RestHome = 0;
    QVERIFY(!ended);

    QCOMPARE(SavedNames().join(QLatin1Char(' ')), saved.join(QLatin1Char(' ')));
    QCOMPARE(GotRecords(), saved.size());
    QCOMPARE(server.requests().size(), saved.size());
    int rewritten = 0;
    const QStringList broken = BrokenLinks(rewritten);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
}

KELPA_TEST_MAIN(TestHttpRunRestrictions)
#include "test_http_run_restrictions.moc"
