#pragma once
// Program groups: the start entries that the installer creates and the
// removal program deletes. A group is a folder of freedesktop desktop entries,
// $XDG_DATA_HOME/applications/<group>/, one "<item>.desktop" per item (the
// desktop sees them as "<group>-<item>.desktop"). Group and item names are
// matched case-blind, as Program Manager did; new ones keep the case given.
// A name that is empty, "." or "..", or holds "/" or a control character is
// refused: nothing is ever written outside the applications folder.
//
// Every function returns 0 or 285, the program's error for a group command
// that was not carried out.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace platform {

enum ProgramGroupError : int { ErrGroupCommand = 285 };

// The Linux folder of group (existing with another case, or as it would be
// created); empty for a refused name.
QString ProgramGroupFolder(const QString& group);

// Creates the group's folder; an existing group is kept as it is.
int CreateProgramGroup(const QString& group);
// Removes the group's folder with every entry in it; 285 when it does not exist.
int DeleteProgramGroup(const QString& group);

// What a desktop entry tells beyond a Program Manager item: the menus it is
// listed in (freedesktop menu categories, "Network", "FileTransfer" ...) and
// a comment, shown as its tool tip. Empty ones are left out.
struct ProgramItemDetails {
    QStringList categories;
    QString comment;
};

// Adds (or replaces) the item name to an existing group. target is the program
// path of the program or document it starts: a program runs itself, a document
// opens with its associated program. An empty name takes the target's name
// without extension; an empty workingDirectory the target's folder; iconPath
// (a program path of a picture file) may be empty.
int AddProgramItem(const QString& group, const QString& target, const QString& name,
                   const QString& iconPath = QString(), const QString& workingDirectory = QString(),
                   const ProgramItemDetails& details = {});
// Removes the item; 285 when the group or the item does not exist.
int DeleteProgramItem(const QString& group, const QString& name);
// The Linux folder the item starts its program in (its working directory);
// empty when the item does not exist or names none.
QString ProgramItemFolder(const QString& group, const QString& name);

// A group as it is at one moment, to be put back later: whether it existed,
// and the name and bytes of each entry file in it.
struct ProgramGroupState {
    bool existed = false;
    QMap<QString, QByteArray> entries;
};
ProgramGroupState SaveProgramGroup(const QString& group);
// Puts the group back as state holds it: entries made since are removed,
// entries changed or removed since get their bytes back, and a group that did
// not exist is deleted again. 285 when any of it fails.
int RestoreProgramGroup(const QString& group, const ProgramGroupState& state);

// Program Manager's group commands, as the installer and the removal program
// send them over their conversation, each "[Command(arg,arg,...)]" (several may
// follow each other in one string; arguments may be in double quotes):
//   CreateGroup(group)   creates the group if needed; it becomes the current one
//   ShowGroup(group, n)  makes an existing group the current one
//   AddItem(cmdline, name, iconpath, iconindex, x, y, workdir)
//                        adds an item to the current group
//   ReplaceItem(name)    removes the item from the current group
//   DeleteItem(name)     the same
//   DeleteGroup(group)   deletes the group
// Returns 0, or 285 at the first command that fails or is not understood (the
// commands after it are not carried out).
// AddItem writes the details set for the name it gives (case-blind) into
// the item's entry; the commands themselves carry none.
class ProgramManager final {
public:
    int execute(const QString& commands);
    void setItemDetails(const QString& name, const ProgramItemDetails& details);

private:
    int run(const QString& command, const QStringList& args);

    QString group_;                             // the current group
    QMap<QString, ProgramItemDetails> details_; // by the item's name in lower case
};

} // namespace platform
