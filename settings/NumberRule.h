#pragma once
// The number boxes of the settings dialogs: how a typed text becomes the
// number kept in a 16- or 32-bit settings variable.

#include <QString>

#include <cstdint>

namespace settings {

// The decimal number a box text begins with (blanks skipped, a sign and a
// point allowed; no number gives 0), not rounded.
double BoxNumber(const QString& text);

// Stores the box text's number, rounded to a whole number with halves to the
// even neighbour (2.5 gives 2, 3.5 gives 4), into variable. A number that
// does not fit the variable's width leaves it unchanged and returns false.
bool StoreBoxNumber(const QString& text, int16_t& variable);
bool StoreBoxNumber(const QString& text, int32_t& variable);

} // namespace settings
