#pragma once
// The download directory as the options window edits it: which names are
// refused, the directory "Auto" derives from the start URL, and how a typed
// directory is made absolute. Paths are program paths ("C:\sites\x\").

#include <QString>

namespace settings {

// True when text holds a character a directory name cannot: two backslashes
// in a row, "/", a ":" after the drive letter's, "*", "?", a double quote,
// "<", ">" or "|".
bool DirectoryNameRefused(const QString& text);

// True when the standard directory is set: neither empty nor a lone "\".
bool StandardDirectorySet(const QString& standardDirectory);

// directory and name joined by one backslash, never two: the current
// directory may be a drive root that ends with one already.
QString JoinDirectory(const QString& directory, const QString& name);

// The folder name "Auto" derives from a start URL (trimmed, "http://"
// dropped): host/dir/sub/page.html gives host_dir_sub, host/dir/ host_dir,
// host/page.html and host alone host; every ":" becomes "_".
QString AutoDirName(const QString& url);

// The directory box's text after "Auto": the standard directory (when set)
// or the current directory joined with the URL's folder name and a "\";
// the box text as it was when the URL gives no name. Either way "*", "?",
// the double quote, "<", ">" and "|" become "$".
QString AutoDirectory(const QString& url, const QString& boxText, const QString& standardDirectory,
                      const QString& currentDirectory);

// A checked directory text made absolute and ending in one "\": relative to
// the current directory unless it names a drive or begins with the current
// directory (letter case aside); empty or "\" gives the current directory.
QString AbsoluteDirectory(const QString& text, const QString& currentDirectory);

} // namespace settings
