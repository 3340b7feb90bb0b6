// The chooser window: its modes as the callers select them, the lists, the
// drives, a folder named where a file is asked for, the ways to leave it, and
// the chooser script that answers it in other tests.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "tools/ChooserLists.h"
#include "tools/FormChoose.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <sys/stat.h>

using namespace testsupport;
using KELPA::LanguageText;

namespace {

// The folder of the running test as a program path.
QString Here(const QString& name = QString())
{
    const QString folder = platform::CurDir();
    return name.isEmpty() ? folder : folder + QLatin1Char('\\') + name;
}

// Loads the chooser as a caller sets it up, without waiting for it.
FormChoose& Open(const QString& filter, int titleText)
{
    KELPA::ChooseFilter = filter;
    KELPA::ChooseTitle = LanguageText[titleText];
    KELPA::ChosenPath.clear();
    FormChoose& chooser = FormChoose::Instance();
    chooser.Unload();
    chooser.Load();
    return chooser;
}

void Type(FormChoose& chooser, const QString& text)
{
    chooser.TextSearch->setText(text);
}

QString LastLogLine()
{
    FormKelpa::Instance().ShowLogNow();
    QListWidget* log = FormKelpa::Instance().ListLogging;
    return log->count() > 0 ? log->item(log->count() - 1)->text() : QString();
}

} // namespace

