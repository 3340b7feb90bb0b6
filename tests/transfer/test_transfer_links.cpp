// The link search: the tag table, the page decision, the base tag and the
// search of a page while it arrives in blocks.

#include "main/Kelpa.h"
#include "tests/support/TestMain.h"
#include "transfer/LinkSearch.h"
#include "transfer/OnlineSearch.h"
#include "transfer/ResponseHeader.h"
#include "transfer/UrlSplit.h"

#include <QStringEncoder>

using namespace transfer;

namespace {

// Runs a page through OnlineSearch in the given blocks; the link handler
// turns "http://h/" into "L/" and every call is recorded.
struct SearchRun {
    QByteArray written;
    QByteArrayList tags; // as found, before rewriting
    QStringList bases;

    SearchRun(const QByteArrayList& blocks, OnlineSearch::Options options)
    {
        OnlineSearch search(
            std::move(options),
            [this](QByteArray& tag, const LinkMatch& match) {
                tags << tag + ' ' + QByteArray::number(match.foundPos) +
                            (match.imageLink ? " image" : "") +
                            (match.metaRefresh ? " refresh" : "");
                tag.replace("http://h/", "L/");
            },
            [this](const QString& href) { bases << href; });
        for (const QByteArray& block : blocks)
            written += search.Add(block);
        written += search.Finish();
    }
};

// mark followed by text in UTF-16, little-endian after "\xFF\xFE".
QByteArray Utf16(const QByteArray& mark, const QByteArray& text)
{
    QStringEncoder encoder(mark == "\xFF\xFE" ? QStringConverter::Utf16LE
                                              : QStringConverter::Utf16BE);
    return mark + QByteArray(encoder.encode(QString::fromLatin1(text)));
}

OnlineSearch::Options AllRows()
{
    return {{true, true, false, true}, true, {}};
}

const QByteArray Page = "<html><head><base href=\"http://h/d/\"><title>Title</title>\n"
                        "<meta http-equiv=\"refresh\" content=\"5; URL=http://h/next.html\">"
                        "</head><body background=\"bg.gif\">Text with > sign"
                        "<img src=\"http://h/i.gif\" alt=\"i\">\n"
                        "<a href=\"http://h/a.html\">A</a><A HREF='/b.html'>B</A>"
                        "<frame src=\"http://h/f.html\"><p>short</p></body></html>rest <a href";

} // namespace

class TestTransferLinks : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findLink_data();
    void findLink();
    void decidePage_data();
    void decidePage();
    void pageStartUndecided_data();
    void pageStartUndecided();
    void lastLevel();
    void statusLine_data();
    void statusLine();
    void baseTag_data();
    void baseTag();
    void wholePage();
    void tagSplitAtEveryPosition();
    void longDataUri();
    void headLine_data();
    void headLine();
    void unchangedPage();
};

