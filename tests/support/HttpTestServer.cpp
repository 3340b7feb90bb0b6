#include "tests/support/HttpTestServer.h"

#include <QtGlobal>

#include <algorithm>
#include <chrono>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int MaxWorkers = 64;              // connections served at once
constexpr qsizetype MaxHeadBytes = 1 << 20; // a longer request head is dropped
constexpr int RequestLimitMs = 30000;       // the client's time to send its head
constexpr int StallLimitMs = 10000;         // a client that reads nothing this long is dropped
constexpr int SilentLimitMs = 120000;       // the longest a silent answer keeps a connection
constexpr int DrainLimitMs = 1000;          // waiting for the client to close after the answer

int msLeft(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return int(std::max<qint64>(0, left.count()));
}

} // namespace

QByteArray HttpAnswer::bytes() const
{
    if (!raw.isEmpty())
        return raw;
    QByteArray out = statusLine + "\r\n";
    for (const QByteArray& line : headers)
        out += line + "\r\n";
    const qint64 length = contentLength == AutoLength ? body.size() : contentLength;
    if (length >= 0)
        out += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return out + "\r\n" + body;
}

HttpAnswer HttpAnswer::page(const QByteArray& body, const QByteArray& contentType)
{
    HttpAnswer answer;
    answer.headers = {"Content-Type: " + contentType};
    answer.body = body;
    return answer;
}

HttpAnswer HttpAnswer::redirect(const QByteArray& location, const QByteArray& statusLine)
{
    HttpAnswer answer;
    answer.statusLine = statusLine;
    answer.headers = {"Location: " + location};
    return answer;
}

HttpAnswer HttpAnswer::notFound()
{
    HttpAnswer answer = page("<html><body><h1>404 Not Found</h1></body></html>");
    answer.statusLine = "HTTP/1.0 404 Not Found";
    return answer;
}

HttpAnswer HttpAnswer::error(const QByteArray& statusLine, const QByteArray& body)
{
    HttpAnswer answer = page(body);
    answer.statusLine = statusLine;
    return answer;
}

HttpAnswer HttpAnswer::pausedAfterHead(int ms, qint64 bodyBytes) const
{
    HttpAnswer answer = *this;
    answer.writes = {int(bytes().size() - body.size() + bodyBytes)};
    answer.pauseMs = ms;
    return answer;
}

HttpAnswer HttpAnswer::cutShort(qint64 bodyBytes) const
{
    HttpAnswer answer = *this;
    answer.closeAfter = bytes().size() - body.size() + bodyBytes;
    return answer;
}

QByteArray HttpRequest::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value.isNull() ? QByteArray("") : value;
    }
    return {};
}

HttpTestServer::HttpTestServer()
{
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listenFd_ < 0 || ::pipe2(wakePipe_, O_CLOEXEC) != 0 ||
        ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 64) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        qFatal("HttpTestServer: cannot listen on 127.0.0.1 (errno %d)", errno);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

HttpTestServer::~HttpTestServer()
{
    stopping_ = true;
    [[maybe_unused]] const auto written = ::write(wakePipe_[1], "x", 1);
    acceptor_.join();
    ::close(listenFd_);
    ::close(wakePipe_[0]);
    ::close(wakePipe_[1]);
}

QByteArray HttpTestServer::url(const QByteArray& path) const
{
    return "127.0.0.1:" + QByteArray::number(port_) + path;
}

void HttpTestServer::setAnswer(const QByteArray& target, const HttpAnswer& answer)
{
    setAnswers(target, {answer});
}

void HttpTestServer::setAnswers(const QByteArray& target, const QList<HttpAnswer>& answers)
{
    const std::lock_guard lock(mutex_);
    if (answers.isEmpty())
        answers_.remove(target);
    else
        answers_.insert(target, answers);
}

QList<HttpRequest> HttpTestServer::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

QByteArrayList HttpTestServer::targets() const
{
    QByteArrayList targets;
    for (const HttpRequest& request : requests())
        targets.append(request.target);
    return targets;
}

bool HttpTestServer::waitFor(int fd, short events, int ms)
{
    pollfd fds[2] = {{fd, events, 0}, {wakePipe_[0], POLLIN, 0}};
    const int n = ::poll(fds, 2, std::max(ms, 0));
    return n > 0 && fds[0].revents != 0 && !stopping_;
}

