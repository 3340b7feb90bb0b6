// The abort of a transfer and the skip command: what is logged, which partial
// file goes, what the answers to the skip question leave for the driver.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace testsupport;
using namespace KELPA;

namespace {

const QString SkipQuestion = QStringLiteral(
    "Transfer/Link-search incomplete!\r\n\r\nDo you want to download (and/or Search for links "
    "in) this file later?");

QString LogText()
{
    return QString::fromUtf8(ReadFile(QStringLiteral("KELPA.LOG")));
}

// A transfer of http://h/page.htm into site\page.htm that has received
// `bytes` bytes of its body; the page's link search runs when searching.
void TransferInProgress(int64_t bytes, bool searching)
{
    QDir().mkpath(QStringLiteral("site"));
    WriteFile(QStringLiteral("site/page.htm"), QByteArray(bytes, 'x'));
    Directory = platform::CurDir() + QStringLiteral("\\site\\");
    FileName = QStringLiteral("page.htm");
    LocalFileName = Directory + FileName;
    SavedLink = QStringLiteral("http://h/page.htm");
    SavedFileName = FileName;
    BytesReceived = bytes;
    EvaluationComplete = searching ? 0 : 1;
    Socket = -1;
    AbortTransfer = 0;
    TransferAborted = 0;
    FormHTTP::Instance().Text1->setText(QStringLiteral("http://h/image.gif"));
}

} // namespace