void TestTransferLinks::findLink_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QString>("rules"); // letters: a applets, i images, o images only, m meta
    QTest::addColumn<int>("foundPos");
    QTest::addColumn<bool>("image");
    QTest::addColumn<bool>("refresh");

    QTest::newRow("applet") << QByteArray("<applet code=\"x.class\">") << "a" << 9 << false
                            << false;
    QTest::newRow("applet off") << QByteArray("<applet code=\"x.class\">") << "" << 0 << false
                                << false;
    QTest::newRow("body background")
        << QByteArray("<body background=\"b.gif\">") << "i" << 7 << true << false;
    QTest::newRow("body background, no images")
        << QByteArray("<body background=\"b.gif\">") << "" << 0 << false << false;
    QTest::newRow("image, upper case")
        << QByteArray("<IMG SRC=\"a.gif\">") << "i" << 6 << true << false;
    QTest::newRow("image, no images")
        << QByteArray("<img src=\"a.gif\">") << "" << 0 << false << false;
    QTest::newRow("anchor") << QByteArray("x <A hRef=\"p.html\">") << "" << 6 << false << false;
    QTest::newRow("area by the anchor row")
        << QByteArray("<area shape=rect href=\"m.html\">") << "" << 18 << false << false;
    QTest::newRow("embed") << QByteArray("<embed src=\"s.swf\">") << "" << 8 << false << false;
    QTest::newRow("frame") << QByteArray("<frame src=\"f.html\">") << "" << 8 << false << false;
    QTest::newRow("iframe") << QByteArray("<iframe src=\"f.html\">") << "" << 9 << false << false;
    QTest::newRow("form") << QByteArray("<form action=\"/cgi\">") << "" << 7 << false << false;
    QTest::newRow("bgsound") << QByteArray("<bgsound src=\"s.wav\">") << "" << 10 << false << false;
    QTest::newRow("input") << QByteArray("<input href=\"i.html\">") << "" << 8 << false << false;
    QTest::newRow("option") << QByteArray("<option value=\"o.html\">") << "" << 9 << false << false;
    QTest::newRow("ref") << QByteArray("<ref href=\"r.html\">") << "" << 6 << false << false;
    QTest::newRow("meta refresh") << QByteArray("<meta http-equiv=refresh content=\"0; URL=n\">")
                                  << "m" << 38 << false << true;
    QTest::newRow("meta refresh refused")
        << QByteArray("<meta content=\"0; url=n\">") << "" << 0 << false << false;
    QTest::newRow("images only: no anchor")
        << QByteArray("<a href=\"p.html\">") << "io" << 0 << false << false;
    QTest::newRow("images only: image")
        << QByteArray("<img src=\"a.gif\">") << "io" << 6 << true << false;
    QTest::newRow("no link") << QByteArray("<p class=\"x\">") << "aim" << 0 << false << false;
    QTest::newRow("name after a later <")
        << QByteArray("<div title=\"<A\" href=\"p.html\">") << "" << 17 << false << false;
    QTest::newRow("name cut by the tag's end")
        << QByteArray("x href <ifram") << "" << 0 << false << false;
}

void TestTransferLinks::findLink()
{
    QFETCH(QByteArray, tag);
    QFETCH(QString, rules);
    const LinkRules chosen{rules.contains('a'), rules.contains('i'), rules.contains('o'),
                           rules.contains('m')};
    const LinkMatch match = FindLink(tag, chosen);
    QTEST(int(match.foundPos), "foundPos");
    QTEST(match.imageLink, "image");
    QTEST(match.metaRefresh, "refresh");
}

