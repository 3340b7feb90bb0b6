// The loopback test server itself, spoken to over plain POSIX sockets.

#include "tests/support/HttpTestServer.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>

#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

using testsupport::HttpAnswer;
using testsupport::HttpTestServer;

namespace {

struct Exchange {
    QByteArray received;
    int reads = 0;
    int error = 0; // errno of the read that ended it, 0 for a clean close
};

int connectTo(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const timeval bound{5, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &bound, sizeof bound);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Sends request and reads until the server closes (at most 5 s per read).
Exchange exchange(quint16 port, const QByteArray& request)
{
    Exchange result;
    const int fd = connectTo(port);
    if (fd < 0) {
        result.error = errno;
        return result;
    }
    ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            result.error = n == 0 ? 0 : errno;
            break;
        }
        ++result.reads;
        result.received.append(buffer, n);
    }
    ::close(fd);
    return result;
}

QByteArray get(const QByteArray& target)
{
    return "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
}

} // namespace

class TestHttpTestServer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answers_data()
    {
        QTest::addColumn<HttpAnswer>("answer");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("error");

        const HttpAnswer page = HttpAnswer::page("<html>hello</html>");
        QTest::newRow("page") << page
                              << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n"
                                            "Content-Length: 18\r\n\r\n<html>hello</html>")
                              << 0;
        HttpAnswer missing = page;
        missing.contentLength = HttpAnswer::NoLength;
        QTest::newRow("missing length")
            << missing
            << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n<html>hello</html>")
            << 0;
        HttpAnswer wrong = page;
        wrong.contentLength = 999;
        QTest::newRow("wrong length") << wrong
                                      << QByteArray("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n"
                                                    "Content-Length: 999\r\n\r\n<html>hello</html>")
                                      << 0;
        QTest::newRow("redirect")
            << HttpAnswer::redirect("http://127.0.0.1/b.html")
            << QByteArray("HTTP/1.0 302 Found\r\nLocation: http://127.0.0.1/b.html\r\n"
                          "Content-Length: 0\r\n\r\n")
            << 0;
        QTest::newRow("error with a body")
            << HttpAnswer::error("HTTP/1.0 500 Internal Server Error", "<p>oops</p>")
            << QByteArray("HTTP/1.0 500 Internal Server Error\r\nContent-Type: text/html\r\n"
                          "Content-Length: 11\r\n\r\n<p>oops</p>")
            << 0;
        HttpAnswer early = page;
        early.closeAfter = 10;
        QTest::newRow("early close") << early << QByteArray("HTTP/1.0 2") << 0;
        HttpAnswer raw;
        raw.raw = "no status line at all";
        QTest::newRow("raw bytes") << raw << QByteArray("no status line at all") << 0;
        HttpAnswer reset;
        reset.reset = true;
        QTest::newRow("reset") << reset << QByteArray() << int(ECONNRESET);
    }

    void answers()
    {
        QFETCH(HttpAnswer, answer);
        QFETCH(QByteArray, expected);
        QFETCH(int, error);
        HttpTestServer server;
        server.setAnswer("/x", answer);
        const Exchange result = exchange(server.port(), get("/x"));
        QCOMPARE(result.received, expected);
        QCOMPARE(result.error, error);
    }

    void unknownTargetIsNotFound()
    {
        HttpTestServer server;
        const Exchange result = exchange(server.port(), get("/nothing.html"));
        QVERIFY(result.received.startsWith("HTTP/1.0 404 Not Found\r\n"));
        QVERIFY(result.received.contains("404 Not Found</h1>"));
    }

    void successiveAnswers()
    {
        HttpTestServer server;
        HttpAnswer reset;
        reset.reset = true;
        server.setAnswers("/x", {HttpAnswer::page("one"), reset, HttpAnswer::page("last")});
        QVERIFY(exchange(server.port(), get("/x")).received.endsWith("one"));
        QCOMPARE(exchange(server.port(), get("/x")).error, int(ECONNRESET));
        for (int i = 0; i < 2; ++i)
            QVERIFY(exchange(server.port(), get("/x")).received.endsWith("last"));
    }

    void splitWritesArriveWholeAndApart()
    {
        HttpTestServer server;
        HttpAnswer answer = HttpAnswer::page(QByteArray(3000, 'x') + "<a href=\"b.html\">b</a>");
        answer.writes = {20, 5, 1000};
        answer.pauseMs = 50;
        server.setAnswer("/split.html", answer);
        const Exchange result = exchange(server.port(), get("/split.html"));
        QCOMPARE(result.received, answer.bytes());
        QVERIFY2(result.reads >= 4, qPrintable(QString::number(result.reads)));
    }

    void pauseAfterTheHead_data()
    {
        QTest::addColumn<qint64>("bodyBytes");
        QTest::newRow("whole body after the pause") << qint64(0);
        QTest::newRow("three bytes before the pause") << qint64(3);
    }

    // The head (and the first body bytes asked for) arrive apart from the rest.
    void pauseAfterTheHead()
    {
        QFETCH(qint64, bodyBytes);
        HttpTestServer server;
        const HttpAnswer whole = HttpAnswer::page("\x89PNG\r\n\x1a\nrest", "image/png");
        const HttpAnswer answer = whole.pausedAfterHead(200, bodyBytes);
        server.setAnswer("/p.png", answer);
        const Exchange result = exchange(server.port(), get("/p.png"));
        QCOMPARE(result.received, whole.bytes());
        QCOMPARE(answer.writes.size(), 1);
        QCOMPARE(answer.writes.first(), whole.bytes().indexOf("\r\n\r\n") + 4 + bodyBytes);
        QVERIFY2(result.reads >= 2, qPrintable(QString::number(result.reads)));
    }

    void delayHoldsTheAnswerBack()
    {
        HttpTestServer server;
        HttpAnswer answer = HttpAnswer::page("late");
        answer.delayMs = 300;
        server.setAnswer("/late", answer);
        QElapsedTimer wall;
        wall.start();
        QCOMPARE(exchange(server.port(), get("/late")).received, answer.bytes());
        QVERIFY(wall.elapsed() >= 250);
    }

    void recordsRequestHeads()
    {
        HttpTestServer server;
        exchange(server.port(), "GET /a%20b.html?q=1 HTTP/1.0\r\nConnection: \r\n"
                                "HOST: example.test\r\nUser-Agent: Tester 1.0\r\n\r\n");
        exchange(server.port(), get("/second"));
        const QList<testsupport::HttpRequest> requests = server.requests();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests[0].requestLine, QByteArray("GET /a%20b.html?q=1 HTTP/1.0"));
        QCOMPARE(requests[0].method, QByteArray("GET"));
        QCOMPARE(requests[0].target, QByteArray("/a%20b.html?q=1"));
        QCOMPARE(requests[0].header("host"), QByteArray("example.test"));
        QCOMPARE(requests[0].header("User-Agent"), QByteArray("Tester 1.0"));
        QVERIFY(!requests[0].header("Connection").isNull());
        QVERIFY(requests[0].header("Connection").isEmpty());
        QVERIFY(requests[0].header("Referer").isNull());
        QCOMPARE(requests[1].target, QByteArray("/second"));
    }

    void silentAnswerStaysOpenAndStopsPromptly()
    {
        QElapsedTimer wall;
        int fd = -1;
        {
            HttpTestServer server;
            HttpAnswer silent;
            silent.silent = true;
            server.setAnswer("/silent", silent);
            fd = connectTo(server.port());
            QVERIFY(fd >= 0);
            const QByteArray request = get("/silent");
            ::send(fd, request.constData(), size_t(request.size()), MSG_NOSIGNAL);
            pollfd p{fd, POLLIN, 0};
            QCOMPARE(::poll(&p, 1, 300), 0); // nothing comes, the connection stays
            QTRY_COMPARE(server.requests().size(), 1);
            wall.start();
        } // the client is still connected while the server goes away
        QVERIFY2(wall.elapsed() < 2000, qPrintable(QString::number(wall.elapsed())));
        char byte;
        QCOMPARE(::recv(fd, &byte, 1, 0), ssize_t(0)); // closed by the server's end
        ::close(fd);
    }
};

KELPA_TEST_MAIN(TestHttpTestServer)
#include "test_http_test_server.moc"
