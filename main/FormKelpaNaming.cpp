// Local names and the download directory.

#include "main/FormKelpa.h"

void FormKelpa::NamenGeben(const QString&) {}
void FormKelpa::Doublette(int16_t&) {}
void FormKelpa::DoubletteKurz(int16_t&) {}
void FormKelpa::CacheVerzeichnis() {}
