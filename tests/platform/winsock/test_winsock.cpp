// The socket library against the loopback test server: exchanges in blocking
// and in notified non-blocking mode, refused connections, blocking calls ended
// from a handler, name resolution, and the interface's error numbers.

#include "platform/pump/Pump.h"
#include "platform/pump/Timer.h"
#include "platform/winsock/Winsock.h"
#include "tests/platform/winsock/WinsockTestUtil.h"
#include "tests/support/HttpTestServer.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QTimer>

#include <cstring>
#include <ctime>
#include <functional>

using namespace winsock;
using testsupport::HttpAnswer;
using testsupport::HttpTestServer;
using winsocktest::loopback;
using winsocktest::Notices;
using winsocktest::waitUntil;

namespace {

constexpr unsigned Message = 0x200;

// A port on 127.0.0.1 with no listener behind it (any more).
int portWithoutListener()
{
    const HttpTestServer gone;
    return gone.port();
}

double cpuMsSince(std::clock_t start)
{
    return 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC;
}

QByteArray request(const QByteArray& target)
{
    return "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
}

QByteArray firstAddress(const HostEntry& entry)
{
    if (!entry.h_addr_list || !entry.h_addr_list[0])
        return {};
    const auto* b = reinterpret_cast<const unsigned char*>(entry.h_addr_list[0]);
    return QByteArray::number(b[0]) + '.' + QByteArray::number(b[1]) + '.' +
           QByteArray::number(b[2]) + '.' + QByteArray::number(b[3]);
}

HttpAnswer splitPage()
{
    HttpAnswer answer = HttpAnswer::page(QByteArray(5000, 'k') + "</html>");
    answer.writes = {30, 7, 2000};
    answer.pauseMs = 30;
    return answer;
}

HttpAnswer silentAnswer()
{
    HttpAnswer answer;
    answer.silent = true;
    return answer;
}

} // namespace

