// A run stopped while a file is on its way: what arrived of it stays in the
// file, and nothing reports a write that did not fail.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QTimer>

using namespace testsupport;
using namespace KELPA;

class TestHttpRunStoppedPage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void receivedPartStaysInTheFile_data()
    {
        QTest::addColumn<int>("sent"); // body bytes sent before the server pauses
        QTest::newRow("a few blocks") << 20000;
        QTest::newRow("past a piece written") << 100000;
    }

    void receivedPartStaysInTheFile()
    {
        QFETCH(int, sent);
        const QByteArray path = "/big.zip";
        FormKelpa& form = FormKelpa::Instance();
        HttpTestServer server;
        QByteArray body = "PK";
        for (int line = 0; body.size() < 3 * sent; ++line)
            body += "line " + QByteArray::number(line) + " of the body\n";
        server.setAnswer(path,
                         HttpAnswer::page(body, "application/zip").pausedAfterHead(3000, sent));
        PrepareRun(QString::fromLatin1("http://" + server.url(path)), 1);
        Timeout = 10;

        MsgBoxScript boxes;
        boxes.expect(LanguageText[319], platform::vbYes)
            .withStyle(292)
            .withTitle(QStringLiteral("Kelpa"));
        int64_t received = 0;
        QTimer stopper;
        stopper.setInterval(10);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (BytesReceived < sent)
                return;
            stopper.stop();
            received = BytesReceived;
            platform::runGuarded([&] { form.CommandStop_Click(); });
        });
        stopper.start();
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);

        QCOMPARE(received, int64_t(sent));
        const QString file = QStringLiteral("site/") + QString::fromLatin1(path.mid(1));
        QCOMPARE(ReadFile(file), body.left(sent));
        QVERIFY2(!Log().contains(LanguageText[110].toUtf8()), Log().constData());
    }
};

KELPA_TEST_MAIN(TestHttpRunStoppedPage)
#include "test_http_run_stopped_page.moc"
