#pragma once
// How often work that need not follow every event may run.

#include <QtGlobal>

namespace preview {

// The pace of work that must not follow every event: at most one go per
// interval, the first at once.
class Pace {
public:
    explicit Pace(qint64 intervalMs) : interval_(intervalMs) {}
    // True when a go is due at nowMs (and counts it as done).
    bool Take(qint64 nowMs);
    // Milliseconds until the next go is due (0: now).
    qint64 Wait(qint64 nowMs) const;
    void Reset() { last_ = -1; }

private:
    qint64 interval_;
    qint64 last_ = -1;
};

// Milliseconds of a monotonic clock.
qint64 NowMs();

} // namespace preview
