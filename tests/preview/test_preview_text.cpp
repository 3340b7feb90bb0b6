// The text preview's rules: HTML names, markup removed from a line, the
// lines read of a file (limits, decoding, "..."), the kind of preview a file
// gets, and the pace of repeated work.

#include "preview/PreviewContent.h"
#include "preview/PreviewPace.h"
#include "preview/PreviewText.h"
#include "tests/support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace preview;

Q_DECLARE_METATYPE(preview::Content)

namespace {

QString Write(const QString& name, const QByteArray& bytes)
{
    const QString path = QDir::current().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

QStringList Listed(const QString& path, bool html, int stopAfter = -1)
{
    QStringList lines;
    int handled = 0;
    TextSteps steps;
    steps.afterLine = [&] { return stopAfter < 0 || ++handled < stopAfter; };
    steps.add = [&](const QString& line) { lines.append(line); };
    if (!ReadTextLines(path, html, steps))
        return {QStringLiteral("<not opened>")};
    return lines;
}

QByteArray Lines(int count, const QByteArray& prefix)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += prefix + QByteArray::number(n) + "\r\n";
    return bytes;
}

} // namespace

class TestPreviewText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void htmlName_data();
    void htmlName();
    void markup_data();
    void markup();
    void listed_data();
    void listed();
    void htmlText_data();
    void htmlText();
    void stopsWhenAsked();
    void missingFile();
    void content_data();
    void content();
    void pace();
};

void TestPreviewText::htmlName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("html");
    QTest::newRow(".htm") << QStringLiteral("C:\\a\\PAGE.HTM") << true;
    QTest::newRow("lower-case .html") << QStringLiteral("page.html") << true;
    QTest::newRow(".shtml") << QStringLiteral("page.shtml") << true;
    QTest::newRow(".asp") << QStringLiteral("x.asp") << true;
    QTest::newRow(".php") << QStringLiteral("x.Php") << true;
    QTest::newRow(".txt") << QStringLiteral("x.txt") << false;
    QTest::newRow(".htmx") << QStringLiteral("x.htmx") << false;
}

void TestPreviewText::htmlName()
{
    QFETCH(QString, name);
    QTEST(IsHtmlName(name), "html");
}

void TestPreviewText::markup_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("text");
    QTest::newRow("paragraph with an entity")
        << QStringLiteral("<p>Hello &amp; welcome</p>") << QStringLiteral("Hello  welcome");
    QTest::newRow("lone '>' keeps what follows")
        << QStringLiteral("end of tag\">after") << QStringLiteral("after");
    QTest::newRow("lone '<' keeps what precedes")
        << QStringLiteral("before<a href") << QStringLiteral("before");
    QTest::newRow("only tags") << QStringLiteral("<td><b></b></td>") << QString();
    QTest::newRow("'>' before '<'") << QStringLiteral("a>b<c") << QStringLiteral("b");
    QTest::newRow("';' before '&'") << QStringLiteral("x; y &lt; z") << QStringLiteral("x; y  z");
    QTest::newRow("two entities") << QStringLiteral("&lt;b&gt;") << QStringLiteral("b");
    QTest::newRow("no markup") << QStringLiteral("  plain  ") << QStringLiteral("  plain  ");
}

void TestPreviewText::markup()
{
    QFETCH(QString, line);
    QTEST(WithoutEntities(WithoutTags(line)), "text");
}

void TestPreviewText::listed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("html");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("html page") << QByteArray("<html>\r\n<p>Hello &amp; welcome</p>\r\n\r\n"
                                             "<b>bye</b>\n")
                               << true << 2 << QStringLiteral("Hello  welcome")
                               << QStringLiteral("bye");
    QTest::newRow("plain text keeps empty lines")
        << QByteArray("one\r\n\r\n<b>three</b>") << false << 3 << QStringLiteral("one")
        << QStringLiteral("<b>three</b>");
    QTest::newRow("300 lines") << Lines(300, "line ") << false << 102 << QStringLiteral("line 1")
                               << QStringLiteral("...");
    QTest::newRow("101 lines") << Lines(101, "line ") << false << 102 << QStringLiteral("line 1")
                               << QStringLiteral("...");
    QTest::newRow("100 lines") << Lines(100, "line ") << false << 100 << QStringLiteral("line 1")
                               << QStringLiteral("line 100");
    QTest::newRow("300 html lines, half blank")
        << Lines(300, "<br>") << true << 102 << QStringLiteral("1") << QStringLiteral("...");
    QTest::newRow("line ends CR, LF, CR LF")
        << QByteArray("a\rb\nc\r\nd") << false << 4 << QStringLiteral("a") << QStringLiteral("d");
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9\r\nna\xefve") << false << 2
                                  << QStringLiteral("café") << QStringLiteral("naïve");
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9") << false << 1 << QStringLiteral("café")
                           << QStringLiteral("café");
    // A minified page of 1 MB on one line: its first 64 KiB are listed.
    QTest::newRow("1 MB page on one line")
        << QByteArray("<p>") + QByteArray(1000 * 1000, 'w') + "</p>" << true << 1
        << QString(64 * 1024 - 3, QLatin1Char('w')) << QString(64 * 1024 - 3, QLatin1Char('w'));
    // Binary data without a line break: one cut line, the rest of the file
    // unread after 1 MiB.
    QTest::newRow("binary without line breaks")
        << QByteArray(2 * 1024 * 1024, '\x01') + "\nSECOND\n"
        << false << 1 << QString(64 * 1024, QChar(1)) << QString(64 * 1024, QChar(1));
    QTest::newRow("overlong UTF-8 line is cut between characters")
        << QByteArray("a") + QByteArray(40000, 'x').replace("x", "\xc3\xa9") + "\nnext" << false
        << 2 << QStringLiteral("a") + QString(32767, QChar(0xe9)) << QStringLiteral("next");
}

