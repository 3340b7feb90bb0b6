// The URL split and the request text built from it.

#include "main/Kelpa.h"
#include "tests/support/TestMain.h"
#include "transfer/OnlineSearch.h"
#include "transfer/Request.h"
#include "transfer/UrlSplit.h"

using namespace transfer;

class TestTransferUrl : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitUrl_data();
    void splitUrl();
    void slashLinkKeepsPort_data();
    void slashLinkKeepsPort();
    void absoluteLink_data();
    void absoluteLink();
    void defaultRequest();
    void withoutUserPart_data();
    void withoutUserPart();
    void localBase_data();
    void localBase();
    void requestInjection_data();
    void requestInjection();
};

void TestTransferUrl::splitUrl_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("urlPath");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("slashAppended");

    QTest::newRow("host only") << "www.a.example"
                               << "www.a.example"
                               << "/"
                               << "http://www.a.example" << 80 << true;
    QTest::newRow("path") << "www.a.example/d/p.html"
                          << "www.a.example"
                          << "/d/p.html"
                          << "http://www.a.example/d" << 80 << false;
    QTest::newRow("port 8080") << "h:8080/x"
                               << "h"
                               << "/x"
                               << "http://h:8080" << 8080 << false;
    QTest::newRow("port 65535") << "h:65535/"
                                << "h"
                                << "/"
                                << "http://h:65535" << 65535 << false;
    QTest::newRow("port 0") << "h:0/"
                            << "h"
                            << "/"
                            << "http://h:0" << 0 << false;
    QTest::newRow("port 65536") << "h:65536/"
                                << "h"
                                << "/"
                                << "http://h:65536" << 0 << false;
    QTest::newRow("port abc") << "h:abc/"
                              << "h"
                              << "/"
                              << "http://h:abc" << 0 << false;
    QTest::newRow("port 80x") << "h:80x/"
                              << "h"
                              << "/"
                              << "http://h:80x" << 0 << false;
    QTest::newRow("port without path") << "h:8080"
                                       << "h"
                                       << "/"
                                       << "http://h:8080" << 8080 << true;
    QTest::newRow("ipv4 ephemeral port") << "127.0.0.1:54321/a/b.html"
                                         << "127.0.0.1"
                                         << "/a/b.html"
                                         << "http://127.0.0.1:54321/a" << 54321 << false;
    QTest::newRow("sent as it reads") << "h/a?x=1&amp;amp;y=2"
                                      << "h"
                                      << "/a?x=1&amp;amp;y=2"
                                      << "http://h" << 80 << false;
    QTest::newRow("URL in the query") << "h/d/go.html?to=http://e/x"
                                      << "h"
                                      << "/d/go.html?to=http://e/x"
                                      << "http://h/d" << 80 << false;
    QTest::newRow("blanks") << "h/my page 2.html"
                            << "h"
                            << "/my%20page%202.html"
                            << "http://h" << 80 << false;
}

void TestTransferUrl::splitUrl()
{
    QFETCH(QString, link);
    KELPA::Link = link;
    KELPA::Protocol = "http://";
    const bool appended = HostDateiPortTrennen();
    QTEST(KELPA::HostName, "host");
    QTEST(KELPA::RequestPath, "path");
    QTEST(KELPA::UrlPath, "urlPath");
    QTEST(int(KELPA::Port), "port");
    QTEST(appended, "slashAppended");
    QCOMPARE(KELPA::Link, appended ? link + "/" : link);
}

// A link or Location that begins with "/" stays on the page's port, or goes
// to the server a base tag names.
void TestTransferUrl::slashLinkKeepsPort_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("base"); // empty: none
    QTest::addColumn<QString>("rootLink");
    QTest::newRow("port 8080") << "h:8080/d/p.html"
                               << ""
                               << "h:8080/x.html";
    QTest::newRow("port 80 named") << "h:80/d/p.html"
                                   << ""
                                   << "h/x.html";
    QTest::newRow("no port") << "h/d/p.html"
                             << ""
                             << "h/x.html";
    QTest::newRow("base on another server") << "h:8080/d/p.html"
                                            << "http://other:81/b/"
                                            << "other:81/x.html";
    QTest::newRow("base on the page's server") << "h/d/p.html"
                                               << "http://H:80/b/"
                                               << "h/x.html";
}

void TestTransferUrl::slashLinkKeepsPort()
{
    QFETCH(QString, page);
    QFETCH(QString, base);
    KELPA::Link = page;
    KELPA::Protocol = "http://";
    HostDateiPortTrennen();
    if (!base.isEmpty())
        SetBase(base);
    QTEST(LinkRoot() + "/x.html", "rootLink");
}

void TestTransferUrl::absoluteLink_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("urlPath");
    QTest::addColumn<QString>("link");

    const QString page = "http://h:8080/a/b";
    QTest::newRow("relative") << "x.html" << page << "http://h:8080/a/b/x.html";
    QTest::newRow("dot slash") << "./x.html" << page << "http://h:8080/a/b/x.html";
    QTest::newRow("root keeps port") << "/x.html" << page << "h:8080/x.html";
    QTest::newRow("no scheme") << "//o.example/x" << page << "o.example/x";
    QTest::newRow("absolute") << "http://o.example/x" << page << "http://o.example/x";
    QTest::newRow("double slash in the path")
        << "a//b.html" << page << "http://h:8080/a/b/a//b.html";
    QTest::newRow("double slash in a folder")
        << "img//x.png" << page << "http://h:8080/a/b/img//x.png";
    QTest::newRow("URL in the query")
        << "go.html?to=http://e/" << page << "http://h:8080/a/b/go.html?to=http://e/";
    QTest::newRow("dot") << "." << page << "";
    QTest::newRow("one up") << "../x.html" << page << "http://h:8080/a/x.html";
    QTest::newRow("up to the root") << "../../x.htm" << page << "http://h:8080/x.htm";
    QTest::newRow("above the host") << "../../../x.htm" << page << "http://h:8080/a/b/x.htm";
    QTest::newRow("up, then slashes") << "..//x" << page << "http://h:8080/a/x";
    QTest::newRow("page without host") << "/c/x.htm"
                                       << ""
                                       << "file://c/x.htm";
}

