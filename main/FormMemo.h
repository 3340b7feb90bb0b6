#pragma once
// The notes window: one multi-line text box whose text is MemoText, which the
// settings file keeps between sessions. It stays above all other windows and
// opens clear of the main window's controls (FormKelpa::ControlAreas).

#include "platform/forms/Form.h"

class QPlainTextEdit;

class FormMemo final : public platform::Form {
    Q_OBJECT
public:
    static FormMemo& Instance();

    // Sets MemoText to the text, lines joined with CR LF, without leading and
    // trailing blanks.
    void Text1_Change();

    QPlainTextEdit* Text1 = nullptr;

protected:
    // Caption, MemoText into Text1, kept on top, clear of the main window's
    // controls and on screen.
    void Form_Load() override;

private:
    FormMemo();
};
