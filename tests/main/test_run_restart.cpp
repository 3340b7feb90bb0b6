// Stopping a run from inside its transfer, and the runs that start at the end
// of a run: repeats and completions run one after the other, never nested.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "tests/main/RunFixture.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QDir>
#include <QDirIterator>

using namespace testsupport;
using namespace KELPA;

namespace {

const QString StopQuestion = QStringLiteral("Do you want to stop the program?");
const QString CompletionQuestion =
    QStringLiteral("Do you want to Complete/Continue the Kelpa Search?");

void ExpectStop(MsgBoxScript& boxes, int answer)
{
    boxes.expect(StopQuestion, answer).withStyle(292).withTitle(QStringLiteral("Kelpa"));
}

// Every call of the transfer came from the same depth of the stack.
bool SameDepth(const QList<quintptr>& marks)
{
    for (quintptr mark : marks)
        if (mark != marks.first())
            return false;
    return !marks.isEmpty();
}

} // namespace

class TestRunRestart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void cleanup()
    {
        FormKelpa& form = FormKelpa::Instance();
        form.CheckRepeat->setChecked(false);
        form.CheckDauer->setChecked(false);
        form.TimerRepeat.setEnabled(false);
        form.TimerDauer.setEnabled(false);
    }

    void stopAnsweredNoChangesNothing()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 2);
        MsgBoxScript boxes;
        ExpectStop(boxes, platform::vbNo);
        TransferDouble transfer(LevelSite());
        bool stopEnabledAfter = false;
        transfer.during = [&](const QString& url) {
            if (url != Url(QStringLiteral("a.html")))
                return;
            FormKelpa::Instance().CommandStop_Click();
            stopEnabledAfter = FormKelpa::Instance().CommandStop->isEnabled();
        };
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(stopEnabledAfter);
        QCOMPARE(transfer.fetched, Urls({"index.html", "a.html", "b.html", "c.html", "d.html"}));
        QCOMPARE(UserStopped, int16_t(0));
        QCOMPARE(FormHTTP::Instance().Caption(), QStringLiteral("Ready! "));
    }

    // The page under way and the rest of the level go to KELPA.NOT; nothing
    // more is fetched; the continuation is prepared but not started.
    void stopAnsweredYesKeepsTheRest_data()
    {
        QTest::addColumn<bool>("repeat");
        QTest::newRow("without repeat") << false;
        QTest::newRow("with repeat armed") << true;
    }

    void stopAnsweredYesKeepsTheRest()
    {
        QFETCH(bool, repeat);
        PrepareRun(Url(QStringLiteral("index.html")), 2);
        FormKelpa& form = FormKelpa::Instance();
        form.CheckRepeat->setChecked(repeat);
        MsgBoxScript boxes;
        ExpectStop(boxes, platform::vbYes);
        TransferDouble transfer(LevelSite());
        QByteArray notLoadedAfterStop;
        transfer.during = [&](const QString& url) {
            if (url != Url(QStringLiteral("a.html")))
                return;
            FormKelpa::Instance().CommandStop_Click();
            notLoadedAfterStop = ReadFile(QStringLiteral("KELPA.NOT"));
        };
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(notLoadedAfterStop, Records({"a.html", "b.html"}));
        QCOMPARE(transfer.fetched, Urls({"index.html", "a.html"}));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Records({"a.html", "b.html"}));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")), Records({"index.html"}));
        QVERIFY(!QFile::exists(QStringLiteral("site/a.html")));
        QVERIFY(!form.CheckRepeat->isChecked());
        QVERIFY(form.OptionContinue->isChecked());
        QCOMPARE(ReadFile(QStringLiteral("COMPLETE.ENP")), Records({"a.html", "b.html"}));
        QCOMPARE(CompleteRequested, int16_t(0));
        QCOMPARE(
            FormHTTP::Instance().Caption(),
            QStringLiteral("Program stopped. You may now Complete/Continue the KELPA-search..."));
        QCOMPARE(StopRun, int16_t(0));
        QCOMPARE(Running, int16_t(0));
    }

    // A repeat due at once restarts the run from the outermost start command.
    void repeatsRunOneAfterTheOther()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        FormKelpa& form = FormKelpa::Instance();
        form.CheckRepeat->setChecked(true);
        form.Repeat->setText(QStringLiteral("0 min"));
        MsgBoxScript boxes;
        Site site{{Url(QStringLiteral("index.html")), SitePage{"<html>index</html>", {}}}};
        TransferDouble transfer(site);
        transfer.during = [&](const QString&) {
            if (transfer.fetched.size() == 3)
                form.CheckRepeat->setChecked(false);
        };
        QVERIFY(!StartRun());
        QCOMPARE(transfer.fetched, Urls({"index.html", "index.html", "index.html"}));
        QVERIFY(SameDepth(transfer.stackMarks));
        QCOMPARE(RepeatSubject, Url(QStringLiteral("index.html")));
        // Each repetition fetches everything again: only the last run's record.
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")).count("http://site/index.html\r\n"), 1);
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    void startPageKeepsItsName_data()
    {
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<QString>("secondUrl");
        QTest::addColumn<QStringList>("files");
        const QString index = Url(QStringLiteral("index.html"));
        QTest::newRow("repetitions") << true << index << QStringList{"index.html"};
        QTest::newRow("a new run of the same start URL")
            << false << index << QStringList{"index.html"};
        QTest::newRow("another start URL of the same name")
            << false << QStringLiteral("http://other/index.html")
            << QStringList{"index(1).html", "index.html"};
    }

    // A start page fetched again goes into the name it had; only another
    // page that would take its name is numbered beside it.
    void startPageKeepsItsName()
    {
        QFETCH(bool, repeat);
        QFETCH(QString, secondUrl);
        QFETCH(QStringList, files);
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        FormKelpa& form = FormKelpa::Instance();
        MsgBoxScript boxes;
        Site site{{Url(QStringLiteral("index.html")), SitePage{"<html>index</html>", {}}},
                  {QStringLiteral("http://other/index.html"), SitePage{"<html>other</html>", {}}}};
        TransferDouble transfer(site);
        if (repeat) {
            form.CheckRepeat->setChecked(true);
            form.Repeat->setText(QStringLiteral("0 min"));
            transfer.during = [&](const QString&) {
                if (transfer.fetched.size() == 3)
                    form.CheckRepeat->setChecked(false);
            };
        }
        QVERIFY(!StartRun());
        if (!repeat) {
            FormHTTP::Instance().Text1->setText(secondUrl);
            FormHTTP::Instance().Text2->clear();
            QVERIFY(!StartRun());
        }
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(QDir(QStringLiteral("site")).entryList(QDir::Files, QDir::Name), files);
    }

    void startPageKeepsItsNameAfterARestart_data()
    {
        QTest::addColumn<bool>("subDirectories");
        QTest::addColumn<QString>("setting");   // the download directory after the restart
        QTest::addColumn<QStringList>("pages"); // saved there
        QTest::newRow("same directory")
            << false << QStringLiteral("site\\") << QStringList{"a.html", "index.html"};
        QTest::newRow("same directory, subdirectories")
            << true << QStringLiteral("site\\") << QStringList{"site/a.html", "site/index.html"};
        QTest::newRow("another directory with a page of that name")
            << false << QStringLiteral("other\\")
            << QStringList{"a.html", "index(1).html", "index.html"};
        QTest::newRow("the same, named without its backslash")
            << false << QStringLiteral("other")
            << QStringList{"a.html", "index(1).html", "index.html"};
    }

    // After a new start of the program, a start page fetched again into the
    // same download directory goes into the name that directory's index page
    // lists for it, and stays listed once; in another directory a file of
    // that name is another page's.
    void startPageKeepsItsNameAfterARestart()
    {
        QFETCH(bool, subDirectories);
        QFETCH(QString, setting);
        QFETCH(QStringList, pages);
        const QString directory = setting.section(QLatin1Char('\\'), 0, 0);
        const QString start = Url(QStringLiteral("index.html"));
        PrepareRun(start, 1);
        LocalBrowsing = 1;
        SubDirectories = subDirectories ? 1 : 0;
        Site site{{start, SitePage{"<html>index</html>", {Url(QStringLiteral("a.html"))}}},
                  {Url(QStringLiteral("a.html")), SitePage{"<html>a</html>", {}}}};
        TransferDouble transfer(site);
        QVERIFY(!StartRun());
        QDir().mkdir(QStringLiteral("other"));
        WriteFile(QStringLiteral("other/index.html"), "<html>other</html>");

        ResetRunDefaults(); // as at a new start of the program
        Directory = setting;
        FormHTTP::Instance().Text1->setText(start);
        FormHTTP::Instance().Text2->clear();
        QVERIFY(!StartRun());
        QStringList saved;
        const QDir folder(QDir(directory).absolutePath());
        for (QDirIterator it(folder.path(), QDir::Files, QDirIterator::Subdirectories);
             it.hasNext();)
            saved.append(folder.relativeFilePath(it.next()));
        saved.removeOne(QStringLiteral("_Index.html"));
        saved.sort();
        QCOMPARE(saved, pages);
        // The header's link and one entry.
        QCOMPARE(ReadFile(directory + QStringLiteral("/_Index.html")).count("<a href="), 2);
        QCOMPARE(ReadFile(QStringLiteral("other/index.html")), QByteArray("<html>other</html>"));
    }

    // An accepted completion runs right after the run, reading KELPA.NOT.
    void acceptedCompletionRunsNext()
    {
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        MsgBoxScript boxes;
        boxes.expect(CompletionQuestion, platform::vbYes, MsgBoxScript::Match::Contains);
        boxes.expect(CompletionQuestion, platform::vbNo, MsgBoxScript::Match::Contains);
        TransferDouble transfer(LevelSite({QStringLiteral("b.html")}));
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(transfer.fetched, Urls({"index.html", "a.html", "b.html", "b.html"}));
        QCOMPARE(transfer.stackMarks.at(2), transfer.stackMarks.at(3));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), Records({"b.html"}));
        QVERIFY(FormKelpa::Instance().OptionNew->isChecked());
    }

    // A timed run without repeat ends the program; before that, a completion
    // runs only when it was accepted.
    void timedRunCompletesOnlyWhenAccepted_data()
    {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("fetched");
        QTest::newRow("accepted") << true << Urls({"index.html", "a.html", "b.html", "b.html"});
        QTest::newRow("not accepted") << false << Urls({"index.html", "a.html", "b.html"});
    }

    void timedRunCompletesOnlyWhenAccepted()
    {
        QFETCH(bool, accepted);
        QFETCH(QStringList, fetched);
        PrepareRun(Url(QStringLiteral("index.html")), 1);
        FormKelpa& form = FormKelpa::Instance();
        form.CheckDauer->setChecked(true);
        MsgBoxScript boxes;
        TransferDouble transfer(LevelSite({QStringLiteral("b.html")}));
        // Not accepted: as after a stop while the duration box stayed ticked.
        // Runs that would go on for ever are ended.
        transfer.during = [&](const QString& url) {
            if (!accepted && url == Url(QStringLiteral("b.html")))
                UserStopped = 1;
            if (transfer.fetched.size() > fetched.size())
                platform::EndProgram();
        };
        QVERIFY(StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(transfer.fetched, fetched);
        QVERIFY(SameDepth(transfer.stackMarks.mid(1)));
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.TMP")));
    }
};

KELPA_TEST_MAIN(TestRunRestart)
#include "test_run_restart.moc"
