#include "setup/FormBackground.h"

FormBackground& FormBackground::Instance()
{
    static FormBackground* instance = new FormBackground;
    return *instance;
}

FormBackground::FormBackground() : Form(Kind::TopLevel, "FormBackground") {}

void FormBackground::Form_Load()
{
    Unload();
}
