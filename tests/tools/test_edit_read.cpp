// The list editor's listing: what it shows and counts for each kind of file,
// stopping and closing during a listing, the main window's start controls
// and lamps meanwhile, and the buttons that follow the run state.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/tools/EditFixture.h"
#include "transfer/FormHTTP.h"

#include <QTest>

using namespace testsupport;
using namespace KELPA;

class TestEditRead : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void init() { OpenEditorIdle(); }
    void cleanup() { QObject::disconnect(&Editor(), &FormEdit::recordListed, nullptr, nullptr); }

    void listingShowsEveryLineAndCountsRecords_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("label");
        QTest::newRow("missing") << false << QByteArray() << QStringList()
                                 << "KELPA.GOT: no links.";
        QTest::newRow("empty") << true << QByteArray() << QStringList() << "KELPA.GOT: no links.";
        QTest::newRow("one record") << true << QByteArray("http://a/\r\na.htm\r\n")
                                    << QStringList{"http://a/", "a.htm"} << "KELPA.GOT, 1 link:";
        QTest::newRow("odd line count")
            << true << QByteArray("http://a/\r\na.htm\r\nhttp://b/\r\n")
            << QStringList{"http://a/", "a.htm", "http://b/"} << "KELPA.GOT, 2 links:";
        QTest::newRow("blank first lines listed, not counted")
            << true << QByteArray("  \r\nx\r\n\r\ny\r\nhttp://c/\r\nc\r\n")
            << QStringList{"  ", "x", "", "y", "http://c/", "c"} << "KELPA.GOT, 1 link:";
        QTest::newRow("only blank first lines")
            << true << QByteArray("\r\nx\r\n") << QStringList{"", "x"} << "KELPA.GOT: no links.";
        QTest::newRow("windows-1252 line")
            << true << QByteArray("http://a/m\xfcl\r\nm\xfcl.htm\r\nhttp://b/\r\nb\r\n")
            << QStringList{QStringLiteral("http://a/m\u00fcl"), QStringLiteral("m\u00fcl.htm"),
                           "http://b/", "b"}
            << "KELPA.GOT, 2 links:";
    }
    void listingShowsEveryLineAndCountsRecords()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(QString, label);
        if (present)
            WriteFile(QStringLiteral("KELPA.GOT"), bytes);
        Editor().CommandGot->click();
        QCOMPARE(Listed(), lines);
        QCOMPARE(Editor().LabelLinkInfo->text(), label);
        QCOMPARE(SelectedLine(), lines.value(0));
        QCOMPARE(Editor().ListingState, int16_t(0));
    }

    // Each button lists its own file; "List" lists the input file.
    void buttonsListTheirFiles_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::newRow("Links0") << "CommandLinks0"
                                << "LINKS0.INP";
        QTest::newRow("Links1") << "CommandLinks1"
                                << "LINKS1.INP";
        QTest::newRow("Absent") << "CommandNot"
                                << "KELPA.NOT";
        QTest::newRow("Complete") << "CommandComplete"
                                  << "COMPLETE.ENP";
        QTest::newRow("Existing") << "CommandGot"
                                  << "KELPA.GOT";
        QTest::newRow("List") << "CommandList"
                              << "MY.INP";
    }
    void buttonsListTheirFiles()
    {
        QFETCH(QString, button);
        QFETCH(QString, file);
        InputFile = QStringLiteral("MY.INP");
        WriteFile(file, "http://x/\r\nx\r\n");
        auto* command = Editor().findChild<QPushButton*>(button);
        QVERIFY(command);
        command->setEnabled(true);
        command->click();
        QCOMPARE(Editor().LabelLinkInfo->text(), file + QStringLiteral(", 1 link:"));
    }

    // A click on the count label stops the listing after the record in hand.
    void stopEndsAfterTheCurrentRecord_data()
    {
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("label");
        QTest::newRow("after one") << 1 << "KELPA.NOT, 1 link:";
        QTest::newRow("after two") << 2 << "KELPA.NOT, 2 links (listing incomplete):";
    }
    void stopEndsAfterTheCurrentRecord()
    {
        QFETCH(int, after);
        QFETCH(QString, label);
        WriteFile(QStringLiteral("KELPA.NOT"),
                  "http://a/\r\na\r\nhttp://b/\r\nb\r\nhttp://c/\r\nc\r\n");
        connect(&Editor(), &FormEdit::recordListed, this, [after](int32_t count) {
            if (count == after)
                Editor().LabelLinkInfo_Click();
        });
        Editor().CommandNot->click();
        QCOMPARE(Editor().LabelLinkInfo->text(), label);
        QCOMPARE(Listed().size(), 2 * after);
        QVERIFY(StartEnabled());
    }

    // Meanwhile the start controls are off and, with no run, the waiting lamp
    // is lit; afterwards both come back, and the lists of a run stay off.
    void startControlsAndLampsDuringAListing()
    {
        WriteFile(QStringLiteral("KELPA.GOT"), "http://a/\r\na\r\nhttp://b/\r\nb\r\n");
        bool startDuring = true;
        bool lampDuring = false;
        bool buttonsDuring = true;
        connect(&Editor(), &FormEdit::recordListed, this, [&] {
            startDuring = StartEnabled();
            lampDuring = WaitLampLit();
            buttonsDuring = Editor().CommandGot->isEnabled() || Editor().CommandNot->isEnabled();
        });
        Editor().CommandGot->click();
        QVERIFY(!startDuring);
        QVERIFY(lampDuring);
        QVERIFY(!buttonsDuring);
        QVERIFY(StartEnabled());
        QVERIFY(!WaitLampLit());
        QCOMPARE(RunListButtons(), QStringLiteral("000"));
        QVERIFY(Editor().CommandGot->isEnabled());
        QVERIFY(Editor().CommandNot->isEnabled());
        QVERIFY(Editor().CommandList->isEnabled());
    }

    // During a run the listing leaves the run's start controls and lamps
    // alone and enables the lists of the run at its end.
    void listingDuringARunLeavesTheRunsControls()
    {
        FormKelpa& main = FormKelpa::Instance();
        WriteFile(QStringLiteral("LINKS0.INP"), "http://a/\r\na\r\n");
        Running = 1;
        main.ShowRunState(true);
        main.IndiLED(QStringLiteral("sende"));
        Editor().CommandLinks0->click();
        QVERIFY(!StartEnabled());
        QVERIFY(!WaitLampLit());
        QVERIFY(main.PictureSendOn->Lit());
        QCOMPARE(RunListButtons(), QStringLiteral("111"));
        QVERIFY(!Editor().FrameNOT->isEnabled());
        Running = 0;
        main.ShowRunState(false);
    }

    // The buttons by run state: at load, at the run's start and end, and
    // when the abort dissolves a pending delayed start.
    void buttonsFollowTheRunState()
    {
        FormKelpa& main = FormKelpa::Instance();
        QVERIFY(Editor().TextArrangeRemove->isEnabled()); // opened again: usable
        QVERIFY(Editor().FrameNOT->isEnabled());
        QCOMPARE(RunListButtons(), QStringLiteral("000"));
        main.ShowRunState(true);
        QVERIFY(!Editor().FrameNOT->isEnabled());
        QCOMPARE(RunListButtons(), QStringLiteral("111"));
        main.ShowRunState(false);
        QVERIFY(Editor().FrameNOT->isEnabled());
        QCOMPARE(RunListButtons(), QStringLiteral("000"));

        Running = 1;
        QVERIFY(Editor().Unload());
        Editor().Load();
        QVERIFY(!Editor().FrameNOT->isEnabled());
        QCOMPARE(RunListButtons(), QStringLiteral("111"));

        main.CheckStart->setChecked(true);
        EvaluationComplete = 0;
        main.Abbruch();
        QCOMPARE(Running, int16_t(0));
        QVERIFY(Editor().FrameNOT->isEnabled());
        QCOMPARE(RunListButtons(), QStringLiteral("000"));
    }

    // A run that starts or ends while a listing runs switches the frame at
    // once, and the lists of a run when the listing ends.
    void runSwitchDuringAListingWaitsForItsEnd_data()
    {
        QTest::addColumn<bool>("starts");
        QTest::newRow("run starts") << true;
        QTest::newRow("run ends") << false;
    }
    void runSwitchDuringAListingWaitsForItsEnd()
    {
        QFETCH(bool, starts);
        FormKelpa& main = FormKelpa::Instance();
        WriteFile(QStringLiteral("KELPA.GOT"), "http://a/\r\na\r\nhttp://b/\r\nb\r\n");
        Running = starts ? 0 : 1;
        main.ShowRunState(!starts);
        QString buttonsAfterSwitch;
        bool frameAfterSwitch = !starts;
        connect(&Editor(), &FormEdit::recordListed, this, [&](int32_t count) {
            if (count != 1)
                return;
            Running = starts ? 1 : 0;
            main.ShowRunState(starts);
            buttonsAfterSwitch = RunListButtons();
            frameAfterSwitch = Editor().FrameNOT->isEnabled();
        });
        Editor().CommandGot->click();
        QCOMPARE(buttonsAfterSwitch, QStringLiteral("000"));
        QCOMPARE(frameAfterSwitch, !starts);
        QCOMPARE(RunListButtons(), starts ? QStringLiteral("111") : QStringLiteral("000"));
        Running = 0;
        main.ShowRunState(false);
    }

    // A close during a listing waits for the record in hand; the window then
    // closes, with the start controls back and the lamps out.
    void closeDuringAListingClosesAfterTheRecord()
    {
        WriteFile(QStringLiteral("KELPA.GOT"),
                  "http://a/\r\na\r\nhttp://b/\r\nb\r\nhttp://c/\r\nc\r\n");
        bool closed = true;
        connect(&Editor(), &FormEdit::recordListed, this, [&closed](int32_t count) {
            if (count == 1)
                closed = Editor().Unload();
        });
        Editor().CommandGot->click();
        QVERIFY(!closed);
        QCOMPARE(EditOpen, int16_t(0));
        QCOMPARE(ShowEdit, int16_t(0));
        QCOMPARE(Editor().ListingState, int16_t(0));
        QVERIFY(StartEnabled());
        QVERIFY(!WaitLampLit());
    }

    // After a close deferred by a listing, the next opening is a fresh one:
    // an arrange answered No leaves the window open.
    void nextOpeningAfterADeferredCloseStaysOpen()
    {
        WriteFile(QStringLiteral("KELPA.NOT"), "http://a/\r\na\r\nhttp://b/\r\nb\r\n");
        connect(&Editor(), &FormEdit::recordListed, this, [](int32_t) { Editor().Unload(); });
        Editor().CommandNot->click();
        QCOMPARE(EditOpen, int16_t(0));
        QObject::disconnect(&Editor(), &FormEdit::recordListed, nullptr, nullptr);
        Editor().Load();
        Editor().TextArrangeRemove->setText(QStringLiteral("b"));
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("1 link of 2 found. Do you want to continue?"), platform::vbNo);
        Editor().CommandArrange->click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(EditOpen, int16_t(1));
        QVERIFY(Editor().TextArrangeRemove->isEnabled());
    }
};

KELPA_TEST_MAIN(TestEditRead)
#include "test_edit_read.moc"
