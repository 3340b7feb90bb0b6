// Naming against the disk and the work lists: taken names are numbered,
// empty files give their names up, the download directory is made absolute
// and created, the transfer window and the preview windows are kept informed.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "preview/FileList.h"
#include "preview/FormPreview.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"
#include "transfer/FormHTTP.h"

#include <QLineEdit>
#include <QTest>

using namespace KELPA;

namespace {

void Put(const QString& programPath, const QByteArray& bytes)
{
    const int number = platform::FreeFile();
    QCOMPARE(platform::Open(programPath, platform::OpenMode::Output, number), 0);
    platform::PutBytes(number, bytes);
    platform::Close(number);
}

void PutRecord(const QString& list, const QString& url, const QString& name)
{
    const int number = platform::FreeFile();
    QCOMPARE(platform::Open(list, platform::OpenMode::Append, number), 0);
    platform::PrintLine(number, url);
    platform::PrintLine(number, name);
    platform::Close(number);
}

void Name(const QString& link, const QString& mode = QString())
{
    Link = link;
    FormKelpa::Instance().NamenGeben(mode);
}

} // namespace

class TestNamingDisk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        TexteLaden(QStringLiteral("english"));
        FormKelpa::Instance();
    }

    void init()
    {
        static int folder = 0;
        Directory = QStringLiteral("dl%1").arg(++folder);
        FormKelpa::Instance().CacheVerzeichnis();
        for (const char* list : {"LINKS0.INP", "LINKS1.INP", "KELPA.GOT", "COMPLETE.ENP"})
            platform::Kill(QString::fromLatin1(list));
        NextListFile = QStringLiteral("LINKS0.INP");
        LinkListFile = QStringLiteral("LINKS1.INP");
        SubDirectories = 0;
        LongFilenames = 1;
        ContinueSearch = 0;
        TransferStarted = 0;
        NameAltered = 0;
        StartDirectory.clear();
    }

    void cacheDirectory_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("expected"); // "*" stands for the current directory
        const QString home =
            qEnvironmentVariable("HOME").replace(QLatin1Char('/'), QLatin1Char('\\'));
        QTest::newRow("default") << "cache"
                                 << "*\\cache\\";
        QTest::newRow("empty") << ""
                               << "*\\";
        QTest::newRow("backslash") << "\\"
                                   << "*\\";
        QTest::newRow("relative with backslash") << "\\rel\\x"
                                                 << "*\\rel\\x\\";
        QTest::newRow("relative path") << "a\\b\\"
                                       << "*\\a\\b\\";
        QTest::newRow("drive C, trailing backslash") << "C:\\naming\\a\\b\\"
                                                     << "C:\\naming\\a\\b\\";
        QTest::newRow("drive C, no trailing backslash") << "C:\\naming2\\a\\b"
                                                        << "C:\\naming2\\a\\b\\";
        QTest::newRow("drive Z") << "Z:" + home + "\\zform\\x\\"
                                 << "Z:" + home + "\\zform\\x\\";
    }

    void cacheDirectory()
    {
        QFETCH(QString, setting);
        QFETCH(QString, expected);
        expected.replace(QLatin1Char('*'), platform::CurDir());
        Directory = setting;
        FormKelpa::Instance().CacheVerzeichnis();
        QCOMPARE(Directory, expected);
        QVERIFY(platform::DirExists(Directory));
    }

    // The list is pointed at the new directory and made visible; the window
    // itself is not shown by it.
    void previewShowsDirectory()
    {
        FormPreview& preview = FormPreview::Instance();
        preview.Load();
        QCOMPARE(PreviewOpen, int16_t(1));
        preview.ShowFileList(false);
        Directory = QStringLiteral("shown");
        platform::MkDir(Directory);
        Put(QStringLiteral("shown\\one.txt"), "x");
        FormKelpa::Instance().CacheVerzeichnis();
        QCOMPARE(preview.Caption(),
                 QStringLiteral("Preview (1 Files, ") + Directory + QLatin1Char(')'));
        QVERIFY(!preview.DateiListe->isHidden());
        QVERIFY(!preview.Visible());
        preview.Unload();
    }

    void takenNamesAreNumbered()
    {
        Put(Directory + "page.html", "x");
        Name(QStringLiteral("http://host/page.html"));
        QCOMPARE(FileName, QStringLiteral("page(1).html"));
        QCOMPARE(LocalFileName, Directory + "page(1).html");
        // The run gave page(1).html to that URL; another URL of the same name
        // gets the next number, and the first its name again.
        Put(Directory + "page(1).html", "x");
        Name(QStringLiteral("http://other/page.html"));
        QCOMPARE(FileName, QStringLiteral("page(2).html"));
        Name(QStringLiteral("http://host/page.html"));
        QCOMPARE(FileName, QStringLiteral("page(1).html"));
    }

    void numberedNameTakenAgain()
    {
        Put(Directory + "page(1).html", "x");
        FileName = QStringLiteral("page(1).html");
        int16_t mode = 0;
        FormKelpa::Instance().Doublette(mode);
        QCOMPARE(FileName, QStringLiteral("page(2).html"));
        QCOMPARE(mode, int16_t(0));
    }

    void emptyFilesBlockNothing()
    {
        Put(Directory + "page.html", QByteArray());
        Name(QStringLiteral("http://host/page.html"));
        QCOMPARE(FileName, QStringLiteral("page.html"));
        Put(Directory + "page.html", "x");
        Put(Directory + "page(1).html", QByteArray());
        int16_t mode = 0;
        FormKelpa::Instance().Doublette(mode);
        QCOMPARE(FileName, QStringLiteral("page(1).html"));
        QVERIFY(!platform::FileExists(LocalFileName));
    }

    void takenNameKeptWhenNotFetching()
    {
        Put(Directory + "page.html", "x");
        Name(QStringLiteral("http://host/page.html"), QStringLiteral("InlineNamen"));
        QCOMPARE(FileName, QStringLiteral("page.html"));
        ContinueSearch = 1;
        Name(QStringLiteral("http://host/page.html"));
        QCOMPARE(FileName, QStringLiteral("page.html"));
    }

    // The index page and the e-mail list in the download directory are the
    // run's own, even while empty (the e-mail list is made at a run's start)
    // or while a search is completed; elsewhere their names are free.
    void downloadListsAreNotTaken_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("continueSearch");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty e-mail list")
            << "http://host/MailTo.txt" << QByteArray() << 0 << "MailTo(1).txt";
        QTest::newRow("index page while completing")
            << "http://host/_index.HTML" << QByteArray("<p>") << 1 << "_index(1).HTML";
        QTest::newRow("no such file yet")
            << "http://host/_Index.html" << QByteArray() << -1 << "_Index(1).html";
        QTest::newRow("other name")
            << "http://host/MailTo.htm" << QByteArray() << 0 << "MailTo.htm";
    }
    void downloadListsAreNotTaken()
    {
        QFETCH(QString, link);
        QFETCH(QByteArray, content);
        QFETCH(int, continueSearch);
        QFETCH(QString, expected);
        const QString ownName = link.section(QLatin1Char('/'), -1);
        if (continueSearch >= 0)
            Put(Directory + ownName, content);
        ContinueSearch = int16_t(std::max(continueSearch, 0));
        Name(link);
        QCOMPARE(FileName, expected);
        if (continueSearch >= 0)
            QCOMPARE(platform::FileExists(Directory + ownName), true);
        SubDirectories = 1;
        Name(link);
        QCOMPARE(FileName, ownName); // in the host's folder
    }

    void shortNamesNumbered()
    {
        LongFilenames = 0;
        Put(Directory + "index.htm", "x");
        Name(QStringLiteral("http://host/index.htm"));
        QCOMPARE(FileName, QStringLiteral("index__1.htm"));
        QCOMPARE(LocalFileName, Directory + "index__1.htm");
    }

    void namesInWorkListsAreTaken()
    {
        PutRecord(NextListFile, QStringLiteral("http://a/1"), QStringLiteral("page(1).html"));
        PutRecord(LinkListFile, QStringLiteral("http://a/2"), QStringLiteral("page(2).html"));
        PutRecord(QStringLiteral("KELPA.GOT"), QStringLiteral("http://a/3"),
                  QStringLiteral("page(3).html"));
        PutRecord(QStringLiteral("COMPLETE.ENP"), QStringLiteral("http://a/4"),
                  QStringLiteral("PAGE(5).html")); // the same name to the file layer
        PutRecord(QStringLiteral("COMPLETE.ENP"), QStringLiteral("http://a/4"),
                  QStringLiteral("page(4).html"));
        FileName = QStringLiteral("page.html");
        NameAltered = 1;
        int16_t mode = 1;
        FormKelpa::Instance().Doublette(mode);
        QCOMPARE(FileName, QStringLiteral("page(6).html"));
        QCOMPARE(mode, int16_t(0));
        QCOMPARE(NameAltered, int16_t(0));

        mode = 1;
        LongFilenames = 0;
        FileName = QStringLiteral("page.htm");
        PutRecord(QStringLiteral("KELPA.GOT"), QStringLiteral("http://a/5"),
                  QStringLiteral("page___1.htm"));
        FormKelpa::Instance().DoubletteKurz(mode);
        QCOMPARE(FileName, QStringLiteral("page___2.htm"));
    }

    void subdirectoryNamesAreUniqueByPath()
    {
        SubDirectories = 1;
        Link = QStringLiteral("http://host/sub/page.html");
        FileName = QStringLiteral("page.html");
        int16_t mode = 1;
        FormKelpa::Instance().Doublette(mode);
        QCOMPARE(FileName, QStringLiteral("page.html"));
        QCOMPARE(mode, int16_t(0));

        NameAltered = 1;
        FileDirectory.clear();
        mode = 1;
        FormKelpa::Instance().Doublette(mode);
        QCOMPARE(FileName, QStringLiteral("page(1).html"));
        QCOMPARE(LocalFileName, Directory + "host\\sub\\page(1).html");
    }

    void transferWindowShowsTheLink()
    {
        QLineEdit* text1 = FormHTTP::Instance().Text1;
        text1->clear();
        Name(QStringLiteral("host/x.html"));
        QCOMPARE(text1->text(), QStringLiteral("http://host/x.html"));
        text1->clear();
        Name(QStringLiteral("http://host"), QStringLiteral("NurSubDir"));
        QCOMPARE(Link, QStringLiteral("http://host/"));
        QVERIFY(text1->text().isEmpty());
        TransferStarted = 1;
        Name(QStringLiteral("host/y.html"));
        QVERIFY(text1->text().isEmpty());
    }

    void startDirectoryIsTheFirstNamed()
    {
        SubDirectories = 1;
        Name(QStringLiteral("http://first/a.html"));
        Name(QStringLiteral("http://second/b.html"));
        QCOMPARE(StartDirectory, QStringLiteral("first\\"));
    }
};

KELPA_TEST_MAIN(TestNamingDisk)
#include "test_naming_disk.moc"
