// The advanced settings dialog as the user meets it: loading from the
// settings variables, OK, Cancel, Esc and the close box, Reset to default, the
// blocking chain, the Host and Referer groups, and what reaches KELPA.INI.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Settings.h"
#include "settings/FormProfessional.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/CaptionFit.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <functional>

using namespace KELPA;

namespace {

FormProfessional& Dialog()
{
    return FormProfessional::Instance();
}

// The stored values every case starts from.
void StoreSample()
{
    HeadLine = QStringLiteral("<!-- mine -->");
    Host.clear();
    Referer.clear();
    HostName = QStringLiteral("www.site.example");
    UrlPath = QStringLiteral("/docs");
    Accept = QStringLiteral("*/*");
    Connection = QStringLiteral("close");
    UserAgent = QStringLiteral("Agent 1");
    IfModifiedSince.clear();
    HideMin = 20;
    AnalyseOnStop = 1;
    LogAllMessages = 0;
    NoExternalBanners = 1;
    ParseJava = 0;
    RefreshHTML = 1;
    UseRecycleBin = 0;
    ConnectBlocking = 0;
    GetHostByNameBlocking = 1;
    SendBlocking = 0;
    RecvBlocking = 0;
    ConnectTO = 20;
    RecvBuffer = 2048;
}

// One letter a blocking box, in chain order GetHostByName, Connect, Send,
// Recv: yes where test holds for the box, else no.
QString BlockingLetters(const std::function<bool(const QCheckBox*)>& test, char yes, char no)
{
    QString text;
    const FormProfessional& d = Dialog();
    for (const QCheckBox* box : {d.CheckGetHostByName, d.CheckConnect, d.CheckSend, d.CheckRecv})
        text += QLatin1Char(test(box) ? yes : no);
    return text;
}

// "T" ticked, "." cleared.
QString BlockingTicks()
{
    return BlockingLetters(&QCheckBox::isChecked, 'T', '.');
}

// "e" enabled, "d" disabled.
QString BlockingEnables()
{
    return BlockingLetters(&QCheckBox::isEnabled, 'e', 'd');
}

QString BlockingFlags()
{
    return QStringLiteral("%1%2%3%4")
        .arg(GetHostByNameBlocking)
        .arg(ConnectBlocking)
        .arg(SendBlocking)
        .arg(RecvBlocking);
}

} // namespace

