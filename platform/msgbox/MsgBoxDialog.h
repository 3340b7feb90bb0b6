#pragma once
// The real message box: a modal QMessageBox built from a style (MsgBox.h).
// The program installs it once at start-up; tests install a script.

#include <QString>

namespace platform {

// Shows prompt in a modal box over the active window and waits (the event loop
// keeps running) until the user answers; returns the answer code (MsgBox.h).
// An empty title shows the application's display name. The prompt is plain
// text: markup in it is shown as it stands. Escape and the close button answer
// OK in an OK box and Cancel where there is a Cancel button; Yes/No and
// Abort/Retry/Ignore boxes cannot be closed without a button.
int MsgBoxDialog(const QString& prompt, int style, const QString& title);

// Shows prompt in a box with an OK button that does not wait: the caller goes
// on at once, and the box closes itself after a while or when OK is pressed.
void NoticeDialog(const QString& prompt, int style, const QString& title);

// Makes MsgBoxDialog the handler of MsgBox() and NoticeDialog that of
// MsgBoxNotice(). Called by the program's main().
void InstallMsgBoxDialog();

} // namespace platform
