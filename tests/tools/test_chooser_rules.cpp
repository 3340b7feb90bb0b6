// The chooser's rules without its window: which caller selects which mode
// (in both languages), save names, directory names, pattern lists, drives and
// typed paths.

#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "tools/ChooserRules.h"

#include <QDir>

using namespace chooser;

class TestChooserRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modes_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("titleText");
        QTest::addColumn<QString>("expected"); // letters: d i c D s
        QTest::newRow("save task") << "english"
                                   << "*.tsk" << 57 << "s";
        QTest::newRow("save task, German") << "deutsch"
                                           << "*.tsk" << 57 << "s";
        QTest::newRow("open task") << "english"
                                   << "*.tsk" << 67 << "";
        QTest::newRow("input file") << "english"
                                    << "*.inp" << 68 << "i";
        QTest::newRow("input file, German") << "deutsch"
                                            << "*.inp" << 68 << "i";
        QTest::newRow("icon") << "english"
                              << "*.ico" << 414 << "c";
        QTest::newRow("download directory") << "english"
                                            << "" << 412 << "dD";
        QTest::newRow("download directory, German") << "deutsch"
                                                    << "" << 412 << "dD";
        QTest::newRow("install directory") << "english"
                                           << "" << 369 << "d";
        QTest::newRow("source page") << "english"
                                     << "*.htm;*.html" << 33 << "";
    }
    void modes()
    {
        QFETCH(QString, language);
        QFETCH(QString, filter);
        QFETCH(int, titleText);
        QFETCH(QString, expected);
        TexteLaden(language);
        const Mode mode = ModeOf(filter, KELPA::LanguageText[titleText]);
        QString got;
        for (const auto& [on, letter] : {std::pair{mode.directory, 'd'},
                                         {mode.inputFile, 'i'},
                                         {mode.icon, 'c'},
                                         {mode.downloadDirectory, 'D'},
                                         {mode.save, 's'}}) {
            if (on)
                got += QLatin1Char(letter);
        }
        QCOMPARE(got, expected);
        TexteLaden(QStringLiteral("english"));
    }

    // Save mode is any title whose first six letters, in capitals, are the
    // language's: typed in another case it still saves.
    void saveModeIsCaseBlind()
    {
        TexteLaden(QStringLiteral("english"));
        QVERIFY(ModeOf(QStringLiteral("*.tsk"), QStringLiteral("save tasks as")).save);
        QVERIFY(!ModeOf(QStringLiteral("*.tsk"), QStringLiteral("Save t")).directory);
        QVERIFY(!ModeOf(QStringLiteral("*.tsk"), QStringLiteral("Save")).save);
    }

    void saveNames_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved");
        QTest::newRow("a dot in the folder keeps the name") << "C:\\my.tasks\\job"
                                                            << "C:\\my.tasks\\job";
        QTest::newRow("no dot gets .tsk") << "C:\\tasks\\job"
                                          << "C:\\tasks\\job.tsk";
        QTest::newRow("own extension kept") << "job.txt"
                                            << "job.txt";
        QTest::newRow("plain name") << "job"
                                    << "job.tsk";
    }
    void saveNames()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        QCOMPARE(SaveName(typed), saved);
    }

    void directoryNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "C:\\Downloads" << false;
        QTest::newRow("root") << "C:\\" << false;
        QTest::newRow("relative") << "sub\\dir" << false;
        QTest::newRow("blank inside") << "C:\\my files" << false;
        QTest::newRow("double backslash") << "C:\\a\\\\b" << true;
        QTest::newRow("slash") << "C:\\a/b" << true;
        QTest::newRow("second colon") << "C:\\x:y" << true;
        QTest::newRow("colon at position 3") << "XC:\\dir" << true;
        QTest::newRow("star") << "C:\\a*" << true;
        QTest::newRow("question mark") << "C:\\a?" << true;
        QTest::newRow("double quote") << "C:\\a\"b" << true;
        QTest::newRow("less than") << "C:\\a<b" << true;
        QTest::newRow("greater than") << "C:\\a>b" << true;
        QTest::newRow("bar") << "D:\\a|b" << true;
    }
    void directoryNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QCOMPARE(DirectoryNameRefused(WithBackslash(name)), refused);
        QVERIFY(WithBackslash(name).endsWith(QLatin1Char('\\')));
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("joined patterns, any case")
            << "*.htm;*.html;*.shtml;*.map" << QStringList{"a.HTM", "b.html", "c.Shtml", "d.map"};
        QTest::newRow("one pattern") << "*.TXT" << QStringList{"e.txt"};
        QTest::newRow("blank parts ignored") << " *.map ; ;" << QStringList{"d.map"};
        QTest::newRow("every name")
            << "*.*"
            << QStringList{"a.HTM", "b.html", "c.Shtml", "d.map", "e.txt", "f.htm.bak", "noext"};
        QTest::newRow("question mark") << "?.map" << QStringList{"d.map"};
        QTest::newRow("nothing") << "" << QStringList{};
    }
    void patterns()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        const QStringList names = {"a.HTM", "b.html",    "c.Shtml", "d.map",
                                   "e.txt", "f.htm.bak", "noext"};
        QCOMPARE(Shown(names, Patterns(filter)), shown);
    }

    void joinedPaths_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QString>("text");
        QTest::newRow("root") << "C:\\"
                              << "C:\\x.tsk"
                              << "C:\\";
        QTest::newRow("folder") << "C:\\a"
                                << "C:\\a\\x.tsk"
                                << "C:\\a\\";
        QTest::newRow("trailing blank") << "C:\\a\\ "
                                        << "C:\\a\\ \\x.tsk"
                                        << "C:\\a\\ ";
    }
    void joinedPaths()
    {
        QFETCH(QString, folder);
        QFETCH(QString, joined);
        QFETCH(QString, text);
        QCOMPARE(Joined(folder, QStringLiteral("x.tsk")), joined);
        QCOMPARE(FolderText(folder), text);
    }

    void drives()
    {
        QCOMPARE(Drives(), (QStringList{"C:", "Z:"}));
        QCOMPARE(DriveOf(QStringLiteral("z:\\tmp")), QStringLiteral("Z:"));
        QCOMPARE(DriveOf(QStringLiteral("C:\\")), QStringLiteral("C:"));
        // A relative path lies on the current directory's drive (the test
        // runs inside its home, drive C:).
        QCOMPARE(DriveOf(QStringLiteral("sub")), QStringLiteral("C:"));
    }

    void typedPaths_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("path");
        const QString home = QDir::homePath();
        QTest::newRow("program path trimmed") << "  C:\\a\\b.tsk "
                                              << "C:\\a\\b.tsk";
        QTest::newRow("Linux path in the home") << home + "/a/b.tsk"
                                                << "C:\\a\\b.tsk";
        QTest::newRow("Linux path elsewhere") << "/tmp/x.inp"
                                              << "Z:\\tmp\\x.inp";
        QTest::newRow("Linux root") << " /"
                                    << "Z:\\";
        QTest::newRow("relative name") << "b.tsk"
                                       << "b.tsk";
    }
    void typedPaths()
    {
        QFETCH(QString, typed);
        QFETCH(QString, path);
        QCOMPARE(ProgramPath(typed), path);
    }

    // The installer passes its start folder with "\ " at the end.
    void startFolderTrimmed()
    {
        QCOMPARE(StartFolder(QStringLiteral("C:\\kelpa\\ ")), QStringLiteral("C:\\kelpa\\"));
        QVERIFY(platform::DirExists(StartFolder(QStringLiteral("C:\\ "))));
    }

    void folderNames()
    {
        QDir().mkpath(QStringLiteral("sub"));
        QVERIFY(NamesFolder(QStringLiteral("sub")));
        QVERIFY(NamesFolder(QStringLiteral("missing\\")));
        QVERIFY(!NamesFolder(QStringLiteral("missing")));
        QVERIFY(!NamesFolder(QString()));
    }
};

KELPA_TEST_MAIN(TestChooserRules)
#include "test_chooser_rules.moc"
