#include "preview/ReducedPng.h"

#include "preview/Inflate.h"

#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstring>

namespace preview {

namespace {

// Rows wider than this, or pictures of more pixels, are not read.
constexpr int64_t MaxRowBytes = int64_t(1) << 26;
constexpr int64_t MaxPixels = int64_t(1) << 32;
// Bytes of rows read between two steps (a few milliseconds' work).
constexpr int64_t BytesPerStep = int64_t(1) << 20;

struct Header {
    uint32_t width = 0;
    uint32_t height = 0;
    int depth = 0;
    int colour = 0; // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    bool interlaced = false;

    int Channels() const
    {
        switch (colour) {
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 1;
        }
    }
    bool Valid() const
    {
        const bool low = depth == 1 || depth == 2 || depth == 4;
        switch (colour) {
        case 0:
            return low || depth == 8 || depth == 16;
        case 3:
            return low || depth == 8;
        case 2:
        case 4:
        case 6:
            return depth == 8 || depth == 16;
        default:
            return false;
        }
    }
};

// What the chunks before the picture data tell besides the header.
struct Colours {
    uint32_t palette[256] = {}; // ARGB, not premultiplied
    bool keyed = false;         // grey or RGB: one value is transparent
    uint16_t key[3] = {};
};

uint32_t BigEndian(const unsigned char* bytes)
{
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

bool ReadExactly(QIODevice& in, unsigned char* data, int64_t size)
{
    return in.read(reinterpret_cast<char*>(data), size) == size;
}

// One chunk's length and type.
bool ChunkHead(QIODevice& in, uint32_t& length, char type[4])
{
    unsigned char head[8];
    if (!ReadExactly(in, head, 8))
        return false;
    length = BigEndian(head);
    std::memcpy(type, head + 4, 4);
    return length <= 0x7FFFFFFFu;
}

// The signature and the chunks up to the first picture data, whose length
// is left in dataLength.
bool ReadHead(QIODevice& in, Header& header, Colours& colours, uint32_t& dataLength)
{
    unsigned char signature[8];
    if (!ReadExactly(in, signature, 8) || std::memcmp(signature, "\x89PNG\r\n\x1a\n", 8) != 0)
        return false;
    for (int entry = 0; entry < 256; ++entry)
        colours.palette[entry] = 0xFF000000u;
    bool first = true;
    while (true) {
        uint32_t length = 0;
        char type[4];
        if (!ChunkHead(in, length, type))
            return false;
        const auto is = [&type](const char* name) { return std::memcmp(type, name, 4) == 0; };
        if (first != is("IHDR"))
            return false;
        first = false;
        if (is("IDAT")) {
            dataLength = length;
            return header.Valid();
        }
        if (is("IEND"))
            return false;
        unsigned char data[768];
        const bool known = is("IHDR") || is("PLTE") || is("tRNS");
        if (known && length > sizeof data)
            return false;
        if (known ? !ReadExactly(in, data, length) : in.skip(length) != int64_t(length))
            return false;
        if (is("IHDR")) {
            if (length != 13 || data[10] != 0 || data[11] != 0 || data[12] > 1)
                return false;
            header.width = BigEndian(data);
            header.height = BigEndian(data + 4);
            header.depth = data[8];
            header.colour = data[9];
            header.interlaced = data[12] == 1;
            if (header.width == 0 || header.height == 0 || header.width > 0x7FFFFFFFu ||
                header.height > 0x7FFFFFFFu || !header.Valid())
                return false;
        } else if (is("PLTE")) {
            for (uint32_t entry = 0; entry < length / 3; ++entry) {
                const unsigned char* rgb = data + 3 * entry;
                colours.palette[entry] =
                    0xFF000000u | uint32_t(rgb[0]) << 16 | uint32_t(rgb[1]) << 8 | rgb[2];
            }
        } else if (is("tRNS")) {
            if (header.colour == 3) {
                for (uint32_t entry = 0; entry < std::min<uint32_t>(length, 256); ++entry)
                    colours.palette[entry] =
                        (colours.palette[entry] & 0x00FFFFFFu) | uint32_t(data[entry]) << 24;
            } else if ((header.colour == 0 && length == 2) || (header.colour == 2 && length == 6)) {
                colours.keyed = true;
                for (uint32_t k = 0; k < length / 2; ++k)
                    colours.key[k] = uint16_t(data[2 * k] << 8 | data[2 * k + 1]);
            }
        }
        unsigned char crc[4];
        if (!ReadExactly(in, crc, 4))
            return false;
    }
}

// The picture data of consecutive IDAT chunks as one stream.
class PictureData {
public:
    PictureData(QIODevice& in, uint32_t firstLength) : in_(in), left_(firstLength) {}

    int64_t Read(unsigned char* data, int64_t size)
    {
        while (left_ == 0) {
            unsigned char crc[4];
            uint32_t length = 0;
            char type[4];
            if (ended_ || !ReadExactly(in_, crc, 4) || !ChunkHead(in_, length, type) ||
                std::memcmp(type, "IDAT", 4) != 0) {
                ended_ = true;
                return 0;
            }
            left_ = length;
        }
        const int64_t got = in_.read(reinterpret_cast<char*>(data), std::min<int64_t>(size, left_));
        if (got <= 0) {
            ended_ = true;
            return 0;
        }
        left_ -= uint32_t(got);
        return got;
    }

private:
    QIODevice& in_;
    uint32_t left_;
    bool ended_ = false;
};

// Undoes a row's filter against the row above (zeros for a pass's first).
bool Unfilter(int filter, unsigned char* row, const unsigned char* above, int64_t size, int step)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (int64_t i = step; i < size; ++i)
            row[i] = static_cast<unsigned char>(row[i] + row[i - step]);
        return true;
    case 2:
        for (int64_t i = 0; i < size; ++i)
            row[i] = static_cast<unsigned char>(row[i] + above[i]);
        return true;
    case 3:
        for (int64_t i = 0; i < size; ++i) {
            const int left = i >= step ? row[i - step] : 0;
            row[i] = static_cast<unsigned char>(row[i] + (left + above[i]) / 2);
        }
        return true;
    case 4:
        for (int64_t i = 0; i < size; ++i) {
            const int a = i >= step ? row[i - step] : 0;
            const int b = above[i];
            const int c = i >= step ? above[i - step] : 0;
            const int p = a + b - c;
            const int pa = std::abs(p - a);
            const int pb = std::abs(p - b);
            const int pc = std::abs(p - c);
            const int predicted = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
            row[i] = static_cast<unsigned char>(row[i] + predicted);
        }
        return true;
    default:
        return false;
    }
}

// The sums of the pixels that fall into the cells of one row of the smaller
// picture, and the picture they are added to. Every pixel counts.
class Reduction {
public:
    Reduction(const Header& header, const Colours& colours, QSize size)
        : header_(header), colours_(colours), width_(uint32_t(size.width())),
          height_(uint32_t(size.height())), starts_(size_t(size.width()) + 1),
          sums_(size_t(size.width()) * 4), counts_(size_t(size.width())),
          cellCounts_(size_t(size.width()) * size.height()),
          pixels_(size_t(size.width()) * size.height())
    {
        // Column x falls into cell x * width_ / header.width (rounded down).
        for (uint32_t cell = 0; cell <= width_; ++cell)
            starts_[cell] = uint32_t((uint64_t(cell) * header.width + width_ - 1) / width_);
        if (header.depth == 8 && !colours.keyed && (header.colour == 0 || header.colour == 2))
            kind_ = header.colour == 0 ? Kind::Grey : Kind::Rgb;
        else if (header.depth == 8 && header.colour == 6)
            kind_ = Kind::Rgba;
        else if (header.depth <= 8 && (header.colour == 0 || header.colour == 3))
            FillTables();
    }

