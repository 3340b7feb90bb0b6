#include "platform/pump/Pump.h"

#include "platform/files/Files.h"
#include "platform/pump/Frames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <optional>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

unsigned long long yields = 0;
bool testEnding = false;
bool ended = false;
std::optional<ProgramEnded> pendingEnd;

std::vector<bool (*)()>& yieldHooks()
{
    static std::vector<bool (*)()> hooks;
    return hooks;
}

// Runs the hooks; true when one of them delivered anything.
bool runYieldHooks()
{
    bool delivered = false;
    for (std::size_t i = 0; i < yieldHooks().size(); ++i)
        delivered = yieldHooks()[i]() || delivered;
    return delivered;
}

// The clock of the last pass of the event loop that asked the system.
QElapsedTimer& lastLook()
{
    static QElapsedTimer clock;
    return clock;
}

bool lookedLately()
{
    return lastLook().isValid() && lastLook().nsecsElapsed() < qint64(LookIntervalUs) * 1000;
}

void look(QEventLoop::ProcessEventsFlags flags)
{
    QCoreApplication::processEvents(flags);
    lastLook().start();
}

// One pass that does not wait: posted events always, the system's events
// (input, timers, sockets) when it was not asked lately.
void passWithoutWaiting()
{
    if (lookedLately())
        QCoreApplication::sendPostedEvents();
    else
        look(QEventLoop::AllEvents);
}

// Carries an ending caught at a Qt boundary on through our own frames.
void rethrowPendingEnd()
{
    if (pendingEnd) {
        const ProgramEnded end = *pendingEnd;
        pendingEnd.reset();
        throw end;
    }
}

} // namespace

unsigned long long YieldCount()
{
    return yields;
}

void AddYieldHook(bool (*hook)())
{
    yieldHooks().push_back(hook);
}

void DoEvents()
{
    ++yields;
    LimitFrames();
    runYieldHooks();
    passWithoutWaiting();
    rethrowPendingEnd();
}

void WaitEvents(int maxMs)
{
    // The timer bounds the wait; WaitForMoreEvents sleeps until it or any other
    // event arrives.
    ++yields;
    LimitFrames();
    if (runYieldHooks()) {
        passWithoutWaiting();
        rethrowPendingEnd();
        return;
    }
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(maxMs > 0 ? maxMs : 0);
    look(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    rethrowPendingEnd();
}

void EndProgram(int exitCode)
{
    CloseAllFiles();
    ReleaseLockFile();
    if (testEnding) {
        ended = true;
        throw ProgramEnded{exitCode};
    }
    ::_exit(exitCode);
}

void setTestEnding(bool enabled)
{
    testEnding = enabled;
}

bool programEnded()
{
    return ended;
}

void clearProgramEnded()
{
    ended = false;
    pendingEnd.reset();
}

namespace detail {
void notePendingEnd(const ProgramEnded& end)
{
    pendingEnd = end;
}
} // namespace detail

} // namespace platform
