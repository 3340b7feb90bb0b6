#pragma once
// A control's LostFocus: runs when the focus moves from the control to
// another control of the same window. It does not run when another window or
// a message box is activated (the control only loses the active window, and
// keeps the focus within its own), nor while it already runs: a handler that
// shows a box or moves the focus itself is not entered again. The handler
// runs guarded, once the focus change is complete, unless the control's
// window has been unloaded by then.

#include <QWidget>

#include <functional>
#include <type_traits>

namespace platform {

void OnLostFocus(QWidget* control, std::function<void()> handler);

template <typename Receiver>
void OnLostFocus(QWidget* control, Receiver* receiver,
                 void (std::type_identity_t<Receiver>::*handler)())
{
    OnLostFocus(control, [receiver, handler] { (receiver->*handler)(); });
}

} // namespace platform
