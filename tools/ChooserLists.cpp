#include "tools/ChooserLists.h"

#include "platform/files/Files.h"
#include "tools/ChooserRules.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QStyle>

namespace chooser {

namespace {

// The program path of a folder as the lists keep it: "C:\" for a root,
// "C:\a\b" below it, in the case the names have on disk.
QString CanonicalFolder(const QString& folder)
{
    const QString linuxPath = platform::ToLinuxPath(folder);
    if (linuxPath.isEmpty() || !platform::DirExists(folder))
        return QString();
    return platform::FromLinuxPath(linuxPath);
}

} // namespace

void NameModel::SetNames(const QStringList& names, int open)
{
    beginResetModel();
    names_ = names;
    open_ = open;
    folders_ = open > 0;
    endResetModel();
}

int NameModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(names_.size());
}

QVariant NameModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= names_.size())
        return {};
    const int row = index.row();
    if (role == Qt::DisplayRole) {
        if (!folders_)
            return names_.at(row);
        const int depth = row < open_ ? row : open_;
        return QString(depth * 2, QLatin1Char(' ')) + names_.at(row);
    }
    if (role == Qt::DecorationRole && folders_) {
        return QApplication::style()->standardIcon(row < open_ ? QStyle::SP_DirOpenIcon
                                                               : QStyle::SP_DirClosedIcon);
    }
    return {};
}

DirListBox::DirListBox(QWidget* parent) : QListView(parent)
{
    setModel(&model_);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    connect(this, &QListView::activated, this, &DirListBox::OpenRow);
}

bool DirListBox::SetPath(const QString& folder)
{
    const QString path = CanonicalFolder(folder);
    if (path.isEmpty())
        return false;
    const platform::FolderEntries entries = platform::ListFolder(path);
    const QString root = path.left(3);
    QStringList rows{root};
    openPaths_ = QStringList{root};
    QString walked = root;
    for (const QString& part : path.mid(3).split(QLatin1Char('\\'), Qt::SkipEmptyParts)) {
        walked = Joined(walked, part);
        rows.append(part);
        openPaths_.append(walked);
    }
    const int open = int(rows.size());
    rows.append(entries.folders);
    model_.SetNames(rows, open);
    setCurrentIndex(model_.index(open - 1));
    const bool changed = path != path_;
    path_ = path;
    if (changed)
        Q_EMIT PathChanged();
    return true;
}

void DirListBox::OpenRow(const QModelIndex& index)
{
    const int row = index.row();
    const QString target =
        row < openPaths_.size() ? openPaths_.at(row) : Joined(path_, model_.Names().value(row));
    SetPath(target);
}

FileListBox::FileListBox(QWidget* parent) : QListView(parent)
{
    setModel(&model_);
    setUniformItemSizes(true);
    setEditTriggers(NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    Q_EMIT Click();
            });
    connect(this, &QListView::doubleClicked, this, [this] { Q_EMIT DblClick(); });
}

void FileListBox::SetPath(const QString& folder)
{
    path_ = folder;
    Refresh();
}

void FileListBox::SetPattern(const QString& filter)
{
    patterns_ = Patterns(filter);
    Show();
}

void FileListBox::Refresh()
{
    files_ = path_.isEmpty() ? QStringList() : platform::ListFolder(path_).files;
    Show();
}

QString FileListBox::FileName() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_.Names().value(current.row()) : QString();
}

void FileListBox::Show()
{
    model_.SetNames(Shown(files_, patterns_));
}

} // namespace chooser
