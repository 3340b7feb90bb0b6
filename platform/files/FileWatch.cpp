// Watching the folders of files the program keeps in memory (inotify): a file
// no event named since the program compared it is still as it was.

#include "platform/files/FilesDetail.h"

#include <QFile>
#include <QHash>

#include <cerrno>
#include <limits.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <memory>

namespace platform {

namespace {

// What can change a file or the name it has: written or emptied, its status
// changed (a new link, times set, permissions), a name created, deleted or
// moved in the folder, or the folder itself moved or deleted.
constexpr uint32_t WatchedEvents = IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                   IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

// File systems whose every change passes through this kernel (magic numbers
// of statfs(2)): network file systems and FUSE are changed by others unseen.
bool LocalFileSystem(const QString& folder)
{
    struct statfs info {};
    if (::statfs(QFile::encodeName(folder).constData(), &info) != 0)
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

struct Folder {
    quint64 id = 0;
    int descriptor = -1;
    QHash<QString, quint64> events; // folded file name: events that named it
};

struct Watches {
    int fd = -2; // -2: not opened yet, -1: no inotify to be had
    quint64 lastId = 0;
    QHash<QString, std::shared_ptr<Folder>> byPath;
    QHash<int, std::shared_ptr<Folder>> byDescriptor;
    QHash<quint64, std::shared_ptr<Folder>> byId;

    void Forget(int descriptor)
    {
        const std::shared_ptr<Folder> folder = byDescriptor.take(descriptor);
        if (!folder)
            return;
        byId.remove(folder->id);
        for (auto it = byPath.begin(); it != byPath.end();)
            it = it.value() == folder ? byPath.erase(it) : std::next(it);
    }

    void ForgetAll()
    {
        for (const auto& folder : std::as_const(byDescriptor))
            ::inotify_rm_watch(fd, folder->descriptor);
        byPath.clear();
        byDescriptor.clear();
        byId.clear();
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
        if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) {
            if (!(event->mask & IN_IGNORED))
                ::inotify_rm_watch(all.fd, event->wd);
            all.Forget(event->wd);
            continue;
        }
        const std::shared_ptr<Folder> folder = all.byDescriptor.value(event->wd);
        if (!folder || event->len == 0)
            continue;
        const auto entry = folder->events.find(QFile::decodeName(event->name).toCaseFolded());
        if (entry != folder->events.end())
            ++*entry;
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

} // namespace

bool Watch(const QString& linuxPath, const struct stat& info, FileWatch& watch)
{
    watch = FileWatch();
    const qsizetype slash = linuxPath.lastIndexOf(QLatin1Char('/'));
    if (!S_ISREG(info.st_mode) || info.st_nlink != 1 || slash < 0 || openedFd() < 0)
        return false;
    Watches& all = watches();
    const QString folderPath = slash == 0 ? QStringLiteral("/") : linuxPath.left(slash);
    // A folder or a name watched from now on may have changed unseen since
    // info was taken: it is trusted from the next comparison on.
    bool fresh = false;
    std::shared_ptr<Folder> folder = all.byPath.value(folderPath);
    if (!folder) {
        fresh = true;
        if (!LocalFileSystem(folderPath))
            return false;
        const int descriptor =
            ::inotify_add_watch(all.fd, QFile::encodeName(folderPath).constData(), WatchedEvents);
        if (descriptor < 0)
            return false;
        // Two paths of one folder share its watch.
        folder = all.byDescriptor.value(descriptor);
        if (!folder) {
            folder = std::make_shared<Folder>();
            folder->id = ++all.lastId;
            folder->descriptor = descriptor;
            all.byDescriptor.insert(descriptor, folder);
            all.byId.insert(folder->id, folder);
        }
        all.byPath.insert(folderPath, folder);
    }
    const QString name = linuxPath.mid(slash + 1).toCaseFolded();
    const auto entry = folder->events.constFind(name);
    if (entry == folder->events.constEnd()) {
        folder->events.insert(name, 0);
        return false;
    }
    if (fresh)
        return false;
    watch.folder = folder->id;
    watch.name = name;
    watch.seen = *entry;
    return true;
}

void ReadFileEvents()
{
    Watches& all = watches();
    if (all.fd < 0 || all.byDescriptor.isEmpty())
        return;
    alignas(struct inotify_event) char buffer[16384];
    // A read that leaves less room than one more event may have left some.
    constexpr ssize_t Full = ssize_t(sizeof buffer - sizeof(struct inotify_event) - NAME_MAX - 1);
    ssize_t count = Full + 1;
    while (count > Full) {
        count = ::read(all.fd, buffer, sizeof buffer);
        if (count <= 0)
            return;
        TakeIn(all, buffer, count);
    }
}

bool Untouched(const FileWatch& watch)
{
    const std::shared_ptr<Folder> folder = watches().byId.value(watch.folder);
    return folder && folder->events.value(watch.name) == watch.seen;
}

} // namespace platform
