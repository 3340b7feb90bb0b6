// The options window's layout tables, its Arrange height and its stored
// position, computed without the window.

#include "settings/OptionsLayout.h"
#include "tests/support/TestMain.h"

#include <QTest>

using namespace settings;

namespace {

double ValueOf(const std::vector<Placement>& places, const char* control, Property property)
{
    for (const Placement& place : places) {
        if (QLatin1String(place.control) == QLatin1String(control) && place.property == property)
            return place.value;
    }
    qFatal("%s has no such property", control);
}

} // namespace

class TestOptionsLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void places_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("property");
        QTest::addColumn<double>("value");
        const int left = int(Property::Left), top = int(Property::Top);
        const int width = int(Property::Width), height = int(Property::Height);
        QTest::newRow("too small: Frame1 at its fixed left")
            << 8000.0 << 3000.0 << "Frame1" << left << 4740.0;
        QTest::newRow("too small: FrameHTML") << 8000.0 << 3000.0 << "FrameHTML" << left << 6720.0;
        QTest::newRow("too small: professional")
            << 8000.0 << 3000.0 << "CommandProfessionalOptions" << left << 6840.0;
        QTest::newRow("too small: directory width")
            << 8000.0 << 3000.0 << "TextDirectory" << width << 2010.0;
        QTest::newRow("too small: base top") << 8000.0 << 3000.0 << "Frame4" << top << 1230.0;
        QTest::newRow("one twip wider: Frame3") << 8716.0 << 3850.0 << "Frame3" << left << 4726.0;
        QTest::newRow("one twip wider: FrameHTML")
            << 8716.0 << 3850.0 << "FrameHTML" << left << 6706.0;
        QTest::newRow("wide: only-list width")
            << 10000.0 << 3850.0 << "TextOnlySite" << width << 4900.0;
        QTest::newRow("wide: Dirs") << 10000.0 << 3850.0 << "CommandDirs" << left << 5005.0;
        QTest::newRow("4329: Frame4") << 8715.0 << 4329.0 << "Frame4" << top << 1349.75;
        QTest::newRow("4330: Frame4 jumps up") << 8715.0 << 4330.0 << "Frame4" << top << 1338.0;
        QTest::newRow("4329: Frame5") << 8715.0 << 4329.0 << "Frame5" << top << 2219.5625;
        QTest::newRow("4330: Frame5 jumps up") << 8715.0 << 4330.0 << "Frame5" << top << 2186.0;
        QTest::newRow("4330: Frame4 contents stay")
            << 8715.0 << 4330.0 << "CheckRestHome" << top << 600.0;
        QTest::newRow("tall: Frame4 contents fixed")
            << 8715.0 << 9000.0 << "TextOnlySite" << top << 210.0;
        QTest::newRow("tall: Frame2 follows the bottom")
            << 8715.0 << 9000.0 << "Frame2" << top << 7400.0;
        QTest::newRow("tall: Frame2 height fixed")
            << 8715.0 << 9000.0 << "Frame2" << height << 1155.0;
        QTest::newRow("tall: Frame5 shifts") << 8715.0 << 4810.0 << "Frame5" << top << 2526.0;
        QTest::newRow("tall: right column unbounded")
            << 8715.0 << 9000.0 << "CommandProfessionalOptions" << top << 8240.0;
        QTest::newRow("middle: check row") << 8715.0 << 4090.0 << "CheckDLL" << top << 780.0;
    }
    void places()
    {
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QString, control);
        QFETCH(int, property);
        QFETCH(double, value);
        QCOMPARE(ValueOf(OptionsLayout(width, height), qPrintable(control), Property(property)),
                 value);
    }

    // The lower edges of the frames keep their distance from the window's
    // lower edge in every height range.
    void lowerEdges_data()
    {
        QTest::addColumn<double>("height");
        QTest::newRow("minimum") << 3850.0;
        QTest::newRow("middle range") << 4100.0;
        QTest::newRow("upper range") << 4330.0;
        QTest::newRow("tall") << 7000.0;
    }
    void lowerEdges()
    {
        QFETCH(double, height);
        const auto places = OptionsLayout(9000, height);
        const auto bottom = [&](const char* frame) {
            return ValueOf(places, frame, Property::Top) + ValueOf(places, frame, Property::Height);
        };
        QCOMPARE(height - bottom("Frame2"), 445.0);
        QCOMPARE(height - bottom("Frame3"), 445.0);
        QCOMPARE(height - bottom("FrameHTML"), 805.0);
        QCOMPARE(height - ValueOf(places, "CommandProfessionalOptions", Property::Top), 760.0);
    }

    void alignedHeight_data()
    {
        QTest::addColumn<double>("mainHeight");
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<double>("height");
        QTest::newRow("both bars") << 6000.0 << true << true << 615.0;
        QTest::newRow("log only") << 9000.0 << true << false << 4035.0;
        QTest::newRow("tool bar only") << 9000.0 << false << true << 5615.0;
        QTest::newRow("neither") << 9000.0 << false << false << 6035.0;
        QTest::newRow("too low") << 5385.0 << true << true << 0.0;
    }
    void alignedHeight()
    {
        QFETCH(double, mainHeight);
        QFETCH(bool, log);
        QFETCH(bool, toolbar);
        QFETCH(double, height);
        QCOMPARE(AlignedOptionsHeight(mainHeight, log, toolbar), height);
    }

    void storedPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<double>>("fields"); // -1: left out
        QTest::newRow("default") << "0,8715,1300,4330" << QList<double>{0, 8715, 1300, 4330};
        QTest::newRow("fractions kept") << "1.5,9000.25,2,3" << QList<double>{1.5, 9000.25, 2, 3};
        QTest::newRow("letters read as 0") << "x,9000,y,5000" << QList<double>{0, 9000, 0, 5000};
        QTest::newRow("two fields") << "10,9000" << QList<double>{10, 9000, -1, -1};
        QTest::newRow("empty") << "" << QList<double>{0, -1, -1, -1};
    }
    void storedPosition()
    {
        QFETCH(QString, text);
        QFETCH(QList<double>, fields);
        const StoredPosition position = ReadStoredPosition(text);
        const std::optional<double> got[] = {position.left, position.width, position.top,
                                             position.height};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(got[i].value_or(-1), fields.at(i));
    }
};

KELPA_TEST_MAIN(TestOptionsLayout)
#include "test_options_layout.moc"
