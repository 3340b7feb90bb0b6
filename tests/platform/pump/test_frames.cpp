// Painting while a run yields: a bounded frame rate, and nothing left unpainted.

#include "platform/pump/Frames.h"
#include "platform/pump/Pump.h"
#include "tests/support/TestMain.h"

#include <QElapsedTimer>
#include <QWidget>

using namespace platform;

namespace {

class CountingWidget : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

} // namespace

class TestFrames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void busyRunPaintsAtTheFrameRate_data()
    {
        QTest::addColumn<int>("steps");
        QTest::addColumn<bool>("wait");
        QTest::newRow("DoEvents after every step") << 400 << false;
        QTest::newRow("short waits after every step") << 60 << true;
    }

    // Every step changes the window and yields; paints stay within one a
    // frame interval of the time the steps took (plus the first and the last).
    void busyRunPaintsAtTheFrameRate()
    {
        QFETCH(int, steps);
        QFETCH(bool, wait);
        CountingWidget window;
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.paints > 0);
        QTest::qWait(2 * FrameIntervalMs);
        window.paints = 0;

        QElapsedTimer wall;
        wall.start();
        for (int step = 0; step < steps; ++step) {
            window.update();
            if (wait)
                WaitEvents(1);
            else
                DoEvents();
        }
        const qint64 elapsed = wall.elapsed();
        QVERIFY2(window.paints <= elapsed / FrameIntervalMs + 2,
                 qPrintable(QStringLiteral("%1 paints in %2 ms").arg(window.paints).arg(elapsed)));
    }

    // A change held back is painted once the interval is over, while the run
    // keeps yielding and also when it goes back to the event loop.
    void heldChangeIsPaintedLater_data()
    {
        QTest::addColumn<bool>("keepYielding");
        QTest::newRow("run keeps yielding") << true;
        QTest::newRow("back in the event loop") << false;
    }

    void heldChangeIsPaintedLater()
    {
        QFETCH(bool, keepYielding);
        CountingWidget window;
        window.resize(100, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.paints > 0);
        for (int round = 0; round < 3; ++round) {
            window.update();
            DoEvents(); // at most one paint: the next change comes too soon
            const int before = window.paints;
            window.update();
            DoEvents();
            QElapsedTimer wall;
            wall.start();
            if (keepYielding) {
                while (window.paints == before && wall.elapsed() < 5000)
                    WaitEvents(5);
            } else {
                QTRY_VERIFY_WITH_TIMEOUT(window.paints > before, 5000);
            }
            QVERIFY2(window.paints > before, qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }
};

KELPA_TEST_MAIN(TestFrames)
#include "test_frames.moc"
