#pragma once
// Places a window by its outer rectangle, the window system's frame included,
// as the program's positions and sizes are meant.

#include <QRect>

class QWidget;

namespace platform {

// Moves window so that its outer rectangle is outer (pixels). A window the
// window system has not framed yet (not shown, or shown without a window
// manager) takes outer as its inner size; once its frame becomes known, the
// size is corrected once, so that the outer size read back is outer again.
// A later call replaces a correction still pending.
void SetOuterGeometry(QWidget* window, const QRect& outer);

} // namespace platform
