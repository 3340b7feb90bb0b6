#pragma once
// The part files. Every download is received into a part file and takes its
// name only once it arrived whole (platform::Apart): a fetch that fails, is
// cut short or stopped leaves no file under the name, or the earlier copy as
// it was, and no other copy of the program ever sees a part of it. A run's
// part files lie in a hidden folder of the download directory that is this
// process's alone (".kelpa-part-" and the process id), so that receiving one
// never changes the folder its file goes to. Part files and their folders
// have names that every file system takes and that the naming gives no
// downloaded file (IsPartName); they begin with ".", so the program's folder
// lists leave them out. While a run has a part folder, the record
// "KELPA.PRT" in the current directory names it: a part file left behind by
// an abrupt end is found at the next start without a look at the download
// tree.

#include "platform/files/Files.h"

#include <QString>

namespace partfile {

// The record's name in the current directory.
extern const QString Record;

// Whether the file name of path is a part file's or a part folder's.
bool IsPartFile(const QString& path);
// Whether fileName (without a folder) is a part file's name: ".kelpa-part",
// alone or followed by numbers each after a "-", letter case ignored as the
// file layer ignores it.
bool IsPartName(QStringView fileName);

// Opens a part file for target under fileNumber, in the part folder of
// directory (made and recorded at its first use in a run), under a name no
// other part file there has; sets apart. Returns 0, or the error of the
// making.
int Make(const QString& directory, const QString& target, int fileNumber, platform::Apart& apart);
// Deletes every part folder and part file the record names, with what they
// hold, and the record; the next Make starts a part folder anew. Deletes
// nothing that is not named as a part file. At start-up, at the end of a
// run and at the exit.
void RemoveLeftOver();

} // namespace partfile
