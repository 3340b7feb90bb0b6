// Host names to IPv4 addresses: getaddrinfo runs on a small pool of worker
// threads and its result is posted back to the GUI thread, where it fills the
// caller's buffer (asynchronous lookups) or ends the wait of gethostbyname.
// Names under "localhost" and ".invalid" are answered without asking the
// resolver (RFC 6761), so they never reach the network.

#include "platform/winsock/Winsock.h"
#include "platform/winsock/WinsockInternal.h"

#include <QPointer>
#include <QThreadPool>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

namespace winsock {

namespace {

// One request, shared between the GUI thread and its worker. The worker
// writes the result before it posts; the GUI thread reads it after.
struct Lookup {
    AsyncHandle handle = 0; // 0 for gethostbyname
    QByteArray name;
    std::atomic<bool> cancelled{false};
    int error = 0;
    QByteArray canonicalName;
    std::vector<std::uint32_t> addresses; // network byte order
    bool done = false;                    // GUI thread only
};

struct Pending {
    std::shared_ptr<Lookup> lookup;
    QPointer<NotifyTarget> target;
    unsigned message;
    char* buf;
    int buflen;
};

std::map<AsyncHandle, Pending> pending;
AsyncHandle nextRequest = 1;

// More addresses than this are not handed on.
constexpr std::size_t MaxAddresses = 8;

// The workers and the object on the GUI thread that their results are posted
// to. The pool is destroyed first and waits for lookups still running.
struct Resolver {
    QObject receiver;
    QThreadPool pool;
    Resolver() { pool.setMaxThreadCount(4); }
};

Resolver& resolver()
{
    static Resolver instance;
    return instance;
}

int fromGaiError(int code)
{
    switch (code) {
    case EAI_NONAME:
        return WSAHOST_NOT_FOUND;
    case EAI_AGAIN:
        return WSATRY_AGAIN;
    case EAI_NODATA:
    case EAI_ADDRFAMILY:
        return WSANO_DATA;
    case EAI_MEMORY:
        return WSAENOBUFS;
    default:
        return WSANO_RECOVERY;
    }
}

bool underDomain(const QByteArray& name, const QByteArray& domain)
{
    return name == domain || name.endsWith('.' + domain);
}

// Runs on a worker thread.
void resolve(Lookup& l)
{
    QByteArray name = l.name.toLower();
    if (name.endsWith('.'))
        name.chop(1);
    if (name.isEmpty() || underDomain(name, "invalid")) {
        l.error = WSAHOST_NOT_FOUND;
        return;
    }
    if (underDomain(name, "localhost")) {
        l.canonicalName = name;
        l.addresses = {qToBigEndian<std::uint32_t>(0x7F000001)};
        return;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int code = ::getaddrinfo(l.name.constData(), nullptr, &hints, &found);
    if (code != 0) {
        l.error = fromGaiError(code);
        return;
    }
    l.canonicalName = found->ai_canonname ? QByteArray(found->ai_canonname) : l.name;
    for (const addrinfo* a = found; a && l.addresses.size() < MaxAddresses; a = a->ai_next) {
        const auto address = reinterpret_cast<const sockaddr_in*>(a->ai_addr)->sin_addr.s_addr;
        if (std::find(l.addresses.begin(), l.addresses.end(), address) == l.addresses.end())
            l.addresses.push_back(address);
    }
    ::freeaddrinfo(found);
    if (l.addresses.empty())
        l.error = WSANO_DATA;
}

void complete(const std::shared_ptr<Lookup>& lookup);

void start(const std::shared_ptr<Lookup>& lookup)
{
    Resolver& r = resolver();
    r.pool.start([lookup, receiver = &r.receiver] {
        if (lookup->cancelled)
            return;
        resolve(*lookup);
        QMetaObject::invokeMethod(
            receiver, [lookup] { complete(lookup); }, Qt::QueuedConnection);
    });
}

std::size_t alignedOffset(const char* base, std::size_t offset)
{
    constexpr std::uintptr_t a = alignof(char*);
    const std::uintptr_t p = (reinterpret_cast<std::uintptr_t>(base) + offset + a - 1) & ~(a - 1);
    return p - reinterpret_cast<std::uintptr_t>(base);
}

// Lays a host entry out in buf: the entry, the alias list (empty), the address
// list, the addresses, the name. False when it does not fit.
bool writeHostEntry(const Lookup& l, char* buf, int buflen)
{
    const std::size_t count = l.addresses.size();
    const std::size_t aliasesAt = alignedOffset(buf, sizeof(HostEntry));
    const std::size_t listAt = aliasesAt + sizeof(char*);
    const std::size_t addressesAt = listAt + (count + 1) * sizeof(char*);
    const std::size_t nameAt = addressesAt + 4 * count;
    if (nameAt + std::size_t(l.canonicalName.size()) + 1 > std::size_t(buflen))
        return false;
    auto aliases = reinterpret_cast<char**>(buf + aliasesAt);
    auto list = reinterpret_cast<char**>(buf + listAt);
    aliases[0] = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        list[i] = buf + addressesAt + 4 * i;
        std::memcpy(list[i], &l.addresses[i], 4);
    }
    list[count] = nullptr;
    std::memcpy(buf + nameAt, l.canonicalName.constData(), l.canonicalName.size() + 1);
    const HostEntry entry{buf + nameAt, aliases, AfInet, 4, list};
    std::memcpy(buf, &entry, sizeof entry);
    return true;
}

void complete(const std::shared_ptr<Lookup>& lookup)
{
    lookup->done = true;
    if (lookup->handle == 0 || lookup->cancelled)
        return;
    const auto it = pending.find(lookup->handle);
    if (it == pending.end())
        return;
    const Pending request = it->second;
    pending.erase(it);
    int error = lookup->error;
    if (error == 0 && !writeHostEntry(*lookup, request.buf, request.buflen))
        error = WSAENOBUFS;
    if (request.target)
        request.target->deliver({request.message, lookup->handle, 0, error});
}

// The entry that gethostbyname hands out, kept until the next call.
struct HostStore {
    HostEntry entry{};
    QByteArray name;
    std::vector<std::uint32_t> addresses;
    std::vector<char*> list;
    char* aliases[1] = {nullptr};
};

const HostEntry* store(const Lookup& l)
{
    static HostStore s;
    s.name = l.canonicalName;
    s.addresses = l.addresses;
    s.list.clear();
    for (std::uint32_t& address : s.addresses)
        s.list.push_back(reinterpret_cast<char*>(&address));
    s.list.push_back(nullptr);
    s.entry = {s.name.data(), s.aliases, AfInet, 4, s.list.data()};
    return &s.entry;
}

} // namespace

namespace detail {

void cancelAllLookups()
{
    for (auto& [handle, request] : pending)
        request.lookup->cancelled = true;
    pending.clear();
    resolver().pool.clear();
}

} // namespace detail

const HostEntry* gethostbyname(const QByteArray& name)
{
    if (!detail::started()) {
        detail::fail(WSANOTINITIALISED);
        return nullptr;
    }
    auto lookup = std::make_shared<Lookup>();
    lookup->name = name;
    start(lookup);
    const int waited = detail::blockingWait([&lookup] { return lookup->done; });
    if (waited != 0) {
        lookup->cancelled = true;
        detail::fail(waited);
        return nullptr;
    }
    if (lookup->error != 0) {
        detail::fail(lookup->error);
        return nullptr;
    }
    return store(*lookup);
}

std::uint32_t inet_addr(const QByteArray& cp)
{
    in_addr address{};
    if (cp.isEmpty() || ::inet_aton(cp.constData(), &address) == 0)
        return InaddrNone;
    return address.s_addr;
}

std::uint16_t(htons)(int hostshort)
{
    return qToBigEndian(std::uint16_t(hostshort));
}

AsyncHandle WSAAsyncGetHostByName(NotifyTarget* target, unsigned message, const QByteArray& name,
                                  char* buf, int buflen)
{
    const int error = !detail::started()    ? WSANOTINITIALISED
                      : !target             ? WSAEINVAL
                      : !buf || buflen <= 0 ? WSAEFAULT
                                            : 0;
    if (error != 0) {
        detail::fail(error);
        return 0;
    }
    auto lookup = std::make_shared<Lookup>();
    lookup->handle = nextRequest++;
    lookup->name = name;
    pending.emplace(lookup->handle, Pending{lookup, target, message, buf, buflen});
    start(lookup);
    return lookup->handle;
}

int WSACancelAsyncRequest(AsyncHandle handle)
{
    if (!detail::started())
        return detail::fail(WSANOTINITIALISED);
    const auto it = pending.find(handle);
    if (it == pending.end())
        return detail::fail(handle > 0 && handle < nextRequest ? WSAEALREADY : WSAEINVAL);
    it->second.lookup->cancelled = true;
    pending.erase(it);
    return 0;
}

} // namespace winsock
