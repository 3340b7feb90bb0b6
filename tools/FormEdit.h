#pragma once
// The list editor. So far only what the main window reaches: loading and
// unloading (EditOpen) and the log frame's refresh.

#include "platform/forms/Form.h"

class FormEdit final : public platform::Form {
    Q_OBJECT
public:
    static FormEdit& Instance();

    // Updates the log frame after a line was logged; nothing to update yet.
    void LogRefresh();
    // Fits the editor into the main window; not built yet.
    void AlignForm() {}

protected:
    void Form_Load() override;

private:
    FormEdit();
};
