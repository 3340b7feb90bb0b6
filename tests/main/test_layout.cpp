// The main window's layout along its width and its face when minimised.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/LitLamp.h"
#include "main/Schedule.h"
#include "platform/files/Files.h"
#include "platform/forms/Twips.h"
#include "preview/FormPreview.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "transfer/FormHTTP.h"

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

namespace {

// Gives the main window an outer width of widthTwips (to the pixel) and waits
// for its layout.
void ResizeTo(double widthTwips)
{
    FormKelpa& form = FormKelpa::Instance();
    const int extra = form.frameGeometry().width() - form.width();
    form.resize(platform::ToPixels(widthTwips) - extra, form.height());
    QTRY_COMPARE(form.frameGeometry().width(), platform::ToPixels(widthTwips));
    QTRY_COMPARE(form.Statzeil->width(), platform::ToPixels(form.Width() - 165));
}

QList<int> LampLefts()
{
    const FormKelpa& form = FormKelpa::Instance();
    QList<int> lefts;
    for (const QWidget* lamp : std::initializer_list<const QWidget*>{
             form.PictureWait, form.PictureWaitOn, form.PictureSend, form.PictureSendOn,
             form.PictureReceive, form.PictureReceiveOn, form.PictureParse, form.PictureParseOn})
        lefts << lamp->x();
    return lefts;
}

QList<int> PairsAt(std::initializer_list<double> twips)
{
    QList<int> lefts;
    for (double left : twips)
        lefts << platform::ToPixels(left) << platform::ToPixels(left);
    return lefts;
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        TexteLaden(QStringLiteral("english"));
        KELPA::MainShown = 1;
        FormKelpa& form = FormKelpa::Instance();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    void init()
    {
        KELPA::LayoutBusy = 0;
        KELPA::LogLineCount = 0;
    }

    // Every caption of the option buttons, the scheduler row and the transfer
    // window shows whole in each language, in width and in height: within its
    // control, which covers no other and ends before the control to its right
    // begins (or within its frame when it sits in one).
    void captionsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("control");
        QTest::addColumn<int>("textNumber"); // 0: the value text instead
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("next");
        const struct {
            const char* name;
            const char* control;
            int textNumber;
            QString value;
            const char* next;
        } rows[] = {
            {"new search", "OptionNew", 189, {}, "FrameCheckListe"},
            {"continue search", "OptionContinue", 188, {}, "FrameCheckListe"},
            {"list", "CheckListe", 186, {}, ""},
            {"start after", "CheckStart", 23, {}, "Zeit"},
            {"longest delay", "Zeit", 0, schedule::TenthsLabel(3360), "VScroll2"},
            {"repeat", "CheckRepeat", 25, {}, "Repeat"},
            {"longest repeat", "Repeat", 0, schedule::MinutesLabel(1440), "VScroll3"},
            {"time", "CheckDauer", 24, {}, "Dauer"},
            {"longest time", "Dauer", 0, schedule::MinutesLabel(720), "VScroll1"},
            {"shut down", "CheckWindowsShutDown", 0, QStringLiteral("WindowsShutDown"),
             "LabelMessage"},
            {"automatic start", "LabelMessage", 180, {}, ""},
            {"source", "Label4", 104, {}, "Text1"},
            {"target", "Label2", 102, {}, "Text2"},
            {"link", "Label1", 0, QStringLiteral("Link:"), "TextLinks"},
        };
        for (const char* language : {"english", "deutsch"})
            for (const auto& row : rows)
                QTest::addRow("%s %s", language, row.name)
                    << language << QByteArray(row.control) << row.textNumber << row.value
                    << QByteArray(row.next);
    }
    void captionsFit()
    {
        QFETCH(QString, language);
        QFETCH(QByteArray, control);
        QFETCH(int, textNumber);
        QFETCH(QString, value);
        QFETCH(QByteArray, next);
        TexteLaden(language);
        const QString text = textNumber == 0 ? value : KELPA::LanguageText[textNumber];
        TexteLaden(QStringLiteral("english"));
        FormKelpa& form = FormKelpa::Instance();
        QWidget* transfer = &FormHTTP::Instance();
        auto* shown = form.findChild<QWidget*>(QString::fromLatin1(control));
        if (!shown)
            shown = transfer->findChild<QWidget*>(QString::fromLatin1(control));
        QVERIFY(shown);
        const bool hidden = shown->isHidden();
        shown->setHidden(false);
        const QString problem = testsupport::CaptionProblem(shown, text);
        shown->setHidden(hidden);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
        const QWidget* following =
            next.isEmpty() ? nullptr
                           : shown->parentWidget()->findChild<QWidget*>(QString::fromLatin1(next));
        const auto* frame = qobject_cast<const QGroupBox*>(shown->parentWidget());
        if (!following && !frame)
            return;
        const int room = following ? following->x() : frame->width();
        QVERIFY2(shown->x() + shown->width() <= room,
                 qPrintable(QStringLiteral("%1 ends at %2, past %3")
                                .arg(QString::fromLatin1(control))
                                .arg(shown->x() + shown->width())
                                .arg(room)));
    }

