// The example task: its bytes in both languages, start-up writing it only
// when missing and going on when it cannot, and the main window reading it.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "tools/ExampleTask.h"
#include "transfer/FormHTTP.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace testsupport;

namespace {

const QByteArray EnglishComments =
    "Comment1=This 'Example Task' will download the complete 'www.kelpa.example' site (appr. "
    "1.6 MB).\r\n"
    "Comment2=After that the pages can be viewed off-line (click on the menu 'Special' or "
    "simply\r\n"
    "Comment3=use the Windows Explorer).\r\n"
    "Comment4= \r\n"
    "Comment5=Read the 'Options' to learn how the program works. When you are connected to the "
    "Internet\r\n"
    "Comment6=you can start the Download by clicking on the 'Go' icon or pressing the "
    "'F5'-key.\r\n";

const QByteArray GermanComments =
    "Comment1=Dieser 'Beispiel-Task' l\xC3\xA4"
    "dt die komplette 'www.kelpa.example'-Homepage "
    "(ca. 1,6 MB).\r\n"
    "Comment2=Die Seiten k\xC3\xB6nnen anschlie\xC3\x9f"
    "end 'offline' betrachtet werden "
    "(\xC3\xBC"
    "ber das Men\xC3\xBC 'Extras'\r\n"
    "Comment3=oder einfach aus dem Windows-Explorer heraus).\r\n"
    "Comment4=Lesen Sie die 'Einstellungen', um die Arbeitsweise des Programms "
    "kennenzulernen.\r\n"
    "Comment5=Wenn eine Verbindung zum Internet besteht, brauchen Sie nur noch auf das \r\n"
    "Comment6='Gehen'-Symbol zu klicken oder die Taste 'F5' zu dr\xC3\xBC"
    "cken um den "
    "Ladevorgang zu starten.\r\n";

QByteArray Keys(const QByteArray& language)
{
    return "UseList=0\r\n"
           "TaskURL=http://www.kelpa.example\r\n"
           "AcceptMetaRefresh=0\r\n"
           "AcceptRelocation=1\r\n"
           "Depth=0\r\n"
           "Directory=Test_Task\r\n"
           "Exclude=EXE ZIP\r\n"
           "eMailAddresses=0\r\n"
           "Images=1\r\n"
           "Language=" +
           language +
           "\r\n"
           "LocalBrowsing=1\r\n"
           "LongFilenames=1\r\n"
           "MaxFileSize=0\r\n"
           "MaxkBytes=0\r\n"
           "MinFileSize=0\r\n"
           "NoSite=\r\n"
           "OnlySite=kelpa\r\n"
           "Picture=\r\n"
           "RestHome=0\r\n"
           "SaveHTML=1\r\n"
           "ShowEdit=0\r\n"
           "ShowOptions=1\r\n"
           "ShowProtocol=1\r\n"
           "ShowToolbar=1\r\n"
           "SubDirectories=1\r\n"
           "Timeout=120\r\n"
           "TimeProcs=20 min,60 min,8.0 h\r\n"
           "UserIcon=\r\n"
           "UserTitle=Test\r\n"
           "Accept=image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, image/x-jg, */*\r\n"
           "ConnectBlocking=0\r\n"
           "Connection=Keep-Alive\r\n"
           "GetHostByNameBlocking=1\r\n"
           "HeadLine=<!-- modified by Kelpa 5.0 (http://www.kelpa.example/) -->\r\n"
           "Host=\r\n"
           "IfModifiedSince=\r\n"
           "LogAllMessages=0\r\n"
           "RecvBlocking=0\r\n"
           "RecvBuffer=1024\r\n"
           "Referer=\r\n"
           "RefreshHTML=0\r\n"
           "SendBlocking=0\r\n"
           "UserAgent=Kelpa 5.0 (http://www.kelpa.example/)\r\n";
}

const QByteArray English = EnglishComments + Keys("english");
const QByteArray German = GermanComments + Keys("deutsch");

// Starts the program in a fresh folder holding files; true when it went on.
bool StartIn(const QString& folder, const QByteArray& ini)
{
    EnterFreshFolder(folder);
    WriteFile(QStringLiteral("KELPA.INI"), ini);
    MsgBoxScript boxes;
    const bool ended = StartProgram();
    platform::ReleaseLockFile();
    return !ended && boxes.verify();
}

} // namespace