class TestFormChoose : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteLaden(QStringLiteral("english")); }

    void init()
    {
        EnterTestFolder();
        TexteLaden(QStringLiteral("english"));
    }

    void cleanup() { FormChoose::Instance().Unload(); }

    // Save mode through the script: the extension rule and the overwrite
    // question, in English and in German.
    void saveMode_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("existing"); // content of the file there, if any
        QTest::addColumn<int>("answer");          // 0: no question
        QTest::addColumn<QString>("chosen");      // empty: left open, then cancelled
        QTest::newRow("new name gets the extension") << "english"
                                                     << "job" << QByteArray() << 0 << "job.tsk";
        QTest::newRow("a dot in the folder keeps the name")
            << "english"
            << "my.tasks\\job" << QByteArray() << 0 << "my.tasks\\job";
        QTest::newRow("empty file overwritten without a question")
            << "english"
            << "job" << QByteArray("") << 0 << "job.tsk";
        QTest::newRow("overwrite, Yes")
            << "english"
            << "job.tsk" << QByteArray("x") << int(platform::vbYes) << "job.tsk";
        QTest::newRow("overwrite, No") << "english"
                                       << "job" << QByteArray("x") << int(platform::vbNo) << "";
        QTest::newRow("German title, No") << "deutsch"
                                          << "job" << QByteArray("x") << int(platform::vbNo) << "";
        QTest::newRow("German title, new name") << "deutsch"
                                                << "job" << QByteArray() << 0 << "job.tsk";
    }
    void saveMode()
    {
        QFETCH(QString, language);
        QFETCH(QString, typed);
        QFETCH(QByteArray, existing);
        QFETCH(int, answer);
        QFETCH(QString, chosen);
        TexteLaden(language);
        QDir().mkpath(QStringLiteral("my.tasks"));
        const QString target = typed.contains('.') ? typed : typed + QStringLiteral(".tsk");
        if (!existing.isNull())
            WriteFile(QString(target).replace('\\', '/'), existing);
        KELPA::ChooseFilter = QStringLiteral("*.tsk");
        KELPA::ChooseTitle = LanguageText[57];
        KELPA::ChosenPath.clear();

        MsgBoxScript boxes;
        if (answer != 0) {
            boxes
                .expect(QLatin1Char('\'') + Here(target) + QStringLiteral("'\r\n") +
                            LanguageText[53],
                        answer)
                .withStyle(308)
                .withTitle(QStringLiteral("Kelpa") + LanguageText[54]);
        }
        ChooseScript choosers;
        choosers.expectPath(Here(typed)).withTitle(LanguageText[57]);
        if (chosen.isEmpty()) {
            choosers.thenAction([&](platform::Form&) {
                // Still open with the text as it was.
                QCOMPARE(FormChoose::Instance().TextSearch->text(), Here(typed));
                QVERIFY(KELPA::ChosenPath.isEmpty());
            });
            choosers.thenCancel();
        }
        FormChoose::Instance().Show(true);
        KELPA_VERIFY_MSGBOXES(boxes);
        KELPA_VERIFY_CHOOSERS(choosers);
        QCOMPARE(KELPA::ChosenPath, chosen.isEmpty() ? QString() : Here(chosen));
        QVERIFY(!FormChoose::Instance().Loaded());
    }

    // A folder where a file is asked for opens the folder; a directory is
    // returned as it is.
    void folderPath_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("titleText");
        QTest::addColumn<bool>("returned");
        QTest::newRow("open task") << "*.tsk" << 67 << false;
        QTest::newRow("save task") << "*.tsk" << 57 << false;
        QTest::newRow("input file") << "*.inp" << 68 << false;
        QTest::newRow("install directory") << "" << 369 << true;
    }
    void folderPath()
    {
        QFETCH(QString, filter);
        QFETCH(int, titleText);
        QFETCH(bool, returned);
        QDir().mkpath(QStringLiteral("sub"));
        WriteFile(QStringLiteral("sub/in.tsk"), "x");
        FormChoose& chooser = Open(filter, titleText);
        Type(chooser, Here(QStringLiteral("sub")));
        chooser.CommandSearchOK->click();
        QCOMPARE(KELPA::ChosenPath, returned ? Here(QStringLiteral("sub")) : QString());
        QCOMPARE(chooser.Loaded(), !returned);
        QVERIFY(!QFile::exists(QStringLiteral("sub/.tsk")));
        if (!returned) {
            QCOMPARE(chooser.DirSearch->Path(), Here(QStringLiteral("sub")));
            QCOMPARE(chooser.TextSearch->text(), Here(QStringLiteral("sub\\")));
            QCOMPARE(chooser.FileSearch->Names(),
                     filter == "*.tsk" ? QStringList{"in.tsk"} : QStringList{});
        }
    }

    // A Linux path typed is taken as the program's path for it.
    void linuxPathTyped()
    {
        WriteFile(QStringLiteral("page.html"), "x");
        FormChoose& chooser = Open(QStringLiteral("*.htm;*.html"), 33);
        Type(chooser, QDir::currentPath() + QStringLiteral("/page.html"));
        chooser.CommandSearchOK->click();
        QCOMPARE(KELPA::ChosenPath, Here(QStringLiteral("page.html")));
    }

    // The download directory: names checked on OK (the whole table of
    // refused names is the rules' test).
    void downloadDirectory_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "C:\\Downloads" << false;
        QTest::newRow("ending in a backslash") << "C:\\Downloads\\" << false;
        QTest::newRow("bar") << "D:\\a|b" << true;
    }
    void downloadDirectory()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QDir().mkpath(QStringLiteral("dl"));
        KELPA::Directory = Here(QStringLiteral("dl"));
        FormChoose& chooser = Open(QString(), 412);
        chooser.CommandStandard->setVisible(true);
        QCOMPARE(chooser.LabelSearch->text(), LanguageText[56]);
        QCOMPARE(chooser.TextSearch->text(), Here(QStringLiteral("dl")));
        QCOMPARE(chooser.DirSearch->Path(), Here(QStringLiteral("dl")));
        QVERIFY(!chooser.FileSearch->isEnabled());
        QVERIFY(!chooser.ComboSearch->isEnabled());

        Type(chooser, typed);
        MsgBoxScript boxes;
        if (refused)
            boxes.expect(LanguageText[417], platform::vbOK).withStyle(16).withTitle("Kelpa");
        chooser.CommandSearchOK->click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(KELPA::DirectoryInvalid, int16_t(refused ? 1 : 0));
        QCOMPARE(chooser.Loaded(), refused);
        QCOMPARE(KELPA::ChosenPath, refused ? QString() : typed);
        if (refused) {
            QVERIFY(!chooser.CommandSearchOK->isEnabled());
            QCOMPARE(chooser.TextSearch->text(), typed + QLatin1Char('\\'));
            Type(chooser, QStringLiteral("C:\\ok"));
            QVERIFY(chooser.CommandSearchOK->isEnabled());
        }
    }

    void standardDirectory()
    {
        QDir().mkpath(QStringLiteral("dl"));
        KELPA::Directory = Here(QStringLiteral("dl"));
        KELPA::StandardDirectory.clear();
        FormChoose& chooser = Open(QString(), 412);
        chooser.CommandStandard->setVisible(true);
        Type(chooser, QStringLiteral("C:\\Store"));
        QVERIFY(chooser.CommandStandard->isEnabled());
        chooser.CommandStandard->click();
        QCOMPARE(KELPA::StandardDirectory, QStringLiteral("C:\\Store\\"));
        QCOMPARE(LastLogLine(), LanguageText[50] + QStringLiteral("C:\\Store\\'"));
        QVERIFY(!chooser.CommandStandard->isEnabled());
        QVERIFY(chooser.Loaded());
        QVERIFY(KELPA::ChosenPath.isEmpty());
        Type(chooser, QStringLiteral("C:\\Other"));
        QVERIFY(chooser.CommandStandard->isEnabled());

        MsgBoxScript boxes;
        boxes.expect(LanguageText[417], platform::vbOK).withStyle(16);
        Type(chooser, QStringLiteral("C:\\a*"));
        chooser.CommandStandard->click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(KELPA::StandardDirectory, QStringLiteral("C:\\Store\\"));
        QCOMPARE(KELPA::DirectoryInvalid, int16_t(1));
    }

    // The installer's start folder ends in "\ ".
    void startFolderWithTrailingBlank()
    {
        QDir().mkpath(QStringLiteral("inst"));
        KELPA::Directory = Here(QStringLiteral("inst\\ "));
        FormChoose& chooser = Open(QString(), 369);
        QCOMPARE(chooser.DirSearch->Path(), Here(QStringLiteral("inst")));
        QCOMPARE(chooser.TextSearch->text(), Here(QStringLiteral("inst\\")));
        QVERIFY(!chooser.CommandStandard->isVisible());
    }

    // File mode: the lists start in the current directory; the patterns, the
    // combo's offers, a click and a double click on a file.
    void fileLists()
    {
        QDir().mkpath(QStringLiteral("sub"));
        for (const char* name : {"a.HTM", "b.html", "c.txt", "d.map"})
            WriteFile(QString::fromLatin1(name), "x");
        FormChoose& chooser = Open(QStringLiteral("*.htm;*.html"), 33);
        QCOMPARE(chooser.Caption(), LanguageText[33]);
        QCOMPARE(chooser.LabelSearch->text(), LanguageText[51]);
        QCOMPARE(chooser.DirSearch->Path(), Here());
        QCOMPARE(chooser.DriveSearch->currentText(), QStringLiteral("C:"));
        QCOMPARE(chooser.FileSearch->Names(), (QStringList{"a.HTM", "b.html"}));
        QCOMPARE(chooser.ComboSearch->count(), 2);
        QCOMPARE(chooser.ComboSearch->itemText(1), QStringLiteral("*.*"));
        QVERIFY(!chooser.CommandSearchOK->isEnabled());
        QVERIFY(chooser.CommandSearchCancel->isDefault());

        chooser.ComboSearch->setCurrentIndex(1);
        QCOMPARE(chooser.FileSearch->Names(), (QStringList{"a.HTM", "b.html", "c.txt", "d.map"}));
        chooser.FileSearch->setCurrentIndex(chooser.FileSearch->model()->index(2, 0));
        QCOMPARE(chooser.TextSearch->text(), Here(QStringLiteral("c.txt")));
        QVERIFY(chooser.CommandSearchOK->isEnabled());
        QVERIFY(chooser.CommandSearchOK->isDefault());
        chooser.FileSearch_DblClick();
        QCOMPARE(KELPA::ChosenPath, Here(QStringLiteral("c.txt")));
        QVERIFY(!chooser.Loaded());
    }

    // Opening a folder row shows its files and its path in the text box.
    // Names holding "\\", which no program path can name, are left out.
    void folderList()
    {
        QDir().mkpath(QStringLiteral("sub/deeper"));
        QDir().mkpath(QStringLiteral("sub/back\\slash"));
        WriteFile(QStringLiteral("sub/odd\\name.tsk"), "x");
        WriteFile(QStringLiteral("sub/x.tsk"), "x");
        FormChoose& chooser = Open(QStringLiteral("*.tsk"), 67);
        QAbstractItemModel* rows = chooser.DirSearch->model();
        const int last = rows->rowCount() - 1;
        QVERIFY(rows->data(rows->index(last, 0)).toString().endsWith(QLatin1String("sub")));
        Q_EMIT chooser.DirSearch->activated(rows->index(last, 0));
        QCOMPARE(chooser.DirSearch->Path(), Here(QStringLiteral("sub")));
        QCOMPARE(chooser.TextSearch->text(), Here(QStringLiteral("sub\\")));
        QCOMPARE(chooser.FileSearch->Names(), QStringList{"x.tsk"});
        QCOMPARE(rows->rowCount(),
                 chooser.DirSearch->Path().count('\\') + 2); // C:\ ... sub, deeper
        // Its first row is the drive's root.
        Q_EMIT chooser.DirSearch->activated(rows->index(0, 0));
        QCOMPARE(chooser.DirSearch->Path(), QStringLiteral("C:\\"));
        QCOMPARE(chooser.TextSearch->text(), QStringLiteral("C:\\"));
    }

    void iconMode()
    {
        QImage picture(16, 16, QImage::Format_ARGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(QStringLiteral("good.ico"), "ICO"));
        QVERIFY(::mkfifo("pipe.ico", 0600) == 0);
        FormChoose& chooser = Open(QStringLiteral("*.ico"), 414);
        QVERIFY(chooser.Image1->isVisibleTo(&chooser));
        QCOMPARE(chooser.ComboSearch->count(), 1);
        Type(chooser, Here(QStringLiteral("GOOD.ICO")));
        QVERIFY(!chooser.Image1->pixmap().isNull());
        Type(chooser, Here(QStringLiteral("good.ic")));
        QVERIFY(!chooser.Image1->pixmap().isNull()); // another ending leaves it
        Type(chooser, QString());
        QVERIFY(chooser.Image1->pixmap().isNull());
        Type(chooser, Here(QStringLiteral("good.ico")));
        Type(chooser, Here(QStringLiteral("pipe.ico"))); // returns at once, shows nothing
        QVERIFY(chooser.Image1->pixmap().isNull());
    }

    void inputFileMode_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("with records") << QByteArray("http://h/\r\nx\r\n");
        QTest::newRow("empty") << QByteArray();
    }
    void inputFileMode()
    {
        QFETCH(QByteArray, content);
        WriteFile(QStringLiteral("list.inp"), content);
        KELPA::InputFile = QStringLiteral("list.inp");
        QCheckBox* list = FormKelpa::Instance().CheckListe;
        list->setEnabled(false);
        FormChoose& chooser = Open(QStringLiteral("*.inp"), 68);
        QCOMPARE(chooser.TextSearch->text(),
                 content.isEmpty() ? QString() : QStringLiteral("list.inp"));
        QVERIFY(list->isEnabled());
    }

    // Drive C: is the home folder, Z: the root; C: is not ready without a home.
    void drives()
    {
        FormChoose& chooser = Open(QStringLiteral("*.tsk"), 67);
        QCOMPARE(chooser.DriveSearch->count(), 2);
        chooser.DriveSearch->setCurrentText(QStringLiteral("Z:"));
        QCOMPARE(chooser.DirSearch->Path(), QStringLiteral("Z:\\"));
        QCOMPARE(chooser.TextSearch->text(), QStringLiteral("Z:\\"));

        const QByteArray home = qgetenv("HOME");
        for (const char* broken : {"", "relative/home"}) {
            if (*broken)
                qputenv("HOME", broken);
            else
                qunsetenv("HOME");
            MsgBoxScript boxes;
            boxes.expect(LanguageText[55], platform::vbOK).withStyle(16).withTitle("Error!");
            chooser.DriveSearch->setCurrentText(QStringLiteral("C:"));
            KELPA_VERIFY_MSGBOXES(boxes);
            QCOMPARE(chooser.DriveSearch->currentText(), QStringLiteral("Z:"));
            QCOMPARE(chooser.DirSearch->Path(), QStringLiteral("Z:\\"));
        }
        qputenv("HOME", home);
        chooser.DriveSearch->setCurrentText(QStringLiteral("C:"));
        QCOMPARE(chooser.DirSearch->Path(), QStringLiteral("C:\\"));
    }

    // Every way out but OK leaves ChosenPath empty.
    void leavingWithoutOk_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("Cancel") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void leavingWithoutOk()
    {
        QFETCH(int, way);
        WriteFile(QStringLiteral("t.tsk"), "x");
        KELPA::ChooseFilter = QStringLiteral("*.tsk");
        KELPA::ChooseTitle = LanguageText[67];
        KELPA::ChosenPath = QStringLiteral("stale"); // from an earlier use
        FormChoose& chooser = FormChoose::Instance();
        chooser.Show();
        Type(chooser, Here(QStringLiteral("t.tsk")));
        switch (way) {
        case 0:
            chooser.CommandSearchCancel->click();
            break;
        case 1:
            QTest::keyClick(chooser.TextSearch, Qt::Key_Escape);
            break;
        default:
            chooser.close();
            break;
        }
        QVERIFY(!chooser.Loaded());
        QVERIFY(KELPA::ChosenPath.isEmpty());
    }

    // Enter takes the default button: OK once there is a text.
    void enterTakesTheDefault()
    {
        WriteFile(QStringLiteral("t.tsk"), "x");
        FormChoose& chooser = Open(QStringLiteral("*.tsk"), 67);
        chooser.Show();
        Type(chooser, Here(QStringLiteral("t.tsk")));
        QTest::keyClick(chooser.TextSearch, Qt::Key_Return);
        QCOMPARE(KELPA::ChosenPath, Here(QStringLiteral("t.tsk")));
    }

    // The name is typed at once, and Return takes it: opening and saving.
    void typedNameAndReturn_data()
    {
        QTest::addColumn<int>("titleText");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("open") << 67 << "t.tsk"
                              << "t.tsk";
        QTest::newRow("save") << 57 << "job"
                              << "job.tsk";
    }
    void typedNameAndReturn()
    {
        QFETCH(int, titleText);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        WriteFile(QStringLiteral("t.tsk"), "x");
        FormChoose& chooser = Open(QStringLiteral("*.tsk"), titleText);
        chooser.Show();
        QCOMPARE(chooser.focusWidget(), chooser.TextSearch);
        QTest::keyClicks(chooser.focusWidget(), Here(typed));
        QTest::keyClick(chooser.focusWidget(), Qt::Key_Return);
        QCOMPARE(KELPA::ChosenPath, Here(chosen));
    }

    // A pattern list longer than its box shows its start, also when it is
    // picked again from the list.
    void patternShowsItsStart()
    {
        FormChoose& chooser = Open(QStringLiteral("*.htm;*.html;*.shtml;*.map;*.xhtml"), 33);
        chooser.Show();
        QLineEdit* pattern = chooser.ComboSearch->lineEdit();
        QVERIFY(pattern->fontMetrics().horizontalAdvance(pattern->text()) > pattern->width());
        QCOMPARE(pattern->cursorPosition(), 0);
        chooser.ComboSearch->setCurrentIndex(1);
        chooser.ComboSearch->setCurrentIndex(0);
        Q_EMIT chooser.ComboSearch->activated(0);
        QCOMPARE(pattern->text(), QStringLiteral("*.htm;*.html;*.shtml;*.map;*.xhtml"));
        QCOMPARE(pattern->cursorPosition(), 0);
    }

    // Each showing starts from the design state.
    void unloadRestoresTheDesign()
    {
        FormChoose& chooser = Open(QString(), 412);
        chooser.CommandStandard->setVisible(true);
        chooser.Unload();
        FormChoose& again = Open(QStringLiteral("*.tsk"), 67);
        QVERIFY(!again.CommandStandard->isVisibleTo(&again));
        QVERIFY(again.FileSearch->isEnabled());
        QCOMPARE(again.ComboSearch->count(), 2);
    }

    // Every caption stands in full, in both languages and both layouts.
    void captionsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("titleText");
        QTest::newRow("English, file") << "english" << 67;
        QTest::newRow("English, directory") << "english" << 412;
        QTest::newRow("German, file") << "deutsch" << 67;
        QTest::newRow("German, directory") << "deutsch" << 412;
    }
    void captionsFit()
    {
        QFETCH(QString, language);
        QFETCH(int, titleText);
        TexteLaden(language);
        FormChoose& chooser =
            Open(titleText == 412 ? QString() : QStringLiteral("*.tsk"), titleText);
        chooser.CommandStandard->setVisible(true);
        for (QLabel* label : chooser.findChildren<QLabel*>()) {
            const int needed = label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= label->width(), qPrintable(label->text()));
            QVERIFY2(label->geometry().right() < chooser.TextSearch->x() ||
                         label != chooser.LabelSearch,
                     "the label runs under the text box");
        }
        for (QPushButton* button : chooser.findChildren<QPushButton*>()) {
            const QString text = QString(button->text()).remove(QLatin1Char('&'));
            const int needed = button->fontMetrics().horizontalAdvance(text) + 8;
            QVERIFY2(needed <= button->width(), qPrintable(text));
        }
    }

    // The script fails a test on a chooser it did not plan and cancels it.
    void scriptFailures_data()
    {
        QTest::addColumn<int>("case_");
        QTest::addColumn<QString>("failure");
        QTest::newRow("used up") << 0 << "the script is used up";
        QTest::newRow("wrong title") << 1 << "expected \"Open Task...\"";
        QTest::newRow("stayed open") << 2 << "stayed open";
    }
    void scriptFailures()
    {
        QFETCH(int, case_);
        QFETCH(QString, failure);
        KELPA::ChooseFilter = QStringLiteral("*.tsk");
        KELPA::ChooseTitle = LanguageText[57];
        KELPA::ChosenPath.clear();
        WriteFile(QStringLiteral("full.tsk"), "x");
        MsgBoxScript boxes;
        boxes.setFailTest(false);
        ChooseScript choosers;
        choosers.setFailTest(false);
        if (case_ == 1)
            choosers.expectCancel().withTitle(LanguageText[67]);
        if (case_ == 2)
            choosers.expectPath(QStringLiteral("full.tsk"));
        FormChoose::Instance().Show(true);
        QVERIFY(!choosers.verify());
        QVERIFY2(choosers.report().contains(failure), qPrintable(choosers.report()));
        QCOMPARE(choosers.shown().size(), 1);
        QCOMPARE(choosers.shown().first().filter, QStringLiteral("*.tsk"));
        QVERIFY(!FormChoose::Instance().Loaded());
        QVERIFY(KELPA::ChosenPath.isEmpty());
    }
};

KELPA_TEST_MAIN(TestFormChoose)
#include "test_form_choose.moc"
