// The options window as a user and the other windows meet it: what loading
// shows, what each edit writes, the dependent switches, the family boxes
// under clicks, "Auto", "?" and "Dirs", the background, the first showing,
// pasted control characters and the stored position.

#include "main/FormKelpa.h"
#include "main/FormMemo.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "preview/FileList.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "tests/main/RunFixture.h"
#include "tests/support/ChooseScript.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tools/FormChoose.h"
#include "transfer/FormHTTP.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

#include <algorithm>

#include <sys/stat.h>

using namespace testsupport;
using namespace KELPA;

namespace {

FormOptions& Options()
{
    return FormOptions::Instance();
}

// Settings of a quiet window: nothing shown at the first load.
void QuietSettings()
{
    PrepareRun(QStringLiteral("http://site/dir/page.html"), 1);
    Options().OptionsFirstShown = 1;
    Exclude.clear();
    NoSite.clear();
    OnlySite.clear();
    HomePrefix.clear();
    OnlySiteRun.clear();
    Background.clear();
    UserIcon.clear();
    UserTitle.clear();
    RestHome = 0;
    Timeout = 120;
    MinFileSize = MaxFileSize = 0;
    MaxkBytes = 0;
    KELPA::WindowState = 0;
}

FormOptions& Opened()
{
    Options().Unload();
    Options().Show();
    return Options();
}

} // namespace

class TestOptionsWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void cleanup() { Options().Unload(); }

    void loadShowsTheSettings()
    {
        QuietSettings();
        Directory = QStringLiteral("C:\\sites\\");
        Depth = 3;
        Timeout = 240;
        MaxkBytes = 2000000;
        NoSite = QStringLiteral("ads");
        OnlySite = QStringLiteral("site");
        Exclude = QStringLiteral("GIF PNG jpg");
        LocalBrowsing = 1;
        SaveHTML = 1;
        LongFilenames = 0;
        SubDirectories = 0;
        AcceptRelocation = 1;
        AcceptMetaRefresh = 0;
        FormOptions& o = Opened();
        QCOMPARE(OptionsOpen, int16_t(1));
        QCOMPARE(o.Caption(), QStringLiteral("Options"));
        QCOMPARE(o.TextDirectory->text(), QStringLiteral("C:\\sites\\"));
        QCOMPARE(o.TextDepth->text(), QStringLiteral("3"));
        QCOMPARE(o.TextTimeout->text(), QStringLiteral("240"));
        QCOMPARE(o.TextMaxkBytes->text(), QStringLiteral("2000000"));
        QCOMPARE(o.TextNoSite->text(), QStringLiteral("ads"));
        QCOMPARE(o.TextOnlySite->text(), QStringLiteral("site"));
        QCOMPARE(OnlySiteRun, QStringLiteral("site"));
        QCOMPARE(o.CheckGIF->checkState(), Qt::Checked);
        QCOMPARE(o.CheckJPG->checkState(), Qt::PartiallyChecked);
        QCOMPARE(o.CheckZIP->checkState(), Qt::Unchecked);
        QVERIFY(o.CheckLocalBrowsing->isChecked());
        QVERIFY(o.CheckSaveHTML->isChecked() && !o.CheckSaveHTML->isEnabled());
        QVERIFY(o.CheckLongFileNames->isChecked());
        QVERIFY(!o.CheckSubDirectories->isEnabled());
        QVERIFY(o.CheckRelocation->isChecked());
        QVERIFY(!o.CheckMetaRefresh->isChecked());
        QVERIFY(o.TextRestHome->isHidden());
        QVERIFY(o.CommandAuto->isEnabled() && o.CommandDirs->isEnabled());
        // Loading changed nothing.
        QCOMPARE(Exclude, QStringLiteral("GIF PNG jpg"));
        QCOMPARE(LongFilenames, int16_t(0));
        QCOMPARE(Timeout, int16_t(240));
        o.Unload();
        QCOMPARE(OptionsOpen, int16_t(0));
        QCOMPARE(ShowOptions, int16_t(0));
    }

    void numberBoxes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("kept");
        QTest::addColumn<QString>("shown");
        QTest::newRow("time-out 90") << "TextTimeout"
                                     << "90" << qint64(120) << "120";
        QTest::newRow("time-out 150") << "TextTimeout"
                                      << "150" << qint64(120) << "120";
        QTest::newRow("time-out 210") << "TextTimeout"
                                      << "210" << qint64(240) << "240";
        QTest::newRow("time-out 61") << "TextTimeout"
                                     << "61" << qint64(60) << "60";
        QTest::newRow("time-out negative") << "TextTimeout"
                                           << "-5" << qint64(120) << "120";
        QTest::newRow("time-out beyond 16 bits") << "TextTimeout"
                                                 << "70000" << qint64(120) << "120";
        QTest::newRow("depth 100") << "TextDepth"
                                   << "100" << qint64(0) << "0";
        QTest::newRow("depth with letters") << "TextDepth"
                                            << "4abc" << qint64(4) << "4";
        QTest::newRow("depth empty") << "TextDepth"
                                     << "" << qint64(0) << "0";
        QTest::newRow("size beyond 16 bits keeps") << "TextMinFileSize"
                                                   << "40000" << qint64(7) << "7";
        QTest::newRow("size half to even") << "TextMaxFileSize"
                                           << "2.5" << qint64(2) << "2";
        QTest::newRow("volume above the limit") << "TextMaxkBytes"
                                                << "2097153" << qint64(0) << "0";
        QTest::newRow("volume at the limit") << "TextMaxkBytes"
                                             << "2097152" << qint64(2097152) << "2097152";
    }
    void numberBoxes()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(qint64, kept);
        QFETCH(QString, shown);
        QuietSettings();
        MinFileSize = MaxFileSize = 7;
        FormOptions& o = Opened();
        auto* edit = o.findChild<QLineEdit*>(box);
        edit->setText(typed);
        const auto variable = [&]() -> qint64 {
            if (box == QLatin1String("TextTimeout"))
                return Timeout;
            if (box == QLatin1String("TextDepth"))
                return Depth;
            if (box == QLatin1String("TextMinFileSize"))
                return MinFileSize;
            if (box == QLatin1String("TextMaxFileSize"))
                return MaxFileSize;
            return MaxkBytes;
        };
        QCOMPARE(variable(), kept);
        QCOMPARE(edit->text(), typed); // left as typed until the box is left
        QMetaObject::invokeMethod(&o, [&] {
            if (edit == o.TextTimeout)
                o.TextTimeout_LostFocus();
            else if (edit == o.TextDepth)
                o.TextDepth_LostFocus();
            else if (edit == o.TextMinFileSize)
                o.TextMinFileSize_LostFocus();
            else if (edit == o.TextMaxFileSize)
                o.TextMaxFileSize_LostFocus();
            else
                o.TextMaxkBytes_LostFocus();
        });
        QCOMPARE(edit->text(), shown);
        QCOMPARE(variable(), kept);
    }

    void dependentSwitches()
    {
        QuietSettings();
        LocalBrowsing = 0;
        SaveHTML = 1;
        LongFilenames = 1;
        SubDirectories = 1;
        FormOptions& o = Opened();
        o.CheckLocalBrowsing->setChecked(true);
        QCOMPARE(LocalBrowsing, int16_t(1));
        QVERIFY(o.CheckSaveHTML->isChecked() && !o.CheckSaveHTML->isEnabled());
        o.CheckLocalBrowsing->setChecked(false);
        QCOMPARE(SaveHTML, int16_t(0));
        QVERIFY(!o.CheckSaveHTML->isChecked() && o.CheckSaveHTML->isEnabled());

        o.CheckLongFileNames->setChecked(true);
        QCOMPARE(LongFilenames, int16_t(0));
        QCOMPARE(SubDirectories, int16_t(0));
        QVERIFY(!o.CheckSubDirectories->isEnabled());
        o.CheckLongFileNames->setChecked(false);
        QCOMPARE(LongFilenames, int16_t(1));
        QVERIFY(o.CheckSubDirectories->isEnabled() && !o.CheckSubDirectories->isChecked());

        HomePrefix = QStringLiteral(" site");
        o.CheckRestHome->setChecked(true);
        QCOMPARE(RestHome, int16_t(1));
        QVERIFY(!o.TextRestHome->isHidden());
        QVERIFY(HomePrefix.isEmpty());
        HomePrefix = QStringLiteral(" other");
        o.CheckRestHome->setChecked(false);
        QCOMPARE(RestHome, int16_t(0));
        QVERIFY(o.TextRestHome->isHidden() && o.TextRestHome->text().isEmpty());
        QCOMPARE(HomePrefix, QStringLiteral(" other"));
    }

    void familyClicks()
    {
        QuietSettings();
        Exclude = QStringLiteral("jpg CGI PHP3");
        FormOptions& o = Opened();
        QCOMPARE(o.CheckJPG->checkState(), Qt::PartiallyChecked);
        o.CheckJPG->click(); // grey: a click ticks
        QCOMPARE(o.CheckJPG->checkState(), Qt::Checked);
        QCOMPARE(Exclude, QStringLiteral("jpg CGI PHP3 JFI JFIF JPE JPEG"));
        o.CheckJPG->click();
        QCOMPARE(o.CheckJPG->checkState(), Qt::Unchecked);
        QCOMPARE(Exclude, QStringLiteral("CGI PHP3"));
        o.CheckJPG->click(); // unticked: a click never gives grey
        QCOMPARE(o.CheckJPG->checkState(), Qt::Checked);
        o.CheckCGI->click(); // grey (CGI only) -> ticked
        QCOMPARE(o.CheckCGI->checkState(), Qt::Checked);
        o.CheckCGI->click();
        QCOMPARE(Exclude, QStringLiteral("PHP3 JFI JFIF JPE JPEG JPG"));
        o.CommandDel3->click();
        QVERIFY(Exclude.isEmpty());
        QCOMPARE(o.CheckJPG->checkState(), Qt::Unchecked);
    }

    void sitePrefixesAreBlankedOnLeavingAndAtUnload()
    {
        QuietSettings();
        FormOptions& o = Opened();
        o.TextOnlySite->setText(QStringLiteral("HTTP://a http://b"));
        o.TextOnlySite_LostFocus();
        QCOMPARE(OnlySite, QStringLiteral("a        b"));
        QCOMPARE(OnlySiteRun, OnlySite);
        o.TextNoSite->setText(QStringLiteral("hTtP://ads"));
        o.Unload();
        QCOMPARE(NoSite, QStringLiteral("ads"));
    }

    // A paste brings line ends and tabs; no box lets them into the settings.
    void pastedControlCharacters()
    {
        QuietSettings();
        FormOptions& o = Opened();
        const QString pasted = QStringLiteral("a\r\nb\tc\x01");
        for (QLineEdit* box : {o.TextUserTitle, o.TextOnlySite, o.TextNoSite, o.TextExclude,
                               o.TextUserIcon, o.TextDirectory}) {
            box->setText(pasted);
            QCOMPARE(box->text(), QStringLiteral("a b c"));
        }
        QCOMPARE(UserTitle, QStringLiteral("a b c"));
        QCOMPARE(Directory, QStringLiteral("a b c"));
        Directory = QStringLiteral("site");
        FormKelpa::Instance().inischreiben(QStringLiteral("KELPA.INI"));
        const QByteArray ini = ReadFile(QStringLiteral("KELPA.INI"));
        QVERIFY(!ini.contains('\t') && !ini.contains('\x01'));
        QVERIFY(ini.contains("UserTitle=a b c\r\n"));
    }

    void autoDirectory()
    {
        QuietSettings();
        FormOptions& o = Opened();
        FormHTTP::Instance().Text1->setText(QStringLiteral("http://site:8080/a/b/index.html"));
        o.CommandAuto->click();
        QCOMPARE(Directory, platform::CurDir() + QStringLiteral("\\site_8080_a_b\\"));
        StandardDirectory = QStringLiteral("C:\\sites\\");
        o.CommandAuto->click();
        QCOMPARE(o.TextDirectory->text(), QStringLiteral("C:\\sites\\site_8080_a_b\\"));
        StandardDirectory.clear();
    }

    void directoryCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("kept"); // after the current directory
        QTest::newRow("relative") << "cache" << false << "\\cache\\";
        QTest::newRow("leading backslash") << "\\cache" << false << "\\cache\\";
        QTest::newRow("colon inside") << "C:\\x:y" << true << "\\";
        QTest::newRow("bar") << "a|b" << true << "\\";
        QTest::newRow("lone slash") << "/" << true << "\\";
    }
    void directoryCheck()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(QString, kept);
        QuietSettings();
        FormOptions& o = Opened();
        MsgBoxScript boxes;
        if (refused)
            boxes.expect(QStringLiteral("Error: Bad directory name!"), platform::vbOK)
                .withStyle(16)
                .withTitle(QStringLiteral("Kelpa"));
        o.TextDirectory->setText(typed);
        o.TextDirectory_LostFocus();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(DirectoryInvalid, int16_t(refused ? 1 : 0));
        QCOMPARE(Directory, platform::CurDir() + kept);
    }

    void linuxPathIsConverted()
    {
        QuietSettings();
        FormOptions& o = Opened();
        o.TextDirectory->setText(QDir::currentPath() + QStringLiteral("/sub"));
        o.NeuesVerzeichnis();
        QCOMPARE(Directory, platform::CurDir() + QStringLiteral("\\sub\\"));
        QCOMPARE(DirectoryInvalid, int16_t(0));
    }

    // The first chooser of the program is the directory's (the Standard
    // button shown before it ever loaded): later choosers show no Standard.
    void chooseDirectory()
    {
        QuietSettings();
        FormOptions& o = Opened();
        QVERIFY(QDir().mkpath(QStringLiteral("chosen")));
        ChooseScript choosers;
        choosers.expectCancel().withTitle(LanguageText[412]).withFilter(QString());
        choosers.expectPath(platform::CurDir() + QStringLiteral("\\chosen"));
        bool standardHidden = false;
        const auto noStandard = [&standardHidden](platform::Form& chooser) {
            standardHidden =
                chooser.findChild<QPushButton*>(QStringLiteral("CommandStandard"))->isHidden();
            ChooseScript::cancel(chooser);
        };
        choosers.expectAction(noStandard).withTitle(LanguageText[67]);
        o.CommandChooseDirectory->click();
        QCOMPARE(Directory, QStringLiteral("site"));
        o.CommandChooseDirectory->click();
        FormKelpa::Instance().MenuOpenTask_Click();
        KELPA_VERIFY_CHOOSERS(choosers);
        QVERIFY(standardHidden);
        QCOMPARE(Directory, platform::CurDir() + QStringLiteral("\\chosen\\"));
        QVERIFY(ChosenPath.isEmpty());
    }

    // A directory set in the window is listed in the open preview window,
    // counted in its caption with the directory as typed; one that does not
    // exist hides the list and leaves the caption alone.
    void directoryShownInPreview_data()
    {
        QTest::addColumn<bool>("top");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("exists");
        QTest::newRow("preview, existing folder") << false << "shown" << true;
        QTest::newRow("preview, missing folder") << false << "absent" << false;
        QTest::newRow("top preview, existing folder") << true << "shown\\" << true;
        QTest::newRow("top preview, missing folder") << true << "absent" << false;
    }
    void directoryShownInPreview()
    {
        QFETCH(bool, top);
        QFETCH(QString, typed);
        QFETCH(bool, exists);
        QuietSettings();
        QVERIFY(QDir().mkpath(QStringLiteral("site")));
        QVERIFY(QDir().mkpath(QStringLiteral("shown")));
        WriteFile(QStringLiteral("shown/a.html"), "<html>a</html>");
        WriteFile(QStringLiteral("shown/b.txt"), "b");
        PreviewWindow& preview =
            top ? static_cast<PreviewWindow&>(FormPreviewTop::Instance()) : FormPreview::Instance();
        preview.Show();
        const QString captionBefore = preview.Caption();
        const int countBefore = preview.FileCount();
        FormOptions& o = Opened();
        o.TextDirectory->setText(typed);
        o.TextDirectory_LostFocus();
        const QString folder = platform::CurDir() + QLatin1Char('\\') +
                               platform::Trim(typed).remove(QLatin1Char('\\'));
        QCOMPARE(Directory, folder + QLatin1Char('\\'));
        if (exists) {
            QCOMPARE(preview.FileCount(), 2);
            QCOMPARE(preview.Caption(),
                     QStringLiteral("Preview (2 Files, ") + typed + QLatin1Char(')'));
            QVERIFY(!preview.DateiListe->isHidden());
            QCOMPARE(preview.HighlightedPath(), folder + QStringLiteral("\\a.html"));
        } else {
            QCOMPARE(preview.FileCount(), countBefore);
            QCOMPARE(preview.Caption(), captionBefore);
            QVERIFY(preview.DateiListe->isHidden());
        }
        preview.Unload();
    }

    void dirs_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<QString>("after");
        QTest::newRow("directory, no question") << "http://h/dir/page.html"
                                                << "" << 0 << "/dir/";
        QTest::newRow("listed already, any case") << "http://h/dir/page.html"
                                                  << "/DIR/" << 0 << "/DIR/ ";
        QTest::newRow("host: Yes") << "http://h/page.html"
                                   << "x" << int(platform::vbYes) << "x h";
        QTest::newRow("host: No") << "http://h/page.html"
                                  << "x" << int(platform::vbNo) << "x ";
        QTest::newRow("host: Cancel") << "http://h/page.html"
                                      << "" << int(platform::vbCancel) << "";
    }
    void dirs()
    {
        QFETCH(QString, start);
        QFETCH(QString, before);
        QFETCH(int, answer);
        QFETCH(QString, after);
        QuietSettings();
        FormHTTP::Instance().Text1->setText(start);
        FormOptions& o = Opened();
        o.TextOnlySite->setText(before);
        MsgBoxScript boxes;
        if (answer != 0)
            boxes.expect(start + QStringLiteral(" is no directory. Adding 'h' anyway?"), answer)
                .withStyle(35);
        o.CommandDirs->click();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(o.TextOnlySite->text(), after);
        QCOMPARE(OnlySite, platform::Trim(after));
    }

    // The input list's records after the first, with a question for a host
    // only; Cancel ends the walk, and the list is closed either way.
    void dirsOverTheInputList()
    {
        QuietSettings();
        WriteFile(QStringLiteral("KELPA.INP"), "http://h/first/x.html\r\nx.html\r\n"
                                               "http://h/a/1.html\r\n1.html\r\n"
                                               "\r\n\r\n"
                                               "http://h/A/2.html\r\n2.html\r\n"
                                               "http://other/p.html\r\np.html\r\n"
                                               "http://h/b/3.html\r\n3.html\r\n");
        ListFile = InputFile;
        FormKelpa::Instance().CheckListe->setEnabled(true);
        FormKelpa::Instance().CheckListe->setChecked(true);
        FormHTTP::Instance().Text1->setText(QStringLiteral("http://h/start/x.html"));
        FormOptions& o = Opened();
        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("http://other/p.html"), platform::vbCancel,
                     MsgBoxScript::Match::Contains);
        o.OnlysiteDirs();
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(o.TextOnlySite->text(), QStringLiteral("/start/ /a/ "));
        QVERIFY(platform::FreeFile() == 1 || !platform::IsOpen(platform::FreeFile()));
        QCOMPARE(platform::Kill(QStringLiteral("KELPA.INP")), 0); // closed
        FormKelpa::Instance().CheckListe->setChecked(false);
    }

    void background()
    {
        QuietSettings();
        FormOptions& o = Opened();
        QMdiArea* backdrop = FormKelpa::Instance().MdiArea();
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QStringLiteral("back.png")));
        o.TextPicture->setText(QStringLiteral("back.png"));
        QCOMPARE(Background, QStringLiteral("back.png"));
        QVERIFY(!backdrop->background().texture().isNull());
        QVERIFY(!FormHTTP::Instance().PictureHTTP->pixmap().isNull());

        o.TextPicture->setText(QStringLiteral("missing.png"));
        QVERIFY(backdrop->background().texture().isNull());
        QVERIFY(FormHTTP::Instance().PictureHTTP->pixmap().isNull());

        // A FIFO is never read: typing its name returns at once.
        QVERIFY(::mkfifo("pipe.png", 0600) == 0);
        o.TextPicture->setText(QStringLiteral("pipe.png"));
        QVERIFY(backdrop->background().texture().isNull());

        const QColor before = backdrop->background().color();
        o.TextPicture->setText(QStringLiteral("%White%"));
        QCOMPARE(backdrop->background().color(), before);
        o.PictureWhite_Click();
        QCOMPARE(o.TextPicture->text(), QStringLiteral("%white%"));
        QCOMPARE(backdrop->background().color(), QColor(Qt::white));
        o.PictureBlack_Click();
        QCOMPARE(backdrop->background().color(), QColor(Qt::black));
        o.TextPicture->clear();
        QVERIFY(Background.isEmpty());
    }

    void choosePictureAndIcon()
    {
        QuietSettings();
        FormOptions& o = Opened();
        ChooseScript choosers;
        choosers.expectCancel()
            .withTitle(LanguageText[413])
            .withFilter(QStringLiteral("*.bmp;*.gif;*.jpg;*.png;*.wmf"));
        choosers.expectCancel()
            .withTitle(LanguageText[414])
            .withFilter(QStringLiteral("*.ico;*.png"));
        o.CommandChoosePicture->click();
        o.CommandChooseIcon->click();
        KELPA_VERIFY_CHOOSERS(choosers);
        QVERIFY(Background.isEmpty() && UserIcon.isEmpty());
    }

    // Once per program run and never while a task is loaded: the notes
    // and the completion offer, with the notes out of the question's way.
    void firstShowing()
    {
        QuietSettings();
        Options().OptionsFirstShown = 0;
        WriteFile(QStringLiteral("KELPA.NOT"), "http://a/\r\na.htm\r\n");
        MemoText = QStringLiteral("remember");
        TaskFile = QStringLiteral("job.tsk");
        Opened();
        QVERIFY(!FormMemo::Instance().Loaded());
        Options().Unload();
        TaskFile.clear();

        MsgBoxScript boxes;
        boxes.expect(QStringLiteral("(1 link: http://a/)"), platform::vbNo,
                     MsgBoxScript::Match::Contains);
        Opened();
        KELPA_VERIFY_MSGBOXES(boxes);
        QVERIFY(FormMemo::Instance().Loaded());
        QCOMPARE(Options().OptionsFirstShown, int16_t(1));
        Options().Unload();
        Opened(); // no second offer: the script is used up
        FormMemo::Instance().Unload();
        MemoText.clear();
    }

    void storedPosition()
    {
        QuietSettings();
        PositionOptions = QStringLiteral("99999,99999,99999,99999");
        Opened();
        QCOMPARE(PositionOptions, QStringLiteral("0,8715,0,4330"));
        Options().Unload();
        PositionOptions = QStringLiteral("0,8715,1300,4330");
        Opened();
        QCOMPARE(PositionOptions, QStringLiteral("0,8715,1300,4330"));
        Options().Unload();
        QCOMPARE(PositionOptions, QStringLiteral("0,8715,1300,4330"));
    }

    // Below the transfer window, as wide as the main window less 175 twips
    // (at least 8730), as high as the bars leave, at least its minimum
    // height; never up over the transfer window.
    void alignForm_data()
    {
        QTest::addColumn<double>("mainWidth");
        QTest::addColumn<double>("mainHeight");
        QTest::newRow("low main window") << 9000.0 << 6000.0;
        QTest::newRow("narrow main window") << 8800.0 << 9600.0;
        QTest::newRow("wide and tall") << 12000.0 << 12000.0;
    }
    void alignForm()
    {
        QFETCH(double, mainWidth);
        QFETCH(double, mainHeight);
        QuietSettings();
        FormKelpa& main = FormKelpa::Instance();
        main.PictureList->show();
        main.PictureButtons->show();
        main.resize(platform::ToPixels(mainWidth), platform::ToPixels(mainHeight));
        FormOptions& o = Opened();
        o.AlignForm();
        const double h = std::max(0.0, main.Height() - 5385);
        QCOMPARE(o.Left(), 0.0);
        QCOMPARE(o.Width(), std::max(main.Width() - 175, 8730.0));
        QCOMPARE(o.Height(), std::max(h, 3850.0));
        QCOMPARE(o.Top(), FormHTTP::Instance().Height());
    }
};

KELPA_TEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
