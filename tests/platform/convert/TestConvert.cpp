// The number and text functions of Convert.h, as tables.

#include "platform/convert/Convert.h"
#include "tests/support/TestMain.h"

#include <QLocale>
#include <QObject>
#include <QTest>

#include <clocale>

using namespace platform;

class TestConvert : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void strIntegers_data();
    void strIntegers();
    void strDoubles_data();
    void strDoubles();
    void strIgnoresLocale();
    void format_data();
    void format();
    void formatGroupsByLocale_data();
    void formatGroupsByLocale();
    void val_data();
    void val();
    void cdbl_data();
    void cdbl();
    void rounding_data();
    void rounding();
    void textToInteger_data();
    void textToInteger();
    void trims_data();
    void trims();
    void pieces_data();
    void pieces();
    void inStr_data();
    void inStr();
    void inStrRev_data();
    void inStrRev();
    void letterCase_data();
    void letterCase();
    void strCompText();
    void clockTexts();
};

void TestConvert::strIntegers_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive") << qint64(5) << " 5";
    QTest::newRow("zero") << qint64(0) << " 0";
    QTest::newRow("negative") << qint64(-5) << "-5";
    QTest::newRow("64-bit") << qint64(5000000000) << " 5000000000";
}

void TestConvert::strIntegers()
{
    QFETCH(qint64, value);
    QFETCH(QString, text);
    QCOMPARE(Str(value), text);
    if (value >= INT16_MIN && value <= INT16_MAX)
        QCOMPARE(Str(int16_t(value)), text);
}

void TestConvert::strDoubles_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("half") << 0.5 << " .5";
    QTest::newRow("negative fraction") << -0.75 << "-.75";
    QTest::newRow("rate") << 4.88 << " 4.88";
    QTest::newRow("whole") << 1440.0 << " 1440";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("fifteen digits") << 123456789012345.0 << " 123456789012345";
    QTest::newRow("large") << 1e15 << " 1E+15";
    QTest::newRow("small") << 0.00001 << " 1E-05";
    QTest::newRow("third") << 1.0 / 3 << " .333333333333333";
}

void TestConvert::strDoubles()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(Str(value), text);
}

void TestConvert::strIgnoresLocale()
{
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const QByteArray saved = previous ? QByteArray(previous) : QByteArray("C");
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        QSKIP("no German locale installed");
    const QString text = Str(2.5);
    const double value = Val(QStringLiteral("2.5"));
    std::setlocale(LC_NUMERIC, saved.constData());
    QCOMPARE(text, QStringLiteral(" 2.5"));
    QCOMPARE(value, 2.5);
}

void TestConvert::format_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero is empty") << qint64(0) << "###,###"
                                   << "";
    QTest::newRow("below a thousand") << qint64(999) << "###,###"
                                      << "999";
    QTest::newRow("a thousand") << qint64(1000) << "###,###"
                                << "1,000";
    QTest::newRow("millions") << qint64(1234567) << "###,###"
                              << "1,234,567";
    QTest::newRow("negative") << qint64(-1234) << "###,###"
                              << "-1,234";
    QTest::newRow("no grouping") << qint64(1234567) << "#"
                                 << "1234567";
    QTest::newRow("forced digits") << qint64(7) << "000"
                                   << "007";
    QTest::newRow("forced zero") << qint64(0) << "#,##0"
                                 << "0";
}

void TestConvert::format()
{
    QFETCH(qint64, value);
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QCOMPARE(Format(value, pattern), text);
}

void TestConvert::formatGroupsByLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("text");
    QTest::newRow("English groups with commas") << QLocale(QLocale::English) << "1,234,567";
    QTest::newRow("German groups with points") << QLocale(QLocale::German) << "1.234.567";
    QTest::newRow("no locale groups with commas") << QLocale::c() << "1,234,567";
}

void TestConvert::formatGroupsByLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, text);
    const QLocale saved;
    QLocale::setDefault(locale);
    const QString formatted = Format(1234567, QStringLiteral("###,###"));
    QLocale::setDefault(saved);
    QCOMPARE(formatted, text);
}

void TestConvert::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("blanks anywhere") << "  12 3abc" << 123.0;
    QTest::newRow("unit after") << "20 min" << 20.0;
    QTest::newRow("tab and blank") << "\t-8.5 h" << -8.5;
    QTest::newRow("sign then blank") << "- 5" << -5.0;
    QTest::newRow("plus") << "+7" << 7.0;
    QTest::newRow("point first") << ".75" << 0.75;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("exponent") << "-1.5e2x" << -150.0;
    QTest::newRow("D exponent") << "2D3" << 2000.0;
    QTest::newRow("exponent without digits") << "8080e" << 8080.0;
    QTest::newRow("double sign") << "--5" << 0.0;
    QTest::newRow("port text") << "8080/path" << 8080.0;
}

