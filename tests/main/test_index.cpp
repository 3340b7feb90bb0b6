// The index page's entries, the recent start pages in the menu and the list
// of e-mail addresses, as they land in the download directory.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "tests/main/StartupFixture.h"
#include "tests/support/TestMain.h"
#include "texts/Sprache.h"

#include <QAction>
#include <QDir>

using namespace testsupport;
using namespace KELPA;

namespace {

// The run start's header of a new index page.
const QByteArray Header = "<body bgcolor=\"#ffffff\">\r\n<font face=\"arial\">\r\n"
                          "<small>powered by <a href=\"http://www.kelpa.example/\">kelpa</a>"
                          "</small>\r\n<br><br>\r\n";

QAction* RecentEntry(int n)
{
    const QByteArray name = "MenuURLListe(" + QByteArray::number(n) + ')';
    return FormKelpa::Instance().MenuEntry(name.constData());
}

// A start page fetched into the download directory (below sub when given).
void StartPageFetched(const QString& url, const QString& name, const QString& sub = QString())
{
    QDir().mkpath(QStringLiteral("site/") + sub);
    WriteFile(QStringLiteral("site/") + sub + QLatin1Char('/') + name, "<html>");
    Link = url;
    FileName = name;
    StartDirectory = sub.isEmpty() ? QString() : sub + QLatin1Char('\\');
    SubDirectories = sub.isEmpty() ? 0 : 1;
}

} // namespace

