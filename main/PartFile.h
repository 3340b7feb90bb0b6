#pragma once
// The part file. While the target of a transfer holds a copy an earlier run
// saved, the new body is received into a part file beside it, which takes
// the copy's place only once the body arrived whole: a fetch that fails or
// is stopped leaves the copy as it was. Its name is one that every file
// system takes and that the naming gives no downloaded file (IsPartName); it
// begins with ".", so the program's folder lists leave it out. While it
// exists, the record
// "KELPA.PRT" in the current directory names it: a part file left behind by
// an abrupt end is found at the next start without a look at the download
// tree.

#include <QString>

namespace partfile {

// The record's name in the current directory.
extern const QString Record;

// The part file in the folder of target (a program path).
QString Beside(const QString& target);
// Whether the file name of path is the part file's.
bool IsPartFile(const QString& path);
// Whether fileName (without a folder) names the part file, letter case
// ignored as the file layer ignores it.
bool IsPartName(QStringView fileName);

// Writes path, a part file about to be made, into the record.
void Note(const QString& path);
// Deletes the record: its part file is gone.
void Forget();
// Deletes the part file the record names, and the record. Deletes nothing
// that is not a part file.
void RemoveLeftOver();

} // namespace partfile
