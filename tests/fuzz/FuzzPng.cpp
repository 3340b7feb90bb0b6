// Fuzz entry point: a PNG read straight into a smaller picture. Whatever the
// bytes, the picture is empty or of the size asked for at most, with one
// premultiplied pixel (no colour above its alpha) for each place.

#include "preview/ReducedPng.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    int steps = 4; // a picture of many rows stops, as a newer preview stops it
    const preview::ReducedPicture picture =
        preview::ReducePng(in, QSize(16, 12), [&steps] { return --steps > 0; });
    if (picture.size.isEmpty()) {
        if (!picture.pixels.empty())
            std::abort();
        return 0;
    }
    if (picture.size.width() > 16 || picture.size.height() > 12 ||
        picture.pixels.size() != size_t(picture.size.width()) * size_t(picture.size.height()))
        std::abort();
    for (const uint32_t pixel : picture.pixels) {
        const uint32_t alpha = pixel >> 24;
        if (((pixel >> 16) & 0xFF) > alpha || ((pixel >> 8) & 0xFF) > alpha ||
            (pixel & 0xFF) > alpha)
            std::abort();
    }
    return 0;
}