void TestPreviewText::listed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, html);
    const QStringList lines = Listed(Write(QStringLiteral("listed.txt"), bytes), html);
    QTEST(int(lines.size()), "count");
    QTEST(lines.value(0), "first");
    QTEST(lines.value(lines.size() - 1), "last");
}

// A page as text: the lines a browser would break, without style sheets
// and scripts.
void TestPreviewText::htmlText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("blocks on one line")
        << QByteArray("<h1>About us</h1><p>Founded in 1990.</p><p>Welcome!</p>")
        << QStringList{"About us", "Founded in 1990.", "Welcome!"};
    QTest::newRow("line breaks and list items")
        << QByteArray("one<br>two<BR/>three<ul><li>a</li><li class=\"x\">b</li></ul>")
        << QStringList{"one", "two", "three", "a", "b"};
    QTest::newRow("table cells") << QByteArray("<tr><td>Name</td><td>Value</td></tr>")
                                 << QStringList{"Name", "Value"};
    QTest::newRow("inline elements run on")
        << QByteArray("<p>a <b>bold</b> <a href=\"x.html\">link</a> &amp; more</p>")
        << QStringList{"a bold link  more"};
    QTest::newRow("title and heading")
        << QByteArray("<html><head><title>Home</title></head><body><h1>Welcome</h1>")
        << QStringList{"Home", "Welcome"};
    QTest::newRow("style on one line")
        << QByteArray("<style>body { color: red; }</style><p>text</p>") << QStringList{"text"};
    QTest::newRow("script over lines")
        << QByteArray("<p>before</p>\n<script type=\"text/javascript\">\nvar a = 1 < 2;\n"
                      "document.write('<p>x</p>');\n</script>after\n")
        << QStringList{"before", "after"};
    QTest::newRow("script tag over lines")
        << QByteArray("before<script\nsrc=\"x.js\">code</SCRIPT >after")
        << QStringList{"before", "after"};
    QTest::newRow("end tag over lines")
        << QByteArray("<style>p{}</style\n>after") << QStringList{"after"};
    QTest::newRow("names that begin alike")
        << QByteArray("<scripts>kept</scripts><pre>x</pre><progress>y</progress>")
        << QStringList{"kept", "x", "y"};
}

void TestPreviewText::htmlText()
{
    QFETCH(QByteArray, bytes);
    QTEST(Listed(Write(QStringLiteral("page.html"), bytes), true), "lines");
}

// The caller's stop (an abort during a run, a newer preview) ends the
// reading at once, without "...".
void TestPreviewText::stopsWhenAsked()
{
    const QString path = Write(QStringLiteral("stop.txt"), Lines(300, "line "));
    QCOMPARE(Listed(path, false, 1), QStringList{QStringLiteral("line 1")});
    QCOMPARE(Listed(path, false, 3).size(), 3);
}

void TestPreviewText::missingFile()
{
    QCOMPARE(Listed(QDir::current().filePath(QStringLiteral("none.txt")), false),
             QStringList{QStringLiteral("<not opened>")});
}

void TestPreviewText::content_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<preview::Content>("content");
    QTest::newRow("PNG under any name")
        << QStringLiteral("x.bin") << QByteArray("\x89PNG\r\n\x1a\n\0\0", 10) << Content::Picture;
    QTest::newRow("JPEG") << QStringLiteral("x") << QByteArray("\xFF\xD8\xFF\xE0")
                          << Content::Picture;
    QTest::newRow("GIF") << QStringLiteral("x.dat") << QByteArray("GIF89a..") << Content::Picture;
    QTest::newRow("BMP") << QStringLiteral("x") << QByteArray("BM") + QByteArray(14, '\0')
                         << Content::Picture;
    QTest::newRow("PPM") << QStringLiteral("x") << QByteArray("P6\n3 2\n255\n") << Content::Picture;
    QTest::newRow("XPM") << QStringLiteral("x") << QByteArray("/* XPM */\nstatic")
                         << Content::Picture;
    QTest::newRow("icon") << QStringLiteral("favicon") << QByteArray("\0\0\1\0\1\0", 6)
                          << Content::Picture;
    QTest::newRow("corrupt picture by name")
        << QStringLiteral("logo.GIF") << QByteArray("junk") << Content::Picture;
    QTest::newRow("html by name") << QStringLiteral("a.htm") << QByteArray("GIF89a")
                                  << Content::Html;
    QTest::newRow("text by name") << QStringLiteral("readme.TXT") << QByteArray("x")
                                  << Content::Text;
    QTest::newRow("style sheet") << QStringLiteral("site.css") << QByteArray("x") << Content::Text;
    QTest::newRow("anything else")
        << QStringLiteral("setup.exe") << QByteArray("MZ\x90\0", 4) << Content::None;
    QTest::newRow("a dot in the folder only")
        << QStringLiteral("C:\\a.txt\\file") << QByteArray("x") << Content::None;
}

void TestPreviewText::content()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, head);
    QTEST(ContentOf(name, head), "content");
}

void TestPreviewText::pace()
{
    Pace pace(250);
    QVERIFY(pace.Take(1000));
    QVERIFY(!pace.Take(1100));
    QCOMPARE(pace.Wait(1100), qint64(150));
    QVERIFY(!pace.Take(1249));
    QVERIFY(pace.Take(1250));
    QCOMPARE(pace.Wait(1250), qint64(250));
    QVERIFY(pace.Take(5000));
}

KELPA_TEST_MAIN(TestPreviewText)
#include "test_preview_text.moc"
