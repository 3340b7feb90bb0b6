#include "tools/EditGeometry.h"

#include "platform/convert/Convert.h"

#include <QStringList>

namespace editgeometry {

namespace {

// Part index of positionEdit as a number; false when missing or unreadable.
bool Part(const QStringList& parts, int index, double& value)
{
    if (index >= parts.size())
        return false;
    bool ok = false;
    const double number = platform::CDbl(parts[index], &ok);
    if (ok)
        value = number;
    return ok;
}

} // namespace

Place RestorePlace(const QString& positionEdit, const Place& design, double screenWidth,
                   double screenHeight)
{
    Place place = design;
    const QStringList parts = positionEdit.split(QLatin1Char(','));
    const auto within = [](double value, double limit) { return value >= 0 && value <= limit; };
    double value = 0;
    if (Part(parts, 0, value))
        place.Left = within(value, screenWidth) ? value : 0;
    if (Part(parts, 1, value))
        place.Width = within(value, screenWidth) ? value : 7910;
    if (Part(parts, 2, value))
        place.Top = within(value, screenHeight) ? value : 0;
    if (Part(parts, 3, value))
        place.Height = within(value, screenHeight) ? value : 4590;
    return place;
}

double AlignReserve(bool listVisible, bool buttonsVisible)
{
    return 1675 + (listVisible ? 2000 : 0) + (buttonsVisible ? 420 : 0);
}

Place AlignPlace(double mainWidth, double mainHeight, double transferHeight, double currentHeight,
                 bool listVisible, bool buttonsVisible)
{
    Place place{0, mainWidth - 175, transferHeight, currentHeight};
    if (place.Width < 7920)
        place.Width = 7920;
    const double reserve = AlignReserve(listVisible, buttonsVisible) + transferHeight;
    if (mainHeight > reserve)
        place.Height = mainHeight - reserve;
    if (place.Height < MinimumHeight)
        place.Height = MinimumHeight;
    return place;
}

Layout LayoutFor(double width, double height)
{
    Layout l;
    if (height <= MinimumHeight) {
        l.Height = MinimumHeight;
        l.ListHeight = 475;
        l.FrameTop = 1990;
    } else {
        l.Height = height;
        l.ListHeight = height - 2775;
        l.FrameTop = height - 1280;
    }
    if (width <= MinimumWidth) {
        l.Width = MinimumWidth;
        l.ListWidth = 7725;
        l.FrameWidth = 7695;
        l.TextWidth = 4725;
        l.ArrangeLeft = 5130;
        l.RemoveLeft = 6420;
    } else {
        l.Width = width;
        l.ListWidth = width - 195;
        l.FrameWidth = width - 225;
        l.TextWidth = width - 3195;
        l.ArrangeLeft = width - 2790;
        l.RemoveLeft = width - 1500;
    }
    return l;
}

} // namespace editgeometry
