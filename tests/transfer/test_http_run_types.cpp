// A run over answers of every kind: what its Content-Type says makes an
// answer a page, searched, rewritten and followed; any other answer is saved
// byte for byte. Only an answer without a type is judged by its first bytes.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

using namespace testsupport;
using namespace KELPA;

namespace {

const QByteArray Head = "<!-- head -->\r\n";
const QByteArray Linked = "<a href=\"sub/linked.html\">l</a>";
// The link as a saved page holds it, without subdirectories.
const QByteArray Rewritten = "<a href=\"linked.html\">l</a>";

// An answer of the media type (none when type is null).
HttpAnswer Typed(const QByteArray& type, const QByteArray& body)
{
    HttpAnswer answer;
    if (!type.isNull())
        answer.headers = {"Content-Type: " + type};
    answer.body = body;
    return answer;
}

} // namespace

class TestHttpRunTypes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void pageByType_data();
    void pageByType();
};

void TestHttpRunTypes::pageByType_data()
{
    QTest::addColumn<HttpAnswer>("answer");
    QTest::addColumn<QByteArray>("saved"); // a page as saved; empty: the body byte for byte

    const QByteArray binary = Linked + QByteArray("\0\x01\x89\xff data", 9);
    QTest::newRow("octet-stream beginning with <")
        << Typed("application/octet-stream", binary) << QByteArray();
    QTest::newRow("plain text beginning with <")
        << Typed("text/plain", "<notes> " + Linked + "\r\n") << QByteArray();
    QTest::newRow("plain text holding a status line")
        << Typed("text/plain; charset=utf-8", "HTTP/1.0 200 OK\r\n<html>" + Linked) << QByteArray();
    QTest::newRow("svg without a declaration")
        << Typed("image/svg+xml", "<svg xmlns=\"http://www.w3.org/2000/svg\">" + Linked + "</svg>")
        << QByteArray();
    QTest::newRow("xml with the root html")
        << Typed("application/xml", "<?xml version=\"1.0\"?><html>" + Linked + "</html>")
        << QByteArray();
    QTest::newRow("a type that only begins like html")
        << Typed("text/html-fragment", "<html>" + Linked) << QByteArray();

    const QByteArray mark = "\xEF\xBB\xBF";
    QTest::newRow("html after a byte order mark and blank lines")
        << Typed("text/html; charset=UTF-8", mark + "\r\n\r\n<html>" + Linked + "</html>")
        << mark + Head + "\r\n\r\n<html>" + Rewritten + "</html>";
    QTest::newRow("html with text before its first tag")
        << Typed("TEXT/HTML", "Welcome to the site.\r\n<p>" + Linked)
        << Head + "Welcome to the site.\r\n<p>" + Rewritten;
    const QByteArray declaration = "<?xml version=\"1.0\"?>";
    QTest::newRow("xhtml by its type")
        << Typed("application/xhtml+xml", declaration + "<html>" + Linked + "</html>")
        << declaration + Head + "<html>" + Rewritten + "</html>";

    // Without a type the first bytes decide.
    QTest::newRow("no type, a page") << Typed({}, "<html>" + Linked) << Head + "<html>" + Rewritten;
    QTest::newRow("no type, xhtml")
        << Typed({}, declaration + "<html>" + Linked) << declaration + Head + "<html>" + Rewritten;
    QTest::newRow("no type, text first") << Typed({}, "Welcome " + Linked) << QByteArray();
    QTest::newRow("no type, svg") << Typed({}, declaration + "<svg>" + Linked + "</svg>")
                                  << QByteArray();
    HttpAnswer bare;
    bare.raw = "<html>" + Linked;
    QTest::newRow("no status line") << bare << Head + "<html>" + Rewritten;
}

// The start URL answers as the row says and links to one page: a page is
// saved with the head line and its link rewritten, and the link is
// followed; any other answer is saved as sent and nothing in it is followed.
void TestHttpRunTypes::pageByType()
{
    QFETCH(HttpAnswer, answer);
    QFETCH(QByteArray, saved);
    HttpTestServer server;
    server.setAnswer("/f", answer);
    server.setAnswer("/sub/linked.html", HttpAnswer::page("<html>linked</html>"));
    PrepareRun(QString::fromLatin1("http://" + server.url("/f")), 2);
    LocalBrowsing = 1;
    HeadLine = QString::fromLatin1(Head.trimmed());
    Timeout = 10;

    QVERIFY(!StartRun());

    const bool page = !saved.isEmpty();
    const QByteArrayList got = ReadFile(QStringLiteral("KELPA.GOT")).split('\n');
    QVERIFY(got.size() > 2);
    const QByteArray bytes = ReadFile(QStringLiteral("site/") + got.at(1).trimmed());
    QCOMPARE(bytes, page ? saved : (answer.raw.isEmpty() ? answer.body : answer.raw));
    QCOMPARE(Targets(server),
             page ? (QByteArrayList{"/f", "/sub/linked.html"}) : QByteArrayList{"/f"});
}

KELPA_TEST_MAIN(TestHttpRunTypes)
#include "test_http_run_types.moc"
