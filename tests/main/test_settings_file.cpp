// The settings file: what the reader makes of odd lines, the writer's order,
// and a file written and read back giving the same settings.

#include "main/Kelpa.h"
#include "main/Settings.h"
#include "platform/files/Files.h"
#include "tests/support/TestMain.h"

#include <QFile>

namespace {

constexpr double ScreenW = 12000;
constexpr double ScreenH = 9000;

void WriteFile(const QString& name, const QByteArray& bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// The lines of a file found as the program finds it (names case-blind).
QStringList FileLines(const QString& name)
{
    QFile file(platform::ToLinuxPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString Render(const inifile::Variable& variable)
{
    if (auto* const* text = std::get_if<QString*>(&variable))
        return **text;
    if (auto* const* v16 = std::get_if<int16_t*>(&variable))
        return QString::number(**v16);
    if (auto* const* v32 = std::get_if<int32_t*>(&variable))
        return QString::number(**v32);
    return QString();
}

// The value of a setting by key as text; "Page3" names a Page slot,
// "StartWindowState" what the WindowState key reads into.
QString Value(const QString& key)
{
    if (key.startsWith(QLatin1String("Page")))
        return KELPA::Page[key.mid(4).toInt()];
    if (key == QLatin1String("StartWindowState"))
        return QString::number(KELPA::StartWindowState);
    for (const inifile::Setting& setting : inifile::SettingsTable()) {
        if (key == QLatin1String(setting.key))
            return Render(setting.variable);
    }
    return QStringLiteral("<no such key>");
}

// The text variable of a key; "Page3" names a Page slot, "Comment2" a
// comment of a task.
QString* TextOf(const QString& key)
{
    if (key.startsWith(QLatin1String("Page")))
        return &KELPA::Page[key.mid(4).toInt()];
    if (key.startsWith(QLatin1String("Comment")))
        return &KELPA::Comment[key.mid(7).toInt() - 1];
    for (const inifile::Setting& setting : inifile::SettingsTable()) {
        if (key == QLatin1String(setting.key))
            return std::get<QString*>(setting.variable);
    }
    return nullptr;
}

// Every setting the writer writes, as key=value lines.
QStringList Snapshot()
{
    QStringList all;
    for (const inifile::Setting& setting : inifile::SettingsTable()) {
        if (setting.written && setting.type != inifile::Type::Pages)
            all << QLatin1String(setting.key) + QLatin1Char('=') + Render(setting.variable);
    }
    for (int slot = 1; slot <= 6; ++slot)
        all << KELPA::Page[slot];
    return all;
}

// Values the reader has no default for, so that "unchanged" can be seen.
void SetUnchangedSentinels()
{
    KELPA::MemoText = QStringLiteral("old memo");
    KELPA::SaveHTML = 0;
    KELPA::Page.fill(QString());
    KELPA::Page[1] = QStringLiteral("old page");
    KELPA::StartWindowState = 0;
    KELPA::Language = QStringLiteral("english");
}

} // namespace

class TestSettingsFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reader_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        // Keys and values.
        QTest::newRow("blanks around key, = and value")
            << QByteArray("  Depth  =  3  \r\n") << "Depth"
            << "3";
        QTest::newRow("key in capitals") << QByteArray("DEPTH=4\r\n") << "Depth"
                                         << "4";
        QTest::newRow("inner blank kept") << QByteArray("Exclude=EXE ZIP\r\n") << "Exclude"
                                          << "EXE ZIP";
        QTest::newRow("value holding =") << QByteArray("HeadLine=<!-- a=b -->\r\n") << "HeadLine"
                                         << "<!-- a=b -->";
        QTest::newRow("empty value keeps the default")
            << QByteArray("Directory=\r\n") << "Directory"
            << "cache";
        QTest::newRow("blank value keeps an earlier line")
            << QByteArray("Directory=x\r\nDirectory=   \r\n") << "Directory"
            << "x";
        QTest::newRow("later line overrides") << QByteArray("Depth=2\r\nDepth=3\r\n") << "Depth"
                                              << "3";
        QTest::newRow("unknown key and line without = ignored")
            << QByteArray("Frobnicate=9\r\nDepth\r\nDepth=2\r\n") << "Depth"
            << "2";
        // Numbers.
        QTest::newRow("not a number keeps") << QByteArray("Depth=5\r\nDepth=abc\r\n") << "Depth"
                                            << "5";
        QTest::newRow("number with trailing text keeps")
            << QByteArray("Depth=5\r\nDepth=7x\r\n") << "Depth"
            << "5";
        QTest::newRow("beyond 16 bits keeps") << QByteArray("Depth=5\r\nDepth=40000\r\n") << "Depth"
                                              << "5";
        QTest::newRow("fraction half to even, down") << QByteArray("Depth=2.5\r\n") << "Depth"
                                                     << "2";
        QTest::newRow("fraction half to even, up") << QByteArray("Depth=3.5\r\n") << "Depth"
                                                   << "4";
        QTest::newRow("out of range, then checked") << QByteArray("Depth=100\r\n") << "Depth"
                                                    << "0";
        QTest::newRow("32-bit MaxkBytes") << QByteArray("MaxkBytes=2000000\r\n") << "MaxkBytes"
                                          << "2000000";
        QTest::newRow("MaxkBytes beyond 32 bits keeps")
            << QByteArray("MaxkBytes=7\r\nMaxkBytes=99999999999\r\n") << "MaxkBytes"
            << "7";
        // Keys with their own rules.
        QTest::newRow("Language not read here") << QByteArray("Language=deutsch\r\n") << "Language"
                                                << "english";
        QTest::newRow("WindowState read into StartWindowState")
            << QByteArray("WindowState=2\r\n") << "StartWindowState"
            << "2";
        QTest::newRow("WindowState itself set to 0")
            << QByteArray("WindowState=2\r\n") << "WindowState"
            << "0";
        QTest::newRow("StartWindowState kept when absent")
            << QByteArray("Depth=1\r\n") << "StartWindowState"
            << "0";
        QTest::newRow("ParseJava read") << QByteArray("ParseJava=1\r\n") << "ParseJava"
                                        << "1";
        QTest::newRow("Page slot") << QByteArray("Page3=C:\\site\\index.html\r\n") << "Page3"
                                   << "C:\\site\\index.html";
        QTest::newRow("Page kept when absent") << QByteArray("Depth=1\r\n") << "Page1"
                                               << "old page";
        QTest::newRow("empty Page line keeps") << QByteArray("Page1=\r\n") << "Page1"
                                               << "old page";
        QTest::newRow("superscript one names no Page slot")
            << QByteArray("Page\xb9=x\r\nPage\xc2\xb9=y\r\n") << "Page1"
            << "old page";
        QTest::newRow("SaveHTML kept when absent") << QByteArray("Depth=1\r\n") << "SaveHTML"
                                                   << "0";
        // The MemoText block.
        QTest::newRow("memo one word")
            << QByteArray("MemoText=hello\r\nMemoTextEnd\r\n") << "MemoText"
            << "hello";
        QTest::newRow("memo lines as read")
            << QByteArray("MemoText=a\r\n  b  \r\n\r\nc\r\nMemoTextEnd\r\n") << "MemoText"
            << "a\r\n  b  \r\n\r\nc";
        QTest::newRow("memo all blank")
            << QByteArray("MemoText=\r\n  \r\n\r\nMemoTextEnd\r\n") << "MemoText"
            << "";
        QTest::newRow("memo without end line") << QByteArray("MemoText=a\r\nb") << "MemoText"
                                               << "a\r\nb";
        QTest::newRow("memo end line is exact")
            << QByteArray("MemoText=a\r\nmemotextend\r\n MemoTextEnd\r\nMemoTextEnd\r\n")
            << "MemoText"
            << "a\r\nmemotextend\r\n MemoTextEnd";
        QTest::newRow("memo swallows key lines")
            << QByteArray("MemoText=a\r\nDepth=9\r\nMemoTextEnd\r\n") << "Depth"
            << "0";
        QTest::newRow("reading goes on after the memo")
            << QByteArray("MemoText=a\r\nMemoTextEnd\r\nDepth=9\r\n") << "Depth"
            << "9";
        QTest::newRow("memo kept when absent") << QByteArray("Depth=1\r\n") << "MemoText"
                                               << "old memo";
        // Line ends.
        QTest::newRow("LF file") << QByteArray("Depth=3\nExclude=A B\nHideMin=5\n") << "Exclude"
                                 << "A B";
        QTest::newRow("LF memo") << QByteArray("MemoText=a\nb\nMemoTextEnd\nDepth=1\n")
                                 << "MemoText"
                                 << "a\r\nb";
        // Defaults from the screen size.
        QTest::newRow("Position default") << QByteArray() << "Position"
                                          << "0,12000,0,8585";
        QTest::newRow("PositionEdit default") << QByteArray() << "PositionEdit"
                                              << "3910,7910,1300,4590";
        QTest::newRow("PositionPreview default") << QByteArray() << "PositionPreviewTop"
                                                 << "0,5900,285,4200";
        QTest::newRow("UserAgent default") << QByteArray() << "UserAgent"
                                           << "Kelpa 5.0 (http://www.kelpa.example/)";
    }
    void reader()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        SetUnchangedSentinels();
        KELPA::Depth = 77;
        WriteFile(QStringLiteral("KELPA.INI"), ini);
        QVERIFY(inifile::ReadSettings(QStringLiteral("kelpa.ini"), ScreenW, ScreenH));
        QCOMPARE(Value(key), expected);
    }

