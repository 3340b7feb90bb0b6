// The scheduler: delayed start, repeat and duration. So far only what the
// run calls.

#include "main/FormKelpa.h"

void FormKelpa::delayanzeige() {}
void FormKelpa::TimerRepeat_Timer() {}
