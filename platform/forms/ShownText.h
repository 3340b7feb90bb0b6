#pragma once
// Text shown in a text box while a run goes on: setting the text it already
// shows is left out, so the box is neither laid out nor repainted again and
// its cursor and selection stay as they are.

#include <QString>

class QLineEdit;
class QWidget;

namespace platform {

void ShowText(QLineEdit* box, const QString& text);

// For a control whose text changes many times a second during a run (the
// link box after every link, the log list after every line): its text is
// laid out without shaping where the script needs none (Latin, Greek,
// Cyrillic ...; no kerning pairs), which costs half as much; scripts that
// need shaping are still shaped.
void LayOutPlainly(QWidget* control);

} // namespace platform
