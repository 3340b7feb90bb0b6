#pragma once
// The socket library as the transfer code knows it: version 1.1 calls with
// that interface's names, records, event bits and error numbers, carried out by
// non-blocking POSIX sockets on the GUI thread.
//
// Every call belongs to the GUI thread. A socket starts in blocking mode: its
// connect, send and recv (and gethostbyname) then wait for readiness while the
// event loop keeps running, so timers, commands and notices go on; a handler
// that runs inside such a wait may end it with WSACancelBlockingCall() (the
// call then fails with WSAEINTR) or by closing the socket. WSAAsyncSelect (or
// ioctlsocket FIONBIO != 0) puts a socket into non-blocking mode, where calls
// that cannot finish at once fail with WSAEWOULDBLOCK and notices tell when to
// try again.
//
// Inside a QObject member, call these as winsock::connect(...): the unqualified
// name would find QObject::connect first.

#include <QByteArray>
#include <QObject>

#include <cstdint>
#include <functional>

namespace winsock {

using SOCKET = std::int32_t;
inline constexpr SOCKET INVALID_SOCKET = -1;
inline constexpr int SOCKET_ERROR = -1;

// Handle of an asynchronous name lookup; 0 means the request was not made.
using AsyncHandle = std::int32_t;

// Arguments of socket() that the library supports: socket(AfInet, SockStream, 0).
inline constexpr int AfInet = 2;
inline constexpr int SockStream = 1;

// Event bits of WSAAsyncSelect.
inline constexpr long FD_READ = 0x01;
inline constexpr long FD_WRITE = 0x02;
inline constexpr long FD_CONNECT = 0x10;
inline constexpr long FD_CLOSE = 0x20;

// The one ioctlsocket command: *argp != 0 makes the socket non-blocking.
inline constexpr std::uint32_t FIONBIO = 0x8004667Eu;

// shutdown() directions.
inline constexpr int SD_RECEIVE = 0;
inline constexpr int SD_SEND = 1;
inline constexpr int SD_BOTH = 2;

// What inet_addr returns for a text that is no address.
inline constexpr std::uint32_t InaddrNone = 0xFFFFFFFFu;

// Error numbers, as the log lines show them.
inline constexpr int WSAEINTR = 10004;
inline constexpr int WSAEFAULT = 10014;
inline constexpr int WSAEINVAL = 10022;
inline constexpr int WSAEMFILE = 10024;
inline constexpr int WSAEWOULDBLOCK = 10035;
inline constexpr int WSAEINPROGRESS = 10036;
inline constexpr int WSAEALREADY = 10037;
inline constexpr int WSAENOTSOCK = 10038;
inline constexpr int WSAEMSGSIZE = 10040;
inline constexpr int WSAEPROTOTYPE = 10041;
inline constexpr int WSAEPROTONOSUPPORT = 10043;
inline constexpr int WSAESOCKTNOSUPPORT = 10044;
inline constexpr int WSAEOPNOTSUPP = 10045;
inline constexpr int WSAEAFNOSUPPORT = 10047;
inline constexpr int WSAEADDRINUSE = 10048;
inline constexpr int WSAEADDRNOTAVAIL = 10049;
inline constexpr int WSAENETDOWN = 10050;
inline constexpr int WSAENETUNREACH = 10051;
inline constexpr int WSAENETRESET = 10052;
inline constexpr int WSAECONNABORTED = 10053;
inline constexpr int WSAECONNRESET = 10054;
inline constexpr int WSAENOBUFS = 10055;
inline constexpr int WSAEISCONN = 10056;
inline constexpr int WSAENOTCONN = 10057;
inline constexpr int WSAESHUTDOWN = 10058;
inline constexpr int WSAETIMEDOUT = 10060;
inline constexpr int WSAECONNREFUSED = 10061;
inline constexpr int WSAEHOSTDOWN = 10064;
inline constexpr int WSAEHOSTUNREACH = 10065;
inline constexpr int WSAVERNOTSUPPORTED = 10092;
inline constexpr int WSANOTINITIALISED = 10093;
inline constexpr int WSAHOST_NOT_FOUND = 11001;
inline constexpr int WSATRY_AGAIN = 11002;
inline constexpr int WSANO_RECOVERY = 11003;
inline constexpr int WSANO_DATA = 11004;

// Filled by WSAStartup.
struct WSAData {
    std::uint16_t wVersion = 0;
    std::uint16_t wHighVersion = 0;
    char szDescription[257] = {};
    char szSystemStatus[129] = {};
    std::uint16_t iMaxSockets = 0;
    std::uint16_t iMaxUdpDg = 0;
    char* lpVendorInfo = nullptr;
};

// A resolved host: the pointers lead to the name, an empty alias list and the
// list of 4-byte IPv4 addresses in network byte order, ended by a null pointer.
struct HostEntry {
    char* h_name;
    char** h_aliases;
    std::int16_t h_addrtype; // 2
    std::int16_t h_length;   // 4
    char** h_addr_list;
};

// An IPv4 socket address, 16 bytes; port and address in network byte order.
struct SockAddrIn {
    std::int16_t sin_family;
    std::uint16_t sin_port;
    std::uint32_t sin_addr;
    char sin_zero[8];
};
static_assert(sizeof(SockAddrIn) == 16);

// What the library tells a notice target. `handle` is the socket (select
// notices) or the request handle (name lookups, `event` 0).
struct Notice {
    unsigned message;
    std::int32_t handle;
    long event;
    int error;
};

// Receives the notices of WSAAsyncSelect and WSAAsyncGetHostByName in place of
// a window. The handler runs from the event loop or a yield
// (platform::DoEvents, WaitEvents), never from inside the call that asked for
// the notice; notices of one socket come in the order they arose. A destroyed
// target gets nothing.
class NotifyTarget final : public QObject {
public:
    explicit NotifyTarget(std::function<void(const Notice&)> handler, QObject* parent = nullptr);

