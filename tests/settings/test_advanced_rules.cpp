// The advanced settings dialog's rules: the blocking chain, the Hide minutes,
// the offered values, Reset's defaults and the dialog's place; and the text a
// settings window stores of what was typed or pasted.

#include "settings/AdvancedRules.h"
#include "settings/StoredText.h"
#include "tests/support/TestMain.h"

using namespace advanced;

namespace {

// "T" ticked, "." cleared; "e" enabled, "d" disabled; in chain order
// GetHostByName, Connect, Send, Recv.
BlockingBoxes Boxes(const char* ticks, const char* enables)
{
    BlockingBoxes boxes;
    for (int i = 0; i < 4; ++i) {
        boxes.ticked[i] = ticks[i] == 'T';
        boxes.enabled[i] = enables[i] == 'e';
    }
    return boxes;
}

// One letter a box: yes where flags says so, else no.
QString Letters(const std::array<bool, 4>& flags, char yes, char no)
{
    QString text;
    for (const bool flag : flags)
        text += QLatin1Char(flag ? yes : no);
    return text;
}

QString Ticks(const BlockingBoxes& boxes)
{
    return Letters(boxes.ticked, 'T', '.');
}

QString Enables(const BlockingBoxes& boxes)
{
    return Letters(boxes.enabled, 'e', 'd');
}

} // namespace

class TestAdvancedRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void blockingChain_data()
    {
        QTest::addColumn<QString>("ticks");
        QTest::addColumn<QString>("enables");
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("ticksAfter");
        QTest::addColumn<QString>("enablesAfter");
        QTest::newRow("recv ticked ticks and disables all before") << "...T"
                                                                   << "eeee" << int(Recv) << "TTTT"
                                                                   << "ddde";
        QTest::newRow("send ticked leaves recv alone") << "..T."
                                                       << "eeee" << int(Send) << "TTT."
                                                       << "ddee";
        QTest::newRow("connect ticked") << ".T.."
                                        << "eeee" << int(Connect) << "TT.."
                                        << "deee";
        QTest::newRow("recv cleared enables send only") << "TTT."
                                                        << "ddde" << int(Recv) << "TTT."
                                                        << "ddee";
        QTest::newRow("send cleared enables connect only") << "TT.."
                                                           << "ddee" << int(Send) << "TT.."
                                                           << "deee";
        QTest::newRow("connect cleared enables the look-up") << "T..."
                                                             << "deee" << int(Connect) << "T..."
                                                             << "eeee";
        QTest::newRow("look-up has no click") << "...."
                                              << "eeee" << int(GetHostByName) << "...."
                                              << "eeee";
        QTest::newRow("connect ticked over a cleared disabled look-up")
            << ".T.."
            << "deee" << int(Connect) << "TT.."
            << "deee";
    }
    void blockingChain()
    {
        QFETCH(QString, ticks);
        QFETCH(QString, enables);
        QFETCH(int, box);
        BlockingBoxes boxes = Boxes(qPrintable(ticks), qPrintable(enables));
        BlockingClick(boxes, static_cast<Blocking>(box));
        QTEST(Ticks(boxes), "ticksAfter");
        QTEST(Enables(boxes), "enablesAfter");
    }

    void hideMinutes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes");
        QTest::newRow("1440") << "1440" << 1440;
        QTest::newRow("1441") << "1441" << 1;
        QTest::newRow("0") << "0" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("a letter first") << "a5" << 1;
        QTest::newRow("99999 beyond 16 bits") << "99999" << 1;
        QTest::newRow("1e9") << "1e9" << 1;
        QTest::newRow("negative") << "-5" << 1;
        QTest::newRow("2.5 to even") << "2.5" << 2;
        QTest::newRow("3.5 to even") << "3.5" << 4;
        QTest::newRow("leading blanks") << "   30" << 30;
        QTest::newRow("letters after the number") << "12abc" << 12;
    }
    void hideMinutes()
    {
        QFETCH(QString, text);
        QFETCH(int, minutes);
        QCOMPARE(int(HideMinutes(text)), minutes);
    }

    void optionIndex_data()
    {
        QTest::addColumn<bool>("timeOut");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("time-out 10") << true << 10 << 0;
        QTest::newRow("time-out 30") << true << 30 << 2;
        QTest::newRow("time-out 60") << true << 60 << 3;
        QTest::newRow("time-out 45 is the last") << true << 45 << 3;
        QTest::newRow("time-out 0 is the last") << true << 0 << 3;
        QTest::newRow("buffer 512") << false << 512 << 0;
        QTest::newRow("buffer 2048") << false << 2048 << 2;
        QTest::newRow("buffer 4096 is the last") << false << 4096 << 3;
    }
    void optionIndex()
    {
        QFETCH(bool, timeOut);
        QFETCH(int, stored);
        QTEST(OptionIndex(timeOut ? TimeOuts : BufferSizes, int16_t(stored)), "index");
    }

    void resetDefaultsAreTheSettingsDefaults()
    {
        const Defaults d = ResetDefaults();
        QVERIFY(d.HeadLine.startsWith(QLatin1String("<!-- modified by Kelpa 5.0 (")));
        QVERIFY(d.HeadLine.endsWith(QLatin1String(") -->")));
        QVERIFY(d.UserAgent.startsWith(QLatin1String("Kelpa 5.0 (")));
        QCOMPARE(
            d.Accept,
            QStringLiteral("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, image/x-jg, */*"));
        QCOMPARE(d.Connection, QStringLiteral("Keep-Alive"));
        QCOMPARE(d.IfModifiedSince, QString());
        QCOMPARE(d.HideMin, QStringLiteral("1"));
        QCOMPARE(Ticks(d.blocking), QStringLiteral("T..."));
        QCOMPARE(d.ConnectTO, int16_t(60));
        QCOMPARE(d.RecvBuffer, int16_t(1024));
        QVERIFY(d.UseRecycleBin);
    }

    void centredOn_data()
    {
        QTest::addColumn<double>("mainStart");
        QTest::addColumn<double>("mainSize");
        QTest::addColumn<double>("position");
        // own size 4000, screen 19200
        QTest::newRow("centred on the main window") << 600.0 << 9000.0 << 3100.0;
        QTest::newRow("main window at 0") << 0.0 << 9000.0 << 2500.0;
        QTest::newRow("main window at half the screen") << 9600.0 << 9000.0 << 12100.0;
        QTest::newRow("beyond half the screen: screen centre") << 9615.0 << 9000.0 << 7600.0;
        QTest::newRow("off the left: screen centre") << -15.0 << 9000.0 << 7600.0;
    }
    void centredOn()
    {
        QFETCH(double, mainStart);
        QFETCH(double, mainSize);
        QTEST(CentredOn(mainStart, mainSize, 4000, 19200), "position");
    }

    void storedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << "Keep-Alive"
                               << "Keep-Alive";
        QTest::newRow("CR LF is one blank") << "a\r\nb"
                                            << "a b";
        QTest::newRow("lone CR and LF") << "a\rb\nc"
                                        << "a b c";
        QTest::newRow("two line breaks") << "a\n\nb"
                                         << "a  b";
        QTest::newRow("tab") << "a\tb"
                             << "a b";
        QTest::newRow("other C0 dropped") << QStringLiteral("a\x01"
                                                            "b\x1b"
                                                            "c")
                                          << "abc";
        QTest::newRow("NUL dropped")
            << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b")) << "ab";
        QTest::newRow("DEL and C1 dropped")
            << QString(QStringLiteral("a") + QChar(0x7f) + QChar(0x85) + QStringLiteral("b"))
            << "ab";
        QTest::newRow("blanks around kept") << " a "
                                            << " a ";
        QTest::newRow("umlaut kept") << "Größe"
                                     << "Größe";
    }
    void storedText()
    {
        QFETCH(QString, typed);
        QTEST(StoredText(typed), "stored");
    }
};

KELPA_TEST_MAIN(TestAdvancedRules)
#include "test_advanced_rules.moc"
