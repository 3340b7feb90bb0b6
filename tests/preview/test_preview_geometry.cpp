// The preview windows' arithmetic: fitting a picture, the zoom label, the
// preview area and control places for a window size, the arrange command,
// F6's snapping and a stored position read back.

#include "preview/PreviewGeometry.h"
#include "tests/support/TestMain.h"

#include <QTest>

using namespace preview;

Q_DECLARE_METATYPE(preview::Layout)

class TestPreviewGeometry : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fit_data();
    void fit();
    void zoomLabel_data();
    void zoomLabel();
    void box_data();
    void box();
    void controls_data();
    void controls();
    void widerColumn_data();
    void widerColumn();
    void alignedChild_data();
    void alignedChild();
    void snappedTop_data();
    void snappedTop();
    void storedPlace_data();
    void storedPlace();
};

void TestPreviewGeometry::fit_data()
{
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<int>("boxHeight");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<float>("fitWidth");
    QTest::addColumn<float>("fitHeight");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");
    QTest::addColumn<int>("percent");
    QTest::newRow("exactly the box")
        << 2000 << 1500 << 2000.f << 1500.f << 2000.f << 1500.f << 0.f << 0.f << 100;
    QTest::newRow("smaller, centred")
        << 2000 << 2000 << 1000.f << 500.f << 1000.f << 500.f << 500.f << 750.f << 100;
    QTest::newRow("wide: width decides")
        << 2000 << 2000 << 4000.f << 1000.f << 2000.f << 500.f << 0.f << 750.f << 50;
    QTest::newRow("high: height decides")
        << 2000 << 1000 << 1500.f << 3000.f << 500.f << 1000.f << 750.f << 0.f << 33;
    QTest::newRow("tie: width decides")
        << 1000 << 1000 << 3000.f << 3000.f << 1000.f << 1000.f << 0.f << 0.f << 33;
    QTest::newRow("zoom below one percent")
        << 1000 << 1000 << 150000.f << 1500.f << 1000.f << 10.f << 0.f << 495.f << 0;
}

void TestPreviewGeometry::fit()
{
    QFETCH(int, boxWidth);
    QFETCH(int, boxHeight);
    QFETCH(float, width);
    QFETCH(float, height);
    const Fit fit = FitPicture(boxWidth, boxHeight, width, height);
    QTEST(fit.width, "fitWidth");
    QTEST(fit.height, "fitHeight");
    QTEST(fit.left, "left");
    QTEST(fit.top, "top");
    QTEST(fit.percent, "percent");
}

void TestPreviewGeometry::zoomLabel_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<QString>("label");
    QTest::newRow("scaled") << 45 << QStringLiteral(" 45% (120532 bytes)");
    QTest::newRow("fits") << 100 << QStringLiteral(" 120532 bytes");
    QTest::newRow("rounds down to 0") << 0 << QStringLiteral(" 120532 bytes");
    QTest::newRow("one percent") << 1 << QStringLiteral(" 1% (120532 bytes)");
}

void TestPreviewGeometry::zoomLabel()
{
    QFETCH(int, percent);
    QTEST(ZoomLabel(percent, 120532, QStringLiteral(" bytes"), QStringLiteral(" bytes)")), "label");
}

void TestPreviewGeometry::box_data()
{
    QTest::addColumn<preview::Layout>("layout");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    QTest::addColumn<int>("boxWidth");
    QTest::addColumn<int>("boxHeight");
    QTest::addColumn<double>("raiseWidth");
    QTest::addColumn<double>("raiseHeight");
    QTest::newRow("child, large") << Layout::Child << 6000. << 4000. << 3935 << 3610 << 0. << 0.;
    QTest::newRow("child, at the bounds")
        << Layout::Child << 3105. << 1425. << 1040 << 1015 << 0. << 1425.;
    QTest::newRow("child, low") << Layout::Child << 4000. << 900. << 1935 << 1015 << 0. << 1425.;
    QTest::newRow("top, large") << Layout::Top << 6000. << 4000. << 3935 << 3685 << 0. << 0.;
    QTest::newRow("top, narrow and low")
        << Layout::Top << 1000. << 1330. << 1040 << 1015 << 1115. << 1330.;
    QTest::newRow("top, between") << Layout::Top << 2000. << 1331. << 1040 << 1016 << 0. << 0.;
    QTest::newRow("reduced, large")
        << Layout::TopSmall << 3000. << 2000. << 2885 << 1695 << 0. << 0.;
    QTest::newRow("reduced, small")
        << Layout::TopSmall << 1115. << 1330. << 1000 << 1025 << 1115. << 1330.;
}