    // Runs the handler as an entry from the event loop (platform::runGuarded).
    void deliver(const Notice& notice);

private:
    std::function<void(const Notice&)> handler_;
};

// Starts the library; returns 0 or WSAVERNOTSUPPORTED (below 1.1, low byte
// major). Calls nest: every WSAStartup needs a WSACleanup.
int WSAStartup(std::uint16_t versionRequested, WSAData& data);
// Ends one WSAStartup; the last one closes every socket, cancels the lookups
// and a blocking call. 0 or SOCKET_ERROR (WSANOTINITIALISED).
int WSACleanup();
// The error of the last call that failed.
int WSAGetLastError();

// A new TCP socket in blocking mode, or INVALID_SOCKET. Handles are never
// reused, so a stale handle can never reach another socket.
SOCKET socket(int af, int type, int protocol);
// Blocking: waits until connected or failed (WSAECONNREFUSED ...).
// Non-blocking: fails with WSAEWOULDBLOCK and reports with FD_CONNECT.
int connect(SOCKET s, const SockAddrIn& name, int namelen);
// Blocking: sends everything before it returns. Non-blocking: sends what fits
// now, WSAEWOULDBLOCK when nothing fits (FD_WRITE follows). Never raises SIGPIPE.
int send(SOCKET s, const char* buf, int len, int flags);
// Returns the bytes received (at most len), 0 when the peer closed, or
// SOCKET_ERROR. Blocking: waits for data. Each call re-enables FD_READ. The
// bytes come from the system in large reads and are handed on in the order
// they arrived, whatever len is; MSG_PEEK leaves them for the next call.
int recv(SOCKET s, char* buf, int len, int flags);
int shutdown(SOCKET s, int how);
// Closes the descriptor once; the handle is dead afterwards (WSAENOTSOCK).
// A blocking call waiting on the socket ends with WSAEINTR.
int closesocket(SOCKET s);
// FIONBIO only. Blocking mode cannot come back while events are selected
// (WSAEINVAL): select 0 events first.
int ioctlsocket(SOCKET s, std::uint32_t cmd, std::uint32_t* argp);

// Resolves an IPv4 address, waiting with the event loop running. The entry
// belongs to the library and stays valid until the next gethostbyname.
// nullptr on failure (WSAHOST_NOT_FOUND, WSANO_DATA, WSAEINTR ...).
const HostEntry* gethostbyname(const QByteArray& name);
// A dotted address in network byte order, InaddrNone when invalid.
std::uint32_t inet_addr(const QByteArray& cp);
// The low 16 bits of hostshort in network byte order (ports 1 to 65535).
// (The parentheses keep the C library's htons macro out, where it is defined.)
std::uint16_t(htons)(int hostshort);

// Asks for the events (FD_ bits) on s, sending a Notice with `message` to the
// target for each; 0 stops the notices. Makes the socket non-blocking.
// Conditions already met when it is called are noticed at once (data to read,
// a connected socket that can send, a closed connection). FD_READ comes again
// after a recv while data remains; FD_WRITE after the connection is made, at
// this call, and after a send failed with WSAEWOULDBLOCK; FD_CLOSE once the
// peer closed and everything was read.
int WSAAsyncSelect(SOCKET s, NotifyTarget* target, unsigned message, long events);
// Resolves name off the GUI thread. On success the HostEntry is written to the
// start of buf (its pointers lead into buf) before the Notice arrives; on
// failure buf is untouched and the Notice carries the error. Returns the
// request handle, or 0 when the request could not be made.
AsyncHandle WSAAsyncGetHostByName(NotifyTarget* target, unsigned message, const QByteArray& name,
                                  char* buf, int buflen);
// Drops a pending lookup: its buffer is not touched and no notice comes.
int WSACancelAsyncRequest(AsyncHandle handle);
// Ends the blocking call in progress (it fails with WSAEINTR); WSAEINVAL when
// there is none.
int WSACancelBlockingCall();

} // namespace winsock
