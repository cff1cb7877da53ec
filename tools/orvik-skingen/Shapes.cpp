#include "tools/orvik-skingen/Shapes.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace skingen {

Corners Corners::shrunk(double by) const {
    auto s = [by](double v) { return std::max(0.0, v - by); };
    return {s(tl), s(tr), s(br), s(bl)};
}

QPainterPath roundedPath(const QRectF& r, const Corners& c) {
    QPainterPath path;
    path.moveTo(r.left() + c.tl, r.top());
    path.lineTo(r.right() - c.tr, r.top());
    if (c.tr > 0)
        path.arcTo(r.right() - 2 * c.tr, r.top(), 2 * c.tr, 2 * c.tr, 90, -90);
    path.lineTo(r.right(), r.bottom() - c.br);
    if (c.br > 0)
        path.arcTo(r.right() - 2 * c.br, r.bottom() - 2 * c.br, 2 * c.br, 2 * c.br, 0, -90);
    path.lineTo(r.left() + c.bl, r.bottom());
    if (c.bl > 0)
        path.arcTo(r.left(), r.bottom() - 2 * c.bl, 2 * c.bl, 2 * c.bl, 270, -90);
    path.lineTo(r.left(), r.top() + c.tl);
    if (c.tl > 0)
        path.arcTo(r.left(), r.top(), 2 * c.tl, 2 * c.tl, 180, -90);
    path.closeSubpath();
    return path;
}

void drawSurface(QPainter& p, const QRectF& r, const Corners& c, const Surface& s, int bevel,
                 double gloss, const Look& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath body = roundedPath(r, c);

    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, s.fill.top);
    fill.setColorAt(1, s.fill.bottom);
    p.fillPath(body, fill);

    if (!s.sunken && gloss > 0 && s.fill.top != s.fill.bottom) {
        // A soft sheen over the upper half, strongest at the top edge.
        p.save();
        p.setClipPath(body);
        QLinearGradient sheen(r.topLeft(), QPointF(r.left(), r.center().y()));
        sheen.setColorAt(0, QColor(255, 255, 255, int(90 * gloss)));
        sheen.setColorAt(1, QColor(255, 255, 255, int(25 * gloss)));
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2), sheen);
        p.restore();
    }

    // Bevel rings just inside the outline: lit at the top left, shaded at the bottom right.
    const QColor lightEdge = look.dark ? QColor(255, 255, 255, 60) : QColor(255, 255, 255, 200);
    const QColor darkEdge = look.dark ? QColor(0, 0, 0, 110) : QColor(0, 0, 0, 45);
    for (int i = 0; i < bevel; ++i) {
        const double inset = 1.5 + i;
        const QRectF ring = r.adjusted(inset, inset, -inset, -inset);
        if (ring.width() <= 1 || ring.height() <= 1)
            break;
        QLinearGradient edge(ring.topLeft(), ring.bottomRight());
        const QColor first = s.sunken ? darkEdge : lightEdge;
        const QColor last = s.sunken ? lightEdge : darkEdge;
        const double fade = 1.0 - 0.35 * i;
        auto faded = [fade](QColor col) {
            col.setAlphaF(col.alphaF() * fade);
            return col;
        };
        edge.setColorAt(0, faded(first));
        edge.setColorAt(0.45, Qt::transparent);
        edge.setColorAt(0.55, Qt::transparent);
        edge.setColorAt(1, faded(last));
        p.setPen(QPen(QBrush(edge), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedPath(ring, c.shrunk(inset)));
    }

    p.setPen(QPen(s.outline, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedPath(r.adjusted(0.5, 0.5, -0.5, -0.5), c.shrunk(0.5)));
    p.restore();
}

void drawShape(QPainter& p, const QPainterPath& path, const Surface& s, double gloss) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = path.boundingRect();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, s.fill.top);
    fill.setColorAt(1, s.fill.bottom);
    p.fillPath(path, fill);
    if (!s.sunken && gloss > 0 && s.fill.top != s.fill.bottom) {
        p.setClipPath(path);
        QLinearGradient sheen(r.topLeft(), QPointF(r.left(), r.center().y()));
        sheen.setColorAt(0, QColor(255, 255, 255, int(90 * gloss)));
        sheen.setColorAt(1, QColor(255, 255, 255, int(25 * gloss)));
        p.fillRect(QRectF(r.left(), r.top(), r.width(), r.height() / 2), sheen);
        p.setClipping(false);
    }
    p.setPen(QPen(s.outline, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void drawArrow(QPainter& p, const QPointF& centre, Direction dir, double size,
               const QColor& colour) {
    const double h = size / 2.0; // from centre to tip and to base
    const double w = size;       // half of the base length
    QPolygonF tri;
    switch (dir) {
    case Direction::Up:
        tri << QPointF(centre.x(), centre.y() - h) << QPointF(centre.x() + w, centre.y() + h)
            << QPointF(centre.x() - w, centre.y() + h);
        break;
    case Direction::Down:
        tri << QPointF(centre.x(), centre.y() + h) << QPointF(centre.x() - w, centre.y() - h)
            << QPointF(centre.x() + w, centre.y() - h);
        break;
    case Direction::Left:
        tri << QPointF(centre.x() - h, centre.y()) << QPointF(centre.x() + h, centre.y() - w)
            << QPointF(centre.x() + h, centre.y() + w);
        break;
    case Direction::Right:
        tri << QPointF(centre.x() + h, centre.y()) << QPointF(centre.x() - h, centre.y() + w)
            << QPointF(centre.x() - h, centre.y() - w);
        break;
    }
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(tri);
    p.restore();
}

void drawTick(QPainter& p, const QRectF& box, const QColor& colour, double width) {
    QPainterPath tick;
    tick.moveTo(box.left(), box.top() + box.height() * 0.55);
    tick.lineTo(box.left() + box.width() * 0.38, box.bottom());
    tick.lineTo(box.right(), box.top());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    p.restore();
}

void drawCross(QPainter& p, const QRectF& box, const QColor& colour, double width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(box.topLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomLeft());
    p.restore();
}

void drawRidges(QPainter& p, const QRectF& box, Qt::Orientation along, const QColor& dark,
                const QColor& light) {
    // Ridges run across the thumb: vertical lines on a horizontal thumb and the other way round.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPointF c = box.center();
    const int half = int((along == Qt::Horizontal ? box.height() : box.width()) / 2) - 1;
    for (int i = -1; i <= 1; ++i) {
        const int off = i * 3;
        if (along == Qt::Horizontal) {
            const int x = int(c.x()) + off - 1;
            p.fillRect(QRect(x, int(c.y()) - half + 1, 1, 2 * half - 1), dark);
            p.fillRect(QRect(x + 1, int(c.y()) - half + 1, 1, 2 * half - 1), light);
        } else {
            const int y = int(c.y()) + off - 1;
            p.fillRect(QRect(int(c.x()) - half + 1, y, 2 * half - 1, 1), dark);
            p.fillRect(QRect(int(c.x()) - half + 1, y + 1, 2 * half - 1, 1), light);
        }
    }
    p.restore();
}

} // namespace skingen
