#pragma once
// What the parts of the file layer share among themselves; not for callers
// outside platform/files.

#include "platform/files/Files.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>
#include <sys/stat.h>

namespace platform::filesdetail {

// --- errors (Files.cpp) -------------------------------------------------------
// The program's error number for an errno value of a failed system call.
int errorFromErrno(int err);
// The error for a missing path: 53 when its folder exists, 76 when not.
int missingError(const QString& linuxPath);
QByteArray encoded(const QString& linuxPath);
bool statPath(const QString& linuxPath, struct stat& info); // follows links
bool isDirectory(const QString& linuxPath);
QString parentOf(const QString& linuxPath);
QString nameOf(const QString& linuxPath);
// The name of a folder entry (the bytes readdir gives) as program paths name
// it; empty for "." and "..", and for a name that no program path can name:
// one holding "\" (a path splits it into other names, which may climb out of
// the folder) or bytes not valid in the file-name encoding (its text names
// another entry, or none).
QString entryName(const char* bytes);

// --- paths (DriveMap.cpp, CaseBlind.cpp) -------------------------------------------
// Linux path for a program path: 0, or 52 for a NUL in the path, 71 for a
// drive that does not exist, 76 for a network path. Every existing component
// is matched case-blind; the missing rest keeps the case given.
int resolve(const QString& programPath, QString& linuxPath);
// resolve(), and then what stat (links followed) tells of linuxPath: false
// when it does not exist. The lookup's own look at the path is used where it
// already tells (an entry that is no link).
int resolveStat(const QString& programPath, QString& linuxPath, struct stat& info, bool& exists);
// Linux root of a drive letter ("C" = $HOME, "Z" = "/"); empty when there is none.
QString driveRoot(QChar drive);
// The case-blind step: the name of an entry of folder that equals name but
// for letter case, or an empty string.
// known, when given, is what stat tells of folder now.
QString caseBlindEntry(const QString& folder, const QString& name,
                       const struct stat* known = nullptr);
// Keeps the folder cache true after our own changes.
void noteAdded(const QString& linuxPath);
void noteRemoved(const QString& linuxPath);

// --- own changes (OwnChanges.cpp) ----------------------------------------------
void noteAppended(const QString& linuxPath, const QByteArray& bytes);
void noteRewritten(const QString& linuxPath); // empty: any file

// --- files appended to (KeptAppend.cpp) ---------------------------------------
// The program itself changed the file linuxPath (empty: any file): a file
// kept open under it is looked at again before its next line.
void keptChanged(const QString& linuxPath);

// --- writing (FileIO.cpp) -----------------------------------------------------
// Writes bytes to fd, the file linuxPath. When a write fails, what part of
// the bytes got in is cut off again if the file is written at its end
// (atEnd), so that it holds no part of a line or record. 0 or the error.
int writeBytes(int fd, const QByteArray& bytes, const QString& linuxPath, bool atEnd);
// True while a test lets writes to linuxPath fail as on a full disk.
bool writeFaulted(const QString& linuxPath);

// --- text lines (LineText.cpp) -----------------------------------------------
// One line's bytes as text: UTF-8 when valid, Windows-1252 otherwise.
QString decodeLine(const char* data, qsizetype size);

// --- the table of open files (FileTable.cpp) ----------------------------------
struct OpenFile {
    int fd = -1;
    OpenMode mode = OpenMode::Input;
    bool isLock = false;
    bool writeFailed = false; // a write of a Replace file failed: keep the old file
    QString linuxPath;        // the file (for Replace: the one replaced at Close)
    QString tempPath;         // Replace only: where the new contents go
    QByteArray buffer;        // Input only: bytes read ahead of the position
    qsizetype bufferPos = 0;
    bool bomChecked = false; // a UTF-8 byte order mark at the start is skipped
    QByteArray held;         // Output or Append: bytes PutBytes has not written yet
    qsizetype holdPiece = 0; // held bytes are written once there are this many
    dev_t heldDevice = 0;    // the file that holds them, as stat tells it
    ino_t heldInode = 0;
};

constexpr int MaxFileNumber = 511;
using FileTable = std::array<std::unique_ptr<OpenFile>, MaxFileNumber + 1>;
FileTable& fileTable();
// Writes the bytes file holds (FileIO.cpp); 0 or the error.
int writeHeld(OpenFile& file);
// Writes what any number holds for the file info tells of, before a look at
// it by path: true when it held anything.
bool writeHeldOf(const struct stat& info);
// Closes one entry after writing what it holds (a Replace file replaces its
// target here); 0 or the first error.
int closeEntry(std::unique_ptr<OpenFile> file);

} // namespace platform::filesdetail
