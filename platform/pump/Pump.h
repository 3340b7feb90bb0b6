#pragma once
// The one way a lasting command yields to the event loop. Everything runs on
// the GUI thread: a run does not return while it lasts, and its waits let
// timers, sockets and window events run through these functions.

namespace platform {

// Runs every pending event once and returns (the program's DoEvents).
// Never blocks. After it returns, shared state may have changed. Posted
// events and the yield hooks run at every call; the system (sockets, timers,
// input) is asked at most once every LookIntervalUs, so a run that yields
// after every small step does not ask it after every step.
void DoEvents();

// Waits until at least one event arrives or maxMs milliseconds pass, runs what
// arrived and returns. Sleeps in the event loop: never spins the CPU. What a
// yield hook delivers counts as an event that arrived.
void WaitEvents(int maxMs);

// How often DoEvents() asks the system at most, in microseconds.
constexpr int LookIntervalUs = 2000;

// Adds work that every yield runs first, before the event loop: hook
// delivers what waits for the event loop and tells whether it delivered
// anything. Hooks are never removed; each must stay callable.
void AddYieldHook(bool (*hook)());

// How many times DoEvents() and WaitEvents() were entered. What other
// processes change is seen by the program through its yields: whoever keeps
// a file's contents in memory checks the file again once this has changed.
unsigned long long YieldCount();

// Ends the program: closes every open file (the lock file last) and exits the
// process. Never returns. Tests replace the ending through setEndHook().
[[noreturn]] void EndProgram(int exitCode = 0);

// Thrown by the test ending instead of exiting the process.
struct ProgramEnded {
    int exitCode;
};

// Test hook: while enabled, EndProgram() throws ProgramEnded. The exception is
// caught at every entry from Qt into the program (runGuarded) and thrown again
// from the next DoEvents()/WaitEvents() on the stack, so it unwinds only
// through the program's own frames.
void setTestEnding(bool enabled);
bool programEnded(); // EndProgram() ran since the test ending was enabled
void clearProgramEnded();

// Calls fn at an entry from the event loop (a timer tick, a control's handler,
// a socket notification). Under the test ending it keeps ProgramEnded from
// crossing Qt's frames; otherwise it just calls fn.
template <typename Fn> void runGuarded(Fn&& fn);

namespace detail {
void notePendingEnd(const ProgramEnded& ended);
}

template <typename Fn> void runGuarded(Fn&& fn)
{
    try {
        fn();
    } catch (const ProgramEnded& ended) {
        detail::notePendingEnd(ended);
    }
}

} // namespace platform
