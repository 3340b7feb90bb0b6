// The preview windows' file list: pointing it at a folder, reading it again,
// opening a file and moving one to the trash.

#include "main/Kelpa.h"
#include "platform/files/Files.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/System.h"
#include "preview/DirectoryList.h"
#include "preview/FileList.h"
#include "preview/FormPreview.h"
#include "preview/PictureBox.h"

#include <QLabel>
#include <QListWidget>
#include <QScopeGuard>

int PreviewWindow::PointListAt(const QString& folder)
{
    const auto moved = qScopeGuard([this] { listMoved_ = false; });
    if (auto* child = qobject_cast<FormPreview*>(this)) {
        const int error = child->VerzListe->SetPath(folder);
        if (error != 0)
            return error;
    }
    const int error = DateiListe->SetPath(folder);
    if (error == 0) {
        refreshPace_.Take(preview::NowMs());
        WatchListedFolder(Loaded());
    }
    return error;
}

void PreviewWindow::WatchListedFolder(bool on)
{
    const QStringList watched = folderWatch_.directories();
    if (!watched.isEmpty())
        folderWatch_.removePaths(watched);
    const QString folder = on ? platform::ToLinuxPath(DateiListe->Path()) : QString();
    if (!folder.isEmpty())
        folderWatch_.addPath(folder);
}

void PreviewWindow::RefreshFileList()
{
    if (KELPA::Running != 1) {
        pendingRefresh_.stop();
        RefreshFileListNow();
        return;
    }
    const qint64 now = preview::NowMs();
    if (refreshPace_.Take(now)) {
        pendingRefresh_.stop();
        ReadListAgain();
    } else if (!pendingRefresh_.isActive()) {
        pendingRefresh_.start(int(refreshPace_.Wait(now)) + 1);
    }
}

void PreviewWindow::RefreshFileListNow()
{
    refreshPace_.Take(preview::NowMs());
    ReadListAgain();
}

// The files of the listed folder and, in the child window, the subfolders of
// the chosen one: a run creates the site's folders below the directory.
void PreviewWindow::ReadListAgain()
{
    if (auto* child = qobject_cast<FormPreview*>(this))
        child->VerzListe->Refresh();
    DateiListe->Refresh();
}

int PreviewWindow::FileCount() const
{
    return DateiListe->Count();
}

void PreviewWindow::ShowFileList(bool shown)
{
    DateiListe->setHidden(!shown);
}

void PreviewWindow::SelectFile(int row)
{
    DateiListe->SetListIndex(row);
}

QString PreviewWindow::HighlightedPath() const
{
    const QString name = DateiListe->FileName();
    if (name.isEmpty())
        return QString();
    return ListFolder() + QLatin1Char('\\') + name;
}

// Previews the highlighted file afresh.
void PreviewWindow::DateiListe_Click()
{
    LabelInfo->setText(QStringLiteral(" "));
    ImagePreview->Clear();
    if (DateiListe->ListIndex() < 0)
        return;
    KELPA::PreviewFile = HighlightedPath();
    Preview();
}

// Opens the highlighted file with the desktop's program, from its folder.
// The file goes by its full path: a bare name such as "C:x.txt" or
// "mailto:x" would be taken for a path of its own or for an address.
void PreviewWindow::DateiListe_DblClick()
{
    const QString path = HighlightedPath();
    if (path.isEmpty())
        return;
    KELPA::ApiResult = platform::ShellExecuteA(path, ListFolder() + QLatin1Char('\\'));
}

// Enter opens the highlighted file (its full path, wherever the list
// points); Del moves it to the trash.
void PreviewWindow::DateiListe_KeyDown(int keyCode)
{
    if (keyCode == 13) {
        const QString path = HighlightedPath();
        if (!path.isEmpty())
            KELPA::ApiResult = platform::ShellExecuteA(path, KELPA::Directory);
    } else if (keyCode == 46) {
        DeleteHighlighted();
    } else {
        CommonKey(keyCode);
    }
}

// The file being received, the lock file and any file the program holds
// open stay where they are: the trash would take them from under it.
bool PreviewWindow::RefusedForTrash(const QString& path) const
{
    const QString target = platform::ToLinuxPath(path);
    const auto same = [&target](const QString& other) {
        return !other.isEmpty() && platform::ToLinuxPath(other) == target;
    };
    return same(KELPA::LastFile) || same(platform::CurDir() + QStringLiteral("\\KELPA.TMP")) ||
           platform::FileIsOpen(path);
}

// Moves the highlighted file to the trash, reads the folder once, counts it
// in the caption and highlights the entry now at the same place (the last
// one when the last was removed; the same file again when it was refused).
void PreviewWindow::DeleteHighlighted()
{
    int row = DateiListe->ListIndex();
    if (row < 0)
        return;
    const QString path = HighlightedPath();
    if (RefusedForTrash(path))
        KELPA::ApiResult = platform::FileOperationRefused;
    else
        KELPA::ApiResult =
            platform::SHFileOperationA(platform::FO_DELETE, path, platform::FOF_ALLOWUNDO);
    RefreshFileListNow();
    SetCaption(ListCaption());
    if (!ListPreview->isHidden())
        ListPreview->hide();
    LabelInfo->setText(QStringLiteral(" "));
    ImagePreview->Clear();
    const int count = FileCount();
    if (row == count)
        row = count - 1;
    if (KELPA::ApiResult != platform::FileOperationDone && !DateiListe->FileName().isEmpty())
        row = DateiListe->ListIndex();
    SelectFile(row);
}
