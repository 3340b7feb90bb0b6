// List records as the list editor reads them: which records count, which a
// search text selects, how records are read from a file, the passes of
// arrange and remove, and the replacement of a list as a whole.

#include "platform/files/Files.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/TestMain.h"
#include "tools/ListLines.h"
#include "tools/ListRecords.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace listrecords;
using namespace testsupport;

namespace {

// Reads every record of name; the records as "url|name" ("url" alone for a
// last record of one line).
QStringList ReadAll(const QString& name)
{
    QStringList records;
    const int number = platform::FreeFile();
    if (platform::Open(name, platform::OpenMode::Input, number) != 0)
        return {QStringLiteral("(not opened)")};
    RecordReader reader(number);
    Record record;
    while (!platform::Eof(number) && reader.Next(record))
        records.append(record.HasName ? record.Url + QLatin1Char('|') + record.Name : record.Url);
    platform::Close(number);
    return records;
}

} // namespace

class TestListRecords : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void countsAndSearchTexts_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("counts");
        QTest::addColumn<bool>("selected");
        QTest::newRow("capitals match small letters") << "http://www.banner.example/x"
                                                      << "BANNER" << true << true;
        QTest::newRow("in the host name") << "http://ads.example/"
                                          << "ads.EX" << true << true;
        QTest::newRow("outer blanks ignored") << "http://a/b c"
                                              << "  b c  " << true << true;
        QTest::newRow("inner blanks count") << "http://a/bc"
                                            << "b c" << true << false;
        QTest::newRow("blank text selects nothing") << "http://a/"
                                                    << "   " << true << false;
        QTest::newRow("empty text selects nothing") << "http://a/"
                                                    << "" << true << false;
        QTest::newRow("no match") << "http://a/"
                                  << "zzz" << true << false;
        QTest::newRow("blank line counts not") << "   "
                                               << "x" << false << false;
        QTest::newRow("empty line counts not") << ""
                                               << "x" << false << false;
        QTest::newRow("tab is not a blank") << "\t"
                                            << "x" << true << false;
    }
    void countsAndSearchTexts()
    {
        QFETCH(QString, url);
        QFETCH(QString, typed);
        QFETCH(bool, counts);
        QFETCH(bool, selected);
        QCOMPARE(Counts(url), counts);
        QCOMPARE(Selects(Record{url, QString(), true}, SearchText(typed)), selected);
    }

    void readerTakesTwoLinesPerRecord_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("records");
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("two records") << QByteArray("http://a/\r\na\r\nhttp://b/\r\nb\r\n")
                                     << QStringList{"http://a/|a", "http://b/|b"};
        QTest::newRow("odd last record") << QByteArray("http://a/\r\na\r\nhttp://b/\r\n")
                                         << QStringList{"http://a/|a", "http://b/"};
        QTest::newRow("no line end at the end")
            << QByteArray("http://a/\na") << QStringList{"http://a/|a"};
        QTest::newRow("blank first lines")
            << QByteArray("\r\n\r\n  \r\nx\r\n") << QStringList{"|", "  |x"};
        QTest::newRow("windows-1252 line")
            << QByteArray("http://a/caf\xe9\r\ncaf\xe9.html\r\n")
            << QStringList{QStringLiteral("http://a/caf\u00e9|caf\u00e9.html")};
    }
    void readerTakesTwoLinesPerRecord()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, records);
        EnterTestFolder();
        WriteFile(QStringLiteral("LIST.INP"), bytes);
        QCOMPARE(ReadAll(QStringLiteral("LIST.INP")), records);
    }

    // The reader calls its yield before every line, so a listing stays
    // responsive line by line.
    void readerYieldsBeforeEachLine()
    {
        EnterTestFolder();
        WriteFile(QStringLiteral("LIST.INP"), "1\r\n2\r\n3\r\n");
        const int number = platform::FreeFile();
        QCOMPARE(platform::Open(QStringLiteral("LIST.INP"), platform::OpenMode::Input, number), 0);
        int yields = 0;
        RecordReader reader(number, [&yields] { ++yields; });
        Record record;
        QVERIFY(reader.Next(record));
        QCOMPARE(yields, 2);
        QVERIFY(reader.Next(record));
        QCOMPARE(yields, 3);
        QVERIFY(!record.HasName);
        platform::Close(number);
    }

    // A pass without a target only counts; a one-line last record is written
    // back with an empty name line.
    void passCountsOnlyAndCompletesOddRecord()
    {
        EnterTestFolder();
        WriteFile(QStringLiteral("KELPA.NOT"), "http://a/\r\na\r\nhttp://b/");
        QCOMPARE(RecordPass(QStringLiteral("KELPA.NOT"), QStringLiteral("b"), Pick::Selected, 0, {})
                     .Count,
                 1);
        const int target = platform::FreeFile();
        QCOMPARE(platform::Open(QStringLiteral("OUT.TXT"), platform::OpenMode::Output, target), 0);
        const PassResult all =
            RecordPass(QStringLiteral("KELPA.NOT"), QStringLiteral("zz"), Pick::Others, target, {});
        platform::Close(target);
        QCOMPARE(all.Count, 2);
        QCOMPARE(ReadFile(QStringLiteral("OUT.TXT")),
                 QByteArray("http://a/\r\na\r\nhttp://b/\r\n\r\n"));
    }

    // The list takes the scratch file's place only when the scratch file
    // holds what the passes wrote; a list named in other letter case is the
    // same file.
    void replacementIsWholeOrNothing_data()
    {
        QTest::addColumn<QByteArray>("scratch");
        QTest::addColumn<qint64>("expected");
        QTest::addColumn<bool>("replaced");
        const QByteArray one = "http://a/\r\na\r\n";
        QTest::newRow("complete") << one << qint64(one.size()) << true;
        QTest::newRow("emptied list") << QByteArray() << qint64(0) << true;
        QTest::newRow("scratch cut short") << one.left(5) << qint64(one.size()) << false;
        QTest::newRow("scratch grown") << one + one << qint64(one.size()) << false;
    }
    void replacementIsWholeOrNothing()
    {
        QFETCH(QByteArray, scratch);
        QFETCH(qint64, expected);
        QFETCH(bool, replaced);
        EnterTestFolder();
        const QByteArray old = "http://old/\r\nold\r\n";
        WriteFile(QStringLiteral("kelpa.not"), old);
        WriteFile(QStringLiteral("~.tmp"), scratch);
        const int error =
            ReplaceList(QStringLiteral("KELPA.NOT"), QStringLiteral("~.tmp"), expected);
        QCOMPARE(error == 0, replaced);
        QCOMPARE(ReadFile(QStringLiteral("kelpa.not")), replaced ? scratch : old);
        QVERIFY(!QFile::exists(QStringLiteral("KELPA.NOT")));
        QCOMPARE(QFile::exists(QStringLiteral("~.tmp")), !replaced);
    }

    void missingScratchOrFolderLeavesTheList()
    {
        EnterTestFolder();
        WriteFile(QStringLiteral("KELPA.NOT"), "x\r\ny\r\n");
        QVERIFY(ReplaceList(QStringLiteral("KELPA.NOT"), QStringLiteral("~.tmp"), 0) != 0);
        QDir().mkdir(QStringLiteral("~.tmp"));
        QVERIFY(ReplaceList(QStringLiteral("KELPA.NOT"), QStringLiteral("~.tmp"), 4096) != 0);
        QVERIFY(platform::NameOver(QStringLiteral("~.tmp"), QStringLiteral("KELPA.NOT")) != 0);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), QByteArray("x\r\ny\r\n"));
    }

    void stampSeesEveryRewrite()
    {
        EnterTestFolder();
        QCOMPARE(StampOf(QStringLiteral("KELPA.NOT")).Size, -1);
        WriteFile(QStringLiteral("KELPA.NOT"), "abc");
        const FileStamp first = StampOf(QStringLiteral("kelpa.not"));
        QCOMPARE(first.Size, 3);
        QCOMPARE(StampOf(QStringLiteral("KELPA.NOT")), first);
        QFile::remove(QStringLiteral("KELPA.NOT"));
        WriteFile(QStringLiteral("KELPA.NOT"), "abd");
        QVERIFY(!(StampOf(QStringLiteral("KELPA.NOT")) == first));
    }

    // The view shows a long line cut; the whole line stays for the clipboard
    // and the matching.
    void longLinesShowCut()
    {
        ListLines lines;
        const QString longLine = QStringLiteral("http://a/") + QString(5000, QLatin1Char('x'));
        lines.Append({QStringLiteral("short"), longLine});
        lines.Append({});
        QCOMPARE(lines.rowCount(), 2);
        QCOMPARE(lines.data(lines.index(1)).toString().size(), ListLines::ShownLength);
        QCOMPARE(lines.Line(1), longLine);
        QCOMPARE(lines.data(lines.index(0)).toString(), QStringLiteral("short"));
        QCOMPARE(lines.Line(2), QString());
        lines.Clear();
        QCOMPARE(lines.rowCount(), 0);
    }
};

KELPA_TEST_MAIN(TestListRecords)
#include "test_list_records.moc"
