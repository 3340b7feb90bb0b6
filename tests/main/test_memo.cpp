// The notes window: what it keeps in MemoText, the round trip of the notes
// through KELPA.INI, and the window staying on top; where it and the task
// comments window open.

#include "main/FormComments.h"
#include "main/FormKelpa.h"
#include "main/FormMemo.h"
#include "main/Kelpa.h"
#include "platform/forms/Twips.h"
#include "tests/main/RunFixture.h"
#include "tests/support/TestMain.h"
#include "transfer/FormHTTP.h"

#include <QAction>
#include <QGuiApplication>
#include <QMap>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>

using namespace testsupport;
using namespace KELPA;

class TestMemo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void typedNotes_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("one line") << "note"
                                  << "note";
        QTest::newRow("outer blanks dropped") << "  note  "
                                              << "note";
        QTest::newRow("inner line breaks kept") << " first\nsecond\n\nthird "
                                                << "first\r\nsecond\r\n\r\nthird";
        QTest::newRow("only blanks") << "   "
                                     << "";
    }
    void typedNotes()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        EnterTestFolder();
        FormMemo& memo = FormMemo::Instance();
        FormKelpa::Instance().MenuEntry("MenuMemo")->trigger();
        QVERIFY(memo.Loaded());
        QCOMPARE(memo.Caption(), QStringLiteral("Kelpa - Memo"));
        QVERIFY(memo.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        memo.Text1->setPlainText(typed);
        QCOMPARE(MemoText, kept);

        FormKelpa::Instance().inischreiben(QStringLiteral("KELPA.INI"));
        MemoText = QStringLiteral("changed");
        FormKelpa::Instance().inilesen(QStringLiteral("KELPA.INI"));
        QCOMPARE(MemoText, kept);

        memo.Unload();
        QCOMPARE(MemoText, kept);
        memo.Show();
        QCOMPARE(memo.Text1->toPlainText(),
                 QString(kept).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        memo.Unload();
    }

    // Over the main window at the screen's corner, the notes and the comments
    // windows open clear of its menu bar, tool bar, start and scheduler row
    // and transfer window, and whole on screen; a place that is all that
    // stays.
    void opensClearOfTheControls_data()
    {
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("where");
        for (const bool notes : {true, false}) {
            const char* window = notes ? "notes" : "comments";
            for (const char* where : {"corner", "tool bar", "transfer window", "off the screen",
                                      "partly off the screen", "clear"})
                QTest::addRow("%s, %s", window, where) << notes << QString::fromLatin1(where);
        }
    }
    void opensClearOfTheControls()
    {
        QFETCH(bool, notes);
        QFETCH(QString, where);
        FormKelpa& main = FormKelpa::Instance();
        main.show();
        main.move(0, 0);
        FormHTTP::Instance().Show();
        QList<QRect> areas;
        for (const QWidget* bar : {static_cast<const QWidget*>(main.menuBar()),
                                   static_cast<const QWidget*>(main.PictureButtons),
                                   static_cast<const QWidget*>(main.PictureFunctions)})
            areas.append(QRect(bar->mapToGlobal(QPoint(0, 0)), bar->size()));
        const QWidget* transfer = FormHTTP::Instance().parentWidget(); // its frame
        areas.append(QRect(transfer->mapToGlobal(QPoint(0, 0)), transfer->size()));
        QRect band;
        for (const QRect& area : areas)
            band |= area;
        const QMap<QString, QPoint> places = {{"corner", {0, 0}},
                                              {"tool bar", areas.at(1).center()},
                                              {"transfer window", areas.at(3).center()},
                                              {"off the screen", {3000, 2000}},
                                              {"partly off the screen", {-90, band.bottom() + 20}},
                                              {"clear", {40, band.bottom() + 20}}};
        const QPoint place = places.value(where);

        platform::Form& window =
            notes ? static_cast<platform::Form&>(FormMemo::Instance()) : FormComments::Instance();
        window.Unload();
        window.MoveTo(platform::ToTwips(place.x()), platform::ToTwips(place.y()), window.Width(),
                      window.Height());
        window.Load();
        const QRect outer(platform::ToPixels(window.Left()), platform::ToPixels(window.Top()),
                          platform::ToPixels(window.Width()), platform::ToPixels(window.Height()));
        window.Unload();
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(outer));
        for (const QRect& area : areas)
            QVERIFY2(!outer.intersects(area), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                             .arg(outer.x())
                                                             .arg(outer.y())
                                                             .arg(outer.width())
                                                             .arg(outer.height())));
        if (where == QLatin1String("clear"))
            QCOMPARE(outer.topLeft(), place);
    }
};

KELPA_TEST_MAIN(TestMemo)
#include "test_memo.moc"
