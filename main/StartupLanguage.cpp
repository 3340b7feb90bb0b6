#include "main/StartupLanguage.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"
#include "platform/files/Files.h"
#include "platform/pump/Pump.h"

QString ReadLanguageLine(const QString& iniFile, bool* otherKeys)
{
    QString language = QStringLiteral("english");
    if (otherKeys)
        *otherKeys = false;
    KELPA::FileNumber = platform::FreeFile();
    if (platform::Open(iniFile, platform::OpenMode::Input, KELPA::FileNumber) != 0)
        return language;
    QString line;
    while (!platform::Eof(KELPA::FileNumber)) {
        platform::DoEvents();
        if (platform::LineInput(KELPA::FileNumber, line) != 0)
            break;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = platform::Trim(line.left(equals)).toLower();
        const QString value = platform::Trim(line.mid(equals + 1));
        if (key == QLatin1String("language")) {
            if (!value.isEmpty())
                language = value;
        } else if (otherKeys && !key.isEmpty()) {
            *otherKeys = true;
        }
    }
    platform::Close(KELPA::FileNumber);
    return language;
}
