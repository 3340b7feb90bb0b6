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

#include <QAction>
#include <QGuiApplication>
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
    // windows open clear of its menu bar and tool bar and whole on screen; a
    // place that is both stays.
    void opensClearOfTheBars_data()
    {
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QPoint>("place"); // outer top-left, pixels
        QTest::addColumn<bool>("kept");
        for (const bool notes : {true, false}) {
            const char* window = notes ? "notes" : "comments";
            QTest::addRow("%s at the corner", window) << notes << QPoint(0, 0) << false;
            QTest::addRow("%s on the tool bar", window) << notes << QPoint(200, 40) << false;
            QTest::addRow("%s off the screen", window) << notes << QPoint(3000, 2000) << false;
            QTest::addRow("%s partly off the screen", window) << notes << QPoint(-90, 300) << false;
            QTest::addRow("%s clear of the bars", window) << notes << QPoint(300, 250) << true;
        }
    }
    void opensClearOfTheBars()
    {
        QFETCH(bool, notes);
        QFETCH(QPoint, place);
        QFETCH(bool, kept);
        FormKelpa& main = FormKelpa::Instance();
        main.show();
        main.move(0, 0);
        const QList<QRect> bars = {
            QRect(main.menuBar()->mapToGlobal(QPoint(0, 0)), main.menuBar()->size()),
            QRect(main.PictureButtons->mapToGlobal(QPoint(0, 0)), main.PictureButtons->size())};
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
        for (const QRect& bar : bars)
            QVERIFY2(!outer.intersects(bar), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                            .arg(outer.x())
                                                            .arg(outer.y())
                                                            .arg(outer.width())
                                                            .arg(outer.height())));
        if (kept)
            QCOMPARE(outer.topLeft(), place);
    }
};

KELPA_TEST_MAIN(TestMemo)
#include "test_memo.moc"