    // Adds the pixels of one unfiltered row of a pass, its picture row y:
    // count of them, the first standing in column x and each next step
    // columns further.
    void AddRow(const unsigned char* row, uint32_t y, uint32_t count, uint32_t x, uint32_t step)
    {
        const auto cellRow = uint32_t(uint64_t(y) * height_ / header_.height);
        if (cellRow != row_)
            Flush();
        row_ = cellRow;
        // The index in the row of the first pixel at or right of column.
        const auto first = [x, step, count](uint32_t column) {
            return column <= x ? 0u
                               : uint32_t(std::min<uint64_t>(
                                     count, (uint64_t(column - x) + step - 1) / step));
        };
        uint32_t from = first(starts_[0]);
        for (uint32_t cell = 0; cell < width_ && from < count; ++cell) {
            const uint32_t to = first(starts_[cell + 1]);
            if (to > from) {
                AddPixels(row, from, to, &sums_[size_t(cell) * 4]);
                counts_[cell] += to - from;
            }
            from = to;
        }
    }

    ReducedPicture Result()
    {
        Flush();
        return ReducedPicture{QSize(int(width_), int(height_)), std::move(pixels_)};
    }

private:
    uint32_t Sample(const unsigned char* row, uint32_t index) const
    {
        const int depth = header_.depth;
        if (depth == 16)
            return uint32_t(row[2 * index]) << 8 | row[2 * index + 1];
        if (depth == 8)
            return row[index];
        const uint64_t bit = uint64_t(index) * uint32_t(depth);
        return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
    }

