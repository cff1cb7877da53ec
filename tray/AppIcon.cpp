#include "tray/AppIcon.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <climits>

namespace {

constexpr int Size = 32;

void paintGlyph(QPainter& p, bool smooth) {
    p.setRenderHint(QPainter::Antialiasing, smooth);

    // Antenna.
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(16, 9), QPointF(10, 2.5));
    p.drawLine(QPointF(16, 9), QPointF(22, 2.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x8f, 0x00));
    p.drawEllipse(QPointF(10, 2.5), 1.6, 1.6);
    p.drawEllipse(QPointF(22, 2.5), 1.6, 1.6);

    // Cabinet.
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 1.0));
    p.setBrush(QColor(0x45, 0x5a, 0x64));
    p.drawRoundedRect(QRectF(2.5, 8.5, 27, 21), 4, 4);

    // Screen.
    QLinearGradient glass(0, 12, 0, 26);
    glass.setColorAt(0, QColor(0x81, 0xd4, 0xfa));
    glass.setColorAt(1, QColor(0x02, 0x77, 0xbd));
    p.setPen(QPen(QColor(0x1a, 0x23, 0x27), 1.0));
    p.setBrush(glass);
    p.drawRoundedRect(QRectF(5.5, 11.5, 16, 15), 2.5, 2.5);

    // Radio waves leaving a point on the screen.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(9.5, 19), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (int ring = 1; ring <= 3; ++ring) {
        const qreal r = 3.0 * ring;
        p.drawArc(QRectF(9.5 - r, 19 - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }

    // Knobs.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x8f, 0x00));
    p.drawEllipse(QPointF(25.5, 15.5), 1.8, 1.8);
    p.setBrush(QColor(0xff, 0xca, 0x28));
    p.drawEllipse(QPointF(25.5, 21.5), 1.8, 1.8);
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.drawRect(QRectF(23.5, 25, 4, 1.5));
}

QImage render(bool smooth) {
    QImage image(Size, Size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintGlyph(p, smooth);
    p.end();
    return image;
}

// Palette image of an aliased picture: index 0 is transparent, every other colour keeps its
// exact value while there is room, then the nearest colour already in the palette is taken.
QImage toColors256(const QImage& source) {
    QVector<QRgb> table{qRgba(0, 0, 0, 0)};
    QHash<QRgb, int> index;
    QImage out(source.size(), QImage::Format_Indexed8);
    auto nearest = [&table](QRgb c) {
        int best = 1;
        int bestDistance = INT_MAX;
        for (int i = 1; i < table.size(); ++i) {
            const int dr = qRed(c) - qRed(table[i]);
            const int dg = qGreen(c) - qGreen(table[i]);
            const int db = qBlue(c) - qBlue(table[i]);
            const int distance = dr * dr + dg * dg + db * db;
            if (distance < bestDistance) {
                bestDistance = distance;
                best = i;
            }
        }
        return best;
    };
    for (int y = 0; y < source.height(); ++y) {
        uchar* line = out.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            int i = 0;
            if (qAlpha(c) >= 128) {
                const QRgb opaque = c | 0xff000000u;
                i = index.value(opaque, -1);
                if (i < 0) {
                    if (table.size() < 256) {
                        i = int(table.size());
                        table.append(opaque);
                        index.insert(opaque, i);
                    } else {
                        i = nearest(opaque);
                    }
                }
            }
            line[x] = uchar(i); // the palette is set once it is complete
        }
    }
    out.setColorTable(table);
    return out;
}

} // namespace

TOrvikIconImages OrvikIconImages() {
    return {toColors256(render(false)), render(true)};
}

QIcon OrvikIcon() {
    const QImage image = render(true);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(image));
    icon.addPixmap(
        QPixmap::fromImage(image.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    return icon;
}
