#pragma once
// The modal file and directory chooser. Callers set ChooseFilter (patterns
// joined by ";", empty for a directory) and ChooseTitle, show it modally and
// read ChosenPath (empty: cancelled). It never opens the chosen file.

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

    void DriveSearch_Change();
    void DirSearch_Change();
    void FileSearch_Click();
    void FileSearch_DblClick();
    void ComboSearch_Change();
    void TextSearch_Change();
    void TextSearch_DblClick();
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
    // The directory-name check of the text box; false when it refused.
    bool DirectoryNameAccepted();
    void SetDefault(QPushButton* button);
    void ShowDrive();
    void FitLabel();
    void Center();

    chooser::Mode mode_;
};
