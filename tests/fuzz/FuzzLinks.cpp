// Fuzz entry point: the page decision, the head line's place and the search
// of a page while it arrives, in blocks whose size comes from the first byte.
// Written as received (no rewriting), the output must be the input, byte for
// byte.

#include "transfer/OnlineSearch.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype step = input.isEmpty() ? 1 : 1 + uchar(input.at(0)) % 251;
    transfer::DecidePage(input, 0);
    transfer::PageStartUndecided(input);
    transfer::FindHeadPlace(input);
    transfer::OnlineSearch search(
        {{true, true, false, true}, false, {}},
        [](QByteArray& tag, const transfer::LinkMatch&) { tag.clear(); }, [](const QString&) {});
    QByteArray written;
    for (qsizetype at = 0; at < input.size(); at += step)
        written += search.Add(QByteArrayView(input).sliced(at, std::min(step, input.size() - at)));
    if (written + search.Finish() != input)
        std::abort();
    return 0;
}
