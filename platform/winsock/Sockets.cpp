// The socket calls over non-blocking POSIX sockets, and the notices of
// WSAAsyncSelect. Each socket has one read and one write notifier, enabled
// only while an answer is awaited from them: a blocking call's wait, a connect
// in progress, a send that would have blocked, or selected read and close
// events that are not yet noticed.
//
// Received bytes come from the system in large reads into the socket's inbox
// and are handed to recv from there, in the order they came; the end of the
// stream and an error are handed on where the system would have told them.
//
// Notices found by the event loop (a notifier that fired) are delivered there
// and then; notices raised inside a call wait in a queue that the next yield
// empties, or else a zero-time timer at the event loop's next pass. Either way
// they keep their order, and neither wakes the event loop through its
// posted-event queue.

#include "platform/winsock/Winsock.h"
#include "platform/winsock/WinsockInternal.h"

#include "platform/pump/Pump.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <deque>
#include <map>
#include <memory>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace winsock {

namespace {

enum class State { Fresh, Connecting, Connected, Failed };

struct Entry {
    SOCKET handle = INVALID_SOCKET;
    int fd = -1;
    State state = State::Fresh;
    bool nonBlocking = false;
    bool sendShut = false;
    int connectError = 0;

    QPointer<NotifyTarget> target;
    unsigned message = 0;
    long events = 0;
    quint64 selection = 0; // counts WSAAsyncSelect calls; older notices are dropped
    bool closeNoticed = false;
    bool writeWanted = false; // a send would have blocked
    bool nothingSent = false; // connected, and no send since: room to send for sure

    QByteArray inbox; // received bytes not yet handed to recv, from inboxPos on
    qsizetype inboxPos = 0;
    bool peerClosed = false;  // the system told the end of the stream (or an error noticed)
    bool readNoticed = false; // an FD_READ notice waits in the queue

    bool readReady = false; // set for a blocking call's wait
    bool writeReady = false;
    std::unique_ptr<QSocketNotifier> reader;
    std::unique_ptr<QSocketNotifier> writer;
};

std::map<SOCKET, std::unique_ptr<Entry>> table;
SOCKET nextHandle = 1;

Entry* find(SOCKET s)
{
    const auto it = table.find(s);
    return it == table.end() ? nullptr : it->second.get();
}

// The entry of a live socket, or nullptr with the last error set.
Entry* lookUp(SOCKET s)
{
    if (!detail::started()) {
        detail::fail(WSANOTINITIALISED);
        return nullptr;
    }
    Entry* e = find(s);
    if (!e)
        detail::fail(WSAENOTSOCK);
    return e;
}

void onActivated(SOCKET s, QSocketNotifier::Type type);

void enable(Entry& e, QSocketNotifier::Type type)
{
    auto& notifier = type == QSocketNotifier::Read ? e.reader : e.writer;
    if (!notifier) {
        notifier = std::make_unique<QSocketNotifier>(e.fd, type);
        const SOCKET s = e.handle;
        QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                         [s, type] { onActivated(s, type); });
    }
    notifier->setEnabled(true);
}

void disable(std::unique_ptr<QSocketNotifier>& notifier)
{
    if (notifier)
        notifier->setEnabled(false);
}

// How much one read from the system takes at most.
constexpr qsizetype InboxSize = 64 * 1024;

qsizetype buffered(const Entry& e)
{
    return e.inbox.size() - e.inboxPos;
}

// A notice on its way; dropped on delivery when the socket was closed or
// selected anew in between.
struct Queued {
    QPointer<NotifyTarget> target;
    Notice notice;
    quint64 selection;
};

std::deque<Queued>& queue()
{
    static std::deque<Queued> notices;
    return notices;
}

// The zero-time timer that delivers the queue from the event loop.
QPointer<QTimer>& dueTimer()
{
    static QPointer<QTimer> due;
    return due;
}

// Delivers the queued notices in order (from the event loop or a yield);
// true when any was delivered. A handler may close sockets, select anew or
// yield: every notice is taken from the queue before it is delivered.
bool deliverQueued()
{
    bool delivered = false;
    while (!queue().empty()) {
        const Queued next = queue().front();
        queue().pop_front();
        Entry* live = find(next.notice.handle);
        if (!live || live->selection != next.selection || !next.target)
            continue;
        if (next.notice.event == FD_READ)
            live->readNoticed = false;
        delivered = true;
        next.target->deliver(next.notice);
    }
    if (dueTimer())
        dueTimer()->stop();
    return delivered;
}

