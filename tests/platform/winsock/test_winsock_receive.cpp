// What recv hands on: the bytes as sent, in pieces of any size, with peeks in
// between, across a switch between notified and blocking mode, and the end
// or reset of the connection where the system told it. And when notices come:
// the one the event loop finds in the pass that found it, the one raised by a
// call at the loop's next pass, never inside the call.

#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "tests/platform/winsock/WinsockTestUtil.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/TestMain.h"

#include <QCoreApplication>
#include <QThread>

#include <cstring>
#include <functional>

using namespace winsock;
using testsupport::HttpAnswer;
using testsupport::HttpTestServer;
using winsocktest::loopback;
using winsocktest::Notices;
using winsocktest::waitUntil;

namespace {

constexpr unsigned Message = 0x201;

// The error FD_CLOSE carried, or -1 when none came.
int closeError(const Notices& notices)
{
    const Notice* close = notices.last(FD_CLOSE);
    return close ? close->error : -1;
}

// A connected socket (blocking) that has sent the request for target.
SOCKET requested(const HttpTestServer& server, const QByteArray& target)
{
    const SOCKET s = winsock::socket(AfInet, SockStream, 0);
    if (winsock::connect(s, loopback(server.port()), 16) != 0)
        return INVALID_SOCKET;
    const QByteArray text = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    if (winsock::send(s, text.constData(), int(text.size()), 0) != int(text.size()))
        return INVALID_SOCKET;
    return s;
}

QByteArray patterned(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char('a' + (i * 7 + i / 251) % 26);
    return bytes;
}

} // namespace

