#pragma once

// Crafted skin packages that try to make a load cost far more time or memory than a skin
// should, for the tests and the skin load benchmark. Each is made at run time and is small.

#include "skin/data/Lzh.h"
#include "skin/data/SkinReaderPackage.h"

#include <QByteArray>
#include <QString>
#include <QtEndian>

namespace hostile {

inline void putWord(QByteArray& out, int offset, quint32 value) {
    qToLittleEndian<quint32>(value, out.data() + offset);
}

// An 8-bit run-length coded BMP of width x height pixels whose data is the end-of-picture mark
// alone: a kilobyte of header and palette that decodes to width x height pixels.
inline QByteArray bmpWithoutPixels(int width, int height) {
    constexpr int palette = 256 * 4;
    constexpr int dataAt = 14 + 40 + palette;
    QByteArray bmp(dataAt, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    putWord(bmp, 2, dataAt + 2);
    putWord(bmp, 10, dataAt);
    putWord(bmp, 14, 40);
    putWord(bmp, 18, quint32(width));
    putWord(bmp, 22, quint32(height));
    bmp[26] = 1; // planes
    bmp[28] = 8; // bits per pixel
    bmp[30] = 1; // run-length coded, 8 bits
    putWord(bmp, 34, 2);
    putWord(bmp, 46, 256);
    for (int i = 0; i < 256; ++i)
        bmp[54 + 4 * i] = char(i);
    bmp += QByteArray("\0\1", 2); // end of picture
    return bmp;
}

inline QByteArray pack(const QByteArray& definition, QList<TSkinPackageEntry> pictures = {}) {
    pictures.prepend({QStringLiteral("hostile.ini"), definition});
    return orvik::PackSkinPackage(pictures);
}

// Caption button sections that all name one picture.
inline QByteArray captionButtons(int count, const QString& picture) {
    QByteArray ini = "[TitlebarSkin]\r\nSkinName=Hostile\r\n";
    for (int i = 0; i < count; ++i)
        ini += "[Button" + QByteArray::number(i) + "]\r\nAction=" + QByteArray::number(20 + i) +
               "\r\nButtonImage=" + picture.toLatin1() + "\r\n";
    return ini;
}

// 30 caption buttons naming one 8-bit 5792 x 5792 picture that holds no pixels: about a
// kilobyte of package that would decode to 33 megapixels per button.
inline QByteArray amplifier() {
    return pack(captionButtons(30, QStringLiteral("big.bmp")),
                {{QStringLiteral("big.bmp"), bmpWithoutPixels(5792, 5792)}});
}

// A definition of `count` colour-table sections.
inline QByteArray colourSections(int count) {
    QByteArray ini = "[TitlebarSkin]\r\nSkinName=Colours\r\n";
    for (int i = 0; i < count; ++i)
        ini += "[Colour" + QByteArray::number(i) + "]\r\ncolor=" + QByteArray::number(i % 256) +
               " 40 90\r\n";
    return pack(ini);
}

// A definition of `count` caption buttons with a small picture each.
inline QByteArray manyCaptionButtons(int count) {
    return pack(captionButtons(count, QStringLiteral("b.bmp")),
                {{QStringLiteral("b.bmp"), bmpWithoutPixels(60, 21)}});
}

// An unpacked package whose names text is `breaks` line breaks and nothing else.
inline QByteArray namesFlood(qsizetype breaks) {
    QByteArray plain(16, '\0');
    putWord(plain, 0, 20000);
    putWord(plain, 4, quint32(breaks));
    plain += QByteArray(breaks, '\n');
    return TLZH::PackBytes(plain);
}

} // namespace hostile
