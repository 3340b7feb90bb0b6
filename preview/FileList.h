#pragma once
// The preview's file list (DateiListe): every file of one folder, as a list
// over a model with uniform rows, so that a folder of tens of thousands of
// files costs one listing and no widget per file. Each name shows on one
// line.

#include <QListView>
#include <QString>

class QStringListModel;

class FileList final : public QListView {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent);

    // Points the list at a folder (a program path, with or without a final
    // "\") and reads it; 0, or 76 when the folder does not exist (the list
    // then keeps its folder and entries). The folder listed already is read
    // again as Refresh does.
    int SetPath(const QString& folder);
    // The folder listed, without a final "\".
    QString Path() const { return path_; }
    // Reads the folder again. The highlighted name stays highlighted and the
    // list keeps its scroll position; Click does not run. When that name is
    // gone, the same row is highlighted and Click runs.
    void Refresh();

    int Count() const;
    // The highlighted row, -1 when none.
    int ListIndex() const;
    // Highlights row (none when out of range), scrolled into view, and runs
    // Click, also when that row was highlighted already.
    void SetListIndex(int row);
    // The highlighted file's name, empty when none.
    QString FileName() const;

Q_SIGNALS:
    // The highlighted entry changed, by the user or by SetListIndex.
    void Click();

private:
    void ReadFolder();

    QStringListModel* model_;
    QString path_;
    bool quiet_ = false; // a refresh moves the highlight without a Click
};
