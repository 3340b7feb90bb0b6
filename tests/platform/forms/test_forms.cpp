// The window base: handlers fired by code, load and unload with the design
// state, twips geometry, modal showing.

#include "platform/forms/Clicks.h"
#include "platform/forms/Form.h"
#include "platform/forms/Handlers.h"
#include "platform/forms/ShownText.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Frames.h"
#include "platform/pump/Pump.h"
#include "tests/support/TestMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace platform;

namespace {

class FormSample final : public Form {
public:
    FormSample() : Form(Kind::MdiChild, "FormSample")
    {
        Text1 = Control<QLineEdit>(this, "Text1");
        Text1->setText(QStringLiteral("design"));
        Check1 = Control<QCheckBox>(this, "Check1");
        Option1 = Control<QRadioButton>(this, "Option1");
        Option2 = Control<QRadioButton>(this, "Option2");
        Option1->setChecked(true);
        List1 = Control<QListWidget>(this, "List1");
        On(Text1, &QLineEdit::textChanged, this, &FormSample::Text1_Change);
        On(Check1, &QCheckBox::stateChanged, this, &FormSample::Check1_Click);
        OnSelected(Option2, this, &FormSample::Option2_Click);
        On(List1, &QListWidget::currentRowChanged, this, &FormSample::List1_Click);
    }

    QLineEdit* Text1;
    QCheckBox* Check1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QListWidget* List1;
    int changes = 0, clicks = 0, optionClicks = 0, listClicks = 0, loads = 0, unloads = 0;
    int refuseUnload = 0;

    void Text1_Change() { ++changes; }
    void Check1_Click() { ++clicks; }
    void Option2_Click() { ++optionClicks; }
    void List1_Click() { ++listClicks; }

protected:
    void Form_Load() override
    {
        ++loads;
        List1->addItems({QStringLiteral("a"), QStringLiteral("b")});
    }
    void Form_QueryUnload(int& cancel) override { cancel = refuseUnload; }
    void Form_Unload() override { ++unloads; }
};

// Counts the title changes of the widget it filters.
class TitleCounter final : public QObject {
public:
    explicit TitleCounter(int& count) : count_(count) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::WindowTitleChange)
            ++count_;
        return false;
    }

private:
    int& count_;
};

} // namespace

