#pragma once
// The installer's language question. Its texts are fixed (no language has
// been chosen yet). OK fills the text table in the chosen language; closing
// it any other way leaves English.

#include "platform/forms/Form.h"

class QLabel;
class QPushButton;
class QRadioButton;

class FormLanguage final : public platform::Form {
    Q_OBJECT
public:
    static FormLanguage& Instance();

    // Language := "deutsch" when Deutsch is chosen, then the text table in
    // that language; unloads the dialog.
    void Command1_Click();

    QLabel* Label1 = nullptr;
    QRadioButton* Option2 = nullptr; // Deutsch, chosen when the dialog opens
    QRadioButton* Option1 = nullptr; // English
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void Form_Load() override;
    // Return and Enter press OK, as in any dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    FormLanguage();
};
