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
        QTest::newRow("a note's line is the note's")
            << QByteArray("Language=english\r\nMemoText=x\r\nLanguage=deutsch\r\nMemoTextEnd\r\n")
            << "english";
        QTest::newRow("a note on its key line")
            << QByteArray("MemoText=Language=deutsch\r\nMemoTextEnd\r\n") << "english";
        QTest::newRow("after the note")
            << QByteArray("MemoText=x\r\nMemoTextEnd\r\nLanguage=deutsch\r\n") << "deutsch";
        QTest::newRow("only the exact end line ends it")
            << QByteArray("MemoText=x\r\n MemoTextEnd\r\nLanguage=deutsch\r\nMemoTextEnd\r\n")
            << "english";
        QTest::newRow("a note without its end line")
            << QByteArray("memotext = x\nLanguage=deutsch\n") << "english";
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

    // Once the assistant was offered the next start is not a first start; the
    // language stays and a file the program wrote is left alone.
    void assistantOfferedEndsTheFirstStart_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("as installed") << QByteArray("Language=deutsch\r\n")
                                      << QByteArray("Language=deutsch\r\nAssistantOffered=1\r\n");
        QTest::newRow("last line without its end")
            << QByteArray("Language=deutsch")
            << QByteArray("Language=deutsch\r\nAssistantOffered=1\r\n");
        QTest::newRow("no settings file") << QByteArray() << QByteArray("AssistantOffered=1\r\n");
        QTest::newRow("written by the program") << QByteArray("Accept=*/*\r\nLanguage=deutsch\r\n")
                                                << QByteArray("Accept=*/*\r\nLanguage=deutsch\r\n");
    }
    void assistantOfferedEndsTheFirstStart()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, after);
        QFile::remove(QStringLiteral("KELPA.INI"));
        if (!ini.isEmpty())
            WriteIni(ini);
        MarkAssistantOffered(QStringLiteral("KELPA.INI"));
        QFile file(QStringLiteral("KELPA.INI"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), after);
        bool otherKeys = false;
        const QString language = ReadLanguageLine(QStringLiteral("KELPA.INI"), &otherKeys);
        QVERIFY(otherKeys);
        QCOMPARE(language, ini.isEmpty() ? QStringLiteral("english") : QStringLiteral("deutsch"));
    }
};

KELPA_TEST_MAIN(TestStartupLanguage)
#include "test_startup_language.moc"