void TestTransferUrl::absoluteLink()
{
    QFETCH(QString, value);
    QFETCH(QString, urlPath);
    QTEST(AbsoluteLink(value, urlPath, urlPath.isEmpty() ? "" : "h:8080"), "link");
}

void TestTransferUrl::defaultRequest()
{
    using namespace KELPA;
    Link = "h:8080/d/p.html";
    Protocol = "http://";
    HostDateiPortTrennen();
    Connection = "close";
    Accept = "*/*";
    Host.clear();
    IfModifiedSince.clear();
    Referer.clear();
    UserAgent.clear();
    QCOMPARE(RequestText(CurrentRequestValues()),
             QByteArray("GET /d/p.html HTTP/1.0\r\n"
                        "Connection: close\r\n"
                        "Host: h:8080\r\n"
                        "Accept: */*\r\n"
                        "Referer: http://h:8080/d/\r\n"
                        "User-Agent: Kelpa 5.0 (http://www.kelpa.example/)\r\n"
                        "\r\n"));

    Host = "v.example";
    IfModifiedSince = "Sat, 01 Jan 2000 00:00:00 GMT";
    Referer = "http://r.example/";
    UserAgent = "Agent";
    const QByteArray text = RequestText(CurrentRequestValues());
    QVERIFY(text.contains("\r\nHost: v.example\r\n"));
    QVERIFY(text.contains("\r\nAccept: */*\r\nIf-Modified-Since: Sat, 01 Jan 2000 00:00:00 GMT\r\n"
                          "Referer: http://r.example/\r\nUser-Agent: Agent\r\n\r\n"));
}

void TestTransferUrl::requestInjection_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    const QString evil = "x\r\nX-Evil: 1";
    for (const char* field :
         {"path", "connection", "host", "accept", "ifModifiedSince", "referer", "userAgent"}) {
        QTest::addRow("%s CR LF", field) << field << evil;
        QTest::addRow("%s LF", field) << field << "x\nX-Evil: 1";
        QTest::addRow("%s NUL and NEL", field) << field << QString::fromUtf16(u"x\0y\u0085z", 5);
    }
}

void TestTransferUrl::requestInjection()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    RequestValues values{"/", "close", "h", "*/*", "", "http://h/", "Agent"};
    QHash<QString, QString*> fields = {{"path", &values.path},
                                       {"connection", &values.connection},
                                       {"host", &values.host},
                                       {"accept", &values.accept},
                                       {"ifModifiedSince", &values.ifModifiedSince},
                                       {"referer", &values.referer},
                                       {"userAgent", &values.userAgent}};
    *fields.value(field) = field == "path" ? "/" + value : value;

    const QByteArray text = RequestText(values);
    QCOMPARE(text.indexOf("\r\n\r\n"), text.size() - 4);
    const QList<QByteArray> lines = text.chopped(4).replace("\r\n", "\n").split('\n');
    QCOMPARE(lines.size(), field == "ifModifiedSince" ? 7 : 6);
    for (const QByteArray& line : lines) {
        QVERIFY2(!line.startsWith("X-Evil"), line.constData());
        for (const char ch : line)
            QVERIFY2(uchar(ch) >= 0x20 && ch != 0x7F, line.constData());
    }
    if (field == "path" && value.contains('\r'))
        QCOMPARE(lines.first(), "GET /x%0D%0AX-Evil:%201 HTTP/1.0");
}

// A user part goes, an "@" in the path stays.
void TestTransferUrl::withoutUserPart_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("bare");
    QTest::newRow("with scheme") << "http://u:pw@h/a.html"
                                 << "http://h/a.html";
    QTest::newRow("without scheme") << "u:pw@h:8080/a.html"
                                    << "h:8080/a.html";
    QTest::newRow("bare host") << "http://u:pw@h"
                               << "http://h";
    QTest::newRow("at in the path") << "http://h/a:b@c.html"
                                    << "http://h/a:b@c.html";
    QTest::newRow("user without password") << "http://me@h/a.html"
                                           << "http://me@h/a.html";
    QTest::newRow("none") << "http://h:8080/a.html"
                          << "http://h:8080/a.html";
}

void TestTransferUrl::withoutUserPart()
{
    QFETCH(QString, url);
    QTEST(transfer::WithoutUserPart(url), "bare");
}

// A local page's folder, whichever separator its path uses.
void TestTransferUrl::localBase_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("base");
    QTest::newRow("backslashes") << "Z:\\w\\a.html"
                                 << "Z:\\w";
    QTest::newRow("slashes") << "/Z|/w/d/a.html"
                             << "/Z|/w/d";
    QTest::newRow("slash after backslash") << "Z:\\w/sub/b.html"
                                           << "Z:\\w/sub";
    QTest::newRow("backslash after slash") << "/Z|/w\\b.html"
                                           << "/Z|/w";
    QTest::newRow("no separator") << "a.html"
                                  << "";
}

void TestTransferUrl::localBase()
{
    QFETCH(QString, path);
    QTEST(transfer::LocalBase(path), "base");
}

KELPA_TEST_MAIN(TestTransferUrl)
#include "test_transfer_url.moc"
