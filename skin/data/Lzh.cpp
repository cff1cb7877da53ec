#include "skin/data/Lzh.h"

#include "skin/data/LzhTree.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const char* const NoMemoryText = "LZH : Cannot get memory for dictionary tables";

// MSB-first bit reader over the coded bytes. Past the end of the input it supplies zero bits
// for ever. `buf` holds `count` valid bits at its top; the bits below them are zero or repeat
// bits of the next bytes, so OR-ing the next bytes in again is harmless.
struct BitReader {
    const uchar* const start;
    const uchar* p;
    const uchar* end;
    uint64_t buf = 0;
    int count = 0;
    qint64 zeros = 0; // zero bytes supplied past the end

    BitReader(const uchar* data, qsizetype size) : start(data), p(data), end(data + size) {}

    // Bits taken by the decoder beyond the last byte of the stream.
    qint64 bitsPastEnd() const {
        const qint64 taken = 8 * (qint64(p - start) + zeros) - count;
        return std::max<qint64>(0, taken - 8 * qint64(end - start));
    }

    // Tops the buffer up to at least 56 valid bits.
    inline void refill() {
        if (end - p >= 8) {
            buf |= qFromBigEndian<quint64>(p) >> count;
            p += (63 - count) >> 3;
            count |= 56;
        } else {
            while (count <= 56) {
                uint64_t b = 0;
                if (p < end)
                    b = *p++;
                else
                    ++zeros;
                buf |= b << (56 - count);
                count += 8;
            }
        }
    }
    inline unsigned bit() {
        if (count == 0) [[unlikely]]
            refill();
        const unsigned b = unsigned(buf >> 63);
        buf <<= 1;
        --count;
        return b;
    }
    // The next n bits (1..16); the caller has made sure enough are buffered.
    inline unsigned bits(int n) {
        const unsigned v = unsigned(buf >> (64 - n));
        buf <<= n;
        count -= n;
        return v;
    }
};

// Copies a match of `length` bytes from `distance` bytes back; the source may overlap the
// bytes being produced. The buffer has at least 8 bytes of slack after dst + length.
inline void copyMatch(uchar* dst, unsigned distance, unsigned length) {
    const uchar* src = dst - distance;
    if (distance >= 8) {
        uchar* const stop = dst + length;
        do {
            std::memcpy(dst, src, 8);
            dst += 8;
            src += 8;
        } while (dst < stop);
    } else if (distance == 1) {
        std::memset(dst, *src, length);
    } else {
        for (unsigned k = 0; k < length; ++k)
            dst[k] = src[k];
    }
}

QByteArray allocate(qsizetype size) {
    try {
        return QByteArray(size, Qt::Uninitialized);
    } catch (const std::bad_alloc&) {
        throw ElzhException(QString::fromLatin1(NoMemoryText));
    }
}

} // namespace

TLZH::TLZH(QIODevice& input, QIODevice& output) : input_(input), output_(output) {}

qint32 TLZH::DeclaredSize(QByteArrayView container) {
    if (container.size() < 4)
        throw ElzhException(
            QStringLiteral("LZH : The data is too short to hold its unpacked size (%1 bytes)")
                .arg(container.size()));
    const qint32 size = qFromLittleEndian<qint32>(container.data());
    if (size < 0 || size > MaxUnpackedSize)
        throw ElzhException(QStringLiteral("LZH : Unpacked size %1 is out of range (0 to %2 bytes)")
                                .arg(size)
                                .arg(MaxUnpackedSize));
    return size;
}