    // An 8-bit channel of a sample at the picture's depth.
    uint32_t Eight(uint32_t sample) const
    {
        if (header_.depth == 16)
            return sample >> 8;
        if (header_.depth == 8)
            return sample;
        return sample * 255 / ((1u << header_.depth) - 1);
    }

    // The pixel of one sample of grey or a palette, as ARGB (not
    // premultiplied).
    uint32_t OneSample(uint32_t sample) const
    {
        if (header_.colour == 3)
            return colours_.palette[sample & 0xFF];
        const uint32_t alpha = colours_.keyed && sample == colours_.key[0] ? 0 : 255;
        const uint32_t g = Eight(sample);
        return alpha << 24 | g << 16 | g << 8 | g;
    }

    // The pixel i of a row, as ARGB (not premultiplied).
    uint32_t Pixel(const unsigned char* row, uint32_t i) const
    {
        const uint32_t channels = uint32_t(header_.Channels());
        const uint32_t first = i * channels;
        switch (header_.colour) {
        case 3:
        case 0:
            return OneSample(Sample(row, first));
        case 4: {
            const uint32_t g = Eight(Sample(row, first));
            return Eight(Sample(row, first + 1)) << 24 | g << 16 | g << 8 | g;
        }
        default: {
            const uint32_t r = Sample(row, first);
            const uint32_t g = Sample(row, first + 1);
            const uint32_t b = Sample(row, first + 2);
            uint32_t alpha = 255;
            if (header_.colour == 6)
                alpha = Eight(Sample(row, first + 3));
            else if (colours_.keyed && r == colours_.key[0] && g == colours_.key[1] &&
                     b == colours_.key[2])
                alpha = 0;
            return alpha << 24 | Eight(r) << 16 | Eight(g) << 8 | Eight(b);
        }
        }
    }

    // The sums of each sample value of grey or a palette of at most 8 bits,
    // and below 8 bits those of each byte of samples.
    void FillTables()
    {
        kind_ = Kind::Indexed;
        const uint32_t values = 1u << header_.depth;
        for (uint32_t sample = 0; sample < values; ++sample) {
            const uint32_t argb = OneSample(sample);
            const uint32_t alpha = argb >> 24;
            bySample_[sample] = {alpha, ((argb >> 16) & 0xFF) * alpha, ((argb >> 8) & 0xFF) * alpha,
                                 (argb & 0xFF) * alpha};
        }
        if (header_.depth == 8)
            return;
        const uint32_t depth = uint32_t(header_.depth);
        for (uint32_t byte = 0; byte < 256; ++byte) {
            for (uint32_t shift = 0; shift < 8; shift += depth) {
                const Sums& one = bySample_[(byte >> shift) & (values - 1)];
                for (int channel = 0; channel < 4; ++channel)
                    byByte_[byte][channel] += one[channel];
            }
        }
    }

