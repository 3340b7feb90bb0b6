#pragma once
// Wiring of a control's event to its handler (CommandStart_Click and so on).
// A handler runs when code sets the value as well as when the user does:
// connect Change to textChanged/valueChanged, a check box's Click to
// stateChanged, an option button's Click to toggled(true), a list's Click to
// currentRowChanged, a menu entry's Click to triggered.

#include "platform/forms/FrameStyle.h"
#include "platform/forms/Twips.h"
#include "platform/pump/Pump.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QObject>
#include <QRadioButton>

#include <type_traits>

namespace platform {

// Runs receiver->handler() whenever sender emits signal; the signal's
// arguments are not passed on. The call is guarded as an entry from Qt.
template <typename Sender, typename Signal, typename Receiver>
QMetaObject::Connection On(Sender* sender, Signal signal, Receiver* receiver,
                           void (Receiver::*handler)())
{
    return QObject::connect(sender, signal, receiver,
                            [receiver, handler] { runGuarded([&] { (receiver->*handler)(); }); });
}

// An option button's Click: runs only when it becomes selected.
template <typename Receiver>
QMetaObject::Connection OnSelected(QAbstractButton* option, Receiver* receiver,
                                   void (Receiver::*handler)())
{
    return QObject::connect(option, &QAbstractButton::toggled, receiver,
                            [receiver, handler](bool on) {
                                if (on)
                                    runGuarded([&] { (receiver->*handler)(); });
                            });
}

// Clears an option button without running a handler and without selecting
// another: a writer that wants the Click of an option that is already
// selected clears it first and then selects it.
inline void ClearOption(QRadioButton* option)
{
    const bool exclusive = option->autoExclusive();
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(exclusive);
}

// Creates a control of type T named name (objectName too) inside parent. A
// frame carries its caption on its border, as the windows are designed.
template <typename T> T* Control(QWidget* parent, const char* name)
{
    auto* control = new T(parent);
    control->setObjectName(QLatin1String(name));
    if constexpr (std::is_base_of_v<QGroupBox, T>)
        CaptionOnBorder(control);
    return control;
}

// The same, placed at r in parent.
template <typename T> T* Placed(QWidget* parent, const char* name, const TwipsRect& r)
{
    T* control = Control<T>(parent, name);
    Move(control, r);
    return control;
}

} // namespace platform
