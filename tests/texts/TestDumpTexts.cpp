// The dump tool: 490 lines "slot<TAB>text" in UTF-8, and a usage error for anything but
// one argument "english" or "deutsch".

#include "tests/support/TestMain.h"

#include <QObject>
#include <QProcess>
#include <QTest>

class TestDumpTexts final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dump_data();
    void dump();
    void usageError_data();
    void usageError();
};

void TestDumpTexts::dump_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("line60");
    QTest::addColumn<QString>("line349");
    QTest::newRow("english") << QStringLiteral("english") << QStringLiteral("60\t&Close")
                             << QStringLiteral("349\t");
    QTest::newRow("deutsch") << QStringLiteral("deutsch") << QStringLiteral("60\t&Schlie\u00dfen")
                             << QStringLiteral("349\tAnwendung zum");
}

void TestDumpTexts::dump()
{
    QFETCH(QString, language);
    QFETCH(QString, line60);
    QFETCH(QString, line349);
    QProcess process;
    process.start(QStringLiteral(DUMP_TEXTS), {language});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QByteArray out = process.readAllStandardOutput();
    QVERIFY(out.endsWith('\n'));
    QVERIFY(!out.contains('\r'));
    const QStringList lines = QString::fromUtf8(out.chopped(1)).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 490);
    for (int slot = 0; slot < lines.size(); ++slot)
        QVERIFY(lines[slot].startsWith(QString::number(slot) + QLatin1Char('\t')));
    QCOMPARE(lines[0], QStringLiteral("0\t"));
    QCOMPARE(lines[60], line60);
    QCOMPARE(lines[349], line349);
}

void TestDumpTexts::usageError_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("none") << QStringList();
    QTest::newRow("unknown language") << QStringList{QStringLiteral("french")};
    QTest::newRow("wrong case") << QStringList{QStringLiteral("Deutsch")};
    QTest::newRow("two arguments")
        << QStringList{QStringLiteral("english"), QStringLiteral("deutsch")};
}

void TestDumpTexts::usageError()
{
    QFETCH(QStringList, arguments);
    QProcess process;
    process.start(QStringLiteral(DUMP_TEXTS), arguments);
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(!process.readAllStandardError().isEmpty());
}

KELPA_TEST_MAIN(TestDumpTexts)

#include "TestDumpTexts.moc"
