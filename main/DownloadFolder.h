#pragma once
// The download directory: the folder the setting names, and why a run cannot
// write in it or in the working folder.

#include "platform/files/Files.h"

#include <QString>
#include <QStringList>

namespace downloadfolder {

// The folder the setting directory names, ending in "\": a setting without
// a drive lies below currentDirectory (unless that begins with it), an
// empty one or "\" is currentDirectory itself.
QString Absolute(const QString& directory, const QString& currentDirectory);

// Why files cannot be created in folder, in the chosen language, as lines:
// the heading, the folder and the fault; none when state holds no fault.
QStringList Problem(const QString& folder, const platform::FolderState& state);

// Whether a folder on the way from directory (the download directory, ending
// in "\") to directory & folder (a relative folder) is a symbolic link that
// leads out of directory, or nowhere: a file saved there would land outside.
// Folders that are not there yet lead nowhere else. Each folder is looked at
// once, until ForgetLinks.
bool LeadsOut(const QString& directory, const QString& folder);
// A run starts: links may have come or gone meanwhile.
void ForgetLinks();

// Why the file of the working folder (a work list or the protocol) could not
// be written with error, as lines: the heading, the folder and the file with
// the cause.
QStringList WriteProblem(const QString& folder, const QString& file, int error);

} // namespace downloadfolder