void TestTransferLinks::decidePage_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("pageState");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QByteArray>("type"); // the Content-Type value; null: no such field

    QTest::newRow("html") << QByteArray("<!DOCTYPE html><html>") << 200 << 1 << 0 << QByteArray();
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    const QByteArray doctype = "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\n"
                               " \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n";
    QTest::newRow("xhtml") << declaration + doctype +
                                  "<html xmlns=\"http://www.w3.org/1999/xhtml\">"
                           << 200 << 1 << 0 << QByteArray();
    QTest::newRow("xhtml after a byte order mark")
        << "\xEF\xBB\xBF" + declaration + "<html>" << 200 << 1 << 0 << QByteArray();
    QTest::newRow("xhtml: comments, instructions, subset, upper case")
        << declaration + "<!-- a <b> -->\n<?xml-stylesheet href=\"s.xsl\"?>"
                         "<!DOCTYPE html [ <!ENTITY gt2 \">>\"> ]><HTML><a href=\"x\">"
        << 200 << 1 << 0 << QByteArray();
    QTest::newRow("xhtml: an apostrophe in the subset's comment")
        << declaration + "<!DOCTYPE html [ <!-- don't --> <?pi a > b?> ]><html>" << 200 << 1 << 0
        << QByteArray();
    QTest::newRow("xhtml in UTF-16")
        << Utf16("\xFF\xFE", "<?xml version=\"1.0\" encoding=\"UTF-16\"?><html>") << 200 << 1 << 0
        << QByteArray();
    QTest::newRow("xhtml without its root")
        << declaration + doctype << 200 << 2 << 0 << QByteArray();
    QTest::newRow("rss") << declaration + "<rss version=\"2.0\"><channel><link>l</link>" << 200 << 2
                         << 0 << QByteArray();
    QTest::newRow("root named like html")
        << declaration + "<htmlx><html>" << 200 << 2 << 0 << QByteArray();
    QTest::newRow("svg in UTF-16")
        << Utf16("\xFE\xFF", "<?xml version=\"1.0\"?><svg><a href=\"a\"/></svg>") << 200 << 2 << 0
        << QByteArray();
    QTest::newRow("leading white space")
        << QByteArray("\r\n \t<html>") << 200 << 1 << 0 << QByteArray();
    QTest::newRow("< at the fourth byte") << QByteArray("abc<p>") << 200 << 1 << 0 << QByteArray();
    QTest::newRow("< at the fifth byte") << QByteArray("abcd<p>") << 200 << 2 << 0 << QByteArray();
    QTest::newRow("plain text") << QByteArray("GIF89a") << 200 << 2 << 0 << QByteArray();
    QTest::newRow("Not Found page")
        << QByteArray("<html>404 Not Found") << 404 << 3 << 116 << QByteArray();
    QTest::newRow("Not Found, no status")
        << QByteArray("<html>not found") << 0 << 3 << 116 << QByteArray();
    QTest::newRow("page that speaks of not found")
        << QByteArray("<html>If a page is not found ...") << 200 << 1 << 0 << QByteArray();
    QTest::newRow("too many users")
        << QByteArray("<html>Too many users") << 0 << 4 << 117 << QByteArray();
    QTest::newRow("unavailable") << QByteArray("<h1>Service Temporarily Unavailable") << 503 << 4
                                 << 118 << QByteArray();
    QTest::newRow("status line in the block")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\ntext") << 0 << 1 << 0 << QByteArray();
    QTest::newRow("xml declaration")
        << QByteArray("<?xml version=\"1.0\"?><svg><a href=\"a\"/></svg>") << 200 << 2 << 0
        << QByteArray();
    QTest::newRow("xml declaration after white space")
        << QByteArray("\r\n<?XML version='1.0'?><feed>") << 200 << 2 << 0 << QByteArray();
    QTest::newRow("xml declaration after a byte order mark")
        << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?><svg>") << 200 << 2 << 0 << QByteArray();
    QTest::newRow("page after a byte order mark")
        << QByteArray("\xEF\xBB\xBF<html>") << 200 << 1 << 0 << QByteArray();
    QTest::newRow("processing instruction")
        << QByteArray("<?php echo 1 ?><html>") << 200 << 1 << 0 << QByteArray();

    // With a Content-Type the type alone decides.
    QTest::newRow("html type, byte order mark and blank lines")
        << QByteArray("\xEF\xBB\xBF\r\n\r\n<html>") << 200 << 1 << 0 << QByteArray("text/html");
    QTest::newRow("html type, text before the first tag")
        << QByteArray("Welcome to the site.<p>") << 200 << 1 << 0
        << QByteArray("TEXT/HTML; charset=UTF-8");
    QTest::newRow("xhtml type") << QByteArray("<?xml version=\"1.0\"?><html>") << 200 << 1 << 0
                                << QByteArray(" application/XHTML+xml;charset=utf-8 ");
    QTest::newRow("octet-stream beginning with <")
        << QByteArray("<html>") << 200 << 2 << 0 << QByteArray("application/octet-stream");
    QTest::newRow("plain text with a status line")
        << QByteArray("HTTP/1.0 200 OK\r\n<html>") << 200 << 2 << 0 << QByteArray("text/plain");
    QTest::newRow("svg without a declaration")
        << QByteArray("<svg>") << 200 << 2 << 0 << QByteArray("image/svg+xml");
    QTest::newRow("xml with the root html") << QByteArray("<?xml version=\"1.0\"?><html>") << 200
                                            << 2 << 0 << QByteArray("application/xml");
    QTest::newRow("type only beginning like html")
        << QByteArray("<html>") << 200 << 2 << 0 << QByteArray("text/html-fragment");
    QTest::newRow("html named in a parameter")
        << QByteArray("<html>") << 200 << 2 << 0 << QByteArray("text/plain; format=text/html");
    QTest::newRow("empty type: the first bytes decide")
        << QByteArray("<html>") << 200 << 1 << 0 << QByteArray("");
    QTest::newRow("html type, Not Found page")
        << QByteArray("Not Found") << 404 << 3 << 116 << QByteArray("text/html");
    QTest::newRow("plain type, Not Found text")
        << QByteArray("<html>Not Found") << 404 << 2 << 0 << QByteArray("text/plain");
}

