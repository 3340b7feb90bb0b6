#pragma once
// The local names a run gave in its download directory, so that no two URLs
// of one run ever share a name: a path given to one URL stays that URL's for
// the rest of the run, and no file is named where the run puts a folder, nor
// a folder where it puts a file. Paths are below the download directory,
// "\"-separated, letter case ignored as the file layer ignores it; names given
// in one download directory say nothing of another (asked of another, the
// names given so far are forgotten). Pure bookkeeping: nothing here looks at
// the disk but through the question Folder is given.

#include <QString>

#include <functional>

namespace runnames {

// path (a full local path) as a path below directory, the download
// directory: path without directory in front.
QString Below(const QString& directory, const QString& path);

// A run starts: it has given no name yet.
void Forget();

// path (folders, then the file name) was given to the URL of key urlKey: it
// stays that URL's, and every folder on its way is a folder of the run.
void Give(const QString& directory, const QString& path, const QString& urlKey);
// The key of the URL the run gave path to; empty when it gave it to none.
QString HolderOf(const QString& directory, const QString& path);
// path is a folder the run puts files in.
bool IsFolder(const QString& directory, const QString& path);

// The folder (ending in "\", or empty) the run puts the files of folder in:
// folder itself, unless a folder on its way stands where the run gave a file,
// or where inTheWay (asked of a path below the download directory) says
// something other than a folder stands: that folder is numbered ("name(1)",
// "name(2)" ...) until neither holds. The answer stays for the run, and its
// folders are the run's.
QString Folder(const QString& directory, const QString& folder,
               const std::function<bool(const QString&)>& inTheWay);

} // namespace runnames
