#include "main/StartupLanguage.h"

#include "main/Kelpa.h"
#include "main/Settings.h"
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
    bool inNote = false;
    while (!platform::Eof(KELPA::FileNumber)) {
        platform::DoEvents();
        if (platform::LineInput(KELPA::FileNumber, line) != 0)
            break;
        if (inNote) {
            inNote = !inifile::EndsNote(line);
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString key = platform::Trim(line.left(equals)).toLower();
        const QString value = platform::Trim(line.mid(equals + 1));
        inNote = inifile::OpensNote(key);
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

void MarkAssistantOffered(const QString& iniFile)
{
    bool otherKeys = false;
    ReadLanguageLine(iniFile, &otherKeys);
    if (otherKeys)
        return;
    const int number = platform::FreeFile();
    if (number == 0 || platform::Open(iniFile, platform::OpenMode::Binary, number) != 0)
        return;
    const int64_t length = platform::Lof(number);
    QByteArray last;
    if (length > 0 && platform::Seek(number, length - 1) == 0)
        platform::GetBytes(number, 1, last);
    const QByteArray lineEnd = length > 0 && last != "\n" ? "\r\n" : "";
    platform::Seek(number, length);
    platform::PutBytes(number, lineEnd + "AssistantOffered=1\r\n");
    platform::Close(number);
}
