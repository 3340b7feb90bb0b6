// Program groups as folders of desktop entries, driven by group commands.

#include "platform/files/Files.h"
#include "platform/shell/ProgramGroup.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace platform;

namespace {

QString applications()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications");
}

QString entry(const QString& group, const QString& item)
{
    QFile file(applications() + QLatin1Char('/') + group + QLatin1Char('/') + item +
               QStringLiteral(".desktop"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList items(const QString& group)
{
    return QDir(applications() + QLatin1Char('/') + group).entryList(QDir::Files, QDir::Name);
}

bool makeFile(const QString& path, bool executable = false)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    return !executable || file.setPermissions(file.permissions() | QFile::ExeOwner);
}

// The install folder "C:\...\inst\" with a program and a document in it.
QString installFolder()
{
    return CurDir() + QStringLiteral("\\inst\\");
}

QString installPath()
{
    return QDir::currentPath() + QStringLiteral("/inst");
}

} // namespace

class TestProgramGroup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QDir(applications()).removeRecursively();
        QVERIFY(QDir().mkpath(QStringLiteral("inst")));
        QVERIFY(makeFile(QStringLiteral("inst/KELPA.EXE"), true));
        QVERIFY(makeFile(QStringLiteral("inst/README.HTM")));
    }

    void installThenRemove()
    {
        ProgramManager install;
        const QString dir = installFolder();
        QCOMPARE(install.execute(QStringLiteral("[CreateGroup(Kelpa)]")), 0);
        QCOMPARE(install.execute(QStringLiteral("[ReplaceItem(Kelpa)]")), int(ErrGroupCommand));
        QCOMPARE(install.execute(QStringLiteral("[AddItem(\"") + dir +
                                 QStringLiteral("KELPA.EXE\",Kelpa,,,)]")),
                 0);
        QCOMPARE(install.execute(QStringLiteral("[ReplaceItem(Readme)]")), int(ErrGroupCommand));
        QCOMPARE(install.execute(QStringLiteral("[AddItem(\"") + dir +
                                 QStringLiteral("README.HTM\",Readme,,,)]")),
                 0);
        QCOMPARE(install.execute(QStringLiteral("[ShowGroup(Kelpa, 1)]")), 0);

        QCOMPARE(items(QStringLiteral("Kelpa")),
                 QStringList({QStringLiteral("Kelpa.desktop"), QStringLiteral("Readme.desktop")}));
        const QString inst = installPath();
        QCOMPARE(entry(QStringLiteral("Kelpa"), QStringLiteral("Kelpa")),
                 QStringLiteral("[Desktop Entry]\nType=Application\nName=Kelpa\nExec=\"") + inst +
                     QStringLiteral("/KELPA.EXE\"\nPath=") + inst + QStringLiteral("\n"));
        QCOMPARE(
            entry(QStringLiteral("Kelpa"), QStringLiteral("Readme")),
            QStringLiteral("[Desktop Entry]\nType=Application\nName=Readme\nExec=xdg-open \"") +
                inst + QStringLiteral("/README.HTM\"\nPath=") + inst + QStringLiteral("\n"));

        // A second installation replaces its items instead of doubling them.
        QCOMPARE(install.execute(QStringLiteral("[CreateGroup(kelpa)][ReplaceItem(readme)]")), 0);
        QCOMPARE(install.execute(QStringLiteral("[AddItem(\"") + dir +
                                 QStringLiteral("README.HTM\",Readme,,,)]")),
                 0);
        QCOMPARE(items(QStringLiteral("Kelpa")).size(), 2);

        // The removal names no group before its item commands: they fail, and
        // the group goes with everything in it.
        ProgramManager removal;
        QCOMPARE(removal.execute(QStringLiteral("[ReplaceItem(Kelpa)]")), int(ErrGroupCommand));
        QCOMPARE(items(QStringLiteral("Kelpa")).size(), 2);
        QCOMPARE(removal.execute(QStringLiteral("[DeleteGroup(Kelpa)]")), 0);
        QVERIFY(!QFileInfo::exists(applications() + QStringLiteral("/Kelpa")));
        QCOMPARE(removal.execute(QStringLiteral("[DeleteGroup(Kelpa)]")), int(ErrGroupCommand));
    }

    void itemOptions()
    {
        QVERIFY(makeFile(QStringLiteral("inst/kelpa.png")));
        QCOMPARE(CreateProgramGroup(QStringLiteral("Kelpa")), 0);
        QCOMPARE(AddProgramItem(QStringLiteral("KELPA"),
                                installFolder() + QStringLiteral("kelpa.exe"), QString(),
                                installFolder() + QStringLiteral("kelpa.png"),
                                QStringLiteral("C:\\")),
                 0);
        const QString text = entry(QStringLiteral("Kelpa"), QStringLiteral("KELPA"));
        QVERIFY2(text.contains(QStringLiteral("\nName=KELPA\n")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("\nIcon=") + installPath() +
                              QStringLiteral("/kelpa.png\n")));
        QVERIFY(text.contains(QStringLiteral("\nPath=") + QDir::homePath() + QStringLiteral("\n")));
        QCOMPARE(DeleteProgramItem(QStringLiteral("kelpa"), QStringLiteral("kelpa")), 0);
        QCOMPARE(DeleteProgramItem(QStringLiteral("kelpa"), QStringLiteral("kelpa")),
                 int(ErrGroupCommand));
        QCOMPARE(AddProgramItem(QStringLiteral("Other"), installFolder() + QStringLiteral("x"),
                                QStringLiteral("x")),
                 int(ErrGroupCommand));
    }

    void execLineIsQuoted()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("inst/a b")));
        QVERIFY(makeFile(QStringLiteral("inst/a b/it's $5 \"100%\" x.htm")));
        QCOMPARE(CreateProgramGroup(QStringLiteral("Kelpa")), 0);
        QCOMPARE(AddProgramItem(QStringLiteral("Kelpa"),
                                installFolder() + QStringLiteral("a b/it's $5 \"100%\" x.htm"),
                                QStringLiteral("Odd")),
                 0);
        // Desktop entry value escaping doubles the backslashes of the quoting.
        QVERIFY(entry(QStringLiteral("Kelpa"), QStringLiteral("Odd"))
                    .contains(QStringLiteral("\nExec=xdg-open \"") + installPath() +
                              QStringLiteral("/a b/it's \\\\$5 \\\\\"100%%\\\\\" x.htm\"\n")));
    }

    void refusedNames_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("group ..") << QStringLiteral("[CreateGroup(..)]");
        QTest::newRow("group with slash") << QStringLiteral("[CreateGroup(a/../../b)]");
        QTest::newRow("empty group") << QStringLiteral("[CreateGroup()]");
        QTest::newRow("item with slash")
            << QStringLiteral("[CreateGroup(Kelpa)][AddItem(\"x\",../../evil,,,)]");
        QTest::newRow("item with line break")
            << QStringLiteral("[CreateGroup(Kelpa)][AddItem(\"x\",a\nExec=evil,,,)]");
        QTest::newRow("no brackets") << QStringLiteral("CreateGroup(Kelpa)");
        QTest::newRow("unclosed") << QStringLiteral("[CreateGroup(Kelpa]");
        QTest::newRow("unknown command") << QStringLiteral("[ExitProgman(1)]");
        QTest::newRow("empty") << QString();
    }

    void refusedNames()
    {
        QFETCH(QString, command);
        ProgramManager manager;
        QCOMPARE(manager.execute(command), int(ErrGroupCommand));
        const QStringList left =
            QDir(applications()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY(left.isEmpty() || left == QStringList(QStringLiteral("Kelpa")));
        QVERIFY(items(QStringLiteral("Kelpa")).isEmpty());
        QVERIFY(!QFileInfo::exists(qEnvironmentVariable("XDG_DATA_HOME") +
                                   QStringLiteral("/evil.desktop")));
    }

    void linkedGroupLosesOnlyTheLink()
    {
        QVERIFY(QDir().mkpath(QStringLiteral("elsewhere")));
        QVERIFY(makeFile(QStringLiteral("elsewhere/keep.txt")));
        QVERIFY(QDir().mkpath(applications()));
        QVERIFY(QFile::link(QDir::currentPath() + QStringLiteral("/elsewhere"),
                            applications() + QStringLiteral("/Linked")));
        QCOMPARE(DeleteProgramGroup(QStringLiteral("linked")), 0);
        QVERIFY(!QFileInfo(applications() + QStringLiteral("/Linked")).isSymLink());
        QVERIFY(QFile::exists(QStringLiteral("elsewhere/keep.txt")));
    }
};

KELPA_TEST_MAIN(TestProgramGroup)
#include "test_program_group.moc"
