#pragma once
// What the parts of the socket library share: the start-up count, the last
// error, the one blocking call, and the mapping of system errors.

#include <functional>

namespace winsock::detail {

// True while WSAStartup ran more often than WSACleanup.
bool started();

// Records error as the last error and returns SOCKET_ERROR.
int fail(int error);

// Runs the event loop until done() holds. Returns 0, WSAEINTR when
// WSACancelBlockingCall() ended the wait, or WSAEINPROGRESS (without waiting)
// when another blocking call is already waiting further up the stack.
int blockingWait(const std::function<bool()>& done);

// The library's error number for an errno value.
int fromErrno(int err);

// Used by the last WSACleanup.
void closeAllSockets();
void cancelAllLookups();

} // namespace winsock::detail
