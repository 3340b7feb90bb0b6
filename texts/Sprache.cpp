// The language rule shared by start-up and the installer's language choice.

#include "texts/Sprache.h"

#include "platform/msgbox/StandardTexts.h"

void TexteLaden(const QString& language)
{
    const bool german = language.toUpper() == QLatin1String("DEUTSCH");
    if (german)
        TexteDeutsch();
    else
        TexteEnglisch();
    platform::SetStandardTextsGerman(german);
}
