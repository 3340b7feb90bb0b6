#include "tools/FormChoose.h"

FormChoose& FormChoose::Instance()
{
    static FormChoose* instance = new FormChoose;
    return *instance;
}

FormChoose::FormChoose() : Form(Kind::TopLevel, "FormChoose") {}

void FormChoose::Form_Load()
{
    Unload();
}