class TestWinsock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        WSAData data;
        QCOMPARE(WSAStartup(0x0101, data), 0);
        QCOMPARE(data.wVersion, std::uint16_t(0x0101));
        platform::setTestEnding(true);
        platform::clearProgramEnded();
    }

    void cleanup() { WSACleanup(); }

    void blockingExchange()
    {
        HttpTestServer server;
        server.setAnswer("/split.html", splitPage());
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QVERIFY(s != INVALID_SOCKET);
        QCOMPARE(winsock::connect(s, loopback(server.port()), 16), 0);
        const QByteArray text = request("/split.html");
        QCOMPARE(winsock::send(s, text.constData(), int(text.size()), 0), int(text.size()));
        QByteArray received;
        char buffer[1024];
        int n;
        while ((n = winsock::recv(s, buffer, sizeof buffer, 0)) > 0)
            received.append(buffer, n);
        QCOMPARE(n, 0);
        QCOMPARE(received, splitPage().bytes());
        QCOMPARE(server.requests().value(0).requestLine, QByteArray("GET /split.html HTTP/1.0"));
        QCOMPARE(winsock::shutdown(s, SD_SEND), 0);
        QCOMPARE(closesocket(s), 0);
    }

    void notifiedExchange()
    {
        HttpTestServer server;
        server.setAnswer("/split.html", splitPage());
        Notices notices;
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, 0x33), 0);
        QCOMPARE(winsock::connect(s, loopback(server.port()), 16), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAEWOULDBLOCK);
        QVERIFY(notices.seen.isEmpty()); // posted, never delivered inside the call
        QVERIFY(waitUntil([&] { return notices.count(FD_CONNECT) == 1; }));
        QCOMPARE(notices.last(FD_CONNECT)->error, 0);
        QCOMPARE(notices.last(FD_CONNECT)->handle, s);
        QCOMPARE(notices.last(FD_CONNECT)->message, Message);

        // Selecting again on a connected socket notices at once that it can send.
        notices.seen.clear();
        QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, 0x23), 0);
        QVERIFY(waitUntil([&] { return notices.count(FD_WRITE) == 1; }));
        const QByteArray text = request("/split.html");
        QCOMPARE(winsock::send(s, text.constData(), int(text.size()), 0), int(text.size()));

        QByteArray received;
        char buffer[1024];
        for (int passes = 0; passes < 1000; ++passes) {
            notices.seen.clear();
            const int n = winsock::recv(s, buffer, sizeof buffer, 0);
            if (n == 0)
                break;
            if (n > 0) {
                received.append(buffer, n);
                continue;
            }
            QCOMPARE(WSAGetLastError(), WSAEWOULDBLOCK);
            QVERIFY(waitUntil([&] { return !notices.seen.isEmpty(); }));
        }
        QCOMPARE(received, splitPage().bytes());
        QCOMPARE(closesocket(s), 0);
    }

    void noticesComeOnlyWhenSomethingChanged()
    {
        HttpTestServer server;
        server.setAnswer("/silent", silentAnswer());
        server.setAnswer("/page", HttpAnswer::page(QByteArray(3000, 'p')));
        Notices notices;
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        WSAAsyncSelect(s, &notices.target, Message, 0x33);
        winsock::connect(s, loopback(server.port()), 16);
        QVERIFY(waitUntil([&] { return notices.count(FD_CONNECT) == 1; }));
        const QByteArray text = request("/silent");
        QCOMPARE(winsock::send(s, text.constData(), int(text.size()), 0), int(text.size()));

        // A writable socket with nothing arriving stays quiet: no FD_WRITE
        // storm and no busy loop.
        const std::clock_t cpu = std::clock();
        QTest::qWait(300);
        QCOMPARE(notices.count(FD_WRITE), 1);
        QCOMPARE(notices.seen.size(), 2);
        QVERIFY2(cpuMsSince(cpu) < 150, qPrintable(QString::number(cpuMsSince(cpu))));
        closesocket(s);

        // FD_READ comes again after each recv while data remains, not before.
        const SOCKET r = winsock::socket(AfInet, SockStream, 0);
        WSAAsyncSelect(r, &notices.target, Message, FD_READ | FD_CONNECT | FD_CLOSE);
        winsock::connect(r, loopback(server.port()), 16);
        QVERIFY(waitUntil(
            [&] { return notices.last(FD_CONNECT) && notices.last(FD_CONNECT)->handle == r; }));
        const QByteArray page = request("/page");
        QCOMPARE(winsock::send(r, page.constData(), int(page.size()), 0), int(page.size()));
        QVERIFY(waitUntil([&] { return notices.count(FD_READ) == 1; }));
        QTest::qWait(100);
        QCOMPARE(notices.count(FD_READ), 1);
        char buffer[100];
        QCOMPARE(winsock::recv(r, buffer, sizeof buffer, 0), 100);
        QVERIFY(waitUntil([&] { return notices.count(FD_READ) == 2; }));
        while (winsock::recv(r, buffer, sizeof buffer, 0) > 0) {
        }
        QVERIFY(waitUntil([&] { return notices.count(FD_CLOSE) == 1; }));
        QCOMPARE(notices.last(FD_CLOSE)->error, 0);
        QTest::qWait(100);
        QCOMPARE(notices.count(FD_CLOSE), 1);
    }

    void sameSelectionAskedAgain_data()
    {
        QTest::addColumn<bool>("drained");
        QTest::addColumn<long>("expected");
        QTest::newRow("data waiting") << false << long(FD_READ);
        QTest::newRow("connection ended") << true << long(FD_CLOSE);
    }

    // Asking the selection in effect again posts nothing anew, yet the
    // condition whose notice was already taken is noticed once more; a
    // changed selection notices at once that the socket can send.
    void sameSelectionAskedAgain()
    {
        QFETCH(bool, drained);
        QFETCH(long, expected);
        HttpTestServer server;
        server.setAnswer("/page", HttpAnswer::page(QByteArray(3000, 'p')));
        Notices notices;
        const long events = FD_READ | FD_WRITE | FD_CLOSE;
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        WSAAsyncSelect(s, &notices.target, Message, events);
        winsock::connect(s, loopback(server.port()), 16);
        QVERIFY(waitUntil([&] { return notices.count(FD_WRITE) == 1; }));
        const QByteArray page = request("/page");
        QCOMPARE(winsock::send(s, page.constData(), int(page.size()), 0), int(page.size()));
        QVERIFY(waitUntil([&] { return notices.count(FD_READ) >= 1; }));
        if (drained) {
            char buffer[1024];
            QVERIFY(waitUntil([&] { return winsock::recv(s, buffer, sizeof buffer, 0) == 0; }));
            QVERIFY(waitUntil([&] { return notices.count(FD_CLOSE) == 1; }));
        }
        QTest::qWait(50);
        notices.seen.clear();

        QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, events), 0);
        QVERIFY(waitUntil([&] { return notices.count(expected) == 1; }));
        QTest::qWait(50);
        QCOMPARE(notices.count(FD_WRITE), 0);
        QCOMPARE(notices.seen.size(), 1);

        QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, FD_WRITE | FD_CLOSE), 0);
        QVERIFY(waitUntil([&] { return notices.count(FD_WRITE) == 1; }));
        QCOMPARE(closesocket(s), 0);
    }

    void refusedConnection_data()
    {
        QTest::addColumn<bool>("notified");
        QTest::newRow("blocking") << false;
        QTest::newRow("non-blocking with notices") << true;
    }

    void refusedConnection()
    {
        QFETCH(bool, notified);
        Notices notices;
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        if (notified)
            WSAAsyncSelect(s, &notices.target, Message, 0x33);
        QCOMPARE(winsock::connect(s, loopback(portWithoutListener()), 16), SOCKET_ERROR);
        if (notified) {
            QCOMPARE(WSAGetLastError(), WSAEWOULDBLOCK);
            QVERIFY(waitUntil([&] { return notices.count(FD_CONNECT) == 1; }));
            QCOMPARE(notices.last(FD_CONNECT)->error, WSAECONNREFUSED);
            QCOMPARE(notices.count(FD_WRITE), 0);
        } else {
            QCOMPARE(WSAGetLastError(), WSAECONNREFUSED);
        }
        char byte;
        QCOMPARE(winsock::recv(s, &byte, 1, 0), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAENOTCONN);
    }

    // A blocking recv on a server that never answers, ended from a timer's
    // handler the ways the program does it.
    void blockingCallEndsFromAHandler_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<bool>("close");
        QTest::newRow("cancelled") << true << false;
        QTest::newRow("aborted: cancelled and closed") << true << true;
        QTest::newRow("closed under the call") << false << true;
    }

    void blockingCallEndsFromAHandler()
    {
        QFETCH(bool, cancel);
        QFETCH(bool, close);
        HttpTestServer server;
        server.setAnswer("/silent", silentAnswer());
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QCOMPARE(winsock::connect(s, loopback(server.port()), 16), 0);
        const QByteArray text = request("/silent");
        winsock::send(s, text.constData(), int(text.size()), 0);

        bool abortTransfer = false;
        platform::Timer timeout;
        timeout.setHandler([&] {
            timeout.setEnabled(false);
            abortTransfer = true;
            if (cancel)
                QCOMPARE(WSACancelBlockingCall(), 0);
            if (close)
                QCOMPARE(closesocket(s), 0);
        });
        timeout.setInterval(200);
        timeout.setEnabled(true);

        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpu = std::clock();
        char buffer[512];
        QCOMPARE(winsock::recv(s, buffer, sizeof buffer, 0), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAEINTR);
        QVERIFY(abortTransfer);
        QVERIFY(wall.elapsed() >= 150 && wall.elapsed() < 5000);
        QVERIFY2(cpuMsSince(cpu) < 100, qPrintable(QString::number(cpuMsSince(cpu))));
        QCOMPARE(WSACancelBlockingCall(), SOCKET_ERROR); // nothing left to cancel
        QCOMPARE(WSAGetLastError(), WSAEINVAL);
        QCOMPARE(closesocket(s), close ? SOCKET_ERROR : 0);
    }

    void blockingCallInsideABlockingCallIsRefused()
    {
        HttpTestServer server;
        server.setAnswer("/silent", silentAnswer());
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QCOMPARE(winsock::connect(s, loopback(server.port()), 16), 0);
        const QByteArray text = request("/silent");
        winsock::send(s, text.constData(), int(text.size()), 0);
        const HostEntry* nested = nullptr;
        int nestedError = 0;
        QTimer::singleShot(50, [&] {
            nested = winsock::gethostbyname("localhost");
            nestedError = WSAGetLastError();
            WSACancelBlockingCall();
        });
        char byte;
        QCOMPARE(winsock::recv(s, &byte, 1, 0), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAEINTR);
        QVERIFY(!nested);
        QCOMPARE(nestedError, WSAEINPROGRESS);
    }

    void programEndingInsideABlockingCallUnwindsIt()
    {
        HttpTestServer server;
        server.setAnswer("/silent", silentAnswer());
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QCOMPARE(winsock::connect(s, loopback(server.port()), 16), 0);
        const QByteArray text = request("/silent");
        winsock::send(s, text.constData(), int(text.size()), 0);
        QTimer::singleShot(50, [] { platform::runGuarded([] { platform::EndProgram(0); }); });
        char byte;
        QVERIFY_THROWS_EXCEPTION(platform::ProgramEnded, winsock::recv(s, &byte, 1, 0));
        QCOMPARE(WSACancelBlockingCall(), SOCKET_ERROR); // no call is left waiting
        QCOMPARE(WSAGetLastError(), WSAEINVAL);
        QTimer::singleShot(50, [] { WSACancelBlockingCall(); });
        QCOMPARE(winsock::recv(s, &byte, 1, 0), SOCKET_ERROR); // the next one blocks and ends
        QCOMPARE(WSAGetLastError(), WSAEINTR);
    }

    void blockingSwitch()
    {
        HttpTestServer server;
        server.setAnswer("/silent", silentAnswer());
        Notices notices;
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QCOMPARE(winsock::connect(s, loopback(server.port()), 16), 0);
        std::uint32_t on = 1, off = 0;
        QCOMPARE(ioctlsocket(s, FIONBIO, &on), 0);
        char byte;
        QCOMPARE(winsock::recv(s, &byte, 1, 0), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAEWOULDBLOCK);
        QCOMPARE(WSAAsyncSelect(s, &notices.target, Message, FD_READ), 0);
        QCOMPARE(ioctlsocket(s, FIONBIO, &off), SOCKET_ERROR); // events still selected
        QCOMPARE(WSAGetLastError(), WSAEINVAL);
        QCOMPARE(WSAAsyncSelect(s, nullptr, 0, 0), 0);
        QCOMPARE(ioctlsocket(s, FIONBIO, &off), 0);
        QTimer::singleShot(100, [] { WSACancelBlockingCall(); });
        QCOMPARE(winsock::recv(s, &byte, 1, 0), SOCKET_ERROR); // blocks again
        QCOMPARE(WSAGetLastError(), WSAEINTR);
    }

    void resolve_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("async");
        QTest::addColumn<QByteArray>("address");
        QTest::addColumn<int>("error");
        QTest::newRow("localhost, blocking")
            << QByteArray("localhost") << false << QByteArray("127.0.0.1") << 0;
        QTest::newRow("localhost, notified")
            << QByteArray("localhost") << true << QByteArray("127.0.0.1") << 0;
        QTest::newRow("dotted address")
            << QByteArray("127.0.0.1") << true << QByteArray("127.0.0.1") << 0;
        QTest::newRow("unknown, blocking")
            << QByteArray("nonexistent.invalid") << false << QByteArray() << WSAHOST_NOT_FOUND;
        QTest::newRow("unknown, notified")
            << QByteArray("nonexistent.invalid") << true << QByteArray() << WSAHOST_NOT_FOUND;
    }

    void resolve()
    {
        QFETCH(QByteArray, name);
        QFETCH(bool, async);
        QFETCH(QByteArray, address);
        QFETCH(int, error);
        if (!async) {
            QTimer::singleShot(10000, [] { WSACancelBlockingCall(); }); // a hanging resolver
            const HostEntry* entry = winsock::gethostbyname(name);
            QCOMPARE(entry ? firstAddress(*entry) : QByteArray(), address);
            if (!entry)
                QCOMPARE(WSAGetLastError(), error);
            return;
        }
        Notices notices;
        char lookupBuffer[1024];
        std::memset(lookupBuffer, ' ', sizeof lookupBuffer);
        const AsyncHandle handle = WSAAsyncGetHostByName(&notices.target, Message, name,
                                                         lookupBuffer, sizeof lookupBuffer);
        QVERIFY(handle != 0);
        QVERIFY(waitUntil([&] { return !notices.seen.isEmpty(); }, 10000));
        const Notice notice = notices.seen.first();
        QCOMPARE(notice.handle, handle);
        QCOMPARE(notice.message, Message);
        QCOMPARE(notice.error, error);
        if (error != 0) {
            QCOMPARE(QByteArray(lookupBuffer, sizeof lookupBuffer).trimmed(), QByteArray());
            return;
        }
        HostEntry entry;
        std::memcpy(&entry, lookupBuffer, sizeof entry);
        QCOMPARE(entry.h_addrtype, std::int16_t(2));
        QCOMPARE(entry.h_length, std::int16_t(4));
        QCOMPARE(firstAddress(entry), address);
        QVERIFY(entry.h_addr_list[0] > lookupBuffer &&
                entry.h_addr_list[0] < lookupBuffer + sizeof lookupBuffer);
    }

    void cancelledLookupDropsItsResult()
    {
        Notices notices;
        char lookupBuffer[1024];
        std::memset(lookupBuffer, ' ', sizeof lookupBuffer);
        const AsyncHandle handle = WSAAsyncGetHostByName(&notices.target, Message, "localhost",
                                                         lookupBuffer, sizeof lookupBuffer);
        QCOMPARE(WSACancelAsyncRequest(handle), 0);
        QTest::qWait(300);
        QVERIFY(notices.seen.isEmpty());
        QCOMPARE(QByteArray(lookupBuffer, sizeof lookupBuffer).trimmed(), QByteArray());
        QCOMPARE(WSACancelAsyncRequest(handle), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAEALREADY);
    }

    void handlesAndMisuse()
    {
        const SOCKET s = winsock::socket(AfInet, SockStream, 0);
        QCOMPARE(closesocket(s), 0);
        QCOMPARE(closesocket(s), SOCKET_ERROR); // closed once, never again
        QCOMPARE(WSAGetLastError(), WSAENOTSOCK);
        const SOCKET t = winsock::socket(AfInet, SockStream, 0);
        QVERIFY(t != s); // a stale handle never reaches a new socket
        QCOMPARE(winsock::send(s, "x", 1, 0), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAENOTSOCK);
        QCOMPARE(winsock::send(t, "x", 1, 0), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAENOTCONN);
        QCOMPARE(winsock::connect(t, loopback(0), 16), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAEADDRNOTAVAIL);
        QCOMPARE(winsock::socket(AfInet, 2, 0), INVALID_SOCKET);
        QCOMPARE(WSAGetLastError(), WSAESOCKTNOSUPPORT);

        WSAData data;
        QCOMPARE(WSAStartup(0x0001, data), WSAVERNOTSUPPORTED);
        QCOMPARE(WSACleanup(), 0); // the last one closes t
        QCOMPARE(winsock::socket(AfInet, SockStream, 0), INVALID_SOCKET);
        QCOMPARE(WSAGetLastError(), WSANOTINITIALISED);
        QCOMPARE(WSACleanup(), SOCKET_ERROR);
        QCOMPARE(WSAStartup(0x0101, data), 0);
        QCOMPARE(closesocket(t), SOCKET_ERROR);
        QCOMPARE(WSAGetLastError(), WSAENOTSOCK);
    }

    void addressHelpers()
    {
        const std::uint32_t loopbackAddress = winsock::inet_addr("127.0.0.1");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&loopbackAddress), 4),
                 QByteArray("\x7f\x00\x00\x01", 4));
        QCOMPARE(winsock::inet_addr("www.example.test"), InaddrNone);
        QCOMPARE(winsock::inet_addr(""), InaddrNone);
        const std::uint16_t high = winsock::htons(40000); // an ephemeral port above 32767
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&high), 2), QByteArray("\x9c\x40", 2));
    }
};

KELPA_TEST_MAIN(TestWinsock)
#include "test_winsock.moc"
