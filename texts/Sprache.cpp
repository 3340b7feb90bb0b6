// The language rule shared by start-up and the installer's language choice.

#include "texts/Sprache.h"

void TexteLaden(const QString& language)
{
    if (language.toUpper() == QLatin1String("DEUTSCH"))
        TexteDeutsch();
    else
        TexteEnglisch();
}
