#pragma once
// The task comments window: six lines the user writes before a task is saved.
// Loading shows Comment slots 0 to 5; the close button stores the lines back
// unaltered and unloads. Closing it any other way stores nothing. It opens
// clear of the main window's controls (FormKelpa::ControlAreas).

#include "platform/forms/Form.h"

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

class FormComments final : public platform::Form {
    Q_OBJECT
public:
    static FormComments& Instance();

    void Command1_Click();

    std::array<QLineEdit*, 6> Text{};
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void Form_Load() override;

private:
    FormComments();
};
