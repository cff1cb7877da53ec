#include "skin/draw/FrameOutline.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"

#include <QHash>
#include <QPainter>

#include <vector>

namespace orvik {

namespace {

using Runs = std::vector<std::pair<int, int>>; // [first, last] columns of one row

// The non-magenta pixels of one border part as painted at target, added as banded
// rectangles: rows with the same runs are joined into one band.
void addPart(const TDataSkinBorder& part, bool active, const QRect& target,
             std::vector<QRect>& rects) {
    QImage painted(target.size(), QImage::Format_RGB32);
    painted.fill(Qt::magenta);
    {
        QPainter p(&painted);
        const int k = active || part.FrameCount < 2 ? windowcell::Active : windowcell::Inactive;
        // Drawn opaque, so that its magenta pixels stay in the picture to be found.
        DrawNineSlice(p, part.Cells, part.Image, part.FrameRect(k),
                      QRect(QPoint(0, 0), target.size()), part.Margins(),
                      part.Tile == 1 ? TCentreFill::Stretch : TCentreFill::Tile, false);
    }
    Runs previous, current;
    int bandTop = 0;
    auto flush = [&](int bottom) {
        for (const auto& [a, b] : previous)
            rects.emplace_back(QPoint(target.left() + a, target.top() + bandTop),
                               QPoint(target.left() + b, target.top() + bottom));
    };
    for (int y = 0; y < painted.height(); ++y) {
        current.clear();
        const auto* line = reinterpret_cast<const QRgb*>(painted.constScanLine(y));
        int start = -1;
        for (int x = 0; x < painted.width(); ++x) {
            const bool solid = !IsSeeThrough(line[x]);
            if (solid && start < 0)
                start = x;
            else if (!solid && start >= 0) {
                current.emplace_back(start, x - 1);
                start = -1;
            }
        }
        if (start >= 0)
            current.emplace_back(start, painted.width() - 1);
        if (y == 0 || current != previous) {
            if (y > 0)
                flush(y - 1);
            previous.swap(current);
            bandTop = y;
        }
    }
    if (painted.height() > 0)
        flush(painted.height() - 1);
}

QRegion partRegion(const TDataSkinBorder& part, bool active, const QRect& target) {
    if (target.isEmpty())
        return {};
    if (part.Trans != 1 || !part.HasImage())
        return QRegion(target);
    std::vector<QRect> rects;
    addPart(part, active, target, rects);
    QRegion r;
    if (!rects.empty())
        r.setRects(rects.data(), int(rects.size()));
    return r;
}

} // namespace

QRegion FrameOutline(const TSkinData& skin, const TFrameState& s) {
    const QRect all(QPoint(0, 0), s.size);
    if (s.size.isEmpty())
        return {};
    if (s.kind == TBorderKind::None || skin.Loading())
        return QRegion(all);
    const TDataSkinBorder *left = skin.Left(), *right = skin.Right(), *top = skin.Top(),
                          *bottom = skin.Bottom();
    if (left->Trans != 1 && right->Trans != 1 && top->Trans != 1 && bottom->Trans != 1)
        return QRegion(all);
    const TBorderSizes b = BorderSizes(skin, s.kind);
    const int w = s.size.width(), h = s.size.height();
    QRegion region(all.adjusted(b.left, b.title, -b.right, -b.bottom));
    region += partRegion(*left, s.active, QRect(0, 0, b.left, h));
    region += partRegion(*right, s.active, QRect(w - b.right, 0, b.right, h));
    region += partRegion(*top, s.active, QRect(b.left, 0, w - b.left - b.right, b.title));
    region +=
        partRegion(*bottom, s.active, QRect(b.left, h - b.bottom, w - b.left - b.right, b.bottom));
    return region;
}

namespace {

quint64 bordersKey(const TSkinData& skin) {
    quint64 key = 0;
    for (const TDataSkinBorder* part : {skin.Left(), skin.Right(), skin.Top(), skin.Bottom()}) {
        key = key * 1000003u ^ quint64(part->Image.cacheKey());
        key = key * 31u ^ quint64(part->Trans) ^ (quint64(part->Tile) << 8) ^
              (quint64(qHash(part->Margins().left() * 7 + part->Margins().right() * 13 +
                             part->Margins().top() * 17 + part->Margins().bottom() * 19))
               << 16);
    }
    return key;
}

} // namespace

const QRegion& TOutlineCache::Get(const TSkinData& skin, const TFrameState& s) {
    const quint64 key = skin.Loading() ? 0 : bordersKey(skin);
    rebuilt_ = s.size != size_ || int(s.kind) != kind_ || s.active != active_ || key != key_;
    if (rebuilt_) {
        region_ = FrameOutline(skin, s);
        size_ = s.size;
        kind_ = int(s.kind);
        active_ = s.active;
        key_ = key;
    }
    return region_;
}

void TOutlineCache::Clear() {
    region_ = QRegion();
    size_ = QSize();
    kind_ = -1;
    key_ = 0;
    rebuilt_ = false;
}

} // namespace orvik