class TestProfessional : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { testsupport::StartOnce(); }

    void init() { StoreSample(); }

    void cleanup()
    {
        if (Dialog().Loaded())
            Dialog().Unload();
    }

    // Every caption shows whole, in both languages, with no control covering
    // another.
    void captionsFit_data() { testsupport::LanguageRows(); }
    void captionsFit()
    {
        QFETCH(QString, language);
        TexteLaden(language);
        Dialog().Load();
        const QStringList clipped = testsupport::ClippedCaptions(&Dialog());
        TexteLaden(QStringLiteral("english"));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
    }

    void loadFillsTheBoxes()
    {
        FormKelpa& main = FormKelpa::Instance();
        main.setGeometry(30, 40, 900, 700);
        FormProfessional& d = Dialog();
        d.Load();
        // Centred on the main window.
        QCOMPARE(d.Left() + d.Width() / 2, main.Left() + main.Width() / 2);
        QCOMPARE(d.Top() + d.Height() / 2, main.Top() + main.Height() / 2);
        QCOMPARE(d.Caption(), QStringLiteral("Professional Options"));
        QCOMPARE(d.TextHeadline->text(), HeadLine);
        QCOMPARE(d.TextAccept->text(), QStringLiteral("*/*"));
        QCOMPARE(d.TextConnection->text(), QStringLiteral("close"));
        QCOMPARE(d.TextUserAgent->text(), QStringLiteral("Agent 1"));
        QCOMPARE(d.TextHideMin->text(), QStringLiteral("20"));
        // Default Host and Referer show what the last request sent, greyed.
        QVERIFY(d.OptionHostDefault->isChecked());
        QCOMPARE(d.TextHost->text(), QStringLiteral("www.site.example"));
        QVERIFY(!d.TextHost->isEnabled());
        QVERIFY(d.OptionRefererDefault->isChecked());
        QCOMPARE(d.TextReferer->text(), QStringLiteral("/docs/"));
        QVERIFY(!d.TextReferer->isEnabled());
        QVERIFY(d.CheckAnalyse->isChecked());
        QVERIFY(!d.CheckLogAllMessages->isChecked());
        QVERIFY(d.CheckNoBanners->isChecked());
        QVERIFY(d.CheckRefreshHTML->isChecked());
        QVERIFY(!d.CheckUseRecycleBin->isChecked());
        QVERIFY(!d.CheckParseJava->isEnabled());
        QVERIFY(!d.CheckProxy->isEnabled() && !d.TextProxy->isEnabled());
        QCOMPARE(BlockingTicks(), QStringLiteral("T..."));
        QVERIFY(d.Option20->isChecked());
        QVERIFY(d.Option2048->isChecked());
    }

    void userDefinedHostAndReferer()
    {
        Host = QStringLiteral("proxy.example");
        Referer = QStringLiteral("http://from.example/");
        FormProfessional& d = Dialog();
        d.Load();
        QVERIFY(d.OptionHostUserDefined->isChecked());
        QVERIFY(d.TextHost->isEnabled());
        QCOMPARE(d.TextHost->text(), Host);
        QVERIFY(d.OptionRefererUserDefined->isChecked());
        QCOMPARE(d.TextReferer->text(), Referer);
        // Back to default empties the box; user defined again keeps it empty.
        d.OptionHostDefault->setChecked(true);
        QVERIFY(!d.TextHost->isEnabled());
        QCOMPARE(d.TextHost->text(), QString());
        d.OptionHostUserDefined->setChecked(true);
        QVERIFY(d.TextHost->isEnabled());
        // A user-defined box left blank stores "" and falls back to default.
        d.TextReferer->setText(QStringLiteral("   "));
        d.CommandOK->click();
        QCOMPARE(Host, QString());
        QCOMPARE(Referer, QString());
        // Every showing starts again from the variables and the design.
        d.Load();
        QVERIFY(d.OptionHostDefault->isChecked());
        QVERIFY(!d.TextHost->isEnabled());
        QVERIFY(d.OptionRefererDefault->isChecked());
    }

    void storedValuesOutsideTheOptions()
    {
        ConnectTO = 45;
        RecvBuffer = 4096;
        FormProfessional& d = Dialog();
        d.Load();
        QVERIFY(d.Option60->isChecked());
        QVERIFY(d.Option8192->isChecked());
        // A size between the options is received in the largest buffer.
        QCOMPARE(FixedReceiveBuffer(RecvBuffer).size(), 8192);
        d.CommandCancel->click();
        QVERIFY(!d.Loaded());
        // The time-out settles at load; the buffer size only through OK.
        QCOMPARE(ConnectTO, int16_t(60));
        QCOMPARE(RecvBuffer, int16_t(4096));
        d.Load();
        d.CommandOK->click();
        QCOMPARE(RecvBuffer, int16_t(8192));
    }

    void blockingBoxesAtLoad_data()
    {
        QTest::addColumn<QString>("flags"); // GetHostByName, Connect, Send, Recv
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("enables");
        QTest::newRow("defaults") << "1000"
                                  << "T..."
                                  << "eeee";
        QTest::newRow("receive blocking ticks the chain") << "0001"
                                                          << "TTTT"
                                                          << "ddde";
        QTest::newRow("send blocking") << "0010"
                                       << "TTT."
                                       << "ddee";
        QTest::newRow("connect without the look-up") << "0100"
                                                     << ".T.."
                                                     << "deee";
    }
    void blockingBoxesAtLoad()
    {
        QFETCH(QString, flags);
        GetHostByNameBlocking = int16_t(flags[0].digitValue());
        ConnectBlocking = int16_t(flags[1].digitValue());
        SendBlocking = int16_t(flags[2].digitValue());
        RecvBlocking = int16_t(flags[3].digitValue());
        FormProfessional& d = Dialog();
        d.Load();
        QTEST(BlockingTicks(), "ticks");
        QTEST(BlockingEnables(), "enables");
        d.CommandOK->click();
        QCOMPARE(BlockingFlags(), flags == QLatin1String("0001")   ? QStringLiteral("1111")
                                  : flags == QLatin1String("0010") ? QStringLiteral("1110")
                                                                   : flags);
    }

    void clearingTheChainStepByStep()
    {
        RecvBlocking = 1;
        FormProfessional& d = Dialog();
        d.Load();
        d.CheckRecv->setChecked(false);
        QCOMPARE(BlockingTicks(), QStringLiteral("TTT."));
        QCOMPARE(BlockingEnables(), QStringLiteral("ddee"));
        d.CheckSend->setChecked(false);
        d.CheckConnect->setChecked(false);
        QCOMPARE(BlockingEnables(), QStringLiteral("eeee"));
        d.CheckGetHostByName->setChecked(false);
        d.CheckRecv->setChecked(true);
        QCOMPARE(BlockingTicks(), QStringLiteral("TTTT"));
        QCOMPARE(BlockingEnables(), QStringLiteral("ddde"));
    }

    void okCopiesEveryBox()
    {
        FormProfessional& d = Dialog();
        d.Load();
        d.TextHeadline->setText(QStringLiteral("  <!-- other -->  "));
        d.OptionHostUserDefined->setChecked(true);
        d.TextHost->setText(QStringLiteral("host.example"));
        d.TextAccept->setText(QStringLiteral("text/html"));
        d.TextConnection->setText(QStringLiteral("Keep-Alive"));
        d.TextUserAgent->setText(QStringLiteral("Agent 2"));
        d.TextHideMin->setText(QStringLiteral("0"));
        d.CheckAnalyse->setChecked(false);
        d.CheckLogAllMessages->setChecked(true);
        d.CheckUseRecycleBin->setChecked(true);
        d.CheckSend->setChecked(true);
        d.Option10->setChecked(true);
        d.Option512->setChecked(true);
        d.CommandOK->click();
        QVERIFY(!d.Loaded());
        QCOMPARE(HeadLine, QStringLiteral("<!-- other -->"));
        QCOMPARE(Host, QStringLiteral("host.example"));
        QCOMPARE(Accept, QStringLiteral("text/html"));
        QCOMPARE(Connection, QStringLiteral("Keep-Alive"));
        QCOMPARE(UserAgent, QStringLiteral("Agent 2"));
        QCOMPARE(HideMin, int16_t(1));
        QCOMPARE(AnalyseOnStop, int16_t(0));
        QCOMPARE(LogAllMessages, int16_t(1));
        QCOMPARE(UseRecycleBin, int16_t(1));
        QCOMPARE(NoExternalBanners, int16_t(1));
        QCOMPARE(BlockingFlags(), QStringLiteral("1110"));
        QCOMPARE(ConnectTO, int16_t(10));
        QCOMPARE(RecvBuffer, int16_t(512));
        QCOMPARE(FormKelpa::Instance().MenuEntry("MenuHide")->text(),
                 QStringLiteral("&Hide (1 min)"));
    }

    void ifModifiedSinceExample()
    {
        FormProfessional& d = Dialog();
        d.Load();
        d.TextIfModifiedSince->setText(QStringLiteral("anything"));
        QTest::mouseDClick(d.TextIfModifiedSince, Qt::LeftButton);
        d.CommandOK->click();
        QCOMPARE(IfModifiedSince, QStringLiteral("Fri, 24 Oct 1991 10:32:56 GMT; length=6736"));
    }

    // Cancel, Esc and the close box close the dialog; nothing is copied, and
    // Reset before them changes no setting, the blocking flags included.
    void closingWithoutOk_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("reset");
        for (const char* how : {"cancel", "escape", "close box"}) {
            QTest::addRow("%s", how) << how << false;
            QTest::addRow("reset then %s", how) << how << true;
        }
    }
    void closingWithoutOk()
    {
        QFETCH(QString, how);
        QFETCH(bool, reset);
        ConnectBlocking = 1;
        SendBlocking = 1;
        RecvBlocking = 1;
        GetHostByNameBlocking = 1;
        FormProfessional& d = Dialog();
        // What the boxes showed after Reset; the dialog closes whatever it is.
        QString afterReset;
        bool activated = true;
        QTimer::singleShot(0, &d, [&] {
            d.TextUserAgent->setText(QStringLiteral("changed"));
            d.TextHideMin->setText(QStringLiteral("99"));
            d.CheckAnalyse->setChecked(false);
            d.Option60->setChecked(true);
            if (reset) {
                d.CommandReset->click();
                afterReset = QStringList{BlockingTicks(),
                                         BlockingEnables(),
                                         d.CheckUseRecycleBin->isChecked() ? "bin" : "-",
                                         d.Option1024->isChecked() ? "1024" : "-",
                                         d.TextConnection->text(),
                                         d.TextHost->text(),
                                         d.TextReferer->text()}
                                 .join(QLatin1Char('|'));
            }
            if (how == QLatin1String("cancel")) {
                d.CommandCancel->click();
            } else if (how == QLatin1String("escape")) {
                d.activateWindow();
                activated = QTest::qWaitForWindowActive(&d);
                if (activated)
                    QTest::keyClick(d.TextUserAgent, Qt::Key_Escape);
                else
                    d.Unload();
            } else {
                d.close();
            }
        });
        d.Show(true);
        QVERIFY(!d.Loaded());
        QVERIFY(activated);
        if (reset)
            QCOMPARE(afterReset, QStringLiteral("T...|eeee|bin|1024|Keep-Alive||"));
        QCOMPARE(BlockingFlags(), QStringLiteral("1111"));
        QCOMPARE(UserAgent, QStringLiteral("Agent 1"));
        QCOMPARE(HideMin, int16_t(20));
        QCOMPARE(AnalyseOnStop, int16_t(1));
        QCOMPARE(UseRecycleBin, int16_t(0));
        QCOMPARE(ConnectTO, int16_t(20));
        QCOMPARE(RecvBuffer, int16_t(2048));
    }

    void resetThenOkStoresTheDefaults()
    {
        FormProfessional& d = Dialog();
        d.Load();
        d.CommandReset->click();
        d.CommandOK->click();
        QCOMPARE(Connection, QStringLiteral("Keep-Alive"));
        QVERIFY(UserAgent.startsWith(QLatin1String("Kelpa 5.0 (")));
        QCOMPARE(HideMin, int16_t(1));
        QCOMPARE(AnalyseOnStop, int16_t(0));
        QCOMPARE(UseRecycleBin, int16_t(1));
        QCOMPARE(BlockingFlags(), QStringLiteral("1000"));
        QCOMPARE(ConnectTO, int16_t(60));
        QCOMPARE(RecvBuffer, int16_t(1024));
    }

    // A paste may bring line breaks, tabs and other control characters into a
    // box: none of them reaches a variable or the settings file.
    void noControlCharacterReachesTheSettingsFile()
    {
        const QString pasted = QStringLiteral("Agent\r\n3\tx\x01y\x1b");
        FormProfessional& d = Dialog();
        d.Load();
        d.TextUserAgent->setText(pasted);
        d.TextHeadline->setText(QStringLiteral("<!--\nnote\n-->\t"));
        d.TextAccept->setText(QStringLiteral("\ttext/html\r"));
        d.OptionRefererUserDefined->setChecked(true);
        d.TextReferer->setText(QStringLiteral("http://a.example/\x7f"));
        d.TextHideMin->setText(QStringLiteral("\t15\n"));
        d.CommandOK->click();
        QCOMPARE(UserAgent, QStringLiteral("Agent 3 xy"));
        QCOMPARE(HeadLine, QStringLiteral("<!-- note -->"));
        QCOMPARE(Accept, QStringLiteral("text/html"));
        QCOMPARE(Referer, QStringLiteral("http://a.example/"));
        QCOMPARE(HideMin, int16_t(15));
        QCOMPARE(inifile::WriteSettings(QStringLiteral("KELPA.INI"), {}), 0);
        const QByteArray written = testsupport::ReadFile(QStringLiteral("KELPA.INI"));
        QVERIFY(written.contains("\r\nUserAgent=Agent 3 xy\r\n"));
        for (const char c : written)
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20 || c == '\r' || c == '\n',
                     qPrintable(QStringLiteral("control character %1").arg(int(c))));
        QCOMPARE(written.count("\r\n"), written.count('\n'));
        QCOMPARE(written.count("\r\n"), written.count('\r'));
    }
};

KELPA_TEST_MAIN(TestProfessional)
#include "test_professional.moc"
