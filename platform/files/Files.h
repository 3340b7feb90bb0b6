#pragma once
// The program's file statements over the Linux file system.
//
// Paths keep the program's own rules: drive letters, "\" separators (a "/" is
// accepted too), case-blind names. Drive C: is $HOME, drive Z: is "/"; no other
// drive exists. A relative path is taken from the current directory. When a
// component does not exist with the exact case, an existing entry that differs
// only in case is used; new entries get the case given.
//
// Files are open under numbers from one table, so a procedure that reads under
// a number another procedure opened continues at that file's position.
// Every operation returns 0 or the program's error number:
//   52 bad file number, 53 file not found, 54 bad file mode, 55 file already open,
//   57 device I/O error, 58 file already exists, 61 disk full,
//   62 input past end of file, 67 too many files, 68 device unavailable,
//   70 permission denied, 71 disk not ready, 75 path/file access error,
//   76 path not found.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

struct stat;

namespace platform {

enum FileError : int {
    ErrNone = 0,
    ErrBadFileNumber = 52,
    ErrFileNotFound = 53,
    ErrBadFileMode = 54,
    ErrFileAlreadyOpen = 55,
    ErrDeviceIO = 57,
    ErrFileExists = 58,
    ErrDiskFull = 61,
    ErrInputPastEnd = 62,
    ErrTooManyFiles = 67,
    ErrDeviceUnavailable = 68,
    ErrPermissionDenied = 70,
    ErrDiskNotReady = 71,
    ErrPathFileAccess = 75,
    ErrPathNotFound = 76,
};

enum class OpenMode {
    Input,   // text lines from the start; the file must exist
    Output,  // text lines, the file emptied (created when missing)
    Append,  // text lines after the end (created when missing)
    Binary,  // bytes, read and write at a position (created when missing)
    Replace, // like Output, but written to a temporary file that replaces the
             // old one only at Close: a crash or full disk never loses the old
};

// --- paths -----------------------------------------------------------------
// Linux path for a program path (drive map, separators, case-blind lookup of
// every existing component). Empty when the drive does not exist.
QString ToLinuxPath(const QString& programPath);
// Program path ("C:\kelpa", "Z:\tmp\x") for a Linux path (command line, drops).
QString FromLinuxPath(const QString& linuxPath);
QString CurDir(); // "C:\kelpa"
int ChDir(const QString& path);
int ChDrive(const QString& drive); // 68 for a drive other than C: or Z:

// --- file numbers ----------------------------------------------------------
int FreeFile(); // lowest number not in use, from 1; 0 when all 511 are in use
int Open(const QString& path, OpenMode mode, int fileNumber);
// Opens path for Output unless a file of that name holds anything: that file
// is left as it is and the result is 58 (file already exists). Costs what
// opening a new file costs.
int OpenNew(const QString& path, int fileNumber);
// Creates path and opens it for Output; 58 (file already exists) when an
// entry of that name is there, whatever it holds, so that two callers, of
// one process or of two, never open one file so.
int OpenFresh(const QString& path, int fileNumber);
int Close(int fileNumber); // a number not open: nothing; never releases the lock
void CloseAllFiles();      // every file but the lock file
bool IsOpen(int fileNumber);
// True while path is open under one of the numbers (the lock file included).
bool FileIsOpen(const QString& path);

// Text lines: reading accepts CR LF, LF and CR; a line that is not valid UTF-8
// is read as Windows-1252. Writing ends each line in CR LF, UTF-8.
int LineInput(int fileNumber, QString& line); // 62 at the end of the file
int PrintLine(int fileNumber, const QString& text);
QString DecodeLine(const QByteArray& bytes);        // one line's bytes as LineInput reads them
int PrintText(int fileNumber, const QString& text); // no line end
bool Eof(int fileNumber);                           // true for a number not open
int64_t Lof(int fileNumber);                        // length of the open file, -1 if not open

// A write that fails leaves a file written at its end (output, append, a
// file kept appended to) as it was before that write: no part of a line.

// Bytes (binary mode; appending and output files take PutBytes too).
int PutBytes(int fileNumber, const QByteArray& bytes);
// An output or appending file that takes many small pieces (a file being
// received) can have PutBytes hold them and write them in pieces of at least
// piece bytes (0: at once again). Held bytes are written before anything
// else touches the file under its number, by Flush, by Close and
// CloseAllFiles (whoever closes it), and before FileLen, FileCopy or an
// Open for Input looks at the file by path; another process sees them only
// then.
int HoldWrites(int fileNumber, qsizetype piece);
// Writes what fileNumber holds: 0, or the error of the write. A number not
// open holds nothing.
int Flush(int fileNumber);
int GetBytes(int fileNumber, int64_t count, QByteArray& bytes);
int Seek(int fileNumber, int64_t position); // 0-based byte position

// --- whole files and folders --------------------------------------------------
bool FileExists(const QString& path); // a file, not a folder
bool DirExists(const QString& path);
int64_t FileLen(const QString& path); // -1 when missing
// What stands at path, links followed: nothing, a file of size bytes or a
// folder. Costs one lookup.
struct Entry {
    enum class Kind { None, File, Folder };
    Kind kind = Kind::None;
    int64_t size = -1;
};
Entry EntryAt(const QString& path);
int Kill(const QString& path); // delete one file
// A copy is written beside its target and then takes the target's place: a
// reader or a running program keeps the old file whole, and a failed copy
// leaves the old target as it was. Onto itself: no change. A program copy is
// executable (0755 less the umask), a document never (0666 less the umask),
// whatever bits the source has.
enum class CopyMode { Document, Program };
int FileCopy(const QString& source, const QString& target, CopyMode mode = CopyMode::Document);
int Name(const QString& oldPath, const QString& newPath); // rename or move
// Renames the file oldPath onto newPath in one step, also when newPath names
// a file already (Name refuses that): newPath then holds its old contents or
// the whole of the new ones, never a part. A folder is neither moved nor
// replaced.
int NameOver(const QString& oldPath, const QString& newPath);
int MkDir(const QString& path);
int RmDir(const QString& path);
// Names (not paths) in the folder of pattern that match its last component
// ("*.tsk", "KELPA.*", "?"), case-blind, sorted; folders too when wanted;
// names beginning with "." (hidden) are left out, and so are names that no
// program path can name (holding "\", or bytes not valid in the file-name
// encoding): joined to their folder, each listed name names that entry.
QStringList DirList(const QString& pattern, bool folders = false);
// True when name matches one pattern of "*" and "?" as DirList matches it.
bool NameMatches(const QString& name, const QString& pattern);
// The files and the folders in one folder, each sorted as DirList sorts,
// left out as DirList leaves them out; both empty when the folder cannot be
// read.
struct FolderEntries {
    QStringList files;
    QStringList folders;
};
FolderEntries ListFolder(const QString& folder);

// --- a file received apart ---------------------------------------------------
// A download is received under a name of its own in a folder of its own and
// takes its target's name only once it is whole, in one step: a reader of the
// target, another copy of the program too, finds the old file or the whole new
// one, never a part of it; and a file or symbolic link standing at the target
// is replaced, never written through.
struct Apart {
    QString file;   // where the bytes go, as the file system names it
    QString target; // the target, as the file layer found it (case-blind)
};
// Creates name (a bare name, taken exactly as it is) anew in folder, an
// existing folder, and opens it for Output under fileNumber, to be put at
// target later; target is looked up as opening it would look it up, and is
// neither created nor touched. 58 when an entry of that name is in folder.
// Costs what opening target itself would cost: the folder's own lookup is
// kept from call to call.
int OpenApart(const QString& folder, const QString& name, const QString& target, int fileNumber,
              Apart& apart);
// Gives the file received apart, closed by now, its target's name: 75 when a
// folder stands at the target. Costs the rename and, where the layer keeps a
// listing of the target's folder, a look at that folder. Across file systems
// the file is copied beside the target first.
int PutInPlace(const Apart& apart);
// Deletes the file received apart.
int DropApart(const Apart& apart);

// --- a folder to write in ----------------------------------------------------
// Why files cannot be created in a folder.
enum class FolderFault {
    None,
    FileInTheWay, // a file stands where the folder, or a folder above it, must be
    NoPermission, // it cannot be made or written in (a read-only file system too)
    NameTooLong,  // a name on its path is longer than the file system allows
    Other,        // error tells
};
struct FolderState {
    FolderFault fault = FolderFault::None;
    int error = ErrNone; // the program's error number of the fault
    QString inTheWay;    // FileInTheWay: the program path of that file
};
// Makes path a folder, with every missing folder above it, and checks that
// files can be created in it.
FolderState MakeWritableFolder(const QString& path);

// --- a file appended to from call to call -------------------------------------
// Appends text (UTF-8, no line end added) to path, created when missing, and
// keeps the file open for the next call with the same path: it is written
// through at once, so it is current on disk after every call. It is opened
// again when path no longer names it (deleted, renamed, the current
// directory changed), as seen at the first call after a yield to the event
// loop or after the program itself changed the file. A few such files stay open at once, each under
// its own path; CloseAllFiles() closes them too.
int AppendKept(const QString& path, const QString& text);
// A path that is a bare name (no folder, no drive): on Linux the same name,
// relative to the current directory.
bool IsPlainName(const QString& path);
void CloseKeptFile();

// --- what the program itself changes -----------------------------------------
// For whoever keeps what it read of a file in memory: told, after the change,
// of the bytes the program wrote at the end of a file open for Output or
// Append (appended), and of every other change it made to a file (appended is
// null then): emptied or opened for bytes, replaced, deleted, renamed, copied
// onto, or a write that failed. An empty linuxPath means any file (the current
// directory changed). One observer; a new one replaces the old, which is
// returned.
using OwnChangeObserver = void (*)(const QString& linuxPath, const QByteArray* appended);
OwnChangeObserver ObserveOwnChanges(OwnChangeObserver observer);

// --- what other processes change ---------------------------------------------
// Knowing that no process touched a file since the program last compared it,
// without asking the file system about every file: the current directory and
// the file are watched, and one read takes in what happened meanwhile to
// every file watched. Only what stat cannot miss either is trusted this way:
// a regular file of one name, not a symbolic link, named by a bare name in the
// current directory, on a local file system (writes made through a memory
// mapping go unseen, as they leave the file's times alone until it is synced).
// The current directory changes through ChDir() and ChDrive() only, after
// which every file is compared again (its owners hear of it as of a change
// of their own).
struct FileWatch {
    quint64 folder = 0; // 0: not watched
    QString name;       // folded
    quint64 seen = 0;   // the file's count of events when watching began
};
// Watches name (a bare name in the current directory) from now on; info is
// what lstat() tells of it. False, with watch emptied, where changes could
// pass unseen or no watch can be had; the first time for a name or folder.
bool Watch(const QString& name, const struct stat& info, FileWatch& watch);
// Takes in the events that arrived since the last call.
void ReadFileEvents();
// Nothing happened to the watched file, as far as the events read tell.
bool Untouched(const FileWatch& watch);

// --- a disk that fills up (test hook) ---------------------------------------------
// From now on every write to a file of one of these names (the last
// component, in any folder, compared case-blind) fails as on a full disk
// (61) once half of its bytes are in, as a write that fills a disk does; a
// copy onto such a file fails at once. An empty list lets every write
// through again.
void FailWritesTo(const QStringList& names);

// --- the lock file -----------------------------------------------------------
// Opens path for output under fileNumber and locks it (flock) for the life of
// the process: 70 when another process holds it. CloseAllFiles() leaves it open.
// The lock is held apart from the number: closing any number, even the lock
// file's own, leaves it; opening the held file again moves the handle to the
// new number.
int OpenLockFile(const QString& path, int fileNumber);
void ReleaseLockFile(); // closes it and gives up the lock (for exit); no-op if none
// The place of the current directory's lock file when the directory takes
// no new file (a folder the user may not write to, read-only media): in the
// folder "kelpa-locks" of the user's runtime folder ($XDG_RUNTIME_DIR; made
// when missing, for the user alone), named name behind a digest of the
// directory's real path, so that every copy the user starts in that
// directory takes the same file. A program path; empty when there is no
// runtime folder.
QString UserLockFile(const QString& name);

} // namespace platform
