#pragma once
// Frames as the program's windows are designed: the caption stands on the
// frame's top border near its left end, and the contents begin right below
// the caption. Qt's own frame keeps a band as high as the caption (or a check
// box) above its border, where the designs put their first row, so that row
// would cover the border and the frame would seem to have none.

class QGroupBox;

namespace platform {

// Draws frame with its caption on its border from now on. Its contents may
// use the area inside the border below the caption, which the frame's style
// reports as the group box's contents.
void CaptionOnBorder(QGroupBox* frame);

} // namespace platform
