#include "platform/forms/LostFocus.h"

#include "platform/forms/Form.h"
#include "platform/pump/Pump.h"

#include <QApplication>
#include <QPointer>

#include <memory>

namespace platform {

namespace {

// Whether control lies in a window that was unloaded: its controls are back
// in their design state, so nothing there lost the focus any more.
bool InUnloadedForm(const QWidget* control)
{
    for (const QWidget* w = control; w != nullptr; w = w->parentWidget())
        if (const auto* form = qobject_cast<const Form*>(w))
            return !form->Loaded();
    return false;
}

} // namespace

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
                             [control, handler, running] {
                                 if (*running || InUnloadedForm(control))
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