void TestConvert::val()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Val(text), value);
}

void TestConvert::cdbl_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<double>("value");
    QTest::newRow("blanks around") << "  3  " << true << 3.0;
    QTest::newRow("fraction") << "-2.25" << true << -2.25;
    QTest::newRow("trailing text") << "12abc" << false << 0.0;
    QTest::newRow("inner blank") << "1 2" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
}

void TestConvert::cdbl()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(double, value);
    bool valid = !ok;
    QCOMPARE(CDbl(text, &valid), value);
    QCOMPARE(valid, ok);
}

void TestConvert::rounding_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("cint");
    QTest::addColumn<bool>("cintOk");
    QTest::addColumn<qint64>("clng");
    QTest::addColumn<bool>("clngOk");
    QTest::newRow("2.5 to even") << 2.5 << 2 << true << qint64(2) << true;
    QTest::newRow("3.5 to even") << 3.5 << 4 << true << qint64(4) << true;
    QTest::newRow("-2.5 to even") << -2.5 << -2 << true << qint64(-2) << true;
    QTest::newRow("2.51 up") << 2.51 << 3 << true << qint64(3) << true;
    QTest::newRow("-0.4") << -0.4 << 0 << true << qint64(0) << true;
    QTest::newRow("16-bit top") << 32767.4 << 32767 << true << qint64(32767) << true;
    QTest::newRow("16-bit overflow") << 32767.5 << 32767 << false << qint64(32768) << true;
    QTest::newRow("16-bit underflow") << -32769.0 << -32768 << false << qint64(-32769) << true;
    QTest::newRow("32-bit overflow") << 3e9 << 32767 << false << qint64(INT32_MAX) << false;
    QTest::newRow("not a number") << std::nan("") << 0 << false << qint64(0) << false;
    QTest::newRow("infinity") << -HUGE_VAL << -32768 << false << qint64(INT32_MIN) << false;
}

void TestConvert::rounding()
{
    QFETCH(double, value);
    QFETCH(int, cint);
    QFETCH(bool, cintOk);
    QFETCH(qint64, clng);
    QFETCH(bool, clngOk);
    bool ok = !cintOk;
    QCOMPARE(int(CInt(value, &ok)), cint);
    QCOMPARE(ok, cintOk);
    ok = !clngOk;
    QCOMPARE(qint64(CLng(value, &ok)), clng);
    QCOMPARE(ok, clngOk);
}

void TestConvert::textToInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("ok");
    QTest::newRow("plain") << " 3 " << 3 << true;
    QTest::newRow("fraction rounded") << "150.5" << 150 << true;
    QTest::newRow("not a number") << "three" << 0 << false;
    QTest::newRow("does not fit") << "40000" << 32767 << false;
    QTest::newRow("empty") << "" << 0 << false;
}

void TestConvert::textToInteger()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QFETCH(bool, ok);
    bool valid = !ok;
    QCOMPARE(int(CInt(text, &valid)), value);
    QCOMPARE(valid, ok);
    QCOMPARE(CLng(QStringLiteral("2097152")), 2097152);
}

void TestConvert::trims_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("both");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::newRow("blanks") << "  a b  "
                            << "a b"
                            << "a b  "
                            << "  a b";
    QTest::newRow("tabs stay") << "\ta\t"
                               << "\ta\t"
                               << "\ta\t"
                               << "\ta\t";
    QTest::newRow("line ends stay") << " a\r\n"
                                    << "a\r\n"
                                    << "a\r\n"
                                    << " a\r\n";
    QTest::newRow("only blanks") << "   "
                                 << ""
                                 << ""
                                 << "";
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "";
}

void TestConvert::trims()
{
    QFETCH(QString, text);
    QFETCH(QString, both);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QCOMPARE(Trim(text), both);
    QCOMPARE(LTrim(text), left);
    QCOMPARE(RTrim(text), right);
}

void TestConvert::pieces_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QString>("mid");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    // All on "abcdef"; length is the count for Mid, Left and Right alike.
    QTest::newRow("inside") << qint64(2) << qint64(3) << "bcd"
                            << "abc"
                            << "def";
    QTest::newRow("past the end") << qint64(5) << qint64(10) << "ef"
                                  << "abcdef"
                                  << "abcdef";
    QTest::newRow("start beyond") << qint64(7) << qint64(1) << ""
                                  << "a"
                                  << "f";
    QTest::newRow("start zero") << qint64(0) << qint64(2) << "ab"
                                << "ab"
                                << "ef";
    QTest::newRow("negative length") << qint64(1) << qint64(-1) << ""
                                     << ""
                                     << "";
    QTest::newRow("zero length") << qint64(3) << qint64(0) << ""
                                 << ""
                                 << "";
}

