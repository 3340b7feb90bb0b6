// The head of an answer: collected over blocks, read from the head alone, and
// what the transfer does with it.

#include "main/Kelpa.h"
#include "tests/support/TestMain.h"
#include "transfer/ResponseHeader.h"

using namespace transfer;
using State = HeaderReader::State;

Q_DECLARE_METATYPE(HeaderReader::State)
Q_DECLARE_METATYPE(transfer::HeaderDecision)

class TestTransferHeader : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void collect_data();
    void collect();
    void splitAtEveryPosition();
    void tooLong();
    void contentLength_data();
    void contentLength();
    void decision_data();
    void decision();
    void bodyUndecided_data();
    void bodyUndecided();
};

void TestTransferHeader::collect_data()
{
    QTest::addColumn<QByteArrayList>("blocks");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<State>("state");
    QTest::addColumn<QByteArray>("body");

    QTest::newRow("one block") << QByteArrayList{"HTTP/1.0 200 OK\r\nA: b\r\n\r\nhello"} << false
                               << State::Complete << QByteArray("hello");
    QTest::newRow("LF line ends") << QByteArrayList{"HTTP/1.0 200 OK\nA: b\n\nhello\n\nx"} << false
                                  << State::Complete << QByteArray("hello\n\nx");
    QTest::newRow("three blocks") << QByteArrayList{"HTTP/1.1 200 OK\r\nCont",
                                                    "ent-Length: 5\r\n\r", "\nhello"}
                                  << false << State::Complete << QByteArray("hello");
    QTest::newRow("head only") << QByteArrayList{"HTTP/1.0 200 OK\r\n\r\n"} << false
                               << State::Complete << QByteArray();
    QTest::newRow("head unfinished") << QByteArrayList{"HTTP/1.0 200 OK\r\nA: b\r\n"} << false
                                     << State::NeedMore << QByteArray();
    QTest::newRow("closed before head end")
        << QByteArrayList{"HTTP/1.0 200 OK\r\nA: b"} << true << State::Complete << QByteArray();
    QTest::newRow("no status line") << QByteArrayList{"<html>a\r\n\r\nb"} << false
                                    << State::Complete << QByteArray("<html>a\r\n\r\nb");
    QTest::newRow("status line in two blocks") << QByteArrayList{"HT", "TP/1.0 200 OK\r\n\r\nx"}
                                               << false << State::Complete << QByteArray("x");
    QTest::newRow("closed after HT")
        << QByteArrayList{"HT"} << true << State::Complete << QByteArray("HT");
}

void TestTransferHeader::collect()
{
    QFETCH(QByteArrayList, blocks);
    QFETCH(bool, closed);
    HeaderReader reader;
    for (const QByteArray& block : blocks)
        reader.Add(block);
    if (closed)
        reader.Close();
    QTEST(reader.state(), "state");
    if (reader.state() == State::Complete) {
        QTEST(reader.body(), "body");
        QCOMPARE(reader.headerEnd() + reader.body().size(), blocks.join().size());
    }
}

// Whatever the cut, the body is the same and no byte of the head is in it.
void TestTransferHeader::splitAtEveryPosition()
{
    const QByteArray answer = "HTTP/1.0 200 OK\r\nContent-Length: 4\r\nLocation-Hint: x\r\n\r\n"
                              "Location: Berlin\r\n\r\nbody";
    const qsizetype headEnd = answer.indexOf("\r\n\r\n") + 4;
    for (qsizetype cut = 0; cut <= answer.size(); ++cut) {
        HeaderReader reader;
        const State first = reader.Add(answer.left(cut));
        QCOMPARE(first, cut >= headEnd ? State::Complete : State::NeedMore);
        // Once the head is whole, later blocks are body and bypass the reader.
        const QByteArray later = first == State::Complete ? answer.mid(cut) : QByteArray();
        if (first == State::NeedMore)
            QCOMPARE(reader.Add(answer.mid(cut)), State::Complete);
        QCOMPARE(reader.headerEnd(), headEnd);
        QCOMPARE(reader.body() + later, answer.mid(headEnd));
        QVERIFY(reader.header().location.isEmpty());
        QCOMPARE(reader.header().contentLength, 4);
    }
}

