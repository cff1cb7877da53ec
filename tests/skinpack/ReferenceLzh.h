#pragma once

// A deliberately plain LZH decoder for cross-checking the fast one: a real 4096-byte ring,
// a 16-bit bit buffer filled one byte at a time, one output byte at a time, its own tree code.
// Slow, but each step is easy to check by eye.

#include <QByteArray>

#include <cstdint>
#include <vector>

namespace reference {

// `rebuilds`, when given, gets how often the tree was rebuilt.
inline QByteArray decode(const QByteArray& stream, int32_t unpackedSize, int* rebuilds = nullptr) {
    constexpr int N = 4096, F = 60, NChar = 314, T = 627, R = 626;
    static const int dcodeRuns[][3] = {{32, 0, 0},  {16, 1, 3},  {8, 4, 11},
                                       {4, 12, 23}, {2, 24, 47}, {1, 48, 63}};
    static const int dlenRuns[][2] = {{32, 3}, {48, 4}, {64, 5}, {48, 6}, {48, 7}, {16, 8}};
    std::vector<int> dcode, dlen;
    for (const auto& run : dcodeRuns)
        for (int v = run[1]; v <= run[2]; ++v)
            dcode.insert(dcode.end(), size_t(run[0]), v);
    for (const auto& run : dlenRuns)
        dlen.insert(dlen.end(), size_t(run[0]), run[1]);

    std::vector<unsigned> freq(T + 1), son(T), prnt(T + NChar);
    for (int i = 0; i < NChar; ++i) {
        freq[i] = 1;
        son[i] = unsigned(i + T);
        prnt[i + T] = unsigned(i);
    }
    for (int i = 0, j = NChar; j <= R; i += 2, ++j) {
        freq[j] = freq[i] + freq[i + 1];
        son[j] = unsigned(i);
        prnt[i] = prnt[i + 1] = unsigned(j);
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;

    auto rebuild = [&] {
        if (rebuilds)
            ++*rebuilds;
        int j = 0;
        for (int i = 0; i < T; ++i)
            if (son[i] >= unsigned(T)) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        for (int i = 0, k = NChar; k < T; i += 2, ++k) {
            const unsigned f = freq[i] + freq[i + 1];
            int at = k;
            while (at > 0 && freq[at - 1] > f) { // shift heavier nodes up one by one
                freq[at] = freq[at - 1];
                son[at] = son[at - 1];
                --at;
            }
            freq[at] = f;
            son[at] = unsigned(i);
        }
        for (int i = 0; i < T; ++i) {
            if (son[i] >= unsigned(T))
                prnt[son[i]] = unsigned(i);
            else
                prnt[son[i]] = prnt[son[i] + 1] = unsigned(i);
        }
    };
    auto update = [&](int c) {
        if (freq[R] == 0x8000)
            rebuild();
        unsigned node = prnt[unsigned(c + T)];
        for (;;) {
            const unsigned k = ++freq[node];
            if (k > freq[node + 1]) {
                unsigned l = node + 1;
                while (freq[l + 1] < k)
                    ++l;
                std::swap(freq[node], freq[l]);
                const unsigned a = son[node], b = son[l];
                son[node] = b;
                son[l] = a;
                prnt[a] = l;
                if (a < unsigned(T))
                    prnt[a + 1] = l;
                prnt[b] = node;
                if (b < unsigned(T))
                    prnt[b + 1] = node;
                node = l;
            }
            node = prnt[node];
            if (node == 0)
                break;
        }
    };

    int inPos = 0;
    uint16_t bitBuf = 0;
    uint8_t bitCount = 0;
    auto fill = [&] {
        while (bitCount <= 8) {
            const unsigned b = inPos < stream.size() ? uint8_t(stream[inPos++]) : 0u;
            bitBuf = uint16_t(bitBuf | (b << (8 - bitCount)));
            bitCount = uint8_t(bitCount + 8);
        }
    };
    auto getBit = [&] {
        fill();
        const unsigned b = bitBuf >> 15;
        bitBuf = uint16_t(bitBuf << 1);
        --bitCount;
        return b;
    };
    auto getByte = [&] {
        fill();
        const unsigned b = bitBuf >> 8;
        bitBuf = uint16_t(bitBuf << 8);
        bitCount = uint8_t(bitCount - 8);
        return b;
    };

    std::vector<uint8_t> ring(N + F - 1, 0);
    for (int i = 0; i < N - F; ++i)
        ring[size_t(i)] = ' ';
    unsigned r = N - F;
    QByteArray out;
    while (out.size() < unpackedSize) {
        unsigned c = son[R];
        while (c < unsigned(T))
            c = son[c + getBit()];
        c -= T;
        update(int(c));
        if (c < 256) {
            out.append(char(c));
            ring[r] = uint8_t(c);
            r = (r + 1) & (N - 1);
            continue;
        }
        unsigned i = getByte();
        const unsigned upper = unsigned(dcode[i]) << 6;
        for (int j = dlen[i] - 2; j > 0; --j)
            i = (i << 1) + getBit();
        const unsigned position = upper | (i & 0x3F);
        const unsigned start = (r - position - 1) & (N - 1);
        const unsigned length = c - 253;
        for (unsigned k = 0; k < length; ++k) {
            const uint8_t b = ring[(start + k) & (N - 1)];
            out.append(char(b));
            ring[r] = b;
            r = (r + 1) & (N - 1);
        }
    }
    return out;
}

} // namespace reference
