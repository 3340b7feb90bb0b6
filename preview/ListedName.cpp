#include "preview/ListedName.h"

#include <algorithm>

namespace preview {

namespace {

bool LineBreak(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator ||
           c == QChar::ParagraphSeparator;
}

} // namespace

QString ListedName(const QString& name)
{
    if (std::none_of(name.begin(), name.end(), LineBreak))
        return name;
    QString shown;
    shown.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (!LineBreak(c)) {
            shown += c;
            continue;
        }
        shown += QChar(0x21b5);
        if (c == QLatin1Char('\r') && i + 1 < name.size() && name.at(i + 1) == QLatin1Char('\n'))
            ++i;
    }
    return shown;
}

} // namespace preview
