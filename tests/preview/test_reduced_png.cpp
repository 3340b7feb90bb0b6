// A PNG read straight into a smaller picture: every kind of PNG read at its
// own size gives the pixels the picture reader gives; read smaller, each
// pixel is the mean of all the pixels of its cell (a fine pattern gives
// grey); a stop, a file cut short or one that is no PNG gives nothing.

#include "preview/ReducedPng.h"
#include "tests/preview/PngFile.h"
#include "tests/support/TestMain.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace testsupport;

namespace {

QByteArray Written(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Colours that change in every direction, so that the writer filters its
// rows in every way.
QImage Pattern(QImage::Format format)
{
    QImage image(41, 29, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y,
                           qRgba((x * 37 + y * 11) % 256, (x * x + y * 7) % 256, (y * 53) % 256,
                                 (x * 29 + y * 3) % 256));
    }
    return image.convertToFormat(format);
}

// Rows of a picture of width x height in passes (interlaced) or not, each
// pixel's bytes from pixel(x, y), every row unfiltered.
template <class PixelBytes>
QByteArray Rows(int width, int height, bool interlaced, PixelBytes pixel)
{
    struct Pass {
        int x, y, stepX, stepY;
    };
    const QList<Pass> passes =
        interlaced ? QList<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                 {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                   : QList<Pass>{{0, 0, 1, 1}};
    QByteArray rows;
    for (const Pass& pass : passes) {
        if (pass.x >= width)
            continue;
        for (int y = pass.y; y < height; y += pass.stepY) {
            rows.append('\0');
            for (int x = pass.x; x < width; x += pass.stepX)
                rows += pixel(x, y);
        }
    }
    return rows;
}

// Two bits of grey a pixel, value 1 transparent.
QByteArray GreyTwoBitsKeyed()
{
    QByteArray rows;
    for (int y = 0; y < 5; ++y) {
        rows.append('\0');
        quint16 bits = 0;
        for (int x = 0; x < 7; ++x)
            bits |= quint16(((x + y) % 4) << (14 - 2 * x));
        rows.append(char(bits >> 8)).append(char(bits));
    }
    return PngFile(7, 5, 2, 0, false, rows, PngChunk("tRNS", QByteArray("\0\1", 2)));
}

// Grey and alpha at 16 bits.
QByteArray GreyAlphaSixteen()
{
    return PngFile(5, 4, 16, 4, false, Rows(5, 4, false, [](int x, int y) {
                       const quint16 grey = quint16(x * 12345);
                       const quint16 alpha = quint16(y * 20000 + 1000);
                       return QByteArray{}
                           .append(char(grey >> 8))
                           .append(char(grey))
                           .append(char(alpha >> 8))
                           .append(char(alpha));
                   }));
}

// RGB in passes, stored uncompressed.
QByteArray InterlacedStored()
{
    return PngFile(13, 11, 8, 2, true,
                   Rows(13, 11, true,
                        [](int x, int y) {
                            return QByteArray{}
                                .append(char(x * 19))
                                .append(char(y * 23))
                                .append(char((x + y) * 7));
                        }),
                   QByteArray(), 0);
}

// Black and white pixels taking turns along the rows (checkerboard) or
// whole rows taking turns (stripes): 50 % grey when reduced.
QByteArray Alternating(int depth, int colour, bool checkerboard)
{
    constexpr int Side = 64;
    const int channels = colour == 2 ? 3 : 1;
    QByteArray rows;
    for (int y = 0; y < Side; ++y) {
        rows.append('\0');
        if (depth == 1) {
            const char bits = checkerboard ? (y % 2 ? '\x55' : '\xaa') : (y % 2 ? '\xff' : '\0');
            rows.append(QByteArray(Side / 8, bits));
            continue;
        }
        for (int x = 0; x < Side; ++x) {
            const bool white = checkerboard ? (x + y) % 2 == 1 : y % 2 == 1;
            rows.append(QByteArray(channels, white ? '\xff' : '\0'));
        }
    }
    return PngFile(Side, Side, depth, colour, false, rows);
}

// Left half opaque red, right half blue at half alpha (RGBA).
QByteArray Halves(int width, int height, bool interlaced)
{
    return PngFile(quint32(width), quint32(height), 8, 6, interlaced,
                   Rows(width, height, interlaced, [width](int x, int) {
                       return x < width / 2 ? QByteArray("\xff\0\0\xff", 4)
                                            : QByteArray("\0\0\xff\x80", 4);
                   }));
}

} // namespace

class TestReducedPng : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameAsTheReader_data();
    void sameAsTheReader();
    void reduced_data();
    void reduced();
};

