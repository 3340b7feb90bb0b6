// The task assistant driven as a user does: the steps of each path with
// Continue's state and captions, Back from each step, the hand-over into the
// options window and the scheduler row, the task branch, and the cases where
// it must change nothing.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/tools/AssistantFixture.h"
#include "texts/Sprache.h"
#include "tools/FormAssistant.h"
#include "tools/FormEdit.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdlib>

using namespace testsupport;
using namespace KELPA;

namespace {

// The first row of image with a pixel between columns from and to that is
// not the colour of its top-left corner (the background); -1 when none.
int FirstPaintedRow(const QImage& image, int from, int to)
{
    const QRgb background = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = from; x < std::min(to, image.width()); ++x)
            if (image.pixel(x, y) != background)
                return y;
    return -1;
}

} // namespace

class TestAssistantWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void init() { PrepareAssistant(); }

    // Every caption of every step shows whole in both languages, the two
    // "no more steps" labels among them, with no control covering another
    // and every control inside the window.
    void captionsFit_data() { testsupport::LanguageRows(); }
    void captionsFit()
    {
        QFETCH(QString, language);
        TexteLaden(language);
        FormAssistant& a = A();
        a.Load();
        a.Label7->show();
        a.Label14->show();
        QStringList clipped = ClippedCaptions(&a);
        for (QWidget* control : a.findChildren<QWidget*>())
            if (!a.rect().contains(control->mapTo(&a, control->rect().bottomRight())))
                clipped << control->objectName() + QStringLiteral(" lies outside the window");
        a.Unload();
        TexteLaden(QStringLiteral("english"));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    // What only later steps show fits as well: the titles of the frames
    // hidden at the start, and Back and Continue with each of their
    // captions (Cancel or Go back, Continue or Finish).
    void laterCaptionsFit_data() { testsupport::LanguageRows(); }
    void laterCaptionsFit()
    {
        QFETCH(QString, language);
        TexteLaden(language);
        FormAssistant& a = A();
        a.Load();
        QStringList clipped;
        for (int n = 1; n <= 6; ++n)
            clipped << CaptionProblem(a.Frame[n], a.Frame[n]->title());
        for (int text : {4, 6})
            clipped << CaptionProblem(a.CommandBack, LanguageText[text]);
        for (int text : {5, 7})
            clipped << CaptionProblem(a.CommandContinue, LanguageText[text]);
        a.Unload();
        TexteLaden(QStringLiteral("english"));
        clipped.removeAll(QString());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    // The round button or box of an option stands by the first line of its
    // caption, however many lines the caption runs to: the first painted row
    // of the indicator lies level with the first painted row of the text.
    void indicatorByFirstLine_data() { testsupport::LanguageRows(); }
    void indicatorByFirstLine()
    {
        QFETCH(QString, language);
        TexteLaden(language);
        FormAssistant& a = A();
        a.Load();
        QStringList apart;
        for (QAbstractButton* button : a.findChildren<QAbstractButton*>()) {
            if (qobject_cast<QPushButton*>(button))
                continue;
            const QImage image = button->grab().toImage();
            const int indicator =
                button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, button);
            const int text = indicator + button->style()->pixelMetric(
                                             QStyle::PM_RadioButtonLabelSpacing, nullptr, button);
            const int indicatorTop = FirstPaintedRow(image, 0, indicator);
            const int textTop = FirstPaintedRow(image, text, image.width());
            if (std::abs(indicatorTop - textTop) > button->fontMetrics().height() / 3)
                apart << QStringLiteral("%1: indicator at %2, text at %3")
                             .arg(button->objectName())
                             .arg(indicatorTop)
                             .arg(textTop);
        }
        a.Unload();
        TexteLaden(QStringLiteral("english"));
        QVERIFY2(apart.isEmpty(), qPrintable(apart.join(QLatin1Char('\n'))));
    }

    // Whatever height its captions give it, the window opens in the middle of
    // the screen, not at its corner.
    void opensCentred_data() { testsupport::LanguageRows(); }
    void opensCentred()
    {
        QFETCH(QString, language);
        TexteLaden(language);
        FormAssistant& a = A();
        a.move(0, 0);
        a.Load();
        const QPoint middle = a.frameGeometry().center();
        a.Unload();
        TexteLaden(QStringLiteral("english"));
        const QPoint screen = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((middle - screen).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(middle.x()).arg(middle.y())));
    }

    // Each kind walks its steps; Finish closes the window with the closing box.
    void paths_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("automatic");
        QTest::newRow("off-line browsing, manual") << 1 << false;
        QTest::newRow("documents unchanged, manual") << 2 << false;
        QTest::newRow("file types, automatic") << 3 << true;
        QTest::newRow("single URLs, automatic") << 4 << true;
        QTest::newRow("single URLs, manual") << 4 << false;
    }
    void paths()
    {
        QFETCH(int, kind);
        QFETCH(bool, automatic);
        MsgBoxScript boxes;
        ExpectClosing(boxes);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            FormAssistant& a = A();
            Walk(Kind(kind), StepsOf(kind));
            if (automatic) {
                // back to step 3, where Continue needs a ticked box
                while (Step() != 3)
                    a.CommandBack->click();
                a.Option6->click();
                QVERIFY(!a.CommandContinue->isEnabled());
                a.CheckDauer->click();
                QVERIFY(a.CommandContinue->isEnabled());
                a.CheckDauer->click();
                QVERIFY(!a.CommandContinue->isEnabled());
                a.CheckRepeat->click();
                QVERIFY(a.CommandContinue->isEnabled());
                a.Option5->click();
                QVERIFY(!a.CheckRepeat->isChecked() && !a.CheckRepeat->isEnabled());
                QVERIFY(a.CommandContinue->isEnabled());
                while (Step() != 0 && ContinueText() != LanguageText[7])
                    a.CommandContinue->click();
            }
            a.CommandContinue->click(); // Finish
        });
        FormKelpa::Instance().MenuAssistant_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(answer.shown(), 1);
        QVERIFY(!answer.leftOpen());
        QCOMPARE(FormHTTP::Instance().Text1->text(),
                 QStringLiteral("http://127.0.0.1:8/docs/index.html"));
    }

    // Return presses Continue on every step and Finish on the last one,
    // wherever the focus is, and nothing while Continue is disabled.
    void returnPressesContinue()
    {
        const QString url = QStringLiteral("http://127.0.0.1:8/docs/index.html");
        MsgBoxScript boxes;
        ExpectClosing(boxes);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            FormAssistant& a = A();
            const auto pressReturn = [&a] {
                QWidget* focused = a.focusWidget();
                QTest::keyClick(focused ? focused : &a, Qt::Key_Return);
            };
            a.Option4->click();
            a.CommandBack->setFocus();
            pressReturn();
            QCOMPARE(Step(), 2);
            pressReturn(); // no URL yet
            QCOMPARE(Step(), 2);
            a.TextURL->setFocus();
            QTest::keyClicks(a.TextURL, url);
            pressReturn();
            QCOMPARE(Step(), 3);
            QCOMPARE(ContinueText(), LanguageText[7]);
            QVERIFY(a.CommandContinue->isDefault());
            pressReturn(); // Finish
        });
        FormKelpa::Instance().MenuAssistant_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!answer.leftOpen());
        QCOMPARE(FormHTTP::Instance().Text1->text(), url);
    }

    // After Finish the options window, which the closing message names, is
    // in front and whole in the main window; the list editor and the
    // preview stand below the transfer window, each with its title bar in
    // view, as the align command leaves them.
    void finishShowsTheOptionsWindow()
    {
        FormKelpa& main = FormKelpa::Instance();
        FormOptions::Instance().Unload();
        FormEdit::Instance().Show();
        FormPreview::Instance().Show();
        MsgBoxScript boxes;
        ExpectClosing(boxes);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            Walk(Kind(4), StepsOf(4));
            A().CommandContinue->click();
        });
        main.MenuAssistant_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QList<QMdiSubWindow*> stack = main.MdiArea()->subWindowList(QMdiArea::StackingOrder);
        stack.removeIf([](const QMdiSubWindow* window) { return window->isHidden(); });
        QCOMPARE(stack.last()->widget(), &FormOptions::Instance());
        const QRect area = main.MdiArea()->viewport()->rect();
        QVERIFY(area.contains(stack.last()->geometry()));
        const int transferBottom = FormHTTP::Instance().ScreenRect().bottom();
        QStringList hidden;
        for (qsizetype i = 0; i < stack.size(); ++i) {
            const auto* form = qobject_cast<platform::Form*>(stack.at(i)->widget());
            if (form == &FormHTTP::Instance())
                continue;
            const QRect outer = form->ScreenRect();
            const QPoint title(outer.center().x(),
                               (outer.top() + form->mapToGlobal(QPoint()).y()) / 2);
            if (outer.top() <= transferBottom)
                hidden << form->objectName() + QStringLiteral(" under the transfer window");
            for (qsizetype front = i + 1; front < stack.size(); ++front) {
                const auto* other = qobject_cast<platform::Form*>(stack.at(front)->widget());
                if (other->ScreenRect().contains(title))
                    hidden << form->objectName() + QStringLiteral(": title bar under ") +
                                  other->objectName();
            }
        }
        FormEdit::Instance().Unload();
        FormPreview::Instance().Unload();
        QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(QLatin1Char('\n'))));
    }

    // The settings each kind leaves, from an options window with every box
    // ticked and with none.
    void handOver_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("before");
        // depth, images, saveHTML, localBrowsing, subDirectories, javaApplets
        QTest::addColumn<QList<int>>("values");
        QTest::addColumn<bool>("excluded"); // the exclusion list holds families
        QTest::addColumn<QString>("onlySite");
        for (bool before : {true, false}) {
            const char* from = before ? "all ticked" : "none ticked";
            QTest::addRow("off-line browsing, %s", from)
                << 1 << before << QList<int>{0, 1, 1, 1, 1, 1} << false << QStringLiteral("/docs/");
            QTest::addRow("documents unchanged, %s", from)
                << 2 << before << QList<int>{0, 1, 1, 0, 1, 1} << false << QStringLiteral("/docs/");
            QTest::addRow("file types none chosen, %s", from)
                << 3 << before << QList<int>{0, 0, 0, 0, 0, 0} << true << QStringLiteral("/docs/");
            QTest::addRow("single URLs, %s", from)
                << 4 << before << QList<int>{1, 0, 1, 0, 0, 1} << false << QString();
        }
    }
    void handOver()
    {
        QFETCH(int, kind);
        QFETCH(bool, before);
        QFETCH(QList<int>, values);
        QFETCH(bool, excluded);
        QFETCH(QString, onlySite);
        SetAllOptionBoxes(before);
        MsgBoxScript boxes;
        ExpectClosing(boxes);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            Walk(Kind(kind), StepsOf(kind));
            A().CommandContinue->click();
        });
        FormKelpa::Instance().MenuAssistant_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!answer.leftOpen());
        QCOMPARE(Depth, int16_t(values[0]));
        QCOMPARE(Images, int16_t(values[1]));
        QCOMPARE(SaveHTML, int16_t(values[2]));
        QCOMPARE(LocalBrowsing, int16_t(values[3]));
        QCOMPARE(SubDirectories, int16_t(values[4]));
        QCOMPARE(JavaApplets, int16_t(values[5]));
        QCOMPARE(Timeout, int16_t(120));
        QCOMPARE(!Exclude.isEmpty(), excluded);
        QCOMPARE(platform::Trim(OnlySite), onlySite);
        QCOMPARE(NoSite, QString());
        QCOMPARE(RestHome, int16_t(0));
        // single URLs end before step 4: refreshes and relocations stay
        QCOMPARE(AcceptMetaRefresh, int16_t(kind != 4 || before));
        QCOMPARE(AcceptRelocation, int16_t(kind != 4 || before));
    }

    // A delayed start is armed with the assistant's delay from now; the
    // main window's own start box works again afterwards.
    void delayedStart()
    {
        FormKelpa& main = FormKelpa::Instance();
        MsgBoxScript boxes;
        ExpectClosing(boxes);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            FormAssistant& a = A();
            Walk(a.Option4, 3);
            a.Option6->click();
            a.CheckStart->click();
            a.VScroll2->setValue(-5);
            QCOMPARE(a.Zeit->text(), QStringLiteral("0.5 h"));
            a.CommandContinue->click();
        });
        main.MenuAssistant_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(main.CheckStart->isChecked());
        QCOMPARE(StartInLeft, int16_t(30));
        QCOMPARE(main.VScroll2->value(), -5);
        QVERIFY(main.Zeit->isEnabled() && main.VScroll2->isEnabled());
        QVERIFY(!StartClock.isEmpty());
        QCOMPARE(AssistantStartSet, int16_t(0));
        // a later tick by hand takes the bar again
        main.CheckStart->setChecked(false);
        StartInLeft = 0;
        main.CheckStart->setChecked(true);
        QCOMPARE(StartInLeft, int16_t(30));
        // and a tick of the start-in timer counts down from there
        main.TimerStartIn_Timer();
        QCOMPARE(StartInLeft, int16_t(29));
        main.CheckStart->setChecked(false);
    }

    // Cancel leaves the countdown the delay bar changed as it was.
    void cancelKeepsDelay()
    {
        StartInLeft = 77;
        StartInText = QStringLiteral("x");
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            FormAssistant& a = A();
            ToAutomaticStart();
            a.CheckStart->click();
            a.Zeit_Click();
            QCOMPARE(StartInLeft, int16_t(1440));
            a.CommandBack->click();
            a.CommandBack->click();
            a.CommandBack->click(); // Cancel
        });
        FormKelpa::Instance().MenuAssistant_Click();
        QVERIFY(!answer.leftOpen());
        QCOMPARE(StartInLeft, int16_t(77));
        QCOMPARE(StartInText, QStringLiteral("x"));
    }

    // The bars' labels: clicks step them within their ranges.
    void labelClicks_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("from");
        QTest::addColumn<bool>("dbl");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Dauer 720 to 1") << "Dauer" << -720 << false << "1 min";
        QTest::newRow("Dauer from 20") << "Dauer" << -20 << false << "60 min";
        QTest::newRow("Repeat 720 to 1440") << "Repeat" << -720 << false << "1440 min";
        QTest::newRow("Repeat dragged 1000 stops at 1440")
            << "Repeat" << -1000 << false << "1440 min";
        QTest::newRow("Repeat double") << "Repeat" << -300 << true << "1 min";
        QTest::newRow("Zeit 168 h to 0.5 h") << "Zeit" << -1680 << false << "0.5 h";
        QTest::newRow("Zeit from 8 h") << "Zeit" << -80 << false << "24.0 h";
        QTest::newRow("Zeit double") << "Zeit" << -300 << true << "0.5 h";
    }
    void labelClicks()
    {
        QFETCH(QString, label);
        QFETCH(int, from);
        QFETCH(bool, dbl);
        QFETCH(QString, shown);
        FormAssistant& a = A();
        a.Load();
        QScrollBar* bar = label == "Dauer" ? a.VScroll1 : label == "Zeit" ? a.VScroll2 : a.VScroll3;
        QLabel* caption = label == "Dauer" ? a.Dauer : label == "Zeit" ? a.Zeit : a.Repeat;
        bar->setValue(from);
        if (label == "Dauer")
            dbl ? a.Dauer_DblClick() : a.Dauer_Click();
        else if (label == "Zeit")
            dbl ? a.Zeit_DblClick() : a.Zeit_Click();
        else
            dbl ? a.Repeat_DblClick() : a.Repeat_Click();
        QCOMPARE(caption->text(), shown);
        a.Unload();
    }

    // A prepared task: refused when it cannot be loaded, else loaded with
    // its comments shown. A folder or a dangling link in its place cannot be
    // read even by root; a file without read permission can, so that row
    // is skipped when the tests run as root.
    void taskFile_data()
    {
        QTest::addColumn<QString>("made"); // what stands at the task's path
        QTest::addColumn<bool>("loads");
        QTest::newRow("empty") << "empty" << false;
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("no read permission") << "no read permission" << false;
        QTest::newRow("a folder of that name") << "folder" << false;
        QTest::newRow("a dangling link") << "dangling link" << false;
        QTest::newRow("good") << "good" << true;
    }
    void taskFile()
    {
        QFETCH(QString, made);
        QFETCH(bool, loads);
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("job.tsk"));
        if (made == "empty")
            WriteFile(QStringLiteral("job.tsk"), QByteArray());
        else if (made == "good" || made == "no read permission")
            WriteFile(QStringLiteral("job.tsk"), "Depth=3\r\n");
        else if (made == "folder")
            QVERIFY(QDir::current().mkdir(QStringLiteral("job.tsk")));
        else if (made == "dangling link")
            QVERIFY(QFile::link(QStringLiteral("nowhere.tsk"), path));
        if (made == "no read permission") {
            QFile::setPermissions(path, QFileDevice::Permissions());
            if (QFile(path).open(QIODevice::ReadOnly))
                QSKIP("files stay readable for this user");
        }
        FormKelpa& main = FormKelpa::Instance();
        main.SetCaption(QStringLiteral("Kelpa [old.tsk]"));
        // The chooser offers files only: a folder's name is typed.
        ChooseScript choosers;
        if (made != "folder")
            choosers.expectPath(path).withTitle(LanguageText[67]);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            if (made == "folder")
                A().TextOpen->setText(platform::CurDir() + QStringLiteral("\\job.tsk"));
            A().OptionOpen->click();
            QCOMPARE(ContinueText(), LanguageText[7]);
            A().CommandContinue->click();
        });
        main.MenuAssistant_Click();
        KELPA_VERIFY_CHOOSERS(choosers);
        QVERIFY(!answer.leftOpen());
        const QByteArray log = Log();
        QVERIFY(TaskFile.endsWith(QStringLiteral("job.tsk")));
        QCOMPARE(log, (loads ? TaskFile + LanguageText[235] : "Error " + TaskFile + "!").toUtf8() +
                          "\r\n");
        QCOMPARE(main.Caption(), loads ? QStringLiteral("Kelpa [") + TaskFile + QLatin1Char(']')
                                       : QStringLiteral("Kelpa [old.tsk]"));
        if (loads)
            QCOMPARE(Depth, int16_t(3));
    }
    // During a run neither branch hands anything over and the window stays.
    void nothingWhileRunning()
    {
        WriteFile(QStringLiteral("job.tsk"), "Depth=3\r\n");
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            Running = 1;
            A().OptionOpen->click(); // the chooser is not asked: TextOpen is filled
            A().CommandContinue->click();
            QVERIFY(A().isVisible());
            A().Option4->click();
            A().CommandContinue->click();
            A().TextURL->setText(QStringLiteral("http://h/"));
            A().CommandContinue->click();
            A().CommandContinue->click(); // Finish
            QVERIFY(A().isVisible());
            Running = 0;
        });
        ChooseScript choosers;
        choosers.expectPath(QDir::current().absoluteFilePath(QStringLiteral("job.tsk")));
        FormKelpa::Instance().MenuAssistant_Click();
        QVERIFY(answer.leftOpen());
        QVERIFY(!Log().contains("job.tsk"));
        QCOMPARE(FormHTTP::Instance().Text1->text(), QString());
    }

    // The first-start timer waits while a run goes on.
    void timerWaitsForRun()
    {
        FormKelpa& main = FormKelpa::Instance();
        ModalAnswer answer("FormAssistant", [](platform::Form&) { A().CommandBack->click(); });
        Running = 1;
        main.TimerAssistant.setEnabled(true);
        main.TimerAssistant.fire();
        QCOMPARE(answer.shown(), 0);
        QVERIFY(main.TimerAssistant.Enabled());
        Running = 0;
        main.TimerAssistant.fire();
        QCOMPARE(answer.shown(), 1);
        QVERIFY(!main.TimerAssistant.Enabled());
    }

    // A cancelled task chooser leaves Finish disabled; a double click asks
    // again, and another kind brings Continue back.
    void taskChooserCancelled()
    {
        ChooseScript choosers;
        choosers.expectCancel().withTitle(LanguageText[67]);
        choosers.expectCancel().withTitle(LanguageText[67]);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            FormAssistant& a = A();
            a.OptionOpen->click();
            QCOMPARE(ContinueText(), LanguageText[7]);
            QVERIFY(!a.CommandContinue->isEnabled() && a.TextOpen->isEnabled());
            a.OptionOpen_DblClick();
            QVERIFY(!a.CommandContinue->isEnabled());
            a.Option2->click();
            QCOMPARE(ContinueText(), LanguageText[5]);
            QVERIFY(a.CommandContinue->isEnabled() && !a.TextOpen->isEnabled());
            a.CommandBack->click(); // Cancel
        });
        FormKelpa::Instance().MenuAssistant_Click();
        KELPA_VERIFY_CHOOSERS(choosers);
        QVERIFY(!answer.leftOpen());
    }

    // An automatic start with no box ticked still holds Continue back after
    // a visit to step 2.
    void automaticStartNeedsABoxAfterGoingBack()
    {
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            FormAssistant& a = A();
            ToAutomaticStart();
            QVERIFY(!a.CommandContinue->isEnabled());
            a.CommandBack->click();
            QVERIFY(a.CommandContinue->isEnabled()); // the URL is there
            a.CommandContinue->click();
            QCOMPARE(Step(), 3);
            QVERIFY(!a.CommandContinue->isEnabled());
            a.CheckRepeat->click();
            QVERIFY(a.CommandContinue->isEnabled());
            a.CommandBack->click();
            a.CommandContinue->click();
            QVERIFY(a.CommandContinue->isEnabled());
            a.CommandBack->click();
            a.CommandBack->click();
            a.CommandBack->click(); // Cancel
        });
        FormKelpa::Instance().MenuAssistant_Click();
        QVERIFY(!answer.leftOpen());
    }

    // A cancelled input-list chooser shows nothing and keeps the list.
    void listChooserCancelled()
    {
        ChooseScript choosers;
        choosers.expectCancel().withTitle(LanguageText[68]);
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            A().CommandContinue->click();
            A().OptionChoose->click();
            A().TextChoose->setText(QStringLiteral("mine.inp"));
            A().CommandChoose->click();
            QCOMPARE(A().TextChoose->text(), QStringLiteral("mine.inp"));
            QVERIFY(A().CommandContinue->isEnabled());
            A().CommandBack->click();
            A().CommandBack->click();
        });
        FormKelpa::Instance().MenuAssistant_Click(); // no message box is planned
        KELPA_VERIFY_CHOOSERS(choosers);
        QVERIFY(!answer.leftOpen());
    }

    // A list adds the site words of its URLs after the first record.
    void siteWordsFromList()
    {
        WriteFile(QStringLiteral("urls.inp"), "http://a/x/1.html\r\n1.html\r\nhttp://b/y/2.html\r\n"
                                              "2.html\r\nhttp://A/Y/3.html\r\n3.html\r\n");
        FormAssistant& a = A();
        a.Load();
        a.TextURL->setText(QStringLiteral("http://a/x/1.html"));
        a.OptionChoose->setChecked(true);
        a.TextChoose->setText(QStringLiteral("urls.inp"));
        a.OnlySite();
        // a listed word leaves the blank before the next one
        QCOMPARE(a.TextOnlySite->text(), QStringLiteral("/x/ /y/ "));
        QVERIFY(a.CommandContinue->isEnabled() && a.CommandBack->isEnabled());
        a.Unload();
    }
};

KELPA_TEST_MAIN(TestAssistantWindow)
#include "test_assistant_window.moc"
