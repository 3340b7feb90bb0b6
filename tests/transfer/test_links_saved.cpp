// The search of a saved page: a ".org" copy is read, the page written back
// with its links rewritten, the links listed; map files give their RECT links.

#include "main/Kelpa.h"
#include "platform/pump/Frames.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/LinksFixture.h"

#include <QLineEdit>
#include <QTest>

using namespace KELPA;
using namespace testsupport;

namespace {

const QByteArray SavedPage = "<html><head><base href=\"http://h:8080/b/x.html\"></head>\n"
                             "<body><a href=\"a.html\">A</a> <img src=\"/i.gif\"> caf\xE9 "
                             "<a href='../c.html'>C</a></body></html>";
const QByteArray Rewritten = "<html><head></head>\n"
                             "<body><a href=\"a.html\">A</a> <img src=\"i.gif\"> caf\xE9 "
                             "<a href='c.html'>C</a></body></html>";
const QByteArray Listed = "http://h:8080/b/a.html\r\na.html\r\nhttp://h:8080/i.gif\r\ni.gif\r\n"
                          "http://h:8080/c.html\r\nc.html\r\n";

void PrepareSavedPage(const QString& name, const QByteArray& bytes)
{
    PreparePage();
    FileName = name;
    SavedFileName = name;
    Link = QStringLiteral("http://h:8080/d/") + name;
    SavedLink = Link;
    FormHTTP::Instance().Text1->setText(Link);
    WriteFile(name, bytes);
}

} // namespace

class TestLinksSaved : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void page_data()
    {
        QTest::addColumn<int>("localBrowsing");
        QTest::addColumn<int>("saveHtml");
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<bool>("copyKept");
        QTest::newRow("local browsing")
            << 1 << 1 << QByteArray("<!-- kelpa -->\r\n" + Rewritten) << false;
        QTest::newRow("save HTML, original kept") << 0 << 1 << Rewritten << true;
        QTest::newRow("HTML not saved") << 0 << 0 << QByteArray() << false;
    }

    void page()
    {
        QFETCH(int, localBrowsing);
        QFETCH(int, saveHtml);
        QFETCH(QByteArray, page);
        QFETCH(bool, copyKept);
        PrepareSavedPage(QStringLiteral("page.html"), SavedPage);
        LocalBrowsing = int16_t(localBrowsing);
        SaveHTML = int16_t(saveHtml);
        HeadLine = QStringLiteral("<!-- kelpa -->");
        FileName = QStringLiteral("page.html");
        FormHTTP::Instance().Auswerten();
        QCOMPARE(ReadFile(QStringLiteral("page.html")), page);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), Listed);
        QCOMPARE(InlineCount, 3);
        QCOMPARE(EvaluationComplete, int16_t(1));
        QCOMPARE(FileComplete, int16_t(1));
        QCOMPARE(FileName, QStringLiteral("page.html"));
        QCOMPARE(QFile::exists(QStringLiteral("page.html.org")), copyKept);
        if (copyKept)
            QCOMPARE(ReadFile(QStringLiteral("page.html.org")), SavedPage);
        QCOMPARE(FormHTTP::Instance().Caption(), QStringLiteral("100% checked"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
    }

    // An earlier copy is never overwritten: the new one takes a free name.
    void earlierCopyKept()
    {
        PrepareSavedPage(QStringLiteral("page.html"), SavedPage);
        LocalBrowsing = 0;
        WriteFile(QStringLiteral("page.html.org"), "earlier");
        FormHTTP::Instance().Auswerten();
        QCOMPARE(ReadFile(QStringLiteral("page.html.org")), QByteArray("earlier"));
        QCOMPARE(ReadFile(QStringLiteral("page.html(1).org")), SavedPage);
        QCOMPARE(EvalFile, Directory + QStringLiteral("page.html(1).org"));
    }

    // A tag too long to search is written as it was; the rest is searched.
    void longTagPassedUnsearched()
    {
        const QByteArray longTag = "<a href=\"" + QByteArray(70000, 'x') + "\">";
        const QByteArray bytes = longTag + "<a href=\"b.html\">";
        PrepareSavedPage(QStringLiteral("long.html"), bytes);
        FormHTTP::Instance().Auswerten();
        QCOMPARE(ReadFile(QStringLiteral("long.html")), bytes);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")),
                 QByteArray("http://h:8080/d/b.html\r\nb.html\r\n"));
    }

    // An abort ends the search, but the page keeps every byte; the URL is
    // recorded as not loaded.
    void abortKeepsThePageWhole()
    {
        QByteArray bytes = "<a href=\"/a.html\">";
        while (bytes.size() < 200000)
            bytes += "<p class=\"filler\">text</p>\n";
        bytes += "<a href=\"/z.html\">";
        PrepareSavedPage(QStringLiteral("big.html"), bytes);
        FileComplete = 0;
        // The user's abort arrives while the first link is shown (the link
        // box showed its last text a frame ago).
        QTest::qWait(platform::FrameIntervalMs);
        const QMetaObject::Connection abort = QObject::connect(
            FormHTTP::Instance().TextLinks, &QLineEdit::textChanged, [] { AbortTransfer = 1; });
        FormHTTP::Instance().Auswerten();
        QObject::disconnect(abort);
        QByteArray expected = bytes;
        expected.replace("/a.html", "a.html");
        QCOMPARE(ReadFile(QStringLiteral("big.html")), expected);
        QCOMPARE(FileComplete, int16_t(0));
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")),
                 QByteArray("http://h:8080/a.html\r\na.html\r\n"));
        QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).contains("http://h:8080/d/big.html"));
    }

    void map()
    {
        const QByteArray bytes = "# map\r\nrect http://x/early.html 0,0 1,1\r\n"
                                 "default http://h:8080/m/index.html\r\n"
                                 "rect one.html 0,0 10,10\r\n"
                                 "circle circle.html 5,5 3\r\n"
                                 "RECT http://o/two.html 10,0 20,10\r\n"
                                 "rect /three.html 20,0 30,10\r\n";
        PrepareSavedPage(QStringLiteral("nav.map"), bytes);
        FormHTTP::Instance().Auswerten();
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")),
                 QByteArray("http://h:8080/m/one.html\r\none.html\r\n"
                            "http://o/two.html\r\ntwo.html\r\n"
                            "http://h:8080/three.html\r\nthree.html\r\n"));
        QCOMPARE(ReadFile(QStringLiteral("nav.map")), bytes);
        QCOMPARE(UrlPath, QString());
        QCOMPARE(EvaluationComplete, int16_t(1));
    }

    void mapWithoutDefault()
    {
        PrepareSavedPage(QStringLiteral("nav.map"), "rect one.html 0,0 1,1\r\n");
        FormHTTP::Instance().Auswerten();
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), QByteArray());
    }

    void missingPage()
    {
        PrepareSavedPage(QStringLiteral("gone.html"), {});
        QFile::remove(QStringLiteral("gone.html"));
        FileComplete = 0;
        FormHTTP::Instance().Auswerten();
        QCOMPARE(FileComplete, int16_t(0));
        QVERIFY(
            FormHTTP::Instance().Caption().endsWith(QLatin1String("Error creating file! ( 53)")));
        QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).contains("http://h:8080/d/gone.html"));
    }
};

KELPA_TEST_MAIN(TestLinksSaved)
#include "test_links_saved.moc"
