#pragma once
// System services below the windows: the recycle bin, shutting the computer
// down, and the system directory. Paths are program paths (platform/files).

#include <QString>

#include <functional>

namespace platform {

// --- the recycle bin --------------------------------------------------------
// The one file operation the program asks for: FO_DELETE with FOF_ALLOWUNDO.
enum FileOperationCode : int { FO_DELETE = 3, FOF_ALLOWUNDO = 64 };
// Results: 0 done; otherwise nothing was changed.
enum FileOperationResult : int {
    FileOperationDone = 0,
    FileOperationNotFound = 2,     // pFrom does not exist
    FileOperationRefused = 5,      // the trash did not take it
    FileOperationUnsupported = 120 // any operation but a delete into the bin
};

// Moves the file or folder pFrom (one program path) to the user's trash, the
// freedesktop trash of its volume ($XDG_DATA_HOME/Trash for the home volume),
// when wFunc is FO_DELETE and fFlags holds FOF_ALLOWUNDO. Succeeds only when
// the trash holds it afterwards and pFrom is gone; never deletes outright.
int SHFileOperationA(int wFunc, const QString& pFrom, int fFlags);

using FileOperationHook = std::function<int(int wFunc, const QString& pFrom, int fFlags)>;
FileOperationHook SetFileOperationHook(FileOperationHook hook);

// --- shutting down ------------------------------------------------------------
enum ExitWindowsFlag : int { EWX_SHUTDOWN = 1 };

// With EWX_SHUTDOWN asks the system to power off (systemctl poweroff) and
// returns 1 when the request was started, without waiting for it. Returns 0
// for any other flags, and always 0 (doing nothing) until
// EnableSystemShutdown() has been called, so that no test can ever power the
// machine off: only the program's main() enables it.
int ExitWindowsEx(int flags);
void EnableSystemShutdown();

// Tests see the request here instead (enabled or not).
using ExitWindowsHook = std::function<int(int flags)>;
ExitWindowsHook SetExitWindowsHook(ExitWindowsHook hook);

// --- the system directory -------------------------------------------------------
// Where the installer puts shared files and its check looks for them, the
// system directory: a folder of the user's own, $XDG_DATA_HOME/kelpa/system
// (default ~/.local/share/kelpa/system); never a system path. Asking creates
// nothing: whoever copies a file there makes the folder first. Returned as a
// program path without a trailing "\".
QString GetSystemDirectoryA();

} // namespace platform
