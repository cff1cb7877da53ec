#pragma once

// The adaptive Huffman tree and the position tables shared by the LZH decoder and encoder.
// Internal to skin/data.

#include "skin/data/Lzh.h"

#include <array>
#include <cstdint>

namespace lzh {

constexpr int NChar = 256 - TLZH::Threshold + TLZH::MaxMatch; // 314: literals + match lengths
constexpr int TableSize = 2 * NChar - 1;                      // 627 nodes
constexpr int Root = TableSize - 1;                           // 626
constexpr unsigned MaxFreq = 0x8000;             // the tree is rebuilt when the root reaches it
constexpr int MatchBase = 255 - TLZH::Threshold; // symbol = MatchBase + length

// Upper 6 bits of a match position, indexed by the first 8 bits of its code.
extern const std::array<uint8_t, 256> DCode;
// Length in bits (3 to 8) of the code for the upper 6 bits, indexed the same way.
extern const std::array<uint8_t, 256> DLen;

// The tree. Nodes are kept sorted by frequency (sibling property); an inner node's `son` is
// the index of its left child, the right child follows it; a leaf's `son` is the symbol plus
// TableSize. `prnt[TableSize + symbol]` is the node of a symbol's leaf.
struct Tree {
    std::array<uint16_t, TableSize + 1> freq; // freq[TableSize] is a 0xFFFF sentinel
    std::array<uint16_t, TableSize> son;
    std::array<uint16_t, TableSize + NChar> prnt;
    int rebuilds = 0; // how often the tree has been rebuilt since init()

    void init() {
        for (int i = 0; i < NChar; ++i) {
            freq[i] = 1;
            son[i] = uint16_t(i + TableSize);
            prnt[i + TableSize] = uint16_t(i);
        }
        for (int i = 0, j = NChar; j <= Root; i += 2, ++j) {
            freq[j] = uint16_t(freq[i] + freq[i + 1]);
            son[j] = uint16_t(i);
            prnt[i] = prnt[i + 1] = uint16_t(j);
        }
        freq[TableSize] = 0xFFFF;
        prnt[Root] = 0;
        rebuilds = 0;
    }

    // Halves every leaf frequency and builds the tree again from the leaves.
    void rebuild();

    // Counts one more occurrence of `symbol` and restores the ordering on the way to the root.
    inline void update(int symbol) {
        if (freq[Root] == MaxFreq)
            rebuild();
        unsigned c = prnt[symbol + TableSize];
        do {
            const unsigned k = ++freq[c];
            unsigned l = c + 1;
            if (k > freq[l]) {
                // Find the last node whose frequency is still below k; the sentinel stops it.
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = uint16_t(k);

                const unsigned i = son[c];
                prnt[i] = uint16_t(l);
                if (i < TableSize)
                    prnt[i + 1] = uint16_t(l);

                const unsigned j = son[l];
                son[l] = uint16_t(i);
                prnt[j] = uint16_t(c);
                if (j < TableSize)
                    prnt[j + 1] = uint16_t(c);
                son[c] = uint16_t(j);
                c = l;
            }
            c = prnt[c];
        } while (c != 0);
    }
};

} // namespace lzh
