#pragma once
// The file and directory chooser. Callers set ChooseFilter and ChooseTitle,
// show it modally and read ChosenPath (empty: cancelled). Until the chooser
// is built it closes at once and leaves ChosenPath as it was.

#include "platform/forms/Form.h"

class FormChoose final : public platform::Form {
    Q_OBJECT
public:
    static FormChoose& Instance();

protected:
    void Form_Load() override;

private:
    FormChoose();
};
