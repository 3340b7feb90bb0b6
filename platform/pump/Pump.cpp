#include "platform/pump/Pump.h"

#include "platform/files/Files.h"
#include "platform/pump/Frames.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <optional>
#include <unistd.h>

namespace platform {

namespace {

unsigned long long yields = 0;
bool testEnding = false;
bool ended = false;
std::optional<ProgramEnded> pendingEnd;

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

void DoEvents()
{
    ++yields;
    LimitFrames();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    rethrowPendingEnd();
}

void WaitEvents(int maxMs)
{
    // The timer bounds the wait; WaitForMoreEvents sleeps until it or any other
    // event arrives.
    ++yields;
    LimitFrames();
    QTimer bound;
    bound.setSingleShot(true);
    bound.start(maxMs > 0 ? maxMs : 0);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
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
