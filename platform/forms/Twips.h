#pragma once
// Geometry in twips, the unit the program keeps and stores positions in:
// 15 twips to a pixel (96 dots per inch).

#include <QRect>
#include <QWidget>

#include <cmath>

namespace platform {

inline constexpr double TwipsPerPixel = 15.0;

inline int ToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline double ToTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// A control's place inside its window, in twips.
struct TwipsRect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

inline void Move(QWidget* control, const TwipsRect& r)
{
    control->setGeometry(ToPixels(r.Left), ToPixels(r.Top), ToPixels(r.Width), ToPixels(r.Height));
}

inline TwipsRect Place(const QWidget* control)
{
    const QRect g = control->geometry();
    return {ToTwips(g.x()), ToTwips(g.y()), ToTwips(g.width()), ToTwips(g.height())};
}

// Screen size in twips (the primary screen's available geometry).
double ScreenWidth();
double ScreenHeight();

} // namespace platform
