// Drive letters and "\" paths of the program over the Linux file system:
// C: is $HOME, Z: is "/", the current directory is the process's own.

#include "platform/files/FilesDetail.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace platform {

using namespace filesdetail;

namespace {

const QLatin1Char Backslash('\\');
const QLatin1Char Slash('/');

// A program path taken apart: its drive and its folder and file names, with
// "." and ".." already applied (".." never climbs above the drive's root).
struct ProgramPath {
    QChar drive;
    QStringList parts;
};

QString homeRoot()
{
    QString home = qEnvironmentVariable("HOME");
    if (!home.startsWith(Slash))
        return QString();
    return QDir::cleanPath(home);
}

// $HOME with its links resolved: the current directory comes from getcwd,
// which names the real folders. Kept until $HOME changes.
QString realHome(const QString& home)
{
    static QString lastHome;
    static QString lastReal;
    if (home != lastHome) {
        char buffer[PATH_MAX];
        const bool found = !home.isEmpty() && ::realpath(encoded(home).constData(), buffer);
        lastReal = found ? QFile::decodeName(buffer) : QString();
        lastHome = home;
    }
    return lastReal;
}

bool isUnder(const QString& path, const QString& root)
{
    if (root.isEmpty())
        return false;
    if (root == QLatin1String("/"))
        return true;
    return path == root || (path.startsWith(root) && path.at(root.size()) == Slash);
}

ProgramPath fromLinux(const QString& linuxPath)
{
    QString path = linuxPath;
    if (!path.startsWith(Slash))
        path = QDir::currentPath() + Slash + path;
    path = QDir::cleanPath(path);
    const QString home = homeRoot();
    ProgramPath result{QLatin1Char('Z'), {}};
    QString rest = path;
    for (const QString& root : {home, realHome(home)}) {
        if (isUnder(path, root)) {
            result.drive = QLatin1Char('C');
            rest = root == QLatin1String("/") ? path : path.mid(root.size());
            break;
        }
    }
    result.parts = rest.split(Slash, Qt::SkipEmptyParts);
    return result;
}

void applyParts(QStringList& parts, const QString& text)
{
    for (const QString& part : text.split(Backslash, Qt::SkipEmptyParts)) {
        if (part == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        } else if (part != QLatin1String(".")) {
            parts.append(part);
        }
    }
}

int parse(const QString& programPath, ProgramPath& result)
{
    if (programPath.contains(QChar(0)))
        return ErrBadFileNumber;
    QString text = programPath;
    text.replace(Slash, Backslash);
    qsizetype start = 0;
    const bool hasDrive = text.size() >= 2 && text.at(1) == QLatin1Char(':');
    if (!hasDrive && text.startsWith(QLatin1String("\\\\")))
        return ErrPathNotFound; // network paths do not exist here
    const bool fromRoot = text.mid(hasDrive ? 2 : 0).startsWith(Backslash);
    // The current directory matters only for a path that does not start at
    // a drive's root: asking the system for it is left out otherwise.
    if (hasDrive && fromRoot) {
        result = ProgramPath{text.at(0).toUpper(), {}};
        start = 2;
    } else {
        const ProgramPath current = fromLinux(QDir::currentPath());
        result = current;
        if (hasDrive) {
            result.drive = text.at(0).toUpper();
            start = 2;
            if (result.drive != current.drive)
                result.parts.clear();
        }
        if (fromRoot)
            result.parts.clear();
    }
    if (driveRoot(result.drive).isEmpty())
        return ErrDiskNotReady;
    applyParts(result.parts, text.mid(start));
    return ErrNone;
}

// folder becomes folder/name (the root "/" takes no second slash).
void append(QString& folder, const QString& name)
{
    if (folder != Slash)
        folder += Slash;
    folder += name;
}

QString joined(QString folder, const QString& name)
{
    append(folder, name);
    return folder;
}

} // namespace

