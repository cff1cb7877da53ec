#include "tools/orvik-skingen/Canvas.h"

#include <QPainter>
#include <QtEndian>

#include <cmath>

namespace skingen {

namespace {

QRgb blendOver(QRgb premultiplied, QRgb matte) {
    const int a = qAlpha(premultiplied);
    auto channel = [a](int src, int dst) { return src + (dst * (255 - a) + 127) / 255; };
    return qRgb(channel(qRed(premultiplied), qRed(matte)),
                channel(qGreen(premultiplied), qGreen(matte)),
                channel(qBlue(premultiplied), qBlue(matte)));
}

// A painted colour that happens to be exact magenta would turn see-through; nudge it.
QRgb notMagenta(QRgb c) {
    return c == Magenta.rgb() ? qRgb(254, 0, 254) : (c | 0xFF000000u);
}

QImage flattenWith(const QImage& layer, auto matteAt, bool keepTransparency) {
    const QImage src = layer.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(src.size(), QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        QRgb* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            if (keepTransparency && qAlpha(in[x]) < 128)
                dst[x] = Magenta.rgb();
            else
                dst[x] = notMagenta(blendOver(in[x], matteAt(x, y)));
        }
    }
    return out;
}

} // namespace

QImage newLayer(int width, int height) {
    QImage img(width, height, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage flatten(const QImage& layer, const QColor& matte) {
    const QRgb m = matte.rgb();
    return flattenWith(
        layer, [m](int, int) { return m; }, true);
}

QImage flatten(const QImage& layer, const QImage& matte) {
    const QImage mt = matte.convertToFormat(QImage::Format_RGB32);
    return flattenWith(
        layer,
        [&mt](int x, int y) { return mt.pixel(qMin(x, mt.width() - 1), qMin(y, mt.height() - 1)); },
        true);
}

QImage opaque(const QImage& layer, const QColor& bg) {
    const QRgb m = bg.rgb();
    return flattenWith(
        layer, [m](int, int) { return m; }, false);
}

QImage joinFrames(const QList<QImage>& frames, Qt::Orientation orientation) {
    if (frames.isEmpty())
        return QImage();
    const QSize size = frames.first().size();
    const int n = int(frames.size());
    QImage out(orientation == Qt::Horizontal ? size.width() * n : size.width(),
               orientation == Qt::Horizontal ? size.height() : size.height() * n,
               QImage::Format_RGB32);
    out.fill(Magenta);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    for (int i = 0; i < n; ++i) {
        Q_ASSERT(frames[i].size() == size);
        if (orientation == Qt::Horizontal)
            p.drawImage(i * size.width(), 0, frames[i]);
        else
            p.drawImage(0, i * size.height(), frames[i]);
    }
    return out;
}

QByteArray encodeBmp24(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width(), h = img.height();
    const int stride = (w * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(stride) * quint32(h);
    const quint32 headerBytes = 14 + 40;
    QByteArray out(int(headerBytes + pixelBytes), '\0');
    uchar* d = reinterpret_cast<uchar*>(out.data());
    auto put16 = [&](int at, quint16 v) { qToLittleEndian(v, d + at); };
    auto put32 = [&](int at, quint32 v) { qToLittleEndian(v, d + at); };
    d[0] = 'B';
    d[1] = 'M';
    put32(2, headerBytes + pixelBytes);
    put32(10, headerBytes);
    put32(14, 40); // BITMAPINFOHEADER
    put32(18, quint32(w));
    put32(22, quint32(h)); // positive: rows stored bottom-up
    put16(26, 1);          // planes
    put16(28, 24);         // bits per pixel
    put32(30, 0);          // BI_RGB
    put32(34, pixelBytes);
    put32(38, 2835); // 72 dpi
    put32(42, 2835);
    for (int y = 0; y < h; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        uchar* dst = d + headerBytes + quint32(h - 1 - y) * quint32(stride);
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = uchar(qBlue(row[x]));
            dst[3 * x + 1] = uchar(qGreen(row[x]));
            dst[3 * x + 2] = uchar(qRed(row[x]));
        }
    }
    return out;
}

} // namespace skingen
