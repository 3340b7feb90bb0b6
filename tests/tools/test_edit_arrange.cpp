// Arrange and remove over KELPA.NOT: which records move or go, the question
// and its answers, the scratch file, a replacement that cannot be made, the
// continuation list, a run started while the question waits, and the keys
// and texts that start the commands.

#include "platform/msgbox/MsgBox.h"
#include "tests/main/RunFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/tools/EditFixture.h"

#include <QFile>
#include <QTest>

using namespace testsupport;
using namespace KELPA;

namespace {

const QByteArray A = "http://a.example/one.html\r\none.html\r\n";
const QByteArray B = "http://B.example/Banner/two.gif\r\ntwo.gif\r\n";
const QByteArray C = "http://c.example/three.html\r\nbanner-name.html\r\n";
const QByteArray D = "http://d.example/banner4.gif\r\nfour.gif\r\n";
const QByteArray E = "http://e.example/a b.htm\r\nab.htm\r\n";
const QByteArray Five = A + B + C + D + E;

const QString ArrangeTitle = QStringLiteral("Kelpa [Arrange links in KELPA.NOT]");
const QString RemoveTitle = QStringLiteral("Kelpa [Remove links in KELPA.NOT]");

QString Question(int selected, int total)
{
    return selected == 1 ? QStringLiteral("1 link of %1 found. Do you want to continue?").arg(total)
                         : QStringLiteral("%1 links of %2 found. Do you want to continue?")
                               .arg(selected)
                               .arg(total);
}

// Types search into the editor and clicks arrange or remove.
void Command(bool arrange, const QString& search)
{
    Editor().TextArrangeRemove->setText(search);
    (arrange ? Editor().CommandArrange : Editor().CommandRemove)->click();
}

} // namespace

