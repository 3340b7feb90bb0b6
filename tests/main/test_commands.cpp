// The main window's commands: which entries a run disables, files dropped on
// the window, the toggles, the clear commands, the recent pages, the chooser
// and the assistant questions, the pop-up window and its clipboard copy.

#include "main/FormInfo.h"
#include "main/FormKelpa.h"
#include "main/FormKontext.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "platform/shell/Desktop.h"
#include "preview/FormPreview.h"
#include "tests/main/RunFixture.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/ModalAnswer.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "tools/FormAssistant.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

using namespace testsupport;
using namespace KELPA;

namespace {

// Drops the file name of the current folder onto the main window.
void Drop(const QString& name)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QDir::current().absoluteFilePath(name))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&FormKelpa::Instance(), &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&FormKelpa::Instance(), &drop);
}

QString Here(const QString& name)
{
    return platform::CurDir() + QStringLiteral("\\") + name;
}

QAction* Entry(const QString& name)
{
    return FormKelpa::Instance().MenuEntry(name.toLatin1().constData());
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    // Ctrl+X is the Exit entry's key: it goes to the menu while the entry is
    // enabled, and to the text box (cut) while it is not.
    void menuKeysComeBeforeEditingKeys()
    {
        EnterTestFolder();
        FormKelpa& form = FormKelpa::Instance();
        FormHTTP& http = FormHTTP::Instance();
        form.show();
        QApplication::setActiveWindow(&form);
        http.Text1->setEnabled(true);
        http.Text1->setText(QStringLiteral("http://site/"));
        http.Text1->setFocus();
        http.Text1->selectAll();
        IdleExit = 0;
        Entry(QStringLiteral("MenuExit"))->setEnabled(true);
        form.CommandExit->setEnabled(true);
        {
            MsgBoxScript boxes;
            boxes.expect(QStringLiteral("Exit the program?"), platform::vbNo,
                         MsgBoxScript::Match::Contains);
            QTest::keyClick(http.Text1, Qt::Key_X, Qt::ControlModifier);
            KELPA_VERIFY_MSGBOXES(boxes);
        }
        QCOMPARE(http.Text1->text(), QStringLiteral("http://site/"));
        Entry(QStringLiteral("MenuExit"))->setEnabled(false);
        http.Text1->selectAll();
        QTest::keyClick(http.Text1, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(http.Text1->text(), QString());
        Entry(QStringLiteral("MenuExit"))->setEnabled(true);
    }

    // File > Open... and its key Ctrl+O take the chosen local page as the
    // start URL of a new search.
    void openTakesAChosenPage_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("menu entry") << false;
        QTest::newRow("Ctrl+O") << true;
    }
    void openTakesAChosenPage()
    {
        QFETCH(bool, byKey);
        EnterTestFolder();
        FormKelpa& form = FormKelpa::Instance();
        FormHTTP& http = FormHTTP::Instance();
        form.show();
        QApplication::setActiveWindow(&form);
        Entry(QStringLiteral("MenuOpen"))->setEnabled(true);
        form.OptionContinue->setChecked(true);
        http.Text1->setText(QStringLiteral("http://site/"));
        http.Text2->setText(QStringLiteral("index.html"));
        ChooseScript choosers;
        choosers.expectPath(Here(QStringLiteral("page.html")))
            .withTitle(LanguageText[33])
            .withFilter(QStringLiteral("*.htm;*.html;*.shtml;*.map"));
        if (byKey)
            QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        else
            Entry(QStringLiteral("MenuOpen"))->trigger();
        KELPA_VERIFY_CHOOSERS(choosers);
        QCOMPARE(http.Text1->text(), Here(QStringLiteral("page.html")));
        QCOMPARE(http.Text2->text(), QString());
        QVERIFY(form.OptionNew->isChecked());
        QVERIFY(ChosenPath.isEmpty());
    }

    // Help > Info shows the about window and returns at once.
    void infoShowsTheAboutWindow()
    {
        FormInfo& info = FormInfo::Instance();
        info.Unload();
        Entry(QStringLiteral("MenuInfo"))->trigger();
        QVERIFY(info.Visible());
        info.Unload();
    }

    void enabledWhileIdleAndRunning_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("idle");
        QTest::addColumn<bool>("running");
        const std::tuple<const char*, bool, bool> rows[] = {
            {"MenuNew", true, false},       {"MenuOpen", true, false},
            {"MenuStart", true, false},     {"MenuCancel", false, true},
            {"MenuStop", false, true},      {"MenuChooseInputfile", true, false},
            {"MenuOpenTask", true, false},  {"MenuSaveTask", true, false},
            {"MenuAssistant", true, false}, {"MenuClearGenerated", true, false},
            {"MenuExit", true, true},       {"MenuSaveSettings", true, true},
            {"MenuHTTP", true, true},       {"MenuOptions", true, true},
            {"MenuEdit", true, true},       {"MenuPreview", true, true},
            {"MenuAlign", true, true},      {"MenuHide", true, true},
            {"MenuMemo", true, true},       {"MenuLicense", true, true},
            {"MenuWebPage", true, true},    {"MenuInfo", true, true},
        };
        for (const auto& [entry, idle, running] : rows)
            QTest::newRow(entry) << QString::fromLatin1(entry) << idle << running;
    }
    void enabledWhileIdleAndRunning()
    {
        QFETCH(QString, entry);
        QFETCH(bool, idle);
        QFETCH(bool, running);
        PrepareRun(Url(QStringLiteral("index.html")), 0);
        TransferDouble transfer(LevelSite());
        int duringRun = -1;
        transfer.during = [&](const QString&) { duringRun = Entry(entry)->isEnabled() ? 1 : 0; };
        QVERIFY(!StartRun());
        QCOMPARE(duringRun, running ? 1 : 0);
        QCOMPARE(Entry(entry)->isEnabled(), idle);
    }

    // Only .TSK and .INP files count, compared case-blind; a drop during a run
    // is ignored, as the entries that load them are disabled then.
    void dropOnWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("duringRun");
        QTest::addColumn<QString>("task");  // TaskFile afterwards
        QTest::addColumn<QString>("input"); // InputFile afterwards
        QTest::newRow("task, lower case") << "job.tsk" << false << "job.tsk"
                                          << "KELPA.INP";
        QTest::newRow("input list") << "list.INP" << false << ""
                                    << "list.INP";
        QTest::newRow("text file ignored") << "notes.txt" << false << ""
                                           << "KELPA.INP";
        QTest::newRow("task during a run") << "job.tsk" << true << ""
                                           << "KELPA.INP";
        QTest::newRow("list during a run") << "list.INP" << true << ""
                                           << "KELPA.INP";
    }
    void dropOnWindow()
    {
        QFETCH(QString, name);
        QFETCH(bool, duringRun);
        QFETCH(QString, task);
        QFETCH(QString, input);
        PrepareRun(Url(QStringLiteral("index.html")), 0);
        TaskFile.clear();
        WriteFile(name, name.endsWith(QStringLiteral("INP")) ? Records({"a.html", "b.html"})
                                                             : QByteArray("Depth=3\r\n"));
        if (duringRun) {
            TransferDouble transfer(LevelSite());
            transfer.during = [&](const QString&) { Drop(name); };
            QVERIFY(!StartRun());
        } else {
            Drop(name);
        }
        QCOMPARE(TaskFile, task.isEmpty() ? task : Here(task));
        QCOMPARE(InputFile, input == QStringLiteral("KELPA.INP") ? input : Here(input));
        if (!task.isEmpty())
            QCOMPARE(Depth, int16_t(3));
        QCOMPARE(FormKelpa::Instance().CheckListe->isChecked(), !duringRun && name.endsWith("INP"));
        FormKelpa::Instance().CheckListe->setChecked(false);
    }

    // Each toggle flips once, whether called from code or clicked in the menu.
    void toggles_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("fromMenu");
        for (const char* entry : {"MenuToolbar", "MenuProtocol", "MenuSaveSettingsAutomatically"}) {
            QTest::addRow("%s called", entry) << QString::fromLatin1(entry) << false;
            QTest::addRow("%s clicked", entry) << QString::fromLatin1(entry) << true;
        }
    }
    void toggles()
    {
        QFETCH(QString, entry);
        QFETCH(bool, fromMenu);
        FormKelpa& form = FormKelpa::Instance();
        const auto state = [&]() -> std::pair<QWidget*, int16_t&> {
            if (entry == QStringLiteral("MenuToolbar"))
                return {form.PictureButtons, ShowToolbar};
            if (entry == QStringLiteral("MenuProtocol"))
                return {form.PictureList, ShowProtocol};
            return {nullptr, SaveSettingsAutomatically};
        };
        QAction* action = Entry(entry);
        action->setChecked(true);
        state().second = 1;
        for (const bool expected : {false, true}) {
            if (fromMenu)
                action->trigger();
            else if (entry == QStringLiteral("MenuToolbar"))
                form.MenuToolbar_Click();
            else if (entry == QStringLiteral("MenuProtocol"))
                form.MenuProtocol_Click();
            else
                form.MenuSaveSettingsAutomatically_Click();
            QCOMPARE(action->isChecked(), expected);
            QCOMPARE(state().second, int16_t(expected ? 1 : 0));
            if (QWidget* panel = state().first)
                QCOMPARE(panel->isHidden(), !expected);
        }
    }

    void clearStatus()
    {
        PrepareRun(QString(), 0);
        FormKelpa& form = FormKelpa::Instance();
        FilesLoaded = 4;
        FilesKept = 2;
        BytesLoaded = 5000;
        BytesKept = 100;
        Entry(QStringLiteral("MenuClearStatus"))->setEnabled(true);
        form.MenuClearStatus_Click();
        QCOMPARE(FilesLoaded + FilesKept, 0);
        QCOMPARE(BytesLoaded + BytesKept, int64_t(0));
        QVERIFY(!Entry(QStringLiteral("MenuClearStatus"))->isEnabled());
        QVERIFY(Log().endsWith("*** Status reset ***\r\n\r\n"));
    }

    // The list empties, KELPA.LOG stays, the clear button moves back.
    void clearProtocol()
    {
        PrepareRun(QString(), 0);
        FormKelpa& form = FormKelpa::Instance();
        for (int i = 0; i < 12; ++i)
            form.logging(QStringLiteral("line %1").arg(i));
        const QByteArray log = Log();
        Entry(QStringLiteral("MenuClearProtocol"))->setEnabled(true);
        form.CommandClearProtocol->click();
        QCOMPARE(form.ListLogging->count(), 0);
        QCOMPARE(LogLineCount, int16_t(0));
        QVERIFY(!Entry(QStringLiteral("MenuClearProtocol"))->isEnabled());
        QCOMPARE(platform::Place(form.CommandClearProtocol).Left,
                 platform::ToTwips(platform::ToPixels(form.Width() - 430)));
        QCOMPARE(Log(), log);
    }

    void clearRecentPages_data()
    {
        QTest::addColumn<bool>("all");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<QStringList>("kept");
        // The rebuilt menu moves the remaining pages up.
        QTest::newRow("inactive") << false << 0 << QStringList{"p1.htm", "p3.htm", ""};
        QTest::newRow("all, yes") << true << int(platform::vbYes) << QStringList{"", "", ""};
        QTest::newRow("all, no") << true << int(platform::vbNo)
                                 << QStringList{"p1.htm", "gone.htm", "p3.htm"};
    }
    void clearRecentPages()
    {
        QFETCH(bool, all);
        QFETCH(int, answer);
        QFETCH(QStringList, kept);
        EnterTestFolder();
        FormKelpa& form = FormKelpa::Instance();
        WriteFile(QStringLiteral("p1.htm"), "<html>1</html>");
        WriteFile(QStringLiteral("p3.htm"), "<html>3</html>");
        Page.fill(QString());
        Page[1] = Here(QStringLiteral("p1.htm"));
        Page[2] = Here(QStringLiteral("gone.htm"));
        Page[3] = Here(QStringLiteral("p3.htm"));
        form.URLListe(1);
        MsgBoxScript boxes;
        if (answer != 0)
            boxes.expect(QStringLiteral("Remove all Entries?"), answer)
                .withStyle(292)
                .withTitle(QStringLiteral("Kelpa"));
        if (all)
            form.MenuClearAll_Click();
        else
            form.MenuClearInactive_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(Page[i + 1], kept[i].isEmpty() ? QString() : Here(kept[i]));
    }

    // A recent page or the web page the desktop cannot open is told in a box.
    void openPages_data()
    {
        QTest::addColumn<bool>("webPage");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("told");
        QTest::newRow("recent page opened") << false << int(platform::SE_STARTED) << false;
        QTest::newRow("recent page, no program") << false << int(platform::SE_ERR_NOASSOC) << true;
        QTest::newRow("recent page, missing") << false << int(platform::SE_ERR_FNF) << false;
        QTest::newRow("web page opened") << true << int(platform::SE_STARTED) << false;
        QTest::newRow("web page, missing") << true << int(platform::SE_ERR_FNF) << true;
    }
    void openPages()
    {
        QFETCH(bool, webPage);
        QFETCH(int, result);
        QFETCH(bool, told);
        Page[2] = QStringLiteral("C:\\site\\index.htm");
        QString opened;
        const auto previous =
            platform::SetShellExecuteHook([&](const QString& file, const QString&) {
                opened = file;
                return result;
            });
        MsgBoxScript boxes;
        if (told)
            boxes.expect(QStringLiteral("Could not start Internet Browser."), platform::vbOK)
                .withStyle(48);
        if (webPage)
            Entry(QStringLiteral("MenuWebPage"))->trigger();
        else
            FormKelpa::Instance().MenuURLListe_Click(2);
        platform::SetShellExecuteHook(previous);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(opened, webPage ? QStringLiteral("http://www.kelpa.example/") : Page[2]);
        QCOMPARE(ApiResult, result);
    }

    // Every document a help command opens from the program's folder lies
    // beside the built program, in both languages.
    void helpPagesLieBesideTheProgram_data() { testsupport::LanguageRows(); }
    void helpPagesLieBesideTheProgram()
    {
        QFETCH(QString, language);
        TexteLaden(language);
        QStringList opened;
        const auto previous =
            platform::SetShellExecuteHook([&](const QString& file, const QString&) {
                opened << file;
                return int(platform::SE_STARTED);
            });
        for (const char* command : {"MenuLicense", "MenuWebPage"})
            Entry(QString::fromLatin1(command))->trigger();
        platform::SetShellExecuteHook(previous);
        TexteLaden(QStringLiteral("english"));
        const QString here = platform::FromLinuxPath(QCoreApplication::applicationDirPath());
        QStringList missing;
        for (const QString& document : opened) {
            if (!document.startsWith(here + QLatin1Char('\\')))
                continue; // a web address
            const QString name = document.mid(here.size() + 1);
            if (!QFileInfo(QStringLiteral(KELPA_PROGRAM_FOLDER "/") + name).isFile())
                missing << name;
        }
        QVERIFY(!opened.isEmpty());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    // A prepared completion is given up only on Yes; the chooser's path is
    // taken as the input file and cleared.
    void questionsBeforeCompletionIsLost_data()
    {
        QTest::addColumn<bool>("assistant");
        QTest::addColumn<int>("answer");
        QTest::newRow("assistant, yes") << true << int(platform::vbYes);
        QTest::newRow("assistant, no") << true << int(platform::vbNo);
        QTest::newRow("input file, yes") << false << int(platform::vbYes);
        QTest::newRow("input file, no") << false << int(platform::vbNo);
    }
    void questionsBeforeCompletionIsLost()
    {
        QFETCH(bool, assistant);
        QFETCH(int, answer);
        PrepareRun(QStringLiteral("http://site/index.html"), 0);
        FormKelpa& form = FormKelpa::Instance();
        WriteFile(QStringLiteral("other.inp"), Records({"a.html"}));
        form.OptionContinue->setChecked(true);
        MsgBoxScript boxes;
        ChooseScript choosers;
        // The assistant, once shown, is cancelled at its first step.
        ModalAnswer cancelled("FormAssistant", [](platform::Form&) {
            FormAssistant::Instance().CommandBack_Click();
        });
        if (!assistant && answer == platform::vbYes)
            choosers.expectPath(Here(QStringLiteral("other.inp"))).withTitle(LanguageText[68]);
        boxes
            .expect(QStringLiteral("Do you want to Continue?"), answer,
                    MsgBoxScript::Match::Contains)
            .withStyle(68)
            .withTitle(assistant ? QStringLiteral("Kelpa Assistant")
                                 : QStringLiteral("Kelpa [Choose Input File...]"));
        if (assistant)
            form.MenuAssistant_Click();
        else
            form.MenuChooseInputFile_Click();
        KELPA_VERIFY_MSGBOXES(boxes);
        KELPA_VERIFY_CHOOSERS(choosers);
        const bool yes = answer == platform::vbYes;
        QCOMPARE(cancelled.shown(), assistant && yes ? 1 : 0);
        QVERIFY(!cancelled.leftOpen());
        QCOMPARE(form.OptionContinue->isChecked(), !yes || !assistant);
        if (assistant)
            QCOMPARE(FormHTTP::Instance().Text1->text().isEmpty(), yes);
        else
            QCOMPARE(InputFile,
                     yes ? Here(QStringLiteral("other.inp")) : QStringLiteral("KELPA.INP"));
        QVERIFY(ChosenPath.isEmpty());
        form.CheckListe->setChecked(false);
    }

    // The work files go (KELPA.GOT only when pages are not refreshed); the
    // start modes are closed. The exit is kept disabled so the test goes on.
    void clearGenerated_data()
    {
        QTest::addColumn<int>("refresh");
        QTest::newRow("got removed") << 0;
        QTest::newRow("got kept when refreshing") << 1;
    }
    void clearGenerated()
    {
        QFETCH(int, refresh);
        PrepareRun(QString(), 0);
        FormKelpa& form = FormKelpa::Instance();
        RefreshHTML = int16_t(refresh);
        for (const char* name : {"KELPA.NOT", "KELPA.BAK", "KELPA.GOT", "KELPA.LOG", "KELPA.INP"})
            WriteFile(QLatin1String(name), "x\r\n");
        form.CommandExit->setEnabled(false);
        form.MenuClearGenerated_Click();
        form.CommandExit->setEnabled(true);
        QCOMPARE(platform::FileExists(QStringLiteral("KELPA.GOT")), refresh == 1);
        for (const char* name : {"KELPA.NOT", "KELPA.BAK", "KELPA.LOG"})
            QVERIFY(!platform::FileExists(QLatin1String(name)));
        QVERIFY(platform::FileExists(QStringLiteral("KELPA.INP")));
        QVERIFY(form.OptionNew->isChecked());
        QVERIFY(!form.OptionNew->isEnabled() && !form.OptionContinue->isEnabled());
        QVERIFY(!Entry(QStringLiteral("MenuClearGenerated"))->isEnabled());
        QCOMPARE(TotalsSuppressed, int16_t(1));
        form.OptionNew->setEnabled(true);
        form.OptionContinue->setEnabled(true);
        Entry(QStringLiteral("MenuClearGenerated"))->setEnabled(true);
    }

    // Only one preview is open: switching the kind replaces the open one.
    void previewKindSwitch()
    {
        FormKelpa& form = FormKelpa::Instance();
        QAction* top = Entry(QStringLiteral("MenuPreviewTop"));
        top->setChecked(false);
        PreviewTop = 0;
        form.MenuPreview_Click();
        QCOMPARE(PreviewOpen, int16_t(1));
        top->trigger();
        QVERIFY(top->isChecked());
        QCOMPARE(PreviewTop, int16_t(1));
        QCOMPARE(PreviewOpen, int16_t(0));
        QCOMPARE(PreviewTopOpen, int16_t(1));
        top->trigger();
        QCOMPARE(PreviewTop, int16_t(0));
        QCOMPARE(PreviewOpen, int16_t(1));
        QCOMPARE(PreviewTopOpen, int16_t(0));
        FormPreview::Instance().Unload();
    }

    // After a first start the assistant timer runs the assistant command.
    void assistantTimerAsksFirst()
    {
        PrepareRun(QStringLiteral("http://site/index.html"), 0);
        FormKelpa& form = FormKelpa::Instance();
        form.OptionContinue->setChecked(true);
        MsgBoxScript boxes;
        boxes
            .expect(QStringLiteral("Do you want to Continue?"), platform::vbNo,
                    MsgBoxScript::Match::Contains)
            .withStyle(68);
        form.TimerAssistant.setEnabled(true);
        form.TimerAssistant.fire();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(!form.TimerAssistant.Enabled());
        QCOMPARE(ReadFile(QStringLiteral("KELPA.INI")), QByteArray("AssistantOffered=1\r\n"));
        QVERIFY(form.OptionContinue->isChecked());
    }

    void newSearch()
    {
        PrepareRun(QStringLiteral("http://site/old.html"), 0);
        FormKelpa& form = FormKelpa::Instance();
        form.OptionContinue->setChecked(true);
        Entry(QStringLiteral("MenuNew"))->trigger();
        QVERIFY(form.OptionNew->isChecked());
        QCOMPARE(FormHTTP::Instance().Text1->text(), QStringLiteral("http://"));
        QCOMPARE(FormHTTP::Instance().Text1->cursorPosition(), 7);
    }

    void saveSettings()
    {
        PrepareRun(QString(), 0);
        Depth = 4;
        Entry(QStringLiteral("MenuSaveSettings"))->trigger();
        QVERIFY(ReadFile(QStringLiteral("KELPA.INI")).contains("Depth=4"));
        QVERIFY(Log().endsWith("Saved to  KELPA.INI\r\n"));
    }

    // Enter on the functions panel starts a run only while CommandStart is enabled.
    void enterKeyStarts_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("start enabled") << true;
        QTest::newRow("start disabled") << false;
    }
    void enterKeyStarts()
    {
        QFETCH(bool, enabled);
        PrepareRun(Url(QStringLiteral("index.html")), 0);
        FormKelpa& form = FormKelpa::Instance();
        TransferDouble transfer(LevelSite());
        form.CommandStart->setEnabled(enabled);
        QTest::keyClick(form.PictureFunctions, Qt::Key_Return);
        QCOMPARE(transfer.fetched.isEmpty(), !enabled);
        form.CommandStart->setEnabled(true);
    }

    void logShownInEditorWhenNotEmpty()
    {
        PrepareRun(QString(), 0);
        int shown = 0;
        platform::SetTextEditorHook([&](const QString& path) {
            ++shown;
            return path == QStringLiteral("KELPA.LOG");
        });
        FormKelpa& form = FormKelpa::Instance();
        form.ListLogging_DblClick();
        QCOMPARE(shown, 0);
        form.logging(QStringLiteral("something"));
        form.ListLogging_DblClick();
        platform::SetTextEditorHook({});
        QCOMPARE(shown, 1);
        QCOMPARE(ApiResult, int32_t(platform::SE_STARTED));
    }

    // A right press on the tool bar at (100, 50) twips: 10 twips right of the
    // window's left edge, 550 below its top; the functions panel adds its top.
    void popUpPlace_data()
    {
        QTest::addColumn<bool>("functions");
        QTest::addColumn<int>("button");
        QTest::newRow("tool bar, right") << false << int(Qt::RightButton);
        QTest::newRow("functions, right") << true << int(Qt::RightButton);
        QTest::newRow("tool bar, left") << false << int(Qt::LeftButton);
    }
    void popUpPlace()
    {
        QFETCH(bool, functions);
        QFETCH(int, button);
        FormKelpa& form = FormKelpa::Instance();
        FormKontext& popUp = FormKontext::Instance();
        popUp.Unload();
        PopupLeft = PopupTop = -1;
        const auto pressed = Qt::MouseButton(button);
        if (functions)
            form.PictureFunctions_MouseDown(pressed, 100, 50);
        else
            form.PictureButtons_MouseDown(pressed, 100, 50);
        if (pressed != Qt::RightButton) {
            QVERIFY(!popUp.Loaded());
            return;
        }
        const double below = functions ? platform::Place(form.PictureFunctions).Top : 0;
        QCOMPARE(PopupLeft, double(float(form.Left() + 10)));
        QCOMPARE(PopupTop, double(float(form.Top() + 550 + below)));
        QVERIFY(popUp.Loaded());
        QCOMPARE(popUp.Height(), 975.0);
        popUp.Unload();
    }

    // The pop-up shows the tool bar's state; its press shows it and closes.
    void popUpTogglesToolbar()
    {
        FormKelpa& form = FormKelpa::Instance();
        if (ShowToolbar == 1)
            form.MenuToolbar_Click();
        FormKontext& popUp = FormKontext::Instance();
        popUp.Show();
        QVERIFY(!popUp.Check1->isChecked());
        QTest::mousePress(popUp.Check1, Qt::LeftButton);
        QCOMPARE(ShowToolbar, int16_t(1));
        QVERIFY(!form.PictureButtons->isHidden());
        QVERIFY(!popUp.Loaded());
    }

    // A real right press on the tool bar opens the pop-up; activating the main
    // window closes it again.
    void popUpFromPressAndClosedByActivation()
    {
        FormKelpa& form = FormKelpa::Instance();
        FormKontext& popUp = FormKontext::Instance();
        QTest::mousePress(form.PictureButtons, Qt::RightButton, {}, QPoint(15, 10));
        QVERIFY(popUp.Loaded());
        QCOMPARE(PopupLeft, double(float(form.Left() + 225 - 90)));
        QCOMPARE(PopupTop, double(float(form.Top() + 150 + 500)));
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&form, &activate);
        QVERIFY(!popUp.Loaded());
    }

    // Escape closes the pop-up, whichever of its items has the focus.
    void popUpClosedByEscape_data()
    {
        QTest::addColumn<bool>("onItem");
        QTest::newRow("the pop-up") << false;
        QTest::newRow("an item") << true;
    }
    void popUpClosedByEscape()
    {
        QFETCH(bool, onItem);
        FormKontext& popUp = FormKontext::Instance();
        FormKelpa::Instance().PictureButtons_MouseDown(Qt::RightButton, 100, 50);
        QVERIFY(popUp.Loaded());
        QTest::keyClick(onItem ? static_cast<QWidget*>(popUp.Check2) : &popUp, Qt::Key_Escape);
        QVERIFY(!popUp.Loaded());
    }

    void popUpCopiesLogLine_data()
    {
        QTest::addColumn<QString>("line"); // empty: none selected
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("line selected") << " copied line "
                                       << " copied line ";
        QTest::newRow("blank line") << "   "
                                    << "before";
        QTest::newRow("nothing selected") << ""
                                          << "before";
    }
    void popUpCopiesLogLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, clipboard);
        FormKelpa& form = FormKelpa::Instance();
        form.ClearLog();
        if (!line.isEmpty()) {
            form.ListLogging->addItem(line);
            form.ListLogging->setCurrentRow(0);
        }
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        FormKontext& popUp = FormKontext::Instance();
        popUp.Show();
        QTest::mouseDClick(&popUp, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
        popUp.Unload();
    }
};

KELPA_TEST_MAIN(TestCommands)
#include "test_commands.moc"
