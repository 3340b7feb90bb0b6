// A whole run over a small site on the loopback server: the saved tree by
// depth, and every rewritten link naming a file that exists; names that
// differ only in letter case; one file for every URL, run after run.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

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
    void namesDifferingInCase_data();
    void namesDifferingInCase();
    void oneFilePerUrl_data();
    void oneFilePerUrl();
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

// Two URLs whose local names differ only in letter case are one file to the
// file layer: the second gets a numbered name, and every rewritten link
// names its file as it is spelled on the case-sensitive disk. "@" stands for
// the host's folder. A run starts at "/index.html", or from an input list.
void TestHttpSite::namesDifferingInCase_data()
{
    QTest::addColumn<int>("subDirectories");
    QTest::addColumn<SitePages>("pages");
    QTest::addColumn<QStringList>("saved"); // path=word it holds
    QTest::addColumn<QStringList>("got");   // local names, sorted
    QTest::addColumn<int>("rewritten");
    QTest::addColumn<QByteArray>("inputList"); // "@1" is the server
    const auto index = [](const QByteArrayList& links) {
        QByteArray page = "<html>";
        for (const QByteArray& link : links)
            page += "<a href=\"" + link + "\">l</a>";
        return std::pair<QByteArray, QByteArray>{"/index.html", page + "</html>"};
    };
    QTest::newRow("same folder") << 0
                                 << SitePages{index({"/a/Page.html", "/b/page.HTML"}),
                                              {"/a/Page.html", "FIRST"},
                                              {"/b/page.HTML", "SECOND"}}
                                 << QStringList{"Page.html=FIRST",
                                                "index.html=", "page(1).HTML=SECOND"}
                                 << QStringList{"Page.html", "index.html", "page(1).HTML"} << 2
                                 << QByteArray();
    QTest::newRow("the e-mail list's name")
        << 0
        << SitePages{index({"/mailto.txt", "/s/mailto.TXT"}),
                     {"/mailto.txt", "FIRST"},
                     {"/s/mailto.TXT", "SECOND"}}
        << QStringList{"index.html=", "mailto(1).txt=FIRST", "mailto(2).TXT=SECOND"}
        << QStringList{"index.html", "mailto(1).txt", "mailto(2).TXT"} << 2 << QByteArray();
    QTest::newRow("URL of a saved file")
        << 1
        << SitePages{index({"/dir/X.html", "/p.html"}),
                     {"/dir/X.html", "FIRST"},
                     {"/p.html", "<html><a href=\"/DIR/x.html\">x</a></html>"}}
        << QStringList{"@/dir/X.html=FIRST", "@/index.html=", "@/p.html="}
        << QStringList{"X.html", "index.html", "p.html"} << 3 << QByteArray();
    QTest::newRow("URL of a listed file")
        << 1 << SitePages{index({"/dir/X.html", "/DIR/x.html"}), {"/dir/X.html", "FIRST"}}
        << QStringList{"@/dir/X.html=FIRST", "@/index.html="} << QStringList{"X.html", "index.html"}
        << 2 << QByteArray();
    QTest::newRow("folder of a listed file")
        << 1
        << SitePages{index({"/dir/X.html", "/DIR/y.html"}),
                     {"/dir/X.html", "FIRST"},
                     {"/DIR/y.html", "SECOND"}}
        << QStringList{"@/dir/X.html=FIRST", "@/dir/y.html=SECOND", "@/index.html="}
        << QStringList{"X.html", "index.html", "y.html"} << 2 << QByteArray();
    QTest::newRow("folder listed a level before")
        << 1
        << SitePages{index({"/p.html", "/DIR/a.html"}),
                     {"/p.html", "<html><a href=\"/dir/b.html\">b</a></html>"},
                     {"/DIR/a.html", "FIRST"},
                     {"/dir/b.html", "SECOND"}}
        << QStringList{"@/DIR/a.html=FIRST", "@/DIR/b.html=SECOND", "@/index.html=", "@/p.html="}
        << QStringList{"a.html", "b.html", "index.html", "p.html"} << 3 << QByteArray();
    QTest::newRow("folder named first by a later list record")
        << 1
        << SitePages{{"/p.html", "<html><a href=\"/dir/b.html\">b</a></html>"},
                     {"/DIR/a.html", "FIRST"},
                     {"/dir/b.html", "SECOND"}}
        << QStringList{"@/dir/a.html=FIRST", "@/dir/b.html=SECOND", "@/p.html="}
        << QStringList{"a.html", "b.html", "p.html"} << 1
        << QByteArray("@1/p.html\r\np.html\r\n@1/DIR/a.html\r\na.html\r\n");
}

