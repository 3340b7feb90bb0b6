// The about window: day and night, placement, closing, link colours and links.

#include "main/FormInfo.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/forms/Twips.h"
#include "platform/shell/Desktop.h"
#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

void SendMouse(QWidget* target, QEvent::Type type)
{
    const QPointF at(2, 2);
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

QWidget* Control(const char* name)
{
    FormInfo& info = FormInfo::Instance();
    return name[0] ? info.findChild<QWidget*>(QLatin1String(name)) : &info;
}

QColor Colour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

const QColor Dark(0, 0, 128);
const QColor Bright(0, 0, 255);

} // namespace

class TestInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteLaden(QStringLiteral("english")); }

    void cleanup()
    {
        FormInfo::Instance().Unload();
        platform::SetShellExecuteHook({});
    }

    // Every text line shows whole, in each language.
    void textsFit_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("label");
        for (const char* language : {"english", "deutsch"})
            for (const char* label : {"Label1", "Label2", "Label5", "Label6"})
                QTest::addRow("%s %s", language, label) << language << label;
    }
    void textsFit()
    {
        QFETCH(QString, language);
        QFETCH(QString, label);
        TexteLaden(language);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        const auto* line = info.findChild<QLabel*>(label);
        const int needed = line->fontMetrics().horizontalAdvance(line->text());
        TexteLaden(QStringLiteral("english"));
        QVERIFY2(needed <= line->contentsRect().width(),
                 qPrintable(QStringLiteral("%1 needs %2 px of %3: %4")
                                .arg(label)
                                .arg(needed)
                                .arg(line->contentsRect().width())
                                .arg(line->text())));
    }

    void dayOrNight_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("night");
        QTest::newRow("12:30") << QTime(12, 30) << false;
        QTest::newRow("00:30") << QTime(0, 30) << true;
        QTest::newRow("17:00") << QTime(17, 0) << true;
        QTest::newRow("16:59") << QTime(16, 59, 59) << false;
        QTest::newRow("06:00") << QTime(6, 0) << false;
        QTest::newRow("05:59") << QTime(5, 59, 59) << true;
        QTest::newRow("23:59") << QTime(23, 59) << true;
    }
    void dayOrNight()
    {
        QFETCH(QTime, time);
        QFETCH(bool, night);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        info.DayOrNight(QTime(12, 0));
        info.DayOrNight(time);
        QCOMPARE(info.Image1->isHidden(), night);
        QVERIFY(!info.Image2->isHidden());
    }

    void placement_data()
    {
        // Main window position in pixels; whether each axis centres on the screen.
        QTest::addColumn<QPoint>("mainAt");
        QTest::addColumn<bool>("screenX");
        QTest::addColumn<bool>("screenY");
        QTest::newRow("on the screen") << QPoint(30, 40) << false << false;
        QTest::newRow("off the left edge") << QPoint(-100, 40) << true << false;
        QTest::newRow("beyond the middle") << QPoint(500, 40) << true << false;
        QTest::newRow("above the top") << QPoint(30, -20) << false << true;
    }
    void placement()
    {
        QFETCH(QPoint, mainAt);
        QFETCH(bool, screenX);
        QFETCH(bool, screenY);
        FormKelpa& main = FormKelpa::Instance();
        main.move(mainAt);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        const double left = screenX ? (platform::ScreenWidth() - info.Width()) / 2
                                    : main.Left() + (main.Width() - info.Width()) / 2;
        const double top = screenY ? (platform::ScreenHeight() - info.Height()) / 2
                                   : main.Top() + (main.Height() - info.Height()) / 2;
        QVERIFY(qAbs(info.x() - platform::ToPixels(left)) <= 1);
        QVERIFY(qAbs(info.y() - platform::ToPixels(top)) <= 1);
    }

    void clickCloses_data()
    {
        QTest::addColumn<QByteArray>("control");
        QTest::newRow("window") << QByteArray("");
        QTest::newRow("day picture") << QByteArray("Image1");
        QTest::newRow("night picture") << QByteArray("Image2");
        QTest::newRow("version line") << QByteArray("Label1");
        QTest::newRow("title line") << QByteArray("Label5");
    }
    void clickCloses()
    {
        QFETCH(QByteArray, control);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        FormKelpa::Instance().TimerInfo.setEnabled(true);
        SendMouse(Control(control.constData()), QEvent::MouseButtonRelease);
        QVERIFY(!info.Loaded());
        QVERIFY(!FormKelpa::Instance().TimerInfo.Enabled());
    }

    void lostFocusClosesOnceTheMainWindowShows_data()
    {
        QTest::addColumn<int>("mainShown");
        QTest::addColumn<bool>("closed");
        QTest::newRow("during start-up") << 0 << false;
        QTest::newRow("main window shown") << 1 << true;
    }
    void lostFocusClosesOnceTheMainWindowShows()
    {
        QFETCH(int, mainShown);
        QFETCH(bool, closed);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        KELPA::MainShown = static_cast<int16_t>(mainShown);
        QEvent deactivate(QEvent::WindowDeactivate);
        QCoreApplication::sendEvent(&info, &deactivate);
        KELPA::MainShown = 0;
        QCOMPARE(!info.Loaded(), closed);
    }

    void linkColours_data()
    {
        QTest::addColumn<QByteArray>("over");
        QTest::addColumn<QColor>("http");
        QTest::addColumn<QColor>("mail");
        QTest::newRow("web link") << QByteArray("LabelHTTP") << Bright << Dark;
        QTest::newRow("mail link") << QByteArray("LabelMAILTO") << Dark << Bright;
        QTest::newRow("other label") << QByteArray("Label6") << Dark << Dark;
        QTest::newRow("picture") << QByteArray("Image1") << Dark << Dark;
        QTest::newRow("window") << QByteArray("") << Dark << Dark;
    }
    void linkColours()
    {
        QFETCH(QByteArray, over);
        QFETCH(QColor, http);
        QFETCH(QColor, mail);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        SendMouse(info.LabelMAILTO, QEvent::MouseMove);
        SendMouse(info.LabelHTTP, QEvent::MouseMove);
        SendMouse(Control(over.constData()), QEvent::MouseMove);
        QCOMPARE(Colour(info.LabelHTTP), http);
        QCOMPARE(Colour(info.LabelMAILTO), mail);
    }

    void links_data()
    {
        QTest::addColumn<bool>("mail");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("box");
        QTest::newRow("page opened") << false << 33 << 0;
        QTest::newRow("page, file not found") << false << 2 << 182;
        QTest::newRow("page, no program") << false << 31 << 182;
        QTest::newRow("mail opened") << true << 33 << 0;
        QTest::newRow("mail, file not found") << true << 2 << 183;
        QTest::newRow("mail, no program") << true << 31 << 0;
    }
    void links()
    {
        QFETCH(bool, mail);
        QFETCH(int, result);
        QFETCH(int, box);
        FormInfo& info = FormInfo::Instance();
        info.Load();
        QString opened;
        platform::SetShellExecuteHook([&](const QString& file, const QString&) {
            opened = file;
            return result;
        });
        testsupport::MsgBoxScript boxes;
        if (box != 0)
            boxes.expect(KELPA::LanguageText[box], platform::vbOK)
                .withStyle(48)
                .withTitle(QStringLiteral("Kelpa"));
        SendMouse(mail ? info.LabelMAILTO : info.LabelHTTP, QEvent::MouseButtonRelease);
        KELPA_VERIFY_MSGBOXES(boxes);
        QCOMPARE(opened, mail ? QStringLiteral("mailto:kelpa@maker.example")
                              : QStringLiteral("http://www.kelpa.example/"));
        QCOMPARE(KELPA::ApiResult, result);
        QVERIFY(!info.Loaded());
    }
};

KELPA_TEST_MAIN(TestInfo)
#include "test_info.moc"
