// The list of unfinished work KELPA.NOT: one record at a time, the completion
// at the end of a run, the partial files it removes, and the recovery after
// an abrupt end.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/StatusLine.h"
#include "platform/files/Files.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "transfer/FormHTTP.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

using namespace testsupport;
using namespace KELPA;

namespace {

const QByteArray Done = "http://h/done.htm\r\ndone.htm\r\n";
const QByteArray A = "http://h/a.htm\r\na.htm\r\n";
const QByteArray B = "http://h/b.htm\r\nb.htm\r\n";
const QByteArray StartRecord = "http://h/\r\nindex.htm\r\n";
const QByteArray X = "http://h/x.gif\r\nx.gif\r\n";
const QByteArray Y = "http://h/y.gif\r\ny.gif\r\n";
const QByteArray BlankUrl = "\r\nblank.htm\r\n";
const QByteArray Current = "http://h/cur.htm\r\ncur.htm\r\n";
const QByteArray Searched = "http://h/page.htm\r\npage.htm\r\n";

// Marks a list that does not exist at all.
const QByteArray Missing = "<missing>";

void WriteList(const char* name, const QByteArray& bytes)
{
    if (bytes != Missing)
        WriteFile(QLatin1String(name), bytes);
}

// The run's state at its end: reading LINKS0.INP (its first record already
// read), collecting into LINKS1.INP, the last transfer finished normally.
void RunAtItsEnd(const QByteArray& currentList, const QByteArray& nextList)
{
    ResetRunDefaults();
    QDir().mkpath(QStringLiteral("site"));
    Directory = platform::CurDir() + QStringLiteral("\\site\\");
    WriteFile(QStringLiteral("LINKS0.INP"), currentList);
    WriteFile(QStringLiteral("LINKS1.INP"), nextList);
    ListFile = QStringLiteral("LINKS0.INP");
    NextListFile = QStringLiteral("LINKS1.INP");
    ListFileNumber = static_cast<int16_t>(platform::FreeFile());
    QCOMPARE(platform::Open(ListFile, platform::OpenMode::Input, ListFileNumber), 0);
    QString line;
    platform::LineInput(ListFileNumber, line);
    platform::LineInput(ListFileNumber, line);
    Depth = 2;
    SkipFirstRecord = 1;
    CancelConfirmAnswer = CancelAnswer = 0;
    AnalyseOnStop = 0;
    NoSite.clear();
    OnlySiteRun.clear();
    Exclude.clear();
    Unrestricted = 0;
    LogAllMessages = 0;
    ContinueSearch = 0;
    CompletionDone = 0;
    FileComplete = 1;
    AbortTransfer = 0;
    Running = 0;
    SaveHTML = 1;
    HasStatusLine = 0;
    Protocol = QStringLiteral("http://");
    SubDirectories = 0;
    FileDirectory.clear();
    FileName = QStringLiteral("cur.htm");
    LocalFileName.clear();
    SavedLink = QStringLiteral("http://h/page.htm");
    SavedFileName = QStringLiteral("page.htm");
    BytesReceived = 12;
    UrlsLeft = 10;
    FormHTTP& http = FormHTTP::Instance();
    http.SetCaption(QStringLiteral(" "));
    http.Text1->setText(QStringLiteral("http://h/cur.htm"));
}

} // namespace

