// The installation's steps on a fake shipped set: what lands where, with
// which bits, the group's entries, the settings line, and the check that
// names what did not land.

#include "setup/Installation.h"
#include "setup/TargetPath.h"
#include "tests/setup/SetupFixture.h"
#include "tests/support/TestMain.h"

#include <QProcess>
#include <QStandardPaths>

using namespace setup;
using namespace setuptest;

namespace {

// Every step, in the installer's order, into the directory the text names.
QString InstallAll(const QString& text, const InstallNames& names, const QString& language)
{
    const QString directory = TargetDirectory(text, platform::CurDir());
    MakeDirectoryLevels(directory);
    CopySystemControl();
    CopyProgramFiles(directory, names);
    CreateProgramGroup(directory, names);
    AppendLanguageLine(directory, language);
    return directory;
}

const QString ProgramFilesText = QStringLiteral("C:\\Program Files\\Kelpa\\");

QString Installed()
{
    return Home() + QStringLiteral("/Program Files/Kelpa");
}

} // namespace

class TestInstallSteps : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void installsOneLanguage_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }
    void installsOneLanguage()
    {
        QFETCH(bool, german);
        const InstallNames names = german ? GermanNames() : EnglishNames();
        const QString language = german ? QStringLiteral("deutsch") : QStringLiteral("english");
        const QString shipped = EnterShippedSet();
        const QString directory = InstallAll(ProgramFilesText, names, language);
        QCOMPARE(directory, ProgramFilesText);

        const QMap<QString, QByteArray> set = ShippedSet();
        const QStringList expected = {
            "KELPA.EXE",  "KELPA.AVI", names.Readme, names.HelpInstalled, names.LicenseInstalled,
            "TOLVEX.EXE", "KELPA.PNG", "KELPA.INI"};
        QStringList sorted = expected;
        sorted.sort();
        QCOMPARE(QDir(Installed()).entryList(QDir::Files, QDir::Name), sorted);
        for (const ShippedFile& file : ProgramFiles(names)) {
            const QString target = Installed() + QLatin1Char('/') + file.Target;
            QCOMPARE(ReadBytes(target), set.value(file.Source));
            QCOMPARE(IsExecutable(target), file.Mode == platform::CopyMode::Program);
        }
        QCOMPARE(ReadBytes(Installed() + QStringLiteral("/KELPA.INI")),
                 QByteArray("Language=") + language.toLatin1() + "\r\n");
        QCOMPARE(ReadBytes(SystemFolder() + QStringLiteral("/COMCT232.OCX")),
                 set.value(QStringLiteral("COMCT232.OC_")));

        // Each entry starts its file from the installation folder, a blank in its name,
        // shows the program's icon and is listed with network programs; the
        // removal's says what it removes from where.
        const QStringList items = GroupItems(names);
        QCOMPARE(GroupEntries().size(), 4);
        const QStringList targets = {"KELPA.EXE", names.Readme, names.LicenseInstalled,
                                     "TOLVEX.EXE"};
        for (qsizetype i = 0; i < items.size(); ++i) {
            const QMap<QString, QString> entry = Entry(items.at(i));
            const QString quoted = QLatin1Char('"') + Installed() + QLatin1Char('/') +
                                   targets.at(i) + QLatin1Char('"');
            QCOMPARE(entry.value("Name"), items.at(i));
            QCOMPARE(entry.value("Path"), Installed());
            const bool program = targets.at(i).endsWith(QLatin1String(".EXE"));
            QCOMPARE(entry.value("Exec"), program ? quoted : QStringLiteral("xdg-open ") + quoted);
            QCOMPARE(entry.value("Icon"), Installed() + QStringLiteral("/KELPA.PNG"));
            QCOMPARE(entry.value("Categories"), QStringLiteral("Network;FileTransfer;"));
            QCOMPARE(entry.value("Comment"),
                     items.at(i) == QLatin1String("Tolvexall")
                         ? names.RemovalComment + QStringLiteral("C:\\\\Program Files\\\\Kelpa\\\\")
                         : QString());
        }
        const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
        QVERIFY2(!validate.isEmpty(), "desktop-file-validate is missing (scripts/setup.sh)");
        for (const QString& item : items) {
            QProcess run;
            run.start(validate, {Applications() + "/Kelpa/" + item + ".desktop"});
            QVERIFY(run.waitForFinished());
            QVERIFY2(run.exitCode() == 0, run.readAllStandardOutput().constData());
        }
        QCOMPARE(Check(directory, names, language), QStringList());
        // The shipped set stays as it was.
        QCOMPARE(QDir(shipped).entryList(QDir::Files).size(), set.size());
    }

    // A second installation replaces the entries and adds one settings line;
    // a shared control file that is there already stays as it is.
    void reinstallReplaces()
    {
        EnterShippedSet();
        InstallAll(ProgramFilesText, EnglishNames(), "english");
        QVERIFY(WriteBytes(SystemFolder() + "/COMCT232.OCX", "a newer one"));
        QVERIFY(WriteBytes(Installed() + "/KELPA.EXE", "an older program"));
        const QString directory = InstallAll(ProgramFilesText, EnglishNames(), "english");
        QCOMPARE(GroupEntries(), (QStringList{"Kelpa.desktop", "License.desktop", "Readme.desktop",
                                              "Tolvexall.desktop"}));
        QCOMPARE(ReadBytes(SystemFolder() + "/COMCT232.OCX"), QByteArray("a newer one"));
        QCOMPARE(ReadBytes(Installed() + "/KELPA.EXE"), QByteArray("contents of SETUP1.EXE"));
        QCOMPARE(ReadBytes(Installed() + "/KELPA.INI"),
                 QByteArray("Language=english\r\nLanguage=english\r\n"));
        QCOMPARE(Check(directory, EnglishNames(), "english"), QStringList());
    }

    // The installed program runs while it is installed anew: the new copy
    // takes its name, the running one goes on.
    void reinstallOverRunningProgram()
    {
        const QString shipped = EnterShippedSet();
        QFile::remove(shipped + "/SETUP1.EXE");
        QVERIFY(QFile::copy("/bin/sleep", shipped + "/SETUP1.EXE"));
        InstallAll(ProgramFilesText, EnglishNames(), "english");
        QProcess running;
        running.start(Installed() + "/KELPA.EXE", {"60"});
        QVERIFY(running.waitForStarted());
        QVERIFY(WriteBytes(shipped + "/SETUP1.EXE", "a newer program"));
        const QString directory = InstallAll(ProgramFilesText, EnglishNames(), "english");
        QCOMPARE(ReadBytes(Installed() + "/KELPA.EXE"), QByteArray("a newer program"));
        QCOMPARE(Check(directory, EnglishNames(), "english"), QStringList());
        QCOMPARE(running.state(), QProcess::Running);
        running.kill();
        running.waitForFinished();
    }

    void languageLineOfItsOwn_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << QByteArray("Language=deutsch\r\n");
        QTest::newRow("ends in CR LF")
            << QByteArray("Depth=3\r\n") << QByteArray("Depth=3\r\nLanguage=deutsch\r\n");
        QTest::newRow("ends in LF")
            << QByteArray("Depth=3\n") << QByteArray("Depth=3\nLanguage=deutsch\r\n");
        QTest::newRow("no final line end")
            << QByteArray("Depth=3") << QByteArray("Depth=3\r\nLanguage=deutsch\r\n");
    }
    void languageLineOfItsOwn()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        EnterShippedSet();
        QVERIFY(QDir().mkpath(Installed()));
        if (!before.isEmpty())
            QVERIFY(WriteBytes(Installed() + "/KELPA.INI", before));
        AppendLanguageLine(ProgramFilesText, "deutsch");
        QCOMPARE(ReadBytes(Installed() + "/KELPA.INI"), after);
    }

    // The installer's own folder as the target: the readme is not emptied by
    // a copy onto itself, the rest lands beside the shipped files.
    void installIntoCurrentFolder()
    {
        const QString shipped = EnterShippedSet();
        const QString directory = InstallAll(QString(), EnglishNames(), "english");
        QCOMPARE(directory, platform::CurDir() + QLatin1Char('\\'));
        QCOMPARE(ReadBytes(shipped + "/README.HTM"), QByteArray("contents of README.HTM"));
        QVERIFY(IsExecutable(shipped + "/KELPA.EXE"));
        QCOMPARE(Check(directory, EnglishNames(), "english"), QStringList());
    }

    void checkNamesWhatDidNotLand_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("program not executable") << "chmod KELPA.EXE" << QStringList{"KELPA.EXE"};
        QTest::newRow("removal program missing") << "rm TOLVEX.EXE" << QStringList{"TOLVEX.EXE"};
        QTest::newRow("readme cut short") << "cut README.HTM" << QStringList{"README.HTM"};
        QTest::newRow("help page changed") << "change KELPA(E).HTM" << QStringList{"KELPA(E).HTM"};
        QTest::newRow("line after the language") << "append KELPA.INI" << QStringList{"KELPA.INI"};
        QTest::newRow("settings file missing") << "rm KELPA.INI" << QStringList{"KELPA.INI"};
        QTest::newRow("group item missing") << "entry License" << QStringList{"Kelpa\\License"};
        QTest::newRow("shared control missing") << "ocx" << QStringList{"COMCT232.OCX"};
    }
    void checkNamesWhatDidNotLand()
    {
        QFETCH(QString, fault);
        QFETCH(QStringList, missing);
        EnterShippedSet();
        const QString directory = InstallAll(ProgramFilesText, EnglishNames(), "english");
        const QString verb = fault.section(' ', 0, 0);
        const QString file = Installed() + QLatin1Char('/') + fault.section(' ', 1);
        if (verb == "chmod")
            QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner));
        else if (verb == "rm")
            QVERIFY(QFile::remove(file));
        else if (verb == "cut")
            QVERIFY(QFile::resize(file, 3));
        else if (verb == "change")
            QVERIFY(WriteBytes(file, "contents of KELPA(E).HTx"));
        else if (verb == "append")
            QVERIFY(WriteBytes(file, "Language=english\r\nDepth=3\r\n"));
        else if (verb == "entry")
            QVERIFY(QFile::remove(Applications() + "/Kelpa/License.desktop"));
        else if (verb == "ocx")
            QVERIFY(QFile::remove(SystemFolder() + "/COMCT232.OCX"));
        QCOMPARE(Check(directory, EnglishNames(), "english"), missing);
    }

    void failedInstallations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("leaveOut");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("no SETUP1.EXE")
            << ProgramFilesText << QStringList{"SETUP1.EXE"} << QStringList{"KELPA.EXE"};
        QTest::newRow("below a regular file")
            << "C:\\blocker\\Kelpa" << QStringList() << QStringList{"C:\\blocker\\Kelpa\\"};
        QTest::newRow("drive that does not exist")
            << "D:\\x" << QStringList() << QStringList{"D:\\x\\"};
    }
    void failedInstallations()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, leaveOut);
        QFETCH(QStringList, missing);
        EnterShippedSet(leaveOut);
        QVERIFY(WriteBytes(Home() + "/blocker", "a file"));
        const QString directory = InstallAll(text, EnglishNames(), "english");
        QCOMPARE(Check(directory, EnglishNames(), "english"), missing);
    }

    // A group entry that could not be written names why, as a program file
    // does. Root writes in any folder, so the permission row is skipped for
    // root.
    void groupFailuresNameTheirCause_data()
    {
        QTest::addColumn<QString>("blocked"); // what keeps the entries out
        QTest::addColumn<int>("text");
        QTest::newRow("a file for the group's folder") << "group file" << 445;
        QTest::newRow("a file for the applications folder") << "applications file" << 445;
        QTest::newRow("no permission") << "read-only" << 446;
        QTest::newRow("a folder name too long") << "long name" << 448;
    }
    void groupFailuresNameTheirCause()
    {
        QFETCH(QString, blocked);
        QFETCH(int, text);
        EnterShippedSet();
        const QByteArray data = qgetenv("XDG_DATA_HOME");
        if (blocked == "group file") {
            QVERIFY(WriteBytes(Applications() + "/Kelpa", "a file"));
        } else if (blocked == "applications file") {
            QVERIFY(QDir(Applications()).removeRecursively());
            QVERIFY(WriteBytes(Applications(), "a file"));
        } else if (blocked == "read-only") {
            QVERIFY(QFile::setPermissions(Applications(), QFile::ReadOwner | QFile::ExeOwner));
            if (QFileInfo(Applications()).isWritable()) {
                QFile::setPermissions(Applications(),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
                QSKIP("folders stay writable for this user");
            }
        } else if (blocked == "long name") {
            qputenv("XDG_DATA_HOME", data + '/' + QByteArray(300, 'n'));
        }
        Attempt attempt(TargetDirectory(ProgramFilesText, platform::CurDir()), EnglishNames(),
                        "english");
        attempt.InstallFiles();
        attempt.InstallGroup();
        attempt.InstallSettings();
        QStringList causes;
        for (const Failure& failure : attempt.Failures())
            if (failure.Item.startsWith(GroupName + "\\"))
                causes << failure.Item + ": " + QString::number(CauseText(failure.Error));
        qputenv("XDG_DATA_HOME", data);
        QFile::setPermissions(Applications(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QStringList expected;
        for (const QString& item : GroupItems(EnglishNames()))
            expected << GroupName + "\\" + item + ": " + QString::number(text);
        QCOMPARE(causes, expected);
    }

    // The cause a failure names, for errors that no test run as root meets.
    void causeOfAnError_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("text");
        QTest::newRow("no permission") << int(platform::ErrPermissionDenied) << 446;
        QTest::newRow("disk full") << int(platform::ErrDiskFull) << 447;
        QTest::newRow("device I/O error") << int(platform::ErrDeviceIO) << 449;
    }
    void causeOfAnError()
    {
        QFETCH(int, error);
        QFETCH(int, text);
        QCOMPARE(CauseText(error), text);
    }

    // Without the animation and the shared control in the set, their steps
    // are skipped and nothing misses them.
    void missingOptionalSources()
    {
        EnterShippedSet({"KELPA.AV_", "COMCT232.OC_"});
        const QString directory = InstallAll(ProgramFilesText, EnglishNames(), "english");
        QVERIFY(!QFileInfo::exists(Installed() + "/KELPA.AVI"));
        QVERIFY(!QFileInfo::exists(SystemFolder()));
        QCOMPARE(Check(directory, EnglishNames(), "english"), QStringList());
    }
};

KELPA_TEST_MAIN(TestInstallSteps)
#include "test_install_steps.moc"
