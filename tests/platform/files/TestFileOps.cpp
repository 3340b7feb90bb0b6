// Whole files and folders, their error numbers, and the lock file against a
// second holder.

#include "platform/files/Files.h"
#include "tests/platform/files/FileTestUtil.h"
#include "tests/support/TestMain.h"

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;

namespace {

// Tries the lock from a second process: 0 when it got it, 70 when refused.
int lockFromChild(const QString& linuxPath)
{
    const QByteArray path = QFile::encodeName(linuxPath);
    const pid_t child = ::fork();
    if (child == 0) {
        const int fd = ::open(path.constData(), O_WRONLY);
        const int result = fd < 0 ? 1 : ::flock(fd, LOCK_EX | LOCK_NB);
        ::_exit(result == 0 ? 0 : (errno == EWOULDBLOCK ? 70 : 1));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

class TestFileOps : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void fileCopyOntoItself_data();
    void fileCopyOntoItself();
    void fileCopyReplacesTarget();
    void fileCopyModes_data();
    void fileCopyModes();
    void fileCopyOverRunningProgram();
    void failedCopyKeepsOldTarget();
    void errorNumbers_data();
    void errorNumbers();
    void nameMovesAndChangesCase();
    void killDeletesOneFile();
    void lockFileRefusesSecondHolder();
    void noCloseReleasesTheLock_data();
    void noCloseReleasesTheLock();
    void userLockFileOfAFolder();

private:
    QString start;
    std::unique_ptr<QTemporaryDir> work;
};

void TestFileOps::init()
{
    start = QDir::currentPath();
    work = std::make_unique<QTemporaryDir>(filetest::home() + QLatin1String("/ops-XXXXXX"));
    QVERIFY(work->isValid());
    QVERIFY(QDir::setCurrent(work->path()));
    QVERIFY(filetest::writeBytes(QStringLiteral("KELPA.NOT"), "u\r\nf\r\n"));
    QVERIFY(QDir().mkdir(QStringLiteral("Sub")));
    QVERIFY(filetest::writeBytes(QStringLiteral("Sub/inner.txt"), "i"));
}

void TestFileOps::cleanup()
{
    ReleaseLockFile();
    QDir::setCurrent(start);
    work.reset();
}

void TestFileOps::fileCopyOntoItself_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("same name") << "KELPA.NOT";
    QTest::newRow("other case") << "kelpa.not";
    QTest::newRow("other spelling") << "Sub\\..\\.\\Kelpa.Not";
    QTest::newRow("full path") << "{CURDIR}\\KELPA.NOT";
}

void TestFileOps::fileCopyOntoItself()
{
    QFETCH(QString, target);
    target.replace(QLatin1String("{CURDIR}"), CurDir());
    QCOMPARE(FileCopy(QStringLiteral("KELPA.NOT"), target), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.NOT")), QByteArray("u\r\nf\r\n"));
    QCOMPARE(DirList(QStringLiteral("*")), QStringList{"KELPA.NOT"});
}

void TestFileOps::fileCopyReplacesTarget()
{
    QVERIFY(filetest::writeBytes(QStringLiteral("COMPLETE.ENP"), "old and longer"));
    QCOMPARE(FileCopy(QStringLiteral("kelpa.not"), QStringLiteral("complete.enp")), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("COMPLETE.ENP")), QByteArray("u\r\nf\r\n"));
    QCOMPARE(FileCopy(QStringLiteral("KELPA.NOT"), QStringLiteral("KELPA.BAK")), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.BAK")), QByteArray("u\r\nf\r\n"));
}

void TestFileOps::fileCopyModes_data()
{
    QTest::addColumn<int>("sourceMode");
    QTest::addColumn<bool>("program");
    QTest::addColumn<int>("umask");
    QTest::addColumn<bool>("targetExisted");
    QTest::addColumn<int>("expected");
    QTest::newRow("program from a plain source") << 0644 << true << 022 << false << 0755;
    QTest::newRow("program from a private source") << 0600 << true << 022 << false << 0755;
    QTest::newRow("program, strict umask") << 0755 << true << 077 << false << 0700;
    QTest::newRow("program over a plain old copy") << 0644 << true << 022 << true << 0755;
    QTest::newRow("document from a program") << 0755 << false << 022 << false << 0644;
    QTest::newRow("document, strict umask") << 0644 << false << 077 << false << 0600;
    QTest::newRow("document over an executable copy") << 0644 << false << 022 << true << 0644;
}

// The copy's permission bits follow its kind and the umask, never the source.
void TestFileOps::fileCopyModes()
{
    QFETCH(int, sourceMode);
    QFETCH(bool, program);
    QFETCH(int, umask);
    QFETCH(bool, targetExisted);
    QFETCH(int, expected);
    QVERIFY(QFile::setPermissions(QStringLiteral("KELPA.NOT"), {}));
    QVERIFY(::chmod("KELPA.NOT", mode_t(sourceMode)) == 0);
    if (targetExisted) {
        QVERIFY(filetest::writeBytes(QStringLiteral("TARGET"), "old"));
        QVERIFY(::chmod("TARGET", program ? 0644 : 0755) == 0);
    }
    const mode_t previous = ::umask(mode_t(umask));
    const int result = FileCopy(QStringLiteral("KELPA.NOT"), QStringLiteral("target"),
                                program ? CopyMode::Program : CopyMode::Document);
    ::umask(previous);
    QCOMPARE(result, 0);
    struct stat info;
    QVERIFY(::stat("TARGET", &info) == 0 || ::stat("target", &info) == 0);
    QCOMPARE(int(info.st_mode & 07777), expected);
    // no scratch file left beside it
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A program that runs keeps running from its old file while the new one takes
// its name; writing into the running file would fail (text file busy).
void TestFileOps::fileCopyOverRunningProgram()
{
    QVERIFY(QFile::copy(QStringLiteral("/bin/sleep"), QStringLiteral("KELPA.EXE")));
    QVERIFY(::chmod("KELPA.EXE", 0755) == 0);
    QProcess running;
    running.start(QDir::current().absoluteFilePath(QStringLiteral("KELPA.EXE")),
                  {QStringLiteral("60")});
    QVERIFY(running.waitForStarted());
    QCOMPARE(FileCopy(QStringLiteral("KELPA.NOT"), QStringLiteral("KELPA.EXE"), CopyMode::Program),
             0);
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.EXE")), QByteArray("u\r\nf\r\n"));
    QCOMPARE(running.state(), QProcess::Running);
    running.kill();
    running.waitForFinished();
}

// A source that cannot be read to its end leaves the old target as it was.
void TestFileOps::failedCopyKeepsOldTarget()
{
    QVERIFY(filetest::writeBytes(QStringLiteral("KELPA.BAK"), "old"));
    QVERIFY(FileCopy(QStringLiteral("Z:\\proc\\self\\mem"), QStringLiteral("KELPA.BAK")) != 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.BAK")), QByteArray("old"));
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), (QStringList{"KELPA.BAK", "KELPA.NOT"}));
}

void TestFileOps::errorNumbers_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<int>("error");
    QTest::newRow("kill missing") << "Kill"
                                  << "gone.txt"
                                  << "" << 53;
    QTest::newRow("kill a folder") << "Kill"
                                   << "sub"
                                   << "" << 53;
    QTest::newRow("kill in missing folder") << "Kill"
                                            << "none\\x"
                                            << "" << 53;
    QTest::newRow("copy missing") << "FileCopy"
                                  << "gone.txt"
                                  << "x.txt" << 53;
    QTest::newRow("copy into missing folder") << "FileCopy"
                                              << "kelpa.not"
                                              << "none\\x" << 76;
    QTest::newRow("copy onto a folder") << "FileCopy"
                                        << "kelpa.not"
                                        << "SUB" << 75;
    QTest::newRow("name onto existing") << "Name"
                                        << "sub\\inner.txt"
                                        << "KELPA.NOT" << 58;
    QTest::newRow("name missing") << "Name"
                                  << "gone.txt"
                                  << "x.txt" << 53;
    QTest::newRow("name into missing folder") << "Name"
                                              << "kelpa.not"
                                              << "none\\x" << 76;
    QTest::newRow("mkdir existing") << "MkDir"
                                    << "SUB"
                                    << "" << 75;
    QTest::newRow("mkdir over a file") << "MkDir"
                                       << "kelpa.not"
                                       << "" << 75;
    QTest::newRow("mkdir in missing folder") << "MkDir"
                                             << "none\\x"
                                             << "" << 76;
    QTest::newRow("rmdir missing") << "RmDir"
                                   << "none"
                                   << "" << 76;
    QTest::newRow("rmdir not empty") << "RmDir"
                                     << "sub"
                                     << "" << 75;
    QTest::newRow("other drive") << "MkDir"
                                 << "Q:\\x"
                                 << "" << 71;
    QTest::newRow("ChDrive other drive") << "ChDrive"
                                         << "Q"
                                         << "" << 68;
    QTest::newRow("ChDir missing") << "ChDir"
                                   << "none"
                                   << "" << 76;
}

void TestFileOps::errorNumbers()
{
    QFETCH(QString, operation);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(int, error);
    int result = -1;
    if (operation == QLatin1String("Kill"))
        result = Kill(first);
    else if (operation == QLatin1String("FileCopy"))
        result = FileCopy(first, second);
    else if (operation == QLatin1String("Name"))
        result = Name(first, second);
    else if (operation == QLatin1String("MkDir"))
        result = MkDir(first);
    else if (operation == QLatin1String("RmDir"))
        result = RmDir(first);
    else if (operation == QLatin1String("ChDrive"))
        result = ChDrive(first);
    else if (operation == QLatin1String("ChDir"))
        result = ChDir(first);
    QCOMPARE(result, error);
    // A failed operation changes nothing.
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.NOT")), QByteArray("u\r\nf\r\n"));
    QCOMPARE(filetest::readBytes(QStringLiteral("Sub/inner.txt")), QByteArray("i"));
}

void TestFileOps::nameMovesAndChangesCase()
{
    QCOMPARE(Name(QStringLiteral("kelpa.not"), QStringLiteral("SUB\\moved.not")), 0);
    QVERIFY(!FileExists(QStringLiteral("KELPA.NOT")));
    QCOMPARE(filetest::readBytes(QStringLiteral("Sub/moved.not")), QByteArray("u\r\nf\r\n"));
    QCOMPARE(Name(QStringLiteral("sub\\MOVED.NOT"), QStringLiteral("Sub\\Moved.Not")), 0);
    QCOMPARE(DirList(QStringLiteral("sub\\*.not")), QStringList{"Moved.Not"});
    QCOMPARE(Name(QStringLiteral("sub"), QStringLiteral("Folder")), 0);
    QVERIFY(DirExists(QStringLiteral("FOLDER")));
}

void TestFileOps::killDeletesOneFile()
{
    QVERIFY(filetest::writeBytes(QStringLiteral("a*.txt"), "star"));
    QVERIFY(filetest::writeBytes(QStringLiteral("ab.txt"), "plain"));
    QCOMPARE(Kill(QStringLiteral("A*.TXT")), 0); // the name is taken literally
    QVERIFY(!QFile::exists(QStringLiteral("a*.txt")));
    QVERIFY(QFile::exists(QStringLiteral("ab.txt")));
    QCOMPARE(Kill(QStringLiteral("kelpa.not")), 0);
    QCOMPARE(DirList(QStringLiteral("*"), true), QStringList({"ab.txt", "Sub"}));
}

void TestFileOps::lockFileRefusesSecondHolder()
{
    const QString linuxPath = work->path() + QLatin1String("/KELPA.TMP");
    QVERIFY(filetest::writeBytes(linuxPath, "left over"));
    QCOMPARE(lockFromChild(linuxPath), 0); // nobody holds it yet
    QCOMPARE(OpenLockFile(QStringLiteral("kelpa.tmp"), 5), 0);
    QCOMPARE(FileLen(QStringLiteral("KELPA.TMP")), qint64(0)); // emptied once it is ours
    QCOMPARE(lockFromChild(linuxPath), 70);
    CloseAllFiles();
    QCOMPARE(lockFromChild(linuxPath), 70);
    // Opened again by its holder (as the exit does): the lock moves along.
    QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), 6), 0);
    QVERIFY(!IsOpen(5));
    QCOMPARE(lockFromChild(linuxPath), 70);
    QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), 6), int(ErrFileAlreadyOpen));
    ReleaseLockFile();
    QVERIFY(!IsOpen(6));
    QCOMPARE(lockFromChild(linuxPath), 0);
}

