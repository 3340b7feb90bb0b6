#pragma once
// The one function through which the program asks the user anything.

#include <QString>

#include <functional>

namespace platform {

// Answer codes, as the program tests them.
enum MsgBoxAnswer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// Style numbers are the sum of buttons, icon and default button:
//   buttons 0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No,
//   5 Retry/Cancel; icon 16 critical, 32 question, 48 exclamation,
//   64 information; default button 0 first, 256 second, 512 third.
// CR LF (or LF) in the prompt breaks the line. Returns the answer code.
int MsgBox(const QString& prompt, int style = 0, const QString& title = QString());

// A box that does not wait: shown with its OK button, it closes itself after a
// while (or on OK) and the caller goes on at once. For messages a run started
// without anybody at the screen must not wait for.
void MsgBoxNotice(const QString& prompt, int style = 0, const QString& title = QString());

// Who answers: the real box (installed by the program at start-up) or a test
// script. Without a handler, MsgBox() aborts: no box may appear unplanned.
// Returns the handler it replaces, so that a test script can put it back.
using MsgBoxHandler = std::function<int(const QString& prompt, int style, const QString& title)>;
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// Who shows a notice. Without one, a notice goes to the MsgBox() handler.
using NoticeHandler = std::function<void(const QString& prompt, int style, const QString& title)>;
NoticeHandler SetNoticeHandler(NoticeHandler handler);

} // namespace platform