void TestReducedPng::sameAsTheReader_data()
{
    QTest::addColumn<QByteArray>("png");
    QTest::newRow("RGB") << Written(Pattern(QImage::Format_RGB32));
    QTest::newRow("RGBA") << Written(Pattern(QImage::Format_ARGB32));
    QTest::newRow("RGBA, 16 bits") << Written(Pattern(QImage::Format_RGBA64));
    QTest::newRow("grey") << Written(Pattern(QImage::Format_Grayscale8));
    QTest::newRow("palette") << Written(Pattern(QImage::Format_Indexed8));
    QTest::newRow("one bit") << Written(Pattern(QImage::Format_Mono));
    QTest::newRow("grey, two bits, keyed") << GreyTwoBitsKeyed();
    QTest::newRow("grey and alpha, 16 bits") << GreyAlphaSixteen();
    QTest::newRow("interlaced, stored") << InterlacedStored();
}

// Read at its own size, every pixel is the reader's (but for the rounding
// of 16 bits to 8).
void TestReducedPng::sameAsTheReader()
{
    QFETCH(QByteArray, png);
    const QImage expected =
        QImage::fromData(png, "PNG").convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QVERIFY(!expected.isNull());
    QBuffer in(&png);
    in.open(QIODevice::ReadOnly);
    const preview::ReducedPicture picture =
        preview::ReducePng(in, expected.size(), [] { return true; });
    QCOMPARE(picture.size, expected.size());
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb want = expected.pixel(x, y);
            const QRgb got = picture.pixels[size_t(y * expected.width() + x)];
            const int off =
                qMax(qMax(qAbs(qAlpha(want) - qAlpha(got)), qAbs(qRed(want) - qRed(got))),
                     qMax(qAbs(qGreen(want) - qGreen(got)), qAbs(qBlue(want) - qBlue(got))));
            if (off > 1)
                QFAIL(qPrintable(QStringLiteral("at %1,%2: %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(got, 8, 16, QLatin1Char('0'))
                                     .arg(want, 8, 16, QLatin1Char('0'))));
        }
    }
}

void TestReducedPng::reduced_data()
{
    QTest::addColumn<QByteArray>("png");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("steps"); // steps allowed before a stop
    QTest::addColumn<QList<uint>>("pixels");
    const QList<uint> halves{0xFFFF0000u, 0x80000080u};
    QTest::newRow("halves") << Halves(64, 32, false) << QSize(2, 1) << 100 << halves;
    QTest::newRow("halves, interlaced") << Halves(16, 8, true) << QSize(2, 1) << 100 << halves;
    QTest::newRow("larger than the picture")
        << Halves(2, 1, false) << QSize(50, 50) << 100 << halves;
    const QList<uint> grey(4, 0xFF7F7F7Fu);
    QTest::newRow("checkerboard, RGB") << Alternating(8, 2, true) << QSize(2, 2) << 100 << grey;
    QTest::newRow("checkerboard, one bit") << Alternating(1, 0, true) << QSize(2, 2) << 100 << grey;
    QTest::newRow("row stripes, grey") << Alternating(8, 0, false) << QSize(2, 2) << 100 << grey;
    QTest::newRow("stopped") << Halves(1024, 512, false) << QSize(2, 1) << 1 << QList<uint>();
    QTest::newRow("cut short") << Halves(64, 32, false).chopped(40) << QSize(2, 1) << 100
                               << QList<uint>();
    QTest::newRow("no PNG") << QByteArray("GIF89a\x01\0\x01\0", 10) << QSize(2, 1) << 100
                            << QList<uint>();
}

void TestReducedPng::reduced()
{
    QFETCH(QByteArray, png);
    QFETCH(QSize, size);
    QFETCH(int, steps);
    QFETCH(QList<uint>, pixels);
    QBuffer in(&png);
    in.open(QIODevice::ReadOnly);
    const preview::ReducedPicture picture =
        preview::ReducePng(in, size, [&steps] { return --steps > 0; });
    QCOMPARE(QList<uint>(picture.pixels.begin(), picture.pixels.end()), pixels);
    QCOMPARE(picture.size.isEmpty(), pixels.isEmpty());
}

KELPA_TEST_MAIN(TestReducedPng)
#include "test_reduced_png.moc"
