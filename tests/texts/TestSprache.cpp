// The text table: which slots each language sets, the language rule, refilling, the
// relations between texts that readers rely on, and a few texts checked letter for letter.

#include "main/Kelpa.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QObject>
#include <QSet>
#include <QTest>

#include <array>
#include <utility>

namespace {

using Table = std::array<QString, 490>;
using Fill = void (*)();

const QString Unwritten = QStringLiteral("\x01unwritten");

// The slots that both languages set, as ranges of slot numbers.
const std::pair<int, int> SetRanges[] = {
    {1, 68},    {70, 97},   {100, 100}, {102, 104}, {106, 121}, {124, 132}, {134, 153}, {155, 155},
    {157, 157}, {159, 164}, {171, 183}, {185, 186}, {188, 194}, {196, 200}, {202, 216}, {218, 223},
    {225, 226}, {228, 237}, {244, 245}, {247, 249}, {253, 253}, {258, 261}, {264, 270}, {276, 277},
    {279, 282}, {285, 285}, {289, 296}, {303, 304}, {306, 309}, {316, 323}, {325, 332}, {349, 349},
    {351, 352}, {360, 361}, {363, 367}, {369, 377}, {380, 380}, {401, 409}, {412, 451}, {452, 452},
    {459, 461}, {464, 472}, {479, 489}};

Fill fillOf(const QString& language)
{
    return language == QLatin1String("deutsch") ? &TexteDeutsch : &TexteEnglisch;
}

// The table as one fill leaves it when it starts from empty slots.
Table freshFill(Fill fill)
{
    KELPA::LanguageText.fill(QString());
    fill();
    return KELPA::LanguageText;
}

// The slots that a fill writes: those that no longer hold a marker put there before it.
QSet<int> writtenSlots(Fill fill)
{
    KELPA::LanguageText.fill(Unwritten);
    fill();
    QSet<int> slots;
    for (int slot = 0; slot < int(KELPA::LanguageText.size()); ++slot) {
        if (KELPA::LanguageText[slot] != Unwritten)
            slots.insert(slot);
    }
    return slots;
}

const QString& text(int slot)
{
    return KELPA::LanguageText[slot];
}

void addLanguageRows()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("english") << QStringLiteral("english");
    QTest::newRow("deutsch") << QStringLiteral("deutsch");
}

} // namespace

class TestSprache final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void languageRule_data();
    void languageRule();
    void setSlots_data() { addLanguageRows(); }
    void setSlots();
    void unsetSlotsStayEmpty_data() { addLanguageRows(); }
    void unsetSlotsStayEmpty();
    void bothLanguagesSetTheSameSlots();
    void text349();
    void refill_data();
    void refill();
    void characters_data() { addLanguageRows(); }
    void characters();
    void saveTaskTitleMatchesItsKey_data() { addLanguageRows(); }
    void saveTaskTitleMatchesItsKey();
    void chooserTitlesDiffer_data() { addLanguageRows(); }
    void chooserTitlesDiffer();
    void readyTexts_data() { addLanguageRows(); }
    void readyTexts();
    void linksAndButtonTexts_data() { addLanguageRows(); }
    void linksAndButtonTexts();
    void spotChecks_data();
    void spotChecks();
};

void TestSprache::languageRule_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("german");
    QTest::newRow("lower case") << QStringLiteral("deutsch") << true;
    QTest::newRow("capitalised") << QStringLiteral("Deutsch") << true;
    QTest::newRow("upper case") << QStringLiteral("DEUTSCH") << true;
    QTest::newRow("mixed case") << QStringLiteral("dEuTsCh") << true;
    QTest::newRow("english") << QStringLiteral("english") << false;
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("other language") << QStringLiteral("german") << false;
    QTest::newRow("trailing blank is not trimmed here") << QStringLiteral("Deutsch ") << false;
    QTest::newRow("prefix only") << QStringLiteral("deutsc") << false;
    QTest::newRow("longer word") << QStringLiteral("Deutschland") << false;
}

void TestSprache::languageRule()
{
    QFETCH(QString, value);
    QFETCH(bool, german);
    const Table expected = freshFill(german ? &TexteDeutsch : &TexteEnglisch);
    KELPA::LanguageText.fill(QString());
    TexteLaden(value);
    QVERIFY(KELPA::LanguageText == expected);
}

void TestSprache::setSlots()
{
    QFETCH(QString, language);
    QSet<int> expected;
    for (const auto& [first, last] : SetRanges) {
        for (int slot = first; slot <= last; ++slot)
            expected.insert(slot);
    }
    QCOMPARE(expected.size(), 360);
    QCOMPARE(writtenSlots(fillOf(language)), expected);
}

void TestSprache::unsetSlotsStayEmpty()
{
    QFETCH(QString, language);
    freshFill(fillOf(language));
    for (int slot : {0, 69, 98, 101, 400, 473})
        QVERIFY2(text(slot).isEmpty(), qPrintable(QString::number(slot)));
}

void TestSprache::bothLanguagesSetTheSameSlots()
{
    QCOMPARE(writtenSlots(&TexteDeutsch), writtenSlots(&TexteEnglisch));
}

void TestSprache::text349()
{
    freshFill(&TexteDeutsch);
    QCOMPARE(text(349), QStringLiteral("Anwendung zum"));
    TexteEnglisch();
    QVERIFY(text(349).isEmpty());
}

