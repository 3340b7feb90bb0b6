#pragma once
// The removal program: asks twice, waits two seconds, deletes the installed
// program's files and work files from the installation folder, deletes the
// program group "Kelpa" and tells what it did. Its texts are English only.
// No widgets of its own: it asks through platform::MsgBox.

#include <QList>
#include <QString>
#include <QStringList>

namespace removal {

// Every box's title.
inline const QString Title = QStringLiteral("Velkaro Tolvexall");

// The files deleted from the installation folder, in order; matched case-blind.
const QStringList& RemovedFiles();

// A listed file that is still there after the deletion, and why: the
// program's error number of its deletion, or InUse when a running kelpa
// holds it and it was left alone.
struct Leftover {
    QString Name;
    int Error;
};
inline constexpr int InUse = -1;

// The last box's prompt for the installation in folder: the success message
// when nothing is left; otherwise what is left, by cause, and the group still
// standing (group: its folder, empty when it is gone or was kept on purpose
// for files that are left).
QString FinalPrompt(const QString& folder, const QList<Leftover>& left, const QString& group);

// The whole program on the installation in folder (a program path without a
// trailing "\", the removal program's own folder). The wait after the second
// answer lasts waitMs, sleeping in the event loop.
//
// While a running kelpa holds its lock file there, that lock file and
// KELPA.EXE are left alone; the lock is held by this program (and the file
// never emptied) while it deletes, so no kelpa starts there meanwhile. While
// listed files are left, the group stays with the Tolvexall entry and every
// entry whose file is left, so that the program still starts and the removal
// can be run again; the other entries go. The last box names every listed
// file that existed and is still there, with its cause, and the group when it
// should have gone and is still there.
void Tolvexall(const QString& folder, int waitMs = 2000);

} // namespace removal
