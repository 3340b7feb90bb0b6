#pragma once
// Pictures named by the program (backgrounds, icons): read through Qt's image
// readers (bmp, gif, jpg, png, ico ...), only from regular files.

#include <QPixmap>
#include <QString>

namespace platform {

// The picture in the file programPath names. A null picture when the path is
// empty, names nothing, a folder, a FIFO or another special file, cannot be
// read, or holds no format Qt reads (a wmf among them). Never waits on a
// writer: a FIFO is refused before it is read.
QPixmap LoadPicture(const QString& programPath);

} // namespace platform
