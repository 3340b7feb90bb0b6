// The exit: its questions, what it writes and removes, and when it returns.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/shell/System.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using namespace testsupport;
using namespace platform;

namespace {

// Takes the program's lock file again, as a start-up would have.
void HoldLock()
{
    KELPA::LockFileNumber = static_cast<int16_t>(FreeFile());
    QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), KELPA::LockFileNumber), 0);
}

// Runs the exit; true when it ended the program.
bool Exit()
{
    clearProgramEnded();
    try {
        FormKelpa::Instance().CommandExit_Click();
    } catch (const ProgramEnded&) {
        return true;
    }
    return false;
}

} // namespace

class TestExit : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        EnterFreshFolder(QStringLiteral("start"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=1\r\n");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        ReleaseLockFile();
    }

    void init()
    {
        FormKelpa& form = FormKelpa::Instance();
        EnterFreshFolder(QString::fromLatin1(QTest::currentTestFunction()));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\n");
        HoldLock();
        KELPA::IdleExit = 0;
        KELPA::StopRun = 0;
        KELPA::BytesLoaded = KELPA::BytesKept = 0;
        KELPA::FilesLoaded = KELPA::FilesKept = 0;
        KELPA::SaveSettingsAutomatically = 1;
        KELPA::WindowsShutDown = 0;
        KELPA::MaxkBytes = 0;
        KELPA::BytesSoFar = 0;
        form.CheckDauer->setChecked(false);
        form.OptionNew->setChecked(true);
        form.CommandExit->setEnabled(true);
        form.MenuEntry("MenuExit")->setEnabled(true);
    }

    void answeringNoKeepsTheProgram()
    {
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("Exit the program?"), vbNo, MsgBoxScript::Match::Contains)
            .withStyle(68)
            .withTitle(QStringLiteral("Kelpa"));
        QVERIFY(!Exit());
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(FormKelpa::Instance().CommandExit->isEnabled());
        QVERIFY(QFile::exists(QStringLiteral("KELPA.TMP")));
        ReleaseLockFile();
    }

    // The lock is given up only once its file is gone: a second copy that
    // started meanwhile never locks the file being deleted, which would let
    // a third one in beside it.
    void theLockOutlivesItsFile()
    {
        static int probe = -1;
        static int lockFreeAtRemoval = -1;
        probe = ::open("KELPA.TMP", O_RDONLY | O_CLOEXEC);
        QVERIFY(probe >= 0);
        lockFreeAtRemoval = -1;
        const OwnChangeObserver before =
            ObserveOwnChanges([](const QString& linuxPath, const QByteArray* appended) {
                if (appended == nullptr && linuxPath.endsWith(QLatin1String("/KELPA.TMP")) &&
                    !QFile::exists(linuxPath) && lockFreeAtRemoval < 0) {
                    lockFreeAtRemoval = ::flock(probe, LOCK_EX | LOCK_NB) == 0 ? 1 : 0;
                    ::flock(probe, LOCK_UN);
                }
            });
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("Exit the program?"), vbYes, MsgBoxScript::Match::Contains);
        const bool ended = Exit();
        ObserveOwnChanges(before);
        ::close(probe);
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(ended);
        QCOMPARE(lockFreeAtRemoval, 0);
    }

    void answeringYesSavesLogsTotalsAndRemovesTheLock()
    {
        KELPA::BytesLoaded = 1234567;
        KELPA::BytesKept = 0;
        KELPA::FilesLoaded = 3;
        KELPA::FilesKept = 0;
        WriteFile(QStringLiteral("LINKS0.INP"), "x\r\n");
        WriteFile(QStringLiteral("KELPA.GOT"), "");
        // A transfer into a part file, cut short by the exit.
        QDir().mkdir(QStringLiteral("site"));
        WriteFile(QStringLiteral("site/.kelpa-part"), "half");
        WriteFile(QStringLiteral("KELPA.PRT"),
                  (FromLinuxPath(QDir::currentPath()) + "\\site\\.kelpa-part\r\n").toUtf8());
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("Exit the program?"), vbYes, MsgBoxScript::Match::Contains);
        QVERIFY(Exit());
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.TMP")));
        QVERIFY(!QFile::exists(QStringLiteral("LINKS0.INP")));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.GOT")));
        QVERIFY(!QFile::exists(QStringLiteral("site/.kelpa-part")));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.PRT")));
        QVERIFY(
            ReadFile(QStringLiteral("KELPA.LOG"))
                .contains(
                    "******Combined 1,234,567/0 bytes(3/0 Files) Transferred/Saved******\r\n\r\n"));
        QVERIFY(ReadFile(QStringLiteral("KELPA.INI")).contains("Depth="));
    }

    void settingsAreSavedOnlyWhenAutomatic()
    {
        KELPA::SaveSettingsAutomatically = 0;
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("Exit the program?"), vbYes, MsgBoxScript::Match::Contains);
        QVERIFY(Exit());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.INI")), QByteArray("Language=english\r\n"));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.LOG"))); // nothing logged: removed empty
    }

    void theOldCompletionQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("notKept");
        QTest::addColumn<bool>("continueSelected");
        QTest::newRow("yes discards the list") << int(vbYes) << true << false << false;
        QTest::newRow("no keeps it for a completion") << int(vbNo) << true << true << true;
        QTest::newRow("cancel goes back") << int(vbCancel) << false << true << false;
    }
    void theOldCompletionQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, ends);
        QFETCH(bool, notKept);
        QFETCH(bool, continueSelected);
        WriteFile(QStringLiteral("KELPA.NOT"), "http://a/\r\na.htm\r\n");
        KELPA::IdleExit = 1; // the close box while nothing runs: no exit question
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("You chose the option 'New KELPA-search'."), answer,
                    MsgBoxScript::Match::Contains)
            .withStyle(51);
        QCOMPARE(Exit(), ends);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(QFile::exists(QStringLiteral("KELPA.NOT")), notKept);
        QCOMPARE(FormKelpa::Instance().OptionContinue->isChecked(), continueSelected);
        if (!ends)
            QCOMPARE(KELPA::IdleExit, int16_t(0));
        ReleaseLockFile();
    }

    void theCloseBoxAsksNothingWhileIdle()
    {
        FormKelpa& form = FormKelpa::Instance();
        MsgBoxScript boxes;
        clearProgramEnded();
        form.close(); // caught at the window's edge; the ending is noted
        QVERIFY(programEnded());
        KELPA_VERIFY_MSGBOXES(boxes);
        clearProgramEnded();
    }

    void theCloseBoxIsIgnoredWhileExitIsDisabled()
    {
        FormKelpa& form = FormKelpa::Instance();
        form.CommandExit->setEnabled(false);
        MsgBoxScript boxes;
        clearProgramEnded();
        form.close();
        QVERIFY(!programEnded());
        ReleaseLockFile();
    }

    void aTimedExitAsksNothingAndShutsDownWhenDue()
    {
        FormKelpa& form = FormKelpa::Instance();
        form.CheckDauer->setChecked(true);
        KELPA::WindowsShutDown = 2;
        int shutdownFlags = -1;
        const auto previous = SetExitWindowsHook([&](int flags) {
            shutdownFlags = flags;
            return 1;
        });
        MsgBoxScript boxes;
        QVERIFY(Exit());
        SetExitWindowsHook(previous);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(shutdownFlags, int(EWX_SHUTDOWN));
        QVERIFY(ReadFile(QStringLiteral("KELPA.LOG")).contains("******Windows shutdown "));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.TMP")));
    }

    void theVolumeLimitOnlyInforms()
    {
        KELPA::MaxkBytes = 1;
        KELPA::BytesSoFar = 4096;
        MsgBoxScript boxes;
        boxes.expect(KELPA::LanguageText[244], vbOK, MsgBoxScript::Match::Contains).withStyle(64);
        QVERIFY(Exit());
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    void aPendingStopReturnsAndKeepsTheLock()
    {
        KELPA::StopRun = 1;
        // The transfer being stopped still has its file open.
        KELPA::DataFileNumber = static_cast<int16_t>(FreeFile());
        QCOMPARE(Open(QStringLiteral("part.htm"), OpenMode::Output, KELPA::DataFileNumber), 0);
        MsgBoxScript boxes; // with a stop pending the question is not shown
        QVERIFY(!Exit());
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!FormKelpa::Instance().CommandExit->isEnabled());
        QVERIFY(QFile::exists(QStringLiteral("KELPA.TMP")));
        // The stopped transfer ends and closes its number, which the exit may
        // have re-used: a second copy is still kept out of the folder.
        Close(KELPA::DataFileNumber);
        QProcess second;
        second.start(QStringLiteral("flock"),
                     {QStringLiteral("-n"), QStringLiteral("KELPA.TMP"), QStringLiteral("true")});
        QVERIFY(second.waitForFinished());
        QVERIFY(second.exitCode() != 0);
        KELPA::StopRun = 0;
        ReleaseLockFile();
    }

    void workFilesThatSurviveTheExit()
    {
        for (const char* name : {"KELPA.LOG", "KELPA.GOT", "KELPA.NOT"})
            WriteFile(QLatin1String(name), "x\r\n");
        for (const char* name : {"LINKS1.INP", "COMPLETE.ENP"})
            WriteFile(QLatin1String(name), "x\r\n");
        WriteFile(QStringLiteral("EVAL.HTM"), "x");
        KELPA::EvalFile = QStringLiteral("EVAL.HTM");
        FormKelpa::Instance().DateienLoeschen();
        KELPA::EvalFile.clear();
        for (const char* name : {"KELPA.LOG", "KELPA.GOT", "KELPA.NOT"})
            QVERIFY2(QFile::exists(QLatin1String(name)), name);
        for (const char* name : {"LINKS1.INP", "COMPLETE.ENP", "EVAL.HTM"})
            QVERIFY2(!QFile::exists(QLatin1String(name)), name);
        ReleaseLockFile();
    }

    void recyclingGoesToTheTrashOrDeletes()
    {
        FormKelpa& form = FormKelpa::Instance();
        WriteFile(QStringLiteral("OLD.LOG"), "x");
        KELPA::UseRecycleBin = 1;
        KELPA::RecycleFile = QStringLiteral("OLD.LOG");
        form.DateiInPapierkorb();
        QCOMPARE(KELPA::ApiResult, 0);
        QVERIFY(!QFile::exists(QStringLiteral("OLD.LOG")));
        KELPA::RecycleFile = QStringLiteral("MISSING.LOG"); // skipped silently
        KELPA::ApiResult = 99;
        form.DateiInPapierkorb();
        QCOMPARE(KELPA::ApiResult, 99);
        KELPA::UseRecycleBin = 0;
        WriteFile(QStringLiteral("OLD.LOG"), "x");
        KELPA::RecycleFile = QStringLiteral("old.log"); // names are case-blind
        form.DateiInPapierkorb();
        QVERIFY(!QFile::exists(QStringLiteral("OLD.LOG")));
        ReleaseLockFile();
    }
};

KELPA_TEST_MAIN(TestExit)
#include "test_exit.moc"
