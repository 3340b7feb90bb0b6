#pragma once
// Which URL each file of a download directory holds. A fetch that puts a file
// in place appends a record to the directory's hidden list ".kelpa-files":
// the URL, then the file's path below the directory, one line each (CR LF,
// UTF-8), as the work lists hold their records. The last record of a path
// tells whose the file there is: a later fetch of the same URL replaces it,
// a fetch of another URL is numbered away, whichever working folder the run
// works in. A line cut short by an abrupt end is no record. The list is read
// once a run and then only what was appended to it since; while it holds
// many more records than paths, reading it writes it anew with one record a
// path (replaced whole, never left in part).

#include <QString>

namespace savedfiles {

// The list's name in a download directory.
inline const QString ListName = QStringLiteral(".kelpa-files");
// Whether name (a file name) is the list's, letter case ignored.
bool IsListName(QStringView name);

// url as the list compares it: without its scheme (a link with "https://" is
// fetched over plain HTTP into the same file), letter case ignored.
QString UrlKey(const QString& url);

// The UrlKey of the URL whose fetch last put a file at path (a program path
// below directory, the download directory ending in "\"); empty when the
// list of directory names none.
QString OwnerOf(const QString& directory, const QString& path);
// A fetch of url put its file at path: the record is appended to the list of
// directory, created when missing. Returns 0 or the error of the writing.
int Note(const QString& directory, const QString& url, const QString& path);
// A run starts: the list is read again when it is next asked.
void Forget();

} // namespace savedfiles
