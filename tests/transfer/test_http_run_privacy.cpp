// A start URL with a user part: the run fetches the site, and no file of the
// working folder holds the password.

#include "tests/support/TestMain.h"
#include "tests/transfer/HttpRunFixture.h"

#include <QDirIterator>

using namespace testsupport;
using namespace KELPA;

class TestHttpRunPrivacy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { StartOnce(); }

    void passwordNeverWritten_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("fetched");
        QTest::newRow("one level") << 1 << 1;
        QTest::newRow("two levels") << 2 << 2;
        // The start page is known without its user part: a link back to it
        // does not fetch it again.
        QTest::newRow("three levels") << 3 << 2;
    }

    void passwordNeverWritten()
    {
        QFETCH(int, depth);
        QFETCH(int, fetched);
        HttpTestServer server;
        ServeSite(server, {{"/index.html", "<html><a href=\"a.html\">a</a></html>"},
                           {"/a.html", "<html><a href=\"index.html\">i</a></html>"}});
        PrepareRun(QString::fromLatin1("http://user:secret@" + server.url("/index.html")),
                   int16_t(depth));
        LocalBrowsing = 1;
        Timeout = 10;
        QVERIFY(!StartRun());

        QCOMPARE(GotRecords(), fetched);
        QDirIterator it(QDir::currentPath(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QVERIFY2(!ReadFile(file).contains("secret"), qPrintable(file));
        }
        for (const HttpRequest& request : server.requests())
            QVERIFY(!request.head.contains("secret"));
    }

    // Nor does any work list while the run lasts.
    void passwordNeverInAWorkList()
    {
        PrepareRun(QStringLiteral("http://user:secret@h/index.html"), 2);
        QStringList holding;
        FormHTTP::SetTransfer([&holding] {
            QDirIterator it(QDir::currentPath(), QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString file = it.next();
                if (ReadFile(file).contains("secret"))
                    holding.append(file);
            }
        });
        StartRun();
        FormHTTP::SetTransfer({});
        QVERIFY2(holding.isEmpty(), qPrintable(holding.join(QLatin1Char(' '))));
    }

    // A page from a server never makes the run copy a local file.
    void webPageNeverLeadsToLocalFiles_data()
    {
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("file URL, drive with bar") << QByteArray("file:///Z|");
        QTest::newRow("file URL, drive with colon") << QByteArray("file:///Z:");
        QTest::newRow("file URL, capitals") << QByteArray("FILE:///Z|");
        QTest::newRow("file URL without drive") << QByteArray("file://");
    }

    void webPageNeverLeadsToLocalFiles()
    {
        QFETCH(QByteArray, prefix);
        PrepareRun(QString(), 2);
        QVERIFY(QDir().mkpath(QStringLiteral("private")));
        WriteFile(QStringLiteral("private/secret.html"), "<html>private words</html>");
        const QByteArray link =
            prefix +
            QDir::current().absoluteFilePath(QStringLiteral("private/secret.html")).toUtf8();
        const QByteArray page =
            "<html><a href=\"" + link + "\">s</a><img src=\"" + link + "\"></html>";
        HttpTestServer server;
        ServeSite(server, {{"/index.html", page}});
        FormHTTP::Instance().Text1->setText(
            QString::fromLatin1("http://" + server.url("/index.html")));
        LocalBrowsing = 1;
        Timeout = 10;
        QVERIFY(!StartRun());

        QCOMPARE(GotRecords(), 1);
        const QStringList tree = SavedTree();
        QCOMPARE(tree.size(), 1);
        QVERIFY(ReadFile(QStringLiteral("site/") + tree.first()).contains(page.mid(6)));
    }
};

KELPA_TEST_MAIN(TestHttpRunPrivacy)
#include "test_http_run_privacy.moc"
