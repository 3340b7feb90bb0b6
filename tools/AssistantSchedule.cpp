#include "tools/AssistantSchedule.h"

#include "main/Schedule.h"

#include <QString>

namespace tools {

QString AssistantDelayLabel(int tenths)
{
    const QString label = schedule::TenthsLabel(tenths);
    return tenths < 10 ? QLatin1Char('0') + label : label;
}

int AssistantDelayStep(int tenths)
{
    if (tenths < 240)
        return 240;
    return tenths + 240 <= AssistantDelayMax ? tenths + 240 : AssistantDelayMin;
}

int16_t AssistantDelayMinutes(int tenths)
{
    return static_cast<int16_t>(tenths * 6);
}

} // namespace tools