class TestEditArrange : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void init()
    {
        OpenEditorIdle();
        FormKelpa::Instance().OptionNew->setChecked(true);
    }
    void cleanup() { QObject::disconnect(&Editor(), &FormEdit::recordListed, nullptr, nullptr); }

    void commandsOverKelpaNot_data()
    {
        QTest::addColumn<bool>("arrange");
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("arrange many, case-blind, host too")
            << true << "BANNER" << 2 << int(platform::vbYes) << B + D + A + C + E;
        QTest::newRow("arrange one")
            << true << " d.example " << 1 << int(platform::vbYes) << D + A + B + C + E;
        QTest::newRow("arrange all keeps the order")
            << true << "http://" << 5 << int(platform::vbYes) << Five;
        QTest::newRow("arrange answered No")
            << true << "banner" << 2 << int(platform::vbNo) << Five;
        QTest::newRow("arrange by inner blanks")
            << true << "  A B  " << 1 << int(platform::vbYes) << E + A + B + C + D;
        QTest::newRow("remove many") << false << "banner" << 2 << int(platform::vbYes) << A + C + E;
        QTest::newRow("remove one")
            << false << "ONE.html" << 1 << int(platform::vbYes) << B + C + D + E;
        QTest::newRow("remove all")
            << false << "example" << 5 << int(platform::vbYes) << QByteArray();
        QTest::newRow("remove answered No")
            << false << "banner" << 2 << int(platform::vbNo) << Five;
        QTest::newRow("name line alone selects nothing")
            << false << "banner-name" << 0 << 0 << Five;
        QTest::newRow("inner blanks count") << true << "ab.htm x" << 0 << 0 << Five;
    }
    void commandsOverKelpaNot()
    {
        QFETCH(bool, arrange);
        QFETCH(QString, search);
        QFETCH(int, selected);
        QFETCH(int, answer);
        QFETCH(QByteArray, after);
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        MsgBoxScript boxes;
        if (selected == 0)
            boxes.expect(QStringLiteral("No links found."), platform::vbOK)
                .withStyle(48)
                .withTitle(QStringLiteral("Kelpa [KELPA.NOT]"));
        else
            boxes.expect(Question(selected, 5), answer)
                .withStyle(36)
                .withTitle(arrange ? ArrangeTitle : RemoveTitle);
        Command(arrange, search);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), after);
        QVERIFY(!QFile::exists(QStringLiteral("~.tmp")));
        const QByteArray line =
            (arrange ? "Arrange links (KELPA.NOT): " : "Remove links (KELPA.NOT): ") +
            QByteArray::number(selected) + " link(s) with '" + search.trimmed().toUtf8() +
            "' found.\r\n";
        const bool replaced = answer == platform::vbYes;
        QCOMPARE(Log().endsWith(line), replaced);
        if (replaced)
            QCOMPARE(Listed().join(QString()).toUtf8(), QByteArray(after).replace("\r\n", ""));
        QVERIFY(Editor().TextArrangeRemove->isEnabled());
        QVERIFY(Editor().CommandArrange->isEnabled());
        QVERIFY(StartEnabled());
    }

    void missingOrEmptyList()
    {
        {
            MsgBoxScript boxes;
            boxes.expect(QStringLiteral("No data found!"), platform::vbOK)
                .withStyle(16)
                .withTitle(QStringLiteral("Kelpa [KELPA.NOT]"));
            Command(false, QStringLiteral("x"));
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        WriteFile(QStringLiteral("KELPA.NOT"), QByteArray());
        MsgBoxScript none;
        Command(true, QStringLiteral("x"));
        KELPA_VERIFY_MSGBOXES(none);
        QVERIFY(!QFile::exists(QStringLiteral("~.tmp")));
    }

    // A last record of one line goes back as its URL and an empty name line.
    void oddLastRecordIsCompleted()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), A + "http://z.example/odd");
        MsgBoxScript boxes;
        boxes.expect(Question(1, 2), platform::vbYes);
        Command(true, QStringLiteral("z.example"));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), "http://z.example/odd\r\n\r\n" + A);
    }

    // A scratch file left from an earlier crash never reaches the list, and
    // none is left behind.
    void leftoverScratchFileIsNeverUsed()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        WriteFile(QStringLiteral("~.tmp"),
                  "http://stale/\r\nstale\r\nhttp://stale2/\r\nstale2\r\n");
        MsgBoxScript boxes;
        boxes.expect(Question(1, 5), platform::vbYes);
        Command(false, QStringLiteral("a b"));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), A + B + C + D);
        QVERIFY(!QFile::exists(QStringLiteral("~.tmp")));
    }

    // The scratch file spoiled while the question waited: KELPA.NOT keeps
    // its records, nothing is logged, the scratch file goes.
    void failedReplacementKeepsTheList_data()
    {
        QTest::addColumn<bool>("removed");
        QTest::newRow("scratch file removed") << true;
        QTest::newRow("scratch file cut short") << false;
    }
    void failedReplacementKeepsTheList()
    {
        QFETCH(bool, removed);
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        const platform::MsgBoxHandler previous =
            platform::SetMsgBoxHandler([removed](const QString&, int, const QString&) {
                if (removed)
                    QFile::remove(QStringLiteral("~.tmp"));
                else
                    QFile::resize(QStringLiteral("~.tmp"), 10);
                return int(platform::vbYes);
            });
        Command(false, QStringLiteral("banner"));
        platform::SetMsgBoxHandler(previous);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Five);
        QVERIFY(!Log().contains("Remove links"));
        QVERIFY(!QFile::exists(QStringLiteral("~.tmp")));
    }

    // With continuing selected, the continuation list follows the new list;
    // removing every record leaves nothing to continue.
    void continuationFollowsTheNewList_data()
    {
        QTest::addColumn<bool>("arrange");
        QTest::addColumn<QString>("search");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("arrange") << true << "banner" << B + D + A + C + E;
        QTest::newRow("remove some") << false << "banner" << A + C + E;
        QTest::newRow("remove all") << false << "http" << QByteArray();
    }
    void continuationFollowsTheNewList()
    {
        QFETCH(bool, arrange);
        QFETCH(QString, search);
        QFETCH(QByteArray, after);
        FormKelpa& main = FormKelpa::Instance();
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        main.OptionContinue->setEnabled(true);
        main.OptionContinue->setChecked(true);
        QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), Five);
        MsgBoxScript boxes;
        boxes.expect(QString(), platform::vbYes, MsgBoxScript::Match::Contains);
        Command(arrange, search);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), after);
        if (after.isEmpty()) {
            QVERIFY(!main.OptionNew->isEnabled());
            QVERIFY(!main.OptionContinue->isEnabled());
        } else {
            QVERIFY(main.OptionContinue->isChecked());
            QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), after);
        }
        main.OptionNew->setEnabled(true);
        main.OptionContinue->setEnabled(true);
        main.OptionNew->setChecked(true);
    }

    // Without continuing selected the start options stay as they are.
    void startOptionsUntouchedWhenNotContinuing()
    {
        FormKelpa& main = FormKelpa::Instance();
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        MsgBoxScript boxes;
        boxes.expect(Question(5, 5), platform::vbYes);
        Command(false, QStringLiteral("example"));
        QVERIFY(main.OptionNew->isChecked());
        QVERIFY(main.OptionNew->isEnabled());
        QVERIFY(!QFile::exists(QStringLiteral("COMPLETE.ENP")));
    }

    // A run started while the question waits rewrites KELPA.NOT and may use
    // the scratch file: the command then leaves both to the run.
    void runStartedFromTheQuestionKeepsItsList()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 0);
        TransferDouble transfer(LevelSite({QStringLiteral("c.html"), QStringLiteral("d.html")}));
        if (EditOpen == 0)
            Editor().Load();
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        QByteArray afterRun;
        const platform::MsgBoxHandler previous =
            platform::SetMsgBoxHandler([&afterRun](const QString& prompt, int, const QString&) {
                if (!prompt.startsWith(QLatin1String("2 links of 5")))
                    return int(platform::vbNo);
                StartRun();
                afterRun = ReadFile(QStringLiteral("KELPA.NOT"));
                return int(platform::vbYes);
            });
        Command(true, QStringLiteral("banner"));
        platform::SetMsgBoxHandler(previous);
        QVERIFY(!transfer.fetched.isEmpty());
        QVERIFY(afterRun != B + D + A + C + E);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), afterRun);
        QVERIFY(!Log().contains("Arrange links"));
        QCOMPARE(Running, int16_t(0));
    }

    // Enter arranges and never removes.
    void enterArranges()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        Editor().TextArrangeRemove->setText(QStringLiteral("banner"));
        MsgBoxScript boxes;
        boxes.expect(Question(2, 5), platform::vbNo).withTitle(ArrangeTitle);
        QTest::keyClick(Editor().TextArrangeRemove, Qt::Key_Return);
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    // Delete removes and Insert arranges by the selected line; a blank text
    // or line starts nothing.
    void keysAndBlankTexts_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("title");
        QTest::newRow("Delete on a URL") << int(Qt::Key_Delete) << 2 << RemoveTitle;
        QTest::newRow("Insert on a URL") << int(Qt::Key_Insert) << 2 << ArrangeTitle;
        QTest::newRow("Delete on a blank line") << int(Qt::Key_Delete) << 0 << QString();
        QTest::newRow("Insert on a blank line") << int(Qt::Key_Insert) << 0 << QString();
    }
    void keysAndBlankTexts()
    {
        QFETCH(int, key);
        QFETCH(int, row);
        QFETCH(QString, title);
        WriteFile(QStringLiteral("KELPA.NOT"), "   \r\nblank\r\n" + A);
        Editor().CommandNot->click();
        Editor().ListRead->setCurrentIndex(Editor().Lines->index(row));
        MsgBoxScript boxes;
        if (!title.isEmpty())
            boxes.expect(Question(1, 2), platform::vbNo).withTitle(title);
        QTest::keyClick(Editor().ListRead, Qt::Key(key));
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    void blankSearchTextStartsNothing()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        Editor().TextArrangeRemove->setText(QStringLiteral("   "));
        QVERIFY(!Editor().CommandArrange->isEnabled());
        QVERIFY(!Editor().CommandRemove->isEnabled());
        MsgBoxScript none;
        Editor().CommandRemove_Click();
        QTest::keyClick(Editor().TextArrangeRemove, Qt::Key_Return);
        KELPA_VERIFY_MSGBOXES(none);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Five);
    }

    // While a listing runs the commands and keys do nothing.
    void commandsWaitForNoListing()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        Editor().TextArrangeRemove->setText(QStringLiteral("banner"));
        connect(&Editor(), &FormEdit::recordListed, this, [](int32_t count) {
            if (count != 1)
                return;
            Editor().CommandRemove_Click();
            Editor().CommandArrange_Click();
            Editor().TextArrangeRemove_KeyPress(13);
            Editor().ListRead_KeyDown(46);
        });
        MsgBoxScript none;
        Editor().CommandNot->click();
        KELPA_VERIFY_MSGBOXES(none);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Five);
        QCOMPARE(Listed().size(), 10);
    }

    // A close asked while the question waits closes the window when the
    // command ends; the command still completes. Meanwhile no run may start.
    void closeDuringACommandIsDeferred()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), Five);
        bool closed = true;
        bool startDuring = true;
        const platform::MsgBoxHandler previous =
            platform::SetMsgBoxHandler([&](const QString&, int, const QString&) {
                startDuring = StartEnabled();
                closed = Editor().Unload();
                return int(platform::vbYes);
            });
        Command(false, QStringLiteral("banner"));
        platform::SetMsgBoxHandler(previous);
        QVERIFY(!closed);
        QVERIFY(!startDuring); // no run can be started while the command waits
        QCOMPARE(EditOpen, int16_t(0));
        QCOMPARE(Editor().ListingState, int16_t(0));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), A + C + E);
        QVERIFY(StartEnabled());
    }
};

KELPA_TEST_MAIN(TestEditArrange)
#include "test_edit_arrange.moc"