class TestUnfinishedAbort : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteLaden(QStringLiteral("english")); }

    void init()
    {
        EnterTestFolder();
        FormKelpa& form = FormKelpa::Instance();
        form.CheckStart->setChecked(false);
        form.CommandExit->setEnabled(true);
        Running = 1;
        CancelAnswer = CancelConfirmAnswer = 0;
        TransferVerdict = -1;
        SkipRecord = 0;
        NotLoadedPending = 1;
        UrlsLeft = 3;
    }

    void abortLogsHowFarTheFileCame_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<bool>("searching");
        QTest::addColumn<QString>("log");
        QTest::addColumn<bool>("fileKept");
        QTest::newRow("nothing received")
            << qint64(0) << false << "-> page.htm 0 bytes transferred\r\nBreak!\r\n"
            << false;
        QTest::newRow("part received")
            << qint64(5) << false
            << "-> page.htm 5 bytes transferred\r\nTransfer interrupted by Break\r\n"
            << true;
        QTest::newRow("link search")
            << qint64(0) << true << "-> Searching for Links in page.htm\r\nBreak!\r\n"
            << true;
    }

    void abortLogsHowFarTheFileCame()
    {
        QFETCH(qint64, bytes);
        QFETCH(bool, searching);
        QFETCH(QString, log);
        QFETCH(bool, fileKept);
        TransferInProgress(bytes, searching);
        FormKelpa::Instance().Abbruch();
        QCOMPARE(LogText(), log);
        QCOMPARE(QFile::exists(QStringLiteral("site/page.htm")), fileKept);
        QCOMPARE(AbortTransfer, int16_t(1));
        QCOMPARE(TransferAborted, int16_t(1));
        QCOMPARE(FormHTTP::Instance().Caption(),
                 bytes > 0 && !searching ? LanguageText[293] : LanguageText[294]);
    }

    void abortDeletesOnlyAnEmptyFileOfItsOwn_data()
    {
        QTest::addColumn<QByteArray>("onDisk");
        QTest::addColumn<bool>("delayedStart");
        QTest::addColumn<bool>("fileKept");
        QTest::newRow("empty file of a transfer that got nothing")
            << QByteArray() << false << false;
        QTest::newRow("earlier copy, re-fetch got nothing")
            << QByteArray("<html>first copy</html>\r\n12345") << false << true;
        QTest::newRow("last file of the run before, skip of a delayed start")
            << QByteArray("<html>first</html>") << true << true;
        QTest::newRow("empty last file, skip of a delayed start") << QByteArray() << true << true;
    }

    // What an earlier run saved survives an abort before any byte arrived.
    void abortDeletesOnlyAnEmptyFileOfItsOwn()
    {
        QFETCH(QByteArray, onDisk);
        QFETCH(bool, delayedStart);
        QFETCH(bool, fileKept);
        TransferInProgress(0, false);
        WriteFile(QStringLiteral("site/page.htm"), onDisk);
        FormKelpa& form = FormKelpa::Instance();
        form.CheckStart->setChecked(delayedStart);
        form.Abbruch();
        QCOMPARE(QFile::exists(QStringLiteral("site/page.htm")), fileKept);
        if (fileKept)
            QCOMPARE(ReadFile(QStringLiteral("site/page.htm")), onDisk);
    }

    void anEmptyFileOutsideTheDownloadDirectoryStays()
    {
        TransferInProgress(0, false);
        WriteFile(QStringLiteral("KELPA.INI"), "");
        LocalFileName = Directory + QStringLiteral("..\\KELPA.INI");
        FormKelpa::Instance().Abbruch();
        QVERIFY(QFile::exists(QStringLiteral("KELPA.INI")));
    }

    void abortEndsAPendingDelayedStartOnly_data()
    {
        QTest::addColumn<bool>("delayedStart");
        QTest::newRow("delayed start pending") << true;
        QTest::newRow("ordinary transfer") << false;
    }

    void abortEndsAPendingDelayedStartOnly()
    {
        QFETCH(bool, delayedStart);
        FormKelpa& form = FormKelpa::Instance();
        FormHTTP& http = FormHTTP::Instance();
        form.CheckStart->setChecked(delayedStart);
        form.TimerStartIn.setEnabled(true);
        form.CommandStart->setEnabled(false);
        form.MenuEntry("MenuStart")->setEnabled(false);
        form.CommandSkip->setEnabled(true);
        form.MenuEntry("MenuCancel")->setEnabled(true);
        http.Text1->setEnabled(false);
        form.LabelMessage->show();
        TransferInProgress(3, false);
        form.Abbruch();
        QVERIFY(!form.TimerStartIn.Enabled());
        QVERIFY(form.LabelMessage->isHidden());
        QVERIFY(!form.CheckStart->isChecked());
        QCOMPARE(Running, int16_t(delayedStart ? 0 : 1));
        QCOMPARE(form.CommandStart->isEnabled(), delayedStart);
        QCOMPARE(form.MenuEntry("MenuStart")->isEnabled(), delayedStart);
        QCOMPARE(form.CommandSkip->isEnabled(), !delayedStart);
        QCOMPARE(form.MenuEntry("MenuCancel")->isEnabled(), !delayedStart);
        QCOMPARE(http.Text1->isEnabled(), delayedStart);
    }

    void skipAnswers_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("searching");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QByteArray>("notLoaded");
        QTest::newRow("keep for later") << int(platform::vbYes) << false << 0
                                        << QByteArray("http://h/image.gif\r\npage.htm\r\n");
        QTest::newRow("drop") << int(platform::vbNo) << false << 1 << QByteArray();
        QTest::newRow("drop the page being searched")
            << int(platform::vbNo) << true << 1 << QByteArray();
        QTest::newRow("keep the page being searched")
            << int(platform::vbYes) << true << 0 << QByteArray("http://h/page.htm\r\npage.htm\r\n");
        QTest::newRow("go on") << int(platform::vbCancel) << false << -1 << QByteArray();
    }

    // The driver records the file after an abort; a dropped file stays out.
    void skipAnswers()
    {
        QFETCH(int, answer);
        QFETCH(bool, searching);
        QFETCH(int, verdict);
        QFETCH(QByteArray, notLoaded);
        TransferInProgress(4, searching);
        MsgBoxScript boxes;
        boxes.expect(SkipQuestion, answer).withStyle(35).withTitle(QStringLiteral("Kelpa"));
        FormKelpa& form = FormKelpa::Instance();
        form.MenuEntry("MenuCancel")->trigger();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(CancelAnswer, int16_t(answer));
        QCOMPARE(TransferVerdict, int16_t(verdict));
        const bool dropped = answer == platform::vbNo;
        QCOMPARE(SkipRecord, int16_t(dropped ? 1 : 0));
        QCOMPARE(NotLoadedPending, int16_t(dropped ? 0 : 1));
        QCOMPARE(AbortTransfer, int16_t(answer == platform::vbCancel ? 0 : 1));
        if (dropped && searching)
            QCOMPARE(FormHTTP::Instance().Text1->text(), SavedLink);
        if (answer == platform::vbCancel) {
            QVERIFY(LogText().isEmpty());
            return;
        }
        form.Nichtgeladen();
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), notLoaded);
        QCOMPARE(CancelAnswer, int16_t(dropped ? 0 : answer));
    }

    // While exiting is disabled the skip command only confirms the cancel of
    // the unfinished-work list; nothing is aborted, nothing more is recorded.
    void cancelWhileExitIsDisabled()
    {
        TransferInProgress(4, false);
        FormKelpa& form = FormKelpa::Instance();
        form.CommandExit->setEnabled(false);
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("If you Cancel now"), platform::vbYes,
                    MsgBoxScript::Match::Contains)
            .withStyle(52)
            .withTitle(QStringLiteral("Kelpa"));
        form.MenuCancel_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(CancelConfirmAnswer, int16_t(6));
        QCOMPARE(AbortTransfer, int16_t(0));
        form.Nichtgeladen();
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
        QCOMPARE(UrlsLeft, 3);
    }
};

KELPA_TEST_MAIN(TestUnfinishedAbort)
#include "test_unfinished_abort.moc"
