#pragma once
// The installation dialog: proposes the target directory, installs on OK,
// and after two seconds shows the finished view once the check finds every
// file, the settings line and the group's items in place; otherwise the
// group is put back as it was, a box names what is missing and why, and the
// user may try another directory. Cancel (OK in the finished view), Escape
// and the close box end the program.

#include "platform/forms/Form.h"
#include "platform/pump/Timer.h"
#include "setup/Installation.h"

#include <QList>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class FormInstall final : public platform::Form {
    Q_OBJECT
public:
    static FormInstall& Instance();

    void CommandChangeDirectory_Click();
    void CommandOK_Click();
    void Timer1_Timer();
    // Closes the files, deletes the lock file and ends the program; once
    // under way, a second way out adds nothing.
    void CommandCancel_Click();

    // The language-dependent names, from the text table.
    static setup::InstallNames NamesFromTexts();

    QLabel* Label2 = nullptr; // heading
    QLabel* Label1 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* TextDirectory = nullptr;
    QPushButton* CommandChangeDirectory = nullptr;
    QPushButton* CommandOK = nullptr;
    QPushButton* CommandCancel = nullptr;
    QLabel* Label4 = nullptr; // the finished view's two lines
    QLabel* Label5 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label3 = nullptr;
    platform::Timer Timer1; // 2000 ms, off: the wait before the finished view

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel) override;
    // Escape is Cancel; Return and Enter press the default button while it
    // shows: OK, or the finished view's OK.
    void keyPressEvent(QKeyEvent* event) override;

private:
    FormInstall();
    void Busy();
    void NotBusy();
    // The box naming what is missing and why, then the choosing view again.
    void Failed(const QList<setup::Failure>& failures);

    bool busy_ = false;
    std::optional<setup::Attempt> attempt_; // the installation under way
};
