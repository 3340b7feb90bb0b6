#include "settings/StoredText.h"

namespace settings {

QString StoredText(const QString& text)
{
    QString stored;
    stored.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            stored += QLatin1Char(' ');
        else if (c.unicode() >= 32 && c.unicode() != 127)
            stored += c;
    }
    return stored;
}

} // namespace settings
