// LostFocus runs when the focus moves to another control, not when another
// window or a modal box takes the activation, never inside itself, and not
// for a window unloaded before it could run.

#include "platform/forms/Form.h"
#include "platform/forms/LostFocus.h"
#include "tests/support/TestMain.h"

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace platform;

namespace {

struct Window {
    QWidget widget;
    QLineEdit* Text1 = new QLineEdit(&widget);
    QLineEdit* Text2 = new QLineEdit(&widget);
    QPushButton* Command1 = new QPushButton(&widget);

    Window()
    {
        auto* layout = new QVBoxLayout(&widget);
        layout->addWidget(Text1);
        layout->addWidget(Text2);
        layout->addWidget(Command1);
        widget.show();
        widget.activateWindow();
    }
};

// Lets queued handlers run.
void Settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

} // namespace

class TestLostFocus : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void movesBetweenControls_data()
    {
        QTest::addColumn<int>("target"); // 1 Text2, 2 Command1, 0 Text1 again
        QTest::addColumn<int>("runs");
        QTest::newRow("to another box") << 1 << 1;
        QTest::newRow("to a button") << 2 << 1;
        QTest::newRow("focus set where it is") << 0 << 0;
    }
    void movesBetweenControls()
    {
        QFETCH(int, target);
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.Text1->setFocus(Qt::OtherFocusReason);
        int runs = 0;
        OnLostFocus(w.Text1, [&] { ++runs; });
        QWidget* targets[] = {w.Text1, w.Text2, w.Command1};
        targets[target]->setFocus(Qt::TabFocusReason);
        Settle();
        QTEST(runs, "runs");
    }

    // A modal box takes the activation and gives it back; the box keeps the
    // focus within its own window, so the text box lost nothing.
    void modalBoxIsNoFocusMove()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.Text1->setFocus(Qt::OtherFocusReason);
        int runs = 0;
        OnLostFocus(w.Text1, [&] { ++runs; });
        QDialog box;
        auto* ok = new QPushButton(QStringLiteral("OK"), &box);
        QObject::connect(ok, &QPushButton::clicked, &box, &QDialog::accept);
        QTimer::singleShot(0, &box, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&box));
            ok->setFocus();
            Settle();
            box.accept();
        });
        box.exec();
        w.widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        Settle();
        QCOMPARE(runs, 0);
        // Another top-level window activated does not count either.
        QWidget other;
        auto* otherBox = new QLineEdit(&other);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        otherBox->setFocus();
        Settle();
        QCOMPARE(runs, 0);
        // Back in the window, a move to another control does.
        w.widget.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.Text1->setFocus(Qt::OtherFocusReason);
        Settle();
        w.Text2->setFocus(Qt::TabFocusReason);
        Settle();
        QCOMPARE(runs, 1);
    }

    // A handler that moves the focus back and away again runs once, not
    // inside itself.
    void handlerIsNotReentered()
    {
        Window w;
        QVERIFY(QTest::qWaitForWindowActive(&w.widget));
        w.Text1->setFocus(Qt::OtherFocusReason);
        int runs = 0, depth = 0, deepest = 0;
        OnLostFocus(w.Text1, [&] {
            ++runs;
            deepest = std::max(deepest, ++depth);
            w.Text1->setFocus(Qt::OtherFocusReason);
            w.Text2->setFocus(Qt::TabFocusReason);
            Settle();
            --depth;
        });
        w.Text2->setFocus(Qt::TabFocusReason);
        Settle();
        Settle();
        QCOMPARE(deepest, 1);
        QCOMPARE(runs, 1);
    }

    // A window shown and unloaded at once (as start-up does with the options
    // window) has its boxes emptied before the handler could run: it must
    // not act on their design state.
    void unloadedWindowRunsNothing_data()
    {
        QTest::addColumn<bool>("unload");
        QTest::newRow("unloaded before the handler runs") << true;
        QTest::newRow("still loaded") << false;
    }
    void unloadedWindowRunsNothing()
    {
        QFETCH(bool, unload);
        Form form(Form::Kind::TopLevel, "FormFocus");
        auto* text1 = new QLineEdit(&form);
        auto* text2 = new QLineEdit(&form);
        new QVBoxLayout(&form);
        form.layout()->addWidget(text1);
        form.layout()->addWidget(text2);
        form.Show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        text1->setFocus(Qt::OtherFocusReason);
        Settle();
        int runs = 0;
        OnLostFocus(text1, [&] { ++runs; });
        text2->setFocus(Qt::TabFocusReason);
        if (unload)
            form.Unload();
        Settle();
        QCOMPARE(runs, unload ? 0 : 1);
    }
};

KELPA_TEST_MAIN(TestLostFocus)
#include "test_lost_focus.moc"
