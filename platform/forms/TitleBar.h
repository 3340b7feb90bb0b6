#pragma once
// How wide a window must be for the desktop to show its title whole. The
// window manager draws the title bar in a font and with buttons of its own;
// Qt knows neither, so the width is reckoned generously from the desktop's
// title font.

#include <QString>

namespace platform {

// Pixels a title bar needs for title: the title in the platform's title font,
// bold as title bars commonly are, and room for the bar's buttons.
int TitleBarWidth(const QString& title);

} // namespace platform
