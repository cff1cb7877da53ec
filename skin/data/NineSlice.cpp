#include "skin/data/NineSlice.h"

#include "skin/data/SkinObjects.h"

#include <QPainter>

#include <algorithm>

namespace orvik {

QImage MagentaToAlpha(const QImage& source) {
    QImage out = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            if (IsSeeThrough(line[x]))
                line[x] = 0;
        }
    }
    return out;
}

const QImage& TPreparedCells::Get(const QImage& source, bool seeThrough) const {
    const int i = seeThrough ? 1 : 0;
    if (source.isNull()) {
        prepared_[i] = QImage();
        key_[i] = 0;
        return prepared_[i];
    }
    if (key_[i] != source.cacheKey() || prepared_[i].isNull()) {
        prepared_[i] =
            seeThrough ? MagentaToAlpha(source).convertToFormat(QImage::Format_ARGB32_Premultiplied)
                       : source.convertToFormat(QImage::Format_RGB32);
        key_[i] = source.cacheKey();
    }
    return prepared_[i];
}

namespace {

void drawStretched(QPainter& painter, const QImage& src, const QRect& from, const QRect& to) {
    if (from.isEmpty() || to.isEmpty())
        return;
    painter.drawImage(to, src, from);
}

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

void drawPrepared(QPainter& painter, const QImage& src, const QRect& frame, const QRect& target,
                  const QMargins& margins, TCentreFill fill, bool seeThrough) {
    const QRect f = frame.intersected(src.rect());
    if (f.isEmpty() || target.isEmpty())
        return;
    const int sw = f.width();
    const int sh = f.height();

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

    const int fx = f.left();
    const int fy = f.top();
    const int x0 = target.left();
    const int y0 = target.top();
    const int tw = target.width();
    const int th = target.height();
    const int scw = sw - l - r; // source centre
    const int sch = sh - t - b;
    const int tcw = tw - l - r; // target centre
    const int tch = th - t - b;
    auto s = [fx, fy](int x, int y, int w, int h) { return QRect(fx + x, fy + y, w, h); };

    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(seeThrough ? QPainter::CompositionMode_SourceOver
                                          : QPainter::CompositionMode_Source);
    // corners
    drawStretched(painter, src, s(0, 0, l, t), QRect(x0, y0, l, t));
    drawStretched(painter, src, s(sw - r, 0, r, t), QRect(x0 + tw - r, y0, r, t));
    drawStretched(painter, src, s(0, sh - b, l, b), QRect(x0, y0 + th - b, l, b));
    drawStretched(painter, src, s(sw - r, sh - b, r, b), QRect(x0 + tw - r, y0 + th - b, r, b));
    // edges
    drawStretched(painter, src, s(l, 0, scw, t), QRect(x0 + l, y0, tcw, t));
    drawStretched(painter, src, s(l, sh - b, scw, b), QRect(x0 + l, y0 + th - b, tcw, b));
    drawStretched(painter, src, s(0, t, l, sch), QRect(x0, y0 + t, l, tch));
    drawStretched(painter, src, s(sw - r, t, r, sch), QRect(x0 + tw - r, y0 + t, r, tch));
    // centre
    const QRect centreFrom = s(l, t, scw, sch);
    const QRect centreTo(x0 + l, y0 + t, tcw, tch);
    if (fill == TCentreFill::Tile)
        drawTiled(painter, src, centreFrom, centreTo);
    else
        drawStretched(painter, src, centreFrom, centreTo);
    painter.restore();
}

} // namespace

void DrawNineSlice(QPainter& painter, const TPreparedCells& cells, const QImage& source,
                   const QRect& frame, const QRect& target, const QMargins& margins,
                   TCentreFill fill, bool seeThrough) {
    if (source.isNull())
        return;
    drawPrepared(painter, cells.Get(source, seeThrough), frame, target, margins, fill, seeThrough);
}

void DrawNineSlice(QPainter& painter, const QImage& source, const QRect& frame, const QRect& target,
                   const QMargins& margins, TCentreFill fill, bool seeThrough) {
    const TPreparedCells once;
    DrawNineSlice(painter, once, source, frame, target, margins, fill, seeThrough);
}

void DrawElementCell(QPainter& painter, const TDataSkinObject& element, int k, const QRect& target,
                     TCentreFill fill, bool forceSeeThrough) {
    DrawNineSlice(painter, element.Cells, element.Image, element.FrameRect(k), target,
                  element.Margins(), fill, forceSeeThrough || element.Trans == 1);
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

void DrawGlyphCentred(QPainter& painter, const TPreparedCells& cells, const QImage& source,
                      const QRect& frame, const QRect& target) {
    const QRect f = frame.intersected(source.rect());
    if (f.isEmpty() || target.isEmpty())
        return;
    const QPoint at(target.left() + (target.width() - f.width()) / 2,
                    target.top() + (target.height() - f.height()) / 2);
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(at, cells.Get(source, true), f);
    painter.restore();
}

} // namespace orvik
