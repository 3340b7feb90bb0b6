#pragma once
// The installation's steps without widgets: the folder levels, the shared
// control file, the program files, the program group, the settings line, and
// the check of what landed. Paths are program paths; directory always ends
// in "\". Every step ignores its errors and goes on; Check() tells what is
// missing afterwards.

#include "platform/files/Files.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace setup {

// The names that depend on the chosen language (texts 261, 264, 258, 259,
// 260, 371 and 373 of the text table).
struct InstallNames {
    QString Readme;           // shipped and installed under this name
    QString HelpShipped;      // the help page as shipped
    QString HelpInstalled;    // and as installed
    QString LicenseShipped;   // the licence terms as shipped
    QString LicenseInstalled; // and as installed
    QString ReadmeItem;       // the group items of the readme
    QString LicenseItem;      // and of the licence terms
};

// One copy of the shipped set: from the current directory into the target.
struct ShippedFile {
    QString Source;
    QString Target;
    platform::CopyMode Mode;
};

// The program files in the order they are copied; only one language's
// documents. KELPA.EXE and TOLVEX.EXE are programs.
QList<ShippedFile> ProgramFiles(const InstallNames& names);

// The program group and its items.
inline const QString GroupName = QStringLiteral("Kelpa");
QStringList GroupItems(const InstallNames& names);
// The commands that create the group and replace its items, in order.
QStringList GroupCommands(const QString& directory, const InstallNames& names);

// Creates directory level by level (TargetPath.h).
void MakeDirectoryLevels(const QString& directory);
// Copies COMCT232.OC_ to the system directory as COMCT232.OCX unless one is
// there; the folder is made first. Nothing happens without the source.
void CopySystemControl();
// Copies ProgramFiles() into directory, each copy replacing its target.
void CopyProgramFiles(const QString& directory, const InstallNames& names);
// Creates the group through the conversation (ProgramGroupLink.h), which
// yields to the event loop.
void CreateProgramGroup(const QString& directory, const InstallNames& names);
// Appends the line "Language=" & language to directory's KELPA.INI, created
// when missing; an existing file without a final line end gets one first.
void AppendLanguageLine(const QString& directory, const QString& language);

// What the installation should have left and did not, one name per item: the
// directory itself when it is no folder (then nothing else); every program
// file whose source exists and whose target is not a whole copy of it; KELPA.EXE
// and TOLVEX.EXE when not executable; KELPA.INI when its last line is not the
// language's; the shared control file when its source exists; each group item
// as "Kelpa\Item". Empty when everything is there.
QStringList Check(const QString& directory, const InstallNames& names, const QString& language);

} // namespace setup