void TestConvert::pieces()
{
    const QString text = QStringLiteral("abcdef");
    QFETCH(qint64, start);
    QFETCH(qint64, length);
    QFETCH(QString, mid);
    QFETCH(QString, left);
    QFETCH(QString, right);
    QCOMPARE(Mid(text, start, length), mid);
    QCOMPARE(Left(text, length), left);
    QCOMPARE(Right(text, length), right);
    QCOMPARE(Mid(text, 3), QStringLiteral("cdef"));
    QCOMPARE(Mid(text, 9), QString());
}

void TestConvert::inStr_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<bool>("caseBlind");
    QTest::addColumn<qint64>("position");
    QTest::newRow("first") << qint64(1) << "a://b://"
                           << "://" << false << qint64(2);
    QTest::newRow("from start") << qint64(3) << "a://b://"
                                << "://" << false << qint64(6);
    QTest::newRow("absent") << qint64(1) << "abc"
                            << "x" << false << qint64(0);
    QTest::newRow("case differs") << qint64(1) << "HTTP://x"
                                  << "http://" << false << qint64(0);
    QTest::newRow("case blind") << qint64(1) << "HTTP://x"
                                << "http://" << true << qint64(1);
    QTest::newRow("start below 1") << qint64(-4) << "abc"
                                   << "b" << false << qint64(2);
    QTest::newRow("start beyond") << qint64(9) << "abc"
                                  << "b" << false << qint64(0);
    QTest::newRow("empty find") << qint64(2) << "abc"
                                << "" << false << qint64(2);
    QTest::newRow("empty text") << qint64(1) << ""
                                << "" << false << qint64(0);
}

void TestConvert::inStr()
{
    QFETCH(qint64, start);
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(bool, caseBlind);
    QFETCH(qint64, position);
    QCOMPARE(InStr(start, text, find, caseBlind), position);
    if (start == 1)
        QCOMPARE(InStr(text, find, caseBlind), position);
}

void TestConvert::inStrRev_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<qint64>("start");
    QTest::addColumn<bool>("caseBlind");
    QTest::addColumn<qint64>("position");
    QTest::newRow("last slash") << "a/b/c"
                                << "/" << qint64(-1) << false << qint64(4);
    QTest::newRow("within start") << "abcabc"
                                  << "bc" << qint64(5) << false << qint64(2);
    QTest::newRow("ends at start") << "abcabc"
                                   << "bc" << qint64(6) << false << qint64(5);
    QTest::newRow("case blind") << "x.HTM"
                                << ".htm" << qint64(-1) << true << qint64(2);
    QTest::newRow("absent") << "abc"
                            << "/" << qint64(-1) << false << qint64(0);
    QTest::newRow("start beyond") << "abc"
                                  << "a" << qint64(4) << false << qint64(0);
    QTest::newRow("start zero") << "abc"
                                << "a" << qint64(0) << false << qint64(0);
}

void TestConvert::inStrRev()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(qint64, start);
    QFETCH(bool, caseBlind);
    QFETCH(qint64, position);
    QCOMPARE(InStrRev(text, find, start, caseBlind), position);
}

void TestConvert::letterCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("upper");
    QTest::addColumn<QString>("lower");
    QTest::newRow("ascii") << "Kelpa.Got"
                           << "KELPA.GOT"
                           << "kelpa.got";
    QTest::newRow("sharp s stays") << "Straße"
                                   << "STRAßE"
                                   << "straße";
    QTest::newRow("umlauts") << "Überprüfen"
                             << "ÜBERPRÜFEN"
                             << "überprüfen";
    QTest::newRow("outside the basic plane") << "\U00010428"
                                             << "\U00010400"
                                             << "\U00010428";
}

void TestConvert::letterCase()
{
    QFETCH(QString, text);
    QFETCH(QString, upper);
    QFETCH(QString, lower);
    QCOMPARE(UCase(text), upper);
    QCOMPARE(LCase(text), lower);
    QCOMPARE(UCase(text).size(), text.size());
}

void TestConvert::strCompText()
{
    QCOMPARE(StrCompText(QStringLiteral("HTTP://A/"), QStringLiteral("http://a/")), 0);
    QCOMPARE(StrCompText(QStringLiteral("a"), QStringLiteral("B")), -1);
    QCOMPARE(StrCompText(QStringLiteral("b"), QStringLiteral("A")), 1);
}

void TestConvert::clockTexts()
{
    QCOMPARE(TimeText(QTime(14, 5, 33)), QStringLiteral("14:05:33"));
    QCOMPARE(TimeText(QTime(0, 30, 0)), QStringLiteral("00:30:00"));
    QCOMPARE(DateText(QDate(2024, 3, 7)), QStringLiteral("2024-03-07"));
    // The run's start time is the time text less its seconds.
    QCOMPARE(TimeText(QTime(9, 5, 0)).chopped(3), QStringLiteral("09:05"));
}

KELPA_TEST_MAIN(TestConvert)

#include "TestConvert.moc"
