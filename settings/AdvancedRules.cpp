#include "settings/AdvancedRules.h"

#include "main/Settings.h"
#include "platform/convert/Convert.h"

#include <cstring>
#include <variant>

namespace advanced {

void BlockingClick(BlockingBoxes& boxes, Blocking box)
{
    if (box == GetHostByName)
        return;
    if (boxes.ticked[box]) {
        for (int before = GetHostByName; before < box; ++before) {
            boxes.ticked[before] = true;
            boxes.enabled[before] = false;
        }
    } else {
        boxes.enabled[box - 1] = true;
    }
}

int16_t HideMinutes(const QString& text)
{
    bool ok = false;
    const int16_t minutes = platform::CInt(platform::Val(text), &ok);
    return ok && minutes >= 1 && minutes <= 1440 ? minutes : int16_t{1};
}

int OptionIndex(const std::array<int16_t, 4>& offered, int16_t stored)
{
    for (int i = 0; i < 3; ++i)
        if (offered[i] == stored)
            return i;
    return 3;
}

namespace {

// The default text the settings table gives key.
QString DefaultText(const char* key)
{
    for (const inifile::Setting& setting : inifile::SettingsTable())
        if (std::strcmp(setting.key, key) == 0)
            if (const auto* text = std::get_if<QString>(&setting.initial))
                return *text;
    return QString();
}

int16_t DefaultNumber(const char* key)
{
    for (const inifile::Setting& setting : inifile::SettingsTable())
        if (std::strcmp(setting.key, key) == 0)
            if (const auto* number = std::get_if<int32_t>(&setting.initial))
                return static_cast<int16_t>(*number);
    return 0;
}

} // namespace

Defaults ResetDefaults()
{
    Defaults d;
    d.HeadLine = DefaultText("HeadLine");
    d.Accept = DefaultText("Accept");
    d.Connection = DefaultText("Connection");
    d.UserAgent = DefaultText("UserAgent");
    d.IfModifiedSince = DefaultText("IfModifiedSince");
    d.HideMin = QString::number(DefaultNumber("HideMin"));
    d.blocking.ticked[GetHostByName] = DefaultNumber("GetHostByNameBlocking") != 0;
    d.blocking.ticked[Connect] = DefaultNumber("ConnectBlocking") != 0;
    d.blocking.ticked[Send] = DefaultNumber("SendBlocking") != 0;
    d.blocking.ticked[Recv] = DefaultNumber("RecvBlocking") != 0;
    d.ConnectTO = DefaultNumber("ConnectTO");
    d.RecvBuffer = DefaultNumber("RecvBuffer");
    return d;
}

QString IfModifiedSinceExample()
{
    return QStringLiteral("Fri, 24 Oct 1991 10:32:56 GMT; length=6736");
}

double CentredOn(double mainStart, double mainSize, double ownSize, double screenSize)
{
    if (mainStart < 0 || mainStart > screenSize / 2)
        return (screenSize - ownSize) / 2;
    return (mainSize - ownSize) / 2 + mainStart;
}

} // namespace advanced
