// Local names as a table: URL in, directory and file name out; hostile URLs
// never lead out of the download directory; the numbering of taken names.

#include "main/Naming.h"
#include "platform/files/Files.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QTest>

namespace {

const QString Dl = QStringLiteral("C:\\dl\\");

naming::Result Name(const QString& link, bool subDirectories, bool longFilenames,
                    naming::Mode mode = naming::Mode::Fetch)
{
    naming::Input input;
    input.link = link;
    input.mode = mode;
    input.subDirectories = subDirectories;
    input.longFilenames = longFilenames;
    input.directory = Dl;
    input.unknownName = QStringLiteral("unknown");
    return naming::LocalName(input);
}

} // namespace

class TestNaming : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void names_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("sub");
        QTest::addColumn<bool>("longNames");
        QTest::addColumn<QString>("newLink");
        QTest::addColumn<QString>("directory");
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("altered");

        const QString up = QStringLiteral("http://host/a/b/../c.htm");
        QTest::newRow("parent step") << up << true << true << up << "host\\a\\"
                                     << "c.htm" << 1;
        QTest::newRow("parent step, flat") << up << false << true << up << ""
                                           << "c.htm" << 1;
        QTest::newRow("port folder is no alteration")
            << "http://h:8080/c-api/exceptions.html" << true << true
            << "http://h:8080/c-api/exceptions.html"
            << "h_8080\\c-api\\"
            << "exceptions.html" << 0;
        QTest::newRow("port folder, flat") << "http://h:8080/c-api/exceptions.html" << false << true
                                           << "http://h:8080/c-api/exceptions.html"
                                           << ""
                                           << "exceptions.html" << 0;
        QTest::newRow("colon after the host still alters")
            << "http://h:8080/a:b.html" << true << true << "http://h:8080/a:b.html"
            << "h_8080\\"
            << "a_b.html" << 1;
        QTest::newRow("colon without a port alters")
            << "http://h:x/a.html" << true << true << "http://h:x/a.html"
            << "h_x\\"
            << "a.html" << 1;
        QTest::newRow("bare host") << "http://host" << true << true << "http://host/"
                                   << "host\\"
                                   << "index.html" << 0;
        QTest::newRow("bare host, flat") << "http://host" << false << true << "http://host/"
                                         << ""
                                         << "host.html" << 0;
        QTest::newRow("host with its slash keeps one")
            << "http://host/" << true << true << "http://host/"
            << "host\\"
            << "index.html" << 0;
        QTest::newRow("www host, flat short")
            << "http://www.host.com" << false << false << "http://www.host.com/"
            << ""
            << "host_com.htm" << 0;
        QTest::newRow("query") << "http://host/cgi/x?p=1" << true << true << "http://host/cgi/x?p=1"
                               << "host\\cgi\\"
                               << "x_p=1.html" << 1;
        QTest::newRow("query, flat")
            << "http://host/cgi/x?p=1" << false << true << "http://host/cgi/x?p=1"
            << ""
            << "x.html" << 0;
        QTest::newRow("directory") << "http://host/dir/" << true << true << "http://host/dir/"
                                   << "host\\dir\\"
                                   << "index.html" << 0;
        QTest::newRow("directory, flat")
            << "http://host/dir/" << false << true << "http://host/dir/"
            << ""
            << "dir.html" << 0;
        QTest::newRow("directory, flat short")
            << "http://host/dir/" << false << false << "http://host/dir/"
            << ""
            << "dir.htm" << 0;
        QTest::newRow("directory, short")
            << "http://host/dir/" << true << false << "http://host/dir/"
            << "host\\dir\\"
            << "index.html" << 0;
        QTest::newRow("sort tail") << " http://host/dir/?N=A " << true << true << "http://host/dir/"
                                   << "host\\dir\\"
                                   << "index.html" << 0;
        QTest::newRow("sort tail, lower case")
            << "http://host/x.html?m=d" << true << true << "http://host/x.html"
            << "host\\"
            << "x.html" << 0;
        QTest::newRow("text shorter than a sort tail") << "=A" << false << true << "http://=A/"
                                                       << ""
                                                       << "=A.html" << 0;
        QTest::newRow("user and password")
            << "http://user:pw@host/x.html" << true << true << "http://user:pw@host/x.html"
            << "host\\"
            << "x.html" << 0;
        QTest::newRow("@ in path stays")
            << "http://host/a@b.html" << true << true << "http://host/a@b.html"
            << "host\\"
            << "a@b.html" << 0;
        QTest::newRow("the part file's name")
            << "http://host/..KELPA-Part" << true << true << "http://host/..KELPA-Part"
            << "host\\"
            << "_KELPA-Part" << 1;
        QTest::newRow("a part file's name with numbers")
            << "http://host/..Kelpa-Part-4711-2" << true << true
            << "http://host/..Kelpa-Part-4711-2"
            << "host\\"
            << "_Kelpa-Part-4711-2" << 1;
        QTest::newRow("a name that only begins like a part file's")
            << "http://host/..kelpa-part-x" << true << true << "http://host/..kelpa-part-x"
            << "host\\"
            << ".kelpa-part-x" << 0;
        QTest::newRow("a part file's name with numbers as a folder")
            << "http://host/.kelpa-part-12/x.html" << true << true
            << "http://host/.kelpa-part-12/x.html"
            << "host\\_kelpa-part-12\\"
            << "x.html" << 1;
        QTest::newRow("the part file's name as a folder")
            << "http://host/.kelpa-part/x.html" << true << true << "http://host/.kelpa-part/x.html"
            << "host\\_kelpa-part\\"
            << "x.html" << 1;
        QTest::newRow("no scheme") << "host/x.html" << true << true << "http://host/x.html"
                                   << "host\\"
                                   << "x.html" << 0;
        QTest::newRow("no scheme, a URL in the query")
            << "host/go?to=http://o/x" << true << true << "http://host/go?to=http://o/x"
            << "host\\"
            << "go_to=http___o_x.html" << 1;
        QTest::newRow("long scheme")
            << "https://host/x.html" << true << true << "http://host/x.html"
            << "https_\\host\\"
            << "x.html" << 1;
        QTest::newRow("local path")
            << "C:\\site\\a.html" << true << true << "file://C:\\site\\a.html"
            << "C_\\site\\"
            << "a.html" << 1;
        QTest::newRow("embedded URL") << "http://host/go/http://other/x.html" << true << true
                                      << "http://host/go/http://other/x.html"
                                      << "host\\go\\http_\\other\\"
                                      << "x.html" << 0;
        QTest::newRow("percent") << "http://host/a%41b.html" << true << true
                                 << "http://host/a%41b.html"
                                 << "host\\"
                                 << "aAb.html" << 0;
        QTest::newRow("percent twice")
            << "http://host/a%2541.html" << true << true << "http://host/a%2541.html"
            << "host\\"
            << "aA.html" << 0;
        QTest::newRow("escapes spelling UTF-8")
            << "http://host/umlaut-%C3%A4.html" << true << true << "http://host/umlaut-%C3%A4.html"
            << "host\\" << QStringLiteral("umlaut-\u00E4.html") << 0;
        QTest::newRow("escape of a Latin-1 byte")
            << "http://host/%E4%20x.html" << true << true << "http://host/%E4%20x.html"
            << "host\\" << QStringLiteral("\u00E4 x.html") << 0;
        QTest::newRow("bad percent") << "http://host/a%zz" << true << true << "http://host/a%zz"
                                     << "host\\"
                                     << "a_zz.html" << 1;
        QTest::newRow("blank file part") << "http://host/%20" << true << true << "http://host/%20"
                                         << "host\\"
                                         << "unknown.html" << 0;
        QTest::newRow("dot step") << "http://host/./a.html" << true << true
                                  << "http://host/./a.html"
                                  << "host\\"
                                  << "a.html" << 0;
        QTest::newRow("trailing parent")
            << "http://host/a/b/.." << true << true << "http://host/a/b/.."
            << "host\\a\\"
            << "index.html" << 0;
        QTest::newRow("reserved characters")
            << "http://host/a*b|c.html" << true << true << "http://host/a*b|c.html"
            << "host\\"
            << "a_b_c.html" << 1;
        QTest::newRow("double slash")
            << "http://host//a.html" << true << true << "http://host//a.html"
            << "host\\"
            << "a.html" << 1;
        QTest::newRow("leading dot")
            << "http://host/.profile" << true << true << "http://host/.profile"
            << "host\\"
            << "profile.html" << 0;
        QTest::newRow("short jpeg")
            << "http://host/picture.jpeg" << false << false << "http://host/picture.jpeg"
            << ""
            << "picture.jpg" << 0;
        QTest::newRow("short shtml")
            << "http://host/a.b.c.shtml" << false << false << "http://host/a.b.c.shtml"
            << ""
            << "a_b_c.htm" << 0;
        QTest::newRow("short long name")
            << "http://host/verylongname.html" << false << false << "http://host/verylongname.html"
            << ""
            << "verylong.htm" << 0;
        QTest::newRow("short plus")
            << "http://host/a+b.gif" << true << false << "http://host/a+b.gif"
            << "host\\"
            << "a_b.gif" << 0;
        QTest::newRow("long plus") << "http://host/a+b.gif" << true << true << "http://host/a+b.gif"
                                   << "host\\"
                                   << "a+b.gif" << 0;
    }

    void names()
    {
        QFETCH(QString, link);
        QFETCH(bool, sub);
        QFETCH(bool, longNames);
        QFETCH(QString, newLink);
        QFETCH(QString, directory);
        QFETCH(QString, file);
        QFETCH(int, altered);
        const naming::Result result = Name(link, sub, longNames);
        QCOMPARE(result.link, newLink);
        if (sub)
            QCOMPARE(result.fileDirectory, directory);
        QCOMPARE(result.fileName, file);
        QCOMPARE(result.localFileName, Dl + (sub ? directory : QString()) + file);
        QCOMPARE(int(result.nameAltered), altered);
    }

    void linkShownOnlyWhenItChanged()
    {
        QVERIFY(!Name(QStringLiteral("http://host/x.html"), true, true).showLink);
        QVERIFY(Name(QStringLiteral("host/x.html"), true, true).showLink);
        QVERIFY(Name(QStringLiteral("http://host"), true, true).showLink);
        QVERIFY(!Name(QStringLiteral("http://host/"), true, true).showLink);
    }

    // Only the directory; the link keeps its text but a bare host's "/", and
    // an alteration flag already raised stays raised.
    void subDirOnly()
    {
        naming::Input input;
        input.link = QStringLiteral("http://host");
        input.mode = naming::ModeOf(QStringLiteral("NurSubDir"));
        input.nameAltered = 1;
        const naming::Result result = naming::LocalName(input);
        QCOMPARE(result.link, QStringLiteral("http://host/"));
        QCOMPARE(result.fileDirectory, QStringLiteral("host\\"));
        QVERIFY(result.fileName.isEmpty());
        QVERIFY(result.localFileName.isEmpty());
        QCOMPARE(int(result.nameAltered), 1);
        QCOMPARE(naming::ModeOf(QStringLiteral("InlineNamen")), naming::Mode::Inline);
        QCOMPARE(naming::ModeOf(QString()), naming::Mode::Fetch);
    }

    void staysInside_data()
    {
        QTest::addColumn<QString>("link");
        const QString longPart(300, QLatin1Char('a'));
        const QString wide(200, QChar(0x00e4));
        QTest::newRow("host ..") << "http://../x";
        QTest::newRow("host encoded ..") << "http://%2e%2e/x";
        QTest::newRow("host .") << "http://./x.html";
        QTest::newRow("encoded parent dir") << "http://host/%2E%2e/";
        QTest::newRow("encoded slashes") << "http://host/..%2f..%2fetc/passwd";
        QTest::newRow("all encoded") << "http://host/%2e%2e%2f%2e%2e%2fx";
        QTest::newRow("parent above host") << "http://host/../../x.html";
        QTest::newRow("backslash steps") << "http://host/a\\..\\..\\x.html";
        QTest::newRow("encoded backslash steps") << "http://host/a/%2e%2e%5c%2e%2e%5cx";
        QTest::newRow("backslash host") << "http://host\\..\\..\\x";
        QTest::newRow("bare dots") << "..\\..\\x.html";
        QTest::newRow("file parent") << "C:\\..\\..\\x";
        QTest::newRow("file root") << "file:///etc/passwd";
        QTest::newRow("network path") << "\\\\server\\share\\x";
        QTest::newRow("three dots") << "http://host/...";
        QTest::newRow("dot name") << "http://host/%2e";
        QTest::newRow("dot dot name") << "http://host/x/..%00";
        QTest::newRow("nul") << "http://host/a%00b.html";
        QTest::newRow("line ends") << "http://host/a%0d%0ab.html";
        QTest::newRow("raw tab") << "http://host/a\tb.html";
        QTest::newRow("drive C") << "http://host/C:/x.html";
        QTest::newRow("drive Z") << "http://host/Z:\\tmp\\x";
        QTest::newRow("long component") << "http://host/" + longPart + "/" + longPart + ".html";
        QTest::newRow("long host") << "http://" + longPart;
        QTest::newRow("wide component") << "http://host/" + wide + ".html";
        QTest::newRow("long extension") << "http://host/x." + longPart;
        QTest::newRow("empty") << "";
    }

    void staysInside()
    {
        QFETCH(QString, link);
        const QString root = QDir::cleanPath(platform::ToLinuxPath(Dl));
        for (const bool sub : {true, false}) {
            for (const bool longNames : {true, false}) {
                const naming::Result result = Name(link, sub, longNames);
                const QString where = QStringLiteral("%1 sub %2 long %3")
                                          .arg(result.localFileName)
                                          .arg(sub)
                                          .arg(longNames);
                QVERIFY2(result.localFileName.startsWith(Dl), qPrintable(where));
                const QString relative = result.localFileName.mid(Dl.size());
                const QStringList parts = relative.split(QLatin1Char('\\'));
                for (const QString& part : parts) {
                    QVERIFY2(!part.isEmpty() && part != QLatin1String(".") &&
                                 part != QLatin1String(".."),
                             qPrintable(where));
                    QVERIFY2(part.toUtf8().size() <= naming::MaxComponentBytes, qPrintable(where));
                    QVERIFY2(!part.contains(QLatin1Char('/')), qPrintable(where));
                    for (const QChar c : part)
                        QVERIFY2(c.unicode() >= 0x20 && c.unicode() != 0x7F, qPrintable(where));
                }
                const QString resolved =
                    QDir::cleanPath(platform::ToLinuxPath(result.localFileName));
                QVERIFY2(resolved.startsWith(root + QLatin1Char('/')), qPrintable(where));
                QCOMPARE(resolved.count(QLatin1Char('/')) - root.count(QLatin1Char('/')),
                         parts.size());
            }
        }
    }

    void hostileNamesAreMarkedAltered()
    {
        const naming::Result nul = Name(QStringLiteral("http://host/a%00b.html"), true, true);
        QCOMPARE(nul.fileName, QStringLiteral("a_b.html"));
        QCOMPARE(int(nul.nameAltered), 1);
        const naming::Result up = Name(QStringLiteral("http://../x"), true, true);
        QCOMPARE(up.fileDirectory, QStringLiteral("_\\"));
        QCOMPARE(int(up.nameAltered), 1);
        const naming::Result above = Name(QStringLiteral("http://host/../../x.html"), true, true);
        QCOMPARE(above.fileDirectory, QStringLiteral("host\\"));
    }

    void longNamesKeepTheirExtension()
    {
        const naming::Result result = Name(
            QStringLiteral("http://host/") + QString(300, QLatin1Char('a')) + ".html", true, true);
        QCOMPARE(result.fileName.size(), naming::MaxComponentBytes);
        QVERIFY(result.fileName.endsWith(QLatin1String("a.html")));
        QCOMPARE(int(result.nameAltered), 1);
        const QString wide = naming::FitComponent(QString(200, QChar(0x00e4)), ".html");
        QVERIFY(wide.toUtf8().size() <= naming::MaxComponentBytes);
        QVERIFY(wide.endsWith(QStringLiteral("\u00e4.html")));
    }

    void numbering_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("numbered");
        QTest::newRow("first") << "page.html" << 1 << "page(1).html";
        QTest::newRow("earlier number replaced") << "page(1).html" << 2 << "page(2).html";
        QTest::newRow("no extension") << "readme" << 1 << "readme(1).html";
        QTest::newRow("last dot") << "a.tar.gz" << 3 << "a.tar(3).gz";
        QTest::newRow("long suffix kept") << "ab(1234).html" << 1 << "ab(1234)(1).html";
        QTest::newRow("short suffix cut") << "ab(123).html" << 1 << "ab(1).html";
        QTest::newRow("too short to be a suffix") << "(1).html" << 1 << "(1)(1).html";
        QTest::newRow("paren at start") << "(12)x.html" << 1 << "(12)x(1).html";
        QTest::newRow("last paren") << "a(b)(1).htm" << 1 << "a(b)(1)(1).htm";
    }

    void numbering()
    {
        QFETCH(QString, fileName);
        QFETCH(int, n);
        QFETCH(QString, numbered);
        QCOMPARE(naming::NumberedName(naming::NumberingOf(fileName), n), numbered);
    }

    void shortNumbering_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("numbered");
        QTest::newRow("padded") << "index.htm" << 1 << "index__1.htm";
        QTest::newRow("two digits") << "abc.gif" << 10 << "abc___10.gif";
        QTest::newRow("no extension") << "abc" << 2 << "abc____2.htm";
        QTest::newRow("first dot") << "a.b.c" << 1 << "a______1.b.c";
        QTest::newRow("full eight") << "verylong.htm" << 123 << "veryl123.htm";
        QTest::newRow("full path") << "C:\\dl\\index.htm" << 1 << "index__1.htm";
    }

    void shortNumbering()
    {
        QFETCH(QString, fileName);
        QFETCH(int, n);
        QFETCH(QString, numbered);
        QCOMPARE(naming::ShortNumberedName(naming::ShortNumberingOf(fileName, Dl), n), numbered);
    }

    void numberedNamesFitAComponent()
    {
        const QString full = QString(251, QLatin1Char('a')) + QStringLiteral(".html");
        const QString numbered = naming::NumberedName(naming::NumberingOf(full), 32767);
        QCOMPARE(numbered.toUtf8().size(), naming::MaxComponentBytes);
        QVERIFY(numbered.endsWith(QLatin1String("(32767).html")));
    }
};

KELPA_TEST_MAIN(TestNaming)
#include "test_naming.moc"
