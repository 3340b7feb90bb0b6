#pragma once
// The installer's background window. Shown modally when the settings file is
// missing beside the shipped files; the installation runs inside that call.
// Until the installer is built it closes at once.

#include "platform/forms/Form.h"

class FormBackground final : public platform::Form {
    Q_OBJECT
public:
    static FormBackground& Instance();

protected:
    void Form_Load() override;

private:
    FormBackground();
};
