#pragma once
// The desktop's services for documents and windows: open a document, page or
// mail address with its program, show a text file in the text editor, keep a
// window above the others. Paths are program paths (platform/files).
//
// Every opening goes through a test hook when one is set: the hook gets the
// call's arguments and returns the result in place of the desktop.

#include <QString>

#include <functional>

class QWidget;

namespace platform {

// Results of ShellExecuteA, as the program tests them: above 32 the program
// was started; 2 the file does not exist; 31 no program takes it.
enum ShellResult : int { SE_ERR_FNF = 2, SE_ERR_NOASSOC = 31, SE_STARTED = 33 };

// Opens file with the program the desktop associates with it. file is a page
// or mail address ("http://...", "mailto:..."), a "file://" URL (also in the
// program's own form "file:///C|/dir/page.htm") or a program path; a relative
// path is taken from directory when that is given, else from the current
// directory. A local file is checked first: 2 when it does not exist.
int ShellExecuteA(const QString& file, const QString& directory = QString());

// Shows the text file path in the desktop's text editor; false when the file
// does not exist or nothing could show it. Never waits for the editor.
bool OpenInTextEditor(const QString& path);

// Window order for SetWindowPos: above all other windows, or back among them.
enum WindowOrder : int { HWND_TOPMOST = -1, HWND_NOTOPMOST = -2 };

// Keeps the top-level window above the others (HWND_TOPMOST) or ends that
// (HWND_NOTOPMOST), without moving or sizing it; a shown window stays shown.
// Returns 1, or 0 when window is not a top-level window.
int SetWindowPos(QWidget* window, int insertAfter);

// Test hooks; each returns the hook it replaces. An empty function gives the
// call back to the desktop.
using ShellExecuteHook = std::function<int(const QString& file, const QString& directory)>;
ShellExecuteHook SetShellExecuteHook(ShellExecuteHook hook);
using TextEditorHook = std::function<bool(const QString& path)>;
TextEditorHook SetTextEditorHook(TextEditorHook hook);

} // namespace platform
