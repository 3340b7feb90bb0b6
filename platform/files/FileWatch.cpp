// Watching the files the program keeps in memory (inotify): a file no event
// named since the program compared it is still as it was. Only bare names are
// watched, in the current directory: they are looked up in the folder the
// process stands in, whatever happens to the paths above it, so a watch of
// that folder and of the file itself sees every change to what the name
// names.

#include "platform/files/FilesDetail.h"

#include <QFile>
#include <QHash>
#include <QPair>

#include <cerrno>
#include <limits.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <memory>

namespace platform {

namespace {

// The folder: a name created, deleted or moved in it; the folder itself
// moved or deleted. What is written to a file is told by the file's own
// watch, so that writing the program's log next to its lists makes no events.
constexpr uint32_t FolderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// The file itself, through whatever name it is changed: written, its status
// or number of names changed, deleted or moved.
constexpr uint32_t FileEvents = IN_MODIFY | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

// File systems whose every change passes through this kernel (magic numbers
// of statfs(2)): network file systems and FUSE are changed by others unseen.
bool LocalFileSystem(const char* path)
{
    struct statfs info {};
    if (::statfs(path, &info) != 0)
        return false;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53:     // ext2, ext3, ext4
    case 0x58465342: // xfs
    case 0x9123683E: // btrfs
    case 0x01021994: // tmpfs
    case 0xF2F52010: // f2fs
    case 0x794C7630: // overlayfs
    case 0x2FC12FC1: // zfs
        return true;
    default:
        return false;
    }
}

using Identity = QPair<quint64, quint64>; // device, inode

struct WatchedFile {
    int descriptor = -1;
    Identity identity;
};

struct Folder {
    quint64 id = 0;
    int descriptor = -1;
    Identity identity;
    QHash<QString, quint64> events;    // folded file name: events that named it
    QHash<QString, WatchedFile> files; // folded file name: its own watch
};

struct Watches {
    int fd = -2; // -2: not opened yet, -1: no inotify to be had
    quint64 lastId = 0;
    QHash<Identity, std::shared_ptr<Folder>> byIdentity;
    QHash<int, std::shared_ptr<Folder>> byDescriptor;
    QHash<quint64, std::shared_ptr<Folder>> byId;
    // A file's watch: its folder and name.
    QHash<int, QPair<std::shared_ptr<Folder>, QString>> fileByDescriptor;

    void Forget(const std::shared_ptr<Folder>& folder)
    {
        for (const WatchedFile& file : std::as_const(folder->files)) {
            ::inotify_rm_watch(fd, file.descriptor);
            fileByDescriptor.remove(file.descriptor);
        }
        ::inotify_rm_watch(fd, folder->descriptor);
        byDescriptor.remove(folder->descriptor);
        byIdentity.remove(folder->identity);
        byId.remove(folder->id);
    }

    void ForgetAll()
    {
        const QList<std::shared_ptr<Folder>> folders = byId.values();
        for (const std::shared_ptr<Folder>& folder : folders)
            Forget(folder);
    }

    // Counts an event of the file name in folder.
    static void Count(Folder& folder, const QString& name)
    {
        const auto entry = folder.events.find(name);
        if (entry != folder.events.end())
            ++*entry;
    }
};

Watches& watches()
{
    static Watches all;
    return all;
}

// Counts the events of count bytes read for the names watched.
void TakeIn(Watches& all, const char* buffer, ssize_t count)
{
    for (ssize_t at = 0; at < count;) {
        const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
        at += ssize_t(sizeof(struct inotify_event) + event->len);
        if (event->mask & IN_Q_OVERFLOW) {
            // Events were lost: nothing watched can be trusted any more.
            all.ForgetAll();
            continue;
        }
        if (const auto file = all.fileByDescriptor.constFind(event->wd);
            file != all.fileByDescriptor.constEnd()) {
            const std::shared_ptr<Folder> folder = file->first;
            const QString name = file->second;
            Watches::Count(*folder, name);
            if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                // A file that left the name is watched anew when compared.
                ::inotify_rm_watch(all.fd, event->wd);
                all.fileByDescriptor.remove(event->wd);
                if (folder->files.value(name).descriptor == event->wd)
                    folder->files.remove(name);
            }
            continue;
        }
        const std::shared_ptr<Folder> folder = all.byDescriptor.value(event->wd);
        if (!folder)
            continue;
        if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) {
            all.Forget(folder);
            continue;
        }
        if (event->len > 0)
            Watches::Count(*folder, QFile::decodeName(event->name).toCaseFolded());
    }
}

