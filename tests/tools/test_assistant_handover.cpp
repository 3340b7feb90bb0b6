// What the assistant's finish leaves behind: the file types of step 6, the
// duration and repeat of step 3, an input list taken by the main window,
// and a prepared task with its comments and the main window's caption; and
// the site words read while Continue and Back wait.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "settings/FormOptions.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/tools/AssistantFixture.h"
#include "tools/FormAssistant.h"
#include "transfer/FormHTTP.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace testsupport;
using namespace KELPA;

namespace {

// The options window's family boxes by the names of their families.
QStringList ExcludedFamilies()
{
    FormOptions& o = FormOptions::Instance();
    const std::pair<const char*, QCheckBox*> families[] = {
        {"CGI", o.CheckCGI},      {"DLL", o.CheckDLL}, {"EXE", o.CheckEXE},
        {"GIF", o.CheckGIF},      {"JPG", o.CheckJPG}, {"MAP", o.CheckMAP},
        {"TXT", o.CheckTXT},      {"ZIP", o.CheckZIP}, {"Movies", o.CheckMovies},
        {"Sounds", o.CheckSounds}};
    QStringList excluded;
    for (const auto& [name, box] : families)
        if (box->isChecked())
            excluded << QLatin1String(name);
    return excluded;
}

// The assistant's step-6 box of a name.
QCheckBox* TypeBox(const QString& name)
{
    FormAssistant& a = A();
    const std::pair<const char*, QCheckBox*> boxes[] = {
        {"Sounds", a.CheckSounds}, {"EXE", a.CheckEXE},      {"GIF", a.CheckGIF},
        {"Java", a.CheckJava},     {"JPG", a.CheckJPG},      {"ZIP", a.CheckZIP},
        {"TXT", a.CheckTXT},       {"Movies", a.CheckMovies}};
    for (const auto& [boxName, box] : boxes)
        if (name == QLatin1String(boxName))
            return box;
    return nullptr;
}

// Runs the assistant once with action, expecting the closing box.
void Finish(const std::function<void()>& action)
{
    MsgBoxScript boxes;
    ExpectClosing(boxes);
    ModalAnswer answer("FormAssistant", [&](platform::Form&) {
        action();
        A().CommandContinue->click();
    });
    FormKelpa::Instance().MenuAssistant_Click();
    KELPA_VERIFY_MSGBOXES(boxes);
    QVERIFY(!answer.leftOpen());
}

} // namespace

