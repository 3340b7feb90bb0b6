// Addresses as a work list hands them to the transfer: a port no connection
// can use, a user part before the host, a local page given with "/".

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpFixture.h"

#include <QDir>
#include <QLineEdit>

using namespace testsupport;
using namespace KELPA;

class TestHttpAddresses : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartForTransfers(); }
    void init() { PrepareTransfer(); }

    // Both connect modes give up at once with the error number; the host is
    // not reported as unknown.
    void unusablePort_data()
    {
        QTest::addColumn<int>("blocking");
        QTest::addColumn<QByteArray>("port");
        QTest::newRow("blocking, too large") << 1 << QByteArray("99999");
        QTest::newRow("blocking, not a number") << 1 << QByteArray("abc");
        QTest::newRow("async, too large") << 0 << QByteArray("99999");
        QTest::newRow("async, not a number") << 0 << QByteArray("abc");
    }

    void unusablePort()
    {
        QFETCH(int, blocking);
        QFETCH(QByteArray, port);
        ConnectBlocking = SendBlocking = RecvBlocking = int16_t(blocking);
        ConnectTO = 1;
        const QByteArray url = "127.0.0.1:" + port + "/x.html";
        Fetch(url, QStringLiteral("x.html"));
        const QByteArray log = Log();
        QVERIFY2(log.contains("(Error 10049)"), log.constData());
        QVERIFY(!log.contains("Not Found"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
    }

    // The user part is never sent, shown, logged or recorded.
    void userPartNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("scheme");
        QTest::newRow("with scheme") << QByteArray("http://");
        QTest::newRow("without scheme") << QByteArray();
    }

    void userPartNeverWritten()
    {
        QFETCH(QByteArray, scheme);
        HttpTestServer server;
        server.setAnswer("/a.html", HttpAnswer::page("<html>a</html>"));
        LogAllMessages = 1;
        Fetch(scheme + "user:secret@" + server.url("/a.html"), QStringLiteral("a.html"));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), Record(server.url("/a.html"), "a.html"));
        QVERIFY(!Log().contains("secret"));
        QVERIFY(!FormHTTP::Instance().Text1->text().contains(QLatin1String("secret")));
        QVERIFY(!server.requests().value(0).head.contains("secret"));
    }

    // A local page named with "/" ("file:///Z|/dir/a.html") resolves its
    // relative links in its own folder.
    void localPageWithSlashes()
    {
        QDir().mkdir(QStringLiteral("src"));
        WriteFile(QStringLiteral("src/a.html"), "<html><a href=\"index.html\">i</a></html>");
        QString path = platform::FromLinuxPath(QDir::current().filePath(QStringLiteral("src")));
        path.replace(QLatin1Char('\\'), QLatin1Char('/')).replace(1, 1, QLatin1Char('|'));
        CollectLinks = 1;
        LocalBrowsing = 1;
        NextListFile = QStringLiteral("LINKS1.INP");
        LinkListFile.clear();
        Fetch("file:///" + path.toUtf8() + "/a.html", QStringLiteral("a.html"));
        const QByteArray listed = ReadFile(QStringLiteral("LINKS1.INP"));
        QCOMPARE(listed, "file://" + path.toUtf8() + "/index.html\r\nindex.html\r\n");
    }
};

KELPA_TEST_MAIN(TestHttpAddresses)
#include "test_http_addresses.moc"