// Lets the next yield, or else the event loop's next pass, deliver the queue.
void deliverSoon()
{
    QPointer<QTimer>& due = dueTimer();
    if (!due) {
        if (QCoreApplication::instance() == nullptr)
            return;
        static const bool hooked = [] {
            platform::AddYieldHook(&deliverQueued);
            return true;
        }();
        Q_UNUSED(hooked);
        due = new QTimer(QCoreApplication::instance());
        due->setSingleShot(true);
        due->setInterval(0);
        QObject::connect(due, &QTimer::timeout, due, [] { deliverQueued(); });
    }
    if (!due->isActive())
        due->start();
}

// Queues a notice for event when it is selected. Inside a call it waits for
// the event loop; onActivated delivers it before it returns.
void post(Entry& e, long event, int error)
{
    if (!(e.events & event) || !e.target)
        return;
    if (event == FD_READ) {
        if (e.readNoticed)
            return;
        e.readNoticed = true;
    }
    queue().push_back(Queued{e.target, Notice{e.message, e.handle, event, error}, e.selection});
    deliverSoon();
}

// One read from the system into the empty inbox: the bytes read, 0 at the
// end of the stream, or -1 with errno (EAGAIN when nothing is there yet).
ssize_t fill(Entry& e)
{
    e.inbox.resize(InboxSize);
    e.inboxPos = 0;
    ssize_t n;
    do
        n = ::recv(e.fd, e.inbox.data(), size_t(InboxSize), MSG_DONTWAIT);
    while (n < 0 && errno == EINTR);
    const int err = errno;
    e.inbox.resize(n > 0 ? n : 0);
    if (n == 0)
        e.peerClosed = true;
    errno = err;
    return n;
}

// Watches for data or the end of the connection while FD_READ or FD_CLOSE is
// selected and not yet noticed. What the inbox already holds, or an end
// already told, is noticed without asking the system.
void watchReading(Entry& e)
{
    if (e.state != State::Connected || !(e.events & (FD_READ | FD_CLOSE)))
        return;
    if (buffered(e) > 0) {
        post(e, FD_READ, 0);
    } else if (e.peerClosed) {
        if (!e.closeNoticed) {
            e.closeNoticed = true;
            post(e, FD_CLOSE, 0);
        }
    } else {
        enable(e, QSocketNotifier::Read);
    }
}

bool canSendNow(const Entry& e)
{
    pollfd p{e.fd, POLLOUT, 0};
    return ::poll(&p, 1, 0) == 1 && (p.revents & POLLOUT);
}

// Ends a connect with its outcome err (an errno value, 0 when connected).
void finishConnect(Entry& e, int err)
{
    e.state = err == 0 ? State::Connected : State::Failed;
    e.connectError = err == 0 ? 0 : detail::fromErrno(err);
    e.nothingSent = err == 0;
    post(e, FD_CONNECT, e.connectError);
    if (e.state == State::Connected) {
        post(e, FD_WRITE, 0);
        watchReading(e);
    }
}

void onReadable(Entry& e)
{
    if (buffered(e) > 0 || e.peerClosed) {
        watchReading(e);
        return;
    }
    const ssize_t n = fill(e);
    if (n > 0) {
        post(e, FD_READ, 0); // again after the next recv, while data remains
    } else if (n < 0 && errno == EAGAIN) {
        watchReading(e);
    } else if (!e.closeNoticed) {
        // An error told here is told once, with the notice; the stream has
        // ended for recv as it has for the system.
        const int error = n == 0 ? 0 : detail::fromErrno(errno);
        e.peerClosed = true;
        e.closeNoticed = true;
        post(e, FD_CLOSE, error);
    }
}

void react(SOCKET s, QSocketNotifier::Type type)
{
    Entry* e = find(s);
    if (!e)
        return;
    disable(type == QSocketNotifier::Read ? e->reader : e->writer);
    if (type == QSocketNotifier::Write && e->state == State::Connecting) {
        int err = 0;
        socklen_t len = sizeof err;
        if (::getsockopt(e->fd, SOL_SOCKET, SO_ERROR, &err, &len) != 0)
            err = errno;
        finishConnect(*e, err);
    }
    if (e->events == 0) {
        (type == QSocketNotifier::Read ? e->readReady : e->writeReady) = true;
        return;
    }
    if (type == QSocketNotifier::Read) {
        onReadable(*e);
    } else if (e->writeWanted) {
        e->writeWanted = false;
        post(*e, FD_WRITE, 0);
    }
}

void onActivated(SOCKET s, QSocketNotifier::Type type)
{
    react(s, type);
    deliverQueued();
}

