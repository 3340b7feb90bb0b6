#include "platform/forms/OuterGeometry.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace platform {

namespace {

const char* const PendingName = "PendingOuterGeometry";

// The frame the window system adds around the window, in pixels.
QSize FrameExtra(const QWidget* window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    return {outer.width() - inner.width(), outer.height() - inner.height()};
}

void Apply(QWidget* window, const QRect& outer)
{
    const QSize extra = FrameExtra(window);
    window->move(outer.topLeft());
    window->resize(std::max(0, outer.width() - extra.width()),
                   std::max(0, outer.height() - extra.height()));
}

// Waits for the first event after which the window has a frame, then places
// the window again and goes.
class PendingOuterGeometry final : public QObject {
public:
    PendingOuterGeometry(QWidget* window, const QRect& outer)
        : QObject(window), window_(window), outer_(outer)
    {
        setObjectName(QLatin1String(PendingName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::WindowActivate:
        case QEvent::Expose:
            if (window_ && !FrameExtra(window_).isNull()) {
                QWidget* window = window_;
                window_ = nullptr; // placing the window sends events of its own
                window->removeEventFilter(this);
                deleteLater();
                Apply(window, outer_);
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> window_;
    QRect outer_;
};

} // namespace

void SetOuterGeometry(QWidget* window, const QRect& outer)
{
    if (QObject* pending =
            window->findChild<QObject*>(QLatin1String(PendingName), Qt::FindDirectChildrenOnly)) {
        window->removeEventFilter(pending);
        delete pending;
    }
    Apply(window, outer);
    if (window->isWindow() && FrameExtra(window).isNull())
        new PendingOuterGeometry(window, outer);
}

} // namespace platform
