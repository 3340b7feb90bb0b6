#pragma once
// The chooser's folder and file lists. Both show their rows through a model,
// so a folder of many thousand files fills at once; both name folders by
// program paths ("C:\kelpa").

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

namespace chooser {

// Rows of names; the first `open` rows are the folders leading to the
// current one, each indented one step more than the one before, and the
// rows after them stand one step further in.
class NameModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void SetNames(const QStringList& names, int open = 0);
    const QStringList& Names() const { return names_; }
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QStringList names_;
    int open_ = 0;
    bool folders_ = false;
};

// The folders of the current folder under the folders leading to it. A
// double click or Enter on a row opens it.
class DirListBox final : public QListView {
    Q_OBJECT
public:
    explicit DirListBox(QWidget* parent);
    const QString& Path() const { return path_; }
    // Opens a folder; false (nothing changed) when it cannot be read.
    bool SetPath(const QString& folder);

Q_SIGNALS:
    void PathChanged();

private:
    void OpenRow(const QModelIndex& index);
    QString path_;
    QStringList openPaths_; // the program path of each leading row
    NameModel model_;
};

// The files of one folder that match a pattern list ("*.htm;*.html").
class FileListBox final : public QListView {
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent);
    const QString& Path() const { return path_; }
    void SetPath(const QString& folder); // reads the folder
    void SetPattern(const QString& filter);
    void Refresh(); // reads the folder again
    // The selected file's name, empty when none is selected.
    QString FileName() const;
    const QStringList& Names() const { return model_.Names(); }

Q_SIGNALS:
    void Click();
    void DblClick();

private:
    void Show();
    QString path_;
    QStringList patterns_{QStringLiteral("*.*")};
    QStringList files_; // every file of the folder
    NameModel model_;
};

} // namespace chooser
