#include "tools/FormAssistant.h"

#include "main/Kelpa.h"
#include "tools/ExampleTask.h"

FormAssistant& FormAssistant::Instance()
{
    static FormAssistant* instance = new FormAssistant;
    return *instance;
}

FormAssistant::FormAssistant() : Form(Kind::TopLevel, "FormAssistant") {}

// A file that cannot be written (a folder of that name, a read-only folder)
// leaves start-up to go on without the example.
void FormAssistant::TaskSchreiben()
{
    tools::WriteExampleTask(QStringLiteral("TEST.TSK"), KELPA::Language);
}

void FormAssistant::Form_Load()
{
    Unload();
}
