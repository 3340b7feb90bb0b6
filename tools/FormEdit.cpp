#include "tools/FormEdit.h"

#include "main/Kelpa.h"

FormEdit& FormEdit::Instance()
{
    static FormEdit* instance = new FormEdit;
    return *instance;
}

FormEdit::FormEdit() : Form(Kind::MdiChild, "FormEdit")
{
    TrackOpenFlag(KELPA::EditOpen);
}

void FormEdit::Form_Load()
{
    Show();
}

void FormEdit::LogRefresh() {}
