#pragma once

// LZH coding of skin packages: LZSS over a 4096-byte ring whose literals and match lengths are
// coded with an adaptive Huffman tree and whose match positions use a fixed prefix table.
//
// A container is a signed 32-bit little-endian unpacked size followed by the bit stream.
// Decoding never fails on damaged data: past the end of the input the stream reads as zero
// bits, and decoding goes on until the unpacked size is reached. The last match is always
// copied whole, so the output may run up to `MaxMatch - 1` bytes past the unpacked size.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <stdexcept>

class QIODevice;

// Raised when a container cannot be decoded at all (unpacked size out of range, container
// too short) or when the working storage cannot be obtained.
class ElzhException : public std::runtime_error {
public:
    explicit ElzhException(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

class TLZH {
public:
    static constexpr int RingSize = 4096; // N
    static constexpr int MaxMatch = 60;   // F
    static constexpr int Threshold = 2;   // a match codes Threshold + 1 .. MaxMatch bytes
    static constexpr int RingStart = RingSize - MaxMatch; // first write position, 4036
    // The largest unpacked size a container may declare. Skin packages are well under 1 MiB;
    // anything larger is refused before a byte is allocated for it.
    static constexpr qint32 MaxUnpackedSize = 64 * 1024 * 1024;

    // What a decoding saw of its stream.
    struct DecodeStats {
        qint64 Symbols = 0;      // literals and matches decoded
        int Rebuilds = 0;        // times the coding tree was rebuilt
        qint64 BitsPastEnd = 0;  // zero bits taken from beyond the end of the stream
        qint64 OutputAtEnd = -1; // bytes produced when the stream ran out; -1: it never did
    };
    // A stream may run out by the few bits that pad its last byte without being damaged.
    static constexpr int EndSlackBits = 16;

    // Input and output are not owned. Unpack reads a container from `input` and writes the
    // plain bytes to `output`; Pack does the reverse. Both put the two positions at 0 first.
    TLZH(QIODevice& input, QIODevice& output);

    // Throws ElzhException when the container is shorter than its size word or declares a
    // size below 0 or above MaxUnpackedSize (nothing is written then).
    void Unpack();
    // Throws ElzhException when the input is larger than MaxUnpackedSize.
    void Pack();

    // The same on byte arrays.
    static QByteArray UnpackBytes(QByteArrayView container, DecodeStats* stats = nullptr,
                                  bool stopAtEnd = false);
    static QByteArray PackBytes(QByteArrayView plain);

    // Bare bit streams, without the size word. DecodeStream produces at least `unpackedSize`
    // bytes (none for 0) and at most `unpackedSize + MaxMatch - 1`. With `stats`, it reports
    // what it saw; with `stopAtEnd` as well, it stops as soon as it has read more than
    // EndSlackBits past the end of the stream, and the output is then shorter.
    static QByteArray DecodeStream(QByteArrayView stream, qint32 unpackedSize,
                                   DecodeStats* stats = nullptr, bool stopAtEnd = false);
    static QByteArray EncodeStream(QByteArrayView plain);

    // Reads the size word of a container; throws ElzhException when it is out of range.
    static qint32 DeclaredSize(QByteArrayView container);

private:
    QIODevice& input_;
    QIODevice& output_;
};
