#include "preview/DirectoryList.h"

#include "platform/files/Files.h"
#include "preview/ListedName.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

namespace {

constexpr int PathRole = Qt::UserRole;

} // namespace

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent)
{
    setUniformItemSizes(true);
    // A horizontal bar would take a row of the few the list has: a long
    // name is cut short instead and stands whole in its tool tip.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QListWidget::itemClicked, this, [this] { Q_EMIT Click(); });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { SetPath(item->data(PathRole).toString()); });
}

int DirectoryList::SetPath(const QString& folder)
{
    QString path = folder;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path.endsWith(QLatin1Char('\\')) && path.size() > 3)
        path.chop(1);
    if (path.size() == 2 && path.at(1) == QLatin1Char(':'))
        path += QLatin1Char('\\');
    if (!platform::DirExists(path))
        return platform::ErrPathNotFound;
    // The folder chosen already is read again: unloading the window emptied
    // the list, and the folder may have changed since.
    if (path.compare(path_, Qt::CaseInsensitive) == 0) {
        Refresh();
        return platform::ErrNone;
    }
    path_ = path;
    Fill();
    Q_EMIT Filled();
    Q_EMIT Change();
    return platform::ErrNone;
}

void DirectoryList::Refresh()
{
    if (path_.isEmpty())
        return;
    const QString kept =
        currentItem() != nullptr ? currentItem()->data(PathRole).toString() : QString();
    const int scroll = verticalScrollBar()->value();
    {
        const QSignalBlocker quiet(this);
        Fill();
        if (!kept.isEmpty()) { // an emptied list is filled as new
            for (int row = 0; row < count(); ++row) {
                if (item(row)->data(PathRole).toString() == kept)
                    setCurrentRow(row);
            }
            verticalScrollBar()->setValue(scroll);
        }
    }
    Q_EMIT Filled();
}

void DirectoryList::Fill()
{
    clear();
    const QStringList parts = path_.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QString walked;
    int depth = 0;
    for (const QString& part : parts) {
        walked += part + QLatin1Char('\\');
        auto* item = new QListWidgetItem(
            QString(depth * 2, QLatin1Char(' ')) + preview::ListedName(part), this);
        item->setData(PathRole, walked);
        ++depth;
    }
    if (count() > 0)
        setCurrentRow(count() - 1);
    for (const QString& name : platform::ListFolder(path_).folders) {
        auto* item = new QListWidgetItem(
            QString(depth * 2, QLatin1Char(' ')) + preview::ListedName(name), this);
        item->setData(PathRole, walked + name);
        item->setToolTip(name);
    }
    // The chosen folder heads the view, with its subfolders below it.
    if (QListWidgetItem* chosen = currentItem())
        scrollToItem(chosen, PositionAtTop);
    wholeWidth_ = sizeHintForColumn(0) + 2 * frameWidth() +
                  style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}