void TestFileOps::noCloseReleasesTheLock_data()
{
    QTest::addColumn<bool>("closeAll");
    QTest::addColumn<bool>("reopenAtExit");
    QTest::addColumn<bool>("reuseNumber");
    QTest::newRow("its own number closed") << false << false << false;
    QTest::newRow("closed after the exit reopened it") << false << true << false;
    QTest::newRow("closed by code that re-used the number") << true << true << true;
}

// Whatever number is closed, a second process still finds the folder locked.
void TestFileOps::noCloseReleasesTheLock()
{
    QFETCH(bool, closeAll);
    QFETCH(bool, reopenAtExit);
    QFETCH(bool, reuseNumber);
    const QString linuxPath = work->path() + QLatin1String("/KELPA.TMP");
    QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), 1), 0);
    QCOMPARE(Open(QStringLiteral("data.bin"), OpenMode::Binary, 2), 0);
    int lockNumber = 1;
    if (closeAll)
        CloseAllFiles();
    if (reopenAtExit) {
        lockNumber = FreeFile();
        QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), lockNumber), 0);
    }
    if (reuseNumber) {
        // The transfer's own number was re-used for the lock; it closes it.
        QCOMPARE(lockNumber, 2);
    }
    QCOMPARE(Close(lockNumber), 0);
    QVERIFY(!IsOpen(lockNumber));
    QCOMPARE(lockFromChild(linuxPath), 70);
    // Taken again by its holder, under a number once more.
    QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), 3), 0);
    QCOMPARE(lockFromChild(linuxPath), 70);
    CloseAllFiles();
    ReleaseLockFile();
    QCOMPARE(lockFromChild(linuxPath), 0);
}

