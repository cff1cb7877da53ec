#include "skin/draw/style/ProgressStyle.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/PartCells.h"
#include "skin/draw/style/SkinStyle.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace orvik::style {

namespace {

double luminance(const QColor& c) {
    auto lin = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.red()) + 0.7152 * lin(c.green()) + 0.0722 * lin(c.blue());
}

const TDataSkinBorder* progressOf(const TSkinData& skin) {
    const TDataSkinBorder* e = skin.Progress();
    return Usable(e) ? e : nullptr;
}

bool skinnable(const QStyleOptionProgressBar* o) {
    return o && (o->state & QStyle::State_Horizontal) && o->maximum > o->minimum;
}

// The middle pixel of a frame: what the text of a bar sits on.
QColor middleOf(const TDataSkinObject& e, int k, const QColor& fallback) {
    const QRect f = e.FrameRect(k);
    if (f.isEmpty())
        return fallback;
    const QRgb px = e.Image.pixel(f.center());
    return IsSeeThrough(px) ? fallback : QColor(px);
}

void drawBar(const TStyleCall& call, const TDataSkinBorder& e, const QRect& filled) {
    QPainter& p = *call.painter;
    if (e.FrameCount >= progresscell::Bar) {
        DrawElementCell(p, e, progresscell::Bar, filled,
                        e.Tile ? TCentreFill::Tile : TCentreFill::Stretch);
        return;
    }
    if (const TDataSkinObject* chunk = Usable(call.skin.ProgressChunk())) {
        p.save();
        p.setClipRect(filled, Qt::IntersectClip);
        const int w = std::max(1, chunk->FrameWidth());
        for (int x = filled.left(); x <= filled.right(); x += w)
            DrawElementCell(p, *chunk, 1, QRect(x, filled.top(), w, filled.height()),
                            TCentreFill::Stretch);
        p.restore();
        return;
    }
    p.fillRect(filled, ToQColor(call.skin.HilightColor()));
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& background, std::initializer_list<QColor> candidates) {
    QColor best = Qt::black;
    double bestRatio = -1;
    for (const QColor& c : candidates) {
        const double r = ContrastRatio(c, background);
        if (r > bestRatio + 1e-9) {
            best = c;
            bestRatio = r;
        }
    }
    return best;
}

QRect ProgressFilled(const QRect& bar, int minimum, int maximum, int progress, bool inverted) {
    if (maximum <= minimum || bar.isEmpty())
        return {};
    const qint64 done =
        std::clamp<qint64>(qint64(progress) - minimum, 0, qint64(maximum) - minimum);
    const int w = int(done * bar.width() / (qint64(maximum) - minimum));
    return inverted ? QRect(bar.right() - w + 1, bar.top(), w, bar.height())
                    : QRect(bar.left(), bar.top(), w, bar.height());
}

bool DrawProgressControl(QStyle::ControlElement ce, const TStyleCall& call) {
    const auto* o = call.as<QStyleOptionProgressBar>();
    const TDataSkinBorder* e = progressOf(call.skin);
    if (!e || !skinnable(o) || !call.painter)
        return false;
    QPainter& p = *call.painter;
    const QRect filled =
        ProgressFilled(o->rect, o->minimum, o->maximum, o->progress, o->invertedAppearance);
    switch (ce) {
    case QStyle::CE_ProgressBarGroove:
        p.fillRect(o->rect, ToQColor(call.skin.ButtonFaceColor()));
        DrawElementCell(p, *e, progresscell::Trough, o->rect,
                        e->Tile ? TCentreFill::Tile : TCentreFill::Stretch);
        return true;
    case QStyle::CE_ProgressBarContents:
        if (!filled.isEmpty())
            drawBar(call, *e, filled);
        return true;
    case QStyle::CE_ProgressBarLabel: {
        if (!o->textVisible || o->text.isEmpty())
            return true;
        const QColor face = ToQColor(call.skin.ButtonFaceColor());
        const QColor trough = middleOf(*e, progresscell::Trough, face);
        const QColor bar = e->FrameCount >= progresscell::Bar
                               ? middleOf(*e, progresscell::Bar, face)
                               : ToQColor(call.skin.HilightColor());
        const std::initializer_list<QColor> inks = {ToQColor(call.skin.ButtonTextColor()),
                                                    ToQColor(call.skin.HilightTextColor()),
                                                    QColor(Qt::black), QColor(Qt::white)};
        const int align = Qt::AlignCenter | Qt::TextSingleLine;
        p.save();
        p.setClipRegion(QRegion(o->rect) - QRegion(filled), Qt::IntersectClip);
        p.setPen(ReadableOn(trough, inks));
        p.drawText(o->rect, align, o->text);
        p.restore();
        if (!filled.isEmpty()) {
            p.save();
            p.setClipRect(filled, Qt::IntersectClip);
            p.setPen(ReadableOn(bar, inks));
            p.drawText(o->rect, align, o->text);
            p.restore();
        }
        return true;
    }
    default:
        return false;
    }
}

} // namespace orvik::style
