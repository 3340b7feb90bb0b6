#include "platform/forms/LostFocus.h"

#include "platform/pump/Pump.h"

#include <QApplication>
#include <QPointer>

#include <memory>

namespace platform {

void OnLostFocus(QWidget* control, std::function<void()> handler)
{
    auto running = std::make_shared<bool>(false);
    QObject::connect(qApp, &QApplication::focusChanged, control,
                     [control, handler = std::move(handler), running](QWidget* old, QWidget* now) {
                         if (old != control || !now || now == control ||
                             now->window() != control->window())
                             return;
                         if (*running)
                             return;
                         // Queued: the handler may show a box or move the focus, which must
                         // not happen inside the window system's own focus change.
                         QMetaObject::invokeMethod(
                             control,
                             [handler, running] {
                                 if (*running)
                                     return;
                                 *running = true;
                                 struct Clear {
                                     bool& flag;
                                     ~Clear() { flag = false; }
                                 } clear{*running};
                                 runGuarded(handler);
                             },
                             Qt::QueuedConnection);
                     });
}

} // namespace platform
