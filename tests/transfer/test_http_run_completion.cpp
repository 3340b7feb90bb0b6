// A run stopped in the middle of a transfer, then completed: the completion
// fetches exactly what the stopped run left in KELPA.NOT, into the folder
// that run saved into.

#include "settings/FormOptions.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QTimer>

using namespace testsupport;
using namespace KELPA;

namespace {

// The start page links to four pages; each of them links back to the start
// page and to the first page, which the completion finds loaded already.
const SitePages Pages{
    {"/index.html", "<html><a href=\"/a.html\">a</a><a href=\"/b.html\">b</a>"
                    "<a href=\"/c.html\">c</a><a href=\"/d.html\">d</a></html>"},
    {"/a.html", "<html><a href=\"/index.html\">i</a></html>"},
    {"/b.html", "<html><a href=\"/index.html\">i</a><a href=\"/a.html\">a</a></html>"},
    {"/c.html", "<html><a href=\"/a.html\">a</a></html>"},
    {"/d.html", "<html><a href=\"/index.html\">i</a></html>"},
};

const QByteArray Png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR picture", 24);

QByteArrayList NotLoadedUrls()
{
    QByteArrayList urls;
    const QByteArrayList lines = ReadFile(QStringLiteral("KELPA.NOT")).split('\n');
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2)
        urls.append(lines[i].trimmed());
    return urls;
}

} // namespace

class TestHttpRunCompletion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup()
    {
        if (OptionsOpen == 1)
            FormOptions::Instance().Unload();
    }
    void completeAfterStop();
    void completionSavesWhereTheRunSaved_data();
    void completionSavesWhereTheRunSaved();
    void pngSubstituteFails_data();
    void pngSubstituteFails();
};

void TestHttpRunCompletion::completeAfterStop()
{
    FormKelpa& form = FormKelpa::Instance();
    HttpTestServer server;
    ServeSite(server, Pages);
    HttpAnswer held = HttpAnswer::page(Pages[2].second);
    held.delayMs = 3000;
    server.setAnswer("/b.html", held);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    LocalBrowsing = 1;
    Timeout = 10;

    // The user stops the run while b.html is on its way.
    MsgBoxScript boxes;
    boxes.expect(LanguageText[319], platform::vbYes)
        .withStyle(292)
        .withTitle(QStringLiteral("Kelpa"));
    QTimer stopper;
    stopper.setInterval(10);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (!Targets(server).contains("/b.html"))
            return;
        stopper.stop();
        platform::runGuarded([&] { form.CommandStop_Click(); });
    });
    stopper.start();
    QVERIFY(!StartRun());
    KELPA_VERIFY_MSGBOXES(boxes);
    QCOMPARE(Targets(server), (QByteArrayList{"/index.html", "/a.html", "/b.html"}));
    QVERIFY(QFile::exists(QStringLiteral("site/a.html")));
    QVERIFY(!QFile::exists(QStringLiteral("site/b.html")));
    const QByteArray base = "http://" + server.url("/");
    const QByteArrayList left = NotLoadedUrls();
    QCOMPARE(left, (QByteArrayList{base + "b.html", base + "c.html", base + "d.html"}));

    // The completion: only what KELPA.NOT held is fetched.
    ServeSite(server, Pages);
    const qsizetype before = server.requests().size();
    if (!form.OptionContinue->isChecked())
        form.OptionContinue->setChecked(true);
    QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), ReadFile(QStringLiteral("KELPA.NOT")));
    QVERIFY(!StartRun());

    QCOMPARE(Targets(server).mid(before), (QByteArrayList{"/b.html", "/c.html", "/d.html"}));
    QCOMPARE(SavedNames().join(QLatin1Char(' ')),
             QStringLiteral("a.html b.html c.html d.html index.html"));
    QCOMPARE(GotRecords(), 5);
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
    QVERIFY(form.OptionNew->isChecked());
    int rewritten = 0;
    const QStringList broken = BrokenLinks(rewritten);
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(QLatin1String(", "))));
}

void TestHttpRunCompletion::completionSavesWhereTheRunSaved_data()
{
    QTest::addColumn<QString>("start"); // what starts the completion
    QTest::addColumn<int>("autoSave");  // SaveSettingsAutomatically
    QTest::newRow("the window, the directory changed before") << QStringLiteral("window") << 0;
    QTest::newRow("the same, settings saved automatically") << QStringLiteral("window") << 1;
    QTest::newRow("the offer of a new start") << QStringLiteral("new start") << 0;
    QTest::newRow("the offer after an abrupt end") << QStringLiteral("abrupt end") << 0;
}

