#include "platform/forms/TitleBar.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>

namespace platform {

namespace {
// The buttons and margins of a title bar, as Qt reserves them for a message
// box's title.
constexpr int ButtonRoom = 50;
} // namespace

int TitleBarWidth(const QString& title)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + ButtonRoom;
}

} // namespace platform
