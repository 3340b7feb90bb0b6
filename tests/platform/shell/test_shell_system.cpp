// The recycle bin, the shutdown request and the system directory.

#include "platform/files/Files.h"
#include "platform/shell/System.h"
#include "tests/support/TestMain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

using namespace platform;

namespace {

QString dataHome()
{
    return qEnvironmentVariable("XDG_DATA_HOME");
}

bool makeFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

} // namespace

class TestShellSystem : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(dataHome().contains(QLatin1String("/testhome/"))); }

    void fileGoesToTheTrash()
    {
        // The trash must be made even when the data folder is missing.
        QVERIFY(QDir(dataHome()).removeRecursively());
        QVERIFY(makeFile(QStringLiteral("kelpa.log")));

        QCOMPARE(
            SHFileOperationA(FO_DELETE, CurDir() + QStringLiteral("\\KELPA.LOG"), FOF_ALLOWUNDO),
            0);
        QVERIFY(!QFile::exists(QStringLiteral("kelpa.log")));
        QVERIFY(QFile::exists(dataHome() + QStringLiteral("/Trash/files/kelpa.log")));
        QVERIFY(QFile::exists(dataHome() + QStringLiteral("/Trash/info/kelpa.log.trashinfo")));

        // A second file of the same name is kept beside the first.
        QVERIFY(makeFile(QStringLiteral("kelpa.log")));
        QCOMPARE(SHFileOperationA(FO_DELETE, QStringLiteral("kelpa.log"), FOF_ALLOWUNDO), 0);
        QCOMPARE(QDir(dataHome() + QStringLiteral("/Trash/files")).count(), 4); // ., .., two
    }

    // The desktop restores a file to the Path= of its .trashinfo, escaped as
    // in URLs: a name with a space, "%", "#" or a non-ASCII letter must come
    // back to the very place it left.
    void trashInfoNamesTheEscapedPath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("escapedName");
        QTest::newRow("plain") << QStringLiteral("plain.htm") << QByteArray("plain.htm");
        QTest::newRow("space") << QStringLiteral("small pic.png") << QByteArray("small%20pic.png");
        QTest::newRow("percent") << QStringLiteral("100%20.txt") << QByteArray("100%2520.txt");
        QTest::newRow("hash") << QStringLiteral("page#top.htm") << QByteArray("page%23top.htm");
        QTest::newRow("umlaut") << QStringLiteral("\u00e4rger.htm") << QByteArray("%C3%A4rger.htm");
    }

    void trashInfoNamesTheEscapedPath()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, escapedName);
        QVERIFY(QDir().mkpath(QStringLiteral("site dir")));
        const QString linux = QDir::currentPath() + QStringLiteral("/site dir/") + name;
        QVERIFY(makeFile(linux));

        QCOMPARE(SHFileOperationA(FO_DELETE, FromLinuxPath(linux), FOF_ALLOWUNDO), 0);
        QVERIFY(!QFileInfo::exists(linux));
        QFile info(dataHome() + QStringLiteral("/Trash/info/") + name +
                   QStringLiteral(".trashinfo"));
        QVERIFY(info.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = info.readAll().split('\n');
        QCOMPARE(lines.value(0), QByteArray("[Trash Info]"));
        const QByteArray folder = QUrl::toPercentEncoding(QDir::currentPath(), "/");
        QVERIFY(lines.contains("Path=" + folder + "/site%20dir/" + escapedName));
        QVERIFY(std::any_of(lines.begin(), lines.end(), [](const QByteArray& line) {
            return line.startsWith("DeletionDate=") &&
                   QDateTime::fromString(QString::fromLatin1(line.mid(13)), Qt::ISODate).isValid();
        }));
    }

    void refusedOperationsChangeNothing_data()
    {
        QTest::addColumn<int>("wFunc");
        QTest::addColumn<QString>("pFrom");
        QTest::addColumn<int>("fFlags");
        QTest::addColumn<int>("result");
        QTest::newRow("missing file") << 3 << QStringLiteral("missing.not") << 64 << 2;
        QTest::newRow("no such drive") << 3 << QStringLiteral("Q:\\keep.me") << 64 << 2;
        QTest::newRow("delete without undo") << 3 << QStringLiteral("keep.me") << 0 << 120;
        QTest::newRow("move") << 1 << QStringLiteral("keep.me") << 64 << 120;
    }

    void refusedOperationsChangeNothing()
    {
        QFETCH(int, wFunc);
        QFETCH(QString, pFrom);
        QFETCH(int, fFlags);
        QFETCH(int, result);
        QVERIFY(makeFile(QStringLiteral("keep.me")));
        QCOMPARE(SHFileOperationA(wFunc, pFrom, fFlags), result);
        QVERIFY(QFile::exists(QStringLiteral("keep.me")));
    }

    void hooksTakeTheCalls()
    {
        QList<int> calls;
        QString from;
        const FileOperationHook oldOperation =
            SetFileOperationHook([&](int wFunc, const QString& pFrom, int fFlags) {
                calls << wFunc << fFlags;
                from = pFrom;
                return 5;
            });
        const ExitWindowsHook oldExit = SetExitWindowsHook([&](int flags) {
            calls << flags;
            return 1;
        });

        QVERIFY(makeFile(QStringLiteral("keep.me")));
        QCOMPARE(SHFileOperationA(FO_DELETE, QStringLiteral("keep.me"), FOF_ALLOWUNDO), 5);
        QVERIFY(QFile::exists(QStringLiteral("keep.me")));
        QCOMPARE(ExitWindowsEx(EWX_SHUTDOWN), 1);
        QCOMPARE(calls, QList<int>({3, 64, 1}));
        QCOMPARE(from, QStringLiteral("keep.me"));

        SetFileOperationHook(oldOperation);
        SetExitWindowsHook(oldExit);
    }

    // Without the program's main() enabling it, a shutdown request does
    // nothing at all. (No test ever enables it.)
    void shutdownIsOffUnlessEnabled() { QCOMPARE(ExitWindowsEx(EWX_SHUTDOWN), 0); }

    void systemDirectoryIsTheUsersOwn()
    {
        const QString folder = GetSystemDirectoryA();
        QCOMPARE(folder, QStringLiteral("C:\\.local\\share\\kelpa\\system"));
        QCOMPARE(ToLinuxPath(folder), dataHome() + QStringLiteral("/kelpa/system"));
        // Asking leaves no folder behind: only a copy there makes one.
        QVERIFY(!QFileInfo::exists(dataHome() + QStringLiteral("/kelpa")));
    }
};

KELPA_TEST_MAIN(TestShellSystem)
#include "test_shell_system.moc"
