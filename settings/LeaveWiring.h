#pragma once
// Leaving a text box (LostFocus): the handler runs when the focus moves from
// the box to another control of the program, not when another window or a
// message box is activated, and never while it is already running.

#include "platform/pump/Pump.h"

#include <QWidget>

#include <functional>

namespace settings {

void OnLostFocus(QWidget* control, std::function<void()> handler);

template <typename Receiver>
void OnLostFocus(QWidget* control, Receiver* receiver, void (Receiver::*handler)())
{
    OnLostFocus(control, [receiver, handler] { (receiver->*handler)(); });
}

} // namespace settings