void TestTransferHeader::tooLong()
{
    const QByteArray pad = "X-Pad: " + QByteArray(90, 'a') + "\r\n";
    QByteArray head = "HTTP/1.0 200 OK\r\n";
    while (head.size() + pad.size() < 60000)
        head += pad;
    head += "Location: /far\r\n\r\n";

    HeaderReader fits;
    for (qsizetype at = 0; at < head.size(); at += 1000)
        fits.Add(head.mid(at, 1000));
    QCOMPARE(fits.state(), State::Complete);
    QCOMPARE(fits.header().location, "/far");

    HeaderReader endless;
    State state = State::NeedMore;
    for (int i = 0; i < 1000 && state == State::NeedMore; ++i)
        state = endless.Add(i == 0 ? "HTTP/1.0 200 OK\r\n" : pad);
    QCOMPARE(state, State::TooLong);
    QCOMPARE(endless.Add("\r\n\r\nbody"), State::TooLong);

    HeaderReader oneBlock;
    QCOMPARE(oneBlock.Add("HTTP/1.0 200 OK\r\n" + pad.repeated(800) + "\r\nbody"), State::TooLong);
}

void TestTransferHeader::contentLength_data()
{
    QTest::addColumn<QByteArray>("fields");
    QTest::addColumn<bool>("known");
    QTest::addColumn<qint64>("length");

    QTest::newRow("missing") << QByteArray("Server: x\r\n") << false << 0LL;
    QTest::newRow("plain") << QByteArray("Content-Length: 1234\r\n") << true << 1234LL;
    QTest::newRow("lower case, blanks") << QByteArray("content-length:   77 \r\n") << true << 77LL;
    QTest::newRow("zero") << QByteArray("Content-Length: 0\r\n") << true << 0LL;
    QTest::newRow("beyond 32 bits")
        << QByteArray("Content-Length: 5000000000\r\n") << true << 5000000000LL;
    QTest::newRow("negative") << QByteArray("Content-Length: -5\r\n") << false << 0LL;
    QTest::newRow("huge") << QByteArray("Content-Length: 99999999999999999999\r\n") << false << 0LL;
    QTest::newRow("above the limit")
        << QByteArray("Content-Length: 9000000000000000\r\n") << false << 0LL;
    QTest::newRow("12abc") << QByteArray("Content-Length: 12abc\r\n") << false << 0LL;
    QTest::newRow("empty") << QByteArray("Content-Length:\r\n") << false << 0LL;
    QTest::newRow("plus sign") << QByteArray("Content-Length: +5\r\n") << false << 0LL;
    QTest::newRow("two equal") << QByteArray("Content-Length: 9\r\nContent-Length: 9\r\n") << true
                               << 9LL;
    QTest::newRow("two differing")
        << QByteArray("Content-Length: 9\r\nContent-Length: 8\r\n") << false << 0LL;
    QTest::newRow("other field ending in it")
        << QByteArray("X-Content-Length: 9\r\n") << false << 0LL;
}

void TestTransferHeader::contentLength()
{
    QFETCH(QByteArray, fields);
    const ResponseHeader header = ReadResponseHeader("HTTP/1.0 200 OK\r\n" + fields + "\r\n");
    QTEST(header.lengthKnown, "known");
    QTEST(qint64(header.contentLength), "length");
}

void TestTransferHeader::decision_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<HeaderDecision>("decision");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("urlPath");
    QTest::addColumn<qint64>("contentLength");
    QTest::addColumn<int>("lengthUnknown");

    const QString page = "h:8080/d/p.png";
    const QString base = "http://h:8080/d";
    QTest::newRow("200 with length")
        << QByteArray("HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\nabc") << HeaderDecision::Body
        << page << base << 3LL << 0;
    QTest::newRow("200 without length") << QByteArray("HTTP/1.0 200 OK\r\n\r\nabc")
                                        << HeaderDecision::Body << page << base << 0LL << 1;
    QTest::newRow("Location in the body")
        << QByteArray("HTTP/1.0 200 OK\r\n\r\nLocation: Berlin\r\n") << HeaderDecision::Body << page
        << base << 0LL << 1;
    QTest::newRow("301 absolute") << QByteArray(
                                         "HTTP/1.0 301 Moved\r\nLocation: http://o/x\r\n\r\n")
                                  << HeaderDecision::Relocation << "http://o/x" << base << 0LL << 0;
    QTest::newRow("302 root keeps port")
        << QByteArray("HTTP/1.0 302 Found\r\nlocation: /x.html\r\n\r\n")
        << HeaderDecision::Relocation << "h:8080/x.html" << base << 0LL << 0;
    QTest::newRow("302 relative") << QByteArray("HTTP/1.0 302 Found\r\nLocation: y.html\r\n\r\n")
                                  << HeaderDecision::Relocation << base + "/y.html" << base << 0LL
                                  << 0;
    QTest::newRow("302 no scheme") << QByteArray("HTTP/1.0 302 Found\r\nLocation: //o/z\r\n\r\n")
                                   << HeaderDecision::Relocation << "o/z" << base << 0LL << 0;
    QTest::newRow("301 with a user part")
        << QByteArray("HTTP/1.0 301 Moved\r\nLocation: http://u:secret@o/x\r\n\r\n")
        << HeaderDecision::Relocation << "http://o/x" << base << 0LL << 0;
    QTest::newRow("302 no scheme with a user part")
        << QByteArray("HTTP/1.0 302 Found\r\nLocation: //u:secret@o/z\r\n\r\n")
        << HeaderDecision::Relocation << "o/z" << base << 0LL << 0;
    QTest::newRow("404") << QByteArray("HTTP/1.0 404 Not Found\r\n\r\n<html>")
                         << HeaderDecision::Body << page << "h:8080" << 0LL << 1;
    QTest::newRow("404 text in a 200 body") << QByteArray("HTTP/1.0 200 OK\r\n\r\n404 Not Found")
                                            << HeaderDecision::Body << page << base << 0LL << 1;
    QTest::newRow("PNG") << QByteArray("HTTP/1.0 200 OK\r\n\r\n\x89PNG\r\n\x1a\n")
                         << HeaderDecision::PngSubstitute << page + ".gif" << base << 0LL << 0;
    QTest::newRow("PNG text in a page") << QByteArray("HTTP/1.0 200 OK\r\n\r\n<p>PNG\r\n")
                                        << HeaderDecision::Body << page << base << 0LL << 1;
}

