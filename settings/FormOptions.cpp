#include "settings/FormOptions.h"

#include "main/Kelpa.h"

FormOptions& FormOptions::Instance()
{
    static FormOptions* instance = new FormOptions;
    return *instance;
}

FormOptions::FormOptions() : Form(Kind::MdiChild, "FormOptions") {}

void FormOptions::Form_Load()
{
    KELPA::OptionsOpen = 1;
    Show();
}

void FormOptions::Form_Unload()
{
    KELPA::OptionsOpen = 0;
}

void FormOptions::CompleteCheck() {}
