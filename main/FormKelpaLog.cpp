#include "main/FormKelpa.h"

void FormKelpa::logging(const QString&) {}
void FormKelpa::StatusZeile() {}
void FormKelpa::IndiLED(const QString&) {}
void FormKelpa::TimerBusy_Timer() {}