    void widthPlacesTheControls_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QList<int>>("lamps");
        const QList<int> at8000 = PairsAt({6845, 7085, 7325, 7565});
        QTest::newRow("8000 wide") << 8000.0 << at8000;
        QTest::newRow("6500 wide keeps the lamps") << 6500.0 << at8000;
        QTest::newRow("just over 6500 moves them")
            << 6510.0 << PairsAt({6510 - 1155, 6510 - 915, 6510 - 675, 6510 - 435});
    }
    void widthPlacesTheControls()
    {
        QFETCH(double, width);
        QFETCH(QList<int>, lamps);
        ResizeTo(8000);
        ResizeTo(width);
        FormKelpa& form = FormKelpa::Instance();
        QCOMPARE(LampLefts(), lamps);
        QCOMPARE(form.Statzeil->x(), 0);
        QCOMPARE(form.Statzeil->width(), platform::ToPixels(width - 165));
        QCOMPARE(form.ListLogging->x(), platform::ToPixels(-15));
        QCOMPARE(form.ListLogging->width(), platform::ToPixels(width - 150));
        QCOMPARE(form.CommandClearProtocol->x(), platform::ToPixels(form.Width() - 430));
        QCOMPARE(FormHTTP::Instance().Width(), form.Width() - 175);
    }

    void clearButtonFollowsTheLogLines()
    {
        KELPA::LogLineCount = 11;
        ResizeTo(7000);
        const FormKelpa& form = FormKelpa::Instance();
        QCOMPARE(form.CommandClearProtocol->x(), platform::ToPixels(form.Width() - 630));
    }

    void busyLayoutLaysNothingOut()
    {
        FormKelpa& form = FormKelpa::Instance();
        ResizeTo(8000);
        KELPA::LayoutBusy = 1;
        form.setWindowTitle(QStringLiteral("busy"));
        form.resize(form.width() - 40, form.height());
        QTRY_COMPARE(form.windowTitle(),
                     QStringLiteral("Kelpa - ") + platform::CurDir() + QStringLiteral("\\ "));
        QCOMPARE(form.Statzeil->width(), platform::ToPixels(8000 - 165));
        QCOMPARE(KELPA::LayoutBusy, int16_t(1));
    }

    // At the root of drive C: (the home folder) the caption holds one "\".
    void captionAtADrivesRootHasOneBackslash()
    {
        FormKelpa& form = FormKelpa::Instance();
        const QString before = QDir::currentPath();
        const int16_t busy = KELPA::LayoutBusy;
        KELPA::LayoutBusy = 1;
        QVERIFY(QDir::setCurrent(QDir::homePath()));
        form.resize(form.width() - 40, form.height());
        QTRY_COMPARE(form.windowTitle(), QStringLiteral("Kelpa - C:\\ "));
        QVERIFY(QDir::setCurrent(before));
        KELPA::LayoutBusy = busy;
    }

    void firstLayoutArmsTheInfoTimer_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<bool>("armed");
        QTest::newRow("no argument") << QString() << true;
        QTest::newRow("task argument") << QStringLiteral("C:\\x.tsk") << false;
    }
    void firstLayoutArmsTheInfoTimer()
    {
        QFETCH(QString, commandLine);
        QFETCH(bool, armed);
        FormKelpa& form = FormKelpa::Instance();
        form.TimerInfo.setEnabled(false);
        KELPA::MainShown = 0;
        KELPA::CommandLine = commandLine;
        form.MDIForm_Resize();
        const bool enabled = form.TimerInfo.Enabled();
        const int16_t shown = KELPA::MainShown;
        form.TimerInfo.setEnabled(false);
        KELPA::CommandLine.clear();
        KELPA::MainShown = 1;
        QCOMPARE(enabled, armed);
        QCOMPARE(shown, int16_t(armed ? 1 : 0));
    }

    void runningCaptionTimerIsNoted()
    {
        FormKelpa& form = FormKelpa::Instance();
        KELPA::CaptionTimerPending = 0;
        form.MDIForm_Resize();
        QCOMPARE(KELPA::CaptionTimerPending, int16_t(0));
        form.TimerCaption.setEnabled(true);
        form.MDIForm_Resize();
        form.TimerCaption.setEnabled(false);
        QCOMPARE(KELPA::CaptionTimerPending, int16_t(1));
        KELPA::CaptionTimerPending = 0;
    }

    void minimisedFace_data()
    {
        QTest::addColumn<QString>("userTitle");
        QTest::addColumn<bool>("userIcon");
        QTest::addColumn<bool>("iconFile");
        QTest::newRow("title, no icon") << QStringLiteral("My sites") << false << false;
        QTest::newRow("no title, icon") << QString() << true << true;
        QTest::newRow("icon file missing") << QString() << true << false;
    }
    void minimisedFace()
    {
        QFETCH(QString, userTitle);
        QFETCH(bool, userIcon);
        QFETCH(bool, iconFile);
        FormKelpa& form = FormKelpa::Instance();
        const QString caption =
            QStringLiteral("Kelpa - ") + platform::CurDir() + QStringLiteral("\\ ");
        QPixmap picture(16, 16);
        picture.fill(Qt::red);
        QFile::remove(QStringLiteral("user.png"));
        if (iconFile)
            QVERIFY(picture.save(QStringLiteral("user.png")));
        KELPA::UserTitle = userTitle;
        KELPA::UserIcon = userIcon ? platform::CurDir() + QStringLiteral("\\USER.PNG") : QString();
        form.ImageUserIcon = QIcon();
        FormPreview::Instance().Load();
        QCOMPARE(KELPA::PreviewOpen, int16_t(1));

        form.showMinimized();
        QTRY_VERIFY(form.isMinimized());
        QCOMPARE(form.windowTitle(), userTitle.isEmpty() ? caption : userTitle);
        QCOMPARE(form.windowIcon().cacheKey(),
                 (iconFile ? form.ImageUserIcon : form.ImageIcon).cacheKey());
        QCOMPARE(KELPA::PreviewOpen, int16_t(0));

        form.showNormal();
        QTRY_VERIFY(!form.isMinimized());
        KELPA::UserTitle.clear();
        KELPA::UserIcon.clear();
        QCOMPARE(form.windowTitle(), caption);
        QCOMPARE(form.windowIcon().cacheKey(), form.ImageIcon.cacheKey());
        QCOMPARE(KELPA::PreviewOpen, int16_t(0));
    }
};

KELPA_TEST_MAIN(TestLayout)
#include "test_layout.moc"
