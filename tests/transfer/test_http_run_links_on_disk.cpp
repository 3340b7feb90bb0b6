// A copy that holds symbolic links (made by the user, or by a program beside
// Kelpa): a run into it never writes through one. A link standing at a
// file's name is replaced by the file; a folder that is a link leading out of
// the download directory, or nowhere, takes no file, which is left for a
// completion; a link to a folder inside the directory is a folder as any.

#include "tests/support/MsgBoxScript.h"
#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

using namespace testsupport;
using namespace KELPA;

class TestHttpRunLinksOnDisk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }
    void neverWritesThroughALink_data();
    void neverWritesThroughALink();
};

void TestHttpRunLinksOnDisk::neverWritesThroughALink_data()
{
    QTest::addColumn<QString>("link");    // below the host's folder
    QTest::addColumn<QString>("target");  // what it leads to, from the test folder
    QTest::addColumn<QByteArray>("path"); // the URL linked from the start page
    QTest::addColumn<QString>("savedAs"); // below the host's folder; empty: not saved
    QTest::newRow("a file's name, leading out")
        << "kept.html"
        << "outside/kept.html" << QByteArray("/kept.html") << "kept.html";
    QTest::newRow("a file's name, leading nowhere")
        << "fresh.html"
        << "outside/fresh.html" << QByteArray("/fresh.html") << "fresh.html";
    QTest::newRow("a folder leading out")
        << "evil"
        << "outside/dir" << QByteArray("/evil/page.html") << QString();
    // A link to nothing stands in a folder's way as a file would.
    QTest::newRow("a folder leading nowhere")
        << "gone"
        << "outside/none" << QByteArray("/gone/page.html") << "gone(1)/page.html";
    QTest::newRow("a folder leading inside")
        << "same"
        << "site/inner" << QByteArray("/same/page.html") << "same/page.html";
}

void TestHttpRunLinksOnDisk::neverWritesThroughALink()
{
    QFETCH(QString, link);
    QFETCH(QString, target);
    QFETCH(QByteArray, path);
    QFETCH(QString, savedAs);
    HttpTestServer server;
    server.setAnswer("/index.html",
                     HttpAnswer::page("<html><a href=\"" + path + "\">l</a></html>"));
    server.setAnswer(path, HttpAnswer::page("served", "text/plain"));
    PrepareRun(QString::fromLatin1("http://" + server.url("/index.html")), 0);
    SubDirectories = LocalBrowsing = 1;
    Timeout = 10;
    const QString host = QStringLiteral("site/127.0.0.1_%1/").arg(server.port());
    QDir().mkpath(host);
    QDir().mkpath(QStringLiteral("outside/dir"));
    QDir().mkpath(QStringLiteral("site/inner"));
    WriteFile(QStringLiteral("outside/kept.html"), "outside");
    WriteFile(QStringLiteral("outside/dir/page.html"), "outside");
    QVERIFY(QFile::link(QDir::current().absoluteFilePath(target), host + link));
    MsgBoxScript boxes;
    if (savedAs.isEmpty())
        boxes.expect(QStringLiteral("(1 link: http://") + server.url(path) + ')', platform::vbNo,
                     MsgBoxScript::Match::Contains);

    QVERIFY(!StartRun());
    KELPA_VERIFY_MSGBOXES(boxes);

    QCOMPARE(ReadFile(QStringLiteral("outside/kept.html")), QByteArray("outside"));
    QCOMPARE(ReadFile(QStringLiteral("outside/dir/page.html")), QByteArray("outside"));
    QVERIFY(!QFile::exists(QStringLiteral("outside/fresh.html")));
    QVERIFY(!QFileInfo::exists(QStringLiteral("outside/none")));
    const QByteArray record = "http://" + server.url(path) + "\r\npage.html\r\n";
    QCOMPARE(ReadFile(QStringLiteral("KELPA.NOT")), savedAs.isEmpty() ? record : QByteArray());
    QCOMPARE(Log().contains(LanguageText[479].toUtf8()), savedAs.isEmpty());
    if (savedAs.isEmpty())
        return;
    const QFileInfo file(host + savedAs);
    QCOMPARE(ReadFile(file.filePath()), QByteArray("served"));
    QVERIFY(!file.isSymLink());
    QVERIFY2(file.canonicalFilePath().startsWith(QDir(QStringLiteral("site")).canonicalPath() +
                                                 QLatin1Char('/')),
             qPrintable(file.canonicalFilePath()));
}

KELPA_TEST_MAIN(TestHttpRunLinksOnDisk)
#include "test_http_run_links_on_disk.moc"
