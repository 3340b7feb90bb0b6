// File size limits and the download volume over a whole run: what is saved,
// recorded and logged, and the end of the program once the volume is used up.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

using namespace testsupport;
using namespace KELPA;

namespace {

HttpAnswer Binary(int size, bool withLength = true)
{
    HttpAnswer answer = HttpAnswer::page(QByteArray(size, 'x'), "application/octet-stream");
    if (!withLength)
        answer.contentLength = HttpAnswer::NoLength;
    return answer;
}

// A start page of exactly size bytes linking to the given files, in order.
QByteArray StartPage(const QByteArrayList& files, int size)
{
    QByteArray page = "<html>";
    for (const QByteArray& file : files)
        page += "<a href=\"/" + file + "\">" + file + "</a>";
    page += "</html>";
    if (page.size() < size)
        page.insert(6, QByteArray(size - page.size(), ' '));
    return page;
}

void Serve(HttpTestServer& server, const QList<std::pair<QByteArray, HttpAnswer>>& files,
           int pageSize)
{
    QByteArrayList names;
    for (const auto& [name, answer] : files) {
        server.setAnswer("/" + name, answer);
        names.append(name);
    }
    server.setAnswer("/index.html", HttpAnswer::page(StartPage(names, pageSize)));
}

// Runs the start command; true when the download volume ended the program,
// whose lock and running state are then not the next case's.
bool RunUntilVolume()
{
    const bool ended = StartRun();
    if (ended) {
        platform::ReleaseLockFile();
        FormKelpa::Instance().ShowRunState(false);
        Running = 0;
    }
    return ended;
}

void ResetLimits()
{
    MaxFileSize = MinFileSize = 0;
    MaxkBytes = 0;
    BytesSoFar = 0;
}

} // namespace

class TestHttpRunSizes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup() { ResetLimits(); }
    void sizes_data();
    void sizes();
    void volume_data();
    void volume();
    void relocatedBytesCountOnce_data();
    void relocatedBytesCountOnce();
};

void TestHttpRunSizes::sizes_data()
{
    QTest::addColumn<int>("maxFileSize");
    QTest::addColumn<int>("minFileSize");
    QTest::addColumn<bool>("withLength");
    QTest::addColumn<QStringList>("saved");
    QTest::addColumn<QByteArray>("logged");
    // big.bin 3000 bytes, small.bin 500, ok.bin 1500: every one is recorded as done.
    QTest::newRow("largest size") << 2 << 0 << true
                                  << QStringList{"index.html", "ok.bin", "small.bin"}
                                  << QByteArray("Size of file exceeds MaxFileSize!");
    QTest::newRow("largest size, no length")
        << 2 << 0 << false << QStringList{"index.html", "ok.bin", "small.bin"}
        << QByteArray("Size of file exceeds MaxFileSize!");
    QTest::newRow("smallest size")
        << 0 << 1 << true << QStringList{"big.bin", "index.html", "ok.bin"} << QByteArray();
    QTest::newRow("smallest size, no length")
        << 0 << 1 << false << QStringList{"big.bin", "index.html", "ok.bin"}
        << QByteArray("File deleted (Size of file smaller than MinFileSize)");
    QTest::newRow("both") << 2 << 1 << true << QStringList{"index.html", "ok.bin"} << QByteArray();
}

void TestHttpRunSizes::sizes()
{
    QFETCH(int, maxFileSize);
    QFETCH(int, minFileSize);
    QFETCH(bool, withLength);
    QFETCH(QStringList, saved);
    QFETCH(QByteArray, logged);
    HttpTestServer server;
    Serve(server,
          {{"big.bin", Binary(3000, withLength)},
           {"small.bin", Binary(500, withLength)},
           {"ok.bin", Binary(1500, withLength)}},
          300);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    LocalBrowsing = 1;
    Timeout = 10;
    MaxFileSize = maxFileSize;
    MinFileSize = minFileSize;

    QVERIFY(!StartRun());

    QCOMPARE(SavedNames().join(QLatin1Char(' ')), saved.join(QLatin1Char(' ')));
    QCOMPARE(GotRecords(), 4);
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
    if (!logged.isEmpty())
        QVERIFY(Log().contains(logged));
    QCOMPARE(ReadFile(QStringLiteral("site/ok.bin")), QByteArray(1500, 'x'));
}

