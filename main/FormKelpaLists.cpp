// Start modes and input lists.

#include "main/FormKelpa.h"

void FormKelpa::OptionContinue_Click() {}
void FormKelpa::OptionNew_Click() {}
void FormKelpa::CheckListe_Click() {}
void FormKelpa::INPanlesen() {}
void FormKelpa::InputFileLesen() {}
void FormKelpa::InputFileLaden() {}
