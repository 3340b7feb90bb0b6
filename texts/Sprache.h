#pragma once
// Module Sprache: the text table of the program in German and in English.
// Each routine writes every one of the 360 set slots of KELPA::LanguageText,
// so after a call the table holds that one language whatever it held before.
// None of them touches a window or any other variable.

#include <QString>

// Stores the German texts into KELPA::LanguageText.
void TexteDeutsch();

// Stores the English texts into KELPA::LanguageText.
void TexteEnglisch();

// Fills the table in the language that `language` names: German when its upper-case
// form is "DEUTSCH", English for every other value, the empty string among them. The
// value is taken as given (the settings reader trims it); it is not stored anywhere.
// Qt's own words (the standard buttons of message boxes among them) follow the
// same language from then on.
void TexteLaden(const QString& language);
