// Program paths over Linux paths: drive map both ways, current directory,
// case-blind lookups and folder listings.

#include "platform/files/Files.h"
#include "tests/platform/files/FileTestUtil.h"
#include "tests/support/TestMain.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

using namespace platform;
using filetest::home;

class TestPaths : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void toLinux_data();
    void toLinux();
    void fromLinux_data();
    void fromLinux();
    void curDirFollowsChDir();
    void homeReadAtEachCall();
    void caseBlind_data();
    void caseBlind();
    void oneFileWhateverTheCase();
    void changesFromOutsideAreSeen();
    void kindOfEntry_data();
    void kindOfEntry();
    void folderOpenedForWriting_data();
    void folderOpenedForWriting();
    void dirList_data();
    void dirList();

private:
    QString start;                       // the current directory before each test
    std::unique_ptr<QTemporaryDir> work; // each test's own current directory
};

void TestPaths::init()
{
    start = QDir::currentPath();
    work = std::make_unique<QTemporaryDir>(home() + QLatin1String("/paths-XXXXXX"));
    QVERIFY(work->isValid());
    QVERIFY(QDir::setCurrent(work->path()));
}

void TestPaths::cleanup()
{
    QDir::setCurrent(start);
    work.reset();
}

void TestPaths::toLinux_data()
{
    // {HOME} and {CWD} stand for $HOME and the current directory.
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<QString>("linuxPath");
    QTest::newRow("drive C root") << "C:\\"
                                  << "{HOME}";
    QTest::newRow("drive C without separator") << "C:"
                                               << "{CWD}";
    QTest::newRow("folder with trailing separator") << "C:\\kelpa\\"
                                                    << "{HOME}/kelpa";
    QTest::newRow("slashes and small letter") << "c:/kelpa/x.txt"
                                              << "{HOME}/kelpa/x.txt";
    QTest::newRow("drive Z") << "Z:\\tmp\\x"
                             << "/tmp/x";
    QTest::newRow("drive Z root") << "Z:\\"
                                  << "/";
    QTest::newRow("no climbing above the drive") << "C:\\..\\..\\x"
                                                 << "{HOME}/x";
    QTest::newRow("rooted on the current drive") << "\\x"
                                                 << "{HOME}/x";
    QTest::newRow("relative") << "x.txt"
                              << "{CWD}/x.txt";
    QTest::newRow("dot and doubled separators") << ".\\a\\\\b"
                                                << "{CWD}/a/b";
    QTest::newRow("parent") << "..\\y"
                            << "{HOME}/y";
    QTest::newRow("tilde is a name") << "~\\x"
                                     << "{CWD}/~/x";
    QTest::newRow("other drive") << "D:\\x"
                                 << "";
    QTest::newRow("NUL inside") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << "";
    QTest::newRow("network path") << "\\\\server\\share\\x"
                                  << "";
}

void TestPaths::toLinux()
{
    QFETCH(QString, programPath);
    QFETCH(QString, linuxPath);
    linuxPath.replace(QLatin1String("{HOME}"), home());
    linuxPath.replace(QLatin1String("{CWD}"), QDir::currentPath());
    QCOMPARE(ToLinuxPath(programPath), linuxPath);
}

void TestPaths::fromLinux_data()
{
    QTest::addColumn<QString>("linuxPath");
    QTest::addColumn<QString>("programPath");
    QTest::newRow("home") << "{HOME}"
                          << "C:\\";
    QTest::newRow("home with slash") << "{HOME}/"
                                     << "C:\\";
    QTest::newRow("under home") << "{HOME}/kelpa/x"
                                << "C:\\kelpa\\x";
    QTest::newRow("dots applied") << "{HOME}/a/../b"
                                  << "C:\\b";
    QTest::newRow("outside home") << "/tmp/x"
                                  << "Z:\\tmp\\x";
    QTest::newRow("root") << "/"
                          << "Z:\\";
    QTest::newRow("name starting like home") << "{HOME}x/y"
                                             << "Z:\\{ZHOME}x\\y";
}

