// Local names and the download directory.

#include "main/DownloadFolder.h"
#include "main/FormKelpa.h"
#include "main/Kelpa.h"
#include "main/Naming.h"
#include "main/RunNames.h"
#include "main/SavedFiles.h"
#include "main/WorkListIndex.h"
#include "main/WorkLists.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "preview/FormPreview.h"
#include "settings/FormOptions.h"
#include "transfer/FormHTTP.h"

#include <QFileInfo>
#include <QLineEdit>

#include <utility>

using namespace KELPA;

namespace {

constexpr int32_t LastCandidate = 32767;

// The name FileName, below FileDirectory with subdirectories, as a path
// below the download directory.
QString RelativeName()
{
    return (SubDirectories == 1 ? FileDirectory : QString()) + FileName;
}

// Something other than a folder stands at path (below the download
// directory): a file, or a link to a file or to nothing.
bool InTheWay(const QString& path)
{
    const QFileInfo info(platform::ToLinuxPath(Directory + path));
    return (info.exists() || info.isSymLink()) && !info.isDir();
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
// LocalFileName, NameAltered and the normalised Link, shown in the transfer
// window's Text1 while no transfer has started. A folder that would stand
// where the run put a file, or where a file is, gets a numbered name. For the
// URL about to be fetched (any mode but "InlineNamen" and "NurSubDir") a name
// that another URL holds, or that a folder has, is numbered away unless a
// search is being completed, and a name of the program's own files always;
// the name is then the URL's for the run. StartDirectory takes the first
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
    bool folderMoved = false;
    if (SubDirectories == 1) {
        QString placed = runnames::Folder(Directory, FileDirectory, InTheWay);
        folderMoved = placed != FileDirectory;
        FileDirectory = std::move(placed);
    }
    NameAltered = named.nameAltered;
    if (input.mode != naming::Mode::SubDirOnly) {
        if (named.showLink && TransferStarted == 0)
            FormHTTP::Instance().Text1->setText(Link);
        FileName = named.fileName;
        LocalFileName = folderMoved ? Directory + RelativeName() : named.localFileName;
        if (input.mode == naming::Mode::Fetch) {
            const QString owner = savedfiles::UrlKey(Link);
            if (worklists::IsProgramFile(Directory, LocalFileName) ||
                (ContinueSearch != 1 && NameHeld(owner, false, NameCheck::Given))) {
                int16_t diskOnly = 0;
                if (LongFilenames != 0)
                    Doublette(diskOnly, owner);
                else
                    DoubletteKurz(diskOnly, owner);
            }
            runnames::Give(Directory, runnames::Below(Directory, LocalFileName), owner);
        }
    }
    if (StartDirectory.isEmpty())
        StartDirectory = FileDirectory;
}

// Whether the candidate name (FileName, LocalFileName) is another's: one of
// the program's own files; a name this run gave another URL than owner (a
// UrlKey), or a folder of the run; with lists and without subdirectories, a
// local name of a record of the next level's list, the level's list,
// "KELPA.GOT" or "COMPLETE.ENP", in any letter case (the file layer takes
// both for one file); a folder on disk; or a file that holds data and that a
// fetch of another URL saved, or that no fetch recorded (as check says). A
// name this run gave owner, and a file a fetch of owner saved, are owner's.
// An empty file blocks nothing (a candidate's is deleted). Errors count as
// absence.
bool FormKelpa::NameHeld(const QString& owner, bool withLists, NameCheck check)
{
    if (worklists::IsProgramFile(Directory, LocalFileName))
        return true;
    const QString relative = runnames::Below(Directory, LocalFileName);
    if (const QString holder = runnames::HolderOf(Directory, relative); !holder.isEmpty())
        return holder != owner;
    if (runnames::IsFolder(Directory, relative))
        return true;
    if (withLists && SubDirectories == 0) {
        for (const QString& list : {NextListFile, LinkListFile, QStringLiteral("KELPA.GOT"),
                                    QStringLiteral("COMPLETE.ENP")}) {
            if (!list.isEmpty() && WorkListIndex::For(list).HoldsName(FileName))
                return true;
        }
    }
    const platform::Entry entry = platform::EntryAt(LocalFileName);
    if (entry.kind != platform::Entry::Kind::File)
        return entry.kind == platform::Entry::Kind::Folder;
    if (entry.size == 0) {
        if (check == NameCheck::Candidate)
            platform::Kill(LocalFileName);
        return false;
    }
    if (const QString saved = savedfiles::OwnerOf(Directory, LocalFileName); !saved.isEmpty())
        return saved != owner;
    return check != NameCheck::GivenUnrecordedFree;
}

// Numbers FileName ("page(1).html", "page(2).html" ...; an earlier number is
// replaced, not added to) until the name is not another URL's (NameHeld; in
// mode 1 the work lists count too); sets LocalFileName. owner is the UrlKey
// of the URL named (empty: Link's). With subdirectories a mode-1 name that no
// rule altered is unique by its path, and stays, unless another URL of the
// run holds it. Sets mode and NameAltered to 0.
void FormKelpa::Doublette(int16_t& mode, const QString& owner)
{
    const bool withLists = mode == 1;
    mode = 0;
    const QString key = owner.isEmpty() ? savedfiles::UrlKey(Link) : owner;
    if (SubDirectories == 1 && withLists && NameAltered == 0 &&
        !NameHeld(key, withLists, NameCheck::GivenUnrecordedFree))
        return;
    const naming::Numbering numbering = naming::NumberingOf(FileName);
    // A relocated answer keeps the folder of the URL first named.
    if (SubDirectories == 1 && Relocated != 1)
        NamenGeben(QStringLiteral("NurSubDir"));
    for (int32_t candidate = 1;; ++candidate) {
        FileName = naming::NumberedName(numbering, candidate);
        LocalFileName = Directory + RelativeName();
        if (candidate >= LastCandidate || !NameHeld(key, withLists, NameCheck::Candidate))
            break;
    }
    NameAltered = 0;
}

// The same for 8.3 names: the digits replace the end of the base padded to
// eight characters ("index__1.htm"), always directly in Directory. Leaves
// NameAltered alone; sets mode to 0.
void FormKelpa::DoubletteKurz(int16_t& mode, const QString& owner)
{
    const bool withLists = mode == 1;
    mode = 0;
    const QString key = owner.isEmpty() ? savedfiles::UrlKey(Link) : owner;
    const naming::Numbering numbering = naming::ShortNumberingOf(FileName, Directory);
    for (int32_t candidate = 1;; ++candidate) {
        FileName = naming::ShortNumberedName(numbering, candidate);
        LocalFileName = Directory + FileName;
        if (candidate >= LastCandidate || !NameHeld(key, withLists, NameCheck::Candidate))
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
