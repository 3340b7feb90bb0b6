// The completion offer at the end of a run: what it asks, what it decides and
// which start mode it leaves selected.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "settings/FormOptions.h"
#include "tests/main/RunFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

using namespace testsupport;
using namespace KELPA;

namespace {
const QByteArray Missing = "<missing>";
} // namespace

class TestListsCompletion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void decision_data()
    {
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::addColumn<int>("continueBefore");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("stopped");
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<int>("continueAfter");
        QTest::addColumn<int>("requested");
        QTest::addColumn<QString>("selected"); // "new", "continue" or "none"
        QTest::addColumn<QString>("caption");

        const QByteArray list = Records({"a.html", "b.html"});
        const QString stopped =
            QStringLiteral("Program stopped. You may now Complete/Continue the KELPA-search...");
        QTest::newRow("no list") << Missing << 0 << false << 0 << 0 << 0 << 0 << 0 << "none"
                                 << "before";
        QTest::newRow("empty list") << QByteArray() << 0 << false << 0 << 0 << 0 << 0 << 0 << "none"
                                    << "before";
        QTest::newRow("a continuation under way")
            << list << 1 << false << 0 << 0 << 0 << 1 << 0 << "none"
            << "before";
        QTest::newRow("repeating") << list << 0 << true << 0 << 0 << 0 << 0 << 0 << "new"
                                   << " ";
        QTest::newRow("stopped by the user")
            << list << 0 << false << 1 << 1 << 0 << 1 << 0 << "continue" << stopped;
        QTest::newRow("offered before") << list << 0 << false << 0 << 1 << 0 << 1 << 1 << "continue"
                                        << " ";
        QTest::newRow("answer Yes") << list << 0 << false << 0 << 0 << 6 << 1 << 1 << "continue"
                                    << " ";
        QTest::newRow("answer No") << list << 0 << false << 0 << 0 << 7 << 0 << 0 << "new"
                                   << " ";
        QTest::newRow("answer Cancel") << list << 0 << false << 0 << 0 << 2 << 1 << 0 << "continue"
                                       << " ";
    }

    void decision()
    {
        QFETCH(QByteArray, notLoaded);
        QFETCH(int, continueBefore);
        QFETCH(bool, repeat);
        QFETCH(int, stopped);
        QFETCH(int, asked);
        QFETCH(int, answer);
        QFETCH(int, continueAfter);
        QFETCH(int, requested);
        QFETCH(QString, selected);
        QFETCH(QString, caption);
        PrepareRun(QString(), 1);
        FormKelpa& form = FormKelpa::Instance();
        if (notLoaded != Missing)
            WriteFile(QStringLiteral("KELPA.NOT"), notLoaded);
        // Continue is selected already: its handler must run again.
        WriteFile(QStringLiteral("COMPLETE.ENP"), "stale\r\n");
        form.OptionContinue->setChecked(true);
        WriteFile(QStringLiteral("COMPLETE.ENP"), "stale\r\n");
        ContinueSearch = static_cast<int16_t>(continueBefore);
        form.CheckRepeat->setChecked(repeat);
        UserStopped = static_cast<int16_t>(stopped);
        CompleteAsked = static_cast<int16_t>(asked);
        FormHTTP::Instance().SetCaption(QStringLiteral("before"));
        MsgBoxScript boxes;
        if (answer != 0)
            boxes.expect(QStringLiteral("Complete/Continue"), answer, MsgBoxScript::Match::Contains)
                .withStyle(547)
                .withTitle(QStringLiteral("You may now Complete/Continue..."));

        FormOptions::Instance().CompleteCheck();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(int(ContinueSearch), continueAfter);
        QCOMPARE(int(CompleteRequested), requested);
        QCOMPARE(form.OptionNew->isChecked(), selected == QLatin1String("new"));
        QCOMPARE(form.OptionContinue->isChecked(), selected == QLatin1String("continue"));
        QCOMPARE(FormHTTP::Instance().Caption(), caption);
        QCOMPARE(int(CompletingNotLoaded), stopped);
        if (stopped == 1)
            QCOMPARE(CompleteAsked, int16_t(0));
        if (selected == QLatin1String("continue"))
            QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), notLoaded);
        const bool read = notLoaded != Missing && !notLoaded.isEmpty() && continueBefore == 0;
        QCOMPARE(ReadFile(QStringLiteral("KELPA.BAK")), read ? notLoaded : QByteArray());
        form.CheckRepeat->setChecked(false);
    }

    void question_data()
    {
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::addColumn<QString>("links");

        QTest::newRow("one record")
            << QByteArray("  http://site/a.html \r\na.html\r\n") << "(1 link: http://site/a.html)";
        QTest::newRow("five records") << Records({"a.html", "b.html", "c.html", "d.html", "e.html"})
                                      << "(5 links, first link: http://site/a.html)";
        QTest::newRow("three lines count two records")
            << QByteArray("http://site/a.html\r\na.html\r\nhttp://site/b.html\r\n")
            << "(2 links, first link: http://site/a.html)";
    }

    void question()
    {
        QFETCH(QByteArray, notLoaded);
        QFETCH(QString, links);
        PrepareRun(QString(), 1);
        WriteFile(QStringLiteral("KELPA.NOT"), notLoaded);
        MsgBoxScript boxes;
        const QString crlf = QStringLiteral("\r\n");
        boxes.expect(
            QStringLiteral("Do you want to Complete/Continue the Kelpa Search?") + crlf + links +
                crlf + crlf +
                QStringLiteral("If you click on 'Yes' the program starts Immediately.") + crlf +
                QStringLiteral(
                    "Click on 'Cancel', if you liked to Complete/Continue the Search later."),
            platform::vbNo);
        FormOptions::Instance().CompleteCheck();
        KELPA_VERIFY_MSGBOXES(boxes);
    }
};

KELPA_TEST_MAIN(TestListsCompletion)
#include "test_lists_completion.moc"
