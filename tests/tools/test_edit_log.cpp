// The list editor's log frame (after logging, reading the log, deleting it
// into the trash, a refused delete, the clearing command) and the double
// click on a listed line (clipboard, question, browser).

#include "platform/shell/Desktop.h"
#include "platform/shell/System.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/tools/EditFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QTest>

using namespace testsupport;
using namespace KELPA;

namespace {

QString TrashFiles()
{
    return qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash/files");
}

bool LogButtonsEnabled()
{
    return Editor().CommandReadLog->isEnabled() && Editor().CommandDeleteLog->isEnabled();
}

bool LogButtonsDisabled()
{
    return !Editor().CommandReadLog->isEnabled() && !Editor().CommandDeleteLog->isEnabled();
}

} // namespace

class TestEditLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void init()
    {
        OpenEditorIdle();
        QDir(TrashFiles()).removeRecursively();
    }
    void cleanup()
    {
        platform::SetFileOperationHook({});
        platform::SetTextEditorHook({});
        platform::SetShellExecuteHook({});
        UseRecycleBin = 0;
    }

    void logFrameFollowsLogging()
    {
        QCOMPARE(Editor().FrameLog->title(), QStringLiteral("KELPA.LOG (0 Bytes)"));
        QVERIFY(LogButtonsDisabled());
        FormKelpa::Instance().logging(QStringLiteral("one line"));
        const qint64 size = QFile(QStringLiteral("KELPA.LOG")).size();
        QVERIFY(size > 0);
        QCOMPARE(Editor().FrameLog->title(), QStringLiteral("KELPA.LOG (%1 bytes)").arg(size));
        QVERIFY(LogButtonsEnabled());
    }

    void readingOpensTheLogInTheTextEditor()
    {
        QStringList opened;
        platform::SetTextEditorHook([&opened](const QString& path) {
            opened.append(path);
            return true;
        });
        Editor().CommandReadLog_Click(); // no log yet: nothing to show
        QVERIFY(opened.isEmpty());
        FormKelpa::Instance().logging(QStringLiteral("x"));
        Editor().CommandReadLog->click();
        QCOMPARE(opened, QStringList{QStringLiteral("KELPA.LOG")});
        QCOMPARE(ApiResult, int(platform::SE_STARTED));
    }

    // The frame shows what is on disk after the delete, whatever happened:
    // "(0 bytes)" only when the log is gone.
    void deletingTheLog_data()
    {
        QTest::addColumn<int>("recycleBin");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("inTrash");
        QTest::newRow("into the trash") << 1 << false << true;
        QTest::newRow("trash refuses") << 1 << true << false;
        QTest::newRow("deleted plainly") << 0 << false << false;
    }
    void deletingTheLog()
    {
        QFETCH(int, recycleBin);
        QFETCH(bool, refused);
        QFETCH(bool, inTrash);
        UseRecycleBin = int16_t(recycleBin);
        if (refused)
            platform::SetFileOperationHook(
                [](int, const QString&, int) { return int(platform::FileOperationRefused); });
        FormKelpa::Instance().logging(QStringLiteral("a line to delete"));
        const qint64 size = QFile(QStringLiteral("KELPA.LOG")).size();
        Editor().CommandDeleteLog->click();
        QCOMPARE(QFile::exists(QStringLiteral("KELPA.LOG")), refused);
        QCOMPARE(QFile::exists(TrashFiles() + QStringLiteral("/KELPA.LOG")), inTrash);
        if (refused) {
            QCOMPARE(Editor().FrameLog->title(), QStringLiteral("KELPA.LOG (%1 bytes)").arg(size));
            QVERIFY(LogButtonsEnabled());
        } else {
            QCOMPARE(Editor().FrameLog->title(), QStringLiteral("KELPA.LOG (0 bytes)"));
            QVERIFY(LogButtonsDisabled());
        }
    }

    // The clearing command, with the editor open, shows the log as it is on
    // disk afterwards.
    void clearingGeneratedFilesRefreshesTheFrame_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("log cleared") << false;
        QTest::newRow("trash refuses the log") << true;
    }
    void clearingGeneratedFilesRefreshesTheFrame()
    {
        QFETCH(bool, refused);
        FormKelpa& main = FormKelpa::Instance();
        UseRecycleBin = 1;
        if (refused)
            platform::SetFileOperationHook([](int, const QString& from, int) {
                return from.endsWith(QLatin1String("kelpa.log"), Qt::CaseInsensitive)
                           ? int(platform::FileOperationRefused)
                           : int(platform::FileOperationNotFound);
            });
        main.logging(QStringLiteral("before clearing"));
        const qint64 size = QFile(QStringLiteral("KELPA.LOG")).size();
        main.CommandExit->setEnabled(false); // the command ends through the exit otherwise
        main.MenuClearGenerated_Click();
        main.CommandExit->setEnabled(true);
        QCOMPARE(Editor().FrameLog->title(), refused
                                                 ? QStringLiteral("KELPA.LOG (%1 bytes)").arg(size)
                                                 : QStringLiteral("KELPA.LOG (0 bytes)"));
        QCOMPARE(LogButtonsEnabled(), refused);
    }

    // Only a line beginning with "http://" or "file://", in that case, goes
    // to the clipboard and, on Yes, to the browser.
    void doubleClickOnALine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("taken");
        QTest::newRow("http, Yes") << "http://a.example/x.htm" << int(platform::vbYes) << true;
        QTest::newRow("http, No") << "http://a.example/x.htm" << int(platform::vbNo) << true;
        QTest::newRow("file, Yes") << "file:///C|/site/x.htm" << int(platform::vbYes) << true;
        QTest::newRow("capital scheme") << "HTTP://A.EXAMPLE/" << 0 << false;
        QTest::newRow("name line") << "x.htm" << 0 << false;
    }
    void doubleClickOnALine()
    {
        QFETCH(QString, line);
        QFETCH(int, answer);
        QFETCH(bool, taken);
        WriteFile(QStringLiteral("KELPA.GOT"), ("first\r\n" + line + "\r\n").toUtf8());
        Editor().CommandGot->click();
        QStringList opened;
        platform::SetShellExecuteHook([&opened](const QString& file, const QString&) {
            opened.append(file);
            return int(platform::SE_STARTED);
        });
        QApplication::clipboard()->setText(QStringLiteral("before"));
        MsgBoxScript boxes;
        if (taken)
            boxes
                .expect(QStringLiteral("URL copied to clipboard. Do you want to open URL with "
                                       "your Browser?"),
                        answer)
                .withStyle(4)
                .withTitle(QStringLiteral("Kelpa"));
        const QModelIndex row = Editor().Lines->index(1);
        Editor().ListRead->setCurrentIndex(row);
        FormKelpa::Instance().show();
        const QPoint at = Editor().ListRead->visualRect(row).center();
        QTest::mouseClick(Editor().ListRead->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(Editor().ListRead->viewport(), Qt::LeftButton, {}, at);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(QApplication::clipboard()->text(), taken ? line : QStringLiteral("before"));
        QCOMPARE(opened, answer == platform::vbYes ? QStringList{line} : QStringList());
    }
};

KELPA_TEST_MAIN(TestEditLog)
#include "test_edit_log.moc"