    void readerLeavesEverythingWhenTheFileIsMissing()
    {
        KELPA::Depth = 77;
        KELPA::Directory = QStringLiteral("mine");
        QVERIFY(!inifile::ReadSettings(QStringLiteral("missing.ini"), ScreenW, ScreenH));
        QCOMPARE(KELPA::Depth, int16_t(77));
        QCOMPARE(KELPA::Directory, QStringLiteral("mine"));
    }

    void writerFollowsTheTable()
    {
        inifile::SetDefaults(ScreenW, ScreenH);
        KELPA::MemoText = QStringLiteral("one\r\ntwo");
        QCOMPARE(inifile::WriteSettings(QStringLiteral("KELPA.INI"), {}), 0);
        QStringList expected;
        for (const inifile::Setting& setting : inifile::SettingsTable()) {
            if (!setting.written)
                continue;
            if (setting.type == inifile::Type::Pages) {
                for (int slot = 1; slot <= 6; ++slot)
                    expected << QStringLiteral("Page%1").arg(slot);
            } else {
                expected << QLatin1String(setting.key);
            }
            if (setting.type == inifile::Type::Memo)
                expected << QStringLiteral("two") << QStringLiteral("MemoTextEnd");
        }
        QStringList keys;
        for (const QString& line : FileLines(QStringLiteral("KELPA.INI")))
            keys << line.section(QLatin1Char('='), 0, 0);
        QCOMPARE(keys, expected);
        QCOMPARE(keys.first(), QStringLiteral("Accept"));
        QCOMPARE(keys.last(), QStringLiteral("WindowState"));
        QVERIFY(!keys.contains(QStringLiteral("ParseJava")));
    }

