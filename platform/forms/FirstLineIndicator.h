#pragma once
// Option buttons and check boxes whose captions run to several lines: the
// round button or box stands by the first line of the caption, where a
// reader starts, not by the middle of the lines.

class QAbstractButton;

namespace platform {

// Draws button (an option button or a check box) with its indicator by the
// first line of its caption from now on. A caption of one line looks as
// before.
void IndicatorByFirstLine(QAbstractButton* button);

} // namespace platform
