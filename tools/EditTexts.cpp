#include "tools/EditTexts.h"

#include "main/Kelpa.h"

namespace edittexts {

namespace {

const QString& Text(int index)
{
    return KELPA::LanguageText[index];
}

QString Number(int64_t value)
{
    return QString::number(value);
}

} // namespace

QString ListingProgress(const QString& fileName, int32_t count)
{
    return fileName + QStringLiteral(", ") + Number(count) + Text(86);
}

QString ListingResult(const QString& fileName, int32_t count, bool toTheEnd)
{
    if (count <= 0)
        return fileName + Text(87);
    if (count == 1)
        return fileName + Text(88);
    const QString counted = fileName + QStringLiteral(", ") + Number(count) + Text(89);
    return toTheEnd ? counted + QLatin1Char(':') : counted + Text(62);
}

QString LogCaption(int64_t size)
{
    return QStringLiteral("KELPA.LOG (") + Number(size) + Text(77);
}

QString NoLogCaption()
{
    return QStringLiteral("KELPA.LOG") + Text(90);
}

QString ListTitle()
{
    return QStringLiteral("Kelpa [KELPA.NOT]");
}

QString FoundQuestion(int32_t selected, int32_t total)
{
    const QString found = selected == 1 ? Text(79) : Number(selected) + Text(80);
    return found + Number(total) + Text(81);
}

QString QuestionTitle(bool arrange)
{
    return QStringLiteral("Kelpa [") + Text(arrange ? 58 : 59) + QStringLiteral(" KELPA.NOT]");
}

QString ResultLine(bool arrange, int32_t selected, const QString& search)
{
    return Text(arrange ? 82 : 85) + Number(selected) + Text(83) + search + Text(84);
}

} // namespace edittexts
