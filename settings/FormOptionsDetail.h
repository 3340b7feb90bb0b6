#pragma once
// What the options window's files share and no other window needs.

class QLineEdit;

namespace optionsdetail {

// Replaces a text with control characters (a paste) by the text the box may
// store; true when it did, and the box's change handler ran with it then.
bool CleanBox(QLineEdit* box);

} // namespace optionsdetail
