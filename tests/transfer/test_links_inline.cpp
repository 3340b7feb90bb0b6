// One link of a page: made absolute, filtered, listed once for the next level
// and rewritten to the local copy.

#include "main/Kelpa.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/LinksFixture.h"

#include <QLineEdit>
#include <QTest>

using namespace KELPA;
using namespace testsupport;

class TestLinksInline : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void init() { PreparePage(); }

    void link_data()
    {
        QTest::addColumn<int>("subDirectories");
        QTest::addColumn<QByteArray>("tag");
        QTest::addColumn<QByteArray>("rewritten");
        QTest::addColumn<QByteArray>("listed"); // NextListFile afterwards

        QTest::newRow("relative") << 0 << QByteArray("<a href=\"x.html\">")
                                  << QByteArray("<a href=\"x.html\">")
                                  << QByteArray("http://h:8080/d/x.html\r\nx.html\r\n");
        QTest::newRow("root keeps the port")
            << 0 << QByteArray("<a href=\"/top/t.html\" class=x>")
            << QByteArray("<a href=\"t.html\" class=x>")
            << QByteArray("http://h:8080/top/t.html\r\nt.html\r\n");
        QTest::newRow("one level up")
            << 0 << QByteArray("<a href=\"../up.html\">") << QByteArray("<a href=\"up.html\">")
            << QByteArray("http://h:8080/up.html\r\nup.html\r\n");
        QTest::newRow("above the host falls back")
            << 0 << QByteArray("<a href=\"../../../x.html\">") << QByteArray("<a href=\"x.html\">")
            << QByteArray("http://h:8080/d/x.html\r\nx.html\r\n");
        QTest::newRow("absolute with fragment")
            << 0 << QByteArray("<A HREF='http://other/p/q.htm#s' TARGET='_top'>")
            << QByteArray("<A HREF='q.htm#s' TARGET='_top'>")
            << QByteArray("http://other/p/q.htm\r\nq.htm\r\n");
        QTest::newRow("double slash in the path")
            << 0 << QByteArray("<a href=\"a//b.html\">") << QByteArray("<a href=\"b.html\">")
            << QByteArray("http://h:8080/d/a//b.html\r\nb.html\r\n");
        QTest::newRow("root link with a URL in the query")
            << 0 << QByteArray("<a href=\"/go?to=http://e/x\">")
            << QByteArray("<a href=\"x.html\">")
            << QByteArray("http://h:8080/go?to=http://e/x\r\nx.html\r\n");
        QTest::newRow("query cut without subdirectories")
            << 0 << QByteArray("<a href=\"cgi?p=1\">") << QByteArray("<a href=\"cgi.html\">")
            << QByteArray("http://h:8080/d/cgi?p=1\r\ncgi.html\r\n");
        QTest::newRow("image") << 0 << QByteArray("<img src=pics/a.gif width=2>")
                               << QByteArray("<img src=a.gif width=2>")
                               << QByteArray("http://h:8080/d/pics/a.gif\r\na.gif\r\n");
        QTest::newRow("ftp ignored") << 0 << QByteArray("<a href=\"ftp://f/x.zip\">")
                                     << QByteArray("<a href=\"ftp://f/x.zip\">") << QByteArray();
        QTest::newRow("news ignored") << 0 << QByteArray("<a href=\"news:comp.x\">")
                                      << QByteArray("<a href=\"news:comp.x\">") << QByteArray();
        QTest::newRow("script link left")
            << 0 << QByteArray("<a href=\"javascript:void(0)\">")
            << QByteArray("<a href=\"javascript:void(0)\">") << QByteArray();
        QTest::newRow("telephone link left")
            << 1 << QByteArray("<a href=\"tel:+49-1\">") << QByteArray("<a href=\"tel:+49-1\">")
            << QByteArray();
        QTest::newRow("user part never listed")
            << 0 << QByteArray("<a href=\"http://u:pw@other/x.html\">")
            << QByteArray("<a href=\"x.html\">") << QByteArray("http://other/x.html\r\nx.html\r\n");
        QTest::newRow("fragment only") << 0 << QByteArray("<a href=\"#top\">")
                                       << QByteArray("<a href=\"#top\">") << QByteArray();

        QTest::newRow("subdirs: plain relative stays")
            << 1 << QByteArray("<img src=\"pics/a.gif\">") << QByteArray("<img src=\"pics/a.gif\">")
            << QByteArray("http://h:8080/d/pics/a.gif\r\na.gif\r\n");
        QTest::newRow("subdirs: double slash in a folder")
            << 1 << QByteArray("<img src=\"images//x.png\">")
            << QByteArray("<img src=\"..\\..\\h_8080\\d\\images\\x.png\">")
            << QByteArray("http://h:8080/d/images//x.png\r\nx.png\r\n");
        QTest::newRow("subdirs: URL in the query")
            << 1 << QByteArray("<a href=\"go.html?to=http://e/\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\go.html_to=http___e_\">")
            << QByteArray("http://h:8080/d/go.html?to=http://e/\r\ngo.html_to=http___e_\r\n");
        QTest::newRow("subdirs: root link")
            << 1 << QByteArray("<img src=\"/pics/a.gif\">")
            << QByteArray("<img src=\"..\\..\\h_8080\\pics\\a.gif\">")
            << QByteArray("http://h:8080/pics/a.gif\r\na.gif\r\n");
        QTest::newRow("subdirs: absolute with fragment")
            << 1 << QByteArray("<a href=\"HTTP://h:8080/d/x.html#s\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\x.html#s\">")
            << QByteArray("HTTP://h:8080/d/x.html\r\nx.html\r\n");
        QTest::newRow("subdirs: query with an entity decodes to the name")
            << 1 << QByteArray("<a href=\"q.html?x=1&amp;y=2\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\q.html_x=1&amp;y=2\">")
            << QByteArray("http://h:8080/d/q.html?x=1&y=2\r\nq.html_x=1&y=2\r\n");
        QTest::newRow("subdirs: decimal reference")
            << 1 << QByteArray("<a href=\"leaf&#45;dup.html#s\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\leaf-dup.html#s\">")
            << QByteArray("http://h:8080/d/leaf-dup.html\r\nleaf-dup.html\r\n");
        QTest::newRow("subdirs: directory link names its index")
            << 1 << QByteArray("<a href=\"sub/\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\sub\\index.html\">")
            << QByteArray("http://h:8080/d/sub/\r\nindex.html\r\n");
        QTest::newRow("subdirs: percent-encoded name stays")
            << 1 << QByteArray("<a href=\"umlaut-%C3%A4.html\">")
            << QByteArray("<a href=\"umlaut-%C3%A4.html\">")
            << QByteArray("http://h:8080/d/umlaut-%C3%A4.html\r\numlaut-\xC3\xA4.html\r\n");
        QTest::newRow("subdirs: undecodable escape")
            << 1 << QByteArray("<a href=\"a%zz.html\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\a_zz.html\">")
            << QByteArray("http://h:8080/d/a%zz.html\r\na_zz.html\r\n");
        QTest::newRow("subdirs: entity in a plain name")
            << 1 << QByteArray("<a href=\"a&amp;b.html\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\a&amp;b.html\">")
            << QByteArray("http://h:8080/d/a&b.html\r\na&b.html\r\n");
        QTest::newRow("subdirs: query")
            << 1 << QByteArray("<a href=\"cgi?p=1\">")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\cgi_p=1.html\">")
            << QByteArray("http://h:8080/d/cgi?p=1\r\ncgi_p=1.html\r\n");
    }

    void link()
    {
        QFETCH(int, subDirectories);
        QFETCH(QByteArray, tag);
        QFETCH(QByteArray, rewritten);
        QFETCH(QByteArray, listed);
        SubDirectories = int16_t(subDirectories);
        QCOMPARE(HandleTag(tag), rewritten);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), listed);
        QCOMPARE(InlineCount, listed.isEmpty() ? 0 : 1);
    }

    void newLinksAreCounted()
    {
        HandleTag("<a href=\"a.html\">");
        HandleTag("<a href=\"b.html\">");
        QCOMPARE(InlineCount, 2);
        QCOMPARE(LinkBoxText(), QStringLiteral("b.html ( 2)"));
        QCOMPARE(
            ReadFile(QStringLiteral("LINKS1.INP")),
            QByteArray("http://h:8080/d/a.html\r\na.html\r\nhttp://h:8080/d/b.html\r\nb.html\r\n"));
    }

    // A link listed or loaded already is rewritten to its recorded name and
    // not listed again; the level's own list counts from the second level on.
    void knownLink_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("levelsLeft");
        QTest::addColumn<bool>("known");
        QTest::newRow("next level's list") << "LINKS1.INP" << 3 << true;
        QTest::newRow("loaded") << "KELPA.GOT" << 3 << true;
        QTest::newRow("completion list") << "COMPLETE.ENP" << 3 << true;
        QTest::newRow("level's list, second level") << "LINKS0.INP" << 2 << true;
        QTest::newRow("level's list, first level") << "LINKS0.INP" << 3 << false;
    }

    void knownLink()
    {
        QFETCH(QString, list);
        QFETCH(int, levelsLeft);
        QFETCH(bool, known);
        LevelsLeft = int16_t(levelsLeft);
        const QByteArray record = "HTTP://H:8080/d/x.html\r\nstored.html\r\n";
        WriteFile(list, record);
        const QByteArray tag = HandleTag("<a href=\"x.html#s\">");
        if (known) {
            QCOMPARE(tag, QByteArray("<a href=\"stored.html#s\">"));
            QCOMPARE(InlineCount, 0);
            QCOMPARE(LinkBoxText(), QStringLiteral("stored.html Link already exists!"));
        } else {
            QCOMPARE(tag, QByteArray("<a href=\"x.html#s\">"));
            QCOMPARE(InlineCount, 1);
        }
        if (list != QLatin1String("LINKS1.INP"))
            QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")).isEmpty(), known);
        else
            QCOMPARE(ReadFile(list), record);
    }

    // With subdirectories a link written relative to the page names the file
    // saved for it, whatever base it was resolved against and whatever name
    // that file got.
    void subdirectoryLink_data()
    {
        QTest::addColumn<QString>("base");     // UrlPath while the page is searched
        QTest::addColumn<QByteArray>("known"); // LINKS1.INP before
        QTest::addColumn<QByteArray>("rewritten");
        QTest::newRow("same folder")
            << "http://h:8080/d" << QByteArray() << QByteArray("<a href=\"x.html\">");
        QTest::newRow("base tag elsewhere")
            << "http://h:8080/other" << QByteArray()
            << QByteArray("<a href=\"..\\..\\h_8080\\other\\x.html\">");
        QTest::newRow("base tag on another host")
            << "http://cdn/d" << QByteArray() << QByteArray("<a href=\"..\\..\\cdn\\d\\x.html\">");
        QTest::newRow("known under a numbered name")
            << "http://h:8080/d" << QByteArray("http://h:8080/d/x.html\r\nx(1).html\r\n")
            << QByteArray("<a href=\"..\\..\\h_8080\\d\\x(1).html\">");
    }

    void subdirectoryLink()
    {
        QFETCH(QString, base);
        QFETCH(QByteArray, known);
        QFETCH(QByteArray, rewritten);
        SubDirectories = 1;
        UrlPath = base;
        WriteFile(QStringLiteral("LINKS1.INP"), known);
        QCOMPARE(HandleTag("<a href=\"x.html\">"), rewritten);
    }

    // A link beginning with "/" in a local page goes to the root of the
    // page's drive, never to the server of an earlier transfer.
    void localPage_data()
    {
        QTest::addColumn<QString>("base"); // UrlPath of the page
        QTest::addColumn<QByteArray>("tag");
        QTest::addColumn<QByteArray>("listed");
        QTest::newRow("root, slashes") << "/Z|/w/d" << QByteArray("<a href=\"/abs.html\">")
                                       << QByteArray("file://Z|/abs.html\r\n");
        QTest::newRow("root, backslashes") << "Z:\\w\\d" << QByteArray("<a href=\"/abs.html\">")
                                           << QByteArray("file://Z:/abs.html\r\n");
    }

    void localPage()
    {
        QFETCH(QString, base);
        QFETCH(QByteArray, tag);
        QFETCH(QByteArray, listed);
        Protocol = QStringLiteral("file://");
        UrlPath = base;
        HandleTag(tag);
        QVERIFY2(ReadFile(QStringLiteral("LINKS1.INP")).startsWith(listed),
                 ReadFile(QStringLiteral("LINKS1.INP")).constData());
    }

    void sameLinkTwiceIsListedOnce()
    {
        HandleTag("<a href=\"x.html\">");
        QCOMPARE(HandleTag("<a href=\"./x.html#b\">"), QByteArray("<a href=\"x.html#b\">"));
        QCOMPARE(InlineCount, 1);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")),
                 QByteArray("http://h:8080/d/x.html\r\nx.html\r\n"));
    }

    // Local browsing without subdirectories: a name taken by another URL of
    // the lists, or by a file on disk, is numbered.
    void takenNamesAreNumbered()
    {
        HandleTag("<a href=\"x.html\">");
        QCOMPARE(HandleTag("<a href=\"http://other/x.html\">"),
                 QByteArray("<a href=\"x(1).html\">"));
        WriteFile(QStringLiteral("y.html"), "old");
        QCOMPARE(HandleTag("<a href=\"y.html\">"), QByteArray("<a href=\"y(1).html\">"));
        QCOMPARE(
            ReadFile(QStringLiteral("LINKS1.INP")),
            QByteArray("http://h:8080/d/x.html\r\nx.html\r\nhttp://other/x.html\r\nx(1).html\r\n"
                       "http://h:8080/d/y.html\r\ny(1).html\r\n"));
    }

    void mailto_data()
    {
        QTest::addColumn<int>("collect");
        QTest::newRow("collected") << 1;
        QTest::newRow("not collected") << 0;
    }

    void mailto()
    {
        QFETCH(int, collect);
        eMailAddresses = int16_t(collect);
        const QByteArray tag = "<a href=\"mailto:me@x.org?subject=hi\">";
        QCOMPARE(HandleTag(tag), tag);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), QByteArray());
        QCOMPARE(ReadFile(QStringLiteral("MailTo.txt")),
                 collect == 1 ? QByteArray("me@x.org\r\n") : QByteArray());
    }

    void excludedLinkUntouched()
    {
        Exclude = QStringLiteral("gif");
        const QByteArray tag = "<img src=\"/a.gif\">";
        QCOMPARE(HandleTag(tag), tag);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), QByteArray());
        QCOMPARE(LinkBoxText(), QStringLiteral("http://h:8080/a.gif Exclusion!"));
    }

    // A refresh to another host on a restricted run takes that host into the
    // run's site list, so that the target is fetched.
    void metaRefreshOpensItsHost()
    {
        RestHome = 1;
        OnlySiteRun = QStringLiteral("h:8080/d ");
        HandleTag("<meta http-equiv=\"refresh\" content=\"0; URL=http://new.host/x.html\">");
        QVERIFY(OnlySiteRun.contains(QLatin1String("new.host")));
        QVERIFY(HomePrefix.contains(QLatin1String("new.host")));
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")),
                 QByteArray("http://new.host/x.html\r\nx.html\r\n"));
    }

    // A data URI is no address the program fetches: however long, the tag
    // stays whole and nothing is listed.
    void longDataUri()
    {
        const QByteArray data = "data:image/png;base64," + QByteArray(100000, 'A');
        const QByteArray tag = "<img src=\"" + data + "\" alt=x>";
        QCOMPARE(HandleTag(tag), tag);
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), QByteArray());
    }
};

KELPA_TEST_MAIN(TestLinksInline)
#include "test_links_inline.moc"
