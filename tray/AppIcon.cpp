#include "tray/AppIcon.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <climits>

namespace {

// The art is drawn on a grid of 32 x 32 units.
constexpr int Grid = 32;

// Maps the art's units to the pixels of one size. With fitting on, every edge and line lands
// on whole pixels (a line of odd width on pixel centres), widths and dots never shrink below a
// pixel, so that each size is crisp rather than a blurred scaling of another; without it (the
// scalable picture) the units are kept exactly.
class Fit {
public:
    Fit(qreal scale, bool fit) : s_(scale), fit_(fit) {}

    qreal width(qreal units) const {
        return fit_ ? qMax<qreal>(1, qRound(units * s_)) : units * s_;
    }
    // A stroke's centre line at coordinate units, for a stroke of device width w.
    qreal line(qreal units, qreal w) const {
        if (!fit_)
            return units * s_;
        return qRound(units * s_ - w / 2) + w / 2;
    }
    QPointF point(QPointF units, qreal w) const { return {line(units.x(), w), line(units.y(), w)}; }
    QRectF stroked(QRectF units, qreal w) const {
        const qreal l = line(units.left(), w), t = line(units.top(), w);
        return QRectF(QPointF(l, t), QPointF(line(units.right(), w), line(units.bottom(), w)));
    }
    QRectF filled(QRectF units) const {
        if (!fit_)
            return {units.topLeft() * s_, units.size() * s_};
        const int l = qRound(units.left() * s_), t = qRound(units.top() * s_);
        return QRectF(l, t, qMax(1, qRound(units.right() * s_) - l),
                      qMax(1, qRound(units.bottom() * s_) - t));
    }
    // A round dot of the given radius, at least two pixels across. On the small grids three
    // pixels or less make no circle: such a dot is a square, which reads better there than a
    // blurred cross.
    void drawDot(QPainter& p, QPointF centre, qreal radius) const {
        const QRectF r = dot(centre, radius);
        if (fit_ && s_ < 1 && r.width() <= 3)
            p.drawRect(r);
        else
            p.drawEllipse(r);
    }
    QRectF dot(QPointF centre, qreal radius) const {
        if (!fit_)
            return {(centre - QPointF(radius, radius)) * s_, QSizeF(2 * radius, 2 * radius) * s_};
        const int d = qMax(2, qRound(2 * radius * s_));
        return QRectF(qRound(centre.x() * s_ - d / 2.0), qRound(centre.y() * s_ - d / 2.0), d, d);
    }
    qreal length(qreal units) const {
        return fit_ ? qMax<qreal>(1, qRound(units * s_)) : units * s_;
    }

private:
    qreal s_;
    bool fit_;
};

// The icon, size x size pixels (or the whole painter in 32 units without fitting).
void paintGlyph(QPainter& p, int size, bool smooth, bool fit) {
    p.setRenderHint(QPainter::Antialiasing, smooth);
    const Fit f(fit ? qreal(size) / Grid : 1.0, fit);
    // Below 32 pixels the waves are two instead of three (one below 20), or they would run
    // together.
    const bool small = fit && size < Grid;

    // Antenna.
    const qreal antenna = f.width(1.6);
    p.setPen(QPen(QColor(0x37, 0x47, 0x4f), antenna, Qt::SolidLine, Qt::RoundCap));
    const QPointF root = f.point({16, 9}, antenna);
    p.drawLine(root, f.point({10, 2.5}, antenna));
    p.drawLine(root, f.point({22, 2.5}, antenna));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x8f, 0x00));
    f.drawDot(p, {10, 2.5}, 1.6);
    f.drawDot(p, {22, 2.5}, 1.6);

    // Cabinet.
    const qreal edge = f.width(1.0);
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), edge));
    p.setBrush(QColor(0x45, 0x5a, 0x64));
    const qreal corner = f.length(4);
    p.drawRoundedRect(f.stroked(QRectF(2.5, 8.5, 27, 21), edge), corner, corner);

    // Screen.
    const QRectF screen = f.stroked(QRectF(5.5, 11.5, 16, 15), edge);
    QLinearGradient glass(0, screen.top(), 0, screen.bottom());
    glass.setColorAt(0, QColor(0x81, 0xd4, 0xfa));
    glass.setColorAt(1, QColor(0x02, 0x77, 0xbd));
    p.setPen(QPen(QColor(0x1a, 0x23, 0x27), edge));
    p.setBrush(glass);
    const qreal screenCorner = f.length(2.5);
    p.drawRoundedRect(screen, screenCorner, screenCorner);

    // Radio waves leaving a point on the screen.
    const qreal wave = f.width(1.4);
    const QPointF source = f.point({9.5, 19}, wave);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    f.drawDot(p, {9.5, 19}, 1.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, wave, Qt::SolidLine, Qt::RoundCap));
    // Thin arcs smoothed on a small grid turn to a haze: there they are drawn pixel by pixel.
    p.setRenderHint(QPainter::Antialiasing, smooth && !small);
    const QList<qreal> rings = !small      ? QList<qreal>{3, 6, 9}
                               : size < 20 ? QList<qreal>{7}
                                           : QList<qreal>{4.5, 9};
    for (const qreal ring : rings) {
        const qreal r = f.length(ring);
        p.drawArc(QRectF(source.x() - r, source.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }

    // Knobs, and the speaker slot where there is room for it.
    p.setRenderHint(QPainter::Antialiasing, smooth);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0x8f, 0x00));
    f.drawDot(p, {25.5, 15.5}, 1.8);
    p.setBrush(QColor(0xff, 0xca, 0x28));
    f.drawDot(p, {25.5, 21.5}, 1.8);
    if (!small) {
        p.setBrush(QColor(0x26, 0x32, 0x38));
        p.drawRect(f.filled(QRectF(23.5, 25, 4, 1.5)));
    }
}

QImage render(int size, bool smooth) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paintGlyph(p, size, smooth, true);
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
    return {toColors256(render(Grid, false)), render(Grid, true)};
}

const QList<int>& OrvikIconSizes() {
    static const QList<int> sizes{16, 22, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QImage OrvikIconImage(int size) {
    return render(size, true);
}

void PaintOrvikIcon(QPainter& painter) {
    paintGlyph(painter, Grid, true, false);
}

QIcon OrvikIcon() {
    QIcon icon;
    for (const int size : OrvikIconSizes())
        if (size <= 64)
            icon.addPixmap(QPixmap::fromImage(render(size, true)));
    return icon;
}