namespace filesdetail {

QString driveRoot(QChar drive)
{
    if (drive == QLatin1Char('C') || drive == QLatin1Char('c'))
        return homeRoot();
    if (drive == QLatin1Char('Z') || drive == QLatin1Char('z'))
        return QStringLiteral("/");
    return QString();
}

namespace {

// The lookup; whole, when given, gets what lstat told of the whole path
// (wholeFound: that it exists).
int lookUp(const QString& programPath, QString& linuxPath, struct stat* whole, bool* wholeFound)
{
    ProgramPath path;
    if (const int error = parse(programPath, path))
        return error;
    const QString root = driveRoot(path.drive);
    // Where every component exists with the case given, that is the answer a
    // walk would give too: one lstat of the whole path decides. Failing that,
    // of the parent: then only the last name needs the case-blind step.
    const qsizetype count = path.parts.size();
    QString parent = root;
    if (count > 1) {
        qsizetype size = root.size();
        for (qsizetype i = 0; i + 1 < count; ++i)
            size += 1 + path.parts.at(i).size();
        parent.reserve(size);
        for (qsizetype i = 0; i + 1 < count; ++i)
            append(parent, path.parts.at(i));
    }
    const QString wholePath = count == 0 ? root : joined(parent, path.parts.last());
    struct stat info;
    if (::lstat(encoded(wholePath).constData(), &info) == 0) {
        linuxPath = wholePath;
        if (whole != nullptr) {
            *whole = info;
            *wholeFound = true;
        }
        return ErrNone;
    }
    if (errno == ENOENT && count > 0 && ::lstat(encoded(parent).constData(), &info) == 0) {
        // A folder that is no link: lstat told what stat would.
        const QString other =
            caseBlindEntry(parent, path.parts.last(), S_ISLNK(info.st_mode) ? nullptr : &info);
        linuxPath = other.isEmpty() ? wholePath : joined(parent, other);
        return ErrNone;
    }
    // The walk starts at the deepest folder on the way that exists as named
    // (found upwards from the parent): every folder above it exists as named
    // too, so a walk from the root would find the same ones.
    QStringList prefixes{root};
    for (qsizetype i = 0; i + 2 < count; ++i)
        prefixes.append(joined(prefixes.last(), path.parts.at(i)));
    qsizetype start = 0;
    for (qsizetype k = prefixes.size() - 1; errno == ENOENT && k >= 1; --k) {
        if (::lstat(encoded(prefixes.at(k)).constData(), &info) == 0) {
            start = k;
            break;
        }
    }
    QString current = prefixes.at(start);
    bool missing = false; // once a component is missing, the rest is taken as given
    for (const QString& part : path.parts.mid(start)) {
        QString next = joined(current, part);
        if (!missing && ::lstat(encoded(next).constData(), &info) != 0) {
            const QString other = errno == ENOENT ? caseBlindEntry(current, part) : QString();
            if (other.isEmpty())
                missing = true;
            else
                next = joined(current, other);
        }
        current = next;
    }
    linuxPath = current;
    return ErrNone;
}

} // namespace

int resolve(const QString& programPath, QString& linuxPath)
{
    return lookUp(programPath, linuxPath, nullptr, nullptr);
}

int resolveStat(const QString& programPath, QString& linuxPath, struct stat& info, bool& exists)
{
    bool found = false;
    if (const int error = lookUp(programPath, linuxPath, &info, &found))
        return error;
    exists = found && !S_ISLNK(info.st_mode) ? true : statPath(linuxPath, info);
    return ErrNone;
}

} // namespace filesdetail

QString ToLinuxPath(const QString& programPath)
{
    QString linuxPath;
    return resolve(programPath, linuxPath) == ErrNone ? linuxPath : QString();
}

QString FromLinuxPath(const QString& linuxPath)
{
    const ProgramPath path = fromLinux(linuxPath);
    return QString(path.drive) + QLatin1String(":\\") + path.parts.join(Backslash);
}

QString CurDir()
{
    return FromLinuxPath(QDir::currentPath());
}

int ChDir(const QString& path)
{
    QString linuxPath;
    if (const int error = resolve(path, linuxPath))
        return error;
    if (!isDirectory(linuxPath))
        return ErrPathNotFound;
    if (::chdir(encoded(linuxPath).constData()) != 0)
        return errorFromErrno(errno);
    noteRewritten(QString()); // relative names now mean other files
    return ErrNone;
}

int ChDrive(const QString& drive)
{
    if (drive.isEmpty())
        return ErrNone;
    const QChar letter = drive.at(0).toUpper();
    const QString root = driveRoot(letter);
    if (root.isEmpty())
        return ErrDeviceUnavailable;
    if (fromLinux(QDir::currentPath()).drive == letter)
        return ErrNone;
    if (::chdir(encoded(root).constData()) != 0)
        return errorFromErrno(errno);
    noteRewritten(QString());
    return ErrNone;
}

} // namespace platform
