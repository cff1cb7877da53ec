// Fuzzes a whole skin load through the skin data component: package reader, definition,
// element builder, pictures. The first byte picks what the rest is:
//   0: a compressed container, exactly as a .skn file is read;
//   1: an unpacked package, packed first, so that mutations reach its header and names;
//   2: a definition, packed with a few small pictures it may name (a.bmp to d.bmp), so that
//      mutations reach the builder directly.
//  - a load either puts a complete skin in force or leaves the skin in force as it was;
//  - a loaded skin stays within the limits of a skin: caption buttons, colour table, pixels.

#include "skin/data/Lzh.h"
#include "skin/data/SkinBuilder.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinPictures.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinReaderPackage.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

QByteArray bmp(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

const QList<TSkinPackageEntry>& pictures() {
    static const QList<TSkinPackageEntry> list{{QStringLiteral("a.bmp"), bmp(60, 21, 0xFF0000)},
                                               {QStringLiteral("b.bmp"), bmp(8, 40, 0x00FF00)},
                                               {QStringLiteral("c.bmp"), bmp(50, 21, 0xFF00FF)},
                                               {QStringLiteral("d.bmp"), bmp(16, 16, 0x0000FF)}};
    return list;
}

qint64 pixels(const QImage& image) {
    return qint64(image.width()) * image.height();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_skindata";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // lives for the whole run
    TSkinReader::SetMessageHook({});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    QByteArray container;
    switch (data[0] % 3) {
    case 0:
        if (rest.size() >= 4) {
            qint32 declared;
            std::memcpy(&declared, rest.data(), 4);
            if (declared > (1 << 20)) // sizes near the limit are tested apart
                return 0;
        }
        container = rest.toByteArray();
        break;
    case 1:
        container = TLZH::PackBytes(rest);
        break;
    default: {
        QList<TSkinPackageEntry> entries = pictures();
        entries.prepend({QStringLiteral("fuzz.ini"), rest.toByteArray()});
        container = orvik::PackSkinPackage(entries);
        break;
    }
    }

    TSkinData skin;
    QStringList errors;
    skin.SetErrorHook([&](const QString& text) { errors << text; });
    QByteArray stored = TSkinReader::WriteSkinStream(container);
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadOnly);
    const bool loaded = skin.ReadSkinStream(buffer);

    check(loaded == !skin.Loading());
    check(loaded == errors.isEmpty());
    if (!loaded) {
        // Nothing was in force before, and nothing is now.
        check(skin.SkinStreamData().isEmpty());
        check(skin.SysButtons().isEmpty() && !skin.ToolbarBack());
        return 0;
    }
    check(skin.SysButtons().size() >= 3);
    check(skin.SysButtons().size() <= TSkinBuilder::MaxCaptionButtons + 3);
    check(skin.ColourTable().size() <= TSkinBuilder::MaxColourTable);
    check(skin.ToolbarBack() && skin.Track() && skin.TrackVert());
    qint64 total = 0;
    for (const TDataSkinObject* e : {static_cast<const TDataSkinObject*>(skin.Left()),
                                     static_cast<const TDataSkinObject*>(skin.Top()),
                                     static_cast<const TDataSkinObject*>(skin.Title())}) {
        check(pixels(e->Image) <= TSkinPictures::MaxPixels);
        total += pixels(e->Image);
    }
    for (const TDataSkinSysButton* b : skin.SysButtons())
        check(pixels(b->Image) <= TSkinPictures::MaxPixels);
    check(total <= 3 * TSkinPictures::MaxPixels);
    return 0;
}