class TestUnfinishedList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteLaden(QStringLiteral("english")); }

    void init() { EnterTestFolder(); }

    void cleanup() { platform::CloseAllFiles(); }

    void completionWritesWhatIsLeft_data()
    {
        QTest::addColumn<QByteArray>("currentList");
        QTest::addColumn<QByteArray>("nextList");
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("skipFirst");
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::addColumn<int>("completionDone");

        QTest::newRow("rest of the list, then the next level without its start record")
            << Done + A + B << StartRecord + X + Y << 2 << 1 << A + B + X + Y << 1;
        QTest::newRow("depth 1 does not read the next level")
            << Done + A << StartRecord + X << 1 << 1 << A << 1;
        QTest::newRow("no start record to skip") << Done << X + Y << 0 << 0 << X + Y << 1;
        QTest::newRow("a record without URL is not written")
            << Done + BlankUrl + A << StartRecord + BlankUrl << 2 << 1 << A << 1;
        QTest::newRow("lists worked through write nothing")
            << QByteArray() << QByteArray() << 2 << 1 << QByteArray() << 1;
    }

    void completionWritesWhatIsLeft()
    {
        QFETCH(QByteArray, currentList);
        QFETCH(QByteArray, nextList);
        QFETCH(int, depth);
        QFETCH(int, skipFirst);
        QFETCH(QByteArray, notLoaded);
        QFETCH(int, completionDone);
        RunAtItsEnd(currentList, nextList);
        Depth = static_cast<int16_t>(depth);
        SkipFirstRecord = static_cast<int16_t>(skipFirst);
        FormKelpa::Instance().Vervollstaendigen();
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), notLoaded);
        QCOMPARE(CompletionDone, int16_t(completionDone));
        QCOMPARE(FormHTTP::Instance().Caption(), LanguageText[295]);
        QVERIFY(!platform::IsOpen(ListFileNumber));
    }

    void theInterruptedFileComesFirst_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("evaluationComplete");
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::addColumn<QString>("loggedName");

        QTest::newRow("file cut off") << QStringLiteral(" ") << 1 << Current + A << "cur.htm";
        QTest::newRow("link search cut off")
            << QStringLiteral(" ") << 0 << Searched + A << "page.htm";
        QTest::newRow("aborted and kept by the driver")
            << QStringLiteral("Transfer interrupted by Break") << 1 << A << QString();
        QTest::newRow("link search aborted and dropped")
            << QStringLiteral("Break!") << 0 << A << QString();
    }

    // An aborted file is the driver's to record; the completion records the
    // file only when the run ended in the middle of it.
    void theInterruptedFileComesFirst()
    {
        QFETCH(QString, caption);
        QFETCH(int, evaluationComplete);
        QFETCH(QByteArray, notLoaded);
        QFETCH(QString, loggedName);
        RunAtItsEnd(Done + A, QByteArray());
        FileComplete = 0;
        AsyncSignal.clear();
        EvaluationComplete = static_cast<int16_t>(evaluationComplete);
        FormHTTP::Instance().SetCaption(caption);
        FormKelpa::Instance().Vervollstaendigen();
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), notLoaded);
        const QString log = loggedName.isEmpty()
                                ? QString()
                                : QStringLiteral("-> ") + Directory + loggedName +
                                      QStringLiteral(" 12 bytes transferred, transfer "
                                                     "incomplete!\r\n");
        QCOMPARE(QString::fromUtf8(ReadFile(QStringLiteral("KELPA.LOG"))), log);
    }

    void stoppedRunsAndCancelledCompletions_data()
    {
        QTest::addColumn<int>("analyseOnStop");
        QTest::addColumn<int>("stopRun");
        QTest::addColumn<int>("cancel");
        QTest::addColumn<QString>("noSite");
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::addColumn<int>("completionDone");
        QTest::addColumn<QString>("log");

        QTest::newRow("restrictions asked, run not stopped: rest of the list left out")
            << 1 << 0 << 0 << QString() << X << 1 << QString();
        QTest::newRow("restrictions asked after a stop: records pass them")
            << 1 << 1 << 0 << QString() << A + B + X << 1 << QString();
        QTest::newRow("restrictions asked after a stop: excluded records left out")
            << 1 << 1 << 0 << QStringLiteral("h/a") << B + X << 1
            << QStringLiteral("AnalyseOnStop: http://h/a.htm Exclusion!\r\n");
        QTest::newRow("completion cancelled")
            << 0 << 0 << 6 << QString() << QByteArray() << 0 << QString();
    }

    void stoppedRunsAndCancelledCompletions()
    {
        QFETCH(int, analyseOnStop);
        QFETCH(int, stopRun);
        QFETCH(int, cancel);
        QFETCH(QString, noSite);
        QFETCH(QByteArray, notLoaded);
        QFETCH(int, completionDone);
        QFETCH(QString, log);
        RunAtItsEnd(Done + A + B, StartRecord + X);
        AnalyseOnStop = static_cast<int16_t>(analyseOnStop);
        StopRun = static_cast<int16_t>(stopRun);
        CancelConfirmAnswer = static_cast<int16_t>(cancel);
        NoSite = noSite;
        LogAllMessages = 1;
        FormKelpa& form = FormKelpa::Instance();
        form.Vervollstaendigen();
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), notLoaded);
        QCOMPARE(CompletionDone, int16_t(completionDone));
        QVERIFY(form.cursor().shape() != Qt::WaitCursor);
        const QString written = QString::fromUtf8(ReadFile(QStringLiteral("KELPA.LOG")));
        QCOMPARE(written.count(QStringLiteral("AnalyseOnStop: ")), log.isEmpty() ? 0 : 1);
        QVERIFY2(written.contains(log), qPrintable(written));
    }

    void partialFiles_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("saveHtml");
        QTest::addColumn<int>("hasStatusLine");
        QTest::addColumn<bool>("deleted");

        QTest::newRow("empty file") << "local" << QByteArray() << 1 << 0 << true;
        QTest::newRow("page, pages not kept")
            << "local" << QByteArray("\r\n  <html>") << 0 << 0 << true;
        QTest::newRow("page, pages kept") << "local" << QByteArray("<html>") << 1 << 0 << false;
        QTest::newRow("page with status line")
            << "local" << QByteArray("<html>") << 0 << 1 << false;
        QTest::newRow("tag at the fourth place")
            << "local" << QByteArray("abc<b>") << 0 << 0 << true;
        QTest::newRow("text") << "local" << QByteArray("hello <b>") << 0 << 0 << false;
        QTest::newRow("searched page, tag second")
            << "saved" << QByteArray("a<html>") << 0 << 0 << true;
        QTest::newRow("searched page, tag third")
            << "saved" << QByteArray("ab<html>") << 0 << 0 << false;
        QTest::newRow("searched page, empty") << "saved" << QByteArray() << 1 << 0 << true;
    }

    void partialFiles()
    {
        QFETCH(QString, which);
        QFETCH(QByteArray, content);
        QFETCH(int, saveHtml);
        QFETCH(int, hasStatusLine);
        QFETCH(bool, deleted);
        RunAtItsEnd(QByteArray(), QByteArray());
        WriteFile(QStringLiteral("site/part.htm"), content);
        SaveHTML = static_cast<int16_t>(saveHtml);
        HasStatusLine = static_cast<int16_t>(hasStatusLine);
        if (which == QLatin1String("local"))
            LocalFileName = Directory + QStringLiteral("part.htm");
        else
            SavedFileName = QStringLiteral("part.htm");
        FormKelpa::Instance().Vervollstaendigen();
        QCOMPARE(!QFile::exists(QStringLiteral("site/part.htm")), deleted);
    }

    void anEarlierCopyIsNoPartialFile_data()
    {
        QTest::addColumn<QString>("which");
        QTest::addColumn<int>("subDirectories");
        QTest::newRow("file of the last transfer") << "local" << 0;
        QTest::newRow("same file named as the page searched") << "saved" << 0;
        QTest::newRow("file of the last transfer in its folder") << "local" << 1;
    }

    // A re-fetch that received nothing leaves the copy an earlier run saved,
    // even where pages are not kept.
    void anEarlierCopyIsNoPartialFile()
    {
        QFETCH(QString, which);
        QFETCH(int, subDirectories);
        RunAtItsEnd(QByteArray(), QByteArray());
        const QByteArray earlier = "<html>saved by the run before</html>\r\n";
        const QString folder = subDirectories == 1 ? QStringLiteral("h_80\\") : QString();
        QDir().mkpath(QStringLiteral("site/h_80"));
        WriteFile(subDirectories == 1 ? QStringLiteral("site/h_80/d.html")
                                      : QStringLiteral("site/d.html"),
                  earlier);
        SaveHTML = 0;
        SubDirectories = static_cast<int16_t>(subDirectories);
        BytesReceived = 0;
        LocalFileName = Directory + folder + QStringLiteral("d.html");
        if (which == QLatin1String("saved"))
            SavedFileName = QStringLiteral("d.html");
        FormKelpa::Instance().Vervollstaendigen();
        QCOMPARE(ReadFile(platform::ToLinuxPath(LocalFileName)), earlier);
    }

    // Names that lead out of the download directory never lose a file.
    void partialFilesOutsideTheDownloadDirectoryStay()
    {
        RunAtItsEnd(QByteArray(), QByteArray());
        WriteFile(QStringLiteral("outside.htm"), "");
        WriteFile(QStringLiteral("other.htm"), "");
        LocalFileName = platform::CurDir() + QStringLiteral("\\outside.htm");
        SavedFileName = QStringLiteral("..\\other.htm");
        FormKelpa::Instance().Vervollstaendigen();
        QVERIFY(QFile::exists(QStringLiteral("outside.htm")));
        QVERIFY(QFile::exists(QStringLiteral("other.htm")));
    }

    void eachRecordCountsOffTheStatusLine_data()
    {
        QTest::addColumn<QString>("shown");
        QTest::newRow("status line shown") << ComposeStatusLine({QString(), 5, 1, 1, 10, 10});
        QTest::newRow("nothing shown") << QString();
        QTest::newRow("no count in it") << QStringLiteral("Links without a bar");
    }

    void eachRecordCountsOffTheStatusLine()
    {
        QFETCH(QString, shown);
        RunAtItsEnd(QByteArray(), QByteArray());
        UrlsLeft = 5;
        FormKelpa& form = FormKelpa::Instance();
        form.SetStatusText(shown);
        form.Nichtgeladen();
        QCOMPARE(UrlsLeft, 4);
        QVERIFY2(form.StatusText().contains(QStringLiteral(" Links  4     ||")),
                 qPrintable(form.StatusText()));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Current);
    }

    void recoveryMergesEveryPendingList_data()
    {
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::addColumn<QByteArray>("complete");
        QTest::addColumn<QByteArray>("links0");
        QTest::addColumn<QByteArray>("links1");
        QTest::addColumn<QByteArray>("merged");

        QTest::newRow("all four, in this order") << A << B << X << Y << A + B + X + Y;
        QTest::newRow("empty and missing lists add nothing")
            << Missing << QByteArray() << X << Missing << X;
        QTest::newRow("old list kept when nothing else is pending")
            << A << Missing << QByteArray() << Missing << A;
        QTest::newRow("nothing pending")
            << Missing << Missing << Missing << Missing << QByteArray();
        QTest::newRow("LF lines come back with CR LF")
            << QByteArray("http://h/a.htm\na.htm\n") << Missing << Missing << Missing << A;
        // The states an abrupt end can leave the lists in: each record once,
        // the first time the merge comes to it.
        QTest::newRow("idle after choosing Continue")
            << A + B + X << A + B + X << QByteArray() << Missing << A + B + X;
        QTest::newRow("completion run cut short: failed records, the whole list, links")
            << B << A + B + X << Y + A << Missing << B + A + X + Y;
        QTest::newRow("new search cut short: failed records, two levels")
            << X << QByteArray() << StartRecord + X + Y << A + X << X + StartRecord + Y + A;
        QTest::newRow("run ended by Cancel: the rest of its lists written and kept")
            << Y + A << Missing << X + Y << A << Y + A + X;
        QTest::newRow("a record twice in one list") << A + A << Missing << Missing << A << A;
        QTest::newRow("URL case and blanks around lines make no other record")
            << A << QByteArray("HTTP://H/A.HTM\r\na.htm\r\n http://h/a.htm \r\na.htm \r\n")
            << Missing << Missing << A;
        QTest::newRow("records that differ in a name or a URL are all kept")
            << A
            << QByteArray("http://h/a.htm\r\nA.htm\r\nhttp://h/a.htm\r\na(1).htm\r\n"
                          "http://h/a.htm?b\r\na.htm\r\nhttp://h/a.htm\r\n\r\n")
            << Missing << Missing
            << A + "http://h/a.htm\r\nA.htm\r\nhttp://h/a.htm\r\na(1).htm\r\n"
                   "http://h/a.htm?b\r\na.htm\r\nhttp://h/a.htm\r\n\r\n";
        QTest::newRow("a record cut off after its URL gets an empty name")
            << A + "http://h/cut.htm\r\n"
            << B << Missing << QByteArray("http://h/late.htm")
            << A + "http://h/cut.htm\r\n\r\n" + B + "http://h/late.htm\r\n\r\n";
    }

    void recoveryMergesEveryPendingList()
    {
        QFETCH(QByteArray, notLoaded);
        QFETCH(QByteArray, complete);
        QFETCH(QByteArray, links0);
        QFETCH(QByteArray, links1);
        QFETCH(QByteArray, merged);
        WriteList("KELPA.NOT", notLoaded);
        WriteList("COMPLETE.ENP", complete);
        WriteList("LINKS0.INP", links0);
        WriteList("LINKS1.INP", links1);
        MsgBoxScript boxes;
        boxes.expect(LanguageText[292], platform::vbOK)
            .withStyle(48)
            .withTitle(QStringLiteral("Kelpa"));
        FormKelpa::Instance().Wiederherstellen();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(QFile::exists(QStringLiteral("KELPA.NOT")));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), merged);
        QVERIFY(!QFile::exists(QStringLiteral("~.TMP")));
    }

    // A merge that cannot be written restores nothing and says so.
    void failedRecoveryKeepsTheListAndSaysSo()
    {
        WriteList("KELPA.NOT", A);
        WriteList("LINKS0.INP", X);
        QDir().mkdir(QStringLiteral("~.TMP"));
        const QString failure = QStringLiteral("KELPA.NOT") + LanguageText[110];
        MsgBoxScript boxes;
        boxes.expect(failure, platform::vbOK, MsgBoxScript::Match::Contains)
            .withStyle(48)
            .withTitle(QStringLiteral("Kelpa"));
        FormKelpa::Instance().Wiederherstellen();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), A);
        const QByteArray log = ReadFile(QStringLiteral("KELPA.LOG"));
        QVERIFY(log.contains(failure.toUtf8()));
        QVERIFY(!log.contains("restored"));
        QVERIFY(QFileInfo(QStringLiteral("~.TMP")).isDir());
    }
};

KELPA_TEST_MAIN(TestUnfinishedList)
#include "test_unfinished_list.moc"