void TestSprache::refill_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("german after english") << QStringLiteral("english") << QStringLiteral("deutsch");
    QTest::newRow("english after german") << QStringLiteral("deutsch") << QStringLiteral("english");
    QTest::newRow("german twice") << QStringLiteral("deutsch") << QStringLiteral("deutsch");
    QTest::newRow("english twice") << QStringLiteral("english") << QStringLiteral("english");
}

void TestSprache::refill()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    const Table expected = freshFill(fillOf(second));
    freshFill(fillOf(first));
    fillOf(second)();
    QVERIFY(KELPA::LanguageText == expected);
}

// English is plain ASCII, German adds only its six letters; no text holds a line break,
// a tab or a double quote.
void TestSprache::characters()
{
    QFETCH(QString, language);
    const QString germanLetters = QStringLiteral("\u00e4\u00f6\u00fc\u00d6\u00dc\u00df");
    freshFill(fillOf(language));
    for (int slot = 0; slot < int(KELPA::LanguageText.size()); ++slot) {
        for (QChar c : text(slot)) {
            const bool allowed =
                (c.unicode() >= 0x20 && c.unicode() < 0x7f && c != u'"') ||
                (language == QLatin1String("deutsch") && germanLetters.contains(c));
            QVERIFY2(allowed, qPrintable(QStringLiteral("text %1: U+%2")
                                             .arg(slot)
                                             .arg(c.unicode(), 4, 16, QLatin1Char('0'))));
        }
    }
}

// The chooser knows its save-task mode by the first six letters of its title in upper case.
void TestSprache::saveTaskTitleMatchesItsKey()
{
    QFETCH(QString, language);
    freshFill(fillOf(language));
    QCOMPARE(text(52).size(), 6);
    QCOMPARE(text(57).left(6).toUpper(), text(52));
}

void TestSprache::chooserTitlesDiffer()
{
    QFETCH(QString, language);
    freshFill(fillOf(language));
    const int titles[] = {33, 57, 67, 68, 369, 412, 413, 414};
    QSet<QString> seen;
    for (int slot : titles) {
        QVERIFY2(!text(slot).isEmpty(), qPrintable(QString::number(slot)));
        seen.insert(text(slot));
        const bool saveKey = text(slot).left(6).toUpper() == text(52);
        QVERIFY2(saveKey == (slot == 57), qPrintable(QString::number(slot)));
    }
    QCOMPARE(seen.size(), int(std::size(titles)));
}

// The repeat timer compares the first five letters of the transfer window's caption,
// which begins with text 119 or 270, with text 306.
void TestSprache::readyTexts()
{
    QFETCH(QString, language);
    freshFill(fillOf(language));
    QCOMPARE(text(306).size(), 5);
    QCOMPARE(text(119).left(5), text(306));
    QCOMPARE(text(270).left(5), text(306));
}

void TestSprache::linksAndButtonTexts()
{
    QFETCH(QString, language);
    freshFill(fillOf(language));
    QCOMPARE(text(230), QStringLiteral("Links"));
    QVERIFY(text(5) != text(7));
    QVERIFY(text(293) != text(294));
}

void TestSprache::spotChecks_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("expected");
    const QString en = QStringLiteral("english");
    const QString de = QStringLiteral("deutsch");
    QTest::newRow("leading blank") << en << 136 << QStringLiteral(" bytes transferred");
    QTest::newRow("trailing blank") << en << 146 << QStringLiteral("Repeats within ");
    QTest::newRow("inner run") << en << 270 << QStringLiteral("Ready!    Repeats within ");
    QTest::newRow("two leading blanks") << en << 304 << QStringLiteral("  Repeats within ");
    QTest::newRow("inner run, german") << de << 270 << QStringLiteral("Fertig!    Wiederholt in ");
    QTest::newRow("two leading, german") << de << 304 << QStringLiteral("  wiederholt in ");
    QTest::newRow("leading blank, umlaut") << de << 136 << QStringLiteral(" Bytes \u00fcbertragen");
    QTest::newRow("sharp s") << de << 60 << QStringLiteral("&Schlie\u00dfen");
    QTest::newRow("capital umlaut")
        << de << 142 << QStringLiteral("\u00dcbertragung unvollst\u00e4ndig");
    QTest::newRow("access key on umlaut") << de << 74 << QStringLiteral("l&\u00f6schen");
    QTest::newRow("capital O umlaut")
        << de << 103 << QStringLiteral("Zum \u00d6ffnen doppelklicken...");
    QTest::newRow("file name") << de << 260 << QStringLiteral("LIZENZ.HTM");
    QTest::newRow("author") << en << 352 << QStringLiteral("Ada Velmont's Velkaro");
    QTest::newRow("author, german") << de << 352 << QStringLiteral("Ada Velmonts Velkaro");
    QTest::newRow("example hosts")
        << en << 43
        << QStringLiteral("exclusively deriving from the domain (e.g. 'www.maker.example') where "
                          "the download was started.");
}

void TestSprache::spotChecks()
{
    QFETCH(QString, language);
    QFETCH(int, slot);
    QFETCH(QString, expected);
    freshFill(fillOf(language));
    QCOMPARE(text(slot), expected);
}

KELPA_TEST_MAIN(TestSprache)

#include "TestSprache.moc"
