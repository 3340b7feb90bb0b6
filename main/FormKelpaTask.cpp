#include "main/FormKelpa.h"

void FormKelpa::TaskLesen() {}
void FormKelpa::TaskLaden() {}
void FormKelpa::MenuOpenTask_Click() {}
void FormKelpa::MenuSaveTask_Click() {}
void FormKelpa::PlaceFromPosition() {}