// Waits in a blocking call until the notifier of type fires. 0, or the error
// that ended the wait (the socket closed under it counts as interrupted).
int waitFor(SOCKET s, QSocketNotifier::Type type)
{
    Entry* e = find(s);
    bool& ready = type == QSocketNotifier::Read ? e->readReady : e->writeReady;
    ready = false;
    enable(*e, type);
    const int result = detail::blockingWait([s, type] {
        const Entry* live = find(s);
        return !live || (type == QSocketNotifier::Read ? live->readReady : live->writeReady);
    });
    if (result != 0)
        return result;
    return find(s) ? 0 : WSAEINTR;
}

void closeEntry(SOCKET s)
{
    auto node = table.extract(s);
    Entry& e = *node.mapped();
    e.reader.reset();
    e.writer.reset();
    ::close(e.fd);
}

} // namespace

namespace detail {

void closeAllSockets()
{
    while (!table.empty())
        closeEntry(table.begin()->first);
}

} // namespace detail

SOCKET socket(int af, int type, int protocol)
{
    if (!detail::started())
        return detail::fail(WSANOTINITIALISED);
    if (af != AfInet)
        return detail::fail(WSAEAFNOSUPPORT);
    if (type != SockStream)
        return detail::fail(WSAESOCKTNOSUPPORT);
    if (protocol != 0 && protocol != IPPROTO_TCP)
        return detail::fail(WSAEPROTONOSUPPORT);
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return detail::fail(detail::fromErrno(errno));
    auto e = std::make_unique<Entry>();
    e->handle = nextHandle++;
    e->fd = fd;
    const SOCKET s = e->handle;
    table.emplace(s, std::move(e));
    return s;
}

