#include "skin/data/SkinPictures.h"

#include "skin/data/SkinReader.h"

#include <QBuffer>
#include <QImageReader>

namespace {

// Entry names are lower-cased in A to Z only, as the reader stores them.
QString entryKey(QString name) {
    for (QChar& ch : name)
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z'))
            ch = QChar(ch.unicode() + ('a' - 'A'));
    return name;
}

} // namespace

QImage TSkinPictures::Picture(const QString& value) {
    const QString entry = entryKey(TSkinReader::ImageEntryName(value));
    if (entry.isEmpty())
        return {};
    const auto it = decoded_.constFind(entry);
    if (it != decoded_.constEnd())
        return *it;
    QImage image = decode(entry);
    decoded_.insert(entry, image);
    return image;
}

bool TSkinPictures::IsRefused(const QString& value) const {
    return refused_.contains(entryKey(TSkinReader::ImageEntryName(value)));
}

QImage TSkinPictures::refuse(const QString& entry, const QString& why) {
    refused_.insert(entry);
    refusals_ << QStringLiteral("picture %1 refused: %2").arg(entry, why);
    return {};
}

QImage TSkinPictures::decode(const QString& entry) {
    QByteArray data = reader_.GetEntry(entry);
    if (data.isEmpty())
        return {};
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader bmp(&buffer, "BMP");
    bmp.setDecideFormatFromContent(false);
    // The header alone tells the size: nothing is decoded for a picture that is refused.
    const QSize size = bmp.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    const qint64 pixels = qint64(size.width()) * size.height();
    if (size.width() > MaxSide || size.height() > MaxSide || pixels > MaxPixels)
        return refuse(entry, QStringLiteral("it is %1 x %2 pixels, larger than any skin element "
                                            "needs (at most %3 pixels a side and %4 in all)")
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(MaxSide)
                                 .arg(MaxPixels));
    if (pixels_ + pixels > LoadBudget)
        return refuse(entry, QStringLiteral("the skin's pictures would take more than %1 pixels "
                                            "in all")
                                 .arg(LoadBudget));
    QImage image;
    if (!bmp.read(&image) || image.isNull())
        return {};
    pixels_ += pixels;
    if (image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    return image;
}
