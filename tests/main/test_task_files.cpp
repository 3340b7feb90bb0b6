// Task files through the main window: reading one, loading one (also one that
// cannot be read), the open and save commands, the comments window, and the
// scheduler labels and window place that the settings carry.

#include "main/FormComments.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace testsupport;
using platform::vbNo;
using platform::vbOK;
using platform::vbYes;

namespace {

QStringList Lines(const QString& name)
{
    QStringList lines = QString::fromUtf8(ReadFile(name)).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString LastLogLine()
{
    const QStringList lines = Lines(QStringLiteral("KELPA.LOG"));
    return lines.isEmpty() ? QString() : lines.last();
}

// A fresh folder named after the running test, with the task values cleared
// and the scheduler boxes unticked.
FormKelpa& FreshStart()
{
    QString name = QString::fromLatin1(QTest::currentTestFunction());
    if (QTest::currentDataTag())
        name += QLatin1Char('-') + QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
    EnterFreshFolder(name);
    KELPA::Comment.fill(QString());
    KELPA::Repeat.clear();
    KELPA::Time.clear();
    KELPA::Start.clear();
    KELPA::UseList = 0;
    KELPA::WindowsShutDown = 0;
    KELPA::TaskURL.clear();
    KELPA::ChosenPath.clear();
    FormKelpa& form = FormKelpa::Instance();
    for (QCheckBox* box : {form.CheckRepeat, form.CheckDauer, form.CheckStart, form.CheckListe,
                           form.CheckWindowsShutDown})
        box->setChecked(false);
    return form;
}

QByteArray SixComments(const char* prefix)
{
    QByteArray text;
    for (int i = 1; i <= 6; ++i)
        text += "Comment" + QByteArray::number(i) + '=' + prefix + QByteArray::number(i) + "\r\n";
    return text;
}

} // namespace

class TestTaskFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        TexteEnglisch();
        platform::setTestEnding(true);
    }

    void taskReadsItsOwnKeys()
    {
        FormKelpa& form = FreshStart();
        form.CheckWindowsShutDown->setEnabled(true);
        WriteFile(QStringLiteral("a.tsk"), "Comment1=  first \r\n"
                                           "Comment2=   \r\n"
                                           "Comment4=fourth\r\n"
                                           "TaskURL= http://h/ \r\n"
                                           "Repeat= 45 min\r\n"
                                           "Time=30 min\r\n"
                                           "Start=2.0 h\r\n"
                                           "UseList=1\r\n"
                                           "WindowsShutDown=1\r\n"
                                           "Depth=3\r\n");
        // UseList=1 enters list mode, which shows the list's first record.
        WriteFile(QStringLiteral("KELPA.INP"), "http://list/\r\nl.htm\r\n");
        KELPA::TaskFile = QStringLiteral("a.tsk");
        MsgBoxScript boxes;
        form.TaskLesen();
        KELPA_VERIFY_MSGBOXES(boxes);

        QCOMPARE(KELPA::Depth, int16_t(3));
        QCOMPARE(KELPA::Comment[0], QStringLiteral("  first "));
        QCOMPARE(KELPA::Comment[1], QStringLiteral("   "));
        QCOMPARE(KELPA::Comment[6], QStringLiteral("first\r\n\r\nfourth\r\n"));
        QCOMPARE(Lines(QStringLiteral("KELPA.LOG")), (QStringList{"first", "", "fourth"}));
        QCOMPARE(KELPA::TaskURL, QStringLiteral(" http://h/ "));
        QCOMPARE(FormHTTP::Instance().Text1->text(), QStringLiteral("http://list/"));
        QVERIFY(form.CheckListe->isChecked());
        QCOMPARE(form.Repeat->text(), QStringLiteral("45 min"));
        QVERIFY(form.CheckRepeat->isChecked());
        QCOMPARE(form.Dauer->text(), QStringLiteral("30 min"));
        QVERIFY(form.CheckDauer->isChecked());
        QCOMPARE(form.Zeit->text(), QStringLiteral("2.0 h"));
        QVERIFY(form.CheckStart->isChecked());
        QVERIFY(form.CheckWindowsShutDown->isChecked());
    }

    void taskWithoutSchedulerKeysKeepsTheBoxes()
    {
        FormKelpa& form = FreshStart();
        WriteFile(QStringLiteral("b.tsk"), "TimeProcs=5 min,90 min,.5 h\r\n");
        KELPA::TaskFile = QStringLiteral("b.tsk");
        MsgBoxScript boxes;
        form.TaskLesen();
        QCOMPARE(form.Repeat->text(), QStringLiteral("5 min"));
        QVERIFY(!form.CheckRepeat->isChecked());
        QVERIFY(!form.CheckWindowsShutDown->isChecked());
        QCOMPARE(KELPA::Comment[6], QString());
    }

    void shutdownBoxShowsWhatWillHappen_data()
    {
        QTest::addColumn<QByteArray>("task");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("asked with a time")
            << QByteArray("Time=30 min\r\nWindowsShutDown=1\r\n") << true;
        QTest::newRow("run state 2 with a time")
            << QByteArray("Time=30 min\r\nWindowsShutDown=2\r\n") << true;
        QTest::newRow("run state 2 without a time") << QByteArray("WindowsShutDown=2\r\n") << false;
        QTest::newRow("asked without a time") << QByteArray("WindowsShutDown=1\r\n") << false;
    }

    // A task can only ask for a shutdown; it happens exactly when the box says so.
    void shutdownBoxShowsWhatWillHappen()
    {
        QFETCH(QByteArray, task);
        QFETCH(bool, ticked);
        FormKelpa& form = FreshStart();
        WriteFile(QStringLiteral("s.tsk"), task);
        KELPA::TaskFile = QStringLiteral("s.tsk");
        MsgBoxScript boxes;
        form.TaskLesen();
        QCOMPARE(form.CheckWindowsShutDown->isChecked(), ticked);
        QCOMPARE(KELPA::WindowsShutDown, int16_t(ticked ? 1 : 0));
        // Ticking the duration later does not arm a shutdown the box hides.
        form.CheckDauer->setChecked(true);
        QCOMPARE(KELPA::WindowsShutDown == 0, !form.CheckWindowsShutDown->isChecked());
    }

    void positionWiderThanTheScreen()
    {
        FormKelpa& form = FreshStart();
        WriteFile(QStringLiteral("w.tsk"), "Position=0,99999,300,3000\r\n");
        KELPA::TaskFile = QStringLiteral("w.tsk");
        MsgBoxScript boxes;
        form.TaskLesen();
        QCOMPARE(form.Width(), platform::ScreenWidth());
        QCOMPARE(form.Height(), 3000.0);
        QCOMPARE(form.Top(), 300.0);
    }

    void commentsOfAnEarlierTaskStay()
    {
        FormKelpa& form = FreshStart();
        WriteFile(QStringLiteral("a.tsk"), SixComments("A"));
        WriteFile(QStringLiteral("b.tsk"), "Comment1=B1\r\nComment2=B2\r\n");
        form.SetCaption(QStringLiteral("Kelpa - C:\\k\\"));
        form.OptionContinue->setChecked(true);
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("A1\r\nA2\r\nA3\r\nA4\r\nA5\r\nA6\r\n"), vbOK)
            .withStyle(64)
            .withTitle(QStringLiteral("Kelpa [a.tsk]"));
        boxes.expect(QStringLiteral("B1\r\nB2\r\nA3\r\nA4\r\nA5\r\nA6\r\n"), vbOK)
            .withStyle(64)
            .withTitle(QStringLiteral("Kelpa [b.tsk]"));
        KELPA::TaskFile = QStringLiteral("a.tsk");
        form.TaskLaden();
        KELPA::TaskFile = QStringLiteral("b.tsk");
        form.TaskLaden();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(form.Caption(), QStringLiteral("Kelpa - C:\\k\\ [b.tsk]"));
        QVERIFY(form.OptionNew->isChecked());
        QCOMPARE(LastLogLine(), QStringLiteral("b.tsk loaded."));
        QVERIFY(QFile::exists(QStringLiteral("KELPA.INI")));
    }

    void unreadableTaskKeepsTheSettings_data()
    {
        QTest::addColumn<bool>("load"); // TaskLaden, else TaskLesen
        QTest::addColumn<QString>("kind");
        QTest::newRow("load empty") << true << "empty";
        QTest::newRow("load vanished") << true << "vanished";
        QTest::newRow("load folder") << true << "folder";
        QTest::newRow("read vanished") << false << "vanished";
        QTest::newRow("read folder") << false << "folder";
    }
    void unreadableTaskKeepsTheSettings()
    {
        QFETCH(bool, load);
        QFETCH(QString, kind);
        FormKelpa& form = FreshStart();
        if (kind == QLatin1String("empty"))
            WriteFile(QStringLiteral("x.tsk"), QByteArray());
        else if (kind == QLatin1String("folder"))
            QDir().mkdir(QStringLiteral("x.tsk"));
        KELPA::TaskFile = QStringLiteral("x.tsk");
        KELPA::Depth = 7;
        KELPA::Directory = QStringLiteral("mine");
        KELPA::Comment[6] = QStringLiteral("old comment\r\n");
        platform::clearProgramEnded();
        MsgBoxScript boxes;
        try {
            load ? form.TaskLaden() : form.TaskLesen();
        } catch (const platform::ProgramEnded&) {
            QFAIL("the program ended");
        }
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(LastLogLine(), QStringLiteral("Error x.tsk!"));
        QCOMPARE(KELPA::Depth, int16_t(7));
        QCOMPARE(KELPA::Directory, QStringLiteral("mine"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.INI")));
    }

    void saveTaskWritesTaskKeysFirst()
    {
        FormKelpa& form = FreshStart();
        KELPA::Comment[0] = QStringLiteral("  lead");
        KELPA::Page[1] = QStringLiteral("C:\\a.html");
        form.CheckRepeat->setChecked(true);
        form.Repeat->setText(QStringLiteral("20 min"));
        FormHTTP::Instance().Text1->setText(QStringLiteral(" http://h/ "));
        form.SetCaption(QStringLiteral("Kelpa - C:\\k\\ [old.tsk]"));
        QTimer::singleShot(0, [] {
            FormComments& comments = FormComments::Instance();
            comments.Text[1]->setText(QStringLiteral(" second"));
            comments.Command1->click();
        });
        MsgBoxScript boxes;
        ChooseScript choosers;
        // The save rule adds the extension.
        choosers.expectPath(QStringLiteral(" saved "))
            .withTitle(KELPA::LanguageText[57])
            .withFilter(QStringLiteral("*.tsk"));
        form.MenuSaveTask_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        KELPA_VERIFY_CHOOSERS(choosers);

        const QStringList lines = Lines(QStringLiteral("saved.tsk"));
        const QStringList head = {
            "Comment1=  lead", "Comment2= second", "Comment3=", "Comment4=",        "Comment5=",
            "Comment6=",       "Repeat=20 min",    "UseList=0", "TaskURL=http://h/"};
        QCOMPARE(lines.mid(0, head.size()), head);
        QVERIFY(lines.value(head.size()).startsWith(QLatin1String("Accept=")));
        QVERIFY(lines.filter(QStringLiteral("Page")).isEmpty());
        QCOMPARE(KELPA::TaskFile, QStringLiteral("saved.tsk"));
        QVERIFY(KELPA::ChosenPath.isEmpty());
        QCOMPARE(form.Caption(), QStringLiteral("Kelpa - C:\\k\\ [saved.tsk]"));
        QCOMPARE(LastLogLine(), QStringLiteral("Saved to saved.tsk"));
    }

    void cancelledChooserChangesNothing()
    {
        FormKelpa& form = FreshStart();
        KELPA::TaskFile = QStringLiteral("kept.tsk");
        MsgBoxScript boxes;
        ChooseScript choosers;
        choosers.expectCancel().withTitle(KELPA::LanguageText[57]);
        choosers.expectCancel().withTitle(KELPA::LanguageText[67]);
        form.MenuSaveTask_Click();
        form.MenuOpenTask_Click();
        KELPA_VERIFY_CHOOSERS(choosers);
        QCOMPARE(KELPA::TaskFile, QStringLiteral("kept.tsk"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.LOG")));
    }

    void openTask_data()
    {
        QTest::addColumn<bool>("continuing");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<bool>("loaded");
        QTest::newRow("new search, no question") << false << 0 << true;
        QTest::newRow("continuing, Yes") << true << int(vbYes) << true;
        QTest::newRow("continuing, No") << true << int(vbNo) << false;
    }
    void openTask()
    {
        QFETCH(bool, continuing);
        QFETCH(int, answer);
        QFETCH(bool, loaded);
        FormKelpa& form = FreshStart();
        (continuing ? form.OptionContinue : form.OptionNew)->setChecked(true);
        WriteFile(QStringLiteral("o.tsk"), "Depth=4\r\n");
        KELPA::Depth = 1;
        KELPA::TaskFile.clear();
        MsgBoxScript boxes;
        ChooseScript choosers;
        if (loaded)
            choosers.expectPath(QStringLiteral("o.tsk"))
                .withTitle(KELPA::LanguageText[67])
                .withFilter(QStringLiteral("*.tsk"));
        if (answer != 0) {
            const auto& text = KELPA::LanguageText;
            boxes.expect(text[276] + QStringLiteral("\r\n\r\n") + text[277], answer)
                .withStyle(68)
                .withTitle(QStringLiteral("Kelpa [") + text[67] + QLatin1Char(']'));
        }
        form.MenuOpenTask_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        KELPA_VERIFY_CHOOSERS(choosers);
        QCOMPARE(KELPA::Depth, int16_t(loaded ? 4 : 1));
        QCOMPARE(KELPA::TaskFile, loaded ? QStringLiteral("o.tsk") : QString());
        QVERIFY(KELPA::ChosenPath.isEmpty());
    }

    void schedulerLabelsFromTheSettings_data()
    {
        QTest::addColumn<QString>("timeProcs");
        QTest::addColumn<QStringList>("labels"); // Repeat, Dauer, Zeit
        QTest::addColumn<QList<int>>("bars");    // VScroll3, VScroll1, VScroll2
        QTest::newRow("in range") << "5 min,90 min,.5 h" << QStringList{"5 min", "90 min", ".5 h"}
                                  << QList<int>{-5, -90, -5};
        QTest::newRow("bars outside their range keep their value")
            << "5000 min,0 min,400.0 h" << QStringList{"5000 min", "0 min", "400.0 h"}
            << QList<int>{-20, -60, -80};
    }
    void schedulerLabelsFromTheSettings()
    {
        QFETCH(QString, timeProcs);
        QFETCH(QStringList, labels);
        QFETCH(QList<int>, bars);
        FormKelpa& form = FreshStart();
        form.VScroll3->setValue(-20);
        form.VScroll1->setValue(-60);
        form.VScroll2->setValue(-80);
        WriteFile(QStringLiteral("KELPA.INI"), "TimeProcs=" + timeProcs.toUtf8() + "\r\n");
        form.inilesen(QStringLiteral("KELPA.INI"));
        QCOMPARE((QStringList{form.Repeat->text(), form.Dauer->text(), form.Zeit->text()}), labels);
        QCOMPARE(
            (QList<int>{form.VScroll3->value(), form.VScroll1->value(), form.VScroll2->value()}),
            bars);
        QCOMPARE(KELPA::TimeProcs, labels.last());
        form.inischreiben(QStringLiteral("KELPA.INI"));
        QVERIFY(
            Lines(QStringLiteral("KELPA.INI")).contains(QStringLiteral("TimeProcs=") + timeProcs));
    }

    void failedWriteIsLogged()
    {
        FormKelpa& form = FreshStart();
        const QString file = QStringLiteral("nowhere\\x.tsk");
        form.inischreiben(file);
        const QString line = LastLogLine();
        QVERIFY2(line.startsWith(file + KELPA::LanguageText[110]), qPrintable(line));
        QVERIFY2(line.endsWith(QLatin1Char(')')), qPrintable(line));
    }

    void commentsWindow()
    {
        FreshStart();
        KELPA::TaskFile = QStringLiteral("c.tsk");
        KELPA::Comment = {"one", "  two", "", "", "", "six", "joined"};
        FormComments& window = FormComments::Instance();
        window.Load();
        QCOMPARE(window.Caption(), QStringLiteral("Kelpa [c.tsk]"));
        QCOMPARE(window.Label1->text(), KELPA::LanguageText[61]);
        QCOMPARE(window.Command1->text(), KELPA::LanguageText[60]);
        QCOMPARE(window.Text[1]->objectName(), QStringLiteral("Text(1)"));
        QCOMPARE(window.Text[1]->text(), QStringLiteral("  two"));
        QCOMPARE(window.Text[5]->text(), QStringLiteral("six"));

        // Closed any other way than by its button, it stores nothing.
        window.Text[0]->setText(QStringLiteral("changed"));
        window.Unload();
        QCOMPARE(KELPA::Comment[0], QStringLiteral("one"));

        window.Load();
        QCOMPARE(window.Text[0]->text(), QStringLiteral("one"));
        window.Text[0]->setText(QStringLiteral("  leading "));
        window.Command1->click();
        QVERIFY(!window.Loaded());
        QCOMPARE(KELPA::Comment[0], QStringLiteral("  leading "));
        QCOMPARE(KELPA::Comment[1], QStringLiteral("  two"));
        QCOMPARE(KELPA::Comment[6], QStringLiteral("joined"));
    }
};

KELPA_TEST_MAIN(TestTaskFiles)
#include "test_task_files.moc"