void TestPreviewGeometry::box()
{
    QFETCH(preview::Layout, layout);
    QFETCH(double, w);
    QFETCH(double, h);
    const Box box = PreviewBox(layout, w, h);
    QTEST(box.width, "boxWidth");
    QTEST(box.height, "boxHeight");
    QTEST(box.raiseWidthTo, "raiseWidth");
    QTEST(box.raiseHeightTo, "raiseHeight");
}

void TestPreviewGeometry::controls_data()
{
    QTest::addColumn<preview::Layout>("layout");
    QTest::addColumn<double>("w");
    QTest::addColumn<double>("h");
    // dir left, file left, frame left, text width, frame top, file height, text height
    QTest::addColumn<QList<double>>("places");
    QTest::newRow("child, wide and high")
        << Layout::Child << 5000. << 3000.
        << QList<double>{2945, 2930, 2945, 2915, 2055, 1075, 2600};
    QTest::newRow("child, narrow and low")
        << Layout::Child << 3105. << 2015. << QList<double>{1050, 1035, 1050, 1020, 1080, 90, 1615};
    QTest::newRow("top, wide and high")
        << Layout::Top << 5000. << 3000. << QList<double>{-1, 2945, 2945, 2915, 2135, 2120, 2640};
    QTest::newRow("top, narrow and low")
        << Layout::Top << 3000. << 1330. << QList<double>{-1, 1050, 1050, 1020, 490, 505, 1050};
    QTest::newRow("reduced, wide")
        << Layout::TopSmall << 5000. << 3000. << QList<double>{-1, -1, -1, 4895, 2135, 2120, 2640};
    QTest::newRow("reduced, narrow")
        << Layout::TopSmall << 3105. << 1000. << QList<double>{-1, -1, -1, 3000, 490, 505, 1050};
}

void TestPreviewGeometry::controls()
{
    QFETCH(preview::Layout, layout);
    QFETCH(double, w);
    QFETCH(double, h);
    QFETCH(QList<double>, places);
    const Controls c = ControlPlaces(layout, w, h);
    QCOMPARE((QList<double>{c.dirLeft, c.fileLeft, c.frameLeft, c.textWidth, c.frameTop,
                            c.fileHeight, c.textHeight}),
             places);
}

void TestPreviewGeometry::widerColumn_data()
{
    QTest::addColumn<double>("w");
    QTest::addColumn<int>("boxWidth");
    // dir left, dir width, file left, file width, frame left, text width
    QTest::addColumn<QList<double>>("places");
    QTest::newRow("wide") << 6000. << 3435 << QList<double>{3445, 2435, 3430, 2460, 3445, 3415};
    QTest::newRow("too narrow for the wider column")
        << 3605. << 1040 << QList<double>{1050, 2435, 1035, 2460, 1050, 1020};
}

// A right-hand column 500 twips wider than designed takes them from the
// preview area.
void TestPreviewGeometry::widerColumn()
{
    QFETCH(double, w);
    QTEST(PreviewBox(Layout::Child, w, 4000, 500).width, "boxWidth");
    const Controls c = ControlPlaces(Layout::Child, w, 4000, 500);
    QTEST((QList<double>{c.dirLeft, c.dirWidth, c.fileLeft, c.fileWidth, c.frameLeft, c.textWidth}),
          "places");
}

