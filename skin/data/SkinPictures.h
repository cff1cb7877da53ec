#pragma once

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>
#include <QStringList>

class TSkinReader;

// The pictures of one skin load. Many sections may name the same package entry: each entry is
// decoded once and shared. A load has one budget of decoded pixels, and a picture larger than
// any skin element needs is refused before it is decoded, from the size in its header, so a
// package of a few hundred bytes cannot make the program decode gigabytes of pixels.
//
// A refused picture leaves its element without a picture, as a missing one does; Refusals()
// lists what was refused and why, once per entry.
class TSkinPictures {
public:
    // The widest or highest picture any element uses, and the most pixels one may have.
    static constexpr int MaxSide = 4096;
    static constexpr qint64 MaxPixels = 4 * 1024 * 1024;
    // All the pictures of one load together.
    static constexpr qint64 LoadBudget = 16 * 1024 * 1024;

    explicit TSkinPictures(const TSkinReader& reader) : reader_(reader) {}

    // The picture a definition value names (see TSkinReader::LoadImage for the name rules),
    // as 32-bit RGB; a null image when the value is refused, the entry is missing, or the
    // picture cannot be read or is refused.
    QImage Picture(const QString& value);

    const QStringList& Refusals() const { return refusals_; }
    // Whether the picture a value names was refused (as opposed to missing or unreadable).
    bool IsRefused(const QString& value) const;
    qint64 PixelsDecoded() const { return pixels_; }

private:
    QImage decode(const QString& entry);
    QImage refuse(const QString& entry, const QString& why);

    const TSkinReader& reader_;
    QHash<QString, QImage> decoded_; // by entry name, refused and unreadable ones as null
    QStringList refusals_;
    QSet<QString> refused_;
    qint64 pixels_ = 0;
};
