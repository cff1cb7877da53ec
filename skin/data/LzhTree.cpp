#include "skin/data/LzhTree.h"

#include <cstring>

namespace lzh {

namespace {

// Builds a 256-entry table from runs of (count, value).
template <size_t Runs>
constexpr std::array<uint8_t, 256> fromRuns(const std::array<std::pair<int, int>, Runs>& runs) {
    std::array<uint8_t, 256> table{};
    int at = 0;
    for (const auto& [count, value] : runs)
        for (int k = 0; k < count; ++k)
            table[at++] = uint8_t(value);
    return table;
}

constexpr std::array<uint8_t, 256> makeDCode() {
    // 32 x 0, 16 each of 1 to 3, 8 each of 4 to 11, 4 each of 12 to 23, 2 each of 24 to 47,
    // 1 each of 48 to 63.
    std::array<uint8_t, 256> table{};
    int at = 0;
    auto run = [&](int count, int first, int last) {
        for (int v = first; v <= last; ++v)
            for (int k = 0; k < count; ++k)
                table[at++] = uint8_t(v);
    };
    run(32, 0, 0);
    run(16, 1, 3);
    run(8, 4, 11);
    run(4, 12, 23);
    run(2, 24, 47);
    run(1, 48, 63);
    return table;
}

constexpr auto dLenTable = fromRuns<6>({{{32, 3}, {48, 4}, {64, 5}, {48, 6}, {48, 7}, {16, 8}}});

} // namespace

const std::array<uint8_t, 256> DCode = makeDCode();
const std::array<uint8_t, 256> DLen = dLenTable;

void Tree::rebuild() {
    ++rebuilds;
    // Leaves to the front, in their order, with halved frequencies.
    int j = 0;
    for (int i = 0; i < TableSize; ++i) {
        if (son[i] >= TableSize) {
            freq[j] = uint16_t((freq[i] + 1) / 2);
            son[j] = son[i];
            ++j;
        }
    }
    // Join pairs from the front; each new node goes after the last node not heavier than it.
    for (int i = 0, k = NChar; k < TableSize; i += 2, ++k) {
        const unsigned f = unsigned(freq[i]) + freq[i + 1];
        int at = k - 1;
        while (f < freq[at])
            --at;
        ++at;
        const size_t moved = size_t(k - at);
        std::memmove(&freq[at + 1], &freq[at], moved * sizeof(freq[0]));
        std::memmove(&son[at + 1], &son[at], moved * sizeof(son[0]));
        freq[at] = uint16_t(f);
        son[at] = uint16_t(i);
    }
    for (int i = 0; i < TableSize; ++i) {
        const unsigned k = son[i];
        if (k >= TableSize) {
            prnt[k] = uint16_t(i);
        } else {
            prnt[k] = prnt[k + 1] = uint16_t(i);
        }
    }
}

} // namespace lzh
