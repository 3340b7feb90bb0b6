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

NoticeHandler& noticeHandler()
{
    static NoticeHandler current;
    return current;
}
} // namespace

NoticeHandler SetNoticeHandler(NoticeHandler h)
{
    return std::exchange(noticeHandler(), std::move(h));
}

void MsgBoxNotice(const QString& prompt, int style, const QString& title)
{
    if (noticeHandler())
        noticeHandler()(prompt, style, title);
    else
        MsgBox(prompt, style, title);
}

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
