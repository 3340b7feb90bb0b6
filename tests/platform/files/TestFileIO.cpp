// Files under numbers: reading lines in every ending and code page, writing,
// the open modes, shared positions and the errors of the table.

#include "platform/files/Files.h"
#include "tests/platform/files/FileTestUtil.h"
#include "tests/support/TestMain.h"

#include <QObject>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

namespace {

// Reads every line of the file under a fresh number, as the program's loops do.
QStringList readAllLines(const QString& path)
{
    QStringList lines;
    const int number = FreeFile();
    if (Open(path, OpenMode::Input, number) != 0)
        return {QStringLiteral("<not opened>")};
    QString line;
    while (!Eof(number)) {
        if (LineInput(number, line) != 0)
            break;
        lines.append(line);
    }
    if (LineInput(number, line) != ErrInputPastEnd)
        lines.append(QStringLiteral("<no end>"));
    Close(number);
    return lines;
}

QString nextLine(int number) // another procedure reading under the same number
{
    QString line;
    LineInput(number, line);
    return line;
}

} // namespace

class TestFileIO : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void lineReading_data();
    void lineReading();
    void longFileAcrossBlocks();
    void sharedNumberKeepsPosition();
    void writeModes();
    void replaceKeepsOldFileUntilClose();
    void writesSeenUnderOtherNumber();
    void heldBytesReachTheFile_data();
    void heldBytesReachTheFile();
    void tableErrors();
    void binaryFiles();
    void closeAllFilesKeepsLockFile();
    void fileIsOpenUnderAnyName();

private:
    QString start;
    std::unique_ptr<QTemporaryDir> work;
};

void TestFileIO::init()
{
    start = QDir::currentPath();
    work = std::make_unique<QTemporaryDir>(filetest::home() + QLatin1String("/io-XXXXXX"));
    QVERIFY(work->isValid());
    QVERIFY(QDir::setCurrent(work->path()));
}

void TestFileIO::cleanup()
{
    CloseAllFiles();
    ReleaseLockFile();
    QDir::setCurrent(start);
    work.reset();
}

void TestFileIO::lineReading_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("CR") << QByteArray("a\rb\r") << QStringList{"a", "b"};
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("last line without end") << QByteArray("a\r\nlast") << QStringList{"a", "last"};
    QTest::newRow("empty lines") << QByteArray("\r\n\n\r\r\n") << QStringList{"", "", "", ""};
    QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xBC\xC3\x9F"
                                         "e \xE2\x82\xAC\r\n")
                           << QStringList{"Grüße €"};
    QTest::newRow("Windows-1252") << QByteArray("Gr\xFC\xDF"
                                                "e \x80 \x93x\x94 \x8A\r\n")
                                  << QStringList{"Grüße € “x” Š"};
    QTest::newRow("unassigned 1252 byte") << QByteArray("a\x81") << QStringList{"a\u0081"};
    QTest::newRow("code page per line")
        << QByteArray("\xE4\r\n\xC3\xA4\r\n") << QStringList{"ä", "ä"};
    QTest::newRow("overlong UTF-8 is 1252") << QByteArray("\xC0\xAF") << QStringList{"À¯"};
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFkey=1\r\n") << QStringList{"key=1"};
    QTest::newRow("tabs and blanks kept") << QByteArray(" \ta \r\n") << QStringList{" \ta "};
}

void TestFileIO::lineReading()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QVERIFY(filetest::writeBytes(QStringLiteral("list.inp"), bytes));
    QCOMPARE(readAllLines(QStringLiteral("LIST.INP")), lines);
}

void TestFileIO::longFileAcrossBlocks()
{
    // Line ends fall on every offset of the read blocks, CR LF pairs split
    // between two blocks among them.
    QByteArray bytes;
    QStringList expected;
    for (int i = 0; i < 40000; ++i) {
        const QByteArray line = QByteArray::number(i) + QByteArray(i % 7, 'x');
        bytes += line + (i % 3 == 0 ? "\r\n" : (i % 3 == 1 ? "\n" : "\r"));
        expected.append(QString::fromLatin1(line));
    }
    QVERIFY(filetest::writeBytes(QStringLiteral("big.inp"), bytes));
    QCOMPARE(readAllLines(QStringLiteral("big.inp")), expected);
}

