#pragma once
// What a settings window stores of a text box: a value on one line, free of
// control characters, whatever a paste brought in.

#include <QString>

// text with each line break (CR LF, a lone CR or LF) and each TAB turned into
// one blank and every other control character (C0, DEL, C1) dropped. Nothing
// else changes: no trimming.
QString StoredText(const QString& text);
