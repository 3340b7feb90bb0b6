// A run stopped in the middle of a transfer, then completed: the completion
// fetches exactly what the stopped run left in KELPA.NOT.

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
    void completeAfterStop();
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

KELPA_TEST_MAIN(TestHttpRunCompletion)
#include "test_http_run_completion.moc"
