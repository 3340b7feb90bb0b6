#pragma once
// Where a window of its own stands so that it leaves areas of another window
// free (a menu bar, a tool bar) and lies whole on the screen.

#include <QList>
#include <QPoint>
#include <QRect>

namespace platform {

// The top-left corner for a window whose outer rectangle is window: its own
// when the window lies whole on screen and over none of areas; otherwise,
// among the places right below, above, right of and left of the areas
// (taken together) that lie on screen and over none of them, the nearest
// one; when there is none, the place below them. A window larger than the
// screen keeps to the screen's top or left edge.
QPoint ClearPlace(const QRect& window, const QRect& screen, const QList<QRect>& areas);

} // namespace platform
