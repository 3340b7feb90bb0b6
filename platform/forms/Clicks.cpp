#include "platform/forms/Clicks.h"

#include "platform/pump/Pump.h"

#include <QEvent>
#include <QMouseEvent>

namespace platform {

namespace {

class ClickFilter final : public QObject {
public:
    ClickFilter(QWidget* control, std::function<void()> click, std::function<void()> doubleClick)
        : QObject(control), control_(control), click_(std::move(click)),
          doubleClick_(std::move(doubleClick))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto type = event->type();
        if ((type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) ||
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton || !control_->isEnabled())
            return QObject::eventFilter(watched, event);
        const std::function<void()>& handler =
            type == QEvent::MouseButtonPress ? click_ : doubleClick_;
        if (handler)
            runGuarded(handler);
        return type == QEvent::MouseButtonDblClick && handler;
    }

private:
    QWidget* control_; // a disabled control, or one in a disabled frame, takes no click
    std::function<void()> click_;
    std::function<void()> doubleClick_;
};

} // namespace

void OnClicks(QWidget* control, std::function<void()> click, std::function<void()> doubleClick)
{
    new ClickFilter(control, std::move(click), std::move(doubleClick));
}

} // namespace platform
