#include "main/Settings.h"

#include "main/Kelpa.h"
#include "platform/convert/Convert.h"

namespace inifile {

namespace {

// A switch keeps the one value named; any other becomes the other switch value.
struct SwitchRule {
    int16_t& variable;
    int16_t kept;
};

// A number keeps a value within [low, high]; any other becomes fallback.
template <typename T> void KeepWithin(T& variable, int32_t low, int32_t high, T fallback)
{
    if (variable < low || variable > high)
        variable = fallback;
}

// A scheduler text keeps a number at its start that is not 0 and at most high.
void CheckSchedulerText(QString& text, double high, bool zeroMinutesKept)
{
    const double number = platform::Val(text);
    if (number != 0 && number <= high)
        return;
    if (zeroMinutesKept && platform::Trim(text) == QLatin1String("0 min"))
        return;
    text.clear();
}

void CheckTimeout()
{
    int16_t& timeout = KELPA::Timeout;
    if (timeout < 0 || timeout > 3600)
        timeout = 120;
    else if (timeout > 60)
        timeout = static_cast<int16_t>(platform::CInt(timeout / 60.0) * 60);
}

} // namespace

void CheckSettings()
{
    using namespace KELPA;
    const SwitchRule switches[] = {
        {AcceptMetaRefresh, 0},
        {AcceptRelocation, 0},
        {AnalyseOnStop, 1},
        {ConnectBlocking, 1},
        {eMailAddresses, 1},
        {GetHostByNameBlocking, 1},
        {Images, 0},
        {JavaApplets, 0},
        {LocalBrowsing, 0},
        {LogAllMessages, 1},
        {LongFilenames, 0},
        {NoExternalBanners, 1},
        {ParseJava, 1},
        {PreviewTop, 1},
        {RecvBlocking, 1},
        {RefreshHTML, 1},
        {UseRecycleBin, 1},
        {RestHome, 1},
        {SaveHTML, 0},
        {SendBlocking, 1},
        {ShowEdit, 1},
        {ShowOptions, 0},
        {ShowProtocol, 0},
        {ShowToolbar, 0},
        {SaveSettingsAutomatically, 0},
        {UseList, 1},
    };
    for (const SwitchRule& rule : switches) {
        if (rule.variable != rule.kept)
            rule.variable = rule.kept == 0 ? 1 : 0;
    }

    KeepWithin<int16_t>(Depth, 0, 99, 0);
    KeepWithin<int16_t>(HideMin, 1, 1440, 1);
    KeepWithin<int16_t>(MaxFileSize, 0, INT16_MAX, 0);
    KeepWithin<int16_t>(MinFileSize, 0, INT16_MAX, 0);
    KeepWithin<int32_t>(MaxkBytes, 0, 2097152, 0);

    if (WindowState != 2)
        WindowState = 0;
    if (RecvBuffer != 512 && RecvBuffer != 2048 && RecvBuffer != 8192)
        RecvBuffer = 1024;
    if (InputFile.isEmpty())
        InputFile = QStringLiteral("KELPA.INP");
    SubDirectories = SubDirectories != 0 && LongFilenames == 1 ? 1 : 0;
    CheckTimeout();
    CheckSchedulerText(Repeat, 1440, true);
    CheckSchedulerText(Time, 720, false);
    CheckSchedulerText(Start, 336, false);
    if (WindowsShutDown != 1 && WindowsShutDown != 2)
        WindowsShutDown = 0;
}

} // namespace inifile
