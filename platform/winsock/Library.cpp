// Start-up and clean-up, the last error, the blocking call and its
// cancellation, notice targets, and the mapping of system errors.

#include "platform/winsock/Winsock.h"
#include "platform/winsock/WinsockInternal.h"

#include "platform/pump/Pump.h"

#include <cerrno>
#include <cstring>

namespace winsock {

namespace {

int startCount = 0;
int lastError = 0;

struct BlockingCall {
    bool active = false;
    bool cancelled = false;
};
BlockingCall blocking;

// A wait wakes for every event; the slice only bounds a wait that no event ends.
constexpr int WaitSliceMs = 200;

} // namespace

namespace detail {

bool started()
{
    return startCount > 0;
}

int fail(int error)
{
    lastError = error;
    return SOCKET_ERROR;
}

int blockingWait(const std::function<bool()>& done)
{
    if (blocking.active)
        return WSAEINPROGRESS;
    blocking = {true, false};
    struct Reset {
        ~Reset() { blocking = {}; }
    } reset;
    for (;;) {
        if (blocking.cancelled)
            return WSAEINTR;
        if (done())
            return 0;
        platform::WaitEvents(WaitSliceMs);
    }
}

int fromErrno(int err)
{
    switch (err) {
    case EINTR:
        return WSAEINTR;
    case EFAULT:
        return WSAEFAULT;
    case EMFILE:
    case ENFILE:
        return WSAEMFILE;
    case EAGAIN:
        return WSAEWOULDBLOCK;
    case EINPROGRESS:
        return WSAEINPROGRESS;
    case EALREADY:
        return WSAEALREADY;
    case EBADF:
    case ENOTSOCK:
        return WSAENOTSOCK;
    case EMSGSIZE:
        return WSAEMSGSIZE;
    case EPROTOTYPE:
        return WSAEPROTOTYPE;
    case EPROTONOSUPPORT:
        return WSAEPROTONOSUPPORT;
    case ESOCKTNOSUPPORT:
        return WSAESOCKTNOSUPPORT;
    case EOPNOTSUPP:
        return WSAEOPNOTSUPP;
    case EAFNOSUPPORT:
        return WSAEAFNOSUPPORT;
    case EADDRINUSE:
        return WSAEADDRINUSE;
    case EADDRNOTAVAIL:
        return WSAEADDRNOTAVAIL;
    case ENETDOWN:
        return WSAENETDOWN;
    case ENETUNREACH:
        return WSAENETUNREACH;
    case ENETRESET:
        return WSAENETRESET;
    case ECONNABORTED:
        return WSAECONNABORTED;
    case EPIPE:
    case ECONNRESET:
        return WSAECONNRESET;
    case ENOBUFS:
    case ENOMEM:
        return WSAENOBUFS;
    case EISCONN:
        return WSAEISCONN;
    case ENOTCONN:
        return WSAENOTCONN;
    case ESHUTDOWN:
        return WSAESHUTDOWN;
    case ETIMEDOUT:
        return WSAETIMEDOUT;
    case ECONNREFUSED:
        return WSAECONNREFUSED;
    case EHOSTDOWN:
        return WSAEHOSTDOWN;
    case EHOSTUNREACH:
        return WSAEHOSTUNREACH;
    default:
        return WSAEINVAL;
    }
}

} // namespace detail

NotifyTarget::NotifyTarget(std::function<void(const Notice&)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler))
{
}

void NotifyTarget::deliver(const Notice& notice)
{
    if (handler_)
        platform::runGuarded([&] { handler_(notice); });
}

int WSAStartup(std::uint16_t versionRequested, WSAData& data)
{
    const int major = versionRequested & 0xFF;
    const int minor = versionRequested >> 8;
    if (major < 1 || (major == 1 && minor < 1))
        return WSAVERNOTSUPPORTED;
    data = WSAData{};
    data.wVersion = 0x0101;
    data.wHighVersion = 0x0101;
    std::strcpy(data.szDescription, "Sockets 1.1 over POSIX sockets");
    std::strcpy(data.szSystemStatus, "Running");
    data.iMaxSockets = 1024;
    ++startCount;
    return 0;
}

int WSACleanup()
{
    if (startCount == 0)
        return detail::fail(WSANOTINITIALISED);
    if (--startCount == 0) {
        if (blocking.active)
            blocking.cancelled = true;
        detail::closeAllSockets();
        detail::cancelAllLookups();
    }
    return 0;
}

int WSAGetLastError()
{
    return lastError;
}

int WSACancelBlockingCall()
{
    if (!detail::started())
        return detail::fail(WSANOTINITIALISED);
    if (!blocking.active)
        return detail::fail(WSAEINVAL);
    blocking.cancelled = true;
    return 0;
}

} // namespace winsock