class TestExampleTask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        TexteEnglisch();
        platform::setTestEnding(true);
    }

    void writtenByteForByte_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("english") << QStringLiteral("english") << English;
        QTest::newRow("deutsch") << QStringLiteral("deutsch") << German;
        QTest::newRow("Deutsch in capitals is English") << QStringLiteral("Deutsch") << English;
        QTest::newRow("deutsch with a blank is English") << QStringLiteral("deutsch ") << English;
        QTest::newRow("no language") << QString() << English;
    }
    void writtenByteForByte()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, bytes);
        EnterTestFolder();
        WriteFile(QStringLiteral("TEST.TSK"), "old text that is longer than nothing\r\n");
        QCOMPARE(tools::WriteExampleTask(QStringLiteral("TEST.TSK"), language), 0);
        QCOMPARE(ReadFile(QStringLiteral("TEST.TSK")), bytes);
    }

    void aFolderInTheWayIsAnError()
    {
        EnterTestFolder();
        QVERIFY(QDir().mkdir(QStringLiteral("TEST.TSK")));
        QVERIFY(tools::WriteExampleTask(QStringLiteral("TEST.TSK"), QStringLiteral("english")) !=
                0);
    }

    void startUpWritesItWhenMissing_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("english") << QByteArray("Language=english\r\nDepth=1\r\n") << English;
        QTest::newRow("deutsch") << QByteArray("Language=deutsch\r\nDepth=1\r\n") << German;
    }
    void startUpWritesItWhenMissing()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, bytes);
        QVERIFY(StartIn(QStringLiteral("missing-") + QString::fromLatin1(QTest::currentDataTag()),
                        ini));
        QCOMPARE(ReadFile(QStringLiteral("TEST.TSK")), bytes);
        TexteEnglisch();
    }

    // A task of that name in another letter case is the same file here: it
    // stays as the user left it, and no second one appears beside it.
    void startUpKeepsATaskOfThatName()
    {
        EnterFreshFolder(QStringLiteral("kept"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=1\r\n");
        WriteFile(QStringLiteral("test.tsk"), "Depth=3\r\n");
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        platform::ReleaseLockFile();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("test.tsk")), QByteArray("Depth=3\r\n"));
        QVERIFY(!QFile::exists(QStringLiteral("TEST.TSK")));
    }

    void startUpGoesOnWhenItCannotWrite()
    {
        EnterFreshFolder(QStringLiteral("blocked"));
        WriteFile(QStringLiteral("KELPA.INI"), "Language=english\r\nDepth=1\r\n");
        QVERIFY(QDir().mkdir(QStringLiteral("TEST.TSK")));
        MsgBoxScript boxes;
        QVERIFY(!StartProgram());
        platform::ReleaseLockFile();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(QFileInfo(QStringLiteral("TEST.TSK")).isDir());
    }

    // The main window reads the example as any task: its comments logged,
    // its settings and scheduler labels taken.
    void theMainWindowReadsItBack()
    {
        QVERIFY(StartIn(QStringLiteral("read-back"), "Language=english\r\nDepth=1\r\n"));
        FormKelpa& form = FormKelpa::Instance();
        KELPA::TaskFile = QStringLiteral("TEST.TSK");
        MsgBoxScript boxes;
        form.TaskLesen();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(KELPA::Depth, int16_t(0));
        QCOMPARE(KELPA::OnlySite, QStringLiteral("kelpa"));
        QCOMPARE(KELPA::Exclude, QStringLiteral("EXE ZIP"));
        QCOMPARE(KELPA::Directory, QStringLiteral("Test_Task"));
        QCOMPARE(KELPA::Timeout, int16_t(120));
        QCOMPARE(KELPA::TaskURL, QStringLiteral("http://www.kelpa.example"));
        QCOMPARE(form.Repeat->text(), QStringLiteral("20 min"));
        QCOMPARE(form.Dauer->text(), QStringLiteral("60 min"));
        QCOMPARE(form.Zeit->text(), QStringLiteral("8.0 h"));
        QVERIFY(KELPA::Comment[6].startsWith(
            QStringLiteral("This 'Example Task' will download the complete 'www.kelpa.example'")));
        QVERIFY(KELPA::Comment[6].contains(QStringLiteral("Explorer).\r\n\r\nRead the")));
        QVERIFY(ReadFile(QStringLiteral("KELPA.LOG")).contains("pressing the 'F5'-key."));
        KELPA::TaskFile.clear();
    }
};

KELPA_TEST_MAIN(TestExampleTask)
#include "test_example_task.moc"