QByteArray TLZH::DecodeStream(QByteArrayView stream, qint32 unpackedSize, DecodeStats* stats,
                              bool stopAtEnd) {
    using namespace lzh;
    if (unpackedSize < 0 || unpackedSize > MaxUnpackedSize)
        throw ElzhException(QStringLiteral("LZH : Unpacked size %1 is out of range (0 to %2 bytes)")
                                .arg(unpackedSize)
                                .arg(MaxUnpackedSize));
    if (unpackedSize == 0)
        return {};

    // Decode into one straight buffer instead of a ring: the first RingSize bytes stand for
    // the ring's initial content (RingSize - RingStart bytes never written, then RingStart
    // spaces), so "distance d back" is always inside the buffer. Slack after the end takes
    // the last match in full plus the 8-byte copy overrun.
    constexpr qsizetype Prefix = RingSize;
    constexpr qsizetype Slack = MaxMatch + 8;
    QByteArray out = allocate(Prefix + unpackedSize + Slack);
    uchar* const base = reinterpret_cast<uchar*>(out.data());
    std::memset(base, 0, RingSize - RingStart);
    std::memset(base + (RingSize - RingStart), ' ', RingStart);

    uchar* p = base + Prefix;
    uchar* const end = p + unpackedSize;
    BitReader in(reinterpret_cast<const uchar*>(stream.data()), stream.size());
    Tree tree;
    tree.init();
    qint64 symbols = 0;
    qint64 outputAtEnd = -1;

    while (p < end) {
        // Only once the reader has handed out zero padding can the stream have run out.
        if (in.zeros != 0 && outputAtEnd < 0 && in.bitsPastEnd() > EndSlackBits) [[unlikely]] {
            outputAtEnd = p - (base + Prefix);
            if (stopAtEnd)
                break;
        }
        ++symbols;
        if (in.count < 40)
            in.refill();
        unsigned c = tree.son[Root];
        while (c < unsigned(TableSize)) {
            c += in.bit();
            c = tree.son[c];
        }
        c -= TableSize;
        tree.update(int(c));
        if (c < 256) {
            *p++ = uchar(c);
            continue;
        }
        // A match: the first 8 bits give the upper 6 bits of the position and the length of
        // the code, the rest of the code carries the lower 6 bits.
        if (in.count < 16)
            in.refill();
        unsigned i = in.bits(8);
        const unsigned upper = unsigned(DCode[i]) << 6;
        const int more = DLen[i] - 2;
        i = (i << more) | in.bits(more);
        const unsigned position = upper | (i & 0x3F);
        const unsigned length = c - MatchBase;
        copyMatch(p, position + 1, length);
        p += length;
    }

    const qsizetype produced = p - (base + Prefix);
    if (stats) {
        stats->Symbols = symbols;
        stats->Rebuilds = tree.rebuilds;
        stats->BitsPastEnd = in.bitsPastEnd();
        stats->OutputAtEnd = outputAtEnd;
    }
    out.remove(0, Prefix);
    out.truncate(produced);
    return out;
}

QByteArray TLZH::UnpackBytes(QByteArrayView container, DecodeStats* stats, bool stopAtEnd) {
    const qint32 size = DeclaredSize(container);
    return DecodeStream(container.sliced(4), size, stats, stopAtEnd);
}

QByteArray TLZH::PackBytes(QByteArrayView plain) {
    if (plain.size() > MaxUnpackedSize)
        throw ElzhException(QStringLiteral("LZH : %1 bytes are more than the %2 bytes a "
                                           "container may hold")
                                .arg(plain.size())
                                .arg(MaxUnpackedSize));
    QByteArray container(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(qint32(plain.size()), container.data());
    container += EncodeStream(plain);
    return container;
}

namespace {

QByteArray readAllFromStart(QIODevice& device, const char* what) {
    if (!device.isSequential() && !device.seek(0))
        throw ElzhException(QStringLiteral("LZH : Cannot rewind the %1").arg(QLatin1String(what)));
    return device.readAll();
}

void writeAllFromStart(QIODevice& device, const QByteArray& data) {
    if (!device.isSequential() && !device.seek(0))
        throw ElzhException(QStringLiteral("LZH : Cannot rewind the output"));
    if (device.write(data) != data.size())
        throw ElzhException(
            QStringLiteral("LZH : Cannot write the output: %1").arg(device.errorString()));
}

} // namespace

void TLZH::Unpack() {
    const QByteArray container = readAllFromStart(input_, "input");
    writeAllFromStart(output_, UnpackBytes(container));
}

void TLZH::Pack() {
    const QByteArray plain = readAllFromStart(input_, "input");
    writeAllFromStart(output_, PackBytes(plain));
}
