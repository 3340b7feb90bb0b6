// The scheduler's rules: label texts, click steps, the start-time display and
// the duration caption.

#include "main/Kelpa.h"
#include "main/Schedule.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QTest>

class TestSchedule : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteEnglisch(); }

    void labels_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("tenths");
        QTest::newRow("default delay") << 80 << "80 min"
                                       << "8.0 h";
        QTest::newRow("half an hour") << 5 << "5 min"
                                      << ".5 h";
        QTest::newRow("smallest") << 1 << "1 min"
                                  << ".1 h";
        QTest::newRow("repeat default") << 20 << "20 min"
                                        << "2.0 h";
        QTest::newRow("largest delay") << 3360 << "3360 min"
                                       << "336.0 h";
        QTest::newRow("repeat bound") << 0 << "0 min"
                                      << ".0 h";
    }
    void labels()
    {
        QFETCH(int, value);
        QFETCH(QString, minutes);
        QCOMPARE(schedule::MinutesLabel(value), minutes);
        QFETCH(QString, tenths);
        QCOMPARE(schedule::TenthsLabel(value), tenths);
        QCOMPARE(schedule::LabelNumber(schedule::MinutesLabel(value)), int16_t(value));
    }

    // Each label cycles through its steps and stays within its scroll bar.
    void clickCycles_data()
    {
        QTest::addColumn<int>("which"); // 0 Dauer, 1 Repeat, 2 Zeit
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("steps");
        QTest::newRow("Dauer from 1") << 0 << 1 << QList<int>{60,  120, 180, 240, 300, 360, 420,
                                                              480, 540, 600, 660, 720, 1,   60};
        QTest::newRow("Dauer from 59") << 0 << 59 << QList<int>{60, 120};
        QTest::newRow("Dauer from 661") << 0 << 661 << QList<int>{1};
        QTest::newRow("Repeat from 1") << 1 << 1 << QList<int>{60,  120, 180, 240, 300, 360,  420,
                                                               480, 540, 600, 660, 720, 1440, 1};
        QTest::newRow("Repeat from 0") << 1 << 0 << QList<int>{60};
        QTest::newRow("Repeat from 721 stops at 1440") << 1 << 721 << QList<int>{1440, 1};
        QTest::newRow("Repeat from 1380") << 1 << 1380 << QList<int>{1440, 1};
        QTest::newRow("Repeat from 1381") << 1 << 1381 << QList<int>{1};
        QTest::newRow("Zeit from .1 h")
            << 2 << 1 << QList<int>{240,  480,  720,  960,  1200, 1440, 1680, 1920,
                                    2160, 2400, 2640, 2880, 3120, 3360, 1};
        QTest::newRow("Zeit from 3121") << 2 << 3121 << QList<int>{1};
    }
    void clickCycles()
    {
        QFETCH(int, which);
        QFETCH(int, from);
        QFETCH(QList<int>, steps);
        const int upper[] = {720, 1440, 3360};
        int v = from;
        for (int expected : steps) {
            v = which == 0   ? schedule::DauerStep(v)
                : which == 1 ? schedule::RepeatStep(v)
                             : schedule::ZeitStep(v);
            QCOMPARE(v, expected);
            QVERIFY(v >= 1 && v <= upper[which]);
        }
    }

    void startDisplay_data()
    {
        QTest::addColumn<QString>("clock");
        QTest::addColumn<int>("tenths");
        QTest::addColumn<QString>("caption");
        QTest::newRow("24-hour") << "14:05:33" << 80 << "Start: 14:05 + 8.0 h = 22:05";
        QTest::newRow("24-hour past midnight")
            << "23:30:00" << 10 << "Start: 23:30 + 1.0 h = 00:30";
        QTest::newRow("24-hour minutes carry") << "09:57:00" << 5 << "Start: 09:57 + .5 h = 10:27";
        QTest::newRow("24-hour days not shown")
            << "08:00:00" << 3360 << "Start: 08:00 + 336.0 h = 08:00";
        QTest::newRow("12-hour afternoon")
            << "2:05:33 PM" << 80 << "Start: 2:05 PM + 8.0 h = 10:05 PM ";
        QTest::newRow("12-hour to midnight")
            << "11:30:00 PM" << 10 << "Start: 11:30 PM + 1.0 h = 12:30 AM ";
        QTest::newRow("12-hour past noon")
            << "12:30:00 PM" << 10 << "Start: 12:30 PM + 1.0 h = 1:30 PM ";
        QTest::newRow("12-hour to noon")
            << "11:54:00 am" << 1 << "Start: 11:54 AM + .1 h = 12:00 PM ";
        QTest::newRow("12-hour after midnight")
            << "12:10:00 AM" << 1 << "Start: 12:10 AM + .1 h = 12:16 AM ";
    }
    void startDisplay()
    {
        QFETCH(QString, clock);
        QFETCH(int, tenths);
        QFETCH(QString, caption);
        QCOMPARE(schedule::StartDisplay(clock, tenths, schedule::TenthsLabel(tenths)), caption);
    }

    void durationCaption_data()
    {
        QTest::addColumn<qint64>("received");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("percent");
        QTest::newRow("half") << qint64(300) << qint64(600) << false
                              << "300 of 600 bytes (50%) transferred. Time out 42'"
                              << " bytes (50%) ";
        QTest::newRow("over 21 MB") << qint64(30'000'000) << qint64(40'000'000) << false
                                    << "30000000 of 40000000 bytes (75%) transferred. Time out 42'"
                                    << " bytes (75%) ";
        QTest::newRow("several GB")
            << qint64(5'000'000'000) << qint64(10'000'000'000) << true
            << "5000000000 of 10000000000 bytes (50%) transferred. Time out 42'"
            << " bytes (50%) ";
        QTest::newRow("length unknown")
            << qint64(1234) << qint64(0) << false << "1234 bytes transferred. Time out 42'"
            << "";
        QTest::newRow("nothing yet, repeating")
            << qint64(0) << qint64(600) << true << "  Repeats within 7', time out 42'"
            << "";
        QTest::newRow("nothing yet") << qint64(0) << qint64(0) << false << "Time out 42'"
                                     << "";
    }
    void durationCaption()
    {
        QFETCH(qint64, received);
        QFETCH(qint64, length);
        QFETCH(bool, repeat);
        const schedule::DurationDisplay shown =
            schedule::DurationCaption(received, length, repeat, 7, 42);
        QFETCH(QString, caption);
        QCOMPARE(shown.caption, caption);
        QFETCH(QString, percent);
        QCOMPARE(shown.percentText, percent);
    }

    // One clock: a set moment is what the texts show, until it is cleared.
    void settableClock()
    {
        schedule::SetNow(QDateTime(QDate(2024, 3, 7), QTime(14, 5, 33)));
        QCOMPARE(schedule::ClockText(), QStringLiteral("14:05:33"));
        QCOMPARE(schedule::DateText(), QStringLiteral("2024-03-07"));
        schedule::SetNow(QDateTime());
        QVERIFY(qAbs(schedule::Now().secsTo(QDateTime::currentDateTime())) < 5);
    }
};

KELPA_TEST_MAIN(TestSchedule)
#include "test_schedule.moc"
