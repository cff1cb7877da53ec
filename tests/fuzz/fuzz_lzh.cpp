// Fuzzes the LZH decoder with arbitrary containers and the packer with arbitrary data.
//  - a container decodes to between its declared size and one match more, exactly like the
//    plain reference decoder, or is refused with ElzhException when its size word is missing
//    or out of range;
//  - any data packs and unpacks to itself.

#include "skin/data/Lzh.h"
#include "tests/skinpack/ReferenceLzh.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Decoding up to 64 MiB per input would slow the search to a crawl: larger sizes are only
// checked for the range test, smaller ones are decoded and compared with the reference.
constexpr qint32 LargestDecoded = 1 << 17;
constexpr qint32 LargestCompared = 1 << 15;

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));

    qint32 word = 0;
    if (size >= 4)
        std::memcpy(&word, data, 4);
    const bool inRange = size >= 4 && word >= 0 && word <= TLZH::MaxUnpackedSize;
    if (!inRange) {
        // Refused before anything is decoded or allocated.
        bool refused = false;
        try {
            TLZH::UnpackBytes(input);
        } catch (const ElzhException&) {
            refused = true;
        }
        check(refused);
    } else if (word <= LargestDecoded) {
        const QByteArray out = TLZH::UnpackBytes(input);
        check(out.size() >= word && out.size() < qsizetype(word) + TLZH::MaxMatch);
        if (word <= LargestCompared)
            check(out == reference::decode(input.sliced(4).toByteArray(), word));
    }

    const QByteArray packed = TLZH::PackBytes(input);
    check(TLZH::UnpackBytes(packed) == input);
    return 0;
}
