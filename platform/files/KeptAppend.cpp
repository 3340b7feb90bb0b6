// Appending to a file that stays open between calls: the protocol gets a line
// after every step of a run, and opening it through the path lookup each time
// costs more than the line.

#include "platform/files/FilesDetail.h"
#include "platform/pump/Pump.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace platform {

using namespace filesdetail;

namespace {

struct KeptFile {
    QString path;      // as the program names it
    QString linuxPath; // what it named when opened
    QByteArray probe;  // what stillNamed() looks at: the name as on disk
    int fd = -1;
    dev_t device = 0;
    ino_t inode = 0;
    // The yield at which the path was last seen naming the file: what other
    // processes do is seen through the yields, so until the next one only the
    // program's own changes (noted in keptChanged) can move the name.
    unsigned long long checkedYield = 0;
    bool checked = false;
};

// The files kept open, the most recently opened last. A few are enough: the
// protocol, the record of fetched files, the level's list, the list of
// unfinished work and the download directory's list of saved files.
constexpr std::size_t MaxKept = 6;

std::vector<KeptFile>& keptFiles()
{
    static std::vector<KeptFile> files;
    return files;
}

void closeKept(KeptFile& file)
{
    if (file.fd >= 0)
        ::close(file.fd);
    file = KeptFile();
}

// The kept entry of path, or nullptr.
KeptFile* findKept(const QString& path)
{
    for (KeptFile& file : keptFiles())
        if (file.path == path)
            return &file;
    return nullptr;
}

// The kept file is still the one the path names (not deleted, renamed or
// replaced, nor the current directory changed). A bare name is looked up from
// the current directory as it stands, in the letter case it has on disk, so
// that a name matched case-blind is not opened anew for every line.
bool stillNamed(const KeptFile& file)
{
    struct stat info;
    return ::stat(file.probe.constData(), &info) == 0 && info.st_dev == file.device &&
           info.st_ino == file.inode;
}

// Opens path for appending and keeps it in place of its former entry, or of
// the oldest one when all are taken.
int openKept(const QString& path)
{
    std::vector<KeptFile>& files = keptFiles();
    if (KeptFile* old = findKept(path)) {
        closeKept(*old);
        files.erase(files.begin() + (old - files.data()));
    } else if (files.size() >= MaxKept) {
        closeKept(files.front());
        files.erase(files.begin());
    }
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return error;
    const int fd =
        ::open(encoded(linuxPath).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == ENOENT ? missingError(linuxPath) : errorFromErrno(errno);
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return ErrPathFileAccess;
    }
    noteAdded(linuxPath);
    const QByteArray probe =
        IsPlainName(path) ? encoded(QFileInfo(linuxPath).fileName()) : encoded(linuxPath);
    files.push_back(KeptFile{path, linuxPath, probe, fd, info.st_dev, info.st_ino});
    return ErrNone;
}

} // namespace

bool IsPlainName(const QString& path)
{
    return !path.isEmpty() && path != QLatin1String(".") && path != QLatin1String("..") &&
           !path.contains(QLatin1Char('\\')) && !path.contains(QLatin1Char('/')) &&
           !path.contains(QLatin1Char(':')) && !path.contains(QChar(0));
}

int AppendKept(const QString& path, const QString& text)
{
    KeptFile* found = findKept(path);
    const unsigned long long yield = YieldCount();
    if (found == nullptr ||
        (!(found->checked && found->checkedYield == yield) && !stillNamed(*found))) {
        if (const int error = openKept(path))
            return error;
        found = &keptFiles().back();
    }
    KeptFile& file = *found;
    file.checked = true;
    file.checkedYield = yield;
    const QByteArray bytes = text.toUtf8();
    if (const int error = writeBytes(file.fd, bytes, file.linuxPath, true)) {
        noteRewritten(file.linuxPath);
        return error;
    }
    noteAppended(file.linuxPath, bytes);
    return ErrNone;
}

namespace filesdetail {

void keptChanged(const QString& linuxPath)
{
    for (KeptFile& file : keptFiles()) {
        if (linuxPath.isEmpty() || file.linuxPath == linuxPath)
            file.checked = false;
    }
}

} // namespace filesdetail

void CloseKeptFile()
{
    for (KeptFile& file : keptFiles())
        closeKept(file);
    keptFiles().clear();
}

} // namespace platform
