#pragma once
// The small pop-up window the main window shows as its context menu at
// (PopupLeft, PopupTop): arrange the windows, show or hide the tool bar and
// the log panel, and a double click that copies the selected log line. The
// main window's activation unloads it, and so does Escape.

#include "platform/forms/Form.h"

class QCheckBox;
class QLabel;

class FormKontext final : public platform::Form {
    Q_OBJECT
public:
    static FormKontext& Instance();

    // Check marks from ShowToolbar and ShowProtocol; moves to the pop-up place.
    void Form_Activate();
    // Shows the pop-up at (PopupLeft, PopupTop); when it is open already it
    // moves there and takes its check marks afresh.
    void PopUp();
    // Copies the main window's selected log line to the clipboard, when that
    // line holds more than blanks; leaves the clipboard alone otherwise.
    void Form_DblClick();
    // Mouse presses on the items: each runs its command and closes the pop-up.
    void Label1_MouseDown();
    void Check1_MouseDown();
    void Check2_MouseDown();

    QLabel* Label1 = nullptr;    // align windows
    QCheckBox* Check1 = nullptr; // tool bar
    QCheckBox* Check2 = nullptr; // protocol
    QLabel* Label2 = nullptr;    // copy hint

protected:
    void Form_Load() override;
    void showEvent(QShowEvent* event) override;
    // A raised border around the items, so that the pop-up stands apart from
    // the tool bar it opens over.
    void paintEvent(QPaintEvent* event) override;
    // Escape closes the pop-up, whichever of its items has the focus.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FormKontext();
    // Paints the item under the mouse in the highlight colour (none: nullptr)
    // and the others in their ordinary colours.
    void Highlight(const QWidget* item);
};
