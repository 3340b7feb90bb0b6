// The scheduler's controls and countdowns on the main window: scroll bars and
// labels, label clicks, the delayed start, a repeat that stops a run and
// starts the next, and the duration that ends the program. Ticks are fired
// directly; the clock is set.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Schedule.h"
#include "platform/files/Files.h"
#include "platform/shell/System.h"
#include "tests/main/RunFixture.h"
#include "tests/support/TestMain.h"

#include <QScrollBar>

using namespace testsupport;
using namespace KELPA;

namespace {

const QDateTime LateEvening(QDate(2024, 3, 7), QTime(23, 30, 0));

QString Caption()
{
    return FormHTTP::Instance().Caption();
}

} // namespace

class TestScheduleRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        StartOnce();
        schedule::SetNow(LateEvening);
    }

    void cleanup()
    {
        FormKelpa& form = FormKelpa::Instance();
        form.CheckStart->setChecked(false);
        form.CheckRepeat->setChecked(false);
        form.CheckDauer->setChecked(false);
        form.TimerStartIn.setEnabled(false);
        form.TimerRepeat.setEnabled(false);
        form.TimerDauer.setEnabled(false);
        form.VScroll1->setValue(-60);
        form.VScroll2->setValue(-80);
        form.VScroll3->setValue(-20);
    }

    // The scroll bars hold the negated setting; their labels and counts follow.
    void scrollBarsSetLabels_data()
    {
        QTest::addColumn<int>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("label");
        QTest::newRow("duration") << 1 << -45 << "45 min";
        QTest::newRow("delay whole hours") << 2 << -80 << "8.0 h";
        QTest::newRow("delay half an hour") << 2 << -5 << ".5 h";
        QTest::newRow("delay smallest") << 2 << -1 << ".1 h";
        QTest::newRow("repeat") << 3 << -20 << "20 min";
        QTest::newRow("repeat bound") << 3 << 0 << "0 min";
    }
    void scrollBarsSetLabels()
    {
        QFETCH(int, bar);
        QFETCH(int, value);
        FormKelpa& form = FormKelpa::Instance();
        QScrollBar* bars[] = {form.VScroll1, form.VScroll2, form.VScroll3};
        QLabel* labels[] = {form.Dauer, form.Zeit, form.Repeat};
        bars[bar - 1]->setValue(value == -1 ? -2 : -1); // make the next value a change
        bars[bar - 1]->setValue(value);
        QFETCH(QString, label);
        QCOMPARE(labels[bar - 1]->text(), label);
        if (bar == 1) {
            QCOMPARE(DurationLeft, int16_t(-value));
            QVERIFY(form.CheckWindowsShutDown->toolTip().endsWith(QStringLiteral(" 45 min)")));
        }
        if (bar == 2) {
            QCOMPARE(StartInText, QString::number(-value));
            QCOMPARE(StartInLeft, int16_t(-value * 6));
        }
    }

    // A click steps the value, a double click sets the smallest; the mouse
    // reaches the label only while its box is ticked.
    void labelClicks_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<QString>("label");
        QTest::newRow("Dauer click") << 0 << 1 << false << "120 min";
        QTest::newRow("Dauer twelve clicks") << 0 << 12 << false << "1 min";
        QTest::newRow("Dauer double click") << 0 << 0 << true << "1 min";
        QTest::newRow("Repeat click") << 1 << 1 << false << "60 min";
        QTest::newRow("Repeat past 720") << 1 << 13 << false << "1440 min";
        QTest::newRow("Repeat double click") << 1 << 0 << true << "1 min";
        QTest::newRow("Zeit click") << 2 << 1 << false << "24.0 h";
        QTest::newRow("Zeit double click") << 2 << 0 << true << ".1 h";
    }
    void labelClicks()
    {
        QFETCH(int, which);
        QFETCH(int, clicks);
        FormKelpa& form = FormKelpa::Instance();
        QCheckBox* boxes[] = {form.CheckDauer, form.CheckRepeat, form.CheckStart};
        QLabel* labels[] = {form.Dauer, form.Repeat, form.Zeit};
        boxes[which]->setChecked(true);
        QVERIFY(labels[which]->isEnabled());
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(labels[which], Qt::LeftButton);
        QFETCH(bool, doubleClick);
        if (doubleClick)
            QTest::mouseDClick(labels[which], Qt::LeftButton);
        QFETCH(QString, label);
        QCOMPARE(labels[which]->text(), label);
    }

    void checkBoxesEnableTheirRow()
    {
        FormKelpa& form = FormKelpa::Instance();
        form.CheckRepeat->setChecked(true);
        QVERIFY(form.Repeat->isEnabled() && form.VScroll3->isEnabled());
        QCOMPARE(Caption(), QStringLiteral("Repeats automatically!"));
        form.TimerRepeat.setEnabled(true);
        form.CheckRepeat->setChecked(false);
        QVERIFY(!form.TimerRepeat.Enabled() && !form.Repeat->isEnabled());
        QCOMPARE(Caption(), QStringLiteral(" "));

        form.CheckDauer->setChecked(true);
        QCOMPARE(Caption(), QStringLiteral("Exits automatically!"));
        QVERIFY(form.CheckWindowsShutDown->isEnabled());
        form.CheckWindowsShutDown->setChecked(true);
        QCOMPARE(WindowsShutDown, int16_t(1));
        form.CheckDauer->setChecked(false);
        QVERIFY(!form.CheckWindowsShutDown->isChecked() && !form.CheckWindowsShutDown->isEnabled());
        QCOMPARE(WindowsShutDown, int16_t(0));
    }

    // Ticking the box reads the clock; the run then waits 480 ticks of a minute.
    void delayedStartAtClockTime()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 0);
        FormKelpa& form = FormKelpa::Instance();
        TransferDouble transfer(LevelSite());
        form.CheckStart->setChecked(true);
        QCOMPARE(StartClock, QStringLiteral("23:30:00"));
        QCOMPARE(StartInLeft, int16_t(480));
        QCOMPARE(Caption(), QStringLiteral("Start: 23:30 + 8.0 h = 07:30"));
        form.VScroll2->setValue(-10);
        QCOMPARE(Caption(), QStringLiteral("Start: 23:30 + 1.0 h = 00:30"));
        form.VScroll2->setValue(-80);

        QVERIFY(!StartRun());
        QVERIFY(form.TimerStartIn.Enabled());
        for (int tick = 1; tick < 480; ++tick)
            form.TimerStartIn.fire();
        QVERIFY(transfer.fetched.isEmpty());
        form.TimerStartIn.fire();
        QCOMPARE(transfer.fetched.value(0), Url(QStringLiteral("index.html")));
        QVERIFY(!form.CheckStart->isChecked() && !form.TimerStartIn.Enabled());
        QVERIFY(Log().contains("Delayed Start 2024-03-07 23:30:00\r\n"));
    }

    // The repeat falls due inside a transfer: the run stops, KELPA.GOT goes,
    // and the next run starts once the first has ended. Closing the open
    // files on the way keeps the lock file.
    void repeatStopsTheRunAndStartsAnother()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        FormKelpa& form = FormKelpa::Instance();
        const int lock = platform::FreeFile();
        QCOMPARE(platform::OpenLockFile(QStringLiteral("KELPA.TMP"), lock), 0);
        form.CheckRepeat->setChecked(true);
        form.Repeat->setText(QStringLiteral("3 min"));
        TransferDouble transfer(LevelSite());
        int runs = 0;
        bool gotLeftBeforeSecondRun = false;
        bool lockKept = false;
        transfer.during = [&](const QString& url) {
            if (url != Url(QStringLiteral("index.html")))
                return;
            if (++runs == 2) {
                gotLeftBeforeSecondRun = platform::FileLen(QStringLiteral("KELPA.GOT")) > 0;
                return;
            }
            QCOMPARE(RepeatLeft, int16_t(3));
            form.TimerRepeat.fire();
            form.TimerRepeat.fire();
            QCOMPARE(Caption(), QStringLiteral("  Repeats within 1'"));
            QCOMPARE(StopRun, int16_t(0));
            form.TimerRepeat.fire();
            QCOMPARE(RepeatPending, int16_t(1));
            QCOMPARE(StopRun, int16_t(1));
            QCOMPARE(AbortTransfer, int16_t(1));
            lockKept = platform::IsOpen(lock);
        };
        QVERIFY(!StartRun());
        platform::ReleaseLockFile();
        QVERIFY(lockKept);
        QCOMPARE(runs, 2);
        QVERIFY(!gotLeftBeforeSecondRun);
        QCOMPARE(transfer.fetched, Urls({"index.html", "index.html", "a.html", "b.html"}));
        QCOMPARE(RepeatPending, int16_t(0));
        QCOMPARE(RepeatLeft, int16_t(3));
        QVERIFY(form.TimerRepeat.Enabled());
        QVERIFY(Log().contains("******Automatic repeat! 2024-03-07 23:30:00******\r\n\r\n"));
    }

    // While a run lasts the duration shows what is under way; at the end it
    // ends the program, shutting down only when asked for.
    void durationEndsTheProgram_data()
    {
        QTest::addColumn<bool>("shutDown");
        QTest::addColumn<bool>("idle");
        QTest::newRow("during a run") << false << false;
        QTest::newRow("idle, shut down") << true << true;
        QTest::newRow("during a run, shut down") << true << false;
    }
    void durationEndsTheProgram()
    {
        QFETCH(bool, shutDown);
        QFETCH(bool, idle);
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        FormKelpa& form = FormKelpa::Instance();
        QList<int> shutdowns;
        const auto previous =
            platform::SetExitWindowsHook([&](int flags) { return shutdowns.append(flags), 1; });
        form.CheckDauer->setChecked(true);
        form.CheckWindowsShutDown->setChecked(shutDown);
        form.VScroll1->setValue(-2);
        QCOMPARE(DurationLeft, int16_t(2));

        bool ended = false;
        QString captionDuringRun;
        if (idle) {
            form.TimerDauer.fire();
            try {
                form.TimerDauer.fire();
            } catch (const platform::ProgramEnded&) {
                ended = true;
            }
        } else {
            TransferDouble transfer(LevelSite());
            transfer.during = [&](const QString& url) {
                if (url != Url(QStringLiteral("a.html")))
                    return;
                form.TimerDauer.fire();
                captionDuringRun = Caption();
                form.TimerDauer.fire();
            };
            ended = StartRun();
            QCOMPARE(transfer.fetched, Urls({"index.html", "a.html"}));
            QCOMPARE(captionDuringRun, QStringLiteral("Time out 1'"));
        }
        platform::SetExitWindowsHook(previous);
        QVERIFY(ended);
        QVERIFY(Log().contains("******Timed out 2024-03-07 23:30:00******\r\n\r\n"));
        QCOMPARE(shutdowns, shutDown ? QList<int>{platform::EWX_SHUTDOWN} : QList<int>{});
    }
};

KELPA_TEST_MAIN(TestScheduleRun)
#include "test_schedule_run.moc"
