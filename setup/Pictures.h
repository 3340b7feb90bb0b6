#pragma once
// The installer's own pictures, drawn at start: the background tile, the two
// language pictures and the installation dialog's picture.

#include <QPixmap>

namespace setup {

// 160 x 120 pixels in 16 colours: kelp swaying under a dark sea.
QPixmap BackgroundPicture();
// 32 x 20 pixels each: the German colours and a cross on blue for English.
QPixmap GermanPicture();
QPixmap EnglishPicture();
// The side picture of the installation dialog, width x height pixels.
QPixmap InstallPicture(int width, int height);

} // namespace setup
