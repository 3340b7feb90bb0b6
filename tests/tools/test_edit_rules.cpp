// The list editor's texts and geometry: count labels, log captions, the
// question and the log line of arrange and remove, the place restored from
// PositionEdit, the align command's place and the layout after a resize.

#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "tools/EditGeometry.h"
#include "tools/EditTexts.h"

#include <QTest>

using namespace editgeometry;
using namespace edittexts;

Q_DECLARE_METATYPE(editgeometry::Place)

class TestEditRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteEnglisch(); }

    void listingLabels_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("toTheEnd");
        QTest::addColumn<QString>("label");
        QTest::newRow("none") << 0 << true << "KELPA.GOT: no links.";
        QTest::newRow("none, stopped") << 0 << false << "KELPA.GOT: no links.";
        QTest::newRow("one") << 1 << true << "KELPA.GOT, 1 link:";
        QTest::newRow("one, stopped") << 1 << false << "KELPA.GOT, 1 link:";
        QTest::newRow("two") << 2 << true << "KELPA.GOT, 2 links:";
        QTest::newRow("two, stopped") << 2 << false << "KELPA.GOT, 2 links (listing incomplete):";
        QTest::newRow("many") << 100000 << true << "KELPA.GOT, 100000 links:";
    }
    void listingLabels()
    {
        QFETCH(int, count);
        QFETCH(bool, toTheEnd);
        QFETCH(QString, label);
        QCOMPARE(ListingResult(QStringLiteral("KELPA.GOT"), count, toTheEnd), label);
    }

    void commandTexts()
    {
        QCOMPARE(ListingProgress(QStringLiteral("KELPA.NOT"), 7),
                 QStringLiteral("KELPA.NOT, 7 links (Click here to stop listing)"));
        QCOMPARE(LogCaption(1234), QStringLiteral("KELPA.LOG (1234 bytes)"));
        QCOMPARE(NoLogCaption(), QStringLiteral("KELPA.LOG (0 bytes)"));
        QCOMPARE(FoundQuestion(1, 8),
                 QStringLiteral("1 link of 8 found. Do you want to continue?"));
        QCOMPARE(FoundQuestion(5, 8),
                 QStringLiteral("5 links of 8 found. Do you want to continue?"));
        QCOMPARE(QuestionTitle(true), QStringLiteral("Kelpa [Arrange links in KELPA.NOT]"));
        QCOMPARE(QuestionTitle(false), QStringLiteral("Kelpa [Remove links in KELPA.NOT]"));
        QCOMPARE(ResultLine(false, 3, QStringLiteral("banner")),
                 QStringLiteral("Remove links (KELPA.NOT): 3 link(s) with 'banner' found."));
        QCOMPARE(ResultLine(true, 1, QStringLiteral("a b")),
                 QStringLiteral("Arrange links (KELPA.NOT): 1 link(s) with 'a b' found."));
    }

    // The screen here is 19200 by 14400 twips.
    void restoredPlace_data()
    {
        QTest::addColumn<QString>("position");
        QTest::addColumn<Place>("place");
        QTest::newRow("within the screen") << "100,9000,200,5000" << Place{100, 9000, 200, 5000};
        QTest::newRow("negative left, too wide") << "-5,99999,20,300" << Place{0, 7910, 20, 300};
        QTest::newRow("beyond the screen") << "20000,-1,15000,20000" << Place{0, 7910, 0, 4590};
        QTest::newRow("short value keeps the rest") << "30,8000" << Place{30, 8000, 7, 8};
        QTest::newRow("unreadable part keeps its value")
            << "x,8000,y,900" << Place{5, 8000, 7, 900};
        QTest::newRow("empty") << "" << Place{5, 6, 7, 8};
    }
    void restoredPlace()
    {
        QFETCH(QString, position);
        QFETCH(Place, place);
        QCOMPARE(RestorePlace(position, Place{5, 6, 7, 8}, 19200, 14400), place);
    }

    void alignedPlace_data()
    {
        QTest::addColumn<bool>("list");
        QTest::addColumn<bool>("buttons");
        QTest::addColumn<double>("mainHeight");
        QTest::addColumn<Place>("place");
        // Below a transfer window 1300 high.
        QTest::newRow("no bars") << false << false << 9000.0 << Place{0, 11825, 1300, 6025};
        QTest::newRow("button bar") << false << true << 9000.0 << Place{0, 11825, 1300, 5605};
        QTest::newRow("list area") << true << false << 9000.0 << Place{0, 11825, 1300, 4025};
        QTest::newRow("both") << true << true << 9000.0 << Place{0, 11825, 1300, 3605};
        QTest::newRow("low window: at least 3270")
            << true << true << 6000.0 << Place{0, 11825, 1300, 3270};
        QTest::newRow("below the reserve keeps the height")
            << true << true << 5000.0 << Place{0, 11825, 1300, 5000};
    }
    void alignedPlace()
    {
        QFETCH(bool, list);
        QFETCH(bool, buttons);
        QFETCH(double, mainHeight);
        QFETCH(Place, place);
        QCOMPARE(AlignPlace(12000, mainHeight, 1300, 5000, list, buttons), place);
        QCOMPARE(AlignPlace(6000, mainHeight, 1300, 5000, list, buttons).Width, 7920.0);
    }

    void layoutFollowsTheSize_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QList<double>>("expected"); // W, H, list w, list h, frame top, frame w,
                                                     // text w, arrange, remove
        QTest::newRow("below the minimum")
            << 5000.0 << 300.0
            << QList<double>{7910, 3270, 7725, 475, 1990, 7695, 4725, 5130, 6420};
        QTest::newRow("design size")
            << 7910.0 << 4590.0
            << QList<double>{7910, 4590, 7725, 1815, 3310, 7695, 4725, 5130, 6420};
        QTest::newRow("larger") << 10000.0 << 6000.0 << QList<double>{10000, 6000, 9805, 3225, 4720,
                                                                      9775,  6805, 7210, 8500};
    }
    void layoutFollowsTheSize()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QList<double>, expected);
        const Layout l = LayoutFor(width, height);
        const QList<double> got{l.Width,      l.Height,    l.ListWidth,   l.ListHeight, l.FrameTop,
                                l.FrameWidth, l.TextWidth, l.ArrangeLeft, l.RemoveLeft};
        QCOMPARE(got, expected);
    }
};

KELPA_TEST_MAIN(TestEditRules)
#include "test_edit_rules.moc"