void TestFileIO::sharedNumberKeepsPosition()
{
    QVERIFY(filetest::writeBytes(QStringLiteral("KELPA.NOT"), "u1\r\nf1\r\nu2\r\nf2\r\n"));
    const int number = FreeFile();
    QCOMPARE(Open(QStringLiteral("kelpa.not"), OpenMode::Input, number), 0);
    QString line;
    QCOMPARE(LineInput(number, line), 0);
    QCOMPARE(line, QStringLiteral("u1"));
    QCOMPARE(nextLine(number), QStringLiteral("f1"));
    QCOMPARE(LineInput(number, line), 0);
    QCOMPARE(line, QStringLiteral("u2"));
    QCOMPARE(nextLine(number), QStringLiteral("f2"));
    QVERIFY(Eof(number));
}

void TestFileIO::writeModes()
{
    const QString path = QStringLiteral("KELPA.LOG");
    const int number = FreeFile();
    QCOMPARE(Open(path, OpenMode::Append, number), 0); // created when missing
    QCOMPARE(PrintLine(number, QStringLiteral("eins ä")), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(Open(path, OpenMode::Append, number), 0);
    QCOMPARE(PrintText(number, QStringLiteral("time-out")), 0);
    QCOMPARE(PrintText(number, QStringLiteral(" ")), 0);
    QCOMPARE(PrintLine(number, QStringLiteral("abort")), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(filetest::readBytes(path), QByteArray("eins \xC3\xA4\r\ntime-out abort\r\n"));
    QCOMPARE(Open(path, OpenMode::Output, number), 0); // emptied
    QCOMPARE(PrintLine(number, QString()), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(filetest::readBytes(path), QByteArray("\r\n"));
}

void TestFileIO::replaceKeepsOldFileUntilClose()
{
    QVERIFY(filetest::writeBytes(QStringLiteral("KELPA.INI"), "Depth=3\r\n"));
    const int number = FreeFile();
    QCOMPARE(Open(QStringLiteral("kelpa.ini"), OpenMode::Replace, number), 0);
    QCOMPARE(PrintLine(number, QStringLiteral("Depth=5")), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.INI")), QByteArray("Depth=3\r\n"));
    QCOMPARE(Lof(number), qint64(9));
    QCOMPARE(DirList(QStringLiteral("*")), QStringList{"KELPA.INI"});
    QCOMPARE(Close(number), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("KELPA.INI")), QByteArray("Depth=5\r\n"));
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"KELPA.INI"});
    QCOMPARE(Open(QStringLiteral("nofolder\\x.ini"), OpenMode::Replace, number),
             int(ErrPathNotFound));
}

void TestFileIO::writesSeenUnderOtherNumber()
{
    const int writer = FreeFile();
    QCOMPARE(Open(QStringLiteral("LINKS1.INP"), OpenMode::Append, writer), 0);
    QCOMPARE(PrintLine(writer, QStringLiteral("http://a/")), 0);
    const int reader = FreeFile();
    QCOMPARE(Open(QStringLiteral("links1.inp"), OpenMode::Input, reader), 0);
    QCOMPARE(nextLine(reader), QStringLiteral("http://a/"));
    QVERIFY(Eof(reader));
    QCOMPARE(PrintLine(writer, QStringLiteral("b.html")), 0);
    QVERIFY(!Eof(reader));
    QCOMPARE(nextLine(reader), QStringLiteral("b.html"));
    QCOMPARE(Lof(writer), qint64(19));
    QCOMPARE(FileLen(QStringLiteral("LINKS1.INP")), qint64(19));
}

// Bytes a file holds back are on disk before the file is closed by anyone,
// and before a look at it by path; a piece full is written at once.
void TestFileIO::heldBytesReachTheFile_data()
{
    QTest::addColumn<QString>("by");
    QTest::newRow("a full piece") << QStringLiteral("piece");
    QTest::newRow("Flush") << QStringLiteral("flush");
    QTest::newRow("Close") << QStringLiteral("close");
    QTest::newRow("CloseAllFiles") << QStringLiteral("all");
    QTest::newRow("FileLen by path") << QStringLiteral("length");
    QTest::newRow("Lof") << QStringLiteral("lof");
    QTest::newRow("opened for reading") << QStringLiteral("read");
    QTest::newRow("copied") << QStringLiteral("copy");
    QTest::newRow("a line after them") << QStringLiteral("line");
}

void TestFileIO::heldBytesReachTheFile()
{
    QFETCH(QString, by);
    const int number = FreeFile();
    QCOMPARE(Open(QStringLiteral("Part.zip"), OpenMode::Output, number), 0);
    QCOMPARE(HoldWrites(number, 8), 0);
    QCOMPARE(PutBytes(number, "abc"), 0);
    QCOMPARE(PutBytes(number, "de"), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("Part.zip")), QByteArray());
    QByteArray expected = "abcde";
    QString file = QStringLiteral("Part.zip");
    if (by == QLatin1String("piece")) {
        QCOMPARE(PutBytes(number, "fgh"), 0);
        expected = "abcdefgh";
    } else if (by == QLatin1String("flush")) {
        QCOMPARE(Flush(number), 0);
    } else if (by == QLatin1String("close")) {
        QCOMPARE(Close(number), 0);
    } else if (by == QLatin1String("all")) {
        CloseAllFiles();
    } else if (by == QLatin1String("length")) {
        QCOMPARE(FileLen(QStringLiteral("PART.ZIP")), qint64(5));
    } else if (by == QLatin1String("lof")) {
        QCOMPARE(Lof(number), qint64(5));
    } else if (by == QLatin1String("read")) {
        const int reader = FreeFile();
        QCOMPARE(Open(QStringLiteral("part.zip"), OpenMode::Input, reader), 0);
        QByteArray read;
        QCOMPARE(GetBytes(reader, 10, read), 0);
        QCOMPARE(read, expected);
    } else if (by == QLatin1String("copy")) {
        QCOMPARE(FileCopy(QStringLiteral("Part.zip"), QStringLiteral("copy.zip")), 0);
        file = QStringLiteral("copy.zip");
    } else if (by == QLatin1String("line")) {
        QCOMPARE(PrintLine(number, QStringLiteral("f")), 0);
        expected = "abcdef\r\n";
    }
    QCOMPARE(filetest::readBytes(file), expected);
    QCOMPARE(Flush(number), 0);
    Close(number);
    QCOMPARE(Flush(number), 0); // a number not open holds nothing
}