void TestTransferLinks::decidePage()
{
    QFETCH(QByteArray, block);
    QFETCH(int, status);
    QFETCH(QByteArray, type);
    const QByteArray field = type.isNull() ? QByteArray() : "Content-Type:" + type + "\r\n";
    const QString contentType =
        ReadResponseHeader("HTTP/1.0 200 OK\r\n" + field + "\r\n").contentType;
    const PageDecision decision = DecidePage(block, status, contentType);
    QTEST(int(decision.pageState), "pageState");
    QTEST(decision.messageEntry, "entry");
    QCOMPARE(decision.errorPage, decision.pageState == 3);
    if (status == 200 && !decision.hasStatusLine && contentType.isEmpty())
        QCOMPARE(IsPageStart(block), decision.pageState == 1);
}

void TestTransferLinks::pageStartUndecided_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<bool>("undecided");
    const QByteArray declaration = "<?xml version=\"1.0\"?>";
    QTest::newRow("xml before its root") << declaration + "<!DOCTYPE html><!-- c" << true;
    QTest::newRow("xml root name cut") << declaration + "<ht" << true;
    QTest::newRow("xml root") << declaration + "<html>" << false;
    QTest::newRow("xml past the bytes looked at")
        << declaration + QByteArray(MaxPageStart, ' ') + "<html>" << false;
    QTest::newRow("byte order mark cut") << QByteArray("\xEF\xBB") << true;
    QTest::newRow("declaration cut") << QByteArray("\r\n<?xm") << true;
    QTest::newRow("blanks only") << QByteArray("\r\n ") << true;
    QTest::newRow("fewer than four characters") << QByteArray("ab") << true;
    QTest::newRow("four characters") << QByteArray("abcd") << false;
    QTest::newRow("page") << QByteArray("<p") << false;
}

// The receiver waits for more of a body while its start cannot tell.
void TestTransferLinks::pageStartUndecided()
{
    QFETCH(QByteArray, start);
    QTEST(PageStartUndecided(start), "undecided");
}

void TestTransferLinks::lastLevel()
{
    using namespace KELPA;
    CurrentTag = "<html>";
    LevelsLeft = 1;
    Images = 0;
    ImagesOnly = 0;
    QCOMPARE(AuswertenEntscheiden(200), 0);
    QCOMPARE(PageState, 0);
    Images = 1;
    AuswertenEntscheiden(200);
    QCOMPARE(PageState, 1);
    QCOMPARE(ImagesOnly, 1);
}

// Only a status line in the block itself counts: the head of an answer is
// cut off before the decision, so that pages are dropped when not kept.
void TestTransferLinks::statusLine_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("hasStatusLine");

    QTest::newRow("page of an answer") << QByteArray("<html>") << 200 << 0;
    QTest::newRow("error page of an answer") << QByteArray("<html>Not Found") << 404 << 0;
    QTest::newRow("bare page") << QByteArray("<html>") << 0 << 0;
    QTest::newRow("status line in the block") << QByteArray("HTTP/1.0 200 OK\r\n") << 0 << 1;
}

void TestTransferLinks::statusLine()
{
    using namespace KELPA;
    QFETCH(QByteArray, block);
    QFETCH(int, status);
    QFETCH(int, hasStatusLine);
    CurrentTag = block;
    LevelsLeft = 2;
    HasStatusLine = static_cast<int16_t>(1 - hasStatusLine);
    AuswertenEntscheiden(status);
    QCOMPARE(int(HasStatusLine), hasStatusLine);
}

