// Windows under a window manager, which frames and titles them: the main
// window keeps its saved outer size across starts, and the pop-up window has
// neither frame nor title and follows each right press.

#include "main/FormInfo.h"
#include "main/FormKelpa.h"
#include "main/FormKontext.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/files/Files.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QTest>

using namespace testsupport;
using namespace KELPA;

namespace {

bool Framed(const QWidget& window)
{
    return window.frameGeometry().size() != window.geometry().size();
}

// The main window's place as the settings writer stores it.
QString SavedPosition()
{
    const FormKelpa& form = FormKelpa::Instance();
    return inifile::PositionText(form.Left(), form.Width(), form.Top(), form.Height());
}

} // namespace

class TestWindowFrames : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        EnterFreshFolder(QStringLiteral("start"));
        WriteFile(QStringLiteral("KELPA.INI"),
                  "Language=english\r\nHideMin=60\r\nPosition=1500,9000,1500,6990\r\n");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        QTRY_VERIFY_WITH_TIMEOUT(Framed(FormKelpa::Instance()), 20000);
    }

    // Each start places the window from Position and each exit writes Position
    // back: the round trip keeps the outer size, whatever the frame adds.
    void savedPlaceSurvivesStartsAndExits()
    {
        FormKelpa& form = FormKelpa::Instance();
        QTRY_COMPARE_WITH_TIMEOUT(SavedPosition(), QStringLiteral("1500,9000,1500,6990"), 5000);
        for (int start = 1; start <= 3; ++start) {
            WriteFile(QStringLiteral("place.tsk"),
                      QByteArray("Position=") + SavedPosition().toLatin1() + "\r\n");
            TaskFile = QStringLiteral("place.tsk");
            form.TaskLesen();
            QTest::qWait(200);
            QCOMPARE(SavedPosition(), QStringLiteral("1500,9000,1500,6990"));
        }
    }

    // The about window is a bare panel: no frame or title bar takes room from
    // its lines, the last of which shows whole.
    void aboutWindowShowsAllItsLines()
    {
        FormInfo& info = FormInfo::Instance();
        FormKelpa::Instance().MenuInfo_Click();
        QTRY_VERIFY_WITH_TIMEOUT(info.isVisible(), 5000);
        QVERIFY(!QTest::qWaitFor([&] { return Framed(info); }, 3000));
        QVERIFY(info.rect().contains(info.LabelMAILTO->geometry()));
        info.Unload();
    }

    // The pop-up is no managed window: no frame, no title bar; a second
    // right press while it is open moves it to the new place.
    void popUpFollowsEachRightPress()
    {
        FormKelpa& form = FormKelpa::Instance();
        FormKontext& popUp = FormKontext::Instance();
        form.PictureButtons_MouseDown(Qt::RightButton, 90, 60);
        QTRY_VERIFY_WITH_TIMEOUT(popUp.isVisible(), 5000);
        // A window manager frames a window it manages soon after it shows.
        QVERIFY(!QTest::qWaitFor([&] { return Framed(popUp); }, 3000));
        const QPoint first = popUp.frameGeometry().topLeft();
        form.PictureButtons_MouseDown(Qt::RightButton, 390, 210);
        QTRY_COMPARE_WITH_TIMEOUT(popUp.frameGeometry().topLeft(), first + QPoint(20, 10), 5000);
        QVERIFY(popUp.Loaded());
        QVERIFY(!Framed(popUp));
        // It takes the focus, so that activating the main window closes it.
        QTRY_VERIFY_WITH_TIMEOUT(popUp.isActiveWindow(), 5000);
        form.activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!popUp.Loaded(), 5000);
    }
};

KELPA_TEST_MAIN(TestWindowFrames)
#include "test_window_frames.moc"
