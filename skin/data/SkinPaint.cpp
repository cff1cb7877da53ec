#include "skin/data/SkinPaint.h"

#include <QPainter>

#include <algorithm>

namespace orvik {

QImage MagentaToAlpha(const QImage& source) {
    QImage out = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if ((line[x] & 0xFFFFFFu) == 0xFF00FFu)
                line[x] = 0;
        }
    }
    return out;
}

namespace {

void drawTiled(QPainter& painter, const QImage& src, const QRect& from, const QRect& to) {
    if (from.isEmpty() || to.isEmpty())
        return;
    painter.save();
    painter.setClipRect(to, Qt::IntersectClip);
    for (int y = to.top(); y <= to.bottom(); y += from.height()) {
        for (int x = to.left(); x <= to.right(); x += from.width())
            painter.drawImage(QPoint(x, y), src, from);
    }
    painter.restore();
}

void drawStretched(QPainter& painter, const QImage& src, const QRect& from, const QRect& to) {
    if (from.isEmpty() || to.isEmpty())
        return;
    painter.drawImage(to, src, from);
}

} // namespace

void DrawSkinFrame(QPainter& painter, const QImage& source, const QRect& frame, const QRect& target,
                   const QMargins& margins, bool tile, bool transparent) {
    const QRect f = frame.intersected(source.rect());
    if (f.isEmpty() || target.isEmpty())
        return;
    const QImage src = transparent ? MagentaToAlpha(source.copy(f)) : source.copy(f);
    const int sw = src.width();
    const int sh = src.height();

    int l = std::max(0, margins.left());
    int r = std::max(0, margins.right());
    int t = std::max(0, margins.top());
    int b = std::max(0, margins.bottom());
    if (target.width() < l + r)
        l = r = 0;
    if (target.height() < t + b)
        t = b = 0;
    // A margin wider than the frame itself is cut to what the frame holds.
    l = std::min(l, sw);
    r = std::min(r, sw - l);
    t = std::min(t, sh);
    b = std::min(b, sh - t);

    const int x0 = target.left();
    const int y0 = target.top();
    const int tw = target.width();
    const int th = target.height();
    const int scw = sw - l - r; // source centre
    const int sch = sh - t - b;
    const int tcw = tw - l - r; // target centre
    const int tch = th - t - b;

    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(transparent ? QPainter::CompositionMode_SourceOver
                                           : QPainter::CompositionMode_Source);
    // corners
    drawStretched(painter, src, QRect(0, 0, l, t), QRect(x0, y0, l, t));
    drawStretched(painter, src, QRect(sw - r, 0, r, t), QRect(x0 + tw - r, y0, r, t));
    drawStretched(painter, src, QRect(0, sh - b, l, b), QRect(x0, y0 + th - b, l, b));
    drawStretched(painter, src, QRect(sw - r, sh - b, r, b), QRect(x0 + tw - r, y0 + th - b, r, b));
    // edges
    drawStretched(painter, src, QRect(l, 0, scw, t), QRect(x0 + l, y0, tcw, t));
    drawStretched(painter, src, QRect(l, sh - b, scw, b), QRect(x0 + l, y0 + th - b, tcw, b));
    drawStretched(painter, src, QRect(0, t, l, sch), QRect(x0, y0 + t, l, tch));
    drawStretched(painter, src, QRect(sw - r, t, r, sch), QRect(x0 + tw - r, y0 + t, r, tch));
    // centre
    const QRect centreFrom(l, t, scw, sch);
    const QRect centreTo(x0 + l, y0 + t, tcw, tch);
    if (tile)
        drawTiled(painter, src, centreFrom, centreTo);
    else
        drawStretched(painter, src, centreFrom, centreTo);
    painter.restore();
}

void DrawGlyphCentred(QPainter& painter, const QImage& source, const QRect& frame,
                      const QRect& target) {
    const QRect f = frame.intersected(source.rect());
    if (f.isEmpty() || target.isEmpty())
        return;
    const QImage glyph = MagentaToAlpha(source.copy(f));
    const QPoint at(target.left() + (target.width() - glyph.width()) / 2,
                    target.top() + (target.height() - glyph.height()) / 2);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(at, glyph);
    painter.restore();
}

} // namespace orvik
