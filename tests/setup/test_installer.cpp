// The installer's windows: the background's tiles and reveal, the language
// question, and whole installations run from the start-up with scripted
// answers, including the failures and every way out.

#include "main/Kelpa.h"
#include "platform/msgbox/MsgBox.h"
#include "tests/main/StartupFixture.h"
#include "tests/setup/InstallerScript.h"
#include "tests/setup/SetupFixture.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/ObeyPermissions.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSet>

using namespace setuptest;
using testsupport::MsgBoxScript;
using Language = InstallerPlan::Language;

namespace {

QString Installed(bool german)
{
    return Home() +
           (german ? QStringLiteral("/Programme/Kelpa") : QStringLiteral("/Program Files/Kelpa"));
}

QSet<int> ShownTiles()
{
    QSet<int> shown;
    for (int n = 1; n <= 16; ++n) {
        if (!FormBackground::Instance().Image[n]->isHidden())
            shown.insert(n);
    }
    return shown;
}

// Runs the start-up in the current folder; true when it ended the program.
bool RunInstaller()
{
    KELPA::Language = QStringLiteral("english");
    TexteEnglisch();
    const bool ended = testsupport::StartProgram();
    platform::ReleaseLockFile();
    CloseInstaller();
    return ended;
}

// The installation dialog in English above the background, which stands still.
FormInstall& InstallDialogInEnglish()
{
    KELPA::Language = QStringLiteral("english");
    TexteEnglisch();
    FormBackground::Instance().Load();
    FormBackground::Instance().Timer1.setEnabled(false);
    return FormInstall::Instance();
}

// Ends the installer through fn as the user would; true when the program ended.
template <typename Fn> bool EndsProgram(Fn fn)
{
    platform::setTestEnding(true);
    platform::clearProgramEnded();
    try {
        fn();
        platform::DoEvents();
    } catch (const platform::ProgramEnded&) {
        return true;
    }
    return platform::programEnded();
}

} // namespace

