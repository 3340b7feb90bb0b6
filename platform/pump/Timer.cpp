#include "platform/pump/Timer.h"

#include "platform/pump/Pump.h"

namespace platform {

Timer::Timer(QObject* parent) : QObject(parent)
{
    timer_.setTimerType(Qt::CoarseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { runGuarded([this] { fire(); }); });
}

void Timer::setHandler(std::function<void()> handler)
{
    handler_ = std::move(handler);
}

void Timer::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void Timer::setInterval(int ms)
{
    interval_ = ms < 0 ? 0 : ms;
    restart();
}

void Timer::restart()
{
    if (enabled_ && interval_ > 0)
        timer_.start(interval_);
    else
        timer_.stop();
}

void Timer::fire()
{
    if (running_ || !handler_)
        return;
    running_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{running_};
    handler_();
}

} // namespace platform
