#include "main/FormKelpa.h"

void FormKelpa::inilesen(const QString&) {}
void FormKelpa::inischreiben(const QString&) {}
void FormKelpa::INITest() {}
