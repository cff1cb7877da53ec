// The packing half of the LZH coding, used by the orvik-skin tool and by the tests. Greedy
// longest-match search over hash chains; the decoder does not care how matches were chosen.

#include "skin/data/Lzh.h"

#include "skin/data/LzhTree.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace lzh;

// Code and length in bits of the upper 6 bits of a match position, derived from the decoder's
// tables: the code is the first 8-bit index that decodes to those bits, cut to its length.
struct PositionCodes {
    std::array<uint8_t, 64> code{};
    std::array<uint8_t, 64> length{};
    PositionCodes() {
        for (int i = 255; i >= 0; --i) {
            code[DCode[i]] = uint8_t(i >> (8 - DLen[i]));
            length[DCode[i]] = DLen[i];
        }
    }
};

class BitWriter {
public:
    explicit BitWriter(QByteArray& out) : out_(out) {}
    // Appends the low `n` bits of `value`, most significant first (n up to 32).
    void put(uint32_t value, int n) {
        acc_ = (acc_ << n) | (value & ((uint64_t(1) << n) - 1));
        count_ += n;
        while (count_ >= 8) {
            count_ -= 8;
            out_.append(char(uint8_t(acc_ >> count_)));
        }
    }
    // Pads the last byte with zero bits.
    void flush() {
        if (count_ > 0)
            out_.append(char(uint8_t(acc_ << (8 - count_))));
        count_ = 0;
    }

private:
    QByteArray& out_;
    uint64_t acc_ = 0;
    int count_ = 0;
};

class Encoder {
public:
    explicit Encoder(QByteArray& out) : bits_(out) { tree_.init(); }

    void symbol(int c) {
        // Walk from the leaf to the root; the left child of a pair sits at an even index.
        uint32_t code = 0;
        int length = 0;
        unsigned node = tree_.prnt[c + TableSize];
        do {
            if (length == 32) { // deeper than any tree this size can grow; write in pieces
                pending_.push_back(code);
                code = 0;
                length = 0;
            }
            code |= uint32_t(node & 1) << length;
            ++length;
            node = tree_.prnt[node];
        } while (node != unsigned(Root));
        bits_.put(code, length);
        while (!pending_.empty()) {
            bits_.put(pending_.back(), 32);
            pending_.pop_back();
        }
        tree_.update(c);
    }

    void position(unsigned position) {
        static const PositionCodes codes;
        const unsigned upper = position >> 6;
        bits_.put(codes.code[upper], codes.length[upper]);
        bits_.put(position & 0x3F, 6);
    }

    void flush() { bits_.flush(); }

private:
    BitWriter bits_;
    Tree tree_;
    std::vector<uint32_t> pending_;
};

constexpr int HashBits = 15;
constexpr int ChainLimit = 256;

inline unsigned hash3(const uchar* s) {
    const uint32_t v = uint32_t(s[0]) | uint32_t(s[1]) << 8 | uint32_t(s[2]) << 16;
    return (v * 2654435761u) >> (32 - HashBits);
}

} // namespace

QByteArray TLZH::EncodeStream(QByteArrayView plain) {
    QByteArray out;
    if (plain.isEmpty())
        return out;
    out.reserve(plain.size() / 4 + 64);

    // The text as the decoder sees it: the spaces the ring starts with, then the data.
    std::vector<uchar> text(size_t(RingStart) + size_t(plain.size()));
    std::memset(text.data(), ' ', RingStart);
    std::memcpy(text.data() + RingStart, plain.data(), size_t(plain.size()));
    const qsizetype total = qsizetype(text.size());

    std::vector<int32_t> head(size_t(1) << HashBits, -1);
    std::vector<int32_t> prev(RingSize, -1);
    auto insert = [&](qsizetype at) {
        if (at + 2 >= total)
            return;
        const unsigned h = hash3(&text[size_t(at)]);
        prev[size_t(at) & (RingSize - 1)] = head[h];
        head[h] = int32_t(at);
    };
    for (qsizetype at = 0; at < RingStart; ++at)
        insert(at);

    Encoder encoder(out);
    qsizetype pos = RingStart;
    while (pos < total) {
        const int maxLength = int(std::min<qsizetype>(MaxMatch, total - pos));
        int bestLength = 0;
        qsizetype bestFrom = 0;
        if (maxLength > Threshold) {
            const uchar* const here = &text[size_t(pos)];
            int32_t candidate = head[hash3(here)];
            for (int chain = 0; candidate >= 0 && chain < ChainLimit; ++chain) {
                if (pos - candidate > RingSize)
                    break;
                const uchar* const there = &text[size_t(candidate)];
                if (there[bestLength] == here[bestLength]) {
                    int length = 0;
                    while (length < maxLength && there[length] == here[length])
                        ++length;
                    if (length > bestLength) {
                        bestLength = length;
                        bestFrom = candidate;
                        if (length == maxLength)
                            break;
                    }
                }
                const int32_t next = prev[size_t(candidate) & (RingSize - 1)];
                if (next >= candidate)
                    break; // the slot was reused by a newer position: the chain ends here
                candidate = next;
            }
        }
        if (bestLength > Threshold) {
            encoder.symbol(MatchBase + bestLength);
            encoder.position(unsigned(pos - bestFrom - 1));
            for (int k = 0; k < bestLength; ++k)
                insert(pos + k);
            pos += bestLength;
        } else {
            encoder.symbol(text[size_t(pos)]);
            insert(pos);
            ++pos;
        }
    }
    encoder.flush();
    return out;
}