bool HttpTestServer::pause(int ms)
{
    if (ms > 0) {
        pollfd wake{wakePipe_[0], POLLIN, 0};
        ::poll(&wake, 1, ms);
    }
    return !stopping_;
}

void HttpTestServer::acceptLoop()
{
    while (!stopping_) {
        reapWorkers(false);
        if (!waitFor(listenFd_, POLLIN, 1000))
            continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        if (int(workers_.size()) >= MaxWorkers) {
            ::close(fd);
            continue;
        }
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        auto done = std::make_shared<std::atomic<bool>>(false);
        workers_.push_back({std::thread([this, fd, done] {
                                serve(fd);
                                *done = true;
                            }),
                            done});
    }
    reapWorkers(true);
}

void HttpTestServer::reapWorkers(bool all)
{
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (all || *it->done) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

bool HttpTestServer::readRequest(int fd, HttpRequest& request)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(RequestLimitMs);
    QByteArray data;
    qsizetype end = -1;
    while (end < 0 && data.size() < MaxHeadBytes) {
        if (!waitFor(fd, POLLIN, msLeft(deadline)))
            return false;
        char chunk[4096];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
            return false;
        if (n > 0)
            data.append(chunk, n);
        end = data.indexOf("\r\n\r\n");
        if (end < 0)
            end = data.indexOf("\n\n");
    }
    if (end < 0)
        return false;
    request.head = data.left(end);
    const QList<QByteArray> lines = request.head.split('\n');
    request.requestLine = lines.value(0).trimmed();
    const QList<QByteArray> parts = request.requestLine.split(' ');
    request.method = parts.value(0);
    request.target = parts.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        if (colon > 0)
            request.headers.append(
                {lines[i].left(colon).trimmed(), lines[i].mid(colon + 1).trimmed()});
    }
    return true;
}

bool HttpTestServer::sendAll(int fd, const char* data, qint64 size)
{
    qint64 sent = 0;
    while (sent < size) {
        if (!waitFor(fd, POLLOUT, StallLimitMs))
            return false;
        const ssize_t n = ::send(fd, data + sent, size_t(size - sent), MSG_NOSIGNAL);
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        sent += std::max<ssize_t>(n, 0);
    }
    return true;
}

void HttpTestServer::serve(int fd)
{
    HttpRequest request;
    if (!readRequest(fd, request)) {
        ::close(fd);
        return;
    }
    HttpAnswer answer;
    {
        const std::lock_guard lock(mutex_);
        requests_.append(request);
        const auto found = answers_.find(request.target);
        if (found == answers_.end()) {
            answer = HttpAnswer::notFound();
        } else {
            answer = found->first();
            if (found->size() > 1)
                found->removeFirst();
        }
    }
    if (answer.silent) {
        // Reads and drops whatever comes until the client closes.
        const auto deadline = Clock::now() + std::chrono::milliseconds(SilentLimitMs);
        char sink[4096];
        while (waitFor(fd, POLLIN, msLeft(deadline))) {
            const ssize_t n = ::recv(fd, sink, sizeof sink, 0);
            if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
                break;
        }
    } else if (pause(answer.delayMs) && answer.reset) {
        const linger abortive{1, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
    } else if (!stopping_) {
        QByteArray bytes = answer.bytes();
        if (answer.closeAfter >= 0)
            bytes.truncate(answer.closeAfter);
        qint64 at = 0;
        bool sending = true;
        for (qsizetype i = 0; sending && at < bytes.size(); ++i) {
            const qint64 size = i < answer.writes.size() ? answer.writes[i] : bytes.size() - at;
            const qint64 piece = std::clamp<qint64>(size, 0, bytes.size() - at);
            sending =
                (i == 0 || pause(answer.pauseMs)) && sendAll(fd, bytes.constData() + at, piece);
            at += piece;
        }
        // A graceful end: the client reads the close after the last byte.
        ::shutdown(fd, SHUT_WR);
        const auto deadline = Clock::now() + std::chrono::milliseconds(DrainLimitMs);
        char sink[4096];
        while (sending && waitFor(fd, POLLIN, msLeft(deadline)) &&
               ::recv(fd, sink, sizeof sink, 0) > 0) {
        }
    }
    ::close(fd);
}

} // namespace testsupport
