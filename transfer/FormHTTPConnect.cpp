// Name resolution, the connection to the server and the socket notices.

#include "transfer/FormHTTP.h"

#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"
#include "transfer/FormHTTPDetail.h"

#include <cstring>

using namespace KELPA;

namespace {

// The resolved host entry, copied from the resolver's.
winsock::HostEntry HostEntry;
// The address Connect connects the socket to.
winsock::SockAddrIn ServerAddress;

using httpdetail::LogIfAsked;

constexpr int LookupBufferSize = 1024;
constexpr int ConnectPasses = 20000;
constexpr int MaxConnectAttempts = 3;

// The host entry of the last blocking resolution (owned by the library).
const winsock::HostEntry* blockingEntry = nullptr;

} // namespace

void FormHTTP::AsyncAufruf_MouseMove()
{
    AsyncSignal = httpdetail::NoticeArrived;
}

int FormHTTP::WaitForNotice(int passes)
{
    for (int pass = 0; passes <= 0 || pass < passes; ++pass) {
        if (AsyncSignal == httpdetail::NoticeArrived || AbortTransfer == 1)
            return pass;
        platform::WaitEvents(httpdetail::PassMs);
    }
    return passes;
}

void FormHTTP::DomainNameServerAnfrage()
{
    HostAddress = 0;
    lookupBuffer_.fill('\0', LookupBufferSize);
    blockingEntry = nullptr;
    if (GetHostByNameBlocking == 1) {
        StatusCaption = Caption();
        SetCaption(LanguageText[155] + QStringLiteral("WinSockCall: GETHOSTBYNAME"));
        LogIfAsked(Caption());
        platform::DoEvents();
        blockingEntry = winsock::gethostbyname(HostName.toUtf8());
        CallResult = winsock::WSAGetLastError();
        SetCaption(StatusCaption);
        ZeigerAuslesen();
        return;
    }
    TimerDNSLookUp.setInterval(ConnectTO * 1000);
    TimerDNSLookUp.setEnabled(true);
    AsyncSignal.clear();
    noticeError_ = 0;
    const winsock::AsyncHandle request =
        winsock::WSAAsyncGetHostByName(AsyncAufruf, httpdetail::NoticeMessage, HostName.toUtf8(),
                                       lookupBuffer_.data(), LookupBufferSize);
    if (request != 0)
        WaitForNotice(0);
    TimerDNSLookUp.setEnabled(false);
    if (AbortTransfer == 1) {
        winsock::WSACancelAsyncRequest(request);
        return;
    }
    CallResult = request == 0 ? winsock::WSAGetLastError() : noticeError_;
    ZeigerAuslesen();
}

void FormHTTP::ZeigerAuslesen()
{
    const bool asynchronous = GetHostByNameBlocking != 1;
    const winsock::HostEntry* entry =
        asynchronous ? reinterpret_cast<const winsock::HostEntry*>(lookupBuffer_.constData())
                     : blockingEntry;
    if (!entry)
        return;
    std::memcpy(&HostEntry, entry, sizeof HostEntry);
    HostAddress = 0;
    if (HostEntry.h_addr_list && HostEntry.h_addr_list[0])
        std::memcpy(&HostAddress, HostEntry.h_addr_list[0], sizeof HostAddress);
}

