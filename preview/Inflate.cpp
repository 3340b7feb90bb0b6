#include "preview/Inflate.h"

#include <algorithm>
#include <iterator>

namespace preview {

namespace {

constexpr uint32_t WindowSize = 32768;
constexpr int64_t InputPiece = 65536;

// Length codes 257 to 285 and distance codes 0 to 29: base and extra bits.
constexpr uint16_t LengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                     15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                     67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t LengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t DistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t DistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                       6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a block lists the lengths of its code-length code.
constexpr uint8_t LengthOrder[19] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                     11, 4,  12, 3, 13, 2, 14, 1, 15};

} // namespace

Inflate::Inflate(Source source)
    : source_(std::move(source)), input_(InputPiece), window_(WindowSize)
{
}

// True when bits more bits are at hand (pulling compressed bytes as needed).
bool Inflate::Need(int bits)
{
    while (bitCount_ < bits) {
        if (inputPos_ == inputEnd_) {
            inputPos_ = 0;
            inputEnd_ = std::max<int64_t>(0, source_(input_.data(), int64_t(input_.size())));
            if (inputEnd_ == 0)
                return false;
        }
        bits_ |= uint64_t(input_[size_t(inputPos_++)]) << bitCount_;
        bitCount_ += 8;
    }
    return true;
}

// The next bits (at hand after Need), first bit lowest.
uint32_t Inflate::Take(int bits)
{
    const auto value = uint32_t(bits_ & ((uint64_t(1) << bits) - 1));
    bits_ >>= bits;
    bitCount_ -= bits;
    return value;
}

// The canonical code of the given lengths (0: symbol unused); false when
// more codes are given than the lengths allow.
bool Inflate::Build(Code& code, const uint8_t* lengths, int count)
{
    std::fill(std::begin(code.count), std::end(code.count), uint16_t(0));
    for (int i = 0; i < count; ++i)
        ++code.count[lengths[i]];
    int left = 1;
    for (int length = 1; length <= 15; ++length) {
        left = (left << 1) - code.count[length];
        if (left < 0)
            return false;
    }
    uint16_t offsets[16] = {};
    for (int length = 1; length < 15; ++length)
        offsets[length + 1] = uint16_t(offsets[length] + code.count[length]);
    code.symbol.assign(size_t(count), 0);
    for (int i = 0; i < count; ++i) {
        if (lengths[i] != 0)
            code.symbol[offsets[lengths[i]]++] = uint16_t(i);
    }
    // The short codes in a table of the next FastBits bits as they arrive
    // (a code's first bit lowest).
    code.fast.assign(size_t(1) << FastBits, 0);
    int value = 0;
    int index = 0;
    for (int length = 1; length <= FastBits; ++length) {
        for (int k = 0; k < code.count[length]; ++k, ++value, ++index) {
            int reversed = 0;
            for (int bit = 0; bit < length; ++bit)
                reversed |= ((value >> bit) & 1) << (length - 1 - bit);
            for (int fill = reversed; fill < (1 << FastBits); fill += 1 << length)
                code.fast[size_t(fill)] = uint16_t(code.symbol[size_t(index)] << 4 | length);
        }
        value <<= 1;
    }
    return true;
}

// The next symbol of code; -1 when the bits are no code or the data ends.
int Inflate::Decode(const Code& code)
{
    if (Need(FastBits)) {
        const uint16_t entry = code.fast[size_t(bits_ & ((1u << FastBits) - 1))];
        if (entry != 0) {
            Take(entry & 15);
            return entry >> 4;
        }
    }
    // Bit by bit along the canonical code: a long code, or the last bits.
    int value = 0;
    int first = 0;
    int index = 0;
    for (int length = 1; length <= 15; ++length) {
        if (!Need(length))
            return -1;
        value |= int((bits_ >> (length - 1)) & 1);
        const int count = code.count[length];
        if (value - first < count) {
            Take(length);
            return code.symbol[size_t(index + value - first)];
        }
        index += count;
        first = (first + count) << 1;
        value <<= 1;
    }
    return -1;
}

// The zlib header: deflate, a window of at most 32 KB, no preset dictionary.
bool Inflate::Header()
{
    if (!Need(16))
        return false;
    const uint32_t method = Take(8);
    const uint32_t flags = Take(8);
    return (method & 15) == 8 && (method >> 4) <= 7 && (method * 256 + flags) % 31 == 0 &&
           (flags & 32) == 0;
}

