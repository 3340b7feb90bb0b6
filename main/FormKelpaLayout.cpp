#include "main/FormKelpa.h"

void FormKelpa::MDIForm_Resize() {}
void FormKelpa::TimerInfo_Timer() {}
