// Start-up as a user meets it: with and without a settings file, a second
// copy in the same directory, a copy that ended abruptly, a task argument.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/msgbox/MsgBox.h"
#include "tests/main/StartupFixture.h"
#include "tests/setup/InstallerScript.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/ObeyPermissions.h"
#include "tests/support/TestMain.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMdiArea>
#include <QProcess>

#include <sys/stat.h>

using namespace testsupport;
using platform::vbOK;

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void withoutSettingsFileEndsWithItsMessage()
    {
        EnterFreshFolder(QStringLiteral("no-ini"));
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("Error! Unpack or download the program anew"), vbOK,
                    MsgBoxScript::Match::Contains)
            .withStyle(16);
        QVERIFY(StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.INI")));
    }

    void withShippedFilesTheInstallerTakesOver()
    {
        EnterFreshFolder(QStringLiteral("installer"));
        WriteFile(QStringLiteral("TOLVEX.EX_"), "x");
        setuptest::InstallerScript installer(
            {setuptest::InstallerPlan::Language::English, {}, false});
        MsgBoxScript boxes; // the installer runs instead of any message
        QVERIFY(StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(installer.Proposal, QStringLiteral("C:\\Program Files\\Kelpa\\"));
        setuptest::CloseInstaller();
    }

    // In a folder it may not write to, the program says so, naming the
    // folder, and ends without touching a file.
    void aFolderWithoutRightsIsNamed()
    {
        EnterFreshFolder(QStringLiteral("read-only"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\n");
        const QString folder = QDir::currentPath();
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("Kelpa may not write to this folder, so it cannot make its "
                                   "lock file KELPA.TMP there:\r\n") +
                        platform::CurDir(),
                    vbOK)
            .withStyle(16)
            .withTitle(QStringLiteral("Kelpa"));
        {
            const ObeyPermissions asAUser;
            QVERIFY(StartProgram());
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(QDir().entryList(QDir::Files), QStringList{QStringLiteral("KELPA.INI")});
    }

    void aSecondCopyIsRefusedAndTouchesNothing()
    {
        EnterFreshFolder(QStringLiteral("second"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\n");
        QProcess holder; // the first copy, holding the lock
        holder.start(QStringLiteral("flock"),
                     {QStringLiteral("KELPA.TMP"), QStringLiteral("sleep"), QStringLiteral("30")});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY(QFile::exists(QStringLiteral("KELPA.TMP")));
        QTest::qWait(100);
        MsgBoxScript boxes;
        boxes
            .expect(
                QStringLiteral("Kelpa cannot be executed more than once in the same directory!"),
                vbOK)
            .withStyle(16)
            .withTitle(QStringLiteral("Kelpa"));
        QVERIFY(StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.INI")), QByteArray("Language=english\r\n"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.LOG")));
        holder.kill();
        holder.waitForFinished();
    }

    void aLeftOverLockFileRestoresTheLists()
    {
        EnterFreshFolder(QStringLiteral("crashed"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=2\r\n");
        WriteFile(QStringLiteral("KELPA.TMP"), "");
        WriteFile(QStringLiteral("KELPA.NOT"), "http://a/\r\na.htm\r\n");
        WriteFile(QStringLiteral("COMPLETE.ENP"), "");
        WriteFile(QStringLiteral("LINKS0.INP"), "http://b/\r\nb.htm\r\n");
        WriteFile(QStringLiteral("LINKS1.INP"), "http://c/\nc.htm\n");
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("Last time the program was abruptly terminated."), vbOK,
                    MsgBoxScript::Match::Contains)
            .withStyle(48);
        // The options window's first showing offers to complete the lists.
        boxes
            .expect(QStringLiteral("(3 links, first link: http://a/)"), platform::vbNo,
                    MsgBoxScript::Match::Contains)
            .withStyle(547);
        QVERIFY(!StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")),
                 QByteArray("http://a/\r\na.htm\r\nhttp://b/\r\nb.htm\r\nhttp://c/\r\nc.htm\r\n"));
        QVERIFY(!QFile::exists(QStringLiteral("~.TMP")));
        QVERIFY(ReadFile(QStringLiteral("KELPA.LOG")).contains("abruptly terminated"));
        QCOMPARE(KELPA::Depth, int16_t(2));
        platform::ReleaseLockFile();
    }

    // Started with a task, maybe by a scheduler with nobody there: the
    // recovery message is logged and shown in a box that does not wait.
    void aLeftOverLockFileDoesNotHoldUpATaskRun()
    {
        EnterFreshFolder(QStringLiteral("crashed-task"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=1\r\n");
        WriteFile(QStringLiteral("KELPA.TMP"), "");
        WriteFile(QStringLiteral("KELPA.NOT"), "http://a/\r\na.htm\r\n");
        WriteFile(QStringLiteral("night.tsk"), "Depth=1\r\n");
        QStringList notices;
        const auto before = platform::SetNoticeHandler(
            [&notices](const QString& prompt, int style, const QString& title) {
                notices << QStringLiteral("%1|%2|%3").arg(prompt).arg(style).arg(title);
            });
        MsgBoxScript boxes;
        const bool ended = StartProgram(QStringLiteral("night.tsk"));
        platform::SetNoticeHandler(before);
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!ended);
        QCOMPARE(notices.size(), 1);
        QVERIFY(notices[0].startsWith(QStringLiteral("Last time the program was abruptly")));
        QVERIFY(notices[0].endsWith(QStringLiteral("|48|Kelpa")));
        QVERIFY(ReadFile(QStringLiteral("KELPA.LOG")).contains("abruptly terminated"));
        KELPA::TaskFile.clear();
        KELPA::CommandLine.clear();
        platform::ReleaseLockFile();
    }

    // A task naming a work list as its input list is refused and not run:
    // its run would empty the very file it named.
    void aTaskWithAWorkListAsInputIsRefused()
    {
        EnterFreshFolder(QStringLiteral("task-links0"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=2\r\n");
        const QByteArray records = "http://127.0.0.1:9/a.html\r\na.html\r\n";
        WriteFile(QStringLiteral("links0.inp"), records);
        WriteFile(QStringLiteral("list.tsk"), "UseList=1\r\nInputFile=links0.inp\r\n"
                                              "TaskURL=http://127.0.0.1:9/\r\nDepth=2\r\n");
        // Nobody need be at the screen: the refusal is a notice that waits
        // for no click.
        QStringList notices;
        const auto before = platform::SetNoticeHandler(
            [&notices](const QString& prompt, int style, const QString&) {
                notices << QStringLiteral("%1|%2").arg(prompt).arg(style);
            });
        MsgBoxScript boxes;
        const bool ended = StartProgram(QStringLiteral("list.tsk"));
        platform::SetNoticeHandler(before);
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!ended);
        QCOMPARE(notices,
                 QStringList{QStringLiteral("links0.inp") + KELPA::LanguageText[470] + "|16"});
        QVERIFY(!FormKelpa::Instance().CheckListe->isChecked());
        QCOMPARE(KELPA::Running, int16_t(0));
        QCOMPARE(ReadFile(QStringLiteral("links0.inp")), records);
        QVERIFY(!QFile::exists(QStringLiteral("LINKS1.INP")));
        KELPA::TaskFile.clear();
        KELPA::CommandLine.clear();
        KELPA::InputFile = QStringLiteral("KELPA.INP");
        KELPA::UseList = 0;
        FormHTTP::Instance().Text1->clear();
        FormKelpa::Instance().CheckListe->setEnabled(false);
        platform::ReleaseLockFile();
    }

    void aLeftOverPartFileIsRemoved_data()
    {
        QTest::addColumn<QString>("named");
        QTest::addColumn<bool>("removed");
        QTest::newRow("the part file") << QStringLiteral("site\\sub\\.kelpa-part-4711") << true;
        QTest::newRow("with a count") << QStringLiteral("site\\sub\\.kelpa-part-4711-2") << true;
        QTest::newRow("without numbers") << QStringLiteral("site\\sub\\.kelpa-part") << true;
        QTest::newRow("a number without its dash")
            << QStringLiteral("site\\sub\\.kelpa-part4711") << false;
        QTest::newRow("a dash without a number")
            << QStringLiteral("site\\sub\\.kelpa-part-4711-") << false;
        QTest::newRow("any other file") << QStringLiteral("site\\sub\\page.html") << false;
    }

    // A transfer cut short by an abrupt end left its part file: the next
    // start removes the file its record names, and nothing but a part file.
    void aLeftOverPartFileIsRemoved()
    {
        QFETCH(QString, named);
        QFETCH(bool, removed);
        EnterFreshFolder(QStringLiteral("part-file"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=1\r\n");
        QDir().mkpath(QStringLiteral("site/sub"));
        const QString file = QString(named).replace(QLatin1Char('\\'), QLatin1Char('/'));
        WriteFile(file, "half");
        WriteFile(QStringLiteral("KELPA.PRT"),
                  (platform::FromLinuxPath(QDir::currentPath()) + '\\' + named + "\r\n").toUtf8());
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(QFile::exists(file), !removed);
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.PRT")));
        platform::ReleaseLockFile();
    }

    void aNormalStartInGerman()
    {
        EnterFreshFolder(QStringLiteral("german"));
        WriteFile(QStringLiteral("KELPA.INI"),
                  "Language=Deutsch\r\nHideMin=60\r\nPosition=0,20000,0,20000\r\n");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        FormKelpa& form = FormKelpa::Instance();
        QCOMPARE(form.MenuEntry("MenuStart")->text(), KELPA::LanguageText[200]);
        QCOMPARE(form.MenuEntry("MenuHide")->text(), KELPA::LanguageText[221] + " (60 min)");
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("Kelpa - C:\\")));
        QVERIFY(form.windowTitle().endsWith(QStringLiteral("german\\")));
        // Qt's words in the boxes are German too.
        QCOMPARE(StandardButtonText(QMessageBox::Yes), QStringLiteral("&Ja"));
        QCOMPARE(StandardButtonText(QMessageBox::Cancel), QStringLiteral("Abbrechen"));
        for (const char* name : {"KELPA.TMP", "KELPA.LOG", "KELPA.GOT", "COMPLETE.ENP"})
            QVERIFY2(QFile::exists(QLatin1String(name)), name);
        // A saved place larger than the screen is cut to the screen.
        const QStringList position = KELPA::Position.split(QLatin1Char(','));
        QCOMPARE(position.size(), 4);
        QCOMPARE(position[0], QStringLiteral("0"));
        QVERIFY(position[1].toDouble() <= platform::ScreenWidth());
        QVERIFY(position[3].toDouble() <= platform::ScreenHeight());
        QVERIFY(FormHTTP::Instance().Loaded());
        QVERIFY(form.TimerAssistant.Enabled() == false); // not a first start
        platform::ReleaseLockFile();
    }

    // The background and the user's icon load from regular files only: a
    // FIFO named in the settings neither holds start-up nor shows anything.
    void picturesLoadFromRegularFilesOnly_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("shown");
        QTest::newRow("png") << "png" << true;
        QTest::newRow("missing file") << "missing" << false;
        QTest::newRow("fifo") << "fifo" << false;
        QTest::newRow("folder") << "folder" << false;
    }
    void picturesLoadFromRegularFilesOnly()
    {
        QFETCH(QString, kind);
        QFETCH(bool, shown);
        EnterTestFolder();
        const QString name = QStringLiteral("picture.png");
        if (kind == QLatin1String("png")) {
            QImage image(8, 8, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QVERIFY(image.save(name));
        } else if (kind == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(qPrintable(name), 0600) == 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(name));
        }
        WriteFile(QStringLiteral("KELPA.INI"),
                  "Language=english\r\nBackground=picture.png\r\nUserIcon=picture.png\r\n");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        KELPA_VERIFY_MSGBOXES(boxes);
        FormKelpa& form = FormKelpa::Instance();
        QCOMPARE(!form.ImageUserIcon.isNull(), shown);
        QCOMPARE(!form.MdiArea()->background().texture().isNull(), shown);
        form.MdiArea()->setBackground(QBrush());
        platform::ReleaseLockFile();
    }

    void aFirstStartArmsTheAssistant()
    {
        EnterFreshFolder(QStringLiteral("first"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\n");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        QVERIFY(FormKelpa::Instance().TimerAssistant.Enabled());
        FormKelpa::Instance().TimerAssistant.setEnabled(false);
        platform::ReleaseLockFile();
    }

    void aMissingTaskArgumentIsReportedAndStartUpGoesOn()
    {
        EnterFreshFolder(QStringLiteral("task-missing"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\n");
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("Invalid parameter: C:\\nowhere\\x.tsk"), vbOK).withStyle(16);
        QVERIFY(!StartProgram(QStringLiteral("C:\\nowhere\\x.tsk")));
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(KELPA::TaskFile, QStringLiteral("C:\\nowhere\\x.tsk"));
        QVERIFY(
            FormKelpa::Instance().windowTitle().endsWith(QStringLiteral(" [C:\\nowhere\\x.tsk]")));
        KELPA::TaskFile.clear();
        platform::ReleaseLockFile();
    }

    void theInputListIsOfferedOnlyWhenItHoldsSomething()
    {
        EnterFreshFolder(QStringLiteral("input-list"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nInputFile=LIST.INP\r\n");
        WriteFile(QStringLiteral("LIST.INP"), "");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        QVERIFY(!FormKelpa::Instance().CheckListe->isEnabled());
        platform::ReleaseLockFile();

        EnterFreshFolder(QStringLiteral("input-list-full"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nInputFile=LIST.INP\r\n");
        WriteFile(QStringLiteral("LIST.INP"), "http://a/\r\na.htm\r\n");
        QVERIFY(!StartProgram());
        QVERIFY(FormKelpa::Instance().CheckListe->isEnabled());
        QCOMPARE(FormKelpa::Instance().CheckListe->toolTip(),
                 KELPA::LanguageText[226] + QStringLiteral("LIST.INP"));
        platform::ReleaseLockFile();
    }
};

KELPA_TEST_MAIN(TestStartup)
#include "test_startup.moc"
