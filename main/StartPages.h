#pragma once
// The start pages a run fetches again into the name they were saved under:
// the last run's, while the program runs, and every one that the index page
// of a download directory lists, also after a new start of the program.

#include <QString>

#include <optional>

namespace startpages {

// The last run's start page: its URL as typed and as named, the download
// folder as a folder of the file system, and the local name it was fetched
// into.
void NoteLastRun(const QString& typedUrl, const QString& namedUrl, const QString& folder,
                 const QString& fileName);
// The local name of the last run's start page when url is its URL (as typed
// or as named) and folder its download folder; "" otherwise.
QString LastRunName(const QString& url, const QString& folder);
// A program that starts knows no last run.
void ForgetLastRun();

// The name (relative to the download directory, with the start directory in
// front when subdirectories are on) of the last entry of the index page
// indexPage (a full path) whose URL is url, both compared without their
// scheme and letter case; nothing when no entry lists url. The page is read
// again only once it changed since it was last read or noted.
std::optional<QString> IndexedName(const QString& indexPage, const QString& url);
// The entry (name, url) was just appended to indexPage, which IndexedName
// was asked about right before.
void NoteIndexed(const QString& indexPage, const QString& name, const QString& url);

} // namespace startpages
