// Windows under a window manager, which frames and titles them: the main
// window keeps its saved outer size across starts, the pop-up window has
// neither frame nor title and follows each right press, and the long titles
// of boxes and dialogs show whole in both languages.

#include "main/FormInfo.h"
#include "main/FormKelpa.h"
#include "main/FormKontext.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "platform/msgbox/MsgBoxDialog.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "tools/EditTexts.h"
#include "tools/FormChoose.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <vector>

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

// The windows directly below an X window, and its parent.
std::vector<xcb_window_t> XChildren(xcb_window_t window, xcb_window_t* parent = nullptr)
{
    xcb_connection_t* x =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    std::vector<xcb_window_t> children;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr);
    if (tree == nullptr)
        return children;
    if (parent)
        *parent = tree->parent;
    const xcb_window_t* first = xcb_query_tree_children(tree);
    children.assign(first, first + xcb_query_tree_children_length(tree));
    std::free(tree);
    return children;
}

QRect XGeometry(xcb_window_t window)
{
    xcb_connection_t* x =
        qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(x, xcb_get_geometry(x, window), nullptr);
    if (g == nullptr)
        return {};
    const QRect rect(g->x, g->y, g->width, g->height);
    std::free(g);
    return rect;
}

// Whether twm shows window's title whole. Its title bar holds the title, the
// buttons and a highlight after the title; when the title leaves the
// highlight no room, twm moves it off the bar. Empty when all lies on it.
QString TitleProblem(const QWidget* window)
{
    xcb_window_t frame = 0;
    XChildren(window->winId(), &frame);
    for (xcb_window_t bar : XChildren(frame)) {
        if (bar == window->winId())
            continue;
        const QRect barRect(QPoint(), XGeometry(bar).size());
        for (xcb_window_t part : XChildren(bar))
            if (!barRect.contains(XGeometry(part)))
                return QStringLiteral("\"%1\" does not fit a title bar %2 px wide")
                    .arg(window->windowTitle())
                    .arg(barRect.width());
        return {};
    }
    return QStringLiteral("\"%1\" has no title bar").arg(window->windowTitle());
}

// The title problem of window once twm has framed and shown it.
QString ShownTitleProblem(QWidget* window)
{
    if (!QTest::qWaitForWindowExposed(window, 10000))
        return QStringLiteral("never shown");
    QString problem;
    if (QTest::qWaitFor([&] { return (problem = TitleProblem(window)).isEmpty(); }, 3000))
        return {};
    return problem;
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

    // The list editor's question and the chooser's directory titles are the
    // longest; a box or dialog narrower than its title widens for it.
    void longTitlesShowWhole_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("chooserTitle"); // the chooser's title text; 0: the question
        for (const char* language : {"english", "deutsch"}) {
            QTest::addRow("%s arrange question", language) << QString::fromLatin1(language) << 0;
            QTest::addRow("%s download folder", language) << QString::fromLatin1(language) << 412;
            QTest::addRow("%s installation folder", language)
                << QString::fromLatin1(language) << 369;
        }
    }
    void longTitlesShowWhole()
    {
        QFETCH(QString, language);
        QFETCH(int, chooserTitle);
        TexteLaden(language);
        QString problem = QStringLiteral("never shown");
        if (chooserTitle == 0) {
            QTimer::singleShot(0, [&] {
                if (!QTest::qWaitFor([] { return QApplication::activeModalWidget(); }, 5000))
                    return;
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                problem = ShownTitleProblem(box);
                box->button(QMessageBox::No)->click();
            });
            platform::MsgBoxDialog(edittexts::FoundQuestion(1, 3),
                                   platform::vbYesNo | platform::vbQuestion,
                                   edittexts::QuestionTitle(true));
        } else {
            ChooseFilter.clear();
            ChooseTitle = LanguageText[chooserTitle];
            const auto previous = platform::Form::SetModalHook([&](platform::Form& chooser) {
                problem = ShownTitleProblem(&chooser);
                chooser.Unload();
                return true;
            });
            FormChoose::Instance().Show(true);
            platform::Form::SetModalHook(previous);
        }
        TexteLaden(QStringLiteral("english"));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

KELPA_TEST_MAIN(TestWindowFrames)
#include "test_window_frames.moc"
