// A file appended to from call to call stays open, yet every line lands in
// the file its path names at that moment, whatever happened to it between.

#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "tests/platform/files/FileTestUtil.h"
#include "tests/support/TestMain.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

using namespace platform;

class TestKeptAppend : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        start = QDir::currentPath();
        work = std::make_unique<QTemporaryDir>(filetest::home() + QLatin1String("/kept-XXXXXX"));
        QVERIFY(work->isValid());
        QVERIFY(QDir::setCurrent(work->path()));
    }

    void cleanup()
    {
        CloseAllFiles();
        QDir::setCurrent(start);
        work.reset();
    }

    void linesLandInTheNamedFile_data()
    {
        using Change = std::function<void(const QString& folder)>;
        QTest::addColumn<Change>("change");
        QTest::addColumn<QByteArray>("expected");  // LOG.TXT after the second line
        QTest::addColumn<QByteArray>("elsewhere"); // OLD.TXT, or the old folder's LOG.TXT
        QTest::newRow("nothing between")
            << Change([](const QString&) {}) << QByteArray("a\r\nb\r\n") << QByteArray("<missing>");
        // Another process's change is seen through the next yield.
        QTest::newRow("deleted by another process") << Change([](const QString& folder) {
            QVERIFY(QFile::remove(folder + QLatin1String("/LOG.TXT")));
            DoEvents();
        }) << QByteArray("b\r\n") << QByteArray("<missing>");
        QTest::newRow("renamed by another process") << Change([](const QString& folder) {
            QVERIFY(QFile::rename(folder + QLatin1String("/LOG.TXT"),
                                  folder + QLatin1String("/OLD.TXT")));
            DoEvents();
        }) << QByteArray("b\r\n") << QByteArray("a\r\n");
        QTest::newRow("renamed by the program") << Change([](const QString&) {
            QCOMPARE(Name(QStringLiteral("log.txt"), QStringLiteral("OLD.TXT")), 0);
        }) << QByteArray("b\r\n") << QByteArray("a\r\n");
        QTest::newRow("emptied by the program") << Change([](const QString&) {
            const int number = FreeFile();
            QCOMPARE(Open(QStringLiteral("LOG.TXT"), OpenMode::Output, number), 0);
            QCOMPARE(Close(number), 0);
        }) << QByteArray("b\r\n") << QByteArray("<missing>");
        QTest::newRow("current directory changed") << Change([](const QString& folder) {
            QVERIFY(QDir(folder).mkdir(QStringLiteral("sub")));
            QCOMPARE(ChDir(QStringLiteral("sub")), 0);
        }) << QByteArray("b\r\n") << QByteArray("a\r\n");
    }

    void linesLandInTheNamedFile()
    {
        using Change = std::function<void(const QString& folder)>;
        QFETCH(Change, change);
        QFETCH(QByteArray, expected);
        QFETCH(QByteArray, elsewhere);
        const QString folder = work->path();
        QCOMPARE(AppendKept(QStringLiteral("LOG.TXT"), QStringLiteral("a\r\n")), 0);
        change(folder);
        QCOMPARE(AppendKept(QStringLiteral("LOG.TXT"), QStringLiteral("b\r\n")), 0);
        QCOMPARE(filetest::readBytes(QDir::currentPath() + QLatin1String("/LOG.TXT")), expected);
        const bool moved = QDir::currentPath() != folder;
        QCOMPARE(filetest::readBytes(
                     folder + (moved ? QLatin1String("/LOG.TXT") : QLatin1String("/OLD.TXT"))),
                 elsewhere);
    }

    // Several files appended to in turn each keep their own lines, also when
    // one of them is changed between two calls or more are kept than fit.
    void filesInTurn_data()
    {
        using Change = std::function<void(const QString& folder)>;
        QTest::addColumn<QStringList>("names"); // appended to in turn, twice
        QTest::addColumn<Change>("change");     // after the first round
        QTest::addColumn<QByteArray>("first");  // the first name's file at the end
        QTest::addColumn<QByteArray>("others"); // every other one's
        QTest::newRow("two files")
            << QStringList{"LOG.TXT", "GOT.TXT"} << Change([](const QString&) {})
            << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("the other one deleted")
            << QStringList{"LOG.TXT", "GOT.TXT"} << Change([](const QString& folder) {
                   QVERIFY(QFile::remove(folder + QLatin1String("/GOT.TXT")));
                   DoEvents();
               })
            << QByteArray("a\r\nb\r\n") << QByteArray("b\r\n");
        QTest::newRow("the first one deleted")
            << QStringList{"LOG.TXT", "GOT.TXT"} << Change([](const QString& folder) {
                   QVERIFY(QFile::remove(folder + QLatin1String("/LOG.TXT")));
                   DoEvents();
               })
            << QByteArray("b\r\n") << QByteArray("a\r\nb\r\n");
        QTest::newRow("more files than are kept")
            << QStringList{"F1.TXT", "F2.TXT", "F3.TXT", "F4.TXT", "F5.TXT", "F6.TXT", "F7.TXT"}
            << Change([](const QString&) {}) << QByteArray("a\r\nb\r\n")
            << QByteArray("a\r\nb\r\n");
    }

    void filesInTurn()
    {
        using Change = std::function<void(const QString& folder)>;
        QFETCH(QStringList, names);
        QFETCH(Change, change);
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, others);
        for (const QString& name : names)
            QCOMPARE(AppendKept(name, QStringLiteral("a\r\n")), 0);
        change(work->path());
        for (const QString& name : names)
            QCOMPARE(AppendKept(name, QStringLiteral("b\r\n")), 0);
        QCOMPARE(filetest::readBytes(work->path() + QLatin1Char('/') + names.front()), first);
        for (const QString& name : names.mid(1))
            QCOMPARE(filetest::readBytes(work->path() + QLatin1Char('/') + name), others);
    }

    // The name is matched case-blind like every other path of the layer.
    void caseBlindName()
    {
        QVERIFY(filetest::writeBytes(work->path() + QLatin1String("/kelpa.log"), "x\r\n"));
        QCOMPARE(AppendKept(QStringLiteral("KELPA.LOG"), QStringLiteral("a\r\n")), 0);
        QCOMPARE(AppendKept(QStringLiteral("KELPA.LOG"), QStringLiteral("b\r\n")), 0);
        QCOMPARE(filetest::readBytes(work->path() + QLatin1String("/kelpa.log")),
                 QByteArray("x\r\na\r\nb\r\n"));
        QCOMPARE(QDir(work->path()).entryList(QDir::Files), QStringList{"kelpa.log"});
    }

private:
    QString start;
    std::unique_ptr<QTemporaryDir> work;
};

KELPA_TEST_MAIN(TestKeptAppend)

#include "TestKeptAppend.moc"