int connect(SOCKET s, const SockAddrIn& name, int namelen)
{
    Entry* e = lookUp(s);
    if (!e)
        return SOCKET_ERROR;
    if (namelen < int(sizeof(SockAddrIn)))
        return detail::fail(WSAEFAULT);
    if (name.sin_family != AfInet)
        return detail::fail(WSAEAFNOSUPPORT);
    if (name.sin_addr == 0 || name.sin_port == 0)
        return detail::fail(WSAEADDRNOTAVAIL);
    switch (e->state) {
    case State::Connecting:
        return detail::fail(WSAEALREADY);
    case State::Connected:
        return detail::fail(WSAEISCONN);
    case State::Failed:
        return detail::fail(WSAEINVAL);
    case State::Fresh:
        break;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = name.sin_port;
    address.sin_addr.s_addr = name.sin_addr;
    const int r = ::connect(e->fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const int err = r == 0 ? 0 : errno;
    e->state = State::Connecting;
    if (e->nonBlocking) {
        // A non-blocking connect never finishes in the call, not even when
        // the system finishes it at once: its outcome comes with FD_CONNECT.
        if (err == EINPROGRESS)
            enable(*e, QSocketNotifier::Write);
        else
            finishConnect(*e, err);
        return detail::fail(WSAEWOULDBLOCK);
    }
    if (err == EINPROGRESS) {
        const int waited = waitFor(s, QSocketNotifier::Write);
        if (waited != 0) {
            if (Entry* live = find(s))
                live->state = State::Failed;
            return detail::fail(waited);
        }
    } else {
        finishConnect(*e, err);
    }
    e = find(s);
    return e->state == State::Connected ? 0 : detail::fail(e->connectError);
}

int send(SOCKET s, const char* buf, int len, int flags)
{
    Entry* e = lookUp(s);
    if (!e)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return detail::fail(WSAEFAULT);
    if (e->state != State::Connected)
        return detail::fail(WSAENOTCONN);
    if (e->sendShut)
        return detail::fail(WSAESHUTDOWN);
    const int sysFlags = (flags & (MSG_OOB | MSG_DONTROUTE)) | MSG_NOSIGNAL | MSG_DONTWAIT;
    e->nothingSent = false;
    int sent = 0;
    while (sent < len) {
        const ssize_t n = ::send(e->fd, buf + sent, size_t(len - sent), sysFlags);
        if (n >= 0) {
            sent += int(n);
            if (e->nonBlocking)
                break;
            continue;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN)
            return detail::fail(detail::fromErrno(errno));
        if (e->nonBlocking) {
            if (sent > 0)
                break;
            e->writeWanted = true;
            if (e->events & FD_WRITE)
                enable(*e, QSocketNotifier::Write);
            return detail::fail(WSAEWOULDBLOCK);
        }
        const int waited = waitFor(s, QSocketNotifier::Write);
        if (waited != 0)
            return detail::fail(waited);
        e = find(s);
    }
    return sent;
}

// Hands bytes from the inbox; the next FD_READ is noticed while some remain.
int handOut(Entry& e, char* buf, int len, bool peek)
{
    const int n = int(std::min<qsizetype>(len, buffered(e)));
    std::memcpy(buf, e.inbox.constData() + e.inboxPos, size_t(n));
    if (!peek)
        e.inboxPos += n;
    if (buffered(e) == 0) {
        e.inbox.clear();
        e.inboxPos = 0;
    }
    watchReading(e); // recv re-enables FD_READ and FD_CLOSE
    return n;
}

int recv(SOCKET s, char* buf, int len, int flags)
{
    Entry* e = lookUp(s);
    if (!e)
        return SOCKET_ERROR;
    if (len < 0 || (len > 0 && !buf))
        return detail::fail(WSAEFAULT);
    if (e->state != State::Connected)
        return detail::fail(WSAENOTCONN);
    const bool peek = (flags & MSG_PEEK) != 0;
    if (flags & MSG_OOB) {
        const int sysFlags = (flags & (MSG_OOB | MSG_PEEK)) | MSG_DONTWAIT;
        const ssize_t n = ::recv(e->fd, buf, size_t(len), sysFlags);
        return n >= 0 ? int(n) : detail::fail(detail::fromErrno(errno));
    }
    if (len == 0)
        return 0;
    for (;;) {
        if (buffered(*e) > 0)
            return handOut(*e, buf, len, peek);
        const ssize_t n = e->peerClosed ? 0 : fill(*e);
        const int err = n < 0 ? errno : 0;
        if (n > 0)
            return handOut(*e, buf, len, peek);
        watchReading(*e);
        if (n == 0)
            return 0;
        if (err != EAGAIN || e->nonBlocking)
            return detail::fail(detail::fromErrno(err));
        const int waited = waitFor(s, QSocketNotifier::Read);
        if (waited != 0)
            return detail::fail(waited);
        e = find(s);
    }
}

int shutdown(SOCKET s, int how)
{
    Entry* e = lookUp(s);
    if (!e)
        return SOCKET_ERROR;
    if (how < SD_RECEIVE || how > SD_BOTH)
        return detail::fail(WSAEINVAL);
    if (e->state != State::Connected)
        return detail::fail(WSAENOTCONN);
    if (::shutdown(e->fd, how) != 0)
        return detail::fail(detail::fromErrno(errno));
    if (how != SD_RECEIVE)
        e->sendShut = true;
    return 0;
}

int closesocket(SOCKET s)
{
    if (!lookUp(s))
        return SOCKET_ERROR;
    closeEntry(s);
    return 0;
}

int ioctlsocket(SOCKET s, std::uint32_t cmd, std::uint32_t* argp)
{
    Entry* e = lookUp(s);
    if (!e)
        return SOCKET_ERROR;
    if (cmd != FIONBIO)
        return detail::fail(WSAEINVAL);
    if (!argp)
        return detail::fail(WSAEFAULT);
    if (*argp == 0 && e->events != 0)
        return detail::fail(WSAEINVAL);
    e->nonBlocking = *argp != 0;
    return 0;
}

int WSAAsyncSelect(SOCKET s, NotifyTarget* target, unsigned message, long events)
{
    Entry* e = lookUp(s);
    if (!e)
        return SOCKET_ERROR;
    if (events != 0 && !target)
        return detail::fail(WSAEINVAL);
    if (e->state == State::Connected && events != 0 && e->nonBlocking && e->target == target &&
        e->message == message && e->events == events) {
        // The selection in effect asked again: notices already posted stay
        // valid and nothing is posted anew. The next arrival, end or reset
        // is still noticed, even when the last notice was already taken.
        e->closeNoticed = false;
        watchReading(*e);
        return 0;
    }
    e->target = target;
    e->message = message;
    e->events = events;
    ++e->selection;
    e->nonBlocking = true;
    e->closeNoticed = false;
    e->readNoticed = false;
    disable(e->reader);
    disable(e->writer);
    if (e->state == State::Connecting) {
        enable(*e, QSocketNotifier::Write); // the connect's outcome
    } else if (e->state == State::Connected) {
        post(*e, FD_CONNECT, 0);
        if (e->nothingSent || canSendNow(*e)) {
            e->writeWanted = false;
            post(*e, FD_WRITE, 0);
        } else if (events & FD_WRITE) {
            e->writeWanted = true;
            enable(*e, QSocketNotifier::Write);
        }
        watchReading(*e);
    }
    return 0;
}

} // namespace winsock
