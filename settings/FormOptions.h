#pragma once
// The options window. So far only what the main window reaches: loading and
// unloading (OptionsOpen) and the completion offer.

#include "platform/forms/Form.h"

class FormOptions final : public platform::Form {
    Q_OBJECT
public:
    static FormOptions& Instance();

    // Offers to complete an interrupted search (sets ContinueSearch and
    // CompleteRequested); does nothing yet.
    void CompleteCheck();

protected:
    void Form_Load() override;

private:
    FormOptions();
};