    void writerValues_data()
    {
        QTest::addColumn<QString>("line");
        QTest::newRow("text trimmed") << "Exclude=EXE ZIP";
        QTest::newRow("negative number") << "ConnectTO=-5";
        QTest::newRow("32-bit number") << "MaxkBytes=2097152";
        QTest::newRow("WindowState from WindowState") << "WindowState=2";
        QTest::newRow("Language written") << "Language=deutsch";
        QTest::newRow("Page trimmed") << "Page2=C:\\x\\y.html";
    }
    void writerValues()
    {
        QFETCH(QString, line);
        inifile::SetDefaults(ScreenW, ScreenH);
        KELPA::Exclude = QStringLiteral("  EXE ZIP ");
        KELPA::ConnectTO = -5;
        KELPA::MaxkBytes = 2097152;
        KELPA::WindowState = 2;
        KELPA::StartWindowState = 0;
        KELPA::Language = QStringLiteral("deutsch");
        KELPA::Page[2] = QStringLiteral(" C:\\x\\y.html ");
        QCOMPARE(inifile::WriteSettings(QStringLiteral("KELPA.INI"), {}), 0);
        QVERIFY2(FileLines(QStringLiteral("KELPA.INI")).contains(line), qPrintable(line));
    }

    void taskFileGetsTaskKeysFirstAndNoPages_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("task file") << "job.tsk";
        QTest::newRow("settings name in other case") << "kelpa.ini";
    }
    void taskFileGetsTaskKeysFirstAndNoPages()
    {
        QFETCH(QString, file);
        inifile::SetDefaults(ScreenW, ScreenH);
        KELPA::Comment = {QStringLiteral("  lead"), {}, {}, {}, {}, QStringLiteral("six "), {}};
        KELPA::WindowsShutDown = 2; // the run's "shut down now" is saved as the request
        inifile::TaskKeys task;
        task.Repeat = QStringLiteral(" 20 min ");
        task.Time = QStringLiteral("60 min");
        task.UseList = true;
        task.TaskURL = QStringLiteral(" http://h/ ");
        task.WindowsShutDown = true;
        QCOMPARE(inifile::WriteSettings(file, task), 0);
        const QStringList lines = FileLines(file);
        const QStringList head = {
            "Comment1=  lead", "Comment2=",         "Comment3=",         "Comment4=",
            "Comment5=",       "Comment6=six ",     "Repeat=20 min",     "Time=60 min",
            "UseList=1",       "TaskURL=http://h/", "WindowsShutDown=1", "Accept=" + KELPA::Accept,
        };
        QCOMPARE(lines.mid(0, head.size()), head);
        for (const QString& line : lines)
            QVERIFY2(!line.startsWith(QLatin1String("Page")), qPrintable(line));
    }

    void roundTrip()
    {
        inifile::SetDefaults(ScreenW, ScreenH);
        KELPA::Page.fill(QString());
        KELPA::Depth = 5;
        KELPA::Directory = QStringLiteral("C:\\sites\\");
        KELPA::Exclude = QStringLiteral("exe zip");
        KELPA::HeadLine = QStringLiteral("<!-- x=y -->");
        KELPA::MaxkBytes = 100000;
        KELPA::MemoText = QStringLiteral("first\r\n\r\n  indented");
        KELPA::Page[1] = QStringLiteral("C:\\a.html");
        KELPA::Page[6] = QStringLiteral("C:\\f.html");
        KELPA::Position = QStringLiteral("15,9000,30,6000");
        KELPA::RecvBuffer = 8192;
        KELPA::SaveHTML = 1;
        KELPA::Timeout = 60;
        KELPA::TimeProcs = QStringLiteral("5 min,90 min,.5 h");
        KELPA::WindowState = 2;
        QCOMPARE(inifile::WriteSettings(QStringLiteral("KELPA.INI"), {}), 0);
        const QStringList before = Snapshot();

        KELPA::Depth = 1;
        KELPA::MemoText.clear();
        KELPA::Page.fill(QString());
        KELPA::SaveHTML = 0;
        KELPA::StartWindowState = 0;
        QVERIFY(inifile::ReadSettings(QStringLiteral("KELPA.INI"), 1, 1));
        QCOMPARE(KELPA::StartWindowState, int16_t(2));
        KELPA::WindowState = 2;
        QCOMPARE(Snapshot(), before);
    }

    void writtenTextNeverStartsAKey_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("readBack");
        const QString ini = QStringLiteral("KELPA.INI");
        const QString note =
            QStringLiteral("keep\r\nMemoTextEnd\r\nDepth=77\r\nInputFile=LINKS0.INP");
        QTest::newRow("note holding the end line") << ini << "MemoText" << note << note;
        const QString blanks = QStringLiteral("a\r\nMemoTextEnd  \r\nDepth=77\r\n MemoTextEnd");
        QTest::newRow("note holding the end line and blanks")
            << ini << "MemoText" << blanks << blanks;
        QTest::newRow("note with lone LF and CR") << ini << "MemoText"
                                                  << "a\nMemoTextEnd\rDepth=77"
                                                  << "a\r\nMemoTextEnd\r\nDepth=77";
        QTest::newRow("pasted text value") << ini << "Exclude"
                                           << "exe\r\nDepth=77"
                                           << "exe Depth=77";
        QTest::newRow("URL with LF") << ini << "Referer"
                                     << "http://h/\nInputFile=LINKS0.INP"
                                     << "http://h/ InputFile=LINKS0.INP";
        QTest::newRow("page with CR") << ini << "Page1"
                                      << "C:\\a.html\rDepth=77"
                                      << "C:\\a.html Depth=77";
        QTest::newRow("task comment") << "job.tsk"
                                      << "Comment2"
                                      << "two\r\nDepth=77"
                                      << "two Depth=77";
        QTest::newRow("task note") << "job.tsk"
                                   << "MemoText" << note << note;
    }

    // Written and read back, a value comes back whole and sets nothing else.
    void writtenTextNeverStartsAKey()
    {
        QFETCH(QString, file);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, readBack);
        inifile::SetDefaults(ScreenW, ScreenH);
        KELPA::Comment.fill(QString());
        KELPA::Depth = 5;
        KELPA::InputFile = QStringLiteral("LIST.INP");
        *TextOf(key) = value;
        QCOMPARE(inifile::WriteSettings(file, {}), 0);
        *TextOf(key) = QStringLiteral("unread");
        if (file != QLatin1String("KELPA.INI"))
            QVERIFY(inifile::ReadTaskKeys(file));
        QVERIFY(inifile::ReadSettings(file, ScreenW, ScreenH));
        QCOMPARE(*TextOf(key), readBack);
        QCOMPARE(KELPA::Depth, int16_t(5));
        QCOMPARE(KELPA::InputFile, QStringLiteral("LIST.INP"));
    }

    void failedWriteLeavesTheOldFile()
    {
        WriteFile(QStringLiteral("KELPA.INI"), "Depth=3\r\n");
        QVERIFY(inifile::WriteSettings(QStringLiteral("nowhere\\KELPA.INI"), {}) != 0);
        // A folder of that name cannot be replaced; the old file next to it is untouched.
        QDir().mkdir(QStringLiteral("folder.ini"));
        QVERIFY(inifile::WriteSettings(QStringLiteral("folder.ini"), {}) != 0);
        QCOMPARE(FileLines(QStringLiteral("KELPA.INI")), QStringList{"Depth=3"});
    }

    void taskKeys_data()
    {
        QTest::addColumn<QByteArray>("task");
        QTest::addColumn<QString>("variable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("comment untrimmed") << QByteArray("Comment2=  two  \r\n") << "Comment2"
                                           << "  two  ";
        QTest::newRow("comment of blanks kept") << QByteArray("Comment2=   \r\n") << "Comment2"
                                                << "   ";
        QTest::newRow("empty comment keeps") << QByteArray("Comment2=\r\n") << "Comment2"
                                             << "old";
        QTest::newRow("key trimmed, any case") << QByteArray(" COMMENT6 =x\r\n") << "Comment6"
                                               << "x";
        QTest::newRow("TaskURL untrimmed") << QByteArray("TaskURL= http://h/ \r\n") << "TaskURL"
                                           << " http://h/ ";
        QTest::newRow("UseList number with blanks") << QByteArray("UseList= 1 \r\n") << "UseList"
                                                    << "1";
        QTest::newRow("UseList not a number keeps") << QByteArray("UseList=yes\r\n") << "UseList"
                                                    << "0";
        QTest::newRow("Repeat as it stands") << QByteArray("Repeat=20 min \r\n") << "Repeat"
                                             << "20 min ";
        QTest::newRow("WindowsShutDown") << QByteArray("WindowsShutDown=1\n") << "WindowsShutDown"
                                         << "1";
        QTest::newRow("WindowsShutDown 2 reads as a request")
            << QByteArray("WindowsShutDown=2\r\n") << "WindowsShutDown"
            << "1";
        QTest::newRow("settings keys not read here") << QByteArray("Depth=5\r\n") << "Depth"
                                                     << "77";
    }
    void taskKeys()
    {
        QFETCH(QByteArray, task);
        QFETCH(QString, variable);
        QFETCH(QString, expected);
        KELPA::Comment.fill(QStringLiteral("old"));
        KELPA::UseList = 0;
        KELPA::Depth = 77;
        WriteFile(QStringLiteral("t.tsk"), task);
        QVERIFY(inifile::ReadTaskKeys(QStringLiteral("T.TSK")));
        const QHash<QString, QString> values = {
            {"Comment2", KELPA::Comment[1]},
            {"Comment6", KELPA::Comment[5]},
            {"TaskURL", KELPA::TaskURL},
            {"UseList", QString::number(KELPA::UseList)},
            {"Repeat", KELPA::Repeat},
            {"WindowsShutDown", QString::number(KELPA::WindowsShutDown)},
            {"Depth", QString::number(KELPA::Depth)},
        };
        QCOMPARE(values.value(variable), expected);
    }
};

KELPA_TEST_MAIN(TestSettingsFile)
#include "test_settings_file.moc"
