#pragma once
// The main window: menu bar and the document area that holds the transfer
// window and the other child windows. Its load handler is the program's
// start-up; its close box is routed to the exit command.

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;

class FormKelpa final : public QMainWindow {
    Q_OBJECT
public:
    // The one instance, created on first use.
    static FormKelpa& Instance();
    FormKelpa(const FormKelpa&) = delete;
    FormKelpa& operator=(const FormKelpa&) = delete;

    // Start-up: chooses the language, sets the captions, shows the window.
    void MDIForm_Load();
    // The exit command: the one way the program ends. Never returns.
    void CommandExit_Click();

    QMdiArea* MdiArea() const { return mdiArea_; }
    QAction* MenuEntry(const char* name) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    FormKelpa();
    void setupMenus();
    void SetCaptions();
    void MDIForm_QueryUnload();

    QMdiArea* mdiArea_ = nullptr;
};
