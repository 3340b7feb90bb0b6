// The download run: the start command and the stop command.

#include "main/FormKelpa.h"
#include "main/Kelpa.h"

using namespace KELPA;

void FormKelpa::CommandStart_Click() {}

void FormKelpa::CommandStop_Click() {}

void FormKelpa::MenuHTTP_Click() {}