void TestFileIO::tableErrors()
{
    QCOMPARE(FreeFile(), 1);
    QCOMPARE(Open(QStringLiteral("a.txt"), OpenMode::Output, 1), 0);
    QCOMPARE(Open(QStringLiteral("b.txt"), OpenMode::Output, 2), 0);
    QCOMPARE(FreeFile(), 3);
    QCOMPARE(Close(1), 0);
    QCOMPARE(FreeFile(), 1);
    QCOMPARE(Open(QStringLiteral("c.txt"), OpenMode::Output, 2), int(ErrFileAlreadyOpen));
    QCOMPARE(Open(QStringLiteral("c.txt"), OpenMode::Output, 0), int(ErrBadFileNumber));
    QCOMPARE(Open(QStringLiteral("c.txt"), OpenMode::Output, 512), int(ErrBadFileNumber));
    QCOMPARE(Close(7), 0); // closing a number that is not open does nothing
    QString line;
    QCOMPARE(LineInput(7, line), int(ErrBadFileNumber));
    QCOMPARE(LineInput(2, line), int(ErrBadFileMode));
    QCOMPARE(Open(QStringLiteral("missing.txt"), OpenMode::Input, 3), int(ErrFileNotFound));
    QCOMPARE(Open(QStringLiteral("nofolder\\x.txt"), OpenMode::Input, 3), int(ErrPathNotFound));
    QCOMPARE(Open(QStringLiteral("nofolder\\x.txt"), OpenMode::Output, 3), int(ErrPathNotFound));
    QVERIFY(QDir().mkdir(QStringLiteral("folder")));
    QCOMPARE(Open(QStringLiteral("folder"), OpenMode::Input, 3), int(ErrPathFileAccess));
    QCOMPARE(Open(QStringLiteral("D:\\x.txt"), OpenMode::Output, 3), int(ErrDiskNotReady));
    QCOMPARE(Open(QStringLiteral("x") + QChar(0) + QStringLiteral(".txt"), OpenMode::Output, 3),
             int(ErrBadFileNumber));
    QVERIFY(!QFile::exists(QStringLiteral("x")));
    QCOMPARE(Open(QStringLiteral("a.txt"), OpenMode::Input, 3), 0);
    QCOMPARE(PrintLine(3, QStringLiteral("x")), int(ErrBadFileMode));
    QVERIFY(!IsOpen(1));
    QVERIFY(IsOpen(3));
    QCOMPARE(Lof(1), qint64(-1));
    QVERIFY(Eof(1));
}

