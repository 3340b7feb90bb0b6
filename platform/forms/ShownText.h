#pragma once
// Text shown in a text box while a run goes on: setting the text it already
// shows is left out, so the box is neither laid out nor repainted again and
// its cursor and selection stay as they are.

#include <QString>

class QLineEdit;

namespace platform {

void ShowText(QLineEdit* box, const QString& text);

} // namespace platform