void TestPreviewGeometry::alignedChild_data()
{
    QTest::addColumn<double>("mainWidth");
    QTest::addColumn<double>("mainHeight");
    QTest::addColumn<bool>("log");
    QTest::addColumn<bool>("toolbar");
    QTest::addColumn<double>("currentHeight");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("neither shown") << 9000. << 9000. << false << false << 2000. << 8825. << 6015.;
    QTest::newRow("tool bar") << 9000. << 9000. << false << true << 2000. << 8825. << 5595.;
    QTest::newRow("log panel") << 9000. << 9000. << true << false << 2000. << 8825. << 4015.;
    QTest::newRow("both") << 9000. << 9000. << true << true << 2000. << 8825. << 3595.;
    QTest::newRow("both, 5000 high: unchanged")
        << 9000. << 5000. << true << true << 2000. << 8825. << 2000.;
    QTest::newRow("both, 5000 high: raised")
        << 9000. << 5000. << true << true << 1000. << 8825. << 1425.;
    QTest::newRow("little room: raised")
        << 2000. << 4000. << false << false << 3000. << 3200. << 1425.;
}

void TestPreviewGeometry::alignedChild()
{
    QFETCH(double, mainWidth);
    QFETCH(double, mainHeight);
    QFETCH(bool, log);
    QFETCH(bool, toolbar);
    QFETCH(double, currentHeight);
    const Rect r = AlignedChild({mainWidth, mainHeight, 1800, log, toolbar}, currentHeight);
    QCOMPARE(r.left, 0.);
    QCOMPARE(r.top, 1800.);
    QTEST(r.width, "width");
    QTEST(r.height, "height");
}

void TestPreviewGeometry::snappedTop_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("snappedLeft");
    QTest::addColumn<double>("snappedTop");
    // A window 3000 by 2000 on a screen 19200 by 14400.
    QTest::newRow("900 from the left: snaps") << 900. << 5000. << 0. << 5000.;
    QTest::newRow("1000 from the left: stays") << 1000. << 5000. << 1000. << 5000.;
    QTest::newRow("left of the screen") << -999. << 5000. << 0. << 5000.;
    QTest::newRow("near the right edge") << 15300. << 5000. << 16200. << 5000.;
    QTest::newRow("near the top") << 5000. << 999. << 5000. << 0.;
    QTest::newRow("near the bottom") << 5000. << 11500. << 5000. << 11985.;
    QTest::newRow("1000 from the bottom: stays") << 5000. << 11400. << 5000. << 11400.;
}

void TestPreviewGeometry::snappedTop()
{
    QFETCH(double, left);
    QFETCH(double, top);
    const Rect r = SnappedTop({left, top, 3000, 2000}, 19200, 14400);
    QTEST(r.left, "snappedLeft");
    QTEST(r.top, "snappedTop");
    QCOMPARE(r.width, 3000.);
    QCOMPARE(r.height, 2000.);
}

void TestPreviewGeometry::storedPlace_data()
{
    QTest::addColumn<QString>("position");
    QTest::addColumn<QList<double>>("place"); // left, width, top, height
    QTest::newRow("taken as it is")
        << QStringLiteral("0,4600,0,4200") << QList<double>{0, 4600, 0, 4200};
    QTest::newRow("negative left, too wide")
        << QStringLiteral("-15,99999,10,200") << QList<double>{0, 4600, 10, 200};
    QTest::newRow("off the screen")
        << QStringLiteral("20000,-1,15000,15000") << QList<double>{0, 4600, 0, 4200};
    QTest::newRow("unreadable parts keep the current value")
        << QStringLiteral("x,5000,,y") << QList<double>{111, 5000, 333, 444};
    QTest::newRow("missing parts") << QStringLiteral("30") << QList<double>{30, 222, 333, 444};
    QTest::newRow("fractions") << QStringLiteral("7.5,3000.25,1,2")
                               << QList<double>{7.5, 3000.25, 1, 2};
}

void TestPreviewGeometry::storedPlace()
{
    QFETCH(QString, position);
    const Rect r = StoredPlace(position, 19200, 14400, {111, 333, 222, 444});
    QTEST((QList<double>{r.left, r.width, r.top, r.height}), "place");
}

KELPA_TEST_MAIN(TestPreviewGeometry)
#include "test_preview_geometry.moc"