void TestFileIO::binaryFiles()
{
    const int number = FreeFile();
    QCOMPARE(Open(QStringLiteral("data.bin"), OpenMode::Binary, number), 0);
    QCOMPARE(PutBytes(number, QByteArray("\0\1\2\3\4\5", 6)), 0);
    QCOMPARE(Lof(number), qint64(6));
    QVERIFY(Eof(number));
    QCOMPARE(Seek(number, 2), 0);
    QVERIFY(!Eof(number));
    QByteArray bytes;
    QCOMPARE(GetBytes(number, 3, bytes), 0);
    QCOMPARE(bytes, QByteArray("\2\3\4", 3));
    QCOMPARE(GetBytes(number, 100, bytes), 0);
    QCOMPARE(bytes, QByteArray("\5", 1));
    QCOMPARE(GetBytes(number, 1, bytes), int(ErrInputPastEnd));
    QCOMPARE(Seek(number, 0), 0);
    QCOMPARE(PutBytes(number, QByteArray("A")), 0);
    QCOMPARE(Close(number), 0);
    QCOMPARE(filetest::readBytes(QStringLiteral("data.bin")), QByteArray("A\1\2\3\4\5", 6));
}

void TestFileIO::closeAllFilesKeepsLockFile()
{
    QCOMPARE(OpenLockFile(QStringLiteral("KELPA.TMP"), 1), 0);
    QCOMPARE(Open(QStringLiteral("KELPA.LOG"), OpenMode::Append, 2), 0);
    CloseAllFiles();
    QVERIFY(IsOpen(1));
    QVERIFY(!IsOpen(2));
    QCOMPARE(FreeFile(), 2);
    ReleaseLockFile();
    QVERIFY(!IsOpen(1));
}

// A file open under a number is found by any spelling of its path; a closed
// or never opened one is not.
void TestFileIO::fileIsOpenUnderAnyName()
{
    QCOMPARE(Open(QStringLiteral("Received.bin"), OpenMode::Output, 3), 0);
    QVERIFY(FileIsOpen(QStringLiteral("Received.bin")));
    QVERIFY(FileIsOpen(QStringLiteral("RECEIVED.BIN")));
    QVERIFY(FileIsOpen(CurDir() + QStringLiteral("\\received.bin")));
    QVERIFY(!FileIsOpen(QStringLiteral("other.bin")));
    Close(3);
    QVERIFY(!FileIsOpen(QStringLiteral("Received.bin")));
}

KELPA_TEST_MAIN(TestFileIO)

#include "TestFileIO.moc"