void TestTransferLinks::baseTag_data()
{
    QTest::addColumn<QByteArray>("tag");
    // for a page in http://h:8080/d, or with "local " in Z:\w\d; "-": no base tag
    QTest::addColumn<QString>("base");
    QTest::addColumn<int>("start");

    QTest::newRow("directory") << QByteArray("<base href=\"http://h/d/\">") << "http://h/d" << 0;
    QTest::newRow("file in it") << QByteArray("<BASE HREF=http://h/d/i.html>") << "http://h/d" << 0;
    QTest::newRow("host only") << QByteArray("<base href='http://h/' target=_top>") << "http://h"
                               << 0;
    QTest::newRow("host without slash")
        << QByteArray("<base href=\"http://h\">") << "http://h" << 0;
    QTest::newRow("text before") << QByteArray("\n <base href=\"http://h/d/\">") << "http://h/d"
                                 << 2;
    QTest::newRow("target only") << QByteArray("<base target=\"_top\">") << "-" << 0;
    QTest::newRow("after a later <")
        << QByteArray("x=\"y\" <BaSe href=\"http://h/d/\">") << "http://h/d" << 6;
    QTest::newRow("root-relative")
        << QByteArray("<base href=\"/other/\">") << "http://h:8080/other" << 0;
    QTest::newRow("relative") << QByteArray("<base href=\"sub/x.html\">") << "http://h:8080/d/sub"
                              << 0;
    QTest::newRow("climbing") << QByteArray("<base href=\"../other/\">") << "http://h:8080/other"
                              << 0;
    QTest::newRow("above the root")
        << QByteArray("<base href=\"../../../../\">") << "http://h:8080" << 0;
    QTest::newRow("above the root, then down")
        << QByteArray("<base href=\"../../s/\">") << "http://h:8080/s" << 0;
    QTest::newRow("query holding a URL")
        << QByteArray("<base href=\"/go?to=http://x/\">") << "http://h:8080" << 0;
    QTest::newRow("without a scheme")
        << QByteArray("<base href=\"//cdn/x/\">") << "http://cdn/x" << 0;
    QTest::newRow("the page itself") << QByteArray("<base href=\"\">") << "http://h:8080/d" << 0;
    QTest::newRow("dot") << QByteArray("<base href=\".\">") << "http://h:8080/d" << 0;
    QTest::newRow("character reference")
        << QByteArray("<base href=\"/o&#116;her/\">") << "http://h:8080/other" << 0;
    QTest::newRow("relative, in a local page")
        << QByteArray("<base href=\"sub/\">") << "local Z:\\w\\d/sub" << 0;
}

// A base tag's href, made absolute against the page as a browser does, names
// the directory its page's links resolve against.
void TestTransferLinks::baseTag()
{
    QFETCH(QByteArray, tag);
    QFETCH(QString, base);
    const auto found = FindBaseTag(tag);
    QCOMPARE(found.has_value(), base != "-");
    if (found) {
        if (base.startsWith(QLatin1String("local ")))
            QCOMPARE(BaseDirectory(found->href, "Z:\\w\\d", "file://Z:", "file://"), base.mid(6));
        else
            QCOMPARE(BaseDirectory(found->href, "http://h:8080/d", "h:8080", "http://"), base);
        QTEST(int(found->start), "start");
        QCOMPARE(found->end, tag.size());
    }
}

void TestTransferLinks::wholePage()
{
    const SearchRun run({Page}, AllRows());
    QByteArray expected = Page;
    expected.replace("<base href=\"http://h/d/\">", "").replace("http://h/", "L/");
    QCOMPARE(run.written, expected);
    QCOMPARE(run.bases, QStringList{"http://h/d/"});
    const QByteArrayList tags = {
        "\n<meta http-equiv=\"refresh\" content=\"5; URL=http://h/next.html\"> 41 refresh",
        "<body background=\"bg.gif\"> 7 image",
        " sign<img src=\"http://h/i.gif\" alt=\"i\"> 11 image",
        "\n<a href=\"http://h/a.html\"> 5",
        "<A HREF='/b.html'> 4",
        "<frame src=\"http://h/f.html\"> 8",
    };
    QCOMPARE(run.tags, tags);
}

