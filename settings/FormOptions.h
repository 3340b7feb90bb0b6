#pragma once
// The options window. So far only what the main window reaches: loading and
// unloading (OptionsOpen) and the completion offer.

#include "platform/forms/Form.h"

class QLineEdit;

class FormOptions final : public platform::Form {
    Q_OBJECT
public:
    static FormOptions& Instance();

    // The completion offer. Reads KELPA.NOT (backed up to KELPA.BAK) and,
    // unless the run was stopped, repeats or the offer was made already, asks
    // whether to complete it. Leaves the decision in ContinueSearch,
    // CompleteRequested (1 = start the completion now; never cleared here) and
    // CompletingNotLoaded, and selects the main window's OptionContinue or
    // OptionNew, whose handlers prepare the next run. Starts no run itself.
    void CompleteCheck();

    // Not built yet: placing the window below the transfer window, deriving a
    // download directory from the start URL, adding the start URL's host and
    // directory to the only-sites list.
    void AlignForm() {}
    void AutoDir() {}
    void OnlysiteDirs() {}
    // The only-sites list; its change handler updates OnlySite.
    QLineEdit* TextOnlySite = nullptr;

protected:
    void Form_Load() override;

private:
    FormOptions();
    void TextOnlySite_Change();
};
