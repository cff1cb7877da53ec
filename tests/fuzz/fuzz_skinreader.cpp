// Fuzzes the skin package reader. The first byte picks how the rest is used:
//   even: as a compressed container, exactly as a .skn file is read;
//   odd:  as an unpacked package, packed first, so that mutations reach the header, names
//         and size table directly instead of being scrambled by the coding.
// Every entry of a loaded package is then looked up, searched and decoded as a picture, and
// the input is also read as a stored package (length word plus container).

#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"

#include <QBuffer>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void exercise(const TSkinReader& reader) {
    qint64 total = 0;
    for (int k = 0; k < reader.EntryCount(); ++k) {
        const QString name = reader.EntryNames()[k];
        const QByteArray entry = reader.GetEntry(name);
        // The first entry of that name answers, also for a later duplicate.
        check(entry.size() == reader.EntrySize(int(reader.EntryNames().indexOf(name))));
        total += reader.EntrySize(k);
        QImage image;
        reader.LoadImage(name, image);
        reader.LoadImage(QStringLiteral("skin\\") + name, image);
    }
    check(total <= reader.EntryData().size());
    QByteArray out;
    QString found;
    reader.FindEntry(QStringLiteral(".ini"), out, found);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));

    TSkinReader reader;
    bool loaded;
    if (data[0] & 1) {
        loaded = reader.LoadPackage(TLZH::PackBytes(rest));
    } else {
        // Keep decoded sizes sensible for the search; sizes near the limit are tested apart.
        if (rest.size() >= 4) {
            qint32 declared;
            std::memcpy(&declared, rest.data(), 4);
            if (declared > (1 << 20))
                return 0;
        }
        loaded = reader.LoadPackage(rest);
    }
    check(loaded == reader.IsLoaded());
    check(loaded == reader.ErrorText().isEmpty());
    if (loaded)
        exercise(reader);

    QByteArray stored = rest.toByteArray();
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadOnly);
    QString error;
    const auto container = TSkinReader::ReadSkinStream(buffer, &error);
    check(container.has_value() || (!error.isEmpty() && buffer.pos() == 0));
    if (container && !container->isEmpty())
        check(container->size() <= rest.size() - 4);
    return 0;
}
