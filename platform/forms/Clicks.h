#pragma once
// Click and double click (left button) of a control that has no signal for
// them, such as a label or a text box. The click leaves the press to the
// control; a handled double click is the handler's alone. Both run guarded.
// A control that is disabled, itself or through a frame it lies in, takes no
// click and no double click.

#include <QWidget>

#include <functional>
#include <type_traits>

namespace platform {

void OnClicks(QWidget* control, std::function<void()> click, std::function<void()> doubleClick);

// The same with handlers of receiver; either may be null.
template <typename Receiver>
void OnClicks(QWidget* control, Receiver* receiver, void (std::type_identity_t<Receiver>::*click)(),
              void (std::type_identity_t<Receiver>::*doubleClick)())
{
    const auto bind = [receiver](void (Receiver::*handler)()) -> std::function<void()> {
        if (!handler)
            return {};
        return [receiver, handler] { (receiver->*handler)(); };
    };
    OnClicks(control, bind(click), bind(doubleClick));
}

} // namespace platform
