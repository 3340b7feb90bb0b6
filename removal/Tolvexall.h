#pragma once
// The removal program: asks twice, waits two seconds, deletes the installed
// program's files and work files from the installation folder, deletes the
// program group "Kelpa" and tells what it did. Its texts are English only.
// No widgets of its own: it asks through platform::MsgBox.

#include <QString>
#include <QStringList>

namespace removal {

// Every box's title.
inline const QString Title = QStringLiteral("Velkaro Tolvexall");

// The files deleted from the installation folder, in order; matched case-blind.
const QStringList& RemovedFiles();

// The whole program on the installation in folder (a program path without a
// trailing "\", the removal program's own folder). The wait after the second
// answer lasts waitMs, sleeping in the event loop.
//
// While a running kelpa holds its lock file there, that lock file and
// KELPA.EXE are left alone; the lock is held by this program (and the file
// never emptied) while it deletes, so no kelpa starts there meanwhile. The
// last box names every listed file that existed and is still there, and the
// group when it is still there.
void Tolvexall(const QString& folder, int waitMs = 2000);

} // namespace removal
