// Start modes and input lists: loading and counting a list, the option New,
// and a run in list mode.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/forms/Handlers.h"
#include "platform/msgbox/MsgBox.h"
#include "settings/FormOptions.h"
#include "tests/main/RunFixture.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"

using namespace testsupport;
using namespace KELPA;

class TestLists : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void loadingAList_data()
    {
        QTest::addColumn<QString>("mode"); // "list": KELPA.INP; "continue": KELPA.NOT
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("urlsLeft");
        QTest::addColumn<QString>("text1");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QString>("logLine");

        const QString a = Url(QStringLiteral("a.html"));
        QTest::newRow("two records")
            << "list" << Records({"a.html", "b.html"}) << 2 << a << "a.html"
            << "";
        QTest::newRow("blank URL lines are not counted")
            << "list"
            << QByteArray("http://site/a.html\r\na.html\r\n  \r\nx\r\nhttp://site/b.html\r\nb\r\n")
            << 2 << a << "a.html"
            << "";
        QTest::newRow("a name with directories keeps its last part")
            << "continue" << QByteArray("http://site/a.html\r\nsub\\dir/a2.html\r\n") << 1 << a
            << "a2.html"
            << "";
        QTest::newRow("an empty name is given one")
            << "continue" << QByteArray("  http://site/a.html  \r\n\r\n") << 1 << a << "a.html"
            << "";
        // Leaving list mode counts the start URL box again.
        QTest::newRow("a missing input list") << "list" << QByteArray("<missing>") << 1 << ""
                                              << ""
                                              << "KELPA.INP not found!";
        QTest::newRow("continue without KELPA.NOT")
            << "continue" << QByteArray("<missing>") << -1 << ""
            << ""
            << "COMPLETE.ENP not found!";
        QTest::newRow("an input list without a first URL")
            << "list" << QByteArray("\r\nx.html\r\n") << 0 << ""
            << ""
            << "Error KELPA.INP!";
        // Emptying the start URL box counts it again.
        QTest::newRow("a completion list without a first URL")
            << "continue" << QByteArray("\r\nx.html\r\n") << 0 << ""
            << ""
            << "Error COMPLETE.ENP!";
    }

    void loadingAList()
    {
        QFETCH(QString, mode);
        QFETCH(QByteArray, list);
        QFETCH(int, urlsLeft);
        QFETCH(QString, text1);
        QFETCH(QString, text2);
        QFETCH(QString, logLine);
        PrepareRun(QStringLiteral("http://other/"), 1);
        FormKelpa& form = FormKelpa::Instance();
        FormHTTP& http = FormHTTP::Instance();
        UrlsLeft = -1;
        const bool listMode = mode == QLatin1String("list");
        if (list != "<missing>")
            WriteFile(listMode ? QStringLiteral("KELPA.INP") : QStringLiteral("KELPA.NOT"), list);
        MsgBoxScript boxes;
        // An input list without a first URL lets the user choose another.
        ChooseScript choosers;
        if (logLine == QLatin1String("Error KELPA.INP!"))
            choosers.expectCancel().withTitle(LanguageText[68]).withFilter(QStringLiteral("*.inp"));
        if (listMode)
            form.CheckListe->setChecked(true);
        else
            form.OptionContinue->setChecked(true);
        KELPA_VERIFY_CHOOSERS(choosers);

        const bool loaded = logLine.isEmpty();
        QCOMPARE(UrlsLeft, urlsLeft);
        if (loaded) {
            QCOMPARE(http.Text1->text(), text1);
            QCOMPARE(http.Text2->text(), text2);
            QVERIFY(!http.Text1->isEnabled());
            QVERIFY(!http.CommandChooseFile->isEnabled());
            QCOMPARE(ContinueSearch, int16_t(1));
            QCOMPARE(ListFile,
                     listMode ? QStringLiteral("KELPA.INP") : QStringLiteral("COMPLETE.ENP"));
        } else {
            QVERIFY(Log().endsWith(logLine.toUtf8() + "\r\n"));
        }
        QCOMPARE(form.CheckListe->isChecked(), loaded && listMode);
        if (logLine == QLatin1String("Error COMPLETE.ENP!"))
            QVERIFY(!form.OptionContinue->isChecked());
        if (logLine == QLatin1String("COMPLETE.ENP not found!"))
            QVERIFY(!QFile::exists(QStringLiteral("COMPLETE.ENP")));
        QCOMPARE(ListLoadFailed, int16_t(0));
        KELPA_VERIFY_MSGBOXES(boxes);
    }

    void newSearchCountsTheStartUrl_data()
    {
        QTest::addColumn<QString>("text1");
        QTest::addColumn<int>("urlsLeft");
        QTest::newRow("ab") << "ab" << 0;
        QTest::newRow("abc") << "abc" << 1;
        QTest::newRow("blanks around ab") << "  ab  " << 0;
    }

    void newSearchCountsTheStartUrl()
    {
        QFETCH(QString, text1);
        QFETCH(int, urlsLeft);
        PrepareRun(text1, 1);
        FormKelpa& form = FormKelpa::Instance();
        FormHTTP::Instance().Text2->setText(QStringLiteral("x.html"));
        FormHTTP::Instance().Text2->setEnabled(false);
        UrlsLeft = 7;
        platform::ClearOption(form.OptionNew);
        form.OptionNew->setChecked(true);
        QCOMPARE(UrlsLeft, urlsLeft);
        QCOMPARE(ContinueSearch, int16_t(0));
        QVERIFY(FormHTTP::Instance().Text2->text().isEmpty());
        QVERIFY(FormHTTP::Instance().Text2->isEnabled());
    }

    // List mode fetches the records of the input file, names them by the
    // list's rule, leaves the input file as it was and consumes the link list.
    void listModeRun()
    {
        PrepareRun(QString(), 1);
        FormKelpa& form = FormKelpa::Instance();
        const QByteArray input =
            "http://site/c.html\r\n\r\n\r\n\r\nhttp://site/d.html\r\nsub\\d2.html\r\n";
        WriteFile(QStringLiteral("KELPA.INP"), input);
        MsgBoxScript boxes;
        TransferDouble transfer(LevelSite());
        form.CheckListe->setChecked(true);
        QVERIFY(!StartRun());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(transfer.fetched, Urls({"c.html", "d.html", "e.html"}));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.INP")), input);
        QCOMPARE(ReadFile(QStringLiteral("LINKS0.INP")), QByteArray());
        QCOMPARE(ReadFile(QStringLiteral("site/d2.html")), QByteArray("<html>d</html>"));
        QCOMPARE(ReadFile(QStringLiteral("KELPA.GOT")),
                 Records({"c.html"}) + "http://site/d.html\r\nd2.html\r\n" + Records({"e.html"}));
        QVERIFY(!form.CheckListe->isChecked());
        QCOMPARE(ContinueSearch, int16_t(0));
    }

    // An input list without a first URL: the list chosen instead is loaded.
    void anotherListChosenAfterAnEmptyOne()
    {
        PrepareRun(QStringLiteral("http://other/"), 1);
        FormKelpa& form = FormKelpa::Instance();
        WriteFile(QStringLiteral("KELPA.INP"), "\r\nx.html\r\n");
        WriteFile(QStringLiteral("good.inp"), Records({"a.html", "b.html"}));
        form.CheckListe->setEnabled(true);
        MsgBoxScript boxes;
        ChooseScript choosers;
        choosers.expectPath(QStringLiteral("good.inp")).withTitle(LanguageText[68]);
        form.CheckListe->setChecked(true);
        KELPA_VERIFY_CHOOSERS(choosers);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(InputFile, QStringLiteral("good.inp"));
        QVERIFY(form.CheckListe->isChecked());
        QCOMPARE(FormHTTP::Instance().Text1->text(), Url(QStringLiteral("a.html")));
        QCOMPARE(UrlsLeft, 2);
        QVERIFY(ChosenPath.isEmpty());
        QCOMPARE(ListLoadFailed, int16_t(0));
        form.CheckListe->setChecked(false);
    }

    void aWorkListIsRefusedAsInputList_data()
    {
        QTest::addColumn<QString>("inputFile");
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<bool>("refused");
        QTest::newRow("first level list") << "links0.inp"
                                          << "links0.inp" << true;
        QTest::newRow("second level list") << "LINKS1.INP"
                                           << "LINKS1.INP" << true;
        QTest::newRow("completion list") << "Complete.enp"
                                         << "COMPLETE.ENP" << true;
        QTest::newRow("list of loaded files") << "KELPA.GOT"
                                              << "KELPA.GOT" << true;
        QTest::newRow("list of unfinished work") << "kelpa.not"
                                                 << "KELPA.NOT" << true;
        QTest::newRow("full path into the program folder") << "<here>\\LINKS0.INP"
                                                           << "LINKS0.INP" << true;
        QTest::newRow("same name in another folder") << "lists\\LINKS0.INP"
                                                     << "lists/LINKS0.INP" << false;
    }

    // The program's own lists are emptied and deleted by runs and the exit:
    // list mode refuses them, says why and leaves the file as it was.
    void aWorkListIsRefusedAsInputList()
    {
        QFETCH(QString, inputFile);
        QFETCH(QString, onDisk);
        QFETCH(bool, refused);
        PrepareRun(QString(), 2);
        FormKelpa& form = FormKelpa::Instance();
        QDir().mkpath(QStringLiteral("lists"));
        const QByteArray records = Records({"a.html", "b.html"});
        WriteFile(onDisk, records);
        InputFile = QString(inputFile).replace(QStringLiteral("<here>"), platform::CurDir());
        MsgBoxScript boxes;
        if (refused)
            boxes.expect(InputFile + KELPA::LanguageText[470], platform::vbOK)
                .withStyle(16)
                .withTitle(QStringLiteral("Kelpa"));
        form.CheckListe->setEnabled(true);
        form.CheckListe->setChecked(true);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(form.CheckListe->isChecked(), !refused);
        QCOMPARE(ContinueSearch, int16_t(refused ? 0 : 1));
        QCOMPARE(ReadFile(onDisk), records);
        if (!refused)
            return;
        QVERIFY(Log().contains((InputFile + KELPA::LanguageText[470]).toUtf8()));
        // Nor does the exit delete the user's file.
        form.DateienLoeschen();
        QCOMPARE(ReadFile(onDisk), records);
    }

    // Choosing the input file again enters list mode afresh.
    void inputFileLoadedAgain()
    {
        PrepareRun(QString(), 1);
        FormKelpa& form = FormKelpa::Instance();
        InputFile = QStringLiteral("MINE.INP");
        WriteFile(QStringLiteral("MINE.INP"), Records({"a.html", "b.html", "c.html"}));
        form.CheckListe->setEnabled(false);
        form.CheckListe->setChecked(true);
        UrlsLeft = 0;
        form.InputFileLaden();
        QVERIFY(form.CheckListe->isChecked());
        QVERIFY(form.CheckListe->isEnabled());
        QCOMPARE(UrlsLeft, 3);
        QCOMPARE(ListFile, QStringLiteral("MINE.INP"));
        QCOMPARE(form.CheckListe->toolTip(), QStringLiteral("Download URLs listed in MINE.INP"));
    }
};

KELPA_TEST_MAIN(TestLists)
#include "test_lists.moc"
