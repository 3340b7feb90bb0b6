#pragma once
// The modal file and directory chooser. Callers set ChooseFilter (patterns
// joined by ";", empty for a directory) and ChooseTitle, show it modally and
// read ChosenPath (empty: cancelled, closed or Escape). It never opens the
// chosen file. The title selects the special modes: saving a task (".tsk"
// added to a name without ".", an existing non-empty file only after Yes),
// the input file (pre-filled), the icon (preview) and the download directory
// (names checked; Standard sets StandardDirectory and logs it). A typed path
// beginning with "/" is a Linux path; a folder named where a file is asked
// for is opened in the lists, not returned.

#include "platform/forms/Form.h"
#include "tools/ChooserRules.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace chooser {
class DirListBox;
class FileListBox;
} // namespace chooser

class FormChoose final : public platform::Form {
    Q_OBJECT
public:
    static FormChoose& Instance();

    // A drive chosen: its root in the lists, or "Drive not ready!" and the
    // drive of the lists again.
    void DriveSearch_Change();
    // A folder opened: its files listed, its path with "\" in the text box.
    void DirSearch_Change();
    void FileSearch_Click(); // the file's full path in the text box
    void FileSearch_DblClick();
    void ComboSearch_Change(); // the pattern typed or picked, the files read again
    // OK enabled and default while there is a text; the icon preview.
    void TextSearch_Change();
    void TextSearch_DblClick();
    // Checks the text by mode; sets ChosenPath and unloads, or stays open.
    void CommandSearchOK_Click();
    void CommandSearchCancel_Click();
    void CommandStandard_Click();

    QLabel* LabelSearch = nullptr;
    QLineEdit* TextSearch = nullptr;
    QPushButton* CommandStandard = nullptr;
    chooser::FileListBox* FileSearch = nullptr;
    chooser::DirListBox* DirSearch = nullptr;
    QComboBox* ComboSearch = nullptr;
    QComboBox* DriveSearch = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* CommandSearchOK = nullptr;
    QPushButton* CommandSearchCancel = nullptr;

protected:
    void Form_Load() override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormChoose();
    void setupControls();
    void setupHandlers();
    // The directory-name check of the text box; false when it refused.
    bool DirectoryNameAccepted();
    void SetDefault(QPushButton* button);
    void ShowDrive();
    void FitLabel();

    chooser::Mode mode_;
};
