// The main window's small timers: the caption that blinks after a run and the
// completion check that ends it, and the window hidden for HideMin minutes.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "preview/FormPreview.h"
#include "tests/main/RunFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

#include <QAction>

using namespace testsupport;
using namespace KELPA;

class TestTimers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void captionBlinks()
    {
        FormKelpa& form = FormKelpa::Instance();
        CaptionTimerPending = 0;
        StatusCaption = QStringLiteral("Kelpa - C:\\done\\ ");
        form.SetCaption(StatusCaption);
        form.TimerCaption.setEnabled(true);
        form.TimerCaption.fire();
        QCOMPARE(form.Caption(), QString());
        form.TimerCaption.fire();
        QCOMPARE(form.Caption(), StatusCaption);
        QVERIFY(form.TimerCaption.Enabled());
        form.TimerCaption.setEnabled(false);
    }

    // The user came back: the blinking ends, the caption is restored and the
    // completion offer decides whether a completion run starts.
    void returnEndsBlinking_data()
    {
        QTest::addColumn<bool>("listLeft");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<bool>("runs");  // a completion run starts with the list
        QTest::newRow("nothing left") << false << 0 << false;
        QTest::newRow("completion declined") << true << int(platform::vbNo) << false;
        QTest::newRow("completion accepted") << true << int(platform::vbYes) << true;
    }
    void returnEndsBlinking()
    {
        QFETCH(bool, listLeft);
        QFETCH(int, answer);
        QFETCH(bool, runs);
        PrepareRun(QString(), 1);
        FormKelpa& form = FormKelpa::Instance();
        if (listLeft)
            WriteFile(QStringLiteral("KELPA.NOT"), Records({"a.html", "b.html"}));
        MsgBoxScript boxes;
        if (answer != 0)
            boxes.expect(QStringLiteral("Complete/Continue"), answer,
                         MsgBoxScript::Match::Contains);
        TransferDouble transfer(LevelSite());
        StatusCaption = QStringLiteral("blinking");
        form.TimerCaption.setEnabled(true);
        CaptionTimerPending = 1;
        form.TimerCaption.fire();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!form.TimerCaption.Enabled());
        QCOMPARE(CaptionTimerPending, int16_t(0));
        QCOMPARE(transfer.fetched.value(0), runs ? Url(QStringLiteral("a.html")) : QString());
        if (!runs)
            QCOMPARE(form.Caption(),
                     QStringLiteral("Kelpa - ") + platform::CurDir() + QStringLiteral("\\ "));
    }

    // Hidden for HideMin minutes, counted in ticks; the preview window closes.
    void hideAndShowAgain_data()
    {
        QTest::addColumn<int>("minutes");
        QTest::newRow("one minute") << 1;
        QTest::newRow("three minutes") << 3;
    }
    void hideAndShowAgain()
    {
        QFETCH(int, minutes);
        PrepareRun(QString(), 1);
        FormKelpa& form = FormKelpa::Instance();
        LogAllMessages = 1;
        HideMin = static_cast<int16_t>(minutes);
        form.show();
        FormPreview::Instance().Load();
        QCOMPARE(PreviewOpen, int16_t(1));
        form.MenuEntry("MenuHide")->trigger();
        QCOMPARE(PreviewOpen, int16_t(0));
        QVERIFY(form.isHidden());
        QCOMPARE(form.WindowState(), 1);
        QVERIFY(form.TimerHide.Enabled());
        for (int tick = 1; tick < minutes; ++tick)
            form.TimerHide.fire();
        QVERIFY(form.isHidden());
        form.TimerHide.fire();
        QVERIFY(!form.isHidden());
        QCOMPARE(form.WindowState(), 1);
        QVERIFY(!form.TimerHide.Enabled());
        QVERIFY(Log().endsWith("Form hidden\r\nForm visible\r\n"));
        LogAllMessages = 0;
    }
};

KELPA_TEST_MAIN(TestTimers)
#include "test_timers.moc"