class TestIndex : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TexteLaden(QStringLiteral("english")); }

    void init()
    {
        EnterTestFolder();
        QDir().mkpath(QStringLiteral("site"));
        Directory = platform::CurDir() + QStringLiteral("\\site\\");
        Page.fill(QString());
        for (const char* name : {"MenuClearAll", "MenuClearInactive"})
            FormKelpa::Instance().MenuEntry(name)->setEnabled(false);
    }

    // A second run into the same directory adds its entry below the first.
    void entriesFollowTheHeader()
    {
        WriteFile(QStringLiteral("site/_Index.html"), Header);
        FormKelpa& form = FormKelpa::Instance();
        StartPageFetched(QStringLiteral("http://one.example/"), QStringLiteral("index.htm"));
        form.URLListe(0);
        StartPageFetched(QStringLiteral("http://two.example/a?b"), QStringLiteral("a.htm"),
                         QStringLiteral("two.example"));
        form.URLListe(0);
        QCOMPARE(ReadFile(QStringLiteral("site/_Index.html")),
                 Header + "<a href=\"index.htm\">\r\nhttp://one.example/</a>\r\n<br><br>\r\n"
                          "<a href=\"two.example\\a.htm\">\r\nhttp://two.example/a?b</a>\r\n"
                          "<br><br>\r\n");
        QCOMPARE(Page[1], Directory + QStringLiteral("two.example\\a.htm"));
        QCOMPARE(Page[2], Directory + QStringLiteral("index.htm"));
        QCOMPARE(RecentEntry(1)->text(), QStringLiteral("&1 ") + Page[1]);
        QVERIFY(RecentEntry(1)->isEnabled());
        QVERIFY(form.MenuEntry("MenuClearAll")->isEnabled());
    }

    void aPageThatWasNotSavedGetsNoEntry_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("empty") << QByteArray() << true;
    }

    void aPageThatWasNotSavedGetsNoEntry()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        if (exists)
            WriteFile(QStringLiteral("site/index.htm"), content);
        Link = QStringLiteral("http://one.example/");
        FileName = QStringLiteral("index.htm");
        SubDirectories = 0;
        FormKelpa::Instance().URLListe(0);
        QVERIFY(!QFile::exists(QStringLiteral("site/_Index.html")));
        QVERIFY(Page[1].isEmpty());
        QVERIFY(!RecentEntry(1)->isEnabled());
    }

    void anIndexPageThatTheDiskDoesNotTakeStaysWhole_data()
    {
        QTest::addColumn<QByteArray>("before"); // the index page before (none: missing)
        QTest::newRow("a new page: removed") << QByteArray();
        QTest::newRow("an entry: the page as it was") << Header;
    }

    // The disk fills up while the index page is written: it is never left
    // empty or cut short.
    void anIndexPageThatTheDiskDoesNotTakeStaysWhole()
    {
        QFETCH(QByteArray, before);
        if (!before.isNull())
            WriteFile(QStringLiteral("site/_Index.html"), before);
        StartPageFetched(QStringLiteral("http://one.example/"), QStringLiteral("index.htm"));
        platform::FailWritesTo({QStringLiteral("_Index.html")});
        FormKelpa& form = FormKelpa::Instance();
        if (before.isNull())
            form.WriteIndexHeader();
        else
            form.URLListe(0);
        platform::FailWritesTo({});
        QCOMPARE(QFile::exists(QStringLiteral("site/_Index.html")), !before.isNull());
        QCOMPARE(ReadFile(QStringLiteral("site/_Index.html")), before);
    }

    void aSeventhPagePushesTheOldestOut()
    {
        FormKelpa& form = FormKelpa::Instance();
        for (int n = 1; n <= 7; ++n) {
            StartPageFetched(QStringLiteral("http://h/%1").arg(n),
                             QStringLiteral("p%1.htm").arg(n));
            form.URLListe(0);
        }
        for (int n = 1; n <= 6; ++n) {
            const QString path = Directory + QStringLiteral("p%1.htm").arg(8 - n);
            QCOMPARE(Page[n], path);
            QCOMPARE(RecentEntry(n)->text(), QStringLiteral("&%1 ").arg(n) + path);
            QVERIFY(RecentEntry(n)->isEnabled());
        }
    }

    // Filled slots move up in their order; a page gone from disk stays listed
    // but cannot be chosen.
    void emptySlotsAreFilledFromLaterOnes()
    {
        WriteFile(QStringLiteral("site/b.htm"), "<html>");
        const QString b = Directory + QStringLiteral("b.htm");
        const QString gone = Directory + QStringLiteral("gone.htm");
        Page = {QString(), QString(), b, QString(), gone, QString(), QString(), QString()};
        FormKelpa& form = FormKelpa::Instance();
        form.URLListe(1);
        QCOMPARE(Page[1], b);
        QCOMPARE(Page[2], gone);
        for (int n = 3; n <= 6; ++n)
            QVERIFY(Page[n].isEmpty());
        QCOMPARE(RecentEntry(1)->text(), QStringLiteral("&1 ") + b);
        QVERIFY(RecentEntry(1)->isEnabled());
        QCOMPARE(RecentEntry(2)->text(), QStringLiteral("&2 ") + gone);
        QVERIFY(!RecentEntry(2)->isEnabled());
        QCOMPARE(RecentEntry(3)->text(), QStringLiteral("&3 "));
        QVERIFY(!RecentEntry(3)->isEnabled());
        QVERIFY(form.MenuEntry("MenuClearAll")->isEnabled());
        QVERIFY(form.MenuEntry("MenuClearInactive")->isEnabled());
        QVERIFY(!QFile::exists(QStringLiteral("site/_Index.html")));
    }

    void mailAddresses_data()
    {
        QTest::addColumn<QByteArray>("listBefore");
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QByteArray>("listAfter");

        QTest::newRow("first address") << QByteArray() << "mailto:ann@h.example"
                                       << "ann@h.example" << QByteArray("ann@h.example\r\n");
        QTest::newRow("query cut off") << QByteArray() << "mailto:ann@h.example?subject=Hi&x=1"
                                       << "ann@h.example" << QByteArray("ann@h.example\r\n");
        QTest::newRow("escape cut off") << QByteArray() << "mailto:ann@h.example%20(Ann)"
                                        << "ann@h.example" << QByteArray("ann@h.example\r\n");
        QTest::newRow("second address cut off")
            << QByteArray() << "mailto:ann@h.example&bob@h"
            << "ann@h.example" << QByteArray("ann@h.example\r\n");
        QTest::newRow("blanks trimmed") << QByteArray() << "mailto: ann@h.example "
                                        << "ann@h.example" << QByteArray("ann@h.example\r\n");
        QTest::newRow("no @") << QByteArray() << "mailto:webmaster"
                              << "webmaster" << QByteArray();
        QTest::newRow("nothing after the prefix") << QByteArray() << "mailto:?subject=x"
                                                  << "" << QByteArray();
        QTest::newRow("exact duplicate")
            << QByteArray("bob@h\r\nann@h.example\r\ncid@h\r\n") << "mailto:ann@h.example"
            << "ann@h.example" << QByteArray("bob@h\r\nann@h.example\r\ncid@h\r\n");
        QTest::newRow("duplicate in other case still appended")
            << QByteArray("Ann@H.example\r\n") << "mailto:ann@h.example"
            << "ann@h.example" << QByteArray("Ann@H.example\r\nann@h.example\r\n");
        QTest::newRow("appended after others")
            << QByteArray("bob@h\r\n") << "mailto:ann@h.example"
            << "ann@h.example" << QByteArray("bob@h\r\nann@h.example\r\n");
    }

    void mailAddresses()
    {
        QFETCH(QByteArray, listBefore);
        QFETCH(QString, link);
        QFETCH(QString, address);
        QFETCH(QByteArray, listAfter);
        if (!listBefore.isEmpty())
            WriteFile(QStringLiteral("site/MailTo.txt"), listBefore);
        FormKelpa::Instance().loggingMAILTO(link);
        QCOMPARE(link, address);
        QCOMPARE(ReadFile(QStringLiteral("site/MailTo.txt")), listAfter);
    }
};

KELPA_TEST_MAIN(TestIndex)
#include "test_index.moc"
