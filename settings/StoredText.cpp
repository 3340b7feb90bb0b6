#include "settings/StoredText.h"

QString StoredText(const QString& text)
{
    QString stored;
    stored.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue; // the LF that follows stands for the pair
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t'))
            stored += QLatin1Char(' ');
        else if (c.category() != QChar::Other_Control)
            stored += c;
    }
    return stored;
}
