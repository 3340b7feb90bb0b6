// Start-up's first look into KELPA.INI: the language, and whether the file
// holds anything but the language line.

#include "main/Kelpa.h"
#include "main/StartupLanguage.h"
#include "tests/support/TestMain.h"

#include <QFile>

namespace {

void WriteIni(const QByteArray& bytes)
{
    QFile file(QStringLiteral("KELPA.INI"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestStartupLanguage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void languageLine_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("language");
        QTest::newRow("no file") << QByteArray() << "english";
        QTest::newRow("plain") << QByteArray("Language=Deutsch\r\n") << "Deutsch";
        QTest::newRow("blanks around key, = and value")
            << QByteArray("Depth=2\r\n  language  =  Deutsch  \r\n") << "Deutsch";
        QTest::newRow("empty value keeps english") << QByteArray("Language=\r\n") << "english";
        QTest::newRow("last line wins")
            << QByteArray("Language=deutsch\nLANGUAGE=english\n") << "english";
        QTest::newRow("empty later line does not undo")
            << QByteArray("Language=deutsch\nLanguage=   \n") << "deutsch";
        QTest::newRow("value holding =") << QByteArray("Language=a=b\n") << "a=b";
        QTest::newRow("line without =") << QByteArray("Language\nx\n") << "english";
        QTest::newRow("no line end at the end") << QByteArray("Language=Deutsch") << "Deutsch";
    }
    void languageLine()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, language);
        QFile::remove(QStringLiteral("KELPA.INI"));
        if (!ini.isEmpty())
            WriteIni(ini);
        QCOMPARE(ReadLanguageLine(QStringLiteral("kelpa.ini")), language);
    }

    void otherKeysTellAFirstStart_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<bool>("otherKeys");
        QTest::newRow("as installed") << QByteArray("Language=english\r\n") << false;
        QTest::newRow("installed twice")
            << QByteArray("Language=english\r\nLanguage=deutsch\r\n") << false;
        QTest::newRow("written by the program")
            << QByteArray("Accept=*/*\r\nLanguage=english\r\n") << true;
        QTest::newRow("lines without =") << QByteArray("Language=english\r\nnoise\r\n") << false;
    }
    void otherKeysTellAFirstStart()
    {
        QFETCH(QByteArray, ini);
        QFETCH(bool, otherKeys);
        WriteIni(ini);
        bool found = !otherKeys;
        ReadLanguageLine(QStringLiteral("KELPA.INI"), &found);
        QCOMPARE(found, otherKeys);
    }
};

KELPA_TEST_MAIN(TestStartupLanguage)
#include "test_startup_language.moc"
