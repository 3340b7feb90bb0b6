#include "tools/ListLines.h"

void ListLines::Append(const QStringList& batch)
{
    if (batch.isEmpty())
        return;
    const int first = int(lines_.size());
    beginInsertRows(QModelIndex(), first, first + int(batch.size()) - 1);
    lines_.append(batch);
    endInsertRows();
}

void ListLines::Clear()
{
    if (lines_.isEmpty())
        return;
    beginResetModel();
    lines_.clear();
    endResetModel();
}

QString ListLines::Line(qsizetype row) const
{
    return row >= 0 && row < lines_.size() ? lines_[row] : QString();
}

int ListLines::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

QVariant ListLines::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= lines_.size())
        return {};
    return lines_[index.row()].left(ShownLength);
}
