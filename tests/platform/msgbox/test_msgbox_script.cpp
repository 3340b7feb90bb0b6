// The scripted answers that stand in for the real box in tests.

#include "platform/msgbox/MsgBox.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

using namespace platform;
using testsupport::MsgBoxScript;
using Match = MsgBoxScript::Match;

Q_DECLARE_METATYPE(MsgBoxScript::Match)

class TestMsgBoxScript : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void answersInOrderAndRecords()
    {
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("Exit the program?"), vbYes)
            .withStyle(68)
            .withTitle(QStringLiteral("Kelpa"));
        boxes.expect(QStringLiteral("Remove all Entries?"), vbNo);

        QCOMPARE(MsgBox(QStringLiteral("Exit the program?"), 68, QStringLiteral("Kelpa")), 6);
        QCOMPARE(boxes.pending(), 1);
        QCOMPARE(MsgBox(QStringLiteral("Remove all Entries?"), 292, QStringLiteral("Kelpa")), 7);

        QCOMPARE(boxes.shown().size(), 2);
        QCOMPARE(boxes.shown().at(1).prompt, QStringLiteral("Remove all Entries?"));
        QCOMPARE(boxes.shown().at(1).style, 292);
        QCOMPARE(boxes.shown().at(1).title, QStringLiteral("Kelpa"));
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    void boxMatchesExpectation_data()
    {
        QTest::addColumn<QString>("expected");
        QTest::addColumn<Match>("match");
        QTest::addColumn<int>("expectedStyle");     // -1: any
        QTest::addColumn<QString>("expectedTitle"); // null: any
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("accepted");

        const QString any;
        const QString kelpa = QStringLiteral("Kelpa");
        const QString twoLines = QStringLiteral("Transfer/Link-search incomplete!\r\n\r\nLater?");
        QTest::newRow("exact") << twoLines << Match::Exact << -1 << any << twoLines << 35 << true;
        QTest::newRow("exact, other line ends")
            << twoLines << Match::Exact << -1 << any
            << QStringLiteral("Transfer/Link-search incomplete!\n\nLater?") << 35 << false;
        QTest::newRow("contains") << QStringLiteral("incomplete") << Match::Contains << -1 << any
                                  << twoLines << 35 << true;
        QTest::newRow("contains, absent") << QStringLiteral("complete!!") << Match::Contains << -1
                                          << any << twoLines << 35 << false;
        QTest::newRow("pattern") << QStringLiteral("^Transfer.*\\r\\n") << Match::Pattern << -1
                                 << any << twoLines << 35 << true;
        QTest::newRow("pattern, no match")
            << QStringLiteral("^Later") << Match::Pattern << -1 << any << twoLines << 35 << false;
        QTest::newRow("style") << twoLines << Match::Exact << 35 << any << twoLines << 35 << true;
        QTest::newRow("wrong style")
            << twoLines << Match::Exact << 36 << any << twoLines << 35 << false;
        QTest::newRow("title") << twoLines << Match::Exact << -1 << kelpa << twoLines << 35 << true;
        QTest::newRow("wrong title") << twoLines << Match::Exact << -1
                                     << QStringLiteral("Kelpa [x]") << twoLines << 35 << false;
    }

    void boxMatchesExpectation()
    {
        QFETCH(QString, expected);
        QFETCH(Match, match);
        QFETCH(int, expectedStyle);
        QFETCH(QString, expectedTitle);
        QFETCH(QString, prompt);
        QFETCH(int, style);
        QFETCH(bool, accepted);

        MsgBoxScript boxes;
        boxes.setFailTest(false);
        boxes.expect(expected, vbNo, match);
        if (expectedStyle >= 0)
            boxes.withStyle(expectedStyle);
        if (!expectedTitle.isNull())
            boxes.withTitle(expectedTitle);

        QCOMPARE(MsgBox(prompt, style, QStringLiteral("Kelpa")), accepted ? vbNo : vbCancel);
        QCOMPARE(boxes.verify(), accepted);
        QCOMPARE(boxes.failures().size(), accepted ? 0 : 1);
        QCOMPARE(boxes.pending(), accepted ? 0 : 1);
        QCOMPARE(boxes.shown().size(), 1);
    }

    void unexpectedBoxIsRecordedAndCancelled()
    {
        MsgBoxScript boxes;
        boxes.setFailTest(false);
        QCOMPARE(MsgBox(QStringLiteral("Surprise"), 4, QStringLiteral("Kelpa")), int(vbCancel));
        QVERIFY(!boxes.verify());
        QCOMPARE(boxes.failures().size(), 1);
        QVERIFY(boxes.report().contains(QStringLiteral("\"Surprise\" (style 4")));
        QVERIFY(boxes.report().contains(QStringLiteral("used up")));
    }

    void missingBoxIsReported()
    {
        MsgBoxScript boxes;
        boxes.setFailTest(false);
        boxes.expect(QStringLiteral("Never asked"), vbYes);
        QVERIFY(!boxes.verify());
        QVERIFY(boxes.failures().isEmpty());
        QVERIFY(boxes.report().contains(QStringLiteral("not shown: \"Never asked\"")));
    }

    void previousHandlerComesBack()
    {
        const MsgBoxHandler before =
            SetMsgBoxHandler([](const QString&, int, const QString&) { return 42; });
        {
            MsgBoxScript outer;
            outer.expect(QStringLiteral("outer"), vbOK);
            {
                MsgBoxScript inner;
                inner.expect(QStringLiteral("inner"), vbRetry);
                QCOMPARE(MsgBox(QStringLiteral("inner")), 4);
                KELPA_VERIFY_MSGBOXES(inner);
            }
            QCOMPARE(MsgBox(QStringLiteral("outer")), 1);
            KELPA_VERIFY_MSGBOXES(outer);
        }
        QCOMPARE(MsgBox(QStringLiteral("anything")), 42);
        SetMsgBoxHandler(before);
    }
};

KELPA_TEST_MAIN(TestMsgBoxScript)
#include "test_msgbox_script.moc"
