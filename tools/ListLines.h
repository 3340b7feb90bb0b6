#pragma once
// The lines a listing has read, as a list model for the list editor's view.
// Lines arrive in batches, so the view lays itself out once per batch and not
// once per line. A line is kept whole; the view shows at most its first
// ShownLength characters.

#include <QAbstractListModel>
#include <QStringList>

class ListLines final : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr qsizetype ShownLength = 4096;

    using QAbstractListModel::QAbstractListModel;

    // Appends the lines of batch as rows; an empty batch changes nothing.
    void Append(const QStringList& batch);
    void Clear();
    qsizetype Count() const { return lines_.size(); }
    // The whole line of row; empty for a row that does not exist.
    QString Line(qsizetype row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    QStringList lines_;
};
