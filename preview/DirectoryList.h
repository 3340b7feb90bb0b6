#pragma once
// The preview's directory list (VerzListe): the folders from the drive down
// to the one chosen, then that folder's subfolders, each name on one line. A
// double click enters a folder (Change); a click runs Click.

#include <QListWidget>
#include <QString>

class DirectoryList final : public QListWidget {
    Q_OBJECT
public:
    explicit DirectoryList(QWidget* parent);

    // Chooses a folder (a program path); 0, or 76 when it does not exist.
    // Runs Change when the folder is another; the folder chosen already is
    // read again as Refresh does.
    int SetPath(const QString& folder);
    // Reads the chosen folder's subfolders again (a run makes new ones),
    // keeping the highlighted entry and the scroll position; neither Change
    // nor Click runs.
    void Refresh();
    // The chosen folder, without a final "\" (but "C:\" for a drive).
    QString Path() const { return path_; }
    // The width in pixels at which the list shows every entry whole, beside
    // its vertical scroll bar.
    int WholeWidth() const { return wholeWidth_; }

Q_SIGNALS:
    void Change();
    void Click();
    // The entries were read anew (and WholeWidth may have changed).
    void Filled();

private:
    void Fill();

    QString path_;
    int wholeWidth_ = 0;
};