void TestHttpSite::namesDifferingInCase()
{
    QFETCH(int, subDirectories);
    QFETCH(SitePages, pages);
    QFETCH(QStringList, saved);
    QFETCH(QStringList, got);
    QFETCH(int, rewritten);
    QFETCH(QByteArray, inputList);
    HttpTestServer server;
    ServeSite(server, pages);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 0);
    SubDirectories = int16_t(subDirectories);
    LocalBrowsing = 1;
    Timeout = 10;
    if (!inputList.isEmpty()) {
        WriteFile(QStringLiteral("KELPA.INP"), OnBothHosts(server, inputList));
        FormKelpa::Instance().CheckListe->setChecked(true);
    }
    QVERIFY(!StartRun());

    // The word a file holds: its text before the first tag, after the head
    // line of a saved page.
    const QByteArray headLine = HeadLine.toUtf8() + "\r\n";
    QStringList tree;
    for (const QString& path : SavedTree()) {
        QByteArray bytes = ReadFile(QStringLiteral("site/") + path);
        if (bytes.startsWith(headLine))
            bytes.remove(0, headLine.size());
        const QString word = QString::fromLatin1(bytes).section(QLatin1Char('<'), 0, 0);
        tree.append(path.section(QLatin1Char('/'), subDirectories, -1)
                        .prepend(subDirectories == 1 ? QStringLiteral("@/") : QString()) +
                    QLatin1Char('=') + word);
    }
    QCOMPARE(tree, saved);
    QStringList names;
    const QStringList lines =
        QString::fromLatin1(ReadFile(QStringLiteral("KELPA.GOT"))).split(QStringLiteral("\r\n"));
    for (qsizetype i = 1; i < lines.size(); i += 2)
        names.append(lines.at(i));
    names.sort();
    QCOMPARE(names, got);
    int count = 0;
    const QStringList broken = BrokenLinks(count);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    QCOMPARE(count, rewritten);
}

// Two URLs never share a local name, also where the naming rules would give
// them one: an ending added, a folder's index page, a decoded "/", a path
// below a file's name or a file where a path's folder is, replaced
// characters. A run repeated into the same directory replaces each URL's file
// instead of numbering a copy beside it. The index page links to each URL in
// turn, the n-th serving "Wn"; "@" stands for the host's folder.
void TestHttpSite::oneFilePerUrl_data()
{
    QTest::addColumn<int>("subDirectories");
    QTest::addColumn<QByteArrayList>("links");
    QTest::addColumn<QStringList>("saved"); // path=word, after every run
    QTest::newRow("an ending added")
        << 1 << QByteArrayList{"about", "about.html"}
        << QStringList{"@/about(1).html=W2", "@/about.html=W1", "@/index.html="};
    QTest::newRow("a folder's index page")
        << 1 << QByteArrayList{"d/", "d/index.html"}
        << QStringList{"@/d/index(1).html=W2", "@/d/index.html=W1", "@/index.html="};
    QTest::newRow("a decoded slash")
        << 1 << QByteArrayList{"a%2Fb.html", "a/b.html"}
        << QStringList{"@/a/b(1).html=W2", "@/a/b.html=W1", "@/index.html="};
    QTest::newRow("a path below a file's name")
        << 1 << QByteArrayList{"index.php", "index.php/about"}
        << QStringList{"@/index.html=", "@/index.php=W1", "@/index.php(1)/about.html=W2"};
    QTest::newRow("a file where a path's folder is")
        << 1 << QByteArrayList{"app.html/more.html", "app.html"}
        << QStringList{"@/app(1).html=W2", "@/app.html/more.html=W1", "@/index.html="};
    QTest::newRow("replaced characters")
        << 1 << QByteArrayList{"page.php?id=1", "a:b.html"}
        << QStringList{"@/a_b.html=W2", "@/index.html=", "@/page.php_id=1=W1"};
    QTest::newRow("without subdirectories")
        << 0 << QByteArrayList{"about", "about.html", "q.php?id=1"}
        << QStringList{"about(1).html=W2", "about.html=W1", "index.html=", "q.php=W3"};
}

void TestHttpSite::oneFilePerUrl()
{
    QFETCH(int, subDirectories);
    QFETCH(QByteArrayList, links);
    QFETCH(QStringList, saved);
    HttpTestServer server;
    QByteArray index = "<html>";
    QStringList words;
    for (const QByteArray& link : links) {
        words.append(QStringLiteral("W%1").arg(words.size() + 1));
        index += "<a href=\"" + link + "\">l</a>";
        server.setAnswer("/" + link, HttpAnswer::page(words.last().toLatin1(), "text/plain"));
    }
    server.setAnswer("/index.html", HttpAnswer::page(index + "</html>"));
    const QString start = QString::fromLatin1("http://" + server.url("/index.html"));
    PrepareRun(start, 0);
    SubDirectories = int16_t(subDirectories);
    LocalBrowsing = 1;
    Timeout = 10;
    const QString host =
        subDirectories == 1 ? QStringLiteral("127.0.0.1_%1/").arg(server.port()) : QString();
    static const QRegularExpression word(QStringLiteral("W\\d+"));
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    for (int run = 1; run <= 3; ++run) {
        FormHTTP::Instance().Text1->setText(start);
        FormHTTP::Instance().Text2->clear();
        QVERIFY(!StartRun());
        QStringList tree;
        for (const QString& path : SavedTree()) {
            const QString text = QString::fromLatin1(ReadFile(QStringLiteral("site/") + path));
            tree.append(path.mid(host.size()).prepend(host.isEmpty() ? QString() : "@/") + '=' +
                        word.match(text).captured());
        }
        QCOMPARE(tree, saved);
        // Each link of the index page opens its own URL's file.
        const QDir folder(QStringLiteral("site/") + host);
        QStringList linked;
        for (const auto& match : href.globalMatch(
                 QString::fromLatin1(ReadFile(folder.filePath(QStringLiteral("index.html")))))) {
            const QString target = match.captured(1).replace(QLatin1Char('\\'), QLatin1Char('/'));
            linked.append(
                word.match(QString::fromLatin1(ReadFile(folder.filePath(target)))).captured());
        }
        QCOMPARE(linked, words);
    }
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), QByteArray());
}

KELPA_TEST_MAIN(TestHttpSite)
#include "test_http_site.moc"
