#include "main/FormKelpa.h"

#include "platform/pump/Pump.h"

void FormKelpa::MDIForm_QueryUnload()
{
    CommandExit_Click();
}

void FormKelpa::CommandExit_Click()
{
    platform::EndProgram(0);
}

void FormKelpa::DateienLoeschen() {}
void FormKelpa::DateiInPapierkorb() {}
