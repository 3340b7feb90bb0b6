// An open preview window shows the file of a transfer once it is saved,
// whatever its CheckOnClick box says: a file takes its name only when whole,
// and nothing of it is shown while it is received.

#include "preview/FormPreview.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpFixture.h"

#include <QCheckBox>
#include <QTimer>

using namespace testsupport;
using namespace KELPA;

class TestHttpPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartForTransfers(); }
    void init() { PrepareTransfer(); }
    void follows_data();
    void follows();
};

void TestHttpPreview::follows_data()
{
    QTest::addColumn<int>("window"); // 0 none, 1 the preview, 2 the one on top
    QTest::addColumn<bool>("onClick");
    QTest::newRow("no preview") << 0 << false;
    QTest::newRow("preview") << 1 << false;
    QTest::newRow("preview on click") << 1 << true;
    QTest::newRow("preview on top") << 2 << false;
    QTest::newRow("preview on top on click") << 2 << true;
}

void TestHttpPreview::follows()
{
    QFETCH(int, window);
    QFETCH(bool, onClick);
    PreviewWindow* preview = nullptr;
    if (window == 1)
        preview = &FormPreview::Instance();
    else if (window == 2)
        preview = &FormPreviewTop::Instance();
    if (preview) {
        preview->Load();
        preview->CheckOnClick->setChecked(onClick);
    }
    PreviewFile.clear();
    PreviewImage.clear();
    HttpTestServer server;
    const QByteArray body(3000, 'p');
    HttpAnswer answer = HttpAnswer::page(body, "application/octet-stream");
    // Three parts 300 ms apart: the preview keeps to four a second, so a
    // part that follows another preview closely may pass unshown.
    answer.writes = {int(answer.bytes().size()) - 2000, 1000};
    answer.pauseMs = 300;
    server.setAnswer("/p.bin", answer);
    bool shownWhileReceiving = false;
    QTimer sampler;
    sampler.setInterval(10);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (!PreviewImage.isEmpty() && BytesReceived < body.size())
            shownWhileReceiving = true;
    });
    sampler.start();

    Fetch(server.url("/p.bin"), QStringLiteral("p.bin"));

    sampler.stop();
    const QString previewFile = PreviewFile;
    if (preview) {
        preview->CheckOnClick->setChecked(false);
        preview->Unload();
    }
    QCOMPARE(Saved(QStringLiteral("p.bin")), body);
    QVERIFY(!shownWhileReceiving);
    if (preview) {
        QVERIFY2(PreviewImage.endsWith(QLatin1String("\\site\\p.bin")), qPrintable(PreviewImage));
        QCOMPARE(previewFile, PreviewImage);
        QVERIFY(PreviewFile.isEmpty()); // emptied by the unload
    } else {
        QVERIFY(PreviewImage.isEmpty());
        QVERIFY(PreviewFile.isEmpty());
    }
}

KELPA_TEST_MAIN(TestHttpPreview)
#include "test_http_preview.moc"
