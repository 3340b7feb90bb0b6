// Waits, timers and the program's ending under the test hook.

#include "platform/pump/Pump.h"
#include "platform/pump/Timer.h"
#include "tests/support/TestMain.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <ctime>

using namespace platform;

namespace {

// What the yield hook below delivers: one pending item a call.
int hookPending = 0;
int hookDelivered = 0;

bool deliverHookItem()
{
    if (hookPending == 0)
        return false;
    --hookPending;
    ++hookDelivered;
    return true;
}

} // namespace

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

    // A run yielding after every small step asks the system at most once a
    // look interval, yet what was posted runs at every yield, and timers and
    // sockets still come through while it yields.
    void yieldsAfterSmallStepsLookAtTheSystemSeldom()
    {
        int looks = 0;
        const QMetaObject::Connection counting =
            QObject::connect(QCoreApplication::eventDispatcher(), &QAbstractEventDispatcher::awake,
                             [&] { ++looks; });
        bool fired = false;
        QTimer::singleShot(20, [&] { fired = true; });
        QElapsedTimer wall;
        wall.start();
        int yieldsMade = 0;
        while (!fired && wall.elapsed() < 5000) {
            int handled = 0;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [&] { ++handled; }, Qt::QueuedConnection);
            DoEvents();
            QCOMPARE(handled, 1);
            ++yieldsMade;
        }
        const qint64 elapsedUs = wall.nsecsElapsed() / 1000;
        QObject::disconnect(counting);
        QVERIFY(fired);
        QVERIFY2(looks <= elapsedUs / LookIntervalUs + 2,
                 qPrintable(QStringLiteral("%1 looks in %2 us, %3 yields")
                                .arg(looks)
                                .arg(elapsedUs)
                                .arg(yieldsMade)));
    }

    // What a yield hook delivers ends a wait at once: the waiting code finds
    // it without the system being asked.
    void hookDeliveryEndsAWait()
    {
        static const bool added = [] {
            AddYieldHook(&deliverHookItem);
            return true;
        }();
        Q_UNUSED(added);
        hookPending = 2;
        hookDelivered = 0;
        QElapsedTimer wall;
        wall.start();
        WaitEvents(5000);
        QCOMPARE(hookDelivered, 1);
        DoEvents();
        QCOMPARE(hookDelivered, 2);
        QVERIFY(wall.elapsed() < 4000);
        QCOMPARE(hookPending, 0);
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
