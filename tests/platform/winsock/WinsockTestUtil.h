#pragma once
// What the socket tests share: the loopback address of a test server, a wait
// that yields as the program does, and a notice target that keeps what it got.

#include "platform/pump/Pump.h"
#include "platform/winsock/Winsock.h"

#include <QElapsedTimer>
#include <QList>

#include <algorithm>
#include <cstring>
#include <functional>

namespace winsocktest {

inline winsock::SockAddrIn loopback(int port)
{
    winsock::SockAddrIn address{
        winsock::AfInet, winsock::htons(port), winsock::inet_addr("127.0.0.1"), {}};
    std::memset(address.sin_zero, ' ', sizeof address.sin_zero);
    return address;
}

// Yields to the event loop the way the program waits, until done() or ms pass.
inline bool waitUntil(const std::function<bool()>& done, int ms = 5000)
{
    QElapsedTimer wall;
    wall.start();
    while (!done() && wall.elapsed() < ms)
        platform::WaitEvents(50);
    return done();
}

// Collects the notices, as the program's hidden control sets its flag.
struct Notices {
    QList<winsock::Notice> seen;
    winsock::NotifyTarget target{[this](const winsock::Notice& n) { seen.append(n); }};

    int count(long event) const
    {
        return int(std::count_if(seen.begin(), seen.end(),
                                 [event](const winsock::Notice& n) { return n.event == event; }));
    }
    const winsock::Notice* last(long event) const
    {
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            if (it->event == event)
                return &*it;
        }
        return nullptr;
    }
};

} // namespace winsocktest
