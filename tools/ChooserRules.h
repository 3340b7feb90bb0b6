#pragma once
// The chooser's rules without widgets: the modes a caller's filter and title
// select, the save-name rule, the directory-name check, the file patterns and
// the drive list.

#include <QString>
#include <QStringList>

namespace chooser {

// What ChooseFilter and ChooseTitle ask of the chooser.
struct Mode {
    bool directory = false;         // no filter: a directory is chosen
    bool inputFile = false;         // the input-file caller
    bool icon = false;              // the window-icon caller: preview, no "*.*"
    bool downloadDirectory = false; // the download-directory caller: names checked
    bool save = false;              // a task is saved: ".tsk" added, overwrite asked
};
// Reads the caller titles from the language texts.
Mode ModeOf(const QString& filter, const QString& title);

// A save name without any "." (the folder part counts too) gets ".tsk".
QString SaveName(const QString& candidate);

// The text with one "\" at its end.
QString WithBackslash(const QString& text);
// True when a directory name (ending in "\") holds "\\", "/", a ":" after the
// drive's, "*", "?", a double quote, "<", ">" or "|".
bool DirectoryNameRefused(const QString& name);

// The patterns of a filter joined by ";" (blank ones left out).
QStringList Patterns(const QString& filter);
// True when name matches one of the patterns, case-blind.
bool MatchesAny(const QString& name, const QStringList& patterns);
// The names a list shows: those matching one pattern.
QStringList Shown(const QStringList& names, const QStringList& patterns);

// folder & name with one "\" between them.
QString Joined(const QString& folder, const QString& name);
// The folder path as the text box shows it: with a "\" at its end.
QString FolderText(const QString& folder);

// The drives the chooser offers: "C:" (the home folder) and "Z:" (the root).
QStringList Drives();
// The drive ("C:") a program path lies on.
QString DriveOf(const QString& path);

// A typed path: trimmed; one beginning with "/" is a Linux path and becomes
// the program's path for it.
QString ProgramPath(const QString& typed);

// The start folder a caller gives: trimmed, so that a "\ " at its end (as
// the installer passes it) names the folder.
QString StartFolder(const QString& directory);

// True when the text names a folder rather than a file: it ends in "\" or
// names an existing folder.
bool NamesFolder(const QString& path);

} // namespace chooser
