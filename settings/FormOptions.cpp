#include "settings/FormOptions.h"

#include "main/Kelpa.h"

FormOptions& FormOptions::Instance()
{
    static FormOptions* instance = new FormOptions;
    return *instance;
}

FormOptions::FormOptions() : Form(Kind::MdiChild, "FormOptions")
{
    TrackOpenFlag(KELPA::OptionsOpen);
}

void FormOptions::Form_Load()
{
    Show();
}

void FormOptions::CompleteCheck() {}