int openedFd()
{
    Watches& all = watches();
    if (all.fd == -2) {
        all.fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (all.fd < 0)
            all.fd = -1;
    }
    return all.fd;
}

// The watched folder the process stands in, watched from now on when it was
// not (fresh is then set); nullptr when it cannot be watched.
std::shared_ptr<Folder> CurrentFolder(bool& fresh)
{
    Watches& all = watches();
    struct stat here {};
    if (::stat(".", &here) != 0)
        return nullptr;
    const Identity identity(quint64(here.st_dev), quint64(here.st_ino));
    if (std::shared_ptr<Folder> folder = all.byIdentity.value(identity))
        return folder;
    if (!LocalFileSystem("."))
        return nullptr;
    int descriptor = ::inotify_add_watch(all.fd, ".", FolderEvents);
    if (std::shared_ptr<Folder> stale = all.byDescriptor.value(descriptor)) {
        // Its watch still stands for a folder gone (events not read yet):
        // begun anew.
        all.Forget(stale);
        descriptor = ::inotify_add_watch(all.fd, ".", FolderEvents);
    }
    if (descriptor < 0)
        return nullptr;
    auto folder = std::make_shared<Folder>();
    folder->id = ++all.lastId;
    folder->descriptor = descriptor;
    folder->identity = identity;
    all.byDescriptor.insert(folder->descriptor, folder);
    all.byIdentity.insert(identity, folder);
    all.byId.insert(folder->id, folder);
    fresh = true;
    return folder;
}

} // namespace

bool Watch(const QString& name, const struct stat& info, FileWatch& watch)
{
    watch = FileWatch();
    if (!IsPlainName(name) || !S_ISREG(info.st_mode) || info.st_nlink != 1 || openedFd() < 0)
        return false;
    // A folder, name or file watched from now on may have changed unseen
    // since info was taken: it is trusted from the next comparison on.
    bool fresh = false;
    const std::shared_ptr<Folder> folder = CurrentFolder(fresh);
    if (!folder)
        return false;
    Watches& all = watches();
    const QString key = name.toCaseFolded();
    const Identity identity(quint64(info.st_dev), quint64(info.st_ino));
    const auto file = folder->files.constFind(key);
    if (file == folder->files.constEnd() || file->identity != identity) {
        const int descriptor =
            ::inotify_add_watch(all.fd, QFile::encodeName(name).constData(), FileEvents);
        if (descriptor < 0)
            return false;
        // A file watched already under another name (since renamed onto this
        // one) has one watch: the other name no longer has a watch of its own.
        if (const auto other = all.fileByDescriptor.constFind(descriptor);
            other != all.fileByDescriptor.constEnd() &&
            (other->first != folder || other->second != key)) {
            other->first->files.remove(other->second);
        }
        folder->files.insert(key, WatchedFile{descriptor, identity});
        all.fileByDescriptor.insert(descriptor, qMakePair(folder, key));
        fresh = true;
    }
    const auto entry = folder->events.constFind(key);
    if (entry == folder->events.constEnd()) {
        folder->events.insert(key, 0);
        return false;
    }
    if (fresh)
        return false;
    watch.folder = folder->id;
    watch.name = key;
    watch.seen = *entry;
    return true;
}

void ReadFileEvents()
{
    Watches& all = watches();
    if (all.fd < 0 || all.byId.isEmpty())
        return;
    alignas(struct inotify_event) char buffer[16384];
    // A read that leaves less room than one more event may have left some.
    constexpr ssize_t Full = ssize_t(sizeof buffer - sizeof(struct inotify_event) - NAME_MAX - 1);
    for (;;) {
        const ssize_t count = ::read(all.fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0 && errno != EAGAIN) {
            // What happened meanwhile cannot be known.
            all.ForgetAll();
            return;
        }
        if (count <= 0)
            return;
        TakeIn(all, buffer, count);
        if (count <= Full)
            return;
    }
}

bool Untouched(const FileWatch& watch)
{
    const std::shared_ptr<Folder> folder = watches().byId.value(watch.folder);
    return folder && folder->events.value(watch.name) == watch.seen;
}

} // namespace platform
