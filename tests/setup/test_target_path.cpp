// The installation directory from the text the user typed, its folder
// levels, and the paths the program group could not name.

#include "setup/TargetPath.h"
#include "tests/support/TestMain.h"

using namespace setup;

class TestTargetPath : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void targetDirectory_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("expected");
        const QString cur = QStringLiteral("C:\\setup");
        QTest::newRow("default") << "C:\\Program Files\\Kelpa\\" << cur
                                 << "C:\\Program Files\\Kelpa\\";
        QTest::newRow("backslash appended")
            << "C:\\Programme\\Kelpa" << cur << "C:\\Programme\\Kelpa\\";
        QTest::newRow("blanks trimmed") << "  C:\\x  " << cur << "C:\\x\\";
        QTest::newRow("relative") << "Tools\\Kelpa" << cur << "C:\\setup\\Tools\\Kelpa\\";
        QTest::newRow("leading backslash")
            << "\\Tools\\Kelpa" << cur << "C:\\setup\\Tools\\Kelpa\\";
        QTest::newRow("empty") << "" << cur << "C:\\setup\\";
        QTest::newRow("blanks only") << "   " << cur << "C:\\setup\\";
        QTest::newRow("drive root") << "C:\\" << cur << "C:\\";
        QTest::newRow("other drive") << "D:\\x" << cur << "D:\\x\\";
        QTest::newRow("current folder as prefix") << "C:\\setup\\sub" << cur << "C:\\setup\\sub\\";
        QTest::newRow("prefix in other case") << "c:\\SETUP\\sub" << cur << "c:\\SETUP\\sub\\";
        QTest::newRow("relative at a drive root") << "Kelpa"
                                                  << "Z:\\"
                                                  << "Z:\\Kelpa\\";
        QTest::newRow("backslash at a drive root") << "\\Kelpa"
                                                   << "Z:\\"
                                                   << "Z:\\Kelpa\\";
        QTest::newRow("empty at a drive root") << ""
                                               << "Z:\\"
                                               << "Z:\\";
        QTest::newRow("deep current folder") << "k"
                                             << "Z:\\tmp\\a b"
                                             << "Z:\\tmp\\a b\\k\\";
    }
    void targetDirectory()
    {
        QFETCH(QString, text);
        QFETCH(QString, current);
        QFETCH(QString, expected);
        QCOMPARE(TargetDirectory(text, current), expected);
    }

    void directoryLevels_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QStringList>("levels");
        QTest::newRow("default") << "C:\\Program Files\\Kelpa\\"
                                 << QStringList{"C:", "C:\\Program Files",
                                                "C:\\Program Files\\Kelpa"};
        QTest::newRow("drive root") << "C:\\" << QStringList{"C:"};
        QTest::newRow("one level") << "Z:\\tmp\\" << QStringList{"Z:", "Z:\\tmp"};
        QTest::newRow("without backslash") << "C:\\a\\b" << QStringList{"C:", "C:\\a", "C:\\a\\b"};
    }
    void directoryLevels()
    {
        QFETCH(QString, directory);
        QFETCH(QStringList, levels);
        QCOMPARE(DirectoryLevels(directory), levels);
    }

    void refusedPaths_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain") << "C:\\Program Files\\Kelpa\\" << false;
        QTest::newRow("umlaut and symbols") << "C:\\Prögramme\\%$`'\\" << false;
        QTest::newRow("double quote") << "C:\\a\"b\\" << true;
        QTest::newRow("line feed") << "C:\\a\nb\\" << true;
        QTest::newRow("tab") << "C:\\a\tb\\" << true;
        QTest::newRow("delete character") << QStringLiteral("C:\\a\x7f\\") << true;
    }
    void refusedPaths()
    {
        QFETCH(QString, directory);
        QFETCH(bool, refused);
        QCOMPARE(TargetPathRefused(directory), refused);
    }
};

KELPA_TEST_MAIN(TestTargetPath)
#include "test_target_path.moc"