    // Adds the pixels from to to (exclusive) of a row to sum: their alpha,
    // and each colour times alpha. The common kinds of 8 bits a channel, and
    // grey or palette samples by table, go by loops of their own.
    void AddPixels(const unsigned char* row, uint32_t from, uint32_t to, uint64_t* sum) const
    {
        uint64_t a = 0, r = 0, g = 0, b = 0;
        switch (kind_) {
        case Kind::Grey:
            for (uint32_t i = from; i < to; ++i)
                r += row[i];
            sum[0] += 255 * uint64_t(to - from);
            sum[1] += 255 * r;
            sum[2] += 255 * r;
            sum[3] += 255 * r;
            return;
        case Kind::Rgb:
            for (const unsigned char* p = row + 3 * size_t(from); p < row + 3 * size_t(to);
                 p += 3) {
                r += p[0];
                g += p[1];
                b += p[2];
            }
            sum[0] += 255 * uint64_t(to - from);
            sum[1] += 255 * r;
            sum[2] += 255 * g;
            sum[3] += 255 * b;
            return;
        case Kind::Rgba:
            for (const unsigned char* p = row + 4 * size_t(from); p < row + 4 * size_t(to);
                 p += 4) {
                const uint32_t alpha = p[3];
                a += alpha;
                r += p[0] * alpha;
                g += p[1] * alpha;
                b += p[2] * alpha;
            }
            break;
        case Kind::Indexed: {
            uint64_t total[4] = {};
            const auto add = [&total](const Sums& sums) {
                for (int channel = 0; channel < 4; ++channel)
                    total[channel] += sums[channel];
            };
            uint32_t i = from;
            if (header_.depth == 8) {
                for (; i < to; ++i)
                    add(bySample_[row[i]]);
            } else {
                // Single samples up to a whole byte, whole bytes, single
                // samples after the last whole byte.
                const uint32_t perByte = 8 / uint32_t(header_.depth);
                for (; i < to && i % perByte != 0; ++i)
                    add(bySample_[Sample(row, i)]);
                for (; i + perByte <= to; i += perByte)
                    add(byByte_[row[i / perByte]]);
                for (; i < to; ++i)
                    add(bySample_[Sample(row, i)]);
            }
            for (int channel = 0; channel < 4; ++channel)
                sum[channel] += total[channel];
            return;
        }
        case Kind::Other:
            for (uint32_t i = from; i < to; ++i) {
                const uint32_t argb = Pixel(row, i);
                const uint32_t alpha = argb >> 24;
                a += alpha;
                r += ((argb >> 16) & 0xFF) * alpha;
                g += ((argb >> 8) & 0xFF) * alpha;
                b += (argb & 0xFF) * alpha;
            }
            break;
        }
        sum[0] += a;
        sum[1] += r;
        sum[2] += g;
        sum[3] += b;
    }

    // Adds the row's sums to its cells (an interlaced picture fills a cell
    // in several passes) and starts the sums afresh.
    void Flush()
    {
        if (row_ == NoRow)
            return;
        for (uint32_t column = 0; column < width_; ++column) {
            const uint64_t count = counts_[column];
            if (count == 0)
                continue;
            const uint64_t* sum = &sums_[size_t(column) * 4];
            const size_t at = size_t(row_) * width_ + column;
            const uint64_t before = cellCounts_[at];
            const uint32_t old = pixels_[at];
            uint32_t pixel = 0;
            for (int channel = 0; channel < 4; ++channel) {
                const uint64_t added = channel == 0 ? sum[0] : sum[channel] / 255;
                const uint64_t had = (old >> (24 - 8 * channel)) & 0xFF;
                const uint64_t value = (had * before + added) / (before + count);
                pixel |= uint32_t(std::min<uint64_t>(value, 255)) << (24 - 8 * channel);
            }
            pixels_[at] = pixel;
            cellCounts_[at] = uint32_t(std::min<uint64_t>(before + count, 0xFFFFFFFFu));
        }
        std::fill(sums_.begin(), sums_.end(), 0);
        std::fill(counts_.begin(), counts_.end(), 0);
        row_ = NoRow;
    }

