#include "tools/FormEdit.h"

#include "main/Kelpa.h"

FormEdit& FormEdit::Instance()
{
    static FormEdit* instance = new FormEdit;
    return *instance;
}

FormEdit::FormEdit() : Form(Kind::MdiChild, "FormEdit") {}

void FormEdit::Form_Load()
{
    KELPA::EditOpen = 1;
    Show();
}

void FormEdit::Form_Unload()
{
    KELPA::EditOpen = 0;
}

void FormEdit::LogRefresh() {}
