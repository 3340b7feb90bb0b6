// The assistant's "Only URLs with:" text: site words of the start URL and of
// an input list, each once, blanks as the box shows them.

#include "tests/main/StartupFixture.h"
#include "tests/support/TestMain.h"
#include "tools/AssistantSites.h"

#include <QDir>

using namespace testsupport;

namespace {

// An input list of records "url" / "local name".
QByteArray List(const QStringList& urls)
{
    QByteArray bytes;
    for (const QString& url : urls)
        bytes += url.toUtf8() + "\r\nlocal.htm\r\n";
    return bytes;
}

} // namespace

class TestAssistantSites : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startUrl_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("text");
        QTest::newRow("scheme and host give the host")
            << "" << QStringList{"http://host"} << "host";
        QTest::newRow("capital scheme and a path give its directory")
            << "" << QStringList{"HTTP://host/a/b.htm"} << "/a/";
        QTest::newRow("a page at the root gives the host")
            << "" << QStringList{" http://host:81/page.htm "} << "host:81";
        QTest::newRow("the same host in other case once")
            << "" << QStringList{"http://Host", "http://HOST/x.htm"} << "Host ";
        QTest::newRow("one blank after an old word, blanks trimmed")
            << "  old  " << QStringList{"http://new"} << "old new";
        QTest::newRow("a listed word leaves the trimmed box and a blank")
            << " OLD " << QStringList{"http://old"} << "OLD ";
        QTest::newRow("a word after a listed one follows that blank")
            << "old" << QStringList{"http://old", "http://new/d/p"} << "old /d/";
        QTest::newRow("an empty URL adds nothing to an empty box") << "" << QStringList{""} << "";
        QTest::newRow("an empty URL still trims a box") << " a " << QStringList{"  "} << "a ";
        QTest::newRow("inside a word is not listed")
            << "/dir/x/" << QStringList{"http://h/dir/p"} << "/dir/x/ /dir/";
    }
    void startUrl()
    {
        QFETCH(QString, box);
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        tools::SiteWordText words(box);
        for (const QString& url : urls)
            words.Add(url);
        QCOMPARE(words.Text(), text);
    }

    void inputList_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<int>("abortAfter"); // records read before going() says stop; -1 never
        QTest::addColumn<QString>("text");
        QTest::newRow("the first record is passed over")
            << List({"http://first/", "http://h/a/p", "http://g/"}) << -1 << "start /a/ g";
        QTest::newRow("only the first record adds nothing")
            << List({"http://first/"}) << -1 << "start";
        QTest::newRow("blank URLs add nothing")
            << List({"http://first/", "   ", "http://g"}) << -1 << "start g";
        QTest::newRow("a listed word in the list")
            << List({"http://first/", "http://START/x"}) << -1 << "start ";
        QTest::newRow("stopped after the first record read")
            << List({"http://first/", "http://a", "http://b"}) << 1 << "start a";
        QTest::newRow("a last record without its name line")
            << QByteArray("http://first/\r\nf\r\nhttp://z\r\n") << -1 << "start z";
        QTest::newRow("an empty list") << QByteArray() << -1 << "start";
    }
    void inputList()
    {
        QFETCH(QByteArray, list);
        QFETCH(int, abortAfter);
        QFETCH(QString, text);
        EnterTestFolder();
        WriteFile(QStringLiteral("KELPA.INP"), list);
        tools::SiteWordText words{QString()};
        words.Add(QStringLiteral("http://start"));
        int records = 0;
        tools::AddListSites(words, QStringLiteral("KELPA.INP"),
                            [&] { return ++records != abortAfter; });
        QCOMPARE(words.Text(), text);
        QVERIFY(!platform::IsOpen(1));
    }

    void anUnreadableListAddsNothing_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::newRow("missing") << false;
        QTest::newRow("a folder of that name") << true;
    }
    void anUnreadableListAddsNothing()
    {
        QFETCH(bool, folder);
        EnterTestFolder();
        if (folder)
            QVERIFY(QDir().mkdir(QStringLiteral("LIST.INP")));
        tools::SiteWordText words(QStringLiteral("a"));
        int records = 0;
        tools::AddListSites(words, QStringLiteral("LIST.INP"), [&] { return ++records > 0; });
        QCOMPARE(words.Text(), QStringLiteral("a"));
        QCOMPARE(records, 0);
    }

    // Ten thousand URLs from a thousand directories: the words in the order
    // first met, each once.
    void aLongListKeepsTheFirstOfEachWord()
    {
        EnterTestFolder();
        QStringList urls{QStringLiteral("http://first/")};
        for (int i = 0; i < 10000; ++i)
            urls << QStringLiteral("http://h/d%1/p%2.htm").arg(i % 1000).arg(i);
        WriteFile(QStringLiteral("KELPA.INP"), List(urls));
        tools::SiteWordText words{QString()};
        tools::AddListSites(words, QStringLiteral("KELPA.INP"), [] { return true; });
        // The last URL's word was listed: the blank before the next word stays.
        QVERIFY(words.Text().endsWith(QStringLiteral("/d998/ /d999/ ")));
        const QStringList got = words.Text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QCOMPARE(got.size(), 1000);
        QCOMPARE(got.first(), QStringLiteral("/d0/"));
        QCOMPARE(got.last(), QStringLiteral("/d999/"));
    }
};

KELPA_TEST_MAIN(TestAssistantSites)
#include "test_assistant_sites.moc"
