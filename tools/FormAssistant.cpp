#include "tools/FormAssistant.h"

FormAssistant& FormAssistant::Instance()
{
    static FormAssistant* instance = new FormAssistant;
    return *instance;
}

FormAssistant::FormAssistant() : Form(Kind::TopLevel, "FormAssistant") {}

void FormAssistant::TaskSchreiben() {}

void FormAssistant::Form_Load()
{
    Unload();
}
