// Pictures load from regular files only: a FIFO, a folder, a missing or
// unreadable file and a format Qt cannot read all give a null picture, and a
// FIFO without a writer never holds the caller.

#include "platform/files/Files.h"
#include "platform/forms/Pictures.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <sys/stat.h>

using namespace platform;

class TestPictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(QStringLiteral("red.png")));
        // Qt writes no GIF: a one-pixel picture, byte by byte.
        writeFile(QStringLiteral("dot.gif"),
                  QByteArray::fromHex("47494638396101000100800000ff000000000021f90401000000002c0000"
                                      "0000010001000002024401003b"));
        for (const char* name : {"red.bmp", "red.jpg", "red.ico"})
            QVERIFY2(image.save(QLatin1String(name)), name);
        QVERIFY(QDir().mkdir(QStringLiteral("pictures")));
        QVERIFY(QDir().mkdir(QStringLiteral("pictures.png")));
        QVERIFY(::mkfifo("pipe.png", 0600) == 0);
        // A placeable metafile header: Qt has no reader for it.
        writeFile(QStringLiteral("logo.wmf"),
                  QByteArray::fromHex("d7cdc69a0000000000001000100060000000"));
        writeFile(QStringLiteral("text.png"), "not a picture");
        writeFile(QStringLiteral("locked.png"), readFile(QStringLiteral("red.png")));
        QFile::setPermissions(QStringLiteral("locked.png"), QFileDevice::Permissions());
    }

    void loads_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("loads");
        QTest::newRow("png") << QStringLiteral("red.png") << true;
        QTest::newRow("bmp, name in other case") << QStringLiteral("RED.BMP") << true;
        QTest::newRow("jpg") << QStringLiteral("red.jpg") << true;
        QTest::newRow("gif") << QStringLiteral("dot.gif") << true;
        QTest::newRow("ico") << QStringLiteral("red.ico") << true;
        QTest::newRow("absolute program path")
            << FromLinuxPath(QDir::current().absoluteFilePath(QStringLiteral("red.png"))) << true;
        QTest::newRow("empty path") << QString() << false;
        QTest::newRow("blanks") << QStringLiteral("  ") << false;
        QTest::newRow("missing file") << QStringLiteral("blue.png") << false;
        QTest::newRow("missing folder") << QStringLiteral("nowhere\\red.png") << false;
        QTest::newRow("folder") << QStringLiteral("pictures") << false;
        QTest::newRow("folder named like a picture") << QStringLiteral("pictures.png") << false;
        QTest::newRow("fifo without writer") << QStringLiteral("pipe.png") << false;
        QTest::newRow("wmf") << QStringLiteral("logo.wmf") << false;
        QTest::newRow("text named png") << QStringLiteral("text.png") << false;
    }

    void loads()
    {
        QFETCH(QString, path);
        QFETCH(bool, loads);
        const QPixmap picture = LoadPicture(path);
        QCOMPARE(!picture.isNull(), loads);
        if (loads)
            QCOMPARE(picture.size(),
                     path.endsWith(QLatin1String(".gif")) ? QSize(1, 1) : QSize(4, 3));
    }

    void unreadableFileFailsLikeAMissingOne()
    {
        if (::geteuid() == 0)
            QSKIP("root reads every file");
        QVERIFY(LoadPicture(QStringLiteral("locked.png")).isNull());
    }

private:
    static void writeFile(const QString& name, const QByteArray& bytes)
    {
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readFile(const QString& name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

KELPA_TEST_MAIN(TestPictures)
#include "test_pictures.moc"
