// The case-blind step of a lookup: when a name does not exist with the case
// given, the entry of its folder that differs only in case is used. Folder
// listings are kept, so that a folder of ten thousand files is read once and
// not at every lookup. A listing stays valid while the folder's modification
// time and identity are unchanged; our own creations and removals update it.

#include "platform/files/FilesDetail.h"

#include <QFile>
#include <QHash>

#include <dirent.h>

namespace platform::filesdetail {

namespace {

struct FolderListing {
    dev_t device = 0;
    ino_t inode = 0;
    struct timespec modified = {};
    QHash<QString, QString> byFoldedName; // folded name -> name on disk
};

// Folders beyond this many make the cache start over: it holds listings of
// the folders a run works in, not of the whole disk.
constexpr qsizetype MaxFolders = 256;

QHash<QString, FolderListing>& cache()
{
    static QHash<QString, FolderListing> listings;
    return listings;
}

QString folded(const QString& name)
{
    return name.toCaseFolded();
}

void stamp(FolderListing& listing, const struct stat& info)
{
    listing.device = info.st_dev;
    listing.inode = info.st_ino;
    listing.modified = info.st_mtim;
}

bool isCurrent(const FolderListing& listing, const struct stat& info)
{
    return listing.device == info.st_dev && listing.inode == info.st_ino &&
           listing.modified.tv_sec == info.st_mtim.tv_sec &&
           listing.modified.tv_nsec == info.st_mtim.tv_nsec;
}

// Of several names that differ only in case, the lowest in code order wins,
// so that a lookup always finds the same one.
void addName(FolderListing& listing, const QString& name)
{
    const QString key = folded(name);
    const auto found = listing.byFoldedName.constFind(key);
    if (found == listing.byFoldedName.cend() || name < *found)
        listing.byFoldedName.insert(key, name);
}

bool readFolder(const QString& folder, FolderListing& listing)
{
    DIR* dir = ::opendir(encoded(folder).constData());
    if (dir == nullptr)
        return false;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = entryName(entry->d_name);
        if (!name.isEmpty())
            addName(listing, name);
    }
    ::closedir(dir);
    return true;
}

} // namespace

QString caseBlindEntry(const QString& folder, const QString& name, const struct stat* known)
{
    struct stat info;
    if (known != nullptr)
        info = *known;
    else if (!statPath(folder, info))
        return QString();
    if (!S_ISDIR(info.st_mode))
        return QString();
    auto& listings = cache();
    auto found = listings.find(folder);
    if (found == listings.end() || !isCurrent(*found, info)) {
        FolderListing listing;
        stamp(listing, info);
        if (!readFolder(folder, listing))
            return QString();
        if (found == listings.end() && listings.size() >= MaxFolders)
            listings.clear();
        found = listings.insert(folder, listing);
    }
    return found->byFoldedName.value(folded(name));
}

void noteAdded(const QString& linuxPath)
{
    auto& listings = cache();
    const QString folder = parentOf(linuxPath);
    const auto found = listings.find(folder);
    if (found == listings.end())
        return;
    struct stat info;
    if (!statPath(folder, info)) {
        listings.erase(found);
        return;
    }
    addName(*found, nameOf(linuxPath));
    stamp(*found, info);
}

void noteRemoved(const QString& linuxPath)
{
    cache().remove(parentOf(linuxPath));
    cache().remove(linuxPath);
}

} // namespace platform::filesdetail
