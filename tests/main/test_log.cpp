// The protocol (KELPA.LOG and the log list), the status line and the lamps.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "main/StatusLine.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Frames.h"
#include "preview/FormPreview.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

namespace {

QByteArray LogBytes()
{
    QFile file(QStringLiteral("KELPA.LOG"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Counts the lamps shown and hidden.
// Counts the paintings of the lamps and the layout requests of their panel.
class LampWorkCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        layouts += event->type() == QEvent::LayoutRequest;
        return false;
    }
    int paints = 0;
    int layouts = 0;
};

void LogLines(int count)
{
    for (int i = 1; i <= count; ++i)
        FormKelpa::Instance().logging(QStringLiteral("line %1").arg(i));
}

// The lit lamps as four digits: waiting, sending, receiving, parsing.
QString LitLamps()
{
    const FormKelpa& form = FormKelpa::Instance();
    QString lit;
    for (const LitLamp* lamp :
         {form.PictureWaitOn, form.PictureSendOn, form.PictureReceiveOn, form.PictureParseOn})
        lit += lamp->Lit() ? QLatin1Char('1') : QLatin1Char('0');
    return lit;
}

const QString Sep = QStringLiteral("     ||    ");

} // namespace

class TestLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteLaden(QStringLiteral("english")); }

    void init()
    {
        FormKelpa::Instance().ClearLog();
        KELPA::LogLineCount = 0;
        KELPA::LogError = 0;
        platform::Kill(QStringLiteral("KELPA.LOG"));
    }

    void listKeepsTheLast39Lines()
    {
        FormKelpa& form = FormKelpa::Instance();
        LogLines(45);
        form.ShowLogNow();
        QCOMPARE(form.ListLogging->count(), 39);
        QCOMPARE(KELPA::LogLineCount, int16_t(39));
        QCOMPARE(form.ListLogging->item(0)->text(), QStringLiteral("line 7"));
        QCOMPARE(form.ListLogging->currentRow(), 38);
        QCOMPARE(form.ListLogging->currentItem()->text(), QStringLiteral("line 45"));
        QVERIFY(form.MenuEntry("MenuClearProtocol")->isEnabled());
        const QList<QByteArray> lines = LogBytes().split('\n');
        QCOMPARE(lines.size(), 46);
        QCOMPARE(lines.first(), QByteArray("line 1\r"));
        QCOMPARE(lines.at(44), QByteArray("line 45\r"));
    }

    // A run logs lines faster than the window paints: the list takes those of
    // one frame together, and by the frame's end holds the last 39 of them.
    void linesOfAFrameReachTheListTogether()
    {
        FormKelpa& form = FormKelpa::Instance();
        QListWidget* list = form.ListLogging;
        int inserts = 0;
        const QMetaObject::Connection counting = connect(
            list->model(), &QAbstractItemModel::rowsInserted, this, [&inserts] { ++inserts; });
        LogLines(100);
        QVERIFY(inserts <= 1);
        QTRY_COMPARE(list->count(), 39);
        disconnect(counting);
        QVERIFY(inserts <= 2);
        QCOMPARE(list->item(0)->text(), QStringLiteral("line 62"));
        QCOMPARE(list->item(38)->text(), QStringLiteral("line 100"));
        QCOMPARE(list->currentRow(), 38);
        QCOMPARE(KELPA::LogLineCount, int16_t(39));
        QCOMPARE(LogBytes().count('\n'), 100);
    }

    void newestLineIsSelectedAndShown_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("picked"); // the row the user selects before the next line
        QTest::addColumn<bool>("toTop"); // the user scrolls to the top before it
        QTest::newRow("list not full, older line selected") << 20 << 3 << true;
        QTest::newRow("full list, scrolled to the top") << 45 << -1 << true;
        QTest::newRow("full list, older line selected") << 45 << 5 << false;
        QTest::newRow("list not full, nothing selected") << 20 << -2 << true;
        QTest::newRow("full list, older line selected, scrolled up") << 45 << 30 << true;
        QTest::newRow("full list, nothing selected") << 45 << -2 << true;
    }

    // Whatever the user did in the list, the next line is the one selected
    // and scrolled into view, below the lines before it.
    void newestLineIsSelectedAndShown()
    {
        QFETCH(int, lines);
        QFETCH(int, picked);
        QFETCH(bool, toTop);
        FormKelpa& form = FormKelpa::Instance();
        QListWidget* list = form.ListLogging;
        form.show();
        LogLines(lines);
        form.ShowLogNow();
        QVERIFY(list->verticalScrollBar()->maximum() > 0);
        if (picked >= 0)
            list->setCurrentRow(picked);
        else if (picked == -2)
            list->clearSelection();
        if (toTop)
            list->scrollToTop();
        QVERIFY(list->verticalScrollBar()->value() < list->verticalScrollBar()->maximum());
        form.logging(QStringLiteral("newest"));
        form.ShowLogNow();
        const int last = std::min(lines + 1, 39) - 1;
        QCOMPARE(list->count(), last + 1);
        QCOMPARE(list->currentRow(), last);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("newest"));
        QCOMPARE(list->selectedItems().size(), 1);
        QCOMPARE(list->selectedItems().first()->text(), QStringLiteral("newest"));
        QCOMPARE(list->item(last - 1)->text(), QStringLiteral("line %1").arg(lines));
        QCOMPARE(list->item(0)->text(), QStringLiteral("line %1").arg(lines < 39 ? 1 : lines - 37));
        QCOMPARE(list->verticalScrollBar()->value(), list->verticalScrollBar()->maximum());
        form.hide();
    }

    void logErrorJoinsTwoCallsInTheFileOnly()
    {
        FormKelpa& form = FormKelpa::Instance();
        KELPA::LogError = 1;
        form.logging(QStringLiteral("Timeout!"));
        QCOMPARE(KELPA::LogError, int16_t(0));
        form.logging(QStringLiteral("Transfer interrupted"));
        QCOMPARE(LogBytes(), QByteArray("Timeout! Transfer interrupted\r\n"));
        form.ShowLogNow();
        QCOMPARE(form.ListLogging->count(), 2);
        QCOMPARE(form.ListLogging->item(0)->text(), QStringLiteral("Timeout!"));
    }

    void logTakesItsOwnFileNumber()
    {
        const int other = platform::FreeFile();
        QCOMPARE(platform::Open(QStringLiteral("other.txt"), platform::OpenMode::Output, other), 0);
        FormKelpa::Instance().logging(QStringLiteral("x"));
        QVERIFY(KELPA::LogFileNumber != other);
        QVERIFY(!platform::IsOpen(KELPA::LogFileNumber));
        QVERIFY(platform::IsOpen(other));
        platform::Close(other);
        QCOMPARE(LogBytes(), QByteArray("x\r\n"));
    }

    void unwritableLogStillFillsTheList()
    {
        QVERIFY(QDir().mkdir(QStringLiteral("KELPA.LOG")));
        KELPA::LogError = 1;
        FormKelpa::Instance().logging(QStringLiteral("kept in the list"));
        QVERIFY(QDir().rmdir(QStringLiteral("KELPA.LOG")));
        FormKelpa::Instance().ShowLogNow();
        QCOMPARE(FormKelpa::Instance().ListLogging->count(), 1);
        QCOMPARE(KELPA::LogError, int16_t(0));
    }

    void clearButtonMakesRoomForTheScrollBar_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<double>("fromRight");
        QTest::newRow("10 lines") << 10 << 430.0;
        QTest::newRow("11 lines") << 11 << 630.0;
        QTest::newRow("45 lines") << 45 << 630.0;
    }
    void clearButtonMakesRoomForTheScrollBar()
    {
        QFETCH(int, lines);
        QFETCH(double, fromRight);
        FormKelpa& form = FormKelpa::Instance();
        LogLines(lines);
        QCOMPARE(form.CommandClearProtocol->x(), platform::ToPixels(form.Width() - fromRight));
    }

    void statusLine_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<qint64>("loaded");
        QTest::addColumn<QString>("line");
        const QString counts = QStringLiteral(" Links  5") + Sep +
                               QStringLiteral(" Files  12 / 10  (Transferred/Saved)") + Sep +
                               QStringLiteral(" bytes  ");
        QTest::newRow("before any run, nothing loaded")
            << QString() << qint64(0) << counts + QStringLiteral("0 / 120,000");
        QTest::newRow("millions grouped")
            << QString() << qint64(1234567) << counts + QStringLiteral("1,234,567 / 120,000");
        QTest::newRow("one byte") << QString() << qint64(1)
                                  << counts + QStringLiteral("1 / 120,000");
        QTest::newRow("negative stays plain")
            << QString() << qint64(-5) << counts + QStringLiteral("-5 / 120,000");
        QTest::newRow("run started at 14:05")
            << QStringLiteral("14:05") << qint64(123456)
            << QStringLiteral(" Start  14:05") + Sep + counts + QStringLiteral("123,456 / 120,000");
    }
    void statusLine()
    {
        QFETCH(QString, start);
        QFETCH(qint64, loaded);
        QFETCH(QString, line);
        QCOMPARE(ComposeStatusLine({start, 5, 12, 10, loaded, 120000}), line);
    }

    void urlsLeftReplacedInPlace_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("shorter count") << QString() << 123 << 7;
        QTest::newRow("longer count") << QString() << 0 << 4096;
        QTest::newRow("with start time") << QStringLiteral("09:30") << 12 << 11;
    }
    void urlsLeftReplacedInPlace()
    {
        QFETCH(QString, start);
        QFETCH(int, before);
        QFETCH(int, after);
        const QString suffix = QStringLiteral("  (Transferred/Saved)");
        const QString shown = ComposeStatusLine({start, before, 3, 2, 5000, 4000}) + suffix;
        const std::optional<QString> updated = StatusLineWithUrlsLeft(shown, after);
        QVERIFY(updated);
        QCOMPARE(*updated, ComposeStatusLine({start, after, 3, 2, 5000, 4000}) + suffix);
    }

    void urlsLeftWithoutACountToReplace_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("empty") << QString();
        QTest::newRow("no Links") << QStringLiteral(" Start  14:05     ||    ");
        QTest::newRow("no bar after Links") << QStringLiteral(" Links  5");
        QTest::newRow("bar too close") << QStringLiteral(" Links|");
    }
    void urlsLeftWithoutACountToReplace()
    {
        QFETCH(QString, line);
        QVERIFY(!StatusLineWithUrlsLeft(line, 3));
    }

    void statusZeileShowsTheLine()
    {
        FormKelpa& form = FormKelpa::Instance();
        KELPA::RunStartTime.clear();
        KELPA::UrlsLeft = 0;
        KELPA::FilesLoaded = 0;
        KELPA::FilesKept = 0;
        KELPA::BytesLoaded = 0;
        KELPA::BytesKept = 0;
        form.StatusZeile();
        QCOMPARE(KELPA::StatusLineText, ComposeStatusLine({}));
        QCOMPARE(form.StatusText(),
                 KELPA::StatusLineText + QStringLiteral("  (Transferred/Saved)"));
        QTRY_COMPARE(form.Statzeil->text(), form.StatusText());
        QVERIFY(!form.MenuEntry("MenuClearStatus")->isEnabled());
        KELPA::FilesLoaded = 1;
        form.StatusZeile();
        QVERIFY(form.MenuEntry("MenuClearStatus")->isEnabled());
        KELPA::FilesLoaded = 0;
    }

    void statusZeileCaptionsThePreview_data()
    {
        QTest::addColumn<bool>("top");
        QTest::addColumn<QString>("userTitle");
        QTest::addColumn<QString>("caption");
        const QString list = QStringLiteral("Preview (0 Files, C:\\sites\\)");
        QTest::newRow("preview") << false << QStringLiteral("Mine") << list;
        QTest::newRow("top preview") << true << QString() << list;
        QTest::newRow("top preview keeps the user title")
            << true << QStringLiteral("Mine") << QStringLiteral("Mine");
    }
    void statusZeileCaptionsThePreview()
    {
        QFETCH(bool, top);
        QFETCH(QString, userTitle);
        QFETCH(QString, caption);
        PreviewWindow& preview =
            top ? static_cast<PreviewWindow&>(FormPreviewTop::Instance()) : FormPreview::Instance();
        preview.Load();
        preview.SetCaption(QStringLiteral("Mine"));
        KELPA::UserTitle = userTitle;
        KELPA::Directory = QStringLiteral("C:\\sites\\");
        FormKelpa::Instance().StatusZeile();
        const QString shown = preview.Caption();
        preview.Unload();
        KELPA::UserTitle.clear();
        QCOMPARE(shown, caption);
    }

    void lamps_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("lit");
        QTest::newRow("waiting") << "warte"
                                 << "1000";
        QTest::newRow("sending") << "sende"
                                 << "0100";
        QTest::newRow("receiving") << "empfange"
                                   << "0010";
        QTest::newRow("finished shows receiving") << "fertig"
                                                  << "0010";
        QTest::newRow("searching") << "suche"
                                   << "0001";
        QTest::newRow("searching online") << "sucheonline"
                                          << "0011";
        QTest::newRow("empty puts all out") << ""
                                            << "0000";
        QTest::newRow("other word puts all out") << "stop"
                                                 << "0000";
    }
    void lamps()
    {
        QFETCH(QString, state);
        QFETCH(QString, lit);
        FormKelpa& form = FormKelpa::Instance();
        const std::initializer_list<LitLamp*> pictures = {
            form.PictureWaitOn, form.PictureSendOn, form.PictureReceiveOn, form.PictureParseOn};
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        for (LitLamp* lamp : pictures)
            lamp->SetLit(true);
        QTest::qWait(2 * platform::FrameIntervalMs);
        LampWorkCounter counter;
        form.PictureButtons->installEventFilter(&counter);
        for (LitLamp* lamp : pictures)
            lamp->installEventFilter(&counter);

        // Switching lamps repaints them without laying their panel out again.
        form.IndiLED(state);
        QCOMPARE(LitLamps(), lit);
        QTest::qWait(2 * platform::FrameIntervalMs);
        QCOMPARE(counter.layouts, 0);
        QCOMPARE(counter.paints > 0, lit != QLatin1String("1111"));

        // The same state again touches no lamp.
        counter.paints = 0;
        form.IndiLED(state);
        QTest::qWait(2 * platform::FrameIntervalMs);
        QCOMPARE(counter.paints + counter.layouts, 0);
        QCOMPARE(LitLamps(), lit);
    }

    void busyTimerCountsAndBlinks()
    {
        FormKelpa& form = FormKelpa::Instance();
        form.IndiLED(QStringLiteral("warte"));
        KELPA::TransferTicks = 5;
        form.TimerBusy.fire();
        QCOMPARE(LitLamps(), QStringLiteral("0000"));
        for (int tick = 2; tick <= 10; ++tick)
            form.TimerBusy.fire();
        QCOMPARE(KELPA::TransferTicks, 15);
        QCOMPARE(LitLamps(), QStringLiteral("1000"));
    }
};

KELPA_TEST_MAIN(TestLog)
#include "test_log.moc"
