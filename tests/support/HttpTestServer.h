#pragma once
// A small HTTP server for tests: listens on 127.0.0.1 on an ephemeral port in
// threads of its own and serves a site described as data, one scripted answer
// per request target. Each connection carries one request and one answer. It
// records every request head it receives. Every wait it makes is bounded and
// ends when the server is destroyed; the destructor returns promptly.

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QMap>
#include <QMetaType>
#include <QPair>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace testsupport {

// One scripted answer. By default the status line, the headers, a
// Content-Length that matches the body and the body, in one write, after which
// the server closes the connection.
struct HttpAnswer {
    static constexpr qint64 AutoLength = -1; // Content-Length: the body's size
    static constexpr qint64 NoLength = -2;   // no Content-Length field

    QByteArray statusLine = "HTTP/1.0 200 OK";
    QByteArrayList headers; // whole lines without CR LF ("Content-Type: text/html")
    QByteArray body;
    qint64 contentLength = AutoLength; // or any value to announce, right or wrong
    QByteArray raw;                    // when not empty, sent as it stands instead of the above
    int delayMs = 0;                   // silence between the request and the first byte
    QList<int> writes;      // sizes of the first writes of the whole answer; the rest in one
    int pauseMs = 0;        // pause between writes
    qint64 closeAfter = -1; // close once this many bytes are sent (-1: all of them)
    bool silent = false;    // read the request, then send nothing until the client leaves
    bool reset = false;     // after the delay, close with a reset instead of answering

    // The bytes of the answer, as sent when nothing cuts it short.
    QByteArray bytes() const;

    static HttpAnswer page(const QByteArray& body, const QByteArray& contentType = "text/html");
    static HttpAnswer redirect(const QByteArray& location,
                               const QByteArray& statusLine = "HTTP/1.0 302 Found");
    static HttpAnswer notFound();
    // An error status with a page as its body.
    static HttpAnswer error(const QByteArray& statusLine, const QByteArray& body);
    // This answer with a pause of ms once its head and the first bodyBytes of
    // its body are out.
    HttpAnswer pausedAfterHead(int ms, qint64 bodyBytes = 0) const;
    // This answer, its whole length announced, with the connection closed
    // once its head and the first bodyBytes of its body are out.
    HttpAnswer cutShort(qint64 bodyBytes) const;
};

// A request head as the server received it.
struct HttpRequest {
    QByteArray requestLine; // "GET /a.html HTTP/1.0"
    QByteArray method;
    QByteArray target;
    QList<QPair<QByteArray, QByteArray>> headers; // in the order received, values trimmed
    QByteArray head;                              // the bytes up to the empty line

    // The first value of a header, its name compared case-blind; a null
    // QByteArray when the header is missing, an empty one when it is empty.
    QByteArray header(const QByteArray& name) const;
};

class HttpTestServer final {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    quint16 port() const { return port_; }
    // "127.0.0.1:port" followed by path, the way a work list holds a URL.
    QByteArray url(const QByteArray& path) const;

    // The answer for a request target (path and query as sent). Targets
    // without an answer get HttpAnswer::notFound().
    void setAnswer(const QByteArray& target, const HttpAnswer& answer);
    // Answers for the successive requests of a target: the first request
    // gets the first answer, the next the next; the last answers every
    // request after it.
    void setAnswers(const QByteArray& target, const QList<HttpAnswer>& answers);
    QList<HttpRequest> requests() const;
    // The targets of the requests received, in order.
    QByteArrayList targets() const;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    void acceptLoop();
    void serve(int fd);
    bool readRequest(int fd, HttpRequest& request);
    bool sendAll(int fd, const char* data, qint64 size);
    bool pause(int ms);
    bool waitFor(int fd, short events, int ms);
    void reapWorkers(bool all);

    int listenFd_ = -1;
    int wakePipe_[2] = {-1, -1}; // written once when stopping: every wait polls it
    quint16 port_ = 0;
    std::atomic<bool> stopping_{false};
    std::thread acceptor_;
    std::vector<Worker> workers_; // acceptor thread only, until it is joined

    mutable std::mutex mutex_;
    QMap<QByteArray, QList<HttpAnswer>> answers_; // never an empty list
    QList<HttpRequest> requests_;
};

} // namespace testsupport

// Answers go into test tables.
Q_DECLARE_METATYPE(testsupport::HttpAnswer)
