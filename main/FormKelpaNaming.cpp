// Local names and the download directory.

#include "main/DownloadFolder.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Naming.h"
#include "main/WorkListIndex.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "transfer/FormHTTP.h"

#include <QLineEdit>

using namespace KELPA;

namespace {

constexpr int32_t LastCandidate = 32767;

// The test of a candidate name (LocalFileName, FileName): an empty file of
// that path is deleted, since it blocks nothing; the name is free when no
// file of that path exists and, with lists, no record of the next level's
// list, the level's list, "KELPA.GOT" or "COMPLETE.ENP" has it as its local
// name, in any letter case (the file layer takes both for one file). One of
// the program's own files is never free (nor deleted when empty). Errors
// count as absence.
bool CandidateFree(bool withLists)
{
    if (withLists) {
        for (const QString& list : {NextListFile, LinkListFile, QStringLiteral("KELPA.GOT"),
                                    QStringLiteral("COMPLETE.ENP")}) {
            if (WorkListIndex::For(list).HoldsName(FileName))
                return false;
        }
    }
    if (worklists::IsProgramFile(Directory, LocalFileName))
        return false;
    if (platform::FileExists(LocalFileName) && platform::FileLen(LocalFileName) == 0)
        platform::Kill(LocalFileName);
    return !platform::FileExists(LocalFileName);
}

// The preview window's list shows the download directory, counted in its
// caption: "Preview (12 Files, C:\sites\)".
void ShowDirectory(PreviewWindow& preview)
{
    preview.PointListAt(KELPA::Directory);
    preview.RefreshFileListNow();
    preview.SetCaption(preview.ListCaption());
}

} // namespace

// Sets FileDirectory from Link and, unless mode is "NurSubDir", FileName,
// LocalFileName, NameAltered and the
// normalised Link, shown in the transfer window's Text1 while no transfer
// has started. For the URL about to be fetched (any mode but "InlineNamen"
// and "NurSubDir") a non-empty file of that name on disk is numbered away
// unless a search is being completed, and a name of the program's own files
// always. StartDirectory takes the first
// directory named. Never yields; never names a path outside Directory.
void FormKelpa::NamenGeben(const QString& mode)
{
    naming::Input input;
    input.link = Link;
    input.mode = naming::ModeOf(mode);
    input.subDirectories = SubDirectories == 1;
    input.longFilenames = LongFilenames != 0;
    input.directory = Directory;
    input.unknownName = LanguageText[172];
    input.nameAltered = NameAltered;
    const naming::Result named = naming::LocalName(input);

    Link = named.link;
    FileDirectory = named.fileDirectory;
    NameAltered = named.nameAltered;
    if (input.mode != naming::Mode::SubDirOnly) {
        if (named.showLink && TransferStarted == 0)
            FormHTTP::Instance().Text1->setText(Link);
        FileName = named.fileName;
        LocalFileName = named.localFileName;
        if (input.mode == naming::Mode::Fetch &&
            ((platform::FileExists(LocalFileName) && platform::FileLen(LocalFileName) >= 1 &&
              ContinueSearch != 1) ||
             worklists::IsProgramFile(Directory, LocalFileName))) {
            int16_t diskOnly = 0;
            if (LongFilenames != 0)
                Doublette(diskOnly);
            else
                DoubletteKurz(diskOnly);
        }
    }
    if (StartDirectory.isEmpty())
        StartDirectory = FileDirectory;
}

// Numbers FileName ("page(1).html", "page(2).html" ...; an earlier number is
// replaced, not added to) until no file on disk and, in mode 1, no work list
// has it; sets LocalFileName. With subdirectories a mode-1 name
// that no rule altered is unique by its path and stays. Sets mode and
// NameAltered to 0.
void FormKelpa::Doublette(int16_t& mode)
{
    const bool withLists = mode == 1;
    mode = 0;
    if (SubDirectories == 1 && withLists && NameAltered == 0 &&
        !worklists::IsProgramFile(Directory, LocalFileName))
        return;
    const naming::Numbering numbering = naming::NumberingOf(FileName);
    if (SubDirectories == 1)
        NamenGeben(QStringLiteral("NurSubDir"));
    for (int32_t candidate = 1;; ++candidate) {
        FileName = naming::NumberedName(numbering, candidate);
        LocalFileName = Directory + (SubDirectories == 1 ? FileDirectory : QString()) + FileName;
        if (candidate >= LastCandidate || CandidateFree(withLists))
            break;
    }
    NameAltered = 0;
}

// The same for 8.3 names: the digits replace the end of the base padded to
// eight characters ("index__1.htm"), always directly in Directory. Leaves
// NameAltered alone; sets mode to 0.
void FormKelpa::DoubletteKurz(int16_t& mode)
{
    const bool withLists = mode == 1;
    mode = 0;
    const naming::Numbering numbering = naming::ShortNumberingOf(FileName, Directory);
    for (int32_t candidate = 1;; ++candidate) {
        FileName = naming::ShortNumberedName(numbering, candidate);
        LocalFileName = Directory + FileName;
        if (candidate >= LastCandidate || CandidateFree(withLists))
            break;
    }
}

// Makes Directory absolute (a relative setting lies below the current
// directory), creates it component by component and ends it in "\"; an empty
// setting is the current directory. Errors are passed over. Shows the
// directory in the open preview window.
void FormKelpa::CacheVerzeichnis()
{
    Directory = downloadfolder::Absolute(Directory, platform::CurDir());
    // A folder that cannot be made is passed over: the run refuses to start
    // without one, and a transfer into it reports its own failure.
    platform::MakeWritableFolder(Directory);

    PreviewWindow* preview = nullptr;
    if (PreviewOpen == 1)
        preview = &FormPreview::Instance();
    else if (PreviewTopOpen == 1)
        preview = &FormPreviewTop::Instance();
    if (preview != nullptr)
        ShowDirectory(*preview);
    if (OptionsOpen == 1)
        FormOptions::Instance().TextDirectory->setText(Directory);
    if (preview != nullptr) {
        preview->ShowFileList(true);
        preview->RefreshFileList();
    }
}
