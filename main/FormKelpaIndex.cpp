// The index page, the recent start pages and the e-mail address list.

#include "main/FormKelpa.h"

void FormKelpa::URLListe(int16_t) {}
void FormKelpa::loggingMAILTO(QString&) {}
