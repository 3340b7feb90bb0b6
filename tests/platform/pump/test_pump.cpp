// Waits, timers and the program's ending under the test hook.

#include "platform/pump/Pump.h"
#include "platform/pump/Timer.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QTimer>

#include <ctime>

using namespace platform;

class TestPump : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setTestEnding(true);
        clearProgramEnded();
    }

    void waitSleepsInsteadOfSpinning()
    {
        QElapsedTimer wall;
        wall.start();
        const std::clock_t cpuStart = std::clock();
        while (wall.elapsed() < 300)
            WaitEvents(50);
        const double cpuMs = 1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        QVERIFY2(cpuMs < 150, qPrintable(QString::number(cpuMs) + " ms of CPU in 300 ms"));
    }

    void waitReturnsWhenAnEventArrives()
    {
        bool fired = false;
        QTimer::singleShot(10, [&] { fired = true; });
        QElapsedTimer wall;
        wall.start();
        while (!fired && wall.elapsed() < 5000)
            WaitEvents(10000);
        QVERIFY(fired);
        QVERIFY(wall.elapsed() < 5000);
    }

    void timerTicksOnlyWhileEnabledWithInterval()
    {
        Timer timer;
        int ticks = 0;
        timer.setHandler([&] { ++ticks; });
        timer.setInterval(10);
        QTest::qWait(60);
        QCOMPARE(ticks, 0); // not enabled yet
        timer.setEnabled(true);
        QTRY_VERIFY(ticks >= 2);
        timer.setInterval(0); // interval 0 stops ticking but keeps Enabled
        const int stopped = ticks;
        QTest::qWait(60);
        QCOMPARE(ticks, stopped);
        QVERIFY(timer.Enabled());
    }

    // The tick due 200 ms after the first enabling comes although the timer
    // was enabled again at 120 ms: the waits only ever last longer than asked,
    // which can bring the tick earlier, never later.
    void enablingAnEnabledTimerKeepsItsCountdown()
    {
        Timer timer;
        int ticks = 0;
        timer.setHandler([&] { ++ticks; });
        timer.setInterval(200);
        timer.setEnabled(true);
        QTest::qWait(120);
        timer.setEnabled(true);
        QTest::qWait(150);
        QVERIFY(ticks >= 1);
        QVERIFY(timer.Enabled());
    }

    void timerIsNotReenteredByItsOwnTick()
    {
        Timer timer;
        int depth = 0, maxDepth = 0, ticks = 0;
        timer.setHandler([&] {
            ++ticks;
            maxDepth = std::max(maxDepth, ++depth);
            QElapsedTimer inside;
            inside.start();
            while (inside.elapsed() < 60) // waits across several of its own ticks
                WaitEvents(5);
            --depth;
        });
        timer.setInterval(5);
        timer.setEnabled(true);
        QTRY_VERIFY(ticks >= 2);
        timer.setEnabled(false);
        QCOMPARE(maxDepth, 1);
    }

    void endingInsideATimerUnwindsThroughTheWait()
    {
        Timer timer;
        timer.setHandler([] { EndProgram(3); });
        timer.setInterval(5);
        timer.setEnabled(true);
        int caught = -1;
        try {
            for (int i = 0; i < 1000; ++i)
                WaitEvents(20); // a run waiting for the network
        } catch (const ProgramEnded& ended) {
            caught = ended.exitCode;
        }
        timer.setEnabled(false);
        QCOMPARE(caught, 3);
        QVERIFY(programEnded());
    }
};

KELPA_TEST_MAIN(TestPump)
#include "test_pump.moc"
