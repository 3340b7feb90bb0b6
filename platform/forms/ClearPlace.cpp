#include "platform/forms/ClearPlace.h"

#include <algorithm>
#include <optional>

namespace platform {

namespace {

// rect moved as little as it takes to lie on screen.
QRect OnScreen(QRect rect, const QRect& screen)
{
    rect.moveLeft(
        std::max(screen.left(), std::min(rect.left(), screen.right() - rect.width() + 1)));
    rect.moveTop(std::max(screen.top(), std::min(rect.top(), screen.bottom() - rect.height() + 1)));
    return rect;
}

bool Covers(const QRect& rect, const QList<QRect>& areas)
{
    return std::any_of(areas.begin(), areas.end(),
                       [&](const QRect& area) { return rect.intersects(area); });
}

} // namespace

QPoint ClearPlace(const QRect& window, const QRect& screen, const QList<QRect>& areas)
{
    if (screen.contains(window) && !Covers(window, areas))
        return window.topLeft();
    QRect band;
    for (const QRect& area : areas)
        band |= area;
    const QRect kept = OnScreen(window, screen);
    if (band.isEmpty() || !Covers(kept, areas))
        return kept.topLeft();
    const QRect below = OnScreen(kept.translated(0, band.bottom() + 1 - kept.top()), screen);
    const QList<QRect> sides = {
        below,
        OnScreen(kept.translated(0, band.top() - 1 - kept.bottom()), screen),
        OnScreen(kept.translated(band.right() + 1 - kept.left(), 0), screen),
        OnScreen(kept.translated(band.left() - 1 - kept.right(), 0), screen),
    };
    std::optional<QRect> nearest;
    for (const QRect& side : sides) {
        if (Covers(side, areas))
            continue;
        const int distance = (side.topLeft() - window.topLeft()).manhattanLength();
        if (!nearest || distance < (nearest->topLeft() - window.topLeft()).manhattanLength())
            nearest = side;
    }
    return nearest.value_or(below).topLeft();
}

} // namespace platform
