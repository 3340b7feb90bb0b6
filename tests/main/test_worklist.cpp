// The work-list index answers exactly as reading the list from the start
// does, however the list was written, emptied, replaced or deleted since.

#include "main/WorkListIndex.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>

#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using platform::OpenMode;

// Writes as another process does: the program sees it after its next yield.
void WriteBytes(const QString& name, const QByteArray& bytes, bool append = false)
{
    {
        QFile file(name);
        QVERIFY(file.open(append ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    platform::DoEvents();
}

// The list read record by record from the start, as its readers do.
struct Scan {
    QStringList urls;
    QStringList names;
};

Scan ScanList(const QString& name)
{
    Scan scan;
    const int number = platform::FreeFile();
    if (platform::Open(name, OpenMode::Input, number) != 0)
        return scan;
    QString url;
    QString local;
    while (platform::LineInput(number, url) == 0) {
        scan.urls << url;
        if (platform::LineInput(number, local) == 0)
            scan.names << local;
    }
    platform::Close(number);
    return scan;
}

bool ScanHoldsUrl(const Scan& scan, const QString& url)
{
    for (const QString& held : scan.urls) {
        if (held.compare(url, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Writes through the file layer, as the program's writers do.
void AppendLines(const QString& name, const QStringList& lines, OpenMode mode = OpenMode::Append)
{
    const int number = platform::FreeFile();
    QCOMPARE(platform::Open(name, mode, number), 0);
    for (const QString& line : lines)
        platform::PrintLine(number, line);
    platform::Close(number);
}

void AppendText(const QString& name, const QString& text)
{
    const int number = platform::FreeFile();
    QCOMPARE(platform::Open(name, OpenMode::Append, number), 0);
    platform::PrintText(number, text);
    platform::Close(number);
}

// Read system calls of this process so far.
qint64 ReadCalls()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n')) {
        if (line.startsWith("syscr:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

} // namespace

class TestWorkList : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void records_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("urls");  // held, asked in other case
        QTest::addColumn<QStringList>("names"); // held, also asked in other case
        QTest::addColumn<QStringList>("absent");

        QTest::newRow("CR LF records")
            << QByteArray("http://h/a\r\na.html\r\nhttp://h/b\r\nb.html\r\n")
            << QStringList{"http://h/a", "http://h/b"} << QStringList{"a.html", "b.html"}
            << QStringList{"a.htm", "http://h/c", "c.html"};
        QTest::newRow("LF and lone CR ends")
            << QByteArray("http://h/a\na.html\rhttp://h/b\r\nb.html\n")
            << QStringList{"http://h/a", "http://h/b"} << QStringList{"a.html", "b.html"}
            << QStringList{"http://h/a\na.html"};
        QTest::newRow("byte order mark")
            << QByteArray("\xEF\xBB\xBFhttp://h/a\r\na.html\r\n") << QStringList{"http://h/a"}
            << QStringList{"a.html"} << QStringList{QChar(0xFEFF) + QStringLiteral("http://h/a")};
        QTest::newRow("last line without end")
            << QByteArray("http://h/a\r\na.html") << QStringList{"http://h/a"}
            << QStringList{"a.html"} << QStringList{"a.htm"};
        QTest::newRow("URL without name line")
            << QByteArray("http://h/a\r\na.html\r\nhttp://h/b\r\n")
            << QStringList{"http://h/a", "http://h/b"} << QStringList{"a.html"}
            << QStringList{"b.html", ""};
        QTest::newRow("empty lines are records")
            << QByteArray("\r\n\r\nhttp://h/a\r\na.html\r\n") << QStringList{"", "http://h/a"}
            << QStringList{"", "a.html"} << QStringList{};
        QTest::newRow("Windows-1252 line")
            << QByteArray("http://h/\xE4\r\n\xE4.html\r\n") << QStringList{"http://h/\u00e4"}
            << QStringList{"\u00e4.html"} << QStringList{};
        QTest::newRow("UTF-8 line") << QByteArray("http://h/\xC3\xA4\r\n\xC3\xA4.html\r\n")
                                    << QStringList{"http://h/\u00c4"} << QStringList{"\u00e4.html"}
                                    << QStringList{"\u00c3\u00a4.html"};
        QTest::newRow("empty file")
            << QByteArray() << QStringList{} << QStringList{} << QStringList{"", "x"};
    }

    void records()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, urls);
        QFETCH(QStringList, names);
        QFETCH(QStringList, absent);
        const QString list = QStringLiteral("RECORDS.LST"); // each row replaces the last
        WriteBytes(list, bytes);
        WorkListIndex& index = WorkListIndex::For(list);
        for (const QString& url : urls)
            QVERIFY2(index.HoldsUrl(url.toUpper()), qPrintable(url));
        for (const QString& name : names) {
            QVERIFY2(index.HoldsName(name), qPrintable(name));
            QVERIFY2(index.HoldsName(name.toUpper()), qPrintable(name));
        }
        for (const QString& text : absent) {
            QVERIFY2(!index.HoldsName(text), qPrintable(text));
            QVERIFY2(!index.HoldsUrl(text), qPrintable(text));
        }
    }

    // The name of a URL is that of its first record, whatever case it is
    // asked in; a record still being written gives the name line seen so far.
    void nameOfUrl()
    {
        const QString list = QStringLiteral("NAMES.LST");
        WriteBytes(list, "http://h/a\r\na.html\r\nhttp://H/A\r\na(1).html\r\nhttp://h/b\r\nb.ht");
        WorkListIndex& index = WorkListIndex::For(list);
        QCOMPARE(index.NameOfUrl(QStringLiteral("HTTP://h/a")), std::optional<QString>("a.html"));
        QCOMPARE(index.NameOfUrl(QStringLiteral("http://h/b")), std::optional<QString>("b.ht"));
        QCOMPARE(index.NameOfUrl(QStringLiteral("http://h/c")), std::nullopt);
        WriteBytes(list, "ml\r\n", true);
        QCOMPARE(index.NameOfUrl(QStringLiteral("http://h/b")), std::optional<QString>("b.html"));
    }

    void listNamesAreCaseBlind()
    {
        QCOMPARE(&WorkListIndex::For(QStringLiteral("kelpa.got")),
                 &WorkListIndex::For(QStringLiteral("KELPA.GOT")));
        WriteBytes(QStringLiteral("Links0.inp"), "http://h/a\r\na.html\r\n");
        QVERIFY(
            WorkListIndex::For(QStringLiteral("LINKS0.INP")).HoldsName(QStringLiteral("a.html")));

        // The program's own write under another spelling is the list's own,
        // also for letters outside the basic plane, wherever they stand.
        for (const auto& [asked, written] :
             {std::pair{u"Ascii.lst", u"aSCII.LST"},
              std::pair{u"\U00010400abcdefghijk.lst", u"\U00010428abcdefghijk.lst"},
              std::pair{u"x\U00010400abcdefghijk.lst", u"x\U00010428abcdefghijk.lst"},
              std::pair{u"\U00010400abcdefghijkl.lst", u"\U00010428abcdefghijkl.lst"}}) {
            WorkListIndex& index = WorkListIndex::For(QString::fromUtf16(asked));
            QVERIFY(!index.HoldsUrl(QStringLiteral("http://h/b")));
            AppendLines(QString::fromUtf16(written),
                        {QStringLiteral("http://h/b"), QStringLiteral("b.html")});
            QVERIFY2(index.HoldsUrl(QStringLiteral("http://h/b")),
                     qPrintable(QString::fromUtf16(asked)));
        }
    }

    // Bytes arriving in pieces: a record counts as soon as a reader would
    // see it, and a line end split between CR and LF makes no extra line.
    void growthInPieces()
    {
        const QString list = QStringLiteral("PIECES.LST");
        WorkListIndex& index = WorkListIndex::For(list);
        WriteBytes(list, "http://h/a\r");
        QVERIFY(index.HoldsUrl(QStringLiteral("http://h/a")));
        QVERIFY(!index.HoldsName(QString()));
        WriteBytes(list, "\na.ht", true);
        QVERIFY(index.HoldsName(QStringLiteral("a.ht")));
        WriteBytes(list, "ml\r", true);
        QVERIFY(!index.HoldsName(QStringLiteral("a.ht")));
        QVERIFY(index.HoldsName(QStringLiteral("a.html")));
        WriteBytes(list, "\nhttp://h/b\r\nb.html\r\n", true);
        QVERIFY(index.HoldsName(QStringLiteral("b.html")));
        QVERIFY(!index.HoldsUrl(QString()));
        QVERIFY(!index.HoldsName(QString()));
    }

    // A list left alone long enough is trusted by its stat data; a rewrite of
    // the same length must still be noticed.
    void sameLengthRewriteAfterQuietTime()
    {
        const QString list = QStringLiteral("QUIET.LST");
        WorkListIndex& index = WorkListIndex::For(list);
        AppendLines(list, {QStringLiteral("http://h/a"), QStringLiteral("a.html")},
                    OpenMode::Output);
        QThread::msleep(2100);
        QVERIFY(index.HoldsName(QStringLiteral("a.html")));
        QVERIFY(index.HoldsName(QStringLiteral("a.html")));
        AppendLines(list, {QStringLiteral("http://h/b"), QStringLiteral("b.html")},
                    OpenMode::Output);
        QVERIFY(!index.HoldsName(QStringLiteral("a.html")));
        QVERIFY(index.HoldsName(QStringLiteral("b.html")));
    }

    // An empty list is asked about without being read again, yet whatever
    // fills it, at once after it was made empty, is seen after a yield.
    void emptyListFilledRightAfter_data()
    {
        QTest::addColumn<bool>("byProgram"); // the program empties it, else another process
        QTest::addColumn<bool>("asked");     // asked about while empty, many times
        QTest::newRow("emptied by the program, asked") << true << true;
        QTest::newRow("emptied by the program, not asked") << true << false;
        QTest::newRow("emptied by another process, asked") << false << true;
    }
    void emptyListFilledRightAfter()
    {
        QFETCH(bool, byProgram);
        QFETCH(bool, asked);
        const QString list = QStringLiteral("EMPTY%1%2.LST").arg(byProgram).arg(asked);
        WorkListIndex& index = WorkListIndex::For(list);
        AppendLines(list, {QStringLiteral("http://h/old"), QStringLiteral("old.html")});
        QVERIFY(index.HoldsName(QStringLiteral("old.html")));
        if (byProgram)
            AppendLines(list, {}, OpenMode::Output);
        else
            WriteBytes(list, QByteArray());
        if (asked) {
            for (int ask = 0; ask < 20; ++ask) {
                QVERIFY(!index.HoldsName(QStringLiteral("old.html")));
                QVERIFY(!index.HoldsUrl(QStringLiteral("http://h/new")));
                platform::DoEvents();
            }
        }
        WriteBytes(list, "http://h/new\r\nnew.html\r\n", true);
        QVERIFY(index.HoldsUrl(QStringLiteral("http://h/new")));
        QVERIFY(index.HoldsName(QStringLiteral("new.html")));
        QVERIFY(!index.HoldsName(QStringLiteral("old.html")));
    }

    void missingAndDeletedList()
    {
        WorkListIndex& index = WorkListIndex::For(QStringLiteral("NONE.LST"));
        QVERIFY(!index.HoldsName(QStringLiteral("a.html")));
        QVERIFY(!platform::FileExists(QStringLiteral("NONE.LST"))); // asking creates nothing
        AppendLines(QStringLiteral("NONE.LST"), {QStringLiteral("u"), QStringLiteral("a.html")});
        QVERIFY(index.HoldsName(QStringLiteral("a.html")));
        platform::Kill(QStringLiteral("NONE.LST"));
        QVERIFY(!index.HoldsName(QStringLiteral("a.html")));
        QVERIFY(!WorkListIndex::For(QString()).HoldsUrl(QStringLiteral("u")));
    }

    // Random appends (whole records and pieces), truncations, replacements by
    // copy and rename, and deletions; after each, the index answers as a scan.
    void sameAnswersAsScan()
    {
        const QString list = QStringLiteral("MIX.LST");
        const QString other = QStringLiteral("OTHER.LST");
        WorkListIndex& index = WorkListIndex::For(list);
        QRandomGenerator random(4711);
        auto word = [&random] { return QStringLiteral("w%1").arg(random.bounded(40)); };
        for (int step = 0; step < 600; ++step) {
            switch (random.bounded(9)) {
            case 0:
            case 1:
            case 2:
                AppendLines(list, {QStringLiteral("http://h/") + word(), word() + ".html"});
                break;
            case 3:
                AppendText(list, random.bounded(2) ? word() : QStringLiteral("\r"));
                break;
            case 4:
                AppendText(list, QStringLiteral("\n"));
                break;
            case 5:
                AppendLines(list, {QStringLiteral("http://h/") + word(), word() + ".html"},
                            OpenMode::Output);
                break;
            case 6:
                AppendLines(other, {QStringLiteral("http://h/") + word(), word() + ".html"},
                            OpenMode::Output);
                platform::FileCopy(other, list);
                break;
            case 7:
                AppendLines(other, {QStringLiteral("HTTP://H/") + word(), word() + ".html"},
                            OpenMode::Output);
                platform::Kill(list);
                platform::Name(other, list);
                break;
            case 8:
                if (random.bounded(4) == 0)
                    platform::Kill(list);
                break;
            }
            if (random.bounded(3) == 0)
                continue; // several changes between two questions
            const Scan scan = ScanList(list);
            for (int ask = 0; ask < 8; ++ask) {
                const QString name = word() + ".html";
                const QString url = (random.bounded(2) ? QStringLiteral("http://H/")
                                                       : QStringLiteral("http://h/")) +
                                    word();
                QVERIFY2(index.HoldsName(name) == scan.names.contains(name),
                         qPrintable(QStringLiteral("step %1 name %2").arg(step).arg(name)));
                QVERIFY2(index.HoldsUrl(url) == ScanHoldsUrl(scan, url),
                         qPrintable(QStringLiteral("step %1 url %2").arg(step).arg(url)));
            }
        }
    }

    // What the program appends itself is answered from memory: asking many
    // times between two appends reads nothing from the disk, and every answer
    // is still that of a scan.
    void ownAppendsAnsweredFromMemory_data()
    {
        QTest::addColumn<bool>("pieces");
        QTest::addColumn<bool>("emptyFirst");
        QTest::newRow("whole records") << false << false;
        QTest::newRow("records in pieces") << true << false;
        QTest::newRow("after the program emptied the list") << false << true;
    }

    void ownAppendsAnsweredFromMemory()
    {
        QFETCH(bool, pieces);
        QFETCH(bool, emptyFirst);
        const QString list = QStringLiteral("OWN%1%2.LST").arg(pieces).arg(emptyFirst);
        WorkListIndex& index = WorkListIndex::For(list);
        AppendLines(list, {QStringLiteral("http://h/start"), QStringLiteral("start.html")});
        QVERIFY(index.HoldsName(QStringLiteral("start.html")));
        if (emptyFirst) {
            AppendLines(list, {}, OpenMode::Output);
            QVERIFY(!index.HoldsName(QStringLiteral("start.html")));
        }
        const qint64 readsBefore = ReadCalls();
        QVERIFY(readsBefore >= 0);
        for (int record = 0; record < 50; ++record) {
            const QString url = QStringLiteral("http://h/p%1").arg(record);
            const QString name = QStringLiteral("p%1.html").arg(record);
            if (pieces) {
                AppendText(list, url + QStringLiteral("\r"));
                QVERIFY(index.HoldsUrl(url));
                AppendText(list, QStringLiteral("\n") + name);
                QVERIFY(index.HoldsName(name));
                AppendText(list, QStringLiteral("\r\n"));
            } else {
                AppendLines(list, {url, name});
            }
            for (int ask = 0; ask < 20; ++ask) {
                QVERIFY(index.HoldsUrl(url.toUpper()));
                QCOMPARE(index.NameOfUrl(url), std::optional<QString>(name));
                QVERIFY(!index.HoldsName(QStringLiteral("q%1.html").arg(ask)));
            }
        }
        const qint64 reads = ReadCalls() - readsBefore;
        QVERIFY2(reads <= 5, qPrintable(QString::number(reads) + " reads"));
        const Scan scan = ScanList(list);
        QCOMPARE(scan.names.size(), emptyFirst ? 50 : 51);
        for (const QString& name : scan.names)
            QVERIFY(index.HoldsName(name));
        QCOMPARE(index.HoldsName(QStringLiteral("start.html")), !emptyFirst);
    }

    // However another process changes a list, the change is seen after the
    // next yield, also once the list has been asked about long enough to be
    // trusted while nothing happens to it.
    void changedByAnotherProcess_data()
    {
        using Change = std::function<void(const QString& list)>;
        QTest::addColumn<QString>("list");
        QTest::addColumn<Change>("make");   // makes the list of http://h/old
        QTest::addColumn<Change>("change"); // leaves a list of http://h/new
        const QByteArray old = "http://h/old\r\nold.html\r\n";
        const QByteArray fresh = "http://h/new\r\nnew.html\r\n";
        const Change write = [old](const QString& list) { WriteBytes(list, old); };
        const Change inFolders = [old](const QString& list) {
            const qsizetype slash = list.lastIndexOf(QLatin1Char('/'));
            QVERIFY(QDir().mkpath(list.left(slash)));
            WriteBytes(list, old);
        };
        QTest::newRow("written") << QStringLiteral("OTHER1.LST") << write
                                 << Change(
                                        [fresh](const QString& list) { WriteBytes(list, fresh); });
        QTest::newRow("replaced by a rename")
            << QStringLiteral("OTHER2.LST") << write << Change([fresh](const QString& list) {
                   WriteBytes(QStringLiteral("other2.tmp"), fresh);
                   QFile::remove(list);
                   QVERIFY(QFile::rename(QStringLiteral("other2.tmp"), list));
               });
        QTest::newRow("a symbolic link, its target written")
            << QStringLiteral("OTHER3.LST") << Change([old](const QString& list) {
                   QVERIFY(QDir().mkpath(QStringLiteral("elsewhere")));
                   WriteBytes(QStringLiteral("elsewhere/target3.lst"), old);
                   QVERIFY(QFile::link(QStringLiteral("elsewhere/target3.lst"), list));
               })
            << Change([fresh](const QString&) {
                   WriteBytes(QStringLiteral("elsewhere/target3.lst"), fresh);
               });
        QTest::newRow("written under its other name")
            << QStringLiteral("OTHER4.LST") << Change([old](const QString& list) {
                   QVERIFY(QDir().mkpath(QStringLiteral("elsewhere")));
                   WriteBytes(list, old);
                   QCOMPARE(::link("OTHER4.LST", "elsewhere/link4.lst"), 0);
               })
            << Change([fresh](const QString&) {
                   WriteBytes(QStringLiteral("elsewhere/link4.lst"), fresh);
               });
        QTest::newRow("a folder above it moved away and made anew")
            << QStringLiteral("above6/sub/OTHER6.LST") << inFolders
            << Change([fresh](const QString&) {
                   QVERIFY(QDir().rename(QStringLiteral("above6"), QStringLiteral("above6.old")));
                   QVERIFY(QDir().mkpath(QStringLiteral("above6/sub")));
                   WriteBytes(QStringLiteral("above6/sub/OTHER6.LST"), fresh);
               });
        QTest::newRow("through a folder link pointed elsewhere")
            << QStringLiteral("link7/OTHER7.LST") << Change([old](const QString& list) {
                   QVERIFY(QDir().mkpath(QStringLiteral("real7a")));
                   QVERIFY(QDir().mkpath(QStringLiteral("real7b")));
                   QCOMPARE(::symlink("real7a", "link7"), 0);
                   WriteBytes(list, old);
               })
            << Change([fresh](const QString&) {
                   WriteBytes(QStringLiteral("real7b/OTHER7.LST"), fresh);
                   QCOMPARE(::unlink("link7"), 0);
                   QCOMPARE(::symlink("real7b", "link7"), 0);
                   platform::DoEvents();
               });
        QTest::newRow("given another name, written under it")
            << QStringLiteral("OTHER8.LST") << write << Change([fresh](const QString& list) {
                   QVERIFY(QDir().mkpath(QStringLiteral("elsewhere")));
                   QCOMPARE(::link(QFile::encodeName(list).constData(), "elsewhere/alias8"), 0);
                   WriteBytes(QStringLiteral("elsewhere/alias8"), fresh);
               });
        QTest::newRow("its file lent to another list and given back, then written")
            << QStringLiteral("OTHER10.LST") << write << Change([fresh](const QString& list) {
                   const QString lent = QStringLiteral("OTHER10B.LST");
                   QCOMPARE(::link(QFile::encodeName(list).constData(),
                                   QFile::encodeName(lent).constData()),
                            0);
                   QCOMPARE(::unlink(QFile::encodeName(list).constData()), 0);
                   platform::DoEvents();
                   WorkListIndex& other = WorkListIndex::For(lent);
                   WorkListIndex& index = WorkListIndex::For(list);
                   for (int ask = 0; ask < 3; ++ask) {
                       QVERIFY(other.HoldsUrl(QStringLiteral("http://h/old")));
                       QVERIFY(!index.HoldsUrl(QStringLiteral("http://h/old")));
                       platform::DoEvents();
                   }
                   QCOMPARE(::rename(QFile::encodeName(lent).constData(),
                                     QFile::encodeName(list).constData()),
                            0);
                   platform::DoEvents();
                   for (int ask = 0; ask < 3; ++ask) {
                       QVERIFY(index.HoldsUrl(QStringLiteral("http://h/old")));
                       platform::DoEvents();
                   }
                   WriteBytes(list, fresh);
               });
        QTest::newRow("its folder moved away and made anew")
            << QStringLiteral("moved5/OTHER5.LST") << inFolders << Change([fresh](const QString&) {
                   QVERIFY(QDir().rename(QStringLiteral("moved5"), QStringLiteral("moved5.old")));
                   QVERIFY(QDir().mkdir(QStringLiteral("moved5")));
                   WriteBytes(QStringLiteral("moved5/OTHER5.LST"), fresh);
               });
    }

    void changedByAnotherProcess()
    {
        using Change = std::function<void(const QString& list)>;
        QFETCH(QString, list);
        QFETCH(Change, make);
        QFETCH(Change, change);
        make(list);
        WorkListIndex& index = WorkListIndex::For(list);
        for (int ask = 0; ask < 3; ++ask) {
            QVERIFY(index.HoldsUrl(QStringLiteral("http://h/old")));
            platform::DoEvents();
        }
        change(list);
        QVERIFY(index.HoldsUrl(QStringLiteral("http://h/new")));
        QVERIFY(index.HoldsName(QStringLiteral("new.html")));
        QVERIFY(!index.HoldsUrl(QStringLiteral("http://h/old")));
    }

    // A list named without a folder is the one in the folder the program
    // stands in, also after another process moved that folder away and made
    // a new one in its place.
    void currentFolderMovedAway()
    {
        const QByteArray old = "http://h/old\r\nold.html\r\n";
        QVERIFY(QDir().mkpath(QStringLiteral("here9")));
        QCOMPARE(platform::ChDir(QStringLiteral("here9")), 0);
        WriteBytes(QStringLiteral("OTHER9.LST"), old);
        WorkListIndex& index = WorkListIndex::For(QStringLiteral("OTHER9.LST"));
        for (int ask = 0; ask < 3; ++ask) {
            QVERIFY(index.HoldsUrl(QStringLiteral("http://h/old")));
            platform::DoEvents();
        }
        QCOMPARE(::rename("../here9", "../here9.old"), 0);
        QCOMPARE(::mkdir("../here9", 0755), 0);
        for (int ask = 0; ask < 3; ++ask) {
            QVERIFY(index.HoldsUrl(QStringLiteral("http://h/old")));
            platform::DoEvents();
        }
        WriteBytes(QStringLiteral("OTHER9.LST"), "http://h/new\r\nnew.html\r\n");
        const bool seen = index.HoldsUrl(QStringLiteral("http://h/new"));
        QCOMPARE(platform::ChDir(QStringLiteral("..")), 0);
        QVERIFY(seen);
    }

    // Ten thousand records and as many questions: each question costs a
    // check of the file, not a read of the list.
    void largeList()
    {
        const QString list = QStringLiteral("LARGE.LST");
        QByteArray bytes;
        for (int i = 0; i < 10000; ++i)
            bytes += QStringLiteral("http://host/page%1\r\npage%1.html\r\n").arg(i).toUtf8();
        WriteBytes(list, bytes);
        WorkListIndex& index = WorkListIndex::For(list);
        int held = 0;
        for (int i = 0; i < 10000; ++i)
            held += index.HoldsName(QStringLiteral("page%1.html").arg(i * 2)) ? 1 : 0;
        QCOMPARE(held, 5000);
        QVERIFY(index.HoldsUrl(QStringLiteral("HTTP://HOST/PAGE9999")));
    }
};

KELPA_TEST_MAIN(TestWorkList)
#include "test_worklist.moc"
