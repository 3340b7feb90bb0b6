#pragma once
// The download directory: the folder the setting names, and why a run cannot
// write in it.

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

} // namespace downloadfolder
