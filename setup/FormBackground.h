#pragma once
// The installer's background window. Shown modally by the start-up when the
// settings file is missing beside the shipped files: it covers the primary
// screen, reveals its picture tile by tile, then asks for the language
// (FormLanguage) and shows the installation dialog (FormInstall), both above
// it. The whole installation runs inside that one modal call; closing the
// background ends it as the dialog's Cancel does.

#include "platform/forms/Form.h"
#include "platform/pump/Timer.h"

#include <QRect>
#include <QSize>

#include <array>

class QLabel;

class FormBackground final : public platform::Form {
    Q_OBJECT
public:
    static FormBackground& Instance();

    // Where image n (1 to 16) lies on a screen of size: row (n - 1) / 4 and
    // column (n - 1) % 4 of a four by four grid whose tiles meet exactly.
    static QRect TilePlace(int n, const QSize& screen);
    // The image that counter value 1 to 16 reveals: first the tiles whose
    // row plus column is even, row by row, then the others; 0 otherwise.
    static int RevealedAt(int counter);

    // Places a dialog in the middle of the screen the background covers.
    void Centre(QWidget* dialog) const;

    // One tick of the reveal; at 18 the timer stops and the dialogs follow.
    void Timer1_Timer();

    platform::Timer Timer1;          // 100 ms, running from the load
    bool Ending = false;             // the installer's ending is under way
    std::array<QLabel*, 17> Image{}; // Image[1] to Image[16]; Image[1] holds the picture

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel) override;

private:
    FormBackground();
};
