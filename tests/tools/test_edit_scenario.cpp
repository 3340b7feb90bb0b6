// A new user's way through the list editor: a site on the loopback server
// whose pages also link to pages on two ports where nothing listens. The run
// records the refused links in KELPA.NOT; the editor lists what was loaded
// and what was not, removes the links of one dead port, arranges by a page
// name, copies a URL and moves the log into the trash.

#include "platform/shell/Desktop.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/tools/EditFixture.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

using namespace testsupport;
using namespace KELPA;

namespace {

QByteArray DeadLinks()
{
    QByteArray links;
    for (int i = 1; i <= 5; ++i)
        links += "<a href=\"http://127.0.0.1:9/nine" + QByteArray::number(i) + ".html\">n</a>";
    for (int i = 1; i <= 3; ++i)
        links += "<a href=\"http://127.0.0.1:8/eight" + QByteArray::number(i) + ".html\">e</a>";
    return links;
}

const SitePages Pages{
    {"/index.html",
     "<html><a href=\"/a.html\">a</a><a href=\"/b.html\">b</a>" + DeadLinks() + "</html>"},
    {"/a.html", "<html><a href=\"/index.html\">i</a>" + DeadLinks() + "</html>"},
    {"/b.html", "<html><a href=\"/a.html\">a</a></html>"},
};

int NotRecords()
{
    return int(ReadFile(QStringLiteral("KELPA.NOT")).count("\r\n") / 2);
}

} // namespace

class TestEditScenario : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void newUserThinsTheUnloadedLinks();
};

void TestEditScenario::newUserThinsTheUnloadedLinks()
{
    FormKelpa& main = FormKelpa::Instance();
    HttpTestServer server;
    ServeSite(server, Pages);
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 2);
    UseRecycleBin = 1;
    Timeout = 10;
    main.show();
    QApplication::setActiveWindow(&main);
    main.CommandStart->setEnabled(true);
    main.MenuEntry("MenuStart")->setEnabled(true);

    // Go: the site is mirrored, the refused links land in KELPA.NOT, and the
    // completion offer is declined.
    {
        MsgBoxScript boxes;
        boxes.expect(LanguageText[403], platform::vbNo, MsgBoxScript::Match::Contains);
        QTest::keyClick(&main, Qt::Key_F5);
        KELPA_VERIFY_MSGBOXES(boxes);
    }
    QCOMPARE(Running, int16_t(0));
    QVERIFY(QFile::exists(QStringLiteral("site/a.html")));
    QCOMPARE(NotRecords(), 8);

    // View, Read and Edit: what was loaded, then what was not.
    main.MenuEntry("MenuEdit")->trigger();
    QCOMPARE(EditOpen, int16_t(1));
    Editor().CommandGot->click();
    QCOMPARE(Editor().LabelLinkInfo->text(),
             QStringLiteral("KELPA.GOT, %1 links:").arg(GotRecords()));
    Editor().CommandNot->click();
    QCOMPARE(Editor().LabelLinkInfo->text(), QStringLiteral("KELPA.NOT, 8 links:"));

    // Remove the dead port 9.
    {
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("5 links of 8 found. Do you want to continue?"),
                     platform::vbYes);
        QTest::keyClicks(Editor().TextArrangeRemove, QStringLiteral(":9/"));
        Editor().CommandRemove->click();
        KELPA_VERIFY_MSGBOXES(boxes);
    }
    QCOMPARE(NotRecords(), 3);
    QVERIFY(!ReadFile(QStringLiteral("KELPA.NOT")).contains(":9/"));
    QVERIFY(Log().endsWith("Remove links (KELPA.NOT): 5 link(s) with ':9/' found.\r\n"));
    QCOMPARE(Editor().LabelLinkInfo->text(), QStringLiteral("KELPA.NOT, 3 links:"));

    // Arrange by a page name: its record comes first.
    {
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("1 link of 3 found. Do you want to continue?"),
                     platform::vbYes);
        Editor().TextArrangeRemove->setText(QStringLiteral("eight3"));
        QTest::keyClick(Editor().TextArrangeRemove, Qt::Key_Return);
        KELPA_VERIFY_MSGBOXES(boxes);
    }
    QVERIFY(ReadFile(QStringLiteral("KELPA.NOT")).startsWith("http://127.0.0.1:8/eight3.html\r\n"));

    // A double click puts the URL on the clipboard; the browser is declined.
    {
        MsgBoxScript boxes;
        boxes.expect(LanguageText[92], platform::vbNo);
        const QModelIndex first = Editor().Lines->index(0);
        const QPoint at = Editor().ListRead->visualRect(first).center();
        QTest::mouseClick(Editor().ListRead->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Editor().ListRead->viewport(), Qt::LeftButton, {}, at);
        KELPA_VERIFY_MSGBOXES(boxes);
    }
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("http://127.0.0.1:8/eight3.html"));

    // The log goes into the trash.
    Editor().CommandDeleteLog->click();
    QVERIFY(QFile::exists(qEnvironmentVariable("XDG_DATA_HOME") +
                          QStringLiteral("/Trash/files/KELPA.LOG")));
    QVERIFY(!QFile::exists(QStringLiteral("KELPA.LOG")));
    QCOMPARE(Editor().FrameLog->title(), QStringLiteral("KELPA.LOG (0 bytes)"));
    QVERIFY(!QFile::exists(QStringLiteral("~.tmp")));
}

KELPA_TEST_MAIN(TestEditScenario)
#include "test_edit_scenario.moc"