class TestWinsockReceive : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        WSAData data;
        QCOMPARE(WSAStartup(0x0101, data), 0);
    }

    void cleanup() { WSACleanup(); }

    void bytesAsSent_data()
    {
        QTest::addColumn<int>("piece");
        QTest::addColumn<bool>("peek");       // a peek of the same size before every recv
        QTest::addColumn<bool>("notified");   // FD_READ selected, recv after each notice
        QTest::addColumn<bool>("toBlocking"); // after the first notice, blocking to the end
        QTest::addColumn<QList<int>>("writes");
        QTest::newRow("blocking, 1 KB pieces") << 1024 << false << false << false << QList<int>{};
        QTest::newRow("blocking, peeks, odd pieces")
            << 333 << true << false << false << QList<int>{100, 1, 5000};
        QTest::newRow("notified, 1 KB pieces") << 1024 << false << true << false << QList<int>{};
        QTest::newRow("notified, peeks, one byte at a time")
            << 1 << true << true << false << QList<int>{10, 10, 10};
        QTest::newRow("notified, then blocking")
            << 512 << false << true << true << QList<int>{2000, 3000};
        QTest::newRow("larger pieces than arrive")
            << 200000 << false << true << false << QList<int>{70000, 1};
    }

    void bytesAsSent()
    {
        QFETCH(int, piece);
        QFETCH(bool, peek);
        QFETCH(bool, notified);
        QFETCH(bool, toBlocking);
        QFETCH(QList<int>, writes);
        HttpTestServer server;
        HttpAnswer answer = HttpAnswer::page(patterned(150000));
        answer.writes = writes;
        answer.pauseMs = writes.isEmpty() ? 0 : 20;
        server.setAnswer("/big", answer);
        Notices notices;
        const SOCKET s = requested(server, "/big");
        QVERIFY(s != INVALID_SOCKET);
        if (notified)
            QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, FD_READ | FD_CLOSE), 0);

        QByteArray received;
        QByteArray buffer(piece, '\0');
        QByteArray peeked(piece, '\0');
        bool blocking = !notified;
        qsizetype taken = 0; // notices acted upon
        for (int passes = 0; passes < 1000000; ++passes) {
            if (!blocking) {
                QVERIFY(waitUntil([&] { return notices.seen.size() > taken; }));
                taken = notices.seen.size();
                if (toBlocking) {
                    QCOMPARE(WSAAsyncSelect(s, nullptr, 0, 0), 0);
                    std::uint32_t off = 0;
                    QCOMPARE(ioctlsocket(s, FIONBIO, &off), 0);
                    blocking = true;
                }
            }
            int seen = -1;
            if (peek) {
                seen = winsock::recv(s, peeked.data(), piece, 0x2 /* MSG_PEEK */);
                if (seen == SOCKET_ERROR) {
                    QCOMPARE(WSAGetLastError(), WSAEWOULDBLOCK);
                    continue;
                }
            }
            const int n = winsock::recv(s, buffer.data(), piece, 0);
            if (n == SOCKET_ERROR) {
                QVERIFY(!blocking);
                QCOMPARE(WSAGetLastError(), WSAEWOULDBLOCK);
                continue;
            }
            if (peek) // the peek saw what the recv then took
                QCOMPARE(peeked.left(seen), buffer.left(n).left(seen));
            if (n == 0)
                break;
            received.append(buffer.constData(), n);
        }
        QCOMPARE(received.size(), answer.bytes().size());
        QVERIFY(received == answer.bytes());
        QCOMPARE(winsock::recv(s, buffer.data(), piece, 0), 0); // the end stays the end
        if (notified && !toBlocking) {
            QVERIFY(waitUntil([&] { return notices.count(FD_CLOSE) == 1; }));
            QCOMPARE(closeError(notices), 0);
            QCOMPARE(notices.seen.last().event, FD_CLOSE); // after the last FD_READ
        }
        QCOMPARE(closesocket(s), 0);
    }

    void resetConnection_data()
    {
        QTest::addColumn<bool>("notified");
        QTest::newRow("blocking: recv fails") << false;
        QTest::newRow("notified: FD_CLOSE tells the reset") << true;
    }

    // A reset is told once: to the blocking recv, or with FD_CLOSE, after
    // which recv sees the end of the stream.
    void resetConnection()
    {
        QFETCH(bool, notified);
        HttpTestServer server;
        HttpAnswer answer;
        answer.reset = true;
        answer.delayMs = 50;
        server.setAnswer("/reset", answer);
        Notices notices;
        const SOCKET s = requested(server, "/reset");
        QVERIFY(s != INVALID_SOCKET);
        char buffer[256];
        if (!notified) {
            QCOMPARE(winsock::recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR);
            QCOMPARE(WSAGetLastError(), WSAECONNRESET);
        } else {
            QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, FD_READ | FD_CLOSE), 0);
            QVERIFY(waitUntil([&] { return notices.count(FD_CLOSE) == 1; }));
            QCOMPARE(closeError(notices), WSAECONNRESET);
            QCOMPARE(notices.count(FD_READ), 0);
        }
        QCOMPARE(winsock::recv(s, buffer, sizeof buffer, 0), 0);
        QCOMPARE(closesocket(s), 0);
    }

    // The notice of data the event loop finds comes in that very pass; the
    // one for data left after a recv comes at the next pass, not inside the
    // call. Neither needs a second pass to be delivered.
    void noticesComeInTheLoopsPass()
    {
        HttpTestServer server;
        server.setAnswer("/page", HttpAnswer::page(patterned(3000)));
        Notices notices;
        const SOCKET s = requested(server, "/page");
        QVERIFY(s != INVALID_SOCKET);
        QThread::msleep(200); // the whole answer is there
        QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, FD_READ | FD_CLOSE), 0);
        QVERIFY(notices.seen.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(notices.count(FD_READ), 1);

        char buffer[100];
        QCOMPARE(winsock::recv(s, buffer, sizeof buffer, 0), 100);
        QCOMPARE(notices.count(FD_READ), 1);
        QCoreApplication::processEvents();
        QCOMPARE(notices.count(FD_READ), 2);
        QCoreApplication::processEvents();
        QCOMPARE(notices.count(FD_READ), 2); // nothing more until the next recv
        QCOMPARE(closesocket(s), 0);
    }
};

KELPA_TEST_MAIN(TestWinsockReceive)
#include "test_winsock_receive.moc"
