// Listing a folder with a pattern of "*" and "?", case-blind, as the
// program's file boxes and its clean-ups need it.

#include "platform/files/FilesDetail.h"

#include <QFile>

#include <algorithm>
#include <dirent.h>

namespace platform {

using namespace filesdetail;

namespace {

// "*" stands for any run of characters, "?" for exactly one. Both texts are
// compared case-folded.
bool wildcardMatch(const QString& name, const QString& pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;  // pattern position after the last "*"
    qsizetype starName = 0; // name position that "*" was last matched up to
    while (n < name.size()) {
        if (p < pattern.size() && pattern.at(p) == QLatin1Char('*')) {
            starAt = ++p;
            starName = n;
        } else if (p < pattern.size() &&
                   (pattern.at(p) == QLatin1Char('?') || pattern.at(p) == name.at(n))) {
            ++p;
            ++n;
        } else if (starAt >= 0) {
            p = starAt;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern.at(p) == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}

// A pattern ending in ".*" also takes names without any extension ("*.*"
// takes every name, "KELPA.*" takes "KELPA").
bool matches(const QString& name, const QString& pattern)
{
    const QString foldedName = name.toCaseFolded();
    if (wildcardMatch(foldedName, pattern))
        return true;
    return pattern.endsWith(QLatin1String(".*")) && !name.contains(QLatin1Char('.')) &&
           wildcardMatch(foldedName, pattern.chopped(2));
}

bool isFolderEntry(const QString& folder, const dirent& entry)
{
    if (entry.d_type == DT_DIR)
        return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN)
        return false;
    return isDirectory(folder + QLatin1Char('/') + QFile::decodeName(entry.d_name));
}

void sortNames(QStringList& names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int blind = a.compare(b, Qt::CaseInsensitive);
        return blind != 0 ? blind < 0 : a < b;
    });
}

} // namespace

bool NameMatches(const QString& name, const QString& pattern)
{
    return matches(name, pattern.toCaseFolded());
}

FolderEntries ListFolder(const QString& folder)
{
    FolderEntries entries;
    QString linuxFolder;
    if (resolve(folder, linuxFolder) != ErrNone)
        return entries;
    DIR* dir = ::opendir(encoded(linuxFolder).constData());
    if (dir == nullptr)
        return entries;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = entryName(entry->d_name);
        if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
            continue;
        (isFolderEntry(linuxFolder, *entry) ? entries.folders : entries.files).append(name);
    }
    ::closedir(dir);
    sortNames(entries.files);
    sortNames(entries.folders);
    return entries;
}

QStringList DirList(const QString& pattern, bool folders)
{
    QString text = pattern;
    text.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const bool hasDrive = text.size() >= 2 && text.at(1) == QLatin1Char(':');
    const qsizetype split = qMax(text.lastIndexOf(QLatin1Char('\\')), hasDrive ? 1 : -1);
    QString namePattern = text.mid(split + 1).toCaseFolded();
    if (namePattern.isEmpty())
        namePattern = QStringLiteral("*");
    QString folder;
    if (resolve(text.left(split + 1), folder) != ErrNone)
        return {};
    DIR* dir = ::opendir(encoded(folder).constData());
    if (dir == nullptr)
        return {};
    QStringList names;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = entryName(entry->d_name);
        // Names beginning with "." are hidden here, as hidden files are there.
        if (name.isEmpty() || name.startsWith(QLatin1Char('.')) || !matches(name, namePattern))
            continue;
        if (folders || !isFolderEntry(folder, *entry))
            names.append(name);
    }
    ::closedir(dir);
    sortNames(names);
    return names;
}

} // namespace platform
