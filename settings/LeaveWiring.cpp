#include "settings/LeaveWiring.h"

#include <QEvent>
#include <QFocusEvent>

namespace settings {

namespace {

class LeaveFilter final : public QObject {
public:
    LeaveFilter(QObject* parent, std::function<void()> handler)
        : QObject(parent), handler_(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut && !running_) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
                running_ = true;
                platform::runGuarded([this] { handler_(); });
                running_ = false;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> handler_;
    bool running_ = false;
};

} // namespace

void OnLostFocus(QWidget* control, std::function<void()> handler)
{
    control->installEventFilter(new LeaveFilter(control, std::move(handler)));
}

} // namespace settings
