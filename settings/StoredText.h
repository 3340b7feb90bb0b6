#pragma once
// Texts the settings dialogs store: one line each in KELPA.INI, so a pasted
// line break or tab becomes a blank and other control characters go.

#include <QString>

namespace settings {

// text with CR, LF and TAB each turned into a blank and every other control
// character (below 32, and 127) dropped.
QString StoredText(const QString& text);

} // namespace settings
