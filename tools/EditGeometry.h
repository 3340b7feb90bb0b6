#pragma once
// Where the list editor goes and how its controls follow its size, in twips:
// the place restored from PositionEdit, the place of the align command, and
// the layout after a resize.

#include <QString>

namespace editgeometry {

struct Place {
    double Left = 0;
    double Width = 0;
    double Top = 0;
    double Height = 0;
    bool operator==(const Place&) const = default;
};

// The window's design place, kept where PositionEdit says nothing usable.
inline constexpr Place DesignPlace{0, 7910, 0, 4590};

// The place PositionEdit ("left,width,top,height") gives within the screen.
// A part that is missing or not a number leaves design's value. A left or top
// below 0 or beyond the screen becomes 0; a width beyond the screen or below
// 0 becomes 7910, a height so 4590.
Place RestorePlace(const QString& positionEdit, const Place& design, double screenWidth,
                   double screenHeight);

// What the align command leaves of the main window's height for the other
// windows: 1675, plus 2000 for the visible list area, plus 420 for the
// visible button bar.
double AlignReserve(bool listVisible, bool buttonsVisible);
// The place the align command gives: at the left edge below the transfer
// window (never under it, where its title bar and buttons would hide), the
// main window's width less 175 (at least 7920), the height that the reserve
// and the transfer window leave of the main window's when that is anything
// (else currentHeight), at least 3270.
Place AlignPlace(double mainWidth, double mainHeight, double transferHeight, double currentHeight,
                 bool listVisible, bool buttonsVisible);

// The controls that follow the window's size, for an outer size; Width and
// Height are raised to the smallest size the window takes (7910 by 3270).
struct Layout {
    double Width = 0;
    double Height = 0;
    double ListWidth = 0;
    double ListHeight = 0;
    double FrameTop = 0;
    double FrameWidth = 0;
    double TextWidth = 0;
    double ArrangeLeft = 0;
    double RemoveLeft = 0;
};
inline constexpr double MinimumWidth = 7910;
inline constexpr double MinimumHeight = 3270;
Layout LayoutFor(double width, double height);

} // namespace editgeometry
