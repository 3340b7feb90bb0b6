// Cutting a link's value out of its tag, and writing the local reference back
// over exactly the bytes of the value.

#include "tests/support/TestMain.h"
#include "transfer/LinkValue.h"

#include <QTest>

using transfer::CutLinkValue;

class TestLinksValue : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cut_data()
    {
        QTest::addColumn<QByteArray>("tag");
        QTest::addColumn<QByteArray>("attribute"); // FoundPos is its position
        QTest::addColumn<QByteArray>("text");      // LinkText
        QTest::addColumn<QString>("link");

        QTest::newRow("double quotes") << QByteArray("<a href=\"x.html\" title=\"t\">")
                                       << QByteArray("href") << QByteArray("x.html") << "x.html";
        QTest::newRow("single quotes") << QByteArray("<a href='x.html' title='t'>")
                                       << QByteArray("href") << QByteArray("x.html") << "x.html";
        QTest::newRow("unquoted, blank ends it")
            << QByteArray("<img src=pics/a.gif width=3>") << QByteArray("src")
            << QByteArray("pics/a.gif") << "pics/a.gif";
        QTest::newRow("blanks around the =")
            << QByteArray("<a href = \"x.html\" >") << QByteArray("href") << QByteArray("x.html")
            << "x.html";
        QTest::newRow("escaped quotes") << QByteArray("<a href=\\\"p.html\\\">")
                                        << QByteArray("href") << QByteArray("p.html") << "p.html";
        QTest::newRow("unclosed quote before ALT=")
            << QByteArray("<img src=\"a.gif ALT=\"pic\">") << QByteArray("src")
            << QByteArray("a.gif") << "a.gif";
        QTest::newRow("fragment kept in the text")
            << QByteArray("<a href=\"page.html#top\">") << QByteArray("href")
            << QByteArray("page.html#top") << "page.html";
        QTest::newRow("fragment alone")
            << QByteArray("<a href=\"#top\">") << QByteArray("href") << QByteArray("#top") << "";
        QTest::newRow("leading ./") << QByteArray("<a href=\"./d/x.html\">") << QByteArray("href")
                                    << QByteArray("./d/x.html") << "d/x.html";
        QTest::newRow("line break inside")
            << QByteArray("<a href=\"\n x.html\">") << QByteArray("href") << QByteArray("x.html")
            << "x.html";
        QTest::newRow("no =") << QByteArray("<a href>") << QByteArray("href") << QByteArray() << "";
        QTest::newRow("= before the attribute only")
            << QByteArray("<a x=1 href>") << QByteArray("href") << QByteArray() << "";
        QTest::newRow("meta refresh")
            << QByteArray("<meta content=\"0; url=next.html\">") << QByteArray("url")
            << QByteArray("next.html") << "next.html";
        QTest::newRow("UTF-8 value")
            << QByteArray("<a href=\"\xC3\xA4.html\">") << QByteArray("href")
            << QByteArray("\xC3\xA4.html") << "\u00e4.html";
        QTest::newRow("Latin-1 value") << QByteArray("<a href=\"\xE4.html\">") << QByteArray("href")
                                       << QByteArray("\xE4.html") << "\u00e4.html";
        QTest::newRow("decimal reference")
            << QByteArray("<a href=\"leaf&#45;dup.html\">") << QByteArray("href")
            << QByteArray("leaf&#45;dup.html") << "leaf-dup.html";
        QTest::newRow("hexadecimal reference, fragment")
            << QByteArray("<a href=\"leaf&#X2d;dup.html#s\">") << QByteArray("href")
            << QByteArray("leaf&#X2d;dup.html#s") << "leaf-dup.html";
        QTest::newRow("reference that reads as #")
            << QByteArray("<a href=\"a.html&#35;s\">") << QByteArray("href")
            << QByteArray("a.html&#35;s") << "a.html";
        QTest::newRow("query with &amp;")
            << QByteArray("<a href=\"q.html?x=1&amp;y=2\">") << QByteArray("href")
            << QByteArray("q.html?x=1&amp;y=2") << "q.html?x=1&y=2";
        QTest::newRow("named references")
            << QByteArray("<a href=\"q?a=&quot&lt;&GT;&apos;&nbsp;&auml;&szlig;\">")
            << QByteArray("href") << QByteArray("q?a=&quot&lt;&GT;&apos;&nbsp;&auml;&szlig;")
            << "q?a=\"<>'\u00a0\u00e4\u00df";
        QTest::newRow("name before = or a letter, unknown name, apos without ;")
            << QByteArray("<a href=\"q?x=1&copy=2&ampy=3&bogus;&apos\">") << QByteArray("href")
            << QByteArray("q?x=1&copy=2&ampy=3&bogus;&apos") << "q?x=1&copy=2&ampy=3&bogus;&apos";
        // "&#" without digits is no reference: its "#" begins the fragment.
        QTest::newRow("numbers out of range, no digits")
            << QByteArray("<a href=\"a&#0;b&#x110000;c&#xD800;&#;&#x;\">") << QByteArray("href")
            << QByteArray("a&#0;b&#x110000;c&#xD800;&#;&#x;") << "a\ufffdb\ufffdc\ufffd&";
        QTest::newRow("tab and line break references dropped")
            << QByteArray("<a href=\"a&#10;b&#13;&#x0A;c&Tab;&#9;.html\">") << QByteArray("href")
            << QByteArray("a&#10;b&#13;&#x0A;c&Tab;&#9;.html") << "abc&Tab;.html";
        QTest::newRow("reference in a Latin-1 value")
            << QByteArray("<a href=\"\xE4&amp;\xF6.html\">") << QByteArray("href")
            << QByteArray("\xE4&amp;\xF6.html") << "\u00e4&\u00f6.html";
        const QByteArray data = "data:image/png;base64," + QByteArray(100000, 'A');
        QTest::newRow("100 KB data URI") << QByteArray("<img src=\"" + data + "\">")
                                         << QByteArray("src") << data << QString::fromLatin1(data);
    }

    void cut()
    {
        QFETCH(QByteArray, tag);
        QFETCH(QByteArray, attribute);
        QFETCH(QByteArray, text);
        QFETCH(QString, link);
        const qsizetype foundPos = tag.indexOf(attribute) + 1;
        const transfer::LinkValue value = CutLinkValue(tag, foundPos);
        QCOMPARE(value.text, text);
        QCOMPARE(value.link, link);
        if (!text.isEmpty())
            QCOMPARE(tag.mid(value.from, text.size()), text);
    }

    void rewrittenWithSubDirectories_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("absolute") << QByteArray("HTTP://h/x.html") << true;
        QTest::newRow("root") << QByteArray("/pics/a.gif") << true;
        QTest::newRow("dot") << QByteArray("./a.html") << true;
        QTest::newRow("climb") << QByteArray("../a.html") << true;
        QTest::newRow("query") << QByteArray("cgi?p") << true;
        QTest::newRow("equals") << QByteArray("x=1") << true;
        QTest::newRow("plain relative") << QByteArray("pics/a.gif") << false;
        QTest::newRow("other scheme") << QByteArray("https://h/x") << false;
    }

    void rewrittenWithSubDirectories()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, rewritten);
        QCOMPARE(transfer::RewrittenWithSubDirectories(text), rewritten);
    }

    void reference_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("reference");
        QTest::newRow("plain") << "a.html" << QByteArray("a.html") << QByteArray("a.html");
        QTest::newRow("fragment as written")
            << "page.html" << QByteArray("page.html#Top") << QByteArray("page.html#Top");
        QTest::newRow("backslashes kept")
            << "..\\h\\d\\x.html" << QByteArray("/d/x.html") << QByteArray("..\\h\\d\\x.html");
        QTest::newRow("blank, quote and percent encoded")
            << "my 'file' 100%.html" << QByteArray("x")
            << QByteArray("my%20%27file%27%20100%25.html");
        QTest::newRow("UTF-8") << "\u00e4.html" << QByteArray("x") << QByteArray("\xC3\xA4.html");
        QTest::newRow("fragment after a reference")
            << "leaf-dup.html" << QByteArray("leaf&#45;dup.html#s")
            << QByteArray("leaf-dup.html#s");
        QTest::newRow("fragment begun by a reference")
            << "a.html" << QByteArray("a.html&#35;s") << QByteArray("a.html&#35;s");
        QTest::newRow("ampersand as an entity")
            << "q_x=1&y=2.html" << QByteArray("q?x=1&y=2") << QByteArray("q_x=1&amp;y=2.html");
    }

    void reference()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, reference);
        QCOMPARE(transfer::LocalReference(name, text), reference);
    }

    // Whether a link left as written names its saved file, read as a
    // browser reads it.
    void namesSavedFile_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<bool>("names");
        QTest::newRow("same") << QByteArray("pics/a.gif") << "pics\\a.gif" << true;
        QTest::newRow("fragment") << QByteArray("a.html#top") << "a.html" << true;
        QTest::newRow("backslashes") << QByteArray("pics\\a.gif") << "pics\\a.gif" << true;
        QTest::newRow("percent-encoded UTF-8")
            << QByteArray("umlaut-%C3%A4.html") << QStringLiteral("umlaut-\u00e4.html") << true;
        QTest::newRow("numbered") << QByteArray("a.html") << "a(1).html" << false;
        QTest::newRow("directory") << QByteArray("sub/") << "sub\\index.html" << false;
        QTest::newRow("entity") << QByteArray("a&amp;b.html") << "a&amp;b.html" << false;
        QTest::newRow("case counts") << QByteArray("A.html") << "a.html" << false;
        // A browser reads an escaped separator as part of the file's name.
        QTest::newRow("escaped slash") << QByteArray("sub%2Fa.html") << "sub\\a.html" << false;
        QTest::newRow("escaped backslash") << QByteArray("sub%5ca.html") << "sub\\a.html" << false;
    }

    void namesSavedFile()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, saved);
        QFETCH(bool, names);
        QCOMPARE(transfer::NamesSavedFile(text, saved), names);
    }

    void unfetchedScheme_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<bool>("unfetched");
        QTest::newRow("script") << "javascript:void(0)" << true;
        QTest::newRow("script, upper case") << "JavaScript:go()" << true;
        QTest::newRow("data") << "data:image/png;base64,AA" << true;
        QTest::newRow("telephone") << "tel:+49" << true;
        QTest::newRow("http") << "http://h/x" << false;
        QTest::newRow("file") << "file:///Z|/x" << false;
        QTest::newRow("drive") << "c:\\x.html" << false;
        QTest::newRow("relative with a colon") << "a/b:c.html" << false;
        QTest::newRow("digit first") << "1x:y" << false;
        QTest::newRow("plain") << "x.html" << false;
    }

    void unfetchedScheme()
    {
        QFETCH(QString, link);
        QFETCH(bool, unfetched);
        QCOMPARE(transfer::UnfetchedScheme(link), unfetched);
    }

    void replace()
    {
        QByteArray tag = "<a title=\"x.html\" href=\"x.html\">";
        QVERIFY(transfer::ReplaceLinkText(tag, tag.indexOf("href"), "x.html", "y.html"));
        QCOMPARE(tag, QByteArray("<a title=\"x.html\" href=\"y.html\">"));
        QVERIFY(!transfer::ReplaceLinkText(tag, 0, "z.html", "y.html"));
        QCOMPARE(tag, QByteArray("<a title=\"x.html\" href=\"y.html\">"));
    }
};

KELPA_TEST_MAIN(TestLinksValue)
#include "test_links_value.moc"
