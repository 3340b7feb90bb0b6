#pragma once
// Placement and proportional layout of the options window, in twips: the
// controls that follow the window's width and height, the window's minimum
// size, where the Arrange command puts it, and its stored position.

#include <QString>

#include <optional>
#include <vector>

namespace settings {

inline constexpr double OptionsMinWidth = 8715;
inline constexpr double OptionsMinHeight = 3850;

enum class Property { Left, Top, Width, Height };

struct Placement {
    const char* control;
    Property property;
    double value;
};

// The places of the controls for a window of width x height twips (outer
// size). Sizes below the minimum are laid out at the minimum.
std::vector<Placement> OptionsLayout(double width, double height);

// The Arrange command's height for the options window: the main window's
// height less what its bars take (log panel, tool bar), 0 when that leaves
// nothing.
double AlignedOptionsHeight(double mainHeight, bool logVisible, bool toolbarVisible);

// The stored position "Left,Width,Top,Height" read field by field as box
// numbers (not rounded); a missing field is left out. The fourth field is
// the rest of the text.
struct StoredPosition {
    std::optional<double> left, width, top, height;
};
StoredPosition ReadStoredPosition(const QString& text);

} // namespace settings
