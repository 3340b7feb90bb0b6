#pragma once
// A PNG picture read straight into a smaller one, for a picture too large to
// decode whole: its rows are inflated and unfiltered one at a time and each
// pixel is averaged into the cell of the smaller picture it falls in. Memory
// stays at two rows and the smaller picture, whatever the picture's size.

#include <QSize>

#include <cstdint>
#include <functional>
#include <vector>

class QIODevice;

namespace preview {

struct ReducedPicture {
    QSize size;                   // empty when nothing was read
    std::vector<uint32_t> pixels; // premultiplied ARGB, row by row
};

// Reads the PNG from in into a picture of size (each side at least 1 and at
// most the picture's own). step runs after every megabyte of rows; when it
// returns false the reading stops. An empty result for data that is no PNG, a PNG
// cut short or broken, or a stop.
ReducedPicture ReducePng(QIODevice& in, QSize size, const std::function<bool()>& step);

} // namespace preview
