// A generated site of a few hundred pages mirrored with subdirectories: the
// same file names in many folders, query links written with "&amp;", a base
// tag, percent-encoded and directory links. Every link of every saved page
// must name a saved file, as a browser resolves it, after one run and after a
// second run into the same folder.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

using namespace testsupport;
using namespace KELPA;

namespace {

constexpr int Sections = 8;
constexpr int PagesPerSection = 30;

QByteArray Num(int n)
{
    return QByteArray::number(n);
}

// The site as request targets and their pages; "@1" is the server itself.
SitePages GeneratedSite()
{
    SitePages site;
    QByteArray index = "<html><body><a href=\"based/page.html\">based</a>";
    for (int k = 0; k < Sections; ++k) {
        const QByteArray s = "/s" + Num(k) + "/";
        const QByteArray next = "/s" + Num((k + 1) % Sections) + "/";
        index += "<a href=\"s" + Num(k) + "/\">section</a>";

        QByteArray section = "<html><body><a href=\"intro.html\">i</a>"
                             "<a href=\"api/exceptions.html\">e</a>"
                             "<a href=\"search.html?q=" +
                             Num(k) +
                             "&amp;page=2\">q</a>"
                             "<a href=\"umlaut-%C3%A4.html\">u</a><a href=\"sub/\">sub</a>"
                             "<img src=\"img/logo.gif\">";
        for (int n = 0; n < PagesPerSection; ++n) {
            section += "<a href=\"p" + Num(n) + ".html\">p</a>";
            site.append(
                {s + "p" + Num(n) + ".html",
                 "<html><body><a name=top></a><a href=\"p" + Num((n + 1) % PagesPerSection) +
                     ".html\">next</a><a href=\"intro.html#top\">i</a>"
                     "<iframe src=\"api/exceptions.html\"></iframe>"
                     "<a href=\"" +
                     next + "p" + Num(n) + ".html\">other</a><a href=\"#top\">t</a></body>"});
        }
        site.append({s, section + "</body></html>"});
        site.append({s + "intro.html", "<html><body background=\"img/logo.gif\">"
                                       "<a href=\"../s" +
                                           Num((k + 1) % Sections) +
                                           "/intro.html\">n</a><a href=\"" + s +
                                           "api/exceptions.html#x\">e</a>"
                                           "<a href=\"javascript:void(0)\">js</a></body></html>"});
        site.append(
            {s + "api/exceptions.html",
             "<html><body><a href=\"../intro.html\">i</a><a href=\"../../index.html\">top</a>"
             "<a href=\"@1" +
                 s + "p3.html\">abs</a><img src=\"../img/logo.gif\"></body></html>"});
        site.append({s + "search.html?q=" + Num(k) + "&page=2",
                     "<html><body><a href=\"intro.html\">i</a></body></html>"});
        site.append(
            {s + "umlaut-%C3%A4.html", "<html><body><a href=\"p1.html\">p</a></body></html>"});
        site.append({s + "sub/", "<html><body><a href=\"../p0.html\">p</a>"
                                 "<img src=\"../img/logo.gif\"></body></html>"});
        site.append({s + "img/logo.gif", "GIF89a" + Num(k)});
    }
    site.append({QByteArray("/index.html"), index + "</body></html>"});
    site.append({QByteArray("/based/page.html"),
                 QByteArray("<html><head><base href=\"@1/s1/\"></head><body>"
                            "<a href=\"intro.html\">i</a>"
                            "<a href=\"api/exceptions.html\">e</a>"
                            "<img src=\"img/logo.gif\"></body></html>")});
    return site;
}

QString Unescaped(QString value)
{
    value.replace(QLatin1String("&quot;"), QLatin1String("\""));
    value.replace(QLatin1String("&lt;"), QLatin1String("<"));
    value.replace(QLatin1String("&gt;"), QLatin1String(">"));
    value.replace(QLatin1String("&#39;"), QLatin1String("'"));
    value.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return value;
}

// Every href, src and background value of the searched tags in every saved
// page, read as a browser reads it, that names no file below "site"; a link
// back to the server counts as broken too. Counts the links checked.
QStringList Unresolved(int& checked)
{
    static const QRegularExpression tag(
        QStringLiteral("<(a|area|img|frame|iframe|embed|body)\\b([^>]*)>"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attribute(
        QStringLiteral("\\b(?:href|src|background)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression scheme(QStringLiteral("^[a-zA-Z][a-zA-Z0-9+.-]*:"));
    const QString root = QDir(QStringLiteral("site")).canonicalPath() + QLatin1Char('/');
    QStringList broken;
    checked = 0;
    for (const QString& page : SavedTree()) {
        if (!page.endsWith(QLatin1String(".html")))
            continue;
        const QString path = QStringLiteral("site/") + page;
        const QString text = QString::fromUtf8(ReadFile(path));
        const QDir pageDir = QFileInfo(path).absoluteDir();
        for (const auto& t : tag.globalMatch(text)) {
            for (const auto& a : attribute.globalMatch(t.captured(2))) {
                const QString written = a.captured(1) + a.captured(2) + a.captured(3);
                QString value = Unescaped(written);
                if (value.isEmpty() || value.startsWith(QLatin1Char('#')))
                    continue;
                if (scheme.match(value).hasMatch()) {
                    if (value.contains(QLatin1String("127.0.0.1")))
                        broken.append(page + QStringLiteral(": ") + written);
                    continue;
                }
                ++checked;
                value = value.section(QLatin1Char('#'), 0, 0).section(QLatin1Char('?'), 0, 0);
                value.replace(QLatin1Char('\\'), QLatin1Char('/'));
                value = QUrl::fromPercentEncoding(value.toUtf8());
                const QFileInfo target(QDir::cleanPath(pageDir.filePath(value)));
                if (!target.isFile() || !target.canonicalFilePath().startsWith(root))
                    broken.append(page + QStringLiteral(": ") + written);
            }
        }
    }
    return broken;
}

} // namespace

class TestHttpMirror : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void mirroredTwice();
    void redirectedLinkResolves_data();
    void redirectedLinkResolves();
    void linkOfAPage_data();
    void linkOfAPage();
    void linksAsWritten_data();
    void linksAsWritten();
};

void TestHttpMirror::mirroredTwice()
{
    const SitePages site = GeneratedSite();
    HttpTestServer server;
    ServeSite(server, site);
    QSet<QByteArray> served;
    for (const auto& page : site)
        served.insert(page.first);
    const QString start = QString::fromLatin1("http://" + server.url("/index.html"));

    QStringList firstTree;
    for (int run = 1; run <= 2; ++run) {
        if (run == 1) {
            PrepareRun(start, 0);
        } else {
            FormHTTP::Instance().Text1->setText(start);
            StopRun = UserStopped = AbortTransfer = 0;
            ListFile.clear();
            NextListFile.clear();
            LinkListFile.clear();
        }
        SubDirectories = 1;
        LocalBrowsing = 1;
        Timeout = 10;
        QVERIFY(!StartRun());

        for (const QByteArray& target : Targets(server))
            QVERIFY2(served.contains(target), target.constData());
        QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
        const QStringList tree = SavedTree();
        // The second run may add numbered names; it takes none away.
        for (const QString& file : firstTree)
            QVERIFY2(tree.contains(file), qPrintable(file));
        int checked = 0;
        const QStringList broken = Unresolved(checked);
        QVERIFY2(broken.isEmpty(), qPrintable(QString::number(broken.size()) + QLatin1Char(' ') +
                                              broken.mid(0, 5).join(QLatin1String(", "))));
        QVERIFY(checked > 1000);
        if (run == 1) {
            QCOMPARE(tree.size(), site.size());
            firstTree = tree;
        }
    }
}

// A link whose target answers with a relocation: the answer is saved where
// the rewritten link points, and the links in it resolve from there.
void TestHttpMirror::redirectedLinkResolves_data()
{
    QTest::addColumn<QByteArray>("location");
    QTest::newRow("same folder") << QByteArray("/d/new.html");
    QTest::newRow("deeper folder") << QByteArray("/d/x/y/new.html");
    QTest::newRow("other branch") << QByteArray("/elsewhere/new.html");
    QTest::newRow("full URL") << QByteArray("@1/elsewhere/deep/new.html");
}

void TestHttpMirror::redirectedLinkResolves()
{
    QFETCH(QByteArray, location);
    HttpTestServer server;
    const QByteArray target = location.startsWith("@") ? location.mid(2) : location;
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    ServeSite(server,
              {{"/index.html", "<html><body><a href=\"d/moved.html\">m</a></body></html>"},
               {target, "<html><body><img src=\"pic.gif\"><a href=\"../sib.html\">s</a>"
                        "</body></html>"},
               {folder + "pic.gif", "GIF89a"},
               {folder.left(folder.lastIndexOf('/', -2) + 1) + "sib.html", "<html></html>"}});
    server.setAnswer("/d/moved.html",
                     HttpAnswer::redirect(OnBothHosts(server, location), "HTTP/1.0 301 Moved"));
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 0);
    SubDirectories = 1;
    LocalBrowsing = 1;
    Timeout = 10;
    QVERIFY(!StartRun());

    QVERIFY(Targets(server).contains(target));
    int checked = 0;
    const QStringList broken = Unresolved(checked);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    QCOMPARE(checked, 3);
}

// A link read as a browser reads it, against the page's base tag and with
// its character references decoded: its target is fetched, and the saved
// page's link names the saved file.
void TestHttpMirror::linkOfAPage_data()
{
    QTest::addColumn<QByteArray>("head");   // in the page /d/page.html
    QTest::addColumn<QByteArray>("link");   // as written
    QTest::addColumn<QByteArray>("target"); // the request it makes
    QTest::newRow("absolute base") << QByteArray("<base href=\"@1/other/\">")
                                   << QByteArray("leaf.html") << QByteArray("/other/leaf.html");
    QTest::newRow("root-relative base")
        << QByteArray("<base href=\"/other/\">") << QByteArray("leaf.html")
        << QByteArray("/other/leaf.html");
    QTest::newRow("relative base") << QByteArray("<base href=\"sub/\">") << QByteArray("leaf.html")
                                   << QByteArray("/d/sub/leaf.html");
    QTest::newRow("climbing base") << QByteArray("<base href=\"../other/x.html\">")
                                   << QByteArray("../up/leaf.html") << QByteArray("/up/leaf.html");
    QTest::newRow("decimal reference")
        << QByteArray() << QByteArray("leaf&#45;dup.html") << QByteArray("/d/leaf-dup.html");
    QTest::newRow("hexadecimal reference, fragment")
        << QByteArray() << QByteArray("leaf&#x2D;dup.html#s") << QByteArray("/d/leaf-dup.html");
    QTest::newRow("line break reference")
        << QByteArray() << QByteArray("leaf&#10;.html") << QByteArray("/d/leaf.html");
    QTest::newRow("query with an entity")
        << QByteArray() << QByteArray("q.html?x=1&amp;y=2") << QByteArray("/d/q.html?x=1&y=2");
}

void TestHttpMirror::linkOfAPage()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, link);
    QFETCH(QByteArray, target);
    HttpTestServer server;
    ServeSite(server, {{"/d/page.html", "<html><head>" + head + "</head><body><a href=\"" + link +
                                            "\">l</a></body></html>"},
                       {target, "<html><body>leaf</body></html>"}});
    PrepareRun(QString::fromLatin1("http://" + server.url("/d/page.html")), 0);
    SubDirectories = 1;
    LocalBrowsing = 1;
    Timeout = 10;
    QVERIFY(!StartRun());

