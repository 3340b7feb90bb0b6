#pragma once
// The installation directory as the user typed it, made into the folder the
// installer works on. Program paths ("C:\Tools\Kelpa\"), no widgets.

#include <QString>
#include <QStringList>

namespace setup {

// The text of the directory box as a directory ending in "\": trimmed, "\"
// appended when missing, and made absolute unless it names a drive ("X:" at
// its start) or begins with currentDirectory (letter case aside). A path
// beginning with "\" gets the whole current directory in front of it, any
// other the current directory and "\". An empty text is the current
// directory. currentDirectory is as the system gives it: without a trailing
// "\" except at a drive's root.
QString TargetDirectory(const QString& text, const QString& currentDirectory);

// The folders to create, one level after the other, for a directory ending
// in "\": "C:\A\B\" gives "C:", "C:\A" and "C:\A\B", the whole directory
// last. Making one that exists fails harmlessly.
QStringList DirectoryLevels(const QString& directory);

// True when the directory holds a double quote or a control character: the
// group's entries could not name its files.
bool TargetPathRefused(const QString& directory);

} // namespace setup
