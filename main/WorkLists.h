#pragma once
// The program's own work lists and files in its directory, and whether a file
// the user names, or a downloaded file would take, is one of them.

#include <QString>
#include <QStringList>

namespace worklists {

// The lists a run writes, empties or deletes in the current directory.
const QStringList& Names();

// The name (as Names() spells it) of the list that path (relative to the
// current directory, or a full program path) is, matched case-blind as the
// file layer does; empty when it is none of them.
QString WorkListNamed(const QString& path);

inline bool IsWorkList(const QString& path)
{
    return !WorkListNamed(path).isEmpty();
}

// Whether path names one of the files the program keeps in the current
// directory (the work lists, "KELPA.INI", "KELPA.LOG", "KELPA.TMP",
// "KELPA.BAK", the scratch file "~.TMP", the example task "TEST.TSK", the
// part file's record "KELPA.PRT" and the record of the unfinished work's
// folder "KELPA.DIR"), matched as WorkListNamed does.
// Their content is the program's own, whatever a server sends: a
// downloaded file never takes such a name, even when it does not exist yet
// or is empty. Costs a look at the folder only when the file name matches.
bool IsOwnFile(const QString& path);

// The files a run keeps in the download directory itself: the index page and
// the e-mail list.
inline const QString IndexPage = QStringLiteral("_Index.html");
inline const QString MailList = QStringLiteral("MailTo.txt");

// The same for those two files: true when path names one of them directly in
// directory (compared case-blind as text).
bool IsDownloadListFile(const QString& directory, const QString& path);

// Either of the above: one of the program's own files in the working folder,
// or the index page or e-mail list in directory, the download directory.
bool IsProgramFile(const QString& directory, const QString& path);

// What makes two work-list records one record: the URL line compared with
// letter case ignored, the local-name line compared exactly, both without
// the blanks around them, which every reader of a list trims. Two records
// with equal keys are fetched alike, under the same local name.
QString RecordKey(const QString& url, const QString& name);

// Whether a downloaded file must be numbered away from path: a file of that
// path holds data, or path is one of the program's own files (IsProgramFile).
bool NameTaken(const QString& directory, const QString& path);

} // namespace worklists
