// The assistant's start delay: labels, label clicks and the minutes handed
// over, at the ends of its range and where it differs from the main window.

#include "tests/support/TestMain.h"
#include "tools/AssistantSchedule.h"

#include <QString>
#include <QTest>

class TestAssistantSchedule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void delay_data()
    {
        QTest::addColumn<int>("tenths");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<int>("afterClick");
        QTest::newRow("half an hour, the smallest") << 5 << "0.5 h" << 30 << 240;
        QTest::newRow("dragged to 0.7 h") << 7 << "0.7 h" << 42 << 240;
        QTest::newRow("eight hours, the design value") << 80 << "8.0 h" << 480 << 240;
        QTest::newRow("just below a day") << 239 << "23.9 h" << 1434 << 240;
        QTest::newRow("a day") << 240 << "24.0 h" << 1440 << 480;
        QTest::newRow("the last day that fits") << 1440 << "144.0 h" << 8640 << 1680;
        QTest::newRow("a day more would pass the end") << 1441 << "144.1 h" << 8646 << 5;
        QTest::newRow("a week, the largest") << 1680 << "168.0 h" << 10080 << 5;
    }
    void delay()
    {
        QFETCH(int, tenths);
        QFETCH(QString, label);
        QFETCH(int, minutes);
        QFETCH(int, afterClick);
        QCOMPARE(tools::AssistantDelayLabel(tenths), label);
        QCOMPARE(int(tools::AssistantDelayMinutes(tenths)), minutes);
        QCOMPARE(tools::AssistantDelayStep(tenths), afterClick);
    }

    // Clicking on and on walks a day at a time and wraps to half an hour,
    // never leaving the bar.
    void clicksStayOnTheBar()
    {
        QList<int> seen;
        int tenths = tools::AssistantDelayMin;
        for (int i = 0; i < 9; ++i) {
            tenths = tools::AssistantDelayStep(tenths);
            QVERIFY(tenths >= tools::AssistantDelayMin && tenths <= tools::AssistantDelayMax);
            seen << tenths;
        }
        QCOMPARE(seen, (QList<int>{240, 480, 720, 960, 1200, 1440, 1680, 5, 240}));
    }
};

KELPA_TEST_MAIN(TestAssistantSchedule)
#include "test_assistant_schedule.moc"