    QCOMPARE(Targets(server), (QByteArrayList{"/d/page.html", target}));
    int checked = 0;
    const QStringList broken = Unresolved(checked);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    QCOMPARE(checked, 1);
}

// Links that hold "//" or "://" after their start, a value whose "&amp;"
// reads as "&amp;", and a base tag above the root: each is asked of this
// server as a browser asks it, saved once, and named by the saved page.
void TestHttpMirror::linksAsWritten_data()
{
    QTest::addColumn<int>("subDirectories");
    QTest::addColumn<QStringList>("saved");
    // A query's "/" ends the folder part of the name without subdirectories.
    QTest::newRow("one folder") << 0 << QStringList{"amp&amp;.html", "b.html",     "base8.html",
                                                    "example.org",   "index.html", "page.html",
                                                    "s8.html",       "x.png"};
    QTest::newRow("subdirectories")
        << 1
        << QStringList{"amp&amp;.html", "b.html",    "base8.html", "go.html_to=http___example.org_",
                       "index.html",    "page.html", "s8.html",    "x.png"};
}

void TestHttpMirror::linksAsWritten()
{
    QFETCH(int, subDirectories);
    QFETCH(QStringList, saved);
    const SitePages site = {
        {"/index.html", "<html><body><a href=\"d/page.html\">p</a>"
                        "<a href=\"b/base8.html\">b</a></body></html>"},
        {"/d/page.html", "<html><body><img src=\"images//x.png\"><a href=\"a//b.html\">b</a>"
                         "<a href=\"go.html?to=http://example.org/\">go</a>"
                         "<a href=\"amp&amp;amp;.html\">amp</a></body></html>"},
        {"/b/base8.html", "<html><head><base href=\"../../../../\"></head><body>"
                          "<a href=\"s8.html\">s</a></body></html>"},
        {"/d/images//x.png", "<html></html>"},
        {"/d/a//b.html", "<html></html>"},
        {"/d/go.html?to=http://example.org/", "<html><a href=\"page.html\">p</a></html>"},
        {"/d/amp&amp;.html", "<html></html>"},
        {"/s8.html", "<html></html>"}};
    HttpTestServer server;
    ServeSite(server, site);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 0);
    SubDirectories = int16_t(subDirectories);
    LocalBrowsing = 1;
    Timeout = 10;
    QVERIFY(!StartRun());

    QByteArrayList targets = Targets(server);
    std::sort(targets.begin(), targets.end());
    QByteArrayList served;
    for (const auto& page : site)
        served.append(page.first);
    std::sort(served.begin(), served.end());
    QCOMPARE(targets, served);
    QCOMPARE(SavedNames(), saved);
    int checked = 0;
    const QStringList broken = Unresolved(checked);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
    QCOMPARE(checked, 7);
}

KELPA_TEST_MAIN(TestHttpMirror)
#include "test_http_mirror.moc"