class TestForms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        area.resize(800, 600);
        Form::SetMdiArea(&area);
        area.show();
    }

    void handlersRunWhenCodeChangesAValue()
    {
        FormSample form;
        form.Load();
        form.Text1->setText(QStringLiteral("x"));
        form.Text1->setText(QStringLiteral("x")); // no real change: no handler
        QCOMPARE(form.changes, 1);
        form.Check1->setChecked(true);
        QCOMPARE(form.clicks, 1);
        form.Option2->setChecked(true); // selects 2, deselects 1
        form.Option1->setChecked(true); // deselecting 2 is no Click of 2
        QCOMPARE(form.optionClicks, 1);
        form.List1->setCurrentRow(1);
        QCOMPARE(form.listClicks, 1);
    }

    void unloadRestoresTheDesignWithoutHandlers()
    {
        FormSample form;
        form.Show();
        QCOMPARE(form.loads, 1);
        QCOMPARE(form.List1->count(), 2);
        form.Text1->setText(QStringLiteral("typed"));
        form.Check1->setChecked(true);
        form.Text1->setEnabled(false);
        const int changes = form.changes;
        QVERIFY(form.Unload());
        QVERIFY(!form.Loaded());
        QVERIFY(!form.Visible());
        QCOMPARE(form.Text1->text(), QStringLiteral("design"));
        QVERIFY(!form.Check1->isChecked());
        QVERIFY(form.Text1->isEnabled());
        QCOMPARE(form.List1->count(), 0);
        QCOMPARE(form.changes, changes);
        form.Load(); // filled again by its load handler
        QCOMPARE(form.loads, 2);
        QCOMPARE(form.List1->count(), 2);
    }

    // A list's own parts (its scroll bar) follow its rows, not the design:
    // shown again, a list too small for its rows has its scroll bar whole.
    void listKeepsItsScrollBar()
    {
        FormSample form;
        form.List1->setGeometry(0, 0, 80, 24);
        for (int pass = 0; pass < 2; ++pass) {
            form.Show();
            QApplication::processEvents();
            const QScrollBar* bar = form.List1->verticalScrollBar();
            QVERIFY(bar->isVisibleTo(form.List1));
            QVERIFY(form.List1->rect().contains(bar->mapTo(form.List1, bar->rect().bottomRight())));
            form.Unload();
        }
    }

    void unloadKeepsTheOwnFlagOfAControlInADisabledFrame()
    {
        Form form(Form::Kind::MdiChild, "FormFramed");
        auto* frame = Control<QGroupBox>(&form, "Frame1");
        auto* text = new QLineEdit(frame);
        text->setObjectName(QStringLiteral("Text2"));
        frame->setEnabled(false); // the design: a frame off, its box on
        form.Show();
        QVERIFY(form.Unload());
        form.Show();
        frame->setEnabled(true);
        QVERIFY(text->isEnabled());
        QVERIFY(form.Unload());
    }

    void queryUnloadCanCancel()
    {
        FormSample form;
        form.Show();
        form.refuseUnload = 1;
        QVERIFY(!form.Unload());
        QVERIFY(form.Loaded());
        QCOMPARE(form.unloads, 0);
        form.refuseUnload = 0;
        QVERIFY(form.Unload());
        QCOMPARE(form.unloads, 1);
    }

    void childGeometryIsInTwips()
    {
        FormSample form;
        form.Show();
        form.MoveTo(150, 300, 6000, 4500);
        QCOMPARE(form.Left(), 150.0);
        QCOMPARE(form.Top(), 300.0);
        QCOMPARE(form.Width(), 6000.0);
        QCOMPARE(form.Height(), 4500.0);
        form.SetWindowState(2);
        QCOMPARE(form.WindowState(), 2);
        form.SetWindowState(0);
        QCOMPARE(form.WindowState(), 0);
    }

    // Twips that fall between pixels read back as they were set while the
    // window keeps those pixels; moved or resized, it reads its pixels.
    void placeReadsTheTwipsSet_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("document window") << int(Form::Kind::MdiChild);
        QTest::newRow("window of its own") << int(Form::Kind::TopLevel);
    }
    void placeReadsTheTwipsSet()
    {
        QFETCH(int, kind);
        Form form(static_cast<Form::Kind>(kind), "FormPlace");
        form.Show();
        form.MoveTo(0, 8715, 1300, 4330);
        const QString place = QStringLiteral("%1,%2,%3,%4")
                                  .arg(form.Left())
                                  .arg(form.Top())
                                  .arg(form.Width())
                                  .arg(form.Height());
        QCOMPARE(place, QStringLiteral("0,8715,1300,4330"));
        form.SetLeft(7);
        QCOMPARE(form.Left(), 7.0);
        QCOMPARE(form.Width(), 1300.0);
        QCOMPARE(form.Height(), 4330.0);
        // Resized by other means: the pixels hold.
        QWidget* frame = kind == int(Form::Kind::MdiChild) ? form.parentWidget() : &form;
        frame->resize(frame->width() + 10, frame->height());
        QCOMPARE(form.Width(), ToTwips(frame->frameGeometry().width()));
        QCOMPARE(form.Height(), 4330.0);
    }

    // A document window set to normal keeps its place and size, whether it
    // was normal already or comes back from maximised.
    void normalStateKeepsThePlace_data()
    {
        QTest::addColumn<int>("before");
        QTest::newRow("normal already") << 0;
        QTest::newRow("from maximised") << 2;
    }
    void normalStateKeepsThePlace()
    {
        QFETCH(int, before);
        FormSample form;
        form.Show();
        form.MoveTo(150, 300, 6000, 1500);
        form.SetWindowState(before);
        form.SetWindowState(0);
        QCOMPARE(form.WindowState(), 0);
        QCOMPARE(form.Left(), 150.0);
        QCOMPARE(form.Top(), 300.0);
        QCOMPARE(form.Width(), 6000.0);
        QCOMPARE(form.Height(), 1500.0);
    }

    void clicksReachOnlyAnEnabledControl_data()
    {
        QTest::addColumn<bool>("controlEnabled");
        QTest::addColumn<bool>("frameEnabled");
        QTest::newRow("enabled") << true << true;
        QTest::newRow("disabled control") << false << true;
        QTest::newRow("control in a disabled frame") << true << false;
    }
    void clicksReachOnlyAnEnabledControl()
    {
        QFETCH(bool, controlEnabled);
        QFETCH(bool, frameEnabled);
        QWidget frame;
        auto* label = new QLabel(QStringLiteral("20 min"), &frame);
        int clicks = 0, doubleClicks = 0;
        OnClicks(
            label, [&] { ++clicks; }, [&] { ++doubleClicks; });
        label->setEnabled(controlEnabled);
        frame.setEnabled(frameEnabled);
        const QPointF at(2, 2);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
            QMouseEvent event(type, at, label->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QCoreApplication::sendEvent(label, &event);
        }
        const int expected = controlEnabled && frameEnabled ? 1 : 0;
        QCOMPARE(clicks, expected);
        QCOMPARE(doubleClicks, expected);
    }

    void twipConversions_data()
    {
        QTest::addColumn<double>("twips");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("one pixel") << 15.0 << 1;
        QTest::newRow("half rounds away") << 7.5 << 1;
        QTest::newRow("screen width") << 12000.0 << 800;
        QTest::newRow("negative") << -150.0 << -10;
    }
    void twipConversions()
    {
        QFETCH(double, twips);
        QFETCH(int, pixels);
        QCOMPARE(ToPixels(twips), pixels);
    }

    // A text box shown the text it holds keeps its cursor, selection and undo
    // step and fires no change; another text replaces the whole.
    void shownTextOnlyWhenChanged_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<int>("changes");
        QTest::newRow("same text") << QStringLiteral("abcdef") << 2 << true << 0;
        QTest::newRow("other text") << QStringLiteral("abcdeg") << 6 << false << 1;
        QTest::newRow("emptied") << QString() << 0 << false << 1;
    }
    void shownTextOnlyWhenChanged()
    {
        QFETCH(QString, text);
        QFETCH(int, cursor);
        QFETCH(bool, selected);
        QFETCH(int, changes);
        QLineEdit box(QStringLiteral("abcdef"));
        int changed = 0;
        QObject::connect(&box, &QLineEdit::textChanged, [&changed] { ++changed; });
        box.setSelection(0, 2);
        ShowText(&box, text);
        QCOMPARE(box.text(), text);
        QCOMPARE(box.cursorPosition(), cursor);
        QCOMPARE(box.hasSelectedText(), selected);
        QCOMPARE(changed, changes);
    }

    // Caption() is the caption last set at once; a child window's frame
    // takes a burst of captions as one change and ends showing the last.
    void captionsOfAWindow_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("captions"); // set one after the other, without a yield
        QTest::addColumn<int>("maxShown"); // title changes of the frame for them
        QTest::newRow("document window, one caption") << int(Form::Kind::MdiChild) << 1 << 1;
        QTest::newRow("document window, a burst") << int(Form::Kind::MdiChild) << 200 << 2;
        QTest::newRow("window of its own, a burst") << int(Form::Kind::TopLevel) << 200 << 200;
    }
    void captionsOfAWindow()
    {
        QFETCH(int, kind);
        QFETCH(int, captions);
        QFETCH(int, maxShown);
        Form form(Form::Kind(kind), "FormCaptions");
        form.Show();
        QWidget* frame = kind == int(Form::Kind::MdiChild) ? form.parentWidget() : &form;
        QVERIFY(frame);
        // Let a caption shown before the test be over a frame ago.
        QTest::qWait(2 * FrameIntervalMs);
        int shown = 0;
        TitleCounter counter(shown);
        frame->installEventFilter(&counter);
        QString last;
        for (int i = 0; i < captions; ++i) {
            last = QStringLiteral("caption %1").arg(i);
            form.SetCaption(last);
            QCOMPARE(form.Caption(), last);
        }
        QTRY_COMPARE(frame->windowTitle(), last);
        QCOMPARE(form.Caption(), last);
        QVERIFY2(shown >= 1 && shown <= maxShown, qPrintable(QString::number(shown)));
        // The same caption again changes nothing.
        const int before = shown;
        QTest::qWait(2 * FrameIntervalMs);
        form.SetCaption(last);
        QTest::qWait(2 * FrameIntervalMs);
        QCOMPARE(shown, before);
        QCOMPARE(frame->windowTitle(), last);
    }

    void modalShowReturnsWhenUnloaded()
    {
        FormSample form;
        QTimer::singleShot(50, &form, [&form] { form.Unload(); });
        form.Show(true);
        QVERIFY(!form.Loaded());
    }

    void closeBoxAsksForUnload()
    {
        FormSample form;
        form.Show();
        auto* frame = qobject_cast<QMdiSubWindow*>(form.parentWidget());
        QVERIFY(frame);
        form.refuseUnload = 1;
        frame->close();
        QVERIFY(form.Loaded());
        form.refuseUnload = 0;
        frame->close();
        QVERIFY(!form.Loaded());
    }

private:
    QMdiArea area;
};

KELPA_TEST_MAIN(TestForms)
#include "test_forms.moc"
