#include "platform/pump/Frames.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>

#include <vector>

namespace platform {

namespace {

// Holds back a window's paint request that comes within a frame interval of
// its last paint, and sends it again when the interval is over. A request
// held back is the window's only one: its paint machinery waits for it before
// it asks again.
class FrameLimiter : public QObject {
public:
    FrameLimiter()
    {
        clock_.start();
        due_.setSingleShot(true);
        connect(&due_, &QTimer::timeout, this, [this] { SendHeld(); });
    }

    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() != QEvent::UpdateRequest || !target->isWidgetType() || resending_)
            return false;
        const qint64 now = clock_.elapsed();
        const qint64 wait = lastPaint_ + FrameIntervalMs - now;
        if (lastPaint_ < 0 || wait <= 0) {
            lastPaint_ = now;
            return false;
        }
        Hold(target);
        if (!due_.isActive())
            due_.start(int(wait));
        return true;
    }

private:
    void Hold(QObject* target)
    {
        for (const QPointer<QObject>& held : held_)
            if (held == target)
                return;
        held_.emplace_back(target);
    }

    void SendHeld()
    {
        std::vector<QPointer<QObject>> held;
        held.swap(held_);
        lastPaint_ = clock_.elapsed();
        resending_ = true;
        for (const QPointer<QObject>& target : held) {
            QEvent request(QEvent::UpdateRequest);
            if (target)
                QCoreApplication::sendEvent(target, &request);
        }
        resending_ = false;
    }

    QElapsedTimer clock_;
    qint64 lastPaint_ = -1;
    QTimer due_;
    bool resending_ = false;
    std::vector<QPointer<QObject>> held_;
};

} // namespace

void LimitFrames()
{
    static QPointer<FrameLimiter> limiter;
    if (limiter || QCoreApplication::instance() == nullptr)
        return;
    limiter = new FrameLimiter;
    limiter->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(limiter);
}

} // namespace platform