void TestHttpRunSizes::volume_data()
{
    QTest::addColumn<int>("maxkBytes");
    QTest::addColumn<QByteArrayList>("requested");
    QTest::addColumn<bool>("ended");
    // The start page and a.bin have 1024 bytes each, b.bin one byte.
    const QByteArrayList all{"/index.html", "/a.bin", "/b.bin"};
    QTest::newRow("volume never reached") << 5 << all << false;
    QTest::newRow("one byte over") << 2 << all << true;
    QTest::newRow("over after the second file")
        << 1 << QByteArrayList{"/index.html", "/a.bin"} << true;
}

void TestHttpRunSizes::volume()
{
    QFETCH(int, maxkBytes);
    QFETCH(QByteArrayList, requested);
    QFETCH(bool, ended);
    HttpTestServer server;
    Serve(server, {{"a.bin", Binary(1024)}, {"b.bin", Binary(1)}}, 1024);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    Timeout = 10;
    MaxkBytes = maxkBytes;
    MsgBoxScript boxes;
    if (ended)
        boxes
            .expect(LanguageText[244] + QStringLiteral("\r\n") + LanguageText[245], platform::vbOK,
                    MsgBoxScript::Match::Contains)
            .withStyle(64)
            .withTitle(QStringLiteral("Kelpa"));

    const bool programEnded = RunUntilVolume();

    KELPA_VERIFY_MSGBOXES(boxes);
    QCOMPARE(programEnded, ended);
    QCOMPARE(Targets(server), requested);
    QCOMPARE(GotRecords(), requested.size());
    if (ended)
        QVERIFY(Log().contains("******Max Kbytes ("));
}

void TestHttpRunSizes::relocatedBytesCountOnce_data()
{
    QTest::addColumn<QByteArray>("kind");
    QTest::addColumn<int>("maxkBytes");
    QTest::addColumn<bool>("ended");
    // The start page has 1024 bytes, the file behind the first answer 300 KB.
    for (const char* kind : {"301", "PNG substitute"}) {
        QTest::newRow((QByteArray(kind) + ", volume left").constData())
            << QByteArray(kind) << 400 << false;
        QTest::newRow((QByteArray(kind) + ", volume used up").constData())
            << QByteArray(kind) << 300 << true;
    }
}

// The bytes of a file reached through a relocation or a PNG substitute count
// once, in the totals and against the download volume.
void TestHttpRunSizes::relocatedBytesCountOnce()
{
    QFETCH(QByteArray, kind);
    QFETCH(int, maxkBytes);
    QFETCH(bool, ended);
    HttpTestServer server;
    const QByteArray large(300 * 1024, 'l');
    const bool png = kind.startsWith("PNG");
    const QByteArray first = png ? "big.png" : "big.bin";
    if (png) {
        server.setAnswer("/big.png", HttpAnswer::page("\x89PNG\r\n\x1a\n", "image/png"));
        server.setAnswer("/big.png.gif", HttpAnswer::page("GIF89a" + large, "image/gif"));
    } else {
        server.setAnswer("/big.bin",
                         HttpAnswer::redirect("/files/big.bin", "HTTP/1.0 301 Moved Permanently"));
        server.setAnswer("/files/big.bin", HttpAnswer::page(large, "application/octet-stream"));
    }
    server.setAnswer("/index.html", HttpAnswer::page(StartPage({first}, 1024)));
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    Timeout = 10;
    RecvBuffer = 8192;
    MaxkBytes = maxkBytes;
    MsgBoxScript boxes;
    if (ended)
        boxes.expect(LanguageText[244], platform::vbOK, MsgBoxScript::Match::Contains);

    const bool programEnded = RunUntilVolume();

    KELPA_VERIFY_MSGBOXES(boxes);
    QCOMPARE(programEnded, ended);
    const int64_t total = 1024 + large.size() + (png ? 6 : 0);
    QCOMPARE(BytesLoaded, total);
    QCOMPARE(BytesKept, total);
    QCOMPARE(Log().contains("******Max Kbytes ("), ended);
    if (ended)
        QVERIFY(Log().contains("******Max Kbytes (" + QByteArray::number(total / 1024) + ")"));
}

KELPA_TEST_MAIN(TestHttpRunSizes)
#include "test_http_run_sizes.moc"
