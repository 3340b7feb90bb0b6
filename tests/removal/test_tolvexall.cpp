// The removal program on an installation folder: its two questions, what it
// deletes and leaves, the program group, its last message, and a kelpa that
// still runs there.

#include "platform/files/Files.h"
#include "platform/msgbox/MsgBox.h"
#include "removal/Tolvexall.h"
#include "tests/platform/files/FileTestUtil.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

using testsupport::MsgBoxScript;

Q_DECLARE_METATYPE(removal::Leftover)

namespace {

const QString FirstPrompt =
    QStringLiteral("Welcome to the tolvexall program for Velkaro!\r\n\r\nDo you want to continue?");
const QString SecondPrompt = QStringLiteral(
    "The tolvexall programm will remove Velkaro from your system!\r\n\r\nPress the OK button to "
    "perform the tolvexall. Press the Cancel button to exit the tolvexall.");
const QString Title = QStringLiteral("Velkaro Tolvexall");

QString Applications()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
}

// The installation folder with the names given (their case as given), the
// group "Kelpa" with its four items and an unrelated group with a Readme.
QString MakeInstallation(const QStringList& names)
{
    const QString folder = filetest::home() + QStringLiteral("/Programme/Kelpa");
    QDir(filetest::home() + QStringLiteral("/Programme")).removeRecursively();
    QDir(Applications()).removeRecursively();
    QDir().mkpath(folder);
    for (const QString& name : names)
        filetest::writeBytes(folder + QLatin1Char('/') + name, name.toLatin1());
    for (const char* item :
         {"Kelpa/Kelpa", "Kelpa/Liesmich", "Kelpa/Lizenz", "Kelpa/Tolvexall", "Other/Readme"}) {
        const QString entry =
            Applications() + QLatin1Char('/') + QLatin1String(item) + QStringLiteral(".desktop");
        QDir().mkpath(QFileInfo(entry).path());
        filetest::writeBytes(entry, "[Desktop Entry]\nType=Application\nName=x\nExec=true\n");
    }
    return folder;
}

