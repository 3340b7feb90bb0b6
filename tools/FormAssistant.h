#pragma once
// The task assistant. So far only the example task writer start-up calls;
// shown, it closes at once until the assistant is built.

#include "platform/forms/Form.h"

class FormAssistant final : public platform::Form {
    Q_OBJECT
public:
    static FormAssistant& Instance();

    // Writes the example task TEST.TSK into the current directory.
    void TaskSchreiben();

protected:
    void Form_Load() override;

private:
    FormAssistant();
};
