#pragma once
// The part file. While the target of a transfer holds a copy an earlier run
// saved, the new body is received into a part file beside it, which takes
// the copy's place only once the body arrived whole: a fetch that fails or
// is stopped leaves the copy as it was. Every part file has a name of its
// own, made exclusively, so that no two transfers (of this copy of the
// program or of another saving into the same folder) ever share one. Its
// name is one that every file system takes and that the naming gives no
// downloaded file (IsPartName); it begins with ".", so the program's folder
// lists leave it out. While it exists, the record "KELPA.PRT" in the current
// directory names it: a part file left behind by an abrupt end is found at
// the next start without a look at the download tree.

#include <QString>

namespace partfile {

// The record's name in the current directory.
extern const QString Record;

// Whether the file name of path is a part file's.
bool IsPartFile(const QString& path);
// Whether fileName (without a folder) is a part file's name: ".kelpa-part",
// alone or followed by numbers each after a "-", letter case ignored as the
// file layer ignores it.
bool IsPartName(QStringView fileName);

// Makes a part file in the folder of target, under a name no other part file
// has: ".kelpa-part-" and the process id, with "-" and a count added while
// that is taken. Opens it for Output under fileNumber, records it and sets
// path to it; returns 0, or the error of the making (path empty then).
int Make(const QString& target, int fileNumber, QString& path);
// Deletes the record: its part file is gone.
void Forget();
// Deletes the part file the record names, and the record. Deletes nothing
// that is not a part file.
void RemoveLeftOver();

} // namespace partfile