QStringList Files(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QString ProgramFolder()
{
    return platform::FromLinuxPath(filetest::home() + QStringLiteral("/Programme/Kelpa"));
}

QString SuccessPrompt()
{
    return QStringLiteral("The program was successfully removed from your system.\r\n\r\nThe "
                          "directory '") +
           ProgramFolder() +
           QStringLiteral("' could not be deleted automatically. You can now delete it manually.");
}

// Answers both questions yes and runs the removal; true when the last box
// was the one telling of success (else its report is printed).
bool RemovedWithSuccess()
{
    MsgBoxScript boxes;
    boxes.expect(FirstPrompt, platform::vbYes);
    boxes.expect(SecondPrompt, platform::vbOK);
    boxes.expect(SuccessPrompt(), platform::vbOK);
    removal::Tolvexall(ProgramFolder(), 1);
    if (boxes.verify())
        return true;
    qWarning("%s", qPrintable(boxes.report()));
    return false;
}

// 0 when this process could take the flock on path, EWOULDBLOCK when another holds it.
int TryLock(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    const int result = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

} // namespace

class TestTolvexall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void refusedAnswersDeleteNothing_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("No in the first box") << int(platform::vbNo) << 0;
        QTest::newRow("Cancel in the second box")
            << int(platform::vbYes) << int(platform::vbCancel);
    }
    void refusedAnswersDeleteNothing()
    {
        QFETCH(int, first);
        QFETCH(int, second);
        const QString folder = MakeInstallation(removal::RemovedFiles());
        {
            MsgBoxScript boxes;
            boxes.expect(FirstPrompt, first).withStyle(260).withTitle(Title);
            if (second != 0)
                boxes.expect(SecondPrompt, second).withStyle(305).withTitle(Title);
            removal::Tolvexall(ProgramFolder(), 1);
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        QCOMPARE(Files(folder).size(), removal::RemovedFiles().size());
        QCOMPARE(QDir(Applications() + QStringLiteral("/Kelpa")).entryList(QDir::Files).size(), 4);
    }

    // Every listed name goes, whatever its case; missing ones are skipped;
    // what the list does not name stays, and so does another group's Readme.
    void fullRemoval()
    {
        // An English installation after some runs, its names in another case.
        QStringList names = {"KELPA.AVI", "TOLVEX.EXE", "COMCT232.OCX"};
        for (const QString& name : removal::RemovedFiles()) {
            if (!QStringList{"LIESMICH.HTM", "KELPA(D).HTM", "LIZENZ.HTM"}.contains(name))
                names.append(name.toLower());
        }
        const QString folder = MakeInstallation(names);
        {
            MsgBoxScript boxes;
            boxes.expect(FirstPrompt, platform::vbYes);
            boxes.expect(SecondPrompt, platform::vbOK);
            boxes.expect(SuccessPrompt(), platform::vbOK).withStyle(0).withTitle(Title);
            removal::Tolvexall(ProgramFolder(), 1);
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        QCOMPARE(Files(folder), (QStringList{"COMCT232.OCX", "KELPA.AVI", "TOLVEX.EXE"}));
        QVERIFY(!QFileInfo::exists(Applications() + QStringLiteral("/Kelpa")));
        QVERIFY(QFileInfo::exists(Applications() + QStringLiteral("/Other/Readme.desktop")));
    }

    // Entries that start a program in another folder belong to another
    // installation sharing the group: they and the group stay.
    void anotherInstallationsEntriesStay()
    {
        const QString folder = MakeInstallation({"KELPA.EXE"});
        const auto entry = [](const char* item, const QString& path) {
            filetest::writeBytes(Applications() + QStringLiteral("/Kelpa/") + QLatin1String(item) +
                                     QStringLiteral(".desktop"),
                                 "[Desktop Entry]\nType=Application\nName=x\nExec=true\nPath=" +
                                     path.toUtf8() + '\n');
        };
        entry("Kelpa", QStringLiteral("/opt/other kelpa"));
        entry("Tolvexall", QStringLiteral("/opt/other kelpa/"));
        entry("Liesmich", folder + QLatin1Char('/'));
        QVERIFY(RemovedWithSuccess());
        QCOMPARE(QDir(Applications() + QStringLiteral("/Kelpa")).entryList(QDir::Files),
                 (QStringList{"Kelpa.desktop", "Tolvexall.desktop"}));
    }

    // Started from a terminal in another folder, it works on its own folder.
    void otherCurrentDirectoryUntouched()
    {
        const QString folder = MakeInstallation({"KELPA.EXE", "README.HTM"});
        const QString elsewhere = filetest::home() + QStringLiteral("/elsewhere");
        QDir().mkpath(elsewhere);
        for (const char* name : {"README.HTM", "TEST.TSK", "KELPA.INI", "LINKS0.INP"})
            QVERIFY(
                filetest::writeBytes(elsewhere + QLatin1Char('/') + QLatin1String(name), "mine"));
        const QString start = QDir::currentPath();
        QVERIFY(QDir::setCurrent(elsewhere));
        QVERIFY(RemovedWithSuccess());
        QDir::setCurrent(start);
        QCOMPARE(Files(elsewhere).size(), 4);
        QCOMPARE(Files(folder), QStringList());
    }

    // What is still there is named: here a group folder that cannot go.
    void leftoversAreNamed()
    {
        if (::geteuid() == 0)
            QSKIP("root deletes from a folder it may not write to");
        MakeInstallation({"KELPA.EXE"});
        const QString group = Applications() + QStringLiteral("/Kelpa");
        QVERIFY(QFile::setPermissions(group, QFile::ReadOwner | QFile::ExeOwner));
        {
            MsgBoxScript boxes;
            boxes.expect(FirstPrompt, platform::vbYes);
            boxes.expect(SecondPrompt, platform::vbOK);
            boxes.expect(removal::FinalPrompt(ProgramFolder(), {}, platform::FromLinuxPath(group)),
                         platform::vbOK);
            removal::Tolvexall(ProgramFolder(), 1);
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        QFile::setPermissions(group, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // What is left is named by its cause, each cause on a line of its own.
    void finalPromptNamesCauses_data()
    {
        QTest::addColumn<QList<removal::Leftover>>("left");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("causes");
        QTest::addColumn<QString>("advice");
        QTest::newRow("read-only folder")
            << QList<removal::Leftover>{{"KELPA.EXE", 70}, {"README.HTM", 70}, {"KELPA.INI", 70}}
            << QString() << "No permission to delete: KELPA.EXE, README.HTM, KELPA.INI."
            << "Start the removal again once they can be deleted.";
        QTest::newRow("running kelpa and others")
            << QList<removal::Leftover>{{"KELPA.EXE", removal::InUse},
                                        {"README.HTM", 70},
                                        {"KELPA.LOG", 57},
                                        {"KELPA.TMP", removal::InUse}}
            << QString()
            << "In use by the Kelpa running there: KELPA.EXE, KELPA.TMP.\r\nNo permission to "
               "delete: README.HTM.\r\nNot deleted (error 57): KELPA.LOG."
            << "Close Kelpa, then start the removal again.";
        QTest::newRow("group left") << QList<removal::Leftover>() << "C:\\group"
                                    << "Could not be deleted: C:\\group."
                                    << "Start the removal again once they can be deleted.";
    }
    void finalPromptNamesCauses()
    {
        QFETCH(QList<removal::Leftover>, left);
        QFETCH(QString, group);
        QFETCH(QString, causes);
        QFETCH(QString, advice);
        QCOMPARE(removal::FinalPrompt(ProgramFolder(), left, group),
                 "The program could not be removed completely.\r\n\r\n" + causes + "\r\n\r\n" +
                     advice);
    }

    // A kelpa running in the folder keeps its program and its lock file, and
    // the group keeps the entries that start it and the removal.
    void besideRunningKelpa()
    {
        const QString folder = MakeInstallation({"README.HTM", "KELPA.LOG"});
        QVERIFY(QFile::copy(QStringLiteral(KELPA_PROGRAM), folder + QStringLiteral("/KELPA.EXE")));
        QVERIFY(
            filetest::writeBytes(folder + QStringLiteral("/KELPA.INI"), "Language=english\r\n"));
        QProcess kelpa;
        kelpa.setWorkingDirectory(folder);
        kelpa.start(folder + QStringLiteral("/KELPA.EXE"), {});
        QVERIFY(kelpa.waitForStarted());
        const QString lock = folder + QStringLiteral("/KELPA.TMP");
        QDeadlineTimer deadline(60000);
        while (TryLock(lock) != EWOULDBLOCK && !deadline.hasExpired())
            QTest::qWait(50);
        QCOMPARE(TryLock(lock), EWOULDBLOCK);
        {
            MsgBoxScript boxes;
            boxes.expect(FirstPrompt, platform::vbYes);
            boxes.expect(SecondPrompt, platform::vbOK);
            boxes.expect(QStringLiteral("The program could not be removed completely.\r\n\r\nIn "
                                        "use by the Kelpa running there: KELPA.EXE, "
                                        "KELPA.TMP.\r\n\r\nClose Kelpa, then start the removal "
                                        "again."),
                         platform::vbOK);
            removal::Tolvexall(ProgramFolder(), 1);
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/KELPA.EXE")));
        QVERIFY(QFileInfo::exists(lock));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/README.HTM")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/KELPA.INI")));
        QCOMPARE(QDir(Applications() + QStringLiteral("/Kelpa")).entryList(QDir::Files),
                 (QStringList{"Kelpa.desktop", "Tolvexall.desktop"}));
        QCOMPARE(kelpa.state(), QProcess::Running);
        QCOMPARE(TryLock(lock), EWOULDBLOCK);
        kelpa.kill(); // SIGKILL to its PID
        kelpa.waitForFinished();
    }
};

KELPA_TEST_MAIN(TestTolvexall)
#include "test_tolvexall.moc"