// A tag cut anywhere is searched and rewritten as if it had come whole; the
// file gets every byte once.
void TestTransferLinks::tagSplitAtEveryPosition()
{
    const SearchRun whole({Page}, AllRows());
    for (qsizetype cut = 0; cut <= Page.size(); ++cut) {
        const SearchRun split({Page.left(cut), Page.mid(cut)}, AllRows());
        QCOMPARE(split.written, whole.written);
        QCOMPARE(split.tags, whole.tags);
        QCOMPARE(split.bases, whole.bases);
    }
    QByteArrayList bytes;
    for (const char byte : Page)
        bytes << QByteArray(1, byte);
    const SearchRun single(bytes, AllRows());
    QCOMPARE(single.written, whole.written);
    QCOMPARE(single.tags, whole.tags);
}

// An image of 100 KB given inline: written as it came, unsearched, and the
// links after it are still found.
void TestTransferLinks::longDataUri()
{
    const QByteArray page = "<p>x</p><img src=\"data:image/gif;base64," + QByteArray(100000, 'A') +
                            "\"><a href=\"http://h/n.html\">n</a>";
    for (const qsizetype blockSize : {qsizetype(1000), qsizetype(8192), page.size()}) {
        QByteArrayList blocks;
        for (qsizetype at = 0; at < page.size(); at += blockSize)
            blocks << page.mid(at, blockSize);
        const SearchRun run(blocks, AllRows());
        QByteArray expected = page;
        QCOMPARE(run.written, expected.replace("http://h/n.html", "L/n.html"));
        QCOMPARE(run.tags, QByteArrayList{"<a href=\"http://h/n.html\"> 4"});
    }
}

void TestTransferLinks::headLine_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("written");
    const QByteArray head = "<!-- modified -->\r\n";
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const QByteArray mark = "\xEF\xBB\xBF";
    QTest::newRow("page") << QByteArray("<html>x") << head + "<html>x";
    QTest::newRow("empty page") << QByteArray() << head;
    QTest::newRow("xhtml") << declaration + "\n<html>x" << declaration + head + "\n<html>x";
    QTest::newRow("xhtml after blanks") << "\r\n" + declaration + "<html>"
                                        << "\r\n" + declaration + head + "<html>";
    QTest::newRow("page after a byte order mark") << mark + "<html>x" << mark + head + "<html>x";
    QTest::newRow("xhtml after a byte order mark")
        << mark + declaration + "<html>" << mark + declaration + head + "<html>";
    QTest::newRow("UTF-16 little-endian page")
        << Utf16("\xFF\xFE", "<html>x") << Utf16("\xFF\xFE", head + "<html>x");
    QTest::newRow("UTF-16 big-endian xhtml")
        << Utf16("\xFE\xFF", "<?xml version=\"1.0\"?><html>")
        << Utf16("\xFE\xFF", "<?xml version=\"1.0\"?>" + head + "<html>");
}

// The head line goes after a byte order mark and an XML declaration, in the
// page's encoding, however the page's start is cut into blocks.
void TestTransferLinks::headLine()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, written);
    OnlineSearch::Options options = AllRows();
    options.headLine = "<!-- modified -->";
    QCOMPARE(SearchRun({page}, options).written, written);
    QByteArrayList bytes;
    for (const char byte : page)
        bytes << QByteArray(1, byte);
    QCOMPARE(SearchRun(bytes, options).written, written);
}

void TestTransferLinks::unchangedPage()
{
    OnlineSearch::Options options = AllRows();
    options.rewrite = false;
    const SearchRun kept({Page}, options);
    QCOMPARE(kept.written, Page);
    QCOMPARE(kept.tags.size(), 6);
}

KELPA_TEST_MAIN(TestTransferLinks)
#include "test_transfer_links.moc"
