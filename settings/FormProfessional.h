#pragma once
// The advanced settings dialog: request header values, the comment line of
// rewritten pages, blocking calls, time-out, receive buffer, hide minutes and
// rarer switches. A window of its own, shown modally by the options window.

#include "platform/forms/Form.h"

class FormProfessional final : public platform::Form {
    Q_OBJECT
public:
    static FormProfessional& Instance();

protected:
    void Form_Load() override;

private:
    FormProfessional();
};