    enum class Kind { Grey, Rgb, Rgba, Indexed, Other };
    using Sums = std::array<uint32_t, 4>; // alpha, then each colour times alpha
    static constexpr uint32_t NoRow = 0xFFFFFFFFu;
    const Header& header_;
    const Colours& colours_;
    uint32_t width_;
    uint32_t height_;
    Kind kind_ = Kind::Other;
    std::array<Sums, 256> bySample_{};
    std::array<Sums, 256> byByte_{};
    std::vector<uint32_t> starts_; // the first column of each cell, and the width
    std::vector<uint64_t> sums_;   // alpha, then red, green, blue times alpha
    std::vector<uint64_t> counts_;
    std::vector<uint32_t> cellCounts_;
    std::vector<uint32_t> pixels_; // premultiplied ARGB
    uint32_t row_ = NoRow;
};

struct Pass {
    uint32_t x, y, stepX, stepY;
};

} // namespace

ReducedPicture ReducePng(QIODevice& in, QSize size, const std::function<bool()>& step)
{
    Header header;
    Colours colours;
    uint32_t dataLength = 0;
    if (!ReadHead(in, header, colours, dataLength))
        return {};
    const int64_t bitsPerPixel = int64_t(header.Channels()) * header.depth;
    const int64_t rowBytes = (int64_t(header.width) * bitsPerPixel + 7) / 8;
    if (rowBytes > MaxRowBytes || int64_t(header.width) * header.height > MaxPixels)
        return {};
    size = size.boundedTo(QSize(int(std::min<uint32_t>(header.width, 0x7FFFFFF)),
                                int(std::min<uint32_t>(header.height, 0x7FFFFFF))))
               .expandedTo(QSize(1, 1));

    PictureData data(in, dataLength);
    Inflate inflate(
        [&data](unsigned char* bytes, int64_t count) { return data.Read(bytes, count); });
    Reduction reduction(header, colours, size);
    const int filterStep = int(std::max<int64_t>(1, bitsPerPixel / 8));
    std::vector<unsigned char> row(size_t(rowBytes) + 1);
    std::vector<unsigned char> above(size_t(rowBytes) + 1);
    const std::vector<Pass> passes =
        header.interlaced
            ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
            : std::vector<Pass>{{0, 0, 1, 1}};
    int64_t sinceStep = 0;
    for (const Pass& pass : passes) {
        if (header.width <= pass.x || header.height <= pass.y)
            continue;
        const uint32_t columns = (header.width - pass.x + pass.stepX - 1) / pass.stepX;
        const uint32_t rows = (header.height - pass.y + pass.stepY - 1) / pass.stepY;
        const int64_t bytes = (int64_t(columns) * bitsPerPixel + 7) / 8;
        std::fill(above.begin(), above.end(), 0);
        for (uint32_t r = 0; r < rows; ++r) {
            if (!inflate.Read(row.data(), bytes + 1) ||
                !Unfilter(row[0], row.data() + 1, above.data() + 1, bytes, filterStep))
                return {};
            reduction.AddRow(row.data() + 1, pass.y + r * pass.stepY, columns, pass.x, pass.stepX);
            std::swap(row, above);
            sinceStep += bytes + 1;
            if (sinceStep >= BytesPerStep) {
                sinceStep = 0;
                if (!step())
                    return {};
            }
        }
    }
    return reduction.Result();
}

} // namespace preview
