// Start-up's language choice and the main window's shell: captions in the
// language of KELPA.INI, and the close box ending the program.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/StartupLanguage.h"
#include "platform/pump/Pump.h"
#include "tests/support/TestMain.h"

#include <QAction>
#include <QFile>

namespace {

void WriteIni(const QByteArray& bytes)
{
    QFile file(QStringLiteral("KELPA.INI"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestMainWindow : public QObject {
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
        QTest::newRow("last line wins") << QByteArray("Language=deutsch\nLANGUAGE=english\n")
                                        << "english";
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

    void captionsFollowTheLanguage()
    {
        WriteIni("Language=Deutsch\r\n");
        FormKelpa& form = FormKelpa::Instance();
        form.MDIForm_Load();
        QCOMPARE(KELPA::Language, QStringLiteral("Deutsch"));
        QCOMPARE(form.MenuEntry("MenuStart")->text(), KELPA::LanguageText[200]);
        QCOMPARE(form.MenuEntry("MenuFile")->text(), KELPA::LanguageText[199]);
        QVERIFY(form.MenuEntry("MenuFile")->text() != QStringLiteral("&File"));
        QVERIFY(form.windowTitle().startsWith(QStringLiteral("Kelpa - C:\\")));
        QVERIFY(form.windowTitle().endsWith(QLatin1Char('\\')));
        QVERIFY(!form.MenuEntry("MenuStart")->isEnabled());
        QVERIFY(!form.MenuEntry("MenuAutoSequenz")->isVisible());
    }

    void closeBoxEndsTheProgram()
    {
        platform::setTestEnding(true);
        platform::clearProgramEnded();
        FormKelpa::Instance().close();
        QVERIFY(platform::programEnded());
    }
};

KELPA_TEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
