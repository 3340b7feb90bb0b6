#pragma once
// The installation's steps without widgets: the folder levels, the shared
// control file, the program files, the program group, the settings line, and
// the check of what landed. Paths are program paths; directory always ends
// in "\". Every step ignores its errors and goes on, returning the first it
// met; Check() tells what is missing afterwards, and an Attempt keeps the
// errors that tell why.

#include "platform/files/Files.h"
#include "platform/shell/ProgramGroup.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace setup {

// The names that depend on the chosen language (texts 261, 264, 258, 259,
// 260, 371, 373 and 451 of the text table).
struct InstallNames {
    QString Readme;           // shipped and installed under this name
    QString HelpShipped;      // the help page as shipped
    QString HelpInstalled;    // and as installed
    QString LicenseShipped;   // the licence terms as shipped
    QString LicenseInstalled; // and as installed
    QString ReadmeItem;       // the group items of the readme
    QString LicenseItem;      // and of the licence terms
    QString RemovalComment;   // what the removal's item removes; the folder follows
};

// One copy of the shipped set: from the current directory into the target.
struct ShippedFile {
    QString Source;
    QString Target;
    platform::CopyMode Mode;
};

// The program files in the order they are copied; only one language's
// documents. KELPA.EXE and TOLVEX.EXE are programs; KELPA.PNG is the icon
// of the group's entries.
QList<ShippedFile> ProgramFiles(const InstallNames& names);

// The program group and its items.
inline const QString GroupName = QStringLiteral("Kelpa");
QStringList GroupItems(const InstallNames& names);
// The commands that create the group and replace its items, in order; each
// item shows the program's icon.
QStringList GroupCommands(const QString& directory, const InstallNames& names);
// What each item's entry tells beyond its command, by item: every one is
// listed with network programs that transfer files, and the removal's says
// what it removes from directory.
QMap<QString, platform::ProgramItemDetails> GroupItemDetails(const QString& directory,
                                                             const InstallNames& names);

// Creates directory level by level (TargetPath.h); 0 when it is a folder
// afterwards, otherwise the error of the first level that is none: 58 when
// a file stands in its place, 52 when its name is longer than the file
// system allows, 70 when that file system is read-only.
int MakeDirectoryLevels(const QString& directory);
// Copies COMCT232.OC_ to the system directory as COMCT232.OCX unless one is
// there; the folder is made first. Nothing happens without the source.
int CopySystemControl();
// Copies ProgramFiles() into directory, each copy replacing its target; the
// error of each copy that failed, by its target's name.
QMap<QString, int> CopyProgramFiles(const QString& directory, const InstallNames& names);
// Creates the group through the conversation (ProgramGroupLink.h), which
// yields to the event loop.
void CreateProgramGroup(const QString& directory, const InstallNames& names);
// Appends the line "Language=" & language to directory's KELPA.INI, created
// when missing; an existing file without a final line end gets one first.
int AppendLanguageLine(const QString& directory, const QString& language);

// What the installation should have left and did not, one name per item: the
// directory itself when it is no folder (then nothing else); every program
// file whose source exists and whose target is not a whole copy of it; KELPA.EXE
// and TOLVEX.EXE when not executable; KELPA.INI when its last line is not the
// language's; the shared control file when its source exists; each group item
// as "Kelpa\Item". Empty when everything is there.
QStringList Check(const QString& directory, const InstallNames& names, const QString& language);
// The part of Check() that the program files make: the directory when it is
// no folder, or the program files that did not land.
QStringList MissingProgramFiles(const QString& directory, const InstallNames& names);

// The error that stands for a directory the group's entries could not name
// (TargetPathRefused): 52, "bad file name".
inline constexpr int BadName = platform::ErrBadFileNumber;

// A file error for path made precise where the file layer gives one number,
// 75 (path/file access error), for several causes: 70 when path's file
// system is read-only, 52 when its name is longer than that file system
// allows; any other error as it is.
int VolumeError(const QString& path, int error);

// Why the entry of a group item (GroupItems()) is not in the group, judged
// from what stands on its path without changing anything: 58 when a file
// stands where the group's folder or a folder above it must be, 52 when a
// name still to be made is longer than the file system allows, 70 when the
// folder to make it in cannot be written in (a read-only file system too),
// 61 when that file system has no room left; else 75.
int GroupItemError(const QString& item);

// The slot of the text that names why an item did not land, for the error
// its step met: 445 not a folder (a file in the way), 446 no permission, 447
// disk full, 448 a name too long or not allowed, 55 a drive that does not
// exist, 150 a source that is missing, 449 any other.
int CauseText(int error);

// An item that did not land (as Check() names it) and the error its step met.
struct Failure {
    QString Item;
    int Error;
};

// One installation into a directory, step by step in the installer's order.
// The program group is created only when the program files have landed, and
// a failed attempt can put the group back as it found it.
class Attempt final {
public:
    Attempt(const QString& directory, const InstallNames& names, const QString& language);

    // The folder levels, the shared control file and the program files.
    void InstallFiles();
    // The program group, when every program file has landed; otherwise
    // nothing.
    void InstallGroup();
    // The settings line.
    void InstallSettings();
    // What did not land, each with the error its step met; empty when
    // everything is there. A group left out for missing files is not named:
    // the files are.
    QList<Failure> Failures() const;
    // Puts the program group back as InstallGroup() found it: entries it
    // made go, entries it replaced get their old contents back.
    void UndoGroup();

private:
    QString directory_;
    InstallNames names_;
    QString language_;
    QMap<QString, int> errors_; // by the name Check() gives the item
    bool groupMade_ = false;
    platform::ProgramGroupState groupBefore_;
};

} // namespace setup