// A run into "mirror" leaves b.html unfinished while the settings name
// "cache": the completion saves into "mirror", shown in the options window,
// the settings file keeps "cache", and afterwards a new search would save
// where the setting says.
void TestHttpRunCompletion::completionSavesWhereTheRunSaved()
{
    QFETCH(QString, start);
    QFETCH(int, autoSave);
    FormKelpa& form = FormKelpa::Instance();
    FormOptions& options = FormOptions::Instance();
    HttpTestServer server;
    const SitePages pages{{"/index.html", "<html><a href=\"/b.html\">b</a></html>"},
                          {"/b.html", "<html>b whole</html>"}};
    ServeSite(server, pages);
    HttpAnswer reset;
    reset.reset = true;
    server.setAnswer("/b.html", reset);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    Directory = QStringLiteral("mirror");
    Timeout = 10;
    SaveSettingsAutomatically = int16_t(autoSave);
    const QByteArray settings = "Language=english\r\nDirectory=cache\r\nSubDirectories=0\r\n"
                                "SaveSettingsAutomatically=0\r\nTimeout=10\r\n";
    WriteFile(QStringLiteral("KELPA.INI"), settings);
    const QString question =
        QStringLiteral("(1 link: http://") + QLatin1String(server.url("/b.html"));
    MsgBoxScript boxes;
    boxes.expect(question, platform::vbNo, MsgBoxScript::Match::Contains);
    QVERIFY(!StartRun());
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).contains("/b.html"));
    ServeSite(server, pages);

    if (start == QLatin1String("window")) {
        options.Load();
        options.TextDirectory->setText(QStringLiteral("cache"));
        form.OptionContinue->setChecked(true);
        QCOMPARE(options.TextDirectory->text(), platform::CurDir() + QStringLiteral("\\mirror\\"));
        QVERIFY(!StartRun());
        QCOMPARE(options.TextDirectory->text(), QStringLiteral("cache"));
        options.Unload();
    } else {
        if (start == QLatin1String("abrupt end")) {
            WriteFile(QStringLiteral("KELPA.TMP"), "");
            boxes.expect(QStringLiteral("Last time the program was abruptly terminated."),
                         platform::vbOK, MsgBoxScript::Match::Contains);
        }
        boxes.expect(question, platform::vbYes, MsgBoxScript::Match::Contains);
        options.OptionsFirstShown = 0;
        QVERIFY(!StartProgram());
        platform::ReleaseLockFile();
    }
    KELPA_VERIFY_MSGBOXES(boxes);
    QVERIFY(ReadFile(QStringLiteral("mirror/b.html")).contains("<html>b whole</html>"));
    QVERIFY(!QFileInfo::exists(QStringLiteral("cache")));
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
    QCOMPARE(Directory, QStringLiteral("cache"));
    QVERIFY(ReadFile(QStringLiteral("KELPA.INI")).contains("\r\nDirectory=cache\r\n"));
}

void TestHttpRunCompletion::pngSubstituteFails_data()
{
    QTest::addColumn<QList<HttpAnswer>>("png");
    QTest::addColumn<QList<HttpAnswer>>("gif");
    QTest::addColumn<QByteArrayList>("asked");
    const HttpAnswer png = HttpAnswer::page(Png, "image/png");
    const HttpAnswer gif = HttpAnswer::page("GIF89a substitute", "image/gif");
    HttpAnswer reset;
    reset.reset = true;
    const QByteArrayList substituted{"/x.png", "/x.png.gif"};
    const QByteArrayList again{"/x.png", "/x.png.gif", "/x.png"};
    QTest::newRow("substitute reset") << QList{png} << QList{reset} << substituted;
    QTest::newRow("substitute cut short") << QList{png} << QList{gif.cutShort(4)} << substituted;
    QTest::newRow("substitute missing, the PNG again reset")
        << QList{png, reset} << QList{HttpAnswer::notFound()} << again;
    QTest::newRow("substitute refused, the PNG again cut short")
        << QList{png, png.cutShort(4)}
        << QList{HttpAnswer::error("HTTP/1.0 503 Service Unavailable", "busy")} << again;
}

// Whatever request of a PNG's substitution fails, what the run leaves in
// KELPA.NOT is the PNG itself, once and under its own name, and a completion
// saves it.
void TestHttpRunCompletion::pngSubstituteFails()
{
    QFETCH(QList<HttpAnswer>, png);
    QFETCH(QList<HttpAnswer>, gif);
    QFETCH(QByteArrayList, asked);
    FormKelpa& form = FormKelpa::Instance();
    HttpTestServer server;
    server.setAnswers("/x.png", png);
    server.setAnswers("/x.png.gif", gif);
    const QByteArray url = "http://" + server.url("/x.png");
    PrepareRun(QString::fromLatin1(url), 1);
    LocalBrowsing = 1;
    Timeout = 10;

    MsgBoxScript boxes;
    boxes
        .expect(QStringLiteral("(1 link: ") + QString::fromLatin1(url) + QStringLiteral(")"),
                platform::vbNo, MsgBoxScript::Match::Contains)
        .withStyle(547);
    QVERIFY(!StartRun());
    KELPA_VERIFY_MSGBOXES(boxes);
    QCOMPARE(Targets(server), asked);
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), url + "\r\nx.png\r\n");

    // The server has no substitute now: the completion saves the PNG itself.
    server.setAnswer("/x.png", HttpAnswer::page(Png, "image/png"));
    server.setAnswer("/x.png.gif", HttpAnswer::notFound());
    const qsizetype before = server.requests().size();
    form.OptionContinue->setChecked(true);
    QVERIFY(!StartRun());

    QCOMPARE(Targets(server).mid(before), (QByteArrayList{"/x.png", "/x.png.gif", "/x.png"}));
    QCOMPARE(ReadFile(QStringLiteral("site/x.png")), Png);
    QVERIFY(ReadFile(QStringLiteral("KELPA.GOT")).endsWith(url + "\r\nx.png\r\n"));
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).isEmpty());
}

KELPA_TEST_MAIN(TestHttpRunCompletion)
#include "test_http_run_completion.moc"
