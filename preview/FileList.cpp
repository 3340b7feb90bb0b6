#include "preview/FileList.h"

#include "platform/files/Files.h"
#include "preview/ListedName.h"

#include <QScrollBar>
#include <QStringListModel>

namespace {

// The names, each shown on one line; the model holds them as they are.
class NamesModel final : public QStringListModel {
public:
    using QStringListModel::QStringListModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        const QVariant value = QStringListModel::data(index, role);
        return role == Qt::DisplayRole ? QVariant(preview::ListedName(value.toString())) : value;
    }
};

} // namespace

FileList::FileList(QWidget* parent) : QListView(parent), model_(new NamesModel(this))
{
    setModel(model_);
    // Rows of one size are laid out at once, however many: a list laid out
    // in batches cannot scroll to a row of a later batch yet.
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        if (!quiet_)
            Q_EMIT Click();
    });
}

int FileList::SetPath(const QString& folder)
{
    QString path = folder;
    while (path.endsWith(QLatin1Char('\\')) && path.size() > 3)
        path.chop(1);
    if (!platform::DirExists(path))
        return platform::ErrPathNotFound;
    if (!path_.isEmpty() && platform::ToLinuxPath(path) == platform::ToLinuxPath(path_)) {
        Refresh();
        return platform::ErrNone;
    }
    path_ = path;
    quiet_ = true;
    ReadFolder();
    quiet_ = false;
    return platform::ErrNone;
}

void FileList::ReadFolder()
{
    QString pattern = path_;
    if (!pattern.endsWith(QLatin1Char('\\')))
        pattern += QLatin1Char('\\');
    model_->setStringList(platform::DirList(pattern + QLatin1Char('*')));
}

void FileList::Refresh()
{
    if (path_.isEmpty())
        return;
    const QString kept = FileName();
    const int keptRow = ListIndex();
    const int scroll = verticalScrollBar()->value();
    quiet_ = true;
    ReadFolder();
    executeDelayedItemsLayout(); // the scroll range of the new rows
    int row = kept.isEmpty() ? -1 : int(model_->stringList().indexOf(kept));
    if (row < 0 && keptRow >= 0)
        row = qMin(keptRow, Count() - 1);
    if (row >= 0)
        setCurrentIndex(model_->index(row));
    verticalScrollBar()->setValue(scroll);
    quiet_ = false;
    // The highlighted file went away and another took its row: what is shown
    // follows the highlight, so that a Del never takes a file unseen.
    if (!kept.isEmpty() && FileName() != kept)
        Q_EMIT Click();
}

int FileList::Count() const
{
    return model_->rowCount();
}

int FileList::ListIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void FileList::SetListIndex(int row)
{
    quiet_ = true;
    if (row >= 0 && row < Count())
        setCurrentIndex(model_->index(row));
    else
        setCurrentIndex(QModelIndex());
    scrollTo(currentIndex());
    quiet_ = false;
    Q_EMIT Click();
}

QString FileList::FileName() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.data(Qt::EditRole).toString() : QString();
}
