#pragma once
// One of the program's timers: Enabled and Interval behave as the program
// expects of them, and a tick never re-enters a handler that still runs.

#include <QObject>
#include <QTimer>

#include <functional>

namespace platform {

class Timer final : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // The handler runs on every tick while Enabled is true and Interval > 0.
    void setHandler(std::function<void()> handler);

    bool Enabled() const { return enabled_; }
    // Enabling a disabled timer starts the countdown from the beginning;
    // setting Enabled to the value it has changes nothing.
    void setEnabled(bool enabled);

    int Interval() const { return interval_; }
    // A new interval restarts the countdown; 0 stops ticking but keeps Enabled.
    void setInterval(int ms);

    // Runs the handler once now, as a tick would (tests; the caller's own call).
    void fire();

private:
    void restart();

    QTimer timer_;
    std::function<void()> handler_;
    bool enabled_ = false;
    int interval_ = 0;
    bool running_ = false;
};

} // namespace platform