class TestAssistantHandover : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void init() { PrepareAssistant(); }

    // Step 6 excludes every family and takes back each ticked one; pictures
    // bring in-line images back, text files the pages.
    void fileTypes_data()
    {
        QTest::addColumn<QStringList>("ticked");
        QTest::addColumn<QStringList>("excluded");
        QTest::addColumn<QList<int>>("values"); // Images, SaveHTML, JavaApplets
        const QStringList all{"CGI", "DLL", "EXE", "GIF",    "JPG",
                              "MAP", "TXT", "ZIP", "Movies", "Sounds"};
        const auto without = [&](const QStringList& taken) {
            QStringList rest = all;
            for (const QString& name : taken)
                rest.removeAll(name);
            return rest;
        };
        QTest::newRow("none") << QStringList() << all << QList<int>{0, 0, 0};
        QTest::newRow("GIF pictures")
            << QStringList{"GIF"} << without({"GIF"}) << QList<int>{1, 0, 0};
        QTest::newRow("JPEG pictures")
            << QStringList{"JPG"} << without({"JPG"}) << QList<int>{1, 0, 0};
        QTest::newRow("text files")
            << QStringList{"TXT"} << without({"TXT"}) << QList<int>{0, 1, 0};
        QTest::newRow("Java applets") << QStringList{"Java"} << all << QList<int>{0, 0, 1};
        QTest::newRow("sounds, programs, packages, movies")
            << QStringList{"Sounds", "EXE", "ZIP", "Movies"}
            << without({"Sounds", "EXE", "ZIP", "Movies"}) << QList<int>{0, 0, 0};
        QTest::newRow("every box")
            << QStringList{"Sounds", "EXE", "GIF", "Java", "JPG", "ZIP", "TXT", "Movies"}
            << QStringList{"CGI", "DLL", "MAP"} << QList<int>{1, 1, 1};
    }
    void fileTypes()
    {
        QFETCH(QStringList, ticked);
        QFETCH(QStringList, excluded);
        QFETCH(QList<int>, values);
        for (bool before : {true, false}) {
            SetAllOptionBoxes(before);
            Finish([&] {
                Walk(A().Option3, 6);
                for (const QString& name : ticked)
                    TypeBox(name)->setChecked(true);
            });
            QCOMPARE(ExcludedFamilies(), excluded);
            QCOMPARE(Images, int16_t(values[0]));
            QCOMPARE(SaveHTML, int16_t(values[1]));
            QCOMPARE(JavaApplets, int16_t(values[2]));
            QCOMPARE(Exclude.isEmpty(), excluded.isEmpty());
        }
    }

    // Step 4 and step 5 as chosen: the home site only, relocations and
    // refreshes off, no site words without the directory choice, the
    // excluded words as typed.
    void restrictions_data()
    {
        QTest::addColumn<QString>("limit"); // Option7, Option8 or Option9
        QTest::addColumn<bool>("relocations");
        QTest::addColumn<QString>("noSite");
        QTest::addColumn<int>("restHome");
        QTest::addColumn<QString>("onlySite");
        QTest::newRow("directory, relocations") << "Option7" << true << "" << 0 << "/docs/";
        QTest::newRow("home site, no relocations") << "Option8" << false << "" << 1 << "";
        QTest::newRow("no limit, words excluded") << "Option9" << true << " ads  track " << 0 << "";
    }
    void restrictions()
    {
        QFETCH(QString, limit);
        QFETCH(bool, relocations);
        QFETCH(QString, noSite);
        QFETCH(int, restHome);
        QFETCH(QString, onlySite);
        SetAllOptionBoxes(!relocations);
        Finish([&] {
            FormAssistant& a = A();
            Walk(a.Option1, 5);
            a.CommandBack->click(); // to step 4
            A().findChild<QRadioButton*>(limit)->click();
            a.CheckRelozierungen->setChecked(relocations);
            a.CommandContinue->click();
            a.TextNoSite->setText(noSite);
        });
        QCOMPARE(RestHome, int16_t(restHome));
        QCOMPARE(AcceptMetaRefresh, int16_t(relocations));
        QCOMPARE(AcceptRelocation, int16_t(relocations));
        QCOMPARE(platform::Trim(OnlySite), onlySite);
        QCOMPARE(FormOptions::Instance().TextNoSite->text(), noSite);
    }

    // The duration and the repeat reach the main window's row with their
    // values; a box left unticked unticks the main window's.
    void durationAndRepeat_data()
    {
        QTest::addColumn<bool>("duration");
        QTest::addColumn<bool>("repeat");
        QTest::newRow("duration 120 min") << true << false;
        QTest::newRow("repeat 1440 min") << false << true;
        QTest::newRow("both") << true << true;
    }
    void durationAndRepeat()
    {
        QFETCH(bool, duration);
        QFETCH(bool, repeat);
        FormKelpa& main = FormKelpa::Instance();
        main.CheckDauer->setChecked(true);
        main.CheckRepeat->setChecked(true);
        Finish([&] {
            FormAssistant& a = A();
            Walk(a.Option4, 3);
            a.Option6->click();
            if (duration) {
                a.CheckDauer->click();
                a.Dauer_Click(); // 60 to 120
            }
            if (repeat) {
                a.CheckRepeat->click();
                a.VScroll3->setValue(-720);
                a.Repeat_Click(); // 720 to 1440
            }
        });
        QCOMPARE(main.CheckDauer->isChecked(), duration);
        QCOMPARE(main.CheckRepeat->isChecked(), repeat);
        if (duration) {
            QCOMPARE(main.Dauer->text(), QStringLiteral("120 min"));
            QCOMPARE(main.VScroll1->value(), -120);
            QCOMPARE(DurationLeft, int16_t(120));
        }
        if (repeat) {
            QCOMPARE(main.Repeat->text(), QStringLiteral("1440 min"));
            QCOMPARE(main.VScroll3->value(), -1440);
        }
        main.CheckDauer->setChecked(false);
        main.CheckRepeat->setChecked(false);
    }

    // A list chosen while the main window already takes one: its box is
    // unticked and ticked again, so the new list is read.
    void inputListRetaken_data()
    {
        QTest::addColumn<bool>("listTicked");
        QTest::newRow("box ticked before") << true;
        QTest::newRow("box not ticked") << false;
    }
    void inputListRetaken()
    {
        QFETCH(bool, listTicked);
        WriteFile(QStringLiteral("old.inp"), "http://old/x.html\r\nx.html\r\n");
        WriteFile(QStringLiteral("new.inp"), "http://new/y/1.html\r\n1.html\r\n");
        FormKelpa& main = FormKelpa::Instance();
        if (listTicked) {
            InputFile = QStringLiteral("old.inp");
            main.CheckListe->setChecked(true);
            QCOMPARE(ListFile, QStringLiteral("old.inp"));
        }
        const QString list = platform::CurDir() + QStringLiteral("\\new.inp");
        ChooseScript choosers;
        choosers.expectPath(QDir::current().absoluteFilePath(QStringLiteral("new.inp")));
        Finish([&] {
            FormAssistant& a = A();
            a.Option4->click();
            a.CommandContinue->click();
            a.OptionChoose->click();
            a.CommandChoose->click();
            QCOMPARE(a.TextChoose->text(), list);
            a.CommandContinue->click(); // step 3, the last
        });
        KELPA_VERIFY_CHOOSERS(choosers);
        QVERIFY(main.CheckListe->isChecked());
        QCOMPARE(InputFile, list);
        QCOMPARE(ListFile, list);
        QCOMPARE(FormHTTP::Instance().Text1->text(), QStringLiteral("http://new/y/1.html"));
        main.CheckListe->setChecked(false);
    }

    // A prepared task: the settings are saved before it is read, the
    // caption names it, its comments are shown, and the log says so.
    void taskBranch_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QByteArray>("comments");
        QTest::addColumn<QString>("kept"); // the caption before the task's name
        QTest::newRow("caption without brackets, with comments")
            << "Kelpa - C:\\x\\" << QByteArray("Comment1=Hello there\r\nComment3=Bye\r\n")
            << "Kelpa - C:\\x\\ ";
        QTest::newRow("caption with brackets, no comments")
            << " Kelpa  [C:\\old.tsk]" << QByteArray() << "Kelpa ";
        QTest::newRow("brackets inside, no comments")
            << "Kelpa [a] [b]" << QByteArray() << "Kelpa ";
    }
    void taskBranch()
    {
        QFETCH(QString, caption);
        QFETCH(QByteArray, comments);
        QFETCH(QString, kept);
        WriteFile(QStringLiteral("job.tsk"), comments + "Depth=3\r\n");
        FormOptions::Instance().Load();
        FormOptions::Instance().TextDepth->setText(QStringLiteral("7"));
        FormKelpa& main = FormKelpa::Instance();
        main.SetCaption(caption);
        const QString path = platform::CurDir() + QStringLiteral("\\job.tsk");
        MsgBoxScript boxes;
        if (!comments.isEmpty())
            boxes
                .expect(QStringLiteral("Hello there\r\nBye"), platform::vbOK,
                        MsgBoxScript::Match::Contains)
                .withStyle(64)
                .withTitle(QStringLiteral("Kelpa [") + path + QLatin1Char(']'));
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            A().TextOpen->setText(path);
            A().OptionOpen->click();
            A().CommandContinue->click();
        });
        main.MenuAssistant_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!answer.leftOpen());
        QCOMPARE(main.Caption(), kept + QStringLiteral("[") + path + QLatin1Char(']'));
        QCOMPARE(Depth, int16_t(3));
        QVERIFY(ReadFile(QStringLiteral("KELPA.INI")).contains("\r\nDepth=7\r\n"));
        QVERIFY(Log().endsWith((path + LanguageText[235]).toUtf8() + "\r\n"));
    }

    // While the site words are read, a click on Continue or Back, or a
    // Continue that reaches the handler anyway, changes nothing; the words
    // are complete when the step shows.
    void clickWhileReadingSites()
    {
        QByteArray list = "http://a/first/1.html\r\n1.html\r\n";
        for (int n = 0; n < 20; ++n)
            list += "http://h/d" + QByteArray::number(n) + "/p.html\r\np.html\r\n";
        WriteFile(QStringLiteral("sites.inp"), list);
        FormAssistant& a = A();
        int clicks = 0;
        ModalAnswer answer("FormAssistant", [&](platform::Form&) {
            a.CommandContinue->click();
            a.TextURL->setText(QStringLiteral("http://a/first/1.html"));
            a.OptionChoose->setChecked(true);
            a.TextChoose->setText(QStringLiteral("sites.inp"));
            a.CommandContinue->click();
            a.CommandContinue->click(); // step 4
            QTimer::singleShot(0, [&] {
                QVERIFY(!a.CommandContinue->isEnabled() && !a.CommandBack->isEnabled());
                a.CommandContinue->click();
                a.CommandBack->click();
                a.CommandContinue_Click();
                a.CommandBack_Click();
                ++clicks;
            });
            a.CommandContinue->click(); // step 5, reading the list
            QCOMPARE(clicks, 1);
            QCOMPARE(Step(), 5);
            QCOMPARE(a.TextOnlySite->text().split(QLatin1Char(' ')).size(), 21);
            QVERIFY(a.CommandContinue->isEnabled() && a.CommandBack->isEnabled());
            a.CommandBack->click();
            a.CommandBack->click();
            a.CommandBack->click();
            a.CommandBack->click();
            a.CommandBack->click(); // Cancel
        });
        FormKelpa::Instance().MenuAssistant_Click();
        QVERIFY(!answer.leftOpen());
    }

    // An abort while the list is read ends the reading after that record.
    void abortWhileReadingSites()
    {
        WriteFile(QStringLiteral("sites.inp"),
                  "http://a/x/1.html\r\n1.html\r\nhttp://b/y/2.html\r\n"
                  "2.html\r\nhttp://c/z/3.html\r\n3.html\r\n");
        FormAssistant& a = A();
        a.Load();
        a.TextURL->setText(QStringLiteral("http://a/x/1.html"));
        a.OptionChoose->setChecked(true);
        a.TextChoose->setText(QStringLiteral("sites.inp"));
        QTimer::singleShot(0, [] { AbortTransfer = 1; });
        a.OnlySite();
        QCOMPARE(a.TextOnlySite->text(), QStringLiteral("/x/ /y/"));
        QVERIFY(a.CommandContinue->isEnabled() && a.CommandBack->isEnabled());
        a.Unload();
        AbortTransfer = 0;
    }
};

KELPA_TEST_MAIN(TestAssistantHandover)
#include "test_assistant_handover.moc"