void TestPaths::fromLinux()
{
    QFETCH(QString, linuxPath);
    QFETCH(QString, programPath);
    linuxPath.replace(QLatin1String("{HOME}"), home());
    programPath.replace(QLatin1String("{ZHOME}"),
                        home().mid(1).replace(QLatin1Char('/'), QLatin1Char('\\')));
    QCOMPARE(FromLinuxPath(linuxPath), programPath);
}

void TestPaths::curDirFollowsChDir()
{
    QVERIFY(QDir(home()).mkpath(QStringLiteral("kelpa")));
    QCOMPARE(ChDir(QStringLiteral("C:\\")), 0);
    QCOMPARE(CurDir(), QStringLiteral("C:\\"));
    QCOMPARE(ChDir(QStringLiteral("KELPA\\")), 0);
    QCOMPARE(CurDir(), QStringLiteral("C:\\kelpa"));
    QCOMPARE(QDir::currentPath(), home() + QLatin1String("/kelpa"));
    QCOMPARE(ChDir(QStringLiteral("Z:/tmp")), 0);
    QCOMPARE(CurDir(), QStringLiteral("Z:\\tmp"));
    QCOMPARE(ChDir(QStringLiteral("C:\\missing")), int(ErrPathNotFound));
    QCOMPARE(CurDir(), QStringLiteral("Z:\\tmp"));
    QCOMPARE(ChDrive(QStringLiteral("D")), int(ErrDeviceUnavailable));
    QCOMPARE(ChDrive(QStringLiteral("c:")), 0);
    QCOMPARE(CurDir(), QStringLiteral("C:\\"));
    QCOMPARE(ChDrive(QStringLiteral("C")), 0); // the current drive: no change
    QCOMPARE(CurDir(), QStringLiteral("C:\\"));
}

void TestPaths::homeReadAtEachCall()
{
    const QByteArray saved = qgetenv("HOME");
    const QString other = work->path() + QLatin1String("/otherhome");
    QVERIFY(QDir().mkpath(other));
    qputenv("HOME", QFile::encodeName(other));
    const QString mapped = ToLinuxPath(QStringLiteral("C:\\x"));
    const QString shown = CurDir();
    qputenv("HOME", saved);
    QCOMPARE(mapped, other + QLatin1String("/x"));
    QVERIFY(shown.startsWith(QLatin1String("Z:\\"))); // the old home is no longer drive C
}

void TestPaths::caseBlind_data()
{
    QTest::addColumn<QString>("programPath");
    QTest::addColumn<QString>("relativeLinuxPath");
    QTest::newRow("exact") << "KELPA.GOT"
                           << "KELPA.GOT";
    QTest::newRow("small letters") << "kelpa.got"
                                   << "KELPA.GOT";
    QTest::newRow("folder and file") << "sub\\file.txt"
                                     << "Sub/File.TXT";
    QTest::newRow("new file keeps its case") << "SUB\\New.txt"
                                             << "Sub/New.txt";
    QTest::newRow("missing folder keeps its case") << "Missing\\Abc"
                                                   << "Missing/Abc";
    QTest::newRow("exact beats a case twin") << "twin"
                                             << "twin";
    QTest::newRow("lowest of two case twins") << "TWIn"
                                              << "TWIN";
    QTest::newRow("folder in other case, file exact") << "SUB\\File.TXT"
                                                      << "Sub/File.TXT";
    QTest::newRow("new file in exact folder") << "Sub\\new.txt"
                                              << "Sub/new.txt";
    QTest::newRow("exact folder, file in other case") << "Sub\\file.txt"
                                                      << "Sub/File.TXT";
    QTest::newRow("name below a file") << "kelpa.got\\x"
                                       << "KELPA.GOT/x";
    QTest::newRow("new folder and file below a case twin") << "sub\\New\\x"
                                                           << "Sub/New/x";
    QTest::newRow("new folders below an exact folder") << "Sub\\New\\Newer\\x"
                                                       << "Sub/New/Newer/x";
    QTest::newRow("new folders below a case twin") << "sub\\new\\newer\\x"
                                                   << "Sub/new/newer/x";
    QTest::newRow("folders below a file") << "SUB\\FILE.TXT\\a\\b"
                                          << "Sub/File.TXT/a/b";
}