// One connection attempt's connect on Socket; true when it failed for good.
bool FormHTTP::ConnectFailed()
{
    ServerAddress.sin_family = winsock::AfInet;
    ServerAddress.sin_port = winsock::htons(Port);
    ServerAddress.sin_addr = static_cast<uint32_t>(HostAddress);
    std::memset(ServerAddress.sin_zero, ' ', sizeof ServerAddress.sin_zero);
    if (ConnectBlocking == 1) {
        SetCaption(LanguageText[155] + QStringLiteral("WinSockCall: CONNECT"));
        LogIfAsked(Caption());
        platform::DoEvents();
        const bool failed = winsock::connect(Socket, ServerAddress, 16) == winsock::SOCKET_ERROR;
        if (failed)
            CallResult = winsock::WSAGetLastError();
        SetCaption(QStringLiteral(" "));
        return failed;
    }
    TimerConnect.setInterval(ConnectTO * 1000);
    TimerConnect.setEnabled(true);
    noticeError_ = 0;
    AsyncSignal.clear();
    winsock::WSAAsyncSelect(Socket, AsyncAufruf, httpdetail::NoticeMessage,
                            winsock::FD_READ | winsock::FD_WRITE | winsock::FD_CONNECT |
                                winsock::FD_CLOSE);
    // A connect refused at once (an address or port no connection can use)
    // fails the attempt at once, as in blocking mode.
    if (winsock::connect(Socket, ServerAddress, 16) == winsock::SOCKET_ERROR) {
        const int error = winsock::WSAGetLastError();
        if (error != winsock::WSAEWOULDBLOCK && error != winsock::WSAEALREADY &&
            error != winsock::WSAEISCONN) {
            CallResult = error;
            TimerConnect.setEnabled(false);
            return true;
        }
    }
    bool failed = false;
    while (AbortTransfer == 0) {
        WaitForNotice(ConnectPasses);
        if (AbortTransfer == 1)
            break;
        AsyncSignal.clear();
        if (winsock::connect(Socket, ServerAddress, 16) == 0)
            break;
        const int error = winsock::WSAGetLastError();
        if (error == winsock::WSAEISCONN)
            break;
        if (error != winsock::WSAEALREADY && error != winsock::WSAEWOULDBLOCK) {
            CallResult = noticeError_ != 0 ? noticeError_ : error;
            failed = true;
            break;
        }
    }
    TimerConnect.setEnabled(false);
    return failed;
}

bool FormHTTP::Connect()
{
    FormKelpa& form = FormKelpa::Instance();
    int16_t attempts = 0;
    for (;;) {
        form.IndiLED(QStringLiteral("sende"));
        platform::DoEvents();
        Socket = winsock::INVALID_SOCKET;
        if (AbortTransfer == 1)
            return false;
        if (HostName != LastHost || HostAddress == 0 || HostAddress == -1) {
            SetCaption(QStringLiteral("Searching '") + HostName + QStringLiteral("'..."));
            LogIfAsked(Caption());
            HostAddress = 0;
            if (HostName.size() > 3) {
                bool hostIsName = false;
                for (const QChar c : HostName)
                    hostIsName = hostIsName || c > QLatin1Char('9');
                LastHost = HostName;
                if (hostIsName) {
                    DomainNameServerAnfrage();
                    if (AbortTransfer == 1)
                        return false;
                } else {
                    HostAddress = static_cast<int32_t>(winsock::inet_addr(HostName.toLatin1()));
                    CallResult = winsock::WSAHOST_NOT_FOUND;
                }
            } else {
                CallResult = winsock::WSAHOST_NOT_FOUND;
            }
        }
        if (HostAddress == 0 || HostAddress == -1) {
            LastHost.clear();
            SetCaption(QStringLiteral("Host: '") + HostName + LanguageText[120] +
                       QStringLiteral(" (Error ") + platform::Trim(platform::Str(CallResult)) +
                       QStringLiteral(")"));
            form.logging(Relocated == 1 ? QStringLiteral("Location: ") + Caption() : Caption());
            AbortTransfer = 1;
            return false;
        }
        Socket = winsock::socket(winsock::AfInet, winsock::SockStream, 0);
        const bool noSocket = Socket == winsock::INVALID_SOCKET;
        if (noSocket)
            CallResult = winsock::WSAGetLastError();
        else if (!ConnectFailed())
            return AbortTransfer == 0;
        if (AbortTransfer == 1)
            return false;
        if (++attempts >= MaxConnectAttempts) {
            SetCaption(noSocket ? LanguageText[130] + QStringLiteral("(Error ")
                                : QStringLiteral(
                                      "Server-connection-error or no network connection! (Error "));
            SetCaption(Caption() + platform::Trim(platform::Str(CallResult)) + QStringLiteral(")"));
            form.logging(Caption());
            AbortTransfer = 1;
            return false;
        }
        winsock::WSACancelBlockingCall();
        httpdetail::CloseSocket();
    }
}
