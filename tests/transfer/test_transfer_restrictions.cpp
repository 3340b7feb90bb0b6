// The site, word and file-type limits of a URL.

#include "main/Kelpa.h"
#include "tests/support/TestMain.h"
#include "transfer/Restrictions.h"

using namespace transfer;

class TestTransferRestrictions : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void einschraenkung_data();
    void einschraenkung();
    void unrestrictedOnce();
    void addHomeHost();
};

void TestTransferRestrictions::init()
{
    using namespace KELPA;
    Unrestricted = 0;
    NoSite.clear();
    OnlySiteRun.clear();
    Images = 0;
    MaskedImages.clear();
    NoExternalBanners = 0;
    Exclude.clear();
    HomePrefix.clear();
}

void TestTransferRestrictions::einschraenkung_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("noSite");
    QTest::addColumn<QString>("onlySite");
    QTest::addColumn<int>("images");
    QTest::addColumn<QString>("masked");
    QTest::addColumn<int>("noBanners");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<int>("excluded");

    const QString out = "http://other.example/p/";
    QTest::newRow("nothing set") << "http://a.example/x.zip"
                                 << "x.zip"
                                 << ""
                                 << "" << 0 << "" << 0 << "" << 0;
    QTest::newRow("excluded type, any case") << "http://a.example/x.ZiP"
                                             << "x.ZiP"
                                             << ""
                                             << "" << 0 << "" << 0 << "exe zip" << 1;
    QTest::newRow("type only after the last dot") << "http://a.example/zip.txt"
                                                  << "x.zip.txt"
                                                  << ""
                                                  << "" << 0 << "" << 0 << "zip" << 0;
    QTest::newRow("type word, not part of a word") << "http://a.example/x.zi"
                                                   << "x.zi"
                                                   << ""
                                                   << "" << 0 << "" << 0 << "zip" << 0;
    QTest::newRow("no dot") << "http://a.example/zip"
                            << "zip"
                            << ""
                            << "" << 0 << "" << 0 << "zip" << 0;
    QTest::newRow("forbidden word in host") << "http://www.EVIL.example/"
                                            << "index.htm"
                                            << "  evil  "
                                            << "" << 0 << "" << 0 << "" << 1;
    QTest::newRow("forbidden word in path") << "http://a.example/CGI-bin/q"
                                            << "q.htm"
                                            << "ads cgi-bin"
                                            << "" << 0 << "" << 0 << "" << 1;
    QTest::newRow("blanks only restrict nothing") << "http://a.example/"
                                                  << "index.htm"
                                                  << "   "
                                                  << "  " << 0 << "" << 0 << "" << 0;
    QTest::newRow("inside the site") << "http://www.A.example/x.html"
                                     << "x.html"
                                     << ""
                                     << "b.example a.example" << 0 << "" << 0 << "" << 0;
    QTest::newRow("outside, no images") << out + "i.jpg"
                                        << "i.jpg"
                                        << ""
                                        << "a.example" << 0 << "" << 0 << "" << 1;
    QTest::newRow("outside image") << out + "i.JPEG"
                                   << "i.JPEG"
                                   << ""
                                   << "a.example" << 1 << "" << 0 << "" << 0;
    QTest::newRow("outside RealMedia") << out + "s.rm"
                                       << "s.rm"
                                       << ""
                                       << "a.example" << 1 << "" << 0 << "" << 0;
    QTest::newRow("outside QuickTime") << out + "m.qt"
                                       << "m.qt"
                                       << ""
                                       << "a.example" << 1 << "" << 0 << "" << 0;
    QTest::newRow("outside page") << out + "p.html"
                                  << "p.html"
                                  << ""
                                  << "a.example" << 1 << "" << 0 << "" << 1;
    QTest::newRow("outside without type") << out + "p"
                                          << "p"
                                          << ""
                                          << "a.example" << 1 << "" << 0 << "" << 1;
    QTest::newRow("outside image of excluded type") << out + "i.gif"
                                                    << "i.gif"
                                                    << ""
                                                    << "a.example" << 1 << "" << 0 << "GIF" << 1;
    QTest::newRow("no banners") << out + "i.gif"
                                << "i.gif"
                                << ""
                                << "a.example" << 1 << "" << 1 << "" << 1;
    QTest::newRow("no banners, masked") << "http://cdn.example/i.gif"
                                        << "i.gif"
                                        << ""
                                        << "a.example" << 1 << "CDN" << 1 << "" << 0;
    QTest::newRow("masked page") << "http://cdn.example/p.html"
                                 << "p.html"
                                 << ""
                                 << "a.example" << 1 << "cdn" << 0 << "" << 0;
}

void TestTransferRestrictions::einschraenkung()
{
    using namespace KELPA;
    QFETCH(QString, link);
    QFETCH(QString, fileName);
    QFETCH(QString, noSite);
    QFETCH(QString, onlySite);
    QFETCH(int, images);
    QFETCH(QString, masked);
    QFETCH(int, noBanners);
    QFETCH(QString, exclude);
    Link = link;
    FileName = fileName;
    NoSite = noSite;
    OnlySiteRun = onlySite;
    Images = int16_t(images);
    MaskedImages = masked;
    NoExternalBanners = int16_t(noBanners);
    Exclude = exclude;
    Einschraenkung();
    QTEST(int(LinkExcluded), "excluded");
}

void TestTransferRestrictions::unrestrictedOnce()
{
    using namespace KELPA;
    Link = "http://evil.example/";
    FileName = "index.htm";
    NoSite = "evil";
    Unrestricted = 1;
    Einschraenkung();
    QCOMPARE(LinkExcluded, 0);
    QCOMPARE(Unrestricted, 0);
    Einschraenkung();
    QCOMPARE(LinkExcluded, 1);
}

void TestTransferRestrictions::addHomeHost()
{
    using namespace KELPA;
    OnlySiteRun = "www.a.example.org";
    HomePrefix = "www.a.example.org";
    QVERIFY(AddHomeHost("a.example"));
    QCOMPARE(OnlySiteRun, "www.a.example.org a.example");
    QCOMPARE(HomePrefix, "www.a.example.org a.example");
    QVERIFY(!AddHomeHost("A.Example"));
    QCOMPARE(OnlySiteRun, "www.a.example.org a.example");
    QVERIFY(!AddHomeHost(""));
}

KELPA_TEST_MAIN(TestTransferRestrictions)
#include "test_transfer_restrictions.moc"
