#pragma once
// The assistant's start delay: a bar of 5 to 1680 tenths of an hour (half an
// hour to a week), its label, its clicks and the minutes it hands over. The
// duration and repeat bars step as the main window's (schedule::DauerStep,
// schedule::RepeatStep).

#include <cstdint>

class QString;

namespace tools {

inline constexpr int AssistantDelayMin = 5;
inline constexpr int AssistantDelayMax = 1680;

// The delay label: "8.0 h" for 80, "168.0 h" for 1680, "0.5 h" for 5 (a
// leading "0" where the main window's label reads ".5 h").
QString AssistantDelayLabel(int tenths);

// A click on the label: to 24 hours from below, then a day further each
// time, and from the last day that fits back to half an hour.
int AssistantDelayStep(int tenths);

// The minutes of a delay (tenths of an hour times 6).
int16_t AssistantDelayMinutes(int tenths);

} // namespace tools
