#include "settings/FormProfessional.h"

FormProfessional& FormProfessional::Instance()
{
    static FormProfessional* instance = new FormProfessional;
    return *instance;
}

FormProfessional::FormProfessional() : Form(Kind::TopLevel, "FormProfessional") {}

void FormProfessional::Form_Load()
{
    // Not filled yet: closes at once, so that a modal showing returns.
    Unload();
}
