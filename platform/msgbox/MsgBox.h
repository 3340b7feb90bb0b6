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

// A style is the sum of buttons, icon and default button, written as
// vbYesNo | vbQuestion | vbDefaultButton2 (an int); a part left out is the
// first of its kind (OK only, no icon, the first button). The compiler warns
// when an answer name is mixed in.
enum MsgBoxStyle : int {
    // Buttons, left to right.
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    // Icon.
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    // Which button Enter presses.
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512
};

// The bits of each part of a style, for taking a style apart.
constexpr int MsgBoxButtonsMask = 0x00F;
constexpr int MsgBoxIconMask = 0x070;
constexpr int MsgBoxDefaultMask = 0x300;

// CR LF (or LF) in the prompt breaks the line. Returns the answer code.
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

// A box that does not wait: shown with its OK button, it closes itself after a
// while (or on OK) and the caller goes on at once. For messages a run started
// without anybody at the screen must not wait for.
void MsgBoxNotice(const QString& prompt, int style = vbOKOnly, const QString& title = QString());

// Who answers: the real box (installed by the program at start-up) or a test
// script. Without a handler, MsgBox() aborts: no box may appear unplanned.
// Returns the handler it replaces, so that a test script can put it back.
using MsgBoxHandler = std::function<int(const QString& prompt, int style, const QString& title)>;
MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);

// Who shows a notice. Without one, a notice goes to the MsgBox() handler.
using NoticeHandler = std::function<void(const QString& prompt, int style, const QString& title)>;
NoticeHandler SetNoticeHandler(NoticeHandler handler);

} // namespace platform
