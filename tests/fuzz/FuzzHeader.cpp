// Fuzz entry point: the answer-head reader, fed the input in blocks whose
// size comes from the first byte. Head and body together are the input.

#include "transfer/ResponseHeader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using State = transfer::HeaderReader::State;
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype step = input.isEmpty() ? 1 : 1 + uchar(input.at(0)) % 97;
    transfer::HeaderReader reader;
    qsizetype at = 0;
    for (; at < input.size() && reader.state() == State::NeedMore; at += step)
        reader.Add(input.mid(at, step));
    if (reader.Close() != State::Complete)
        return 0;
    const transfer::ResponseHeader header = reader.header();
    if (reader.headerEnd() + reader.body().size() != std::min(at, input.size()) ||
        header.contentLength < 0 || header.contentLength > transfer::MaxContentLength)
        std::abort();
    return 0;
}