bool Inflate::BlockStart()
{
    if (!Need(3))
        return false;
    lastBlock_ = Take(1) == 1;
    switch (Take(2)) {
    case 0: {
        // Stored: from the next byte on, a length, its complement, the bytes.
        Take(bitCount_ % 8);
        if (!Need(32))
            return false;
        const uint32_t length = Take(16);
        if (Take(16) != (~length & 0xFFFF))
            return false;
        storedLeft_ = length;
        state_ = State::Stored;
        return true;
    }
    case 1: {
        uint8_t lengths[288 + 30];
        std::fill(lengths, lengths + 144, uint8_t(8));
        std::fill(lengths + 144, lengths + 256, uint8_t(9));
        std::fill(lengths + 256, lengths + 280, uint8_t(7));
        std::fill(lengths + 280, lengths + 288, uint8_t(8));
        std::fill(lengths + 288, lengths + 318, uint8_t(5));
        state_ = State::Coded;
        return Build(literals_, lengths, 288) && Build(distances_, lengths + 288, 30);
    }
    case 2:
        state_ = State::Coded;
        return DynamicCodes();
    default:
        return false;
    }
}

// A block's own codes, themselves coded with a code of code lengths.
bool Inflate::DynamicCodes()
{
    if (!Need(14))
        return false;
    const int literalCount = int(Take(5)) + 257;
    const int distanceCount = int(Take(5)) + 1;
    const int lengthCount = int(Take(4)) + 4;
    if (literalCount > 286 || distanceCount > 30)
        return false;
    uint8_t codeLengths[19] = {};
    for (int i = 0; i < lengthCount; ++i) {
        if (!Need(3))
            return false;
        codeLengths[LengthOrder[i]] = uint8_t(Take(3));
    }
    Code lengthCode;
    if (!Build(lengthCode, codeLengths, 19))
        return false;
    uint8_t lengths[286 + 30] = {};
    const int total = literalCount + distanceCount;
    for (int at = 0; at < total;) {
        const int symbol = Decode(lengthCode);
        if (symbol < 0)
            return false;
        if (symbol < 16) {
            lengths[at++] = uint8_t(symbol);
            continue;
        }
        uint8_t value = 0;
        int repeat = 0;
        if (symbol == 16) {
            if (at == 0 || !Need(2))
                return false;
            value = lengths[at - 1];
            repeat = 3 + int(Take(2));
        } else if (symbol == 17) {
            if (!Need(3))
                return false;
            repeat = 3 + int(Take(3));
        } else {
            if (!Need(7))
                return false;
            repeat = 11 + int(Take(7));
        }
        if (at + repeat > total)
            return false;
        std::fill(lengths + at, lengths + at + repeat, value);
        at += repeat;
    }
    return lengths[256] != 0 && Build(literals_, lengths, literalCount) &&
           Build(distances_, lengths + literalCount, distanceCount);
}

unsigned char Inflate::Put(unsigned char byte)
{
    window_[windowPos_] = byte;
    windowPos_ = (windowPos_ + 1) & (WindowSize - 1);
    ++written_;
    return byte;
}

bool Inflate::Read(unsigned char* out, int64_t size)
{
    int64_t done = 0;
    const auto fail = [this] {
        state_ = State::Broken;
        return false;
    };
    while (done < size) {
        if (matchLeft_ > 0) {
            // The copy of a match, the bulk of a picture's bytes, in one
            // loop over the window.
            const int64_t count = std::min<int64_t>(matchLeft_, size - done);
            unsigned char* window = window_.data();
            uint32_t at = windowPos_;
            for (int64_t i = 0; i < count; ++i) {
                const unsigned char byte = window[(at - matchDistance_) & (WindowSize - 1)];
                window[at] = byte;
                out[done++] = byte;
                at = (at + 1) & (WindowSize - 1);
            }
            windowPos_ = at;
            written_ += uint64_t(count);
            matchLeft_ -= int(count);
            continue;
        }
        switch (state_) {
        case State::Header:
            if (!Header())
                return fail();
            state_ = State::BlockStart;
            break;
        case State::BlockStart:
            if (!BlockStart())
                return fail();
            break;
        case State::Stored:
            if (storedLeft_ == 0) {
                state_ = lastBlock_ ? State::Done : State::BlockStart;
                break;
            }
            if (!Need(8))
                return fail();
            out[done++] = Put(static_cast<unsigned char>(Take(8)));
            --storedLeft_;
            break;
        case State::Coded: {
            const int symbol = Decode(literals_);
            if (symbol < 0)
                return fail();
            if (symbol < 256) {
                out[done++] = Put(static_cast<unsigned char>(symbol));
                break;
            }
            if (symbol == 256) {
                state_ = lastBlock_ ? State::Done : State::BlockStart;
                break;
            }
            const int lengthCode = symbol - 257;
            if (lengthCode >= 29 || !Need(LengthExtra[lengthCode]))
                return fail();
            const int length = LengthBase[lengthCode] + int(Take(LengthExtra[lengthCode]));
            const int distanceCode = Decode(distances_);
            if (distanceCode < 0 || distanceCode >= 30 || !Need(DistanceExtra[distanceCode]))
                return fail();
            const uint32_t distance =
                DistanceBase[distanceCode] + Take(DistanceExtra[distanceCode]);
            if (distance > written_)
                return fail(); // before the first byte
            matchLeft_ = length;
            matchDistance_ = distance;
            break;
        }
        case State::Done:
        case State::Broken:
            return false;
        }
    }
    return true;
}

} // namespace preview