class TestInstaller : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tilesCoverTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1280 x 1024") << QSize(1280, 1024);
        QTest::newRow("1366 x 768") << QSize(1366, 768);
        QTest::newRow("odd sizes") << QSize(1023, 767);
    }
    void tilesCoverTheScreen()
    {
        QFETCH(QSize, screen);
        qint64 area = 0;
        QRect all;
        for (int n = 1; n <= 16; ++n) {
            const QRect tile = FormBackground::TilePlace(n, screen);
            area += qint64(tile.width()) * tile.height();
            all = all.united(tile);
            for (int other = 1; other < n; ++other)
                QVERIFY(!tile.intersects(FormBackground::TilePlace(other, screen)));
            QCOMPARE(tile.x() == 0, (n - 1) % 4 == 0);
            QCOMPARE(tile.y() == 0, n <= 4);
        }
        QCOMPARE(all, QRect(QPoint(0, 0), screen));
        QCOMPARE(area, qint64(screen.width()) * screen.height());
    }

    // Two empty ticks, then one tile a tick in checkerboard order, then a
    // tick that changes nothing.
    void revealOrder()
    {
        FormBackground& background = FormBackground::Instance();
        background.Load();
        background.Timer1.setEnabled(false);
        QCOMPARE(KELPA::FoundPos, -2);
        QSet<int> expected;
        for (int tick = 1; tick <= 19; ++tick) {
            background.Timer1_Timer();
            const int counter = tick - 2;
            if (counter >= 1 && counter <= 16) {
                const int n = FormBackground::RevealedAt(counter);
                QCOMPARE(((n - 1) / 4 + (n - 1) % 4) % 2 == 0, counter <= 8);
                QVERIFY(!expected.contains(n));
                expected.insert(n);
            }
            QCOMPARE(ShownTiles(), expected);
        }
        QCOMPARE(KELPA::FoundPos, 17);
        QCOMPARE(ShownTiles().size(), 16);
        QVERIFY(!FormLanguage::Instance().Visible());
        QVERIFY(EndsProgram([&] { background.Unload(); }));
        CloseInstaller();
    }

    void languageQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("welcome");
        QTest::addColumn<QString>("no"); // the installer's boxes speak the language chosen
        QTest::newRow("OK untouched") << -1 << "deutsch"
                                      << "Willkommen!"
                                      << "&Nein";
        QTest::newRow("English chosen") << int(Language::English) << "english"
                                        << "Welcome!"
                                        << "&No";
        QTest::newRow("close box") << int(Language::CloseBox) << "english"
                                   << "Welcome!"
                                   << "&No";
    }
    void languageQuestion()
    {
        QFETCH(int, answer);
        QFETCH(QString, language);
        QFETCH(QString, welcome);
        QFETCH(QString, no);
        KELPA::Language = QStringLiteral("english");
        TexteEnglisch();
        FormLanguage& dialog = FormLanguage::Instance();
        dialog.Show();
        QVERIFY(dialog.Option2->isChecked());
        if (answer == int(Language::CloseBox)) {
            dialog.close();
        } else {
            if (answer == int(Language::English))
                dialog.Option1->setChecked(true);
            dialog.Command1->click();
        }
        QVERIFY(!dialog.Loaded());
        QCOMPARE(KELPA::Language, language);
        QCOMPARE(KELPA::LanguageText[365], welcome);
        QCOMPARE(testsupport::StandardButtonText(QMessageBox::No), no);
    }

    // From the start-up in a shipped set to the finished view, in either language.
    void installsFromTheStartup_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }
    void installsFromTheStartup()
    {
        QFETCH(bool, german);
        const QString shipped = EnterShippedSet();
        InstallerScript script({german ? Language::Deutsch : Language::English, {}, true});
        MsgBoxScript boxes;
        QVERIFY(RunInstaller());
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(script.Proposal, german ? QStringLiteral("C:\\Programme\\Kelpa\\")
                                         : QStringLiteral("C:\\Program Files\\Kelpa\\"));
        QCOMPARE(script.FinishedHeading,
                 german ? QStringLiteral("Glückwunsch!") : QStringLiteral("Congratulations!"));
        QCOMPARE(script.FinishedFocus, QStringLiteral("CommandCancel"));
        QVERIFY(!script.ReturnIgnored);
        QCOMPARE(ReadBytes(Installed(german) + "/KELPA.INI"),
                 german ? QByteArray("Language=deutsch\r\n") : QByteArray("Language=english\r\n"));
        QVERIFY(IsExecutable(Installed(german) + "/KELPA.EXE"));
        QVERIFY(QFileInfo::exists(Installed(german) + (german ? "/LIZENZ.HTM" : "/LICENSE.HTM")));
        QVERIFY(!QFileInfo::exists(Installed(german) + (german ? "/LICENSE.HTM" : "/LIZENZ.HTM")));
        QCOMPARE(GroupEntries().size(), 4);
        QVERIFY(!QFileInfo::exists(shipped + "/KELPA.TMP"));
        QVERIFY(!QFileInfo::exists(shipped + "/KELPA.INI"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Started from a folder it may not write to (the shipped set on read-only
    // media), the installer installs and writes nothing there: its lock
    // lives in the user's runtime folder for the time, where it keeps a
    // second copy out, and goes at the end.
    void installsFromAReadOnlyFolder()
    {
        const QString shipped = EnterShippedSet();
        const QStringList set = QDir(shipped).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const QString locks = Home() + QStringLiteral("/runtime/kelpa-locks");
        QVERIFY(QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ExeOwner));
        InstallerScript script({Language::English, {}, true});
        int heldElsewhere = -1;
        QTimer probe;
        QObject::connect(&probe, &QTimer::timeout, [&] {
            const QStringList held = QDir(locks).entryList(QDir::Files);
            if (heldElsewhere < 0 && held.size() == 1)
                heldElsewhere = QProcess::execute(
                    QStringLiteral("flock"),
                    {QStringLiteral("-n"), locks + "/" + held.first(), QStringLiteral("true")});
        });
        probe.start(5);
        MsgBoxScript boxes;
        bool ended = false;
        {
            const testsupport::ObeyPermissions asAUser;
            ended = RunInstaller();
        }
        probe.stop();
        QFile::setPermissions(shipped, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(ended);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(script.FinishedHeading, QStringLiteral("Congratulations!"));
        QVERIFY(IsExecutable(Installed(false) + "/KELPA.EXE"));
        QCOMPARE(QDir(shipped).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), set);
        QCOMPARE(heldElsewhere, 1);
        QCOMPARE(QDir(locks).entryList(QDir::Files), QStringList());
    }

    // Each failure names its cause and shows the choosing view again, never
    // the finished view. The program group is made only once the program
    // files are there, and a failed attempt leaves it as it found it.
    void failuresReturnToChoosing_data()
    {
        QTest::addColumn<QStringList>("leaveOut");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<bool>("german");
        QTest::addColumn<bool>("earlierGroup");
        QTest::addColumn<QString>("box");
        const QString longName(300, QLatin1Char('n'));
        QTest::newRow("no SETUP1.EXE") << QStringList{"SETUP1.EXE"} << "C:\\Program Files\\Kelpa\\"
                                       << false << true << "KELPA.EXE: File not found!";
        QTest::newRow("a regular file") << QStringList() << "C:\\blocker" << false << false
                                        << "C:\\blocker\\: Not a folder (a file is in the way)!";
        QTest::newRow("below a regular file")
            << QStringList() << "C:\\blocker\\Kelpa" << false << true
            << "C:\\blocker\\Kelpa\\: Not a folder (a file is in the way)!";
        QTest::newRow("below a regular file, German")
            << QStringList() << "C:\\blocker\\Kelpa" << true << false
            << "C:\\blocker\\Kelpa\\: Kein Ordner (eine Datei steht im Weg)!";
        QTest::newRow("name too long") << QStringList() << "C:\\" + longName << false << true
                                       << "C:\\" + longName + "\\: Name too long or not allowed!";
        QTest::newRow("drive that does not exist")
            << QStringList() << "D:\\x" << false << true << "D:\\x\\: Drive not ready!";
        QTest::newRow("double quote") << QStringList() << "C:\\a\"b" << false << true
                                      << "C:\\a\"b\\: Name too long or not allowed!";
        QTest::newRow("settings file a folder, first installation")
            << QStringList() << "C:\\Taken" << false << false << "KELPA.INI: Could not be written!";
        QTest::newRow("settings file a folder, German")
            << QStringList() << "C:\\Taken" << true << true
            << "KELPA.INI: Konnte nicht geschrieben werden!";
    }
    void failuresReturnToChoosing()
    {
        QFETCH(QStringList, leaveOut);
        QFETCH(QString, directory);
        QFETCH(bool, german);
        QFETCH(bool, earlierGroup);
        QFETCH(QString, box);
        const QString shipped = EnterShippedSet(leaveOut);
        QVERIFY(WriteBytes(Home() + "/blocker", "a file"));
        QVERIFY(QDir().mkpath(Home() + "/Taken/KELPA.INI"));
        const QString earlier = Applications() + "/Kelpa/Kelpa.desktop";
        if (earlierGroup)
            QVERIFY(QDir().mkpath(Applications() + "/Kelpa") &&
                    WriteBytes(earlier, "an earlier installation's entry"));
        InstallerScript script({german ? Language::Deutsch : Language::English, directory, true});
        MsgBoxScript boxes;
        boxes.expect(box, platform::vbOK).withStyle(16).withTitle("Kelpa");
        QVERIFY(RunInstaller());
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(script.ReturnedToChoosing);
        QCOMPARE(script.FinishedHeading, QString());
        QCOMPARE(GroupEntries(), earlierGroup ? QStringList{"Kelpa.desktop"} : QStringList());
        if (earlierGroup)
            QCOMPARE(ReadBytes(earlier), QByteArray("an earlier installation's entry"));
        else
            QVERIFY(!QFileInfo::exists(Applications() + "/Kelpa"));
        QVERIFY(!QFileInfo::exists(Home() + "/a\"b"));
        QVERIFY(!QFileInfo::exists(shipped + "/KELPA.TMP"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    // Cancel before OK copies nothing; every way out deletes the lock file.
    void waysOut_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("close box") << "close";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("background closed") << "background";
    }
    void waysOut()
    {
        QFETCH(QString, way);
        const QString shipped = EnterShippedSet();
        QVERIFY(WriteBytes(shipped + "/KELPA.TMP", ""));
        FormInstall& install = InstallDialogInEnglish();
        install.Show();
        QVERIFY(EndsProgram([&] {
            if (way == "cancel")
                install.CommandCancel->click();
            else if (way == "close")
                install.close();
            else if (way == "escape")
                QTest::keyClick(&install, Qt::Key_Escape);
            else
                FormBackground::Instance().close();
        }));
        CloseInstaller();
        QVERIFY(!QFileInfo::exists(shipped + "/KELPA.TMP"));
        QVERIFY(!QFileInfo::exists(Home() + "/Program Files"));
        QCOMPARE(GroupEntries(), QStringList());
    }

    // Cancel or Escape while the two seconds run: the program ends without
    // the finished view and with the cursor back; a failed attempt leaves
    // no group, a whole one keeps it.
    void cancelDuringTheWait_data()
    {
        QTest::addColumn<QString>("directory");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<int>("entries");
        QTest::newRow("installed") << "C:\\Program Files\\Kelpa" << false << 4;
        QTest::newRow("settings file a folder") << "C:\\Taken" << false << 0;
        QTest::newRow("settings file a folder, Escape") << "C:\\Taken" << true << 0;
    }
    void cancelDuringTheWait()
    {
        QFETCH(QString, directory);
        QFETCH(bool, escape);
        QFETCH(int, entries);
        const QString shipped = EnterShippedSet();
        QVERIFY(WriteBytes(shipped + "/KELPA.TMP", ""));
        QVERIFY(QDir().mkpath(Home() + "/Taken/KELPA.INI"));
        FormInstall& install = InstallDialogInEnglish();
        install.Timer1.setInterval(60000);
        install.Show();
        install.TextDirectory->setText(directory);
        install.CommandOK->click();
        QVERIFY(install.Timer1.Enabled());
        QVERIFY(QApplication::overrideCursor() != nullptr);
        QVERIFY(EndsProgram([&] {
            if (escape)
                QTest::keyClick(&install, Qt::Key_Escape);
            else
                install.CommandCancel->click();
        }));
        QVERIFY(!install.Timer1.Enabled());
        QVERIFY(install.Label4->isHidden());
        QCOMPARE(GroupEntries().size(), entries);
        CloseInstaller();
        QVERIFY(!QFileInfo::exists(shipped + "/KELPA.TMP"));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        install.Timer1.setInterval(2000);
    }

    // The chooser starts in the current folder, without a blank after its
    // backslash; its answer replaces the proposal, Cancel keeps it.
    void changeDirectory_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("chosen") << false;
        QTest::newRow("cancelled") << true;
    }
    void changeDirectory()
    {
        QFETCH(bool, cancel);
        EnterShippedSet();
        FormInstall& install = InstallDialogInEnglish();
        install.Show();
        const QString start = platform::CurDir() + QLatin1Char('\\');
        {
            testsupport::ChooseScript choosers;
            choosers
                .expectAction([&](platform::Form& chooser) {
                    const auto* text = chooser.findChild<QLineEdit*>(QStringLiteral("TextSearch"));
                    QVERIFY(text);
                    QCOMPARE(text->text(), start);
                    if (cancel)
                        testsupport::ChooseScript::cancel(chooser);
                    else
                        testsupport::ChooseScript::typeAndOk(chooser, QStringLiteral("C:\\Tools"));
                })
                .withTitle(KELPA::LanguageText[369])
                .withFilter(QString());
            install.CommandChangeDirectory->click();
            KELPA_VERIFY_CHOOSERS(choosers);
        }
        QCOMPARE(install.TextDirectory->text(), cancel
                                                    ? QStringLiteral("C:\\Program Files\\Kelpa\\")
                                                    : QStringLiteral("C:\\Tools"));
        QCOMPARE(KELPA::ChosenPath, QString());
        QVERIFY(EndsProgram([&] { install.CommandCancel->click(); }));
        CloseInstaller();
    }
};

KELPA_TEST_MAIN(TestInstaller)
#include "test_installer.moc"