void TestTransferHeader::decision()
{
    QFETCH(QByteArray, answer);
    using namespace KELPA;
    HostName = "h";
    Port = 8080;
    UrlPath = "http://h:8080/d";
    Link = "h:8080/d/p.png";
    ContentLength = 0;
    LengthUnknown = 0;
    HeaderReader reader;
    QCOMPARE(reader.Add(answer), State::Complete);
    QTEST(ApplyResponseHeader(reader.header(), reader.body()), "decision");
    QTEST(Link, "link");
    QTEST(UrlPath, "urlPath");
    QTEST(qint64(ContentLength), "contentLength");
    QTEST(int(LengthUnknown), "lengthUnknown");
}

void TestTransferHeader::bodyUndecided_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("undecided");
    const QByteArray ok = "HTTP/1.0 200 OK\r\n";
    QTest::newRow("no body yet") << ok << QByteArray() << true;
    QTest::newRow("part of the signature") << ok << QByteArray("\x89PN") << true;
    QTest::newRow("whole signature") << ok << QByteArray("\x89PNG\r\n") << false;
    QTest::newRow("other first bytes") << ok << QByteArray("GIF8") << false;
    QTest::newRow("too few to tell a page") << ok << QByteArray("G") << true;
    QTest::newRow("no status line") << QByteArray() << QByteArray("\x89") << true;
    QTest::newRow("length reached") << ok + "Content-Length: 3\r\n"
                                    << QByteArray("\x89PN") << false;
    QTest::newRow("length 0") << ok + "Content-Length: 0\r\n" << QByteArray() << false;
    QTest::newRow("length not reached") << ok + "Content-Length: 30\r\n"
                                        << QByteArray("\x89") << true;
    QTest::newRow("relocation") << ok + "Location: /b\r\n" << QByteArray() << false;
    QTest::newRow("error") << QByteArray("HTTP/1.0 404 Not Found\r\n") << QByteArray() << false;
    const QByteArray prolog = "<?xml version=\"1.0\"?>\n<!DOCTYPE html>";
    QTest::newRow("xml without its root yet") << ok << prolog << true;
    QTest::newRow("xml with its root") << ok << prolog + "<html>" << false;
    QTest::newRow("xml root past the length") << ok + "Content-Length: 37\r\n" << prolog << false;
    QTest::newRow("page") << ok << QByteArray("<!DOCTYPE html>") << false;
    // A Content-Type decides on the page at once; the PNG signature still waits.
    const QByteArray typed = ok + "Content-Type: text/html\r\n";
    QTest::newRow("typed, too few to tell a page") << typed << QByteArray("G") << false;
    QTest::newRow("typed, xml without its root") << typed << prolog << false;
    QTest::newRow("typed, part of the signature") << ok + "Content-Type: image/png\r\n"
                                                  << QByteArray("\x89PN") << true;
}

// How long the PNG substitute and the page decision wait for the body's
// first bytes.
void TestTransferHeader::bodyUndecided()
{
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, body);
    QTEST(BodyUndecided(ReadResponseHeader(head), body), "undecided");
}

KELPA_TEST_MAIN(TestTransferHeader)
#include "test_transfer_header.moc"
