// A run whose download directory is the working folder, without
// subdirectories: a server that names its files after the program's own
// files (work lists, settings, log, lock file, example task, the record of
// the run's folder, the index page and the e-mail list, made empty at the
// run's start) gets numbered names, and the program's files keep their
// content.

#include "main/WorkLists.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QDirIterator>

using namespace testsupport;
using namespace KELPA;

namespace {

const QStringList OwnNames{
    QStringLiteral("LINKS0.INP"), QStringLiteral("LINKS1.INP"),  QStringLiteral("COMPLETE.ENP"),
    QStringLiteral("KELPA.GOT"),  QStringLiteral("KELPA.NOT"),   QStringLiteral("KELPA.INI"),
    QStringLiteral("kelpa.log"),  QStringLiteral("KELPA.TMP"),   QStringLiteral("KELPA.BAK"),
    QStringLiteral("~.TMP"),      QStringLiteral("_Index.html"), QStringLiteral("MailTo.txt"),
    QStringLiteral("TEST.TSK"),   QStringLiteral("KELPA.DIR")};

// The files of the working folder holding a server's words.
QStringList FilesFromTheServer()
{
    QStringList files;
    QDirIterator it(QDir::currentPath(), QDir::Files);
    while (it.hasNext()) {
        const QString file = it.next();
        if (ReadFile(file).contains("from the server"))
            files.append(it.fileName());
    }
    files.sort();
    return files;
}

} // namespace

class TestHttpRunOwnFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void serverNeverWritesOverTheProgramsFiles_data()
    {
        QTest::addColumn<int>("localBrowsing");
        QTest::newRow("pages as received") << 0;
        QTest::newRow("local browsing") << 1;
    }

    void serverNeverWritesOverTheProgramsFiles()
    {
        QFETCH(int, localBrowsing);
        PrepareRun(QString(), 2);
        Directory.clear();
        LocalBrowsing = int16_t(localBrowsing);
        eMailAddresses = 1;
        Timeout = 10;
        const QByteArray settings = "Language=english\r\n";
        WriteFile(QStringLiteral("KELPA.INI"), settings);

        HttpTestServer server;
        QByteArray index = "<html>";
        SitePages pages;
        for (const QString& name : OwnNames) {
            const QByteArray path = "/" + name.toLatin1();
            index += "<a href=\"" + path + "\">" + path + "</a>\n";
            pages.append({path, "<html>" + path + " from the server</html>"});
        }
        pages.append({"/index.html", index + "</html>"});
        ServeSite(server, pages);
        FormHTTP::Instance().Text1->setText(
            QString::fromLatin1("http://" + server.url("/index.html")));
        QVERIFY(!StartRun());

        QCOMPARE(GotRecords(), int(OwnNames.size()) + 1);
        QCOMPARE(ReadFile(QStringLiteral("KELPA.INI")), settings);
        const QStringList saved = FilesFromTheServer();
        QCOMPARE(saved.size(), OwnNames.size());
        for (const QString& file : saved)
            QVERIFY2(!OwnNames.contains(file, Qt::CaseInsensitive) && !worklists::IsOwnFile(file) &&
                         !worklists::IsDownloadListFile(QString(), file),
                     qPrintable(file));
        QVERIFY(Log().contains("LINKS0(1).INP"));

        // Each link of the saved start page leads to the file saved for it.
        if (localBrowsing == 1) {
            const QString page = QString::fromLatin1(ReadFile(QStringLiteral("index.html")));
            for (const QString& name : OwnNames) {
                const qsizetype shown =
                    page.indexOf(QLatin1Char('/') + name + QLatin1String("</a>"));
                QVERIFY(shown > 0);
                const qsizetype open = page.lastIndexOf(QLatin1String("href=\""), shown) + 6;
                const QString link = page.mid(open, page.indexOf(QLatin1Char('"'), open) - open);
                QVERIFY2(ReadFile(link).contains("/" + name.toLatin1() + " from the server"),
                         qPrintable(name + QStringLiteral(" -> ") + link));
            }
        }
    }
};

KELPA_TEST_MAIN(TestHttpRunOwnFiles)
#include "test_http_run_own_files.moc"
