#pragma once
// A zlib stream (RFC 1950 around RFC 1951 deflate) inflated piece by piece:
// the caller asks for as many bytes as it needs and gets them, holding only
// the 32 KB the format may refer back to. The compressed bytes are pulled
// from a source function as they are needed.

#include <cstdint>
#include <functional>
#include <vector>

namespace preview {

class Inflate {
public:
    // source fills up to size bytes at data and returns how many (0 at the
    // end of the compressed data).
    using Source = std::function<int64_t(unsigned char* data, int64_t size)>;
    explicit Inflate(Source source);

    // Fills out with exactly size bytes: true, or false when the stream
    // ends before or is broken (nothing more comes then).
    bool Read(unsigned char* out, int64_t size);

private:
    struct Code {
        // Lookup of the next FastBits bits: symbol << 4 | length, 0 when the
        // code is longer (or the bits are no code).
        std::vector<uint16_t> fast;
        uint16_t count[16] = {};      // codes of each length
        std::vector<uint16_t> symbol; // symbols in canonical order
    };
    static constexpr int FastBits = 9;

    bool Need(int bits);
    uint32_t Take(int bits);
    int Decode(const Code& code);
    static bool Build(Code& code, const uint8_t* lengths, int count);
    bool Header();
    bool BlockStart();
    bool DynamicCodes();
    unsigned char Put(unsigned char byte);

    Source source_;
    std::vector<unsigned char> input_;
    int64_t inputPos_ = 0;
    int64_t inputEnd_ = 0;
    uint64_t bits_ = 0;
    int bitCount_ = 0;

    enum class State { Header, BlockStart, Stored, Coded, Done, Broken };
    State state_ = State::Header;
    bool lastBlock_ = false;
    int64_t storedLeft_ = 0;
    Code literals_;
    Code distances_;
    int matchLeft_ = 0;
    uint32_t matchDistance_ = 0;

    std::vector<unsigned char> window_; // the last 32 KB written
    uint32_t windowPos_ = 0;
    uint64_t written_ = 0;
};

} // namespace preview
