#pragma once
// Qt's own words in the program's language: the standard buttons of message
// boxes (OK, Cancel, Yes, No ...), the menus of text boxes and child windows.
// Qt speaks English unless it is given its translation.

namespace platform {

// German when german is true, Qt's English otherwise. Qt's German is its
// translation of the base module (qtbase_de.qm in Qt's translations folder,
// Debian package qt6-translations-l10n); where the system lacks it the words
// stay English. Takes effect for every box and menu built afterwards; does
// nothing before the application object exists.
void SetStandardTextsGerman(bool german);

} // namespace platform
