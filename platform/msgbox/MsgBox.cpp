#include "platform/msgbox/MsgBox.h"

#include <QtGlobal>

#include <utility>

namespace platform {

namespace {
MsgBoxHandler& handler()
{
    static MsgBoxHandler current;
    return current;
}
} // namespace

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler h)
{
    return std::exchange(handler(), std::move(h));
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    if (!handler())
        qFatal("message box without a handler: %s", qPrintable(prompt));
    return handler()(prompt, style, title);
}

} // namespace platform