void TestPaths::caseBlind()
{
    QFETCH(QString, programPath);
    QFETCH(QString, relativeLinuxPath);
    const QString cwd = QDir::currentPath();
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/KELPA.GOT"), "x"));
    QVERIFY(QDir(cwd).mkdir(QStringLiteral("Sub")));
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/Sub/File.TXT"), "x"));
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/twin"), "x"));
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/TWIN"), "x"));
    QCOMPARE(ToLinuxPath(programPath), cwd + QLatin1Char('/') + relativeLinuxPath);
}

void TestPaths::oneFileWhateverTheCase()
{
    const int number = FreeFile();
    QCOMPARE(Open(QStringLiteral("KELPA.GOT"), OpenMode::Output, number), 0);
    QCOMPARE(PrintLine(number, QStringLiteral("http://a/")), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(Open(QStringLiteral("kelpa.got"), OpenMode::Append, number), 0);
    QCOMPARE(PrintLine(number, QStringLiteral("a.html")), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(Open(QStringLiteral("New.Tsk"), OpenMode::Output, number), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(DirList(QStringLiteral("*")), QStringList({"KELPA.GOT", "New.Tsk"}));
    QCOMPARE(FileLen(QStringLiteral("Kelpa.Got")), qint64(19));
}

void TestPaths::changesFromOutsideAreSeen()
{
    const QString cwd = QDir::currentPath();
    QVERIFY(!FileExists(QStringLiteral("abc.txt"))); // the folder is listed now
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/ABC.TXT"), "x"));
    QVERIFY(FileExists(QStringLiteral("abc.txt")));
    QVERIFY(QFile::rename(cwd + QLatin1String("/ABC.TXT"), cwd + QLatin1String("/Other.txt")));
    QVERIFY(!FileExists(QStringLiteral("abc.txt")));
    QVERIFY(FileExists(QStringLiteral("OTHER.TXT")));
    QVERIFY(QFile::remove(cwd + QLatin1String("/Other.txt")));
    QVERIFY(!FileExists(QStringLiteral("OTHER.TXT")));
    // Our own changes are seen as well.
    QCOMPARE(MkDir(QStringLiteral("Dir")), 0);
    QVERIFY(DirExists(QStringLiteral("DIR")));
    QCOMPARE(RmDir(QStringLiteral("dir")), 0);
    QVERIFY(!DirExists(QStringLiteral("DIR")));
}

void TestPaths::kindOfEntry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("file");
    QTest::addColumn<bool>("folder");
    QTest::addColumn<qint64>("length");
    QTest::newRow("file") << "data.txt" << true << false << qint64(3);
    QTest::newRow("file named case-blind") << "DATA.TXT" << true << false << qint64(3);
    QTest::newRow("folder") << "sub" << false << true << qint64(-1);
    QTest::newRow("folder named case-blind") << "SUB" << false << true << qint64(-1);
    QTest::newRow("file in a folder named case-blind")
        << "SUB\\IN.TXT" << true << false << qint64(5);
    QTest::newRow("link to a file") << "tofile" << true << false << qint64(3);
    QTest::newRow("link to a folder") << "tofolder" << false << true << qint64(-1);
    QTest::newRow("link to a folder named case-blind") << "TOFOLDER" << false << true << qint64(-1);
    QTest::newRow("file behind a linked folder")
        << "tofolder\\in.txt" << true << false << qint64(5);
    QTest::newRow("dangling link") << "dangling" << false << false << qint64(-1);
    QTest::newRow("missing") << "missing.txt" << false << false << qint64(-1);
}

// Existence and kind are those of what a name leads to, links followed.
void TestPaths::kindOfEntry()
{
    QFETCH(QString, name);
    QFETCH(bool, file);
    QFETCH(bool, folder);
    QFETCH(qint64, length);
    const QString cwd = QDir::currentPath();
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/data.txt"), "abc"));
    QVERIFY(QDir(cwd).mkdir(QStringLiteral("sub")));
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("/sub/in.txt"), "12345"));
    QVERIFY(QFile::link(cwd + QLatin1String("/data.txt"), cwd + QLatin1String("/tofile")));
    QVERIFY(QFile::link(cwd + QLatin1String("/sub"), cwd + QLatin1String("/tofolder")));
    QVERIFY(QFile::link(cwd + QLatin1String("/gone"), cwd + QLatin1String("/dangling")));
    QCOMPARE(FileExists(name), file);
    QCOMPARE(DirExists(name), folder);
    QCOMPARE(FileLen(name), length);
}

