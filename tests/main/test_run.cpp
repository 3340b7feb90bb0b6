// The download run: levels and the lists each pass leaves, the directory
// check, the filter of loaded pages, and the end of a level.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "tests/main/RunFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>

using namespace testsupport;
using namespace KELPA;

class TestRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void levelsByDepth_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QStringList>("fetched");
        QTest::addColumn<QStringList>("readFrom");
        QTest::addColumn<QByteArray>("firstListRead");
        QTest::addColumn<bool>("depthReached");

        QTest::newRow("depth 1: the start page and its links")
            << 1 << Urls({"index.html", "a.html", "b.html"})
            << QStringList{QStringLiteral("start"), QStringLiteral("LINKS0.INP"),
                           QStringLiteral("LINKS0.INP")}
            << Records({"a.html", "b.html"}) << true;
        QTest::newRow("depth 2: the start record heads the list and is skipped")
            << 2 << Urls({"index.html", "a.html", "b.html", "c.html", "d.html"})
            << QStringList{QStringLiteral("start"), QStringLiteral("LINKS0.INP"),
                           QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),
                           QStringLiteral("LINKS1.INP")}
            << Records({"index.html", "a.html", "b.html"}) << true;
        QTest::newRow("depth 3: one level more")
            << 3 << Urls({"index.html", "a.html", "b.html", "c.html", "d.html", "e.html"})
            << QStringList{QStringLiteral("start"),      QStringLiteral("LINKS0.INP"),
                           QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),
                           QStringLiteral("LINKS1.INP"), QStringLiteral("LINKS0.INP")}
            << Records({"index.html", "a.html", "b.html"}) << true;
        QTest::newRow("depth 0: until a level finds no links")
            << 0 << Urls({"index.html", "a.html", "b.html", "c.html", "d.html", "e.html"})
            << QStringList{QStringLiteral("start"),      QStringLiteral("LINKS0.INP"),
                           QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),
                           QStringLiteral("LINKS1.INP"), QStringLiteral("LINKS0.INP")}
            << Records({"index.html", "a.html", "b.html"}) << false;
    }

    // Each pass reads the list the previous one wrote, intact although the
    // run copies a list onto itself; links already loaded or listed are not
    // listed again; consumed lists are left empty.
    void levelsByDepth()
    {
        QFETCH(int, depth);
        QFETCH(QStringList, fetched);
        QFETCH(QStringList, readFrom);
        QFETCH(QByteArray, firstListRead);
        QFETCH(bool, depthReached);
        PrepareRun(Url(QStringLiteral("index.html")), static_cast<int16_t>(depth));
        MsgBoxScript boxes;
        TransferDouble transfer(LevelSite());
        QStringList lists;
        QByteArray firstList;
        transfer.during = [&](const QString&) {
            const bool start = StartDepth == LevelsLeft && ContinueSearch == 0;
            lists.append(start ? QStringLiteral("start") : ListFile);
            if (!start && firstList.isEmpty())
                firstList = ReadFile(ListFile);
        };
        QVERIFY(!StartRun());
        QCOMPARE(transfer.fetched, fetched);
        QCOMPARE(lists, readFrom);
        QCOMPARE(firstList, firstListRead);
        QByteArray got;
        for (const QString& url : fetched)
            got += url.toUtf8() + "\r\n" + url.mid(12).toUtf8() + "\r\n";
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), got);
        QCOMPARE(ReadFile(QStringLiteral("LINKS0.INP")), QByteArray());
        QCOMPARE(ReadFile(QStringLiteral("LINKS1.INP")), QByteArray());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), QByteArray());
        QCOMPARE(ReadFile(QStringLiteral("site/b.html")), QByteArray("<html>b</html>"));
        QCOMPARE(Log().contains("The value 'Depth' for the level of parsing links is reached!"),
                 depthReached);
        QCOMPARE(FormHTTP::Instance().Caption(), QStringLiteral("Ready! "));
        QCOMPARE(Running, int16_t(0));
        QVERIFY(FormKelpa::Instance().CommandStart->isEnabled());
        QVERIFY(!FormKelpa::Instance().CommandStop->isEnabled());
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    // After a run the boxes show its start, not the last file fetched: a
    // task saved then names the start URL, and Start begins there again.
    void theStartShowsAgainAfterARun()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        MsgBoxScript boxes;
        TransferDouble transfer(LevelSite());
        QString shownDuringTheRun;
        transfer.during = [&](const QString&) {
            shownDuringTheRun = FormHTTP::Instance().Text1->text();
        };
        QVERIFY(!StartRun());
        QCOMPARE(shownDuringTheRun, Url(QStringLiteral("b.html")));
        FormHTTP& http = FormHTTP::Instance();
        QCOMPARE(http.Text1->text(), Url(QStringLiteral("index.html")));
        QCOMPARE(http.Text2->text(), QStringLiteral("index.html"));
        FormKelpa::Instance().inischreiben(QStringLiteral("job.tsk"));
        QVERIFY(
            ReadFile(QStringLiteral("job.tsk")).contains("\r\nTaskURL=http://site/index.html\r\n"));
        transfer.fetched.clear();
        QVERIFY(!StartRun());
        QCOMPARE(transfer.fetched.value(0), Url(QStringLiteral("index.html")));
        QVERIFY(!QFile::exists(QStringLiteral("site/index(1).html")));
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    void emptyStartUrlFetchesNothing()
    {
        PrepareRun(QString(), 2);
        MsgBoxScript boxes;
        TransferDouble transfer(LevelSite());
        QVERIFY(!StartRun());
        QVERIFY(transfer.fetched.isEmpty());
        QVERIFY(transfer.stackMarks.isEmpty());
        QCOMPARE(FormHTTP::Instance().Caption(), QStringLiteral("Ready! "));
    }

    // FileComplete is 0 at program start and after a transfer that did not
    // end; a run that transfers nothing must not take the URL box for an
    // interrupted file.
    void aRunWithoutTransferLeavesNoUnfinishedFile_data()
    {
        QTest::addColumn<int>("fileComplete");
        QTest::addColumn<qint64>("bytesReceived");
        QTest::newRow("first run of the program") << 0 << qint64(0);
        QTest::newRow("after an interrupted transfer") << 0 << qint64(9);
        QTest::newRow("after a finished transfer") << 1 << qint64(33);
    }

    void aRunWithoutTransferLeavesNoUnfinishedFile()
    {
        QFETCH(int, fileComplete);
        QFETCH(qint64, bytesReceived);
        PrepareRun(QString(), 2);
        FileComplete = static_cast<int16_t>(fileComplete);
        BytesReceived = bytesReceived;
        MsgBoxScript boxes;
        TransferDouble transfer(LevelSite());
        QVERIFY(!StartRun());
        QVERIFY(transfer.fetched.isEmpty());
        QVERIFY(!Log().contains("transfer incomplete"));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), QByteArray());
    }

    // What fails stays in KELPA.NOT at the end; the offer asks about it.
    void endOfLevelLeavesFailuresInNotLoaded()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 2);
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("(1 link: http://site/d.html)"), platform::vbNo,
                    MsgBoxScript::Match::Contains)
            .withStyle(547)
            .withTitle(QStringLiteral("You may now Complete/Continue..."));
        TransferDouble transfer(LevelSite({QStringLiteral("d.html")}));
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Records({"d.html"}));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.BAK")), Records({"d.html"}));
        QVERIFY(FormKelpa::Instance().OptionNew->isChecked());
        QCOMPARE(ContinueSearch, int16_t(0));
        QCOMPARE(transfer.fetched.size(), 5);
    }

    void directoryCheck_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("standard");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("result"); // below the current directory, or absolute

        QTest::newRow("drive, colon, backslash, name") << "C:\\kelpasite"
                                                       << "std" << false << "C:\\kelpasite\\";
        QTest::newRow("relative name") << "mine"
                                       << "std" << false << "mine\\";
        QTest::newRow("second colon") << "C:\\a:b"
                                      << "std" << true << "std\\";
        QTest::newRow("two backslashes") << "C:\\\\a"
                                         << "std" << true << "std\\";
        QTest::newRow("forward slash") << "C:/a"
                                       << "std" << true << "std\\";
        QTest::newRow("star") << "a*b"
                              << "std" << true << "std\\";
        QTest::newRow("question mark") << "a?b"
                                       << "std" << true << "std\\";
        QTest::newRow("double quote") << "a\"b"
                                      << "std" << true << "std\\";
        QTest::newRow("less than") << "a<b"
                                   << "std" << true << "std\\";
        QTest::newRow("greater than") << "a>b"
                                      << "std" << true << "std\\";
        QTest::newRow("bar") << "a|b"
                             << "std" << true << "std\\";
        QTest::newRow("refused without a standard") << "a|b"
                                                    << "" << true << "";
    }

    void directoryCheck()
    {
        QFETCH(QString, directory);
        QFETCH(QString, standard);
        QFETCH(bool, refused);
        QFETCH(QString, result);
        PrepareRun(QString(), 1);
        Directory = directory;
        StandardDirectory = standard;
        MsgBoxScript boxes;
        TransferDouble transfer({});
        QVERIFY(!StartRun());
        QCOMPARE(Log().contains("Error: Bad directory name!"), refused);
        QCOMPARE(DirectoryInvalid, int16_t(refused ? 1 : 0));
        const QString expected = result.startsWith(QLatin1String("C:"))
                                     ? result
                                     : platform::CurDir() + QLatin1Char('\\') + result;
        QCOMPARE(Directory, expected);
        QVERIFY(platform::DirExists(Directory));
    }

    void unusableDirectoryStartsNoRun_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("file"); // a regular file made before the start
        QTest::addColumn<int>("reason");   // its text, or 0: the file is in the way
        QTest::addColumn<bool>("fromTask");
        QTest::addColumn<bool>("duration"); // the task's duration is ticked: the program ends
        QTest::newRow("a file in its place") << "site"
                                             << "site" << 0 << false << false;
        QTest::newRow("a file on its path") << "block\\site"
                                            << "block" << 0 << false << false;
        QTest::newRow("a name too long")
            << QString(300, QLatin1Char('n')) << QString() << 443 << false << false;
        QTest::newRow("started from a task") << "site"
                                             << "site" << 0 << true << false;
        QTest::newRow("a task with a duration") << "site"
                                                << "site" << 0 << true << true;
    }

    // Without a download directory that takes files no run starts: a box (a
    // notice that waits for no click in a task run) and one log line name
    // the folder and the reason, and the lists stay as they were.
    void unusableDirectoryStartsNoRun()
    {
        QFETCH(QString, directory);
        QFETCH(QString, file);
        QFETCH(int, reason);
        QFETCH(bool, fromTask);
        QFETCH(bool, duration);
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        FormKelpa::Instance().CheckDauer->setChecked(duration);
        Directory = directory;
        if (!file.isEmpty())
            WriteFile(file, "a file");
        WriteFile(QStringLiteral("KELPA.NOT"), Records({"a.html"}));
        const QString crlf = QStringLiteral("\r\n");
        const auto& text = LanguageText;
        const QString fault =
            reason != 0
                ? text[reason]
                : platform::FromLinuxPath(QDir::current().absoluteFilePath(file)) + text[441];
        const QString told = text[440] + crlf + platform::CurDir() + '\\' + directory + '\\' +
                             crlf + fault + crlf + text[444];
        QStringList notices;
        const auto before = platform::SetNoticeHandler(
            [&notices](const QString& prompt, int style, const QString&) {
                notices << prompt + '|' + QString::number(style);
            });
        if (fromTask)
            CommandLine = QStringLiteral("night.tsk");
        MsgBoxScript boxes;
        if (!fromTask)
            boxes.expect(told, platform::vbOK).withStyle(16);
        TransferDouble transfer({});
        const bool ended = StartRun();
        CommandLine.clear();
        platform::SetNoticeHandler(before);
        KELPA_VERIFY_MSGBOXES(boxes);
        FormKelpa::Instance().CheckDauer->setChecked(false);
        QCOMPARE(ended, duration);
        QCOMPARE(notices, fromTask ? QStringList{told + "|16"} : QStringList());
        QVERIFY(transfer.fetched.isEmpty());
        QCOMPARE(Running, int16_t(0));
        QVERIFY(FormKelpa::Instance().CommandStart->isEnabled());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Records({"a.html"}));
        QCOMPARE(Log(), (QString(told).replace(crlf, QStringLiteral(" ")) + crlf).toUtf8());
    }

    void refreshOfLoadedPages_data()
    {
        QTest::addColumn<int>("refresh");
        QTest::addColumn<QByteArray>("got");

        QTest::newRow("refresh: only the image record remains")
            << 1 << QByteArray("http://site/pic.gif\r\npic.gif\r\n");
        QTest::newRow("no refresh: a new empty list") << 0 << QByteArray();
    }

    void refreshOfLoadedPages()
    {
        QFETCH(int, refresh);
        QFETCH(QByteArray, got);
        PrepareRun(QString(), 1);
        RefreshHTML = static_cast<int16_t>(refresh);
        WriteFile(QStringLiteral("KELPA.GOT"), "http://site/index.html\r\nINDEX.HTM\r\n"
                                               "http://site/pic.gif\r\npic.gif\r\n"
                                               "http://site/x.SHTML\r\nx_shtml\r\n");
        WriteFile(QStringLiteral("~.tmp"), "http://stale/\r\nstale\r\n");
        MsgBoxScript boxes;
        TransferDouble transfer({});
        QVERIFY(!StartRun());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), got);
        QCOMPARE(QFile::exists(QStringLiteral("~.tmp")),
                 refresh == 0); // not touched without refresh
    }

    // A new search empties the lists of the old one; a continuation keeps
    // what was loaded and fetches only the records of KELPA.NOT.
    void newSearchAgainstCompletion_data()
    {
        QTest::addColumn<bool>("completion");
        QTest::addColumn<QStringList>("fetched");
        QTest::addColumn<QByteArray>("got");

        QTest::newRow("new search") << false << Urls({"index.html", "a.html", "b.html"})
                                    << Records({"index.html", "a.html", "b.html"});
        QTest::newRow("completion")
            << true << Urls({"c.html", "d.html"})
            << Records({"index.html", "a.html", "b.html", "c.html", "d.html"});
    }

    void newSearchAgainstCompletion()
    {
        QFETCH(bool, completion);
        QFETCH(QStringList, fetched);
        QFETCH(QByteArray, got);
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        WriteFile(QStringLiteral("KELPA.GOT"), Records({"index.html", "a.html", "b.html"}));
        WriteFile(QStringLiteral("KELPA.NOT"), Records({"c.html", "d.html"}));
        Site site = LevelSite();
        site[Url(QStringLiteral("c.html"))].links = Urls({"a.html"});
        MsgBoxScript boxes;
        TransferDouble transfer(site);
        if (completion) {
            FormKelpa::Instance().OptionContinue->setChecked(true);
            QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), Records({"c.html", "d.html"}));
            QCOMPARE(UrlsLeft, 2);
        }
        QVERIFY(!StartRun());
        QCOMPARE(transfer.fetched, fetched);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), got);
        QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), QByteArray());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), QByteArray());
        QVERIFY(FormKelpa::Instance().OptionNew->isChecked());
        KELPA_VERIFY_MSGBOXES(boxes);
    }
};

KELPA_TEST_MAIN(TestRun)
#include "test_run.moc"