KELPA_TEST_MAIN(TestFileOps)

// The lock of a folder that takes no file lives in the user's runtime
// folder: one file for one folder, however it is named, another for another
// folder; held, it keeps a second copy out.
void TestFileOps::userLockFileOfAFolder()
{
    const QString here = UserLockFile(QStringLiteral("KELPA.TMP"));
    QVERIFY(here.endsWith(QLatin1String("-KELPA.TMP")));
    const QString runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    QCOMPARE(ToLinuxPath(here).left(runtime.size() + 13), runtime + QLatin1String("/kelpa-locks/"));
    QCOMPARE(QFile::permissions(runtime + QLatin1String("/kelpa-locks")),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser |
                 QFile::WriteUser | QFile::ExeUser);
    QVERIFY(QFile::link(work->path(), work->path() + QLatin1String("-link")));
    QVERIFY(QDir::setCurrent(work->path() + QLatin1String("-link")));
    QCOMPARE(UserLockFile(QStringLiteral("KELPA.TMP")), here);
    QVERIFY(QDir::setCurrent(work->path() + QLatin1String("/Sub")));
    QVERIFY(UserLockFile(QStringLiteral("KELPA.TMP")) != here);
    QFile::remove(work->path() + QLatin1String("-link"));
    QCOMPARE(OpenLockFile(here, 1), 0);
    QCOMPARE(lockFromChild(ToLinuxPath(here)), 70);
    ReleaseLockFile();
    QCOMPARE(lockFromChild(ToLinuxPath(here)), 0);
    QFile::remove(ToLinuxPath(here));
}

#include "TestFileOps.moc"