void TestPaths::folderOpenedForWriting_data()
{
    QTest::addColumn<OpenMode>("mode");
    QTest::newRow("input") << OpenMode::Input;
    QTest::newRow("output") << OpenMode::Output;
    QTest::newRow("append") << OpenMode::Append;
    QTest::newRow("binary") << OpenMode::Binary;
    QTest::newRow("replace") << OpenMode::Replace;
}

// A folder is no file to open, however it is opened; it stays as it was.
void TestPaths::folderOpenedForWriting()
{
    QFETCH(OpenMode, mode);
    QVERIFY(QDir().mkdir(QStringLiteral("folder")));
    QVERIFY(filetest::writeBytes(QDir::currentPath() + QLatin1String("/folder/in.txt"), "x"));
    const int number = FreeFile();
    QCOMPARE(Open(QStringLiteral("FOLDER"), mode, number), int(ErrPathFileAccess));
    QVERIFY(!IsOpen(number));
    QVERIFY(DirExists(QStringLiteral("folder")));
    QVERIFY(FileExists(QStringLiteral("folder\\in.txt")));
}

void TestPaths::dirList_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("folders");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("extension") << "*.tsk" << false << QStringList{"a.tsk", "B.TSK"};
    QTest::newRow("extension in capitals") << "*.TSK" << false << QStringList{"a.tsk", "B.TSK"};
    QTest::newRow("with folders") << "*.tsk" << true << QStringList{"a.tsk", "B.TSK", "sub.tsk"};
    QTest::newRow("one character") << "?.tsk" << false << QStringList{"a.tsk", "B.TSK"};
    QTest::newRow("any extension or none")
        << "kelpa.*" << false << QStringList{"KELPA", "KELPA.INI"};
    QTest::newRow("every file") << "*.*" << false
                                << QStringList{"a.tsk", "B.TSK", "c.txt", "KELPA", "KELPA.INI"};
    QTest::newRow("star inside") << "k*i" << false << QStringList{"KELPA.INI"};
    QTest::newRow("in a folder") << "SUB.TSK\\*" << false << QStringList{"inner.tsk"};
    QTest::newRow("folder with trailing separator")
        << "sub.tsk\\" << false << QStringList{"inner.tsk"};
    QTest::newRow("no match") << "*.zip" << false << QStringList{};
    QTest::newRow("missing folder") << "nothere\\*" << false << QStringList{};
}

void TestPaths::dirList()
{
    QFETCH(QString, pattern);
    QFETCH(bool, folders);
    QFETCH(QStringList, names);
    const QString cwd = QDir::currentPath() + QLatin1Char('/');
    for (const char* name : {"a.tsk", "B.TSK", "c.txt", "KELPA", "KELPA.INI", ".hidden.tsk"})
        QVERIFY(filetest::writeBytes(cwd + QLatin1String(name), "x"));
    QVERIFY(QDir(cwd).mkdir(QStringLiteral("sub.tsk")));
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("sub.tsk/inner.tsk"), "x"));
    // Names no program path can name are not listed: joined to the folder,
    // "\" would split one into names that climb out of it, and bytes not
    // valid as UTF-8 come back as another name.
    QVERIFY(filetest::writeBytes(cwd + QLatin1String("a\\..\\..\\victim.tsk"), "x"));
    QVERIFY(QDir(cwd).mkdir(QStringLiteral("up\\..\\..\\x.tsk")));
    QVERIFY(::close(::creat((QFile::encodeName(cwd) + "b\xff.tsk").constData(), 0644)) == 0);
    QCOMPARE(DirList(pattern, folders), names);
    QCOMPARE(DirList(CurDir() + QLatin1Char('\\') + pattern, folders), names);
    const FolderEntries entries = ListFolder(CurDir());
    QCOMPARE(entries.files, DirList(QStringLiteral("*")));
    QCOMPARE(entries.folders, QStringList{"sub.tsk"});
}

KELPA_TEST_MAIN(TestPaths)

#include "TestPaths.moc"
