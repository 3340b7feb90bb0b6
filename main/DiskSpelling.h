#pragma once
// How a local name below the download directory is spelled on the disk. The
// file layer finds names case-blind and reuses an existing entry that differs
// only in case, while a link in a saved page is followed on a case-sensitive
// disk: it has to name the file as the file layer stores it.

#include <QString>

namespace diskspelling {

// path, a relative path below directory ("\"-separated folders and, unless it
// ends in "\", a file name), as the file layer finds or makes it: a folder or
// file that exists in some letter case is spelled as it is on disk. A missing
// folder is spelled as the first path asked for named it since the program
// started, so that a folder made under this spelling has the spelling that
// every earlier answer gave it. A missing file keeps its spelling, and so
// does a path that cannot be looked up.
// Each path is looked up once a run: the answer stays until ForgetAnswers,
// since the program makes every file and folder of the run in the spelling
// answered here.
QString Spelled(const QString& directory, const QString& path);

// A run starts: files and folders may have gone or come meanwhile.
void ForgetAnswers();

} // namespace diskspelling
