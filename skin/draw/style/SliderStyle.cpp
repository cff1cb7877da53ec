#include "skin/draw/style/SliderStyle.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/PartCells.h"
#include "skin/draw/style/SkinStyle.h"

#include <QPainter>
#include <QSlider>

#include <algorithm>

namespace orvik::style {

namespace {

constexpr int ChannelThickness = 4;

const TDataSkinObject* thumbOf(const TSkinData& skin, Qt::Orientation o) {
    if (o == Qt::Vertical)
        if (const TDataSkinObject* v = Usable(skin.TrackbarThumbVert()))
            return v;
    return Usable(skin.TrackbarThumbHorz());
}

const TDataSkinObject* channelOf(const TSkinData& skin, Qt::Orientation o) {
    if (o == Qt::Vertical)
        if (const TDataSkinObject* v = Usable(skin.TrackVert()))
            return v;
    return Usable(skin.Track());
}

// The thumb's length along the bar and its thickness across it.
QSize thumbSize(const TSkinData& skin, Qt::Orientation o) {
    const TDataSkinObject* t = thumbOf(skin, o);
    QSize s = t ? t->FrameSize() : QSize(11, 20);
    // A horizontal thumb picture used on a vertical bar lies across it.
    if (o == Qt::Vertical && t && t == Usable(skin.TrackbarThumbVert()))
        s.transpose();
    return s;
}

int channelThickness(const TSkinData& skin, Qt::Orientation o) {
    const TDataSkinObject* c = channelOf(skin, o);
    if (!c)
        return ChannelThickness;
    const bool turned = o == Qt::Vertical && c == Usable(skin.TrackVert());
    return turned ? c->FrameWidth() : c->FrameHeight();
}

int tickSide(const QStyleOptionSlider& o) {
    switch (o.tickPosition) {
    case QSlider::TicksAbove: // also TicksLeft
        return -1;
    case QSlider::TicksBelow: // also TicksRight
        return 1;
    default:
        return 0;
    }
}

TSliderRects rectsOf(const QStyleOptionSlider& o, const TSkinData& skin) {
    return SliderRects(o.rect, o.orientation, o.minimum, o.maximum, o.sliderPosition, o.upsideDown,
                       thumbSize(skin, o.orientation), channelThickness(skin, o.orientation),
                       tickSide(o));
}

} // namespace

TSliderRects SliderRects(const QRect& bar, Qt::Orientation orientation, int minimum, int maximum,
                         int position, bool upsideDown, QSize thumbSize, int channelThickness,
                         int ticks) {
    TSliderRects r;
    const bool h = orientation == Qt::Horizontal;
    const int length = h ? bar.width() : bar.height();
    const int thick = h ? bar.height() : bar.width();
    if (length <= 0 || thick <= 0)
        return r;
    const int tl = std::min(thumbSize.width(), length);
    const int tt = std::min(thumbSize.height(), thick);
    // Qt counts a vertical bar's values from the bottom unless it is upside down.
    const bool reversed = h ? upsideDown : !upsideDown;
    const int start =
        maximum > minimum
            ? QStyle::sliderPositionFromValue(minimum, maximum, position, length - tl, reversed)
            : 0;
    const int across = ticks > 0 ? 0 : ticks < 0 ? thick - tt : (thick - tt) / 2;
    const int ct = std::min(channelThickness, thick);
    const int channelAcross = across + (tt - ct) / 2;
    const int channelLength = std::max(0, length - tl);
    if (h) {
        r.thumb = QRect(bar.left() + start, bar.top() + across, tl, tt);
        r.channel = QRect(bar.left() + tl / 2, bar.top() + channelAcross, channelLength, ct);
    } else {
        r.thumb = QRect(bar.left() + across, bar.top() + start, tt, tl);
        r.channel = QRect(bar.left() + channelAcross, bar.top() + tl / 2, ct, channelLength);
    }
    return r;
}

bool DrawSliderComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    const auto* o = call.as<QStyleOptionSlider>();
    if (cc != QStyle::CC_Slider || !o || !call.painter)
        return false;
    QPainter& p = *call.painter;
    const TSliderRects r = rectsOf(*o, call.skin);

    if (o->subControls & QStyle::SC_SliderTickmarks) {
        QStyleOptionSlider ticks(*o);
        ticks.subControls = QStyle::SC_SliderTickmarks;
        call.style.FusionComplex(cc, &ticks, &p, call.widget);
    }
    if (o->subControls & QStyle::SC_SliderGroove) {
        if (const TDataSkinObject* c = channelOf(call.skin, o->orientation)) {
            // Start and end copied as they are, the middle stretched.
            const bool h = o->orientation == Qt::Horizontal;
            const QMargins along = h ? QMargins(c->LeftWidth, 0, c->RightWidth, 0)
                                     : QMargins(0, c->TopHeight, 0, c->BottomHeight);
            DrawNineSlice(p, c->Cells, c->Image, c->FrameRect(1), r.channel, along,
                          TCentreFill::Stretch, c->Trans == 1);
        }
    }
    if (o->subControls & QStyle::SC_SliderHandle) {
        if (const TDataSkinObject* t = thumbOf(call.skin, o->orientation)) {
            const TPartState s = PartStateOf(o, QStyle::SC_SliderHandle);
            const int cell = std::min(SliderThumbCell(s), t->FrameCount);
            DrawNineSlice(p, t->Cells, t->Image, t->FrameRect(cell), r.thumb, QMargins(),
                          TCentreFill::Stretch, true);
        } else {
            p.fillRect(r.thumb, ToQColor(call.skin.ButtonShadowColor()));
        }
    }
    return true;
}

bool SliderSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc, const TStyleCall& call,
                          QRect& out) {
    const auto* o = call.as<QStyleOptionSlider>();
    if (cc != QStyle::CC_Slider || !o)
        return false;
    const TSliderRects r = rectsOf(*o, call.skin);
    switch (sc) {
    case QStyle::SC_SliderHandle:
        out = r.thumb;
        return true;
    case QStyle::SC_SliderGroove:
        out = o->rect;
        return true;
    default:
        return false;
    }
}

bool SliderMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out) {
    const auto* o = call.as<QStyleOptionSlider>();
    const Qt::Orientation orientation = o ? o->orientation : Qt::Horizontal;
    switch (pm) {
    case QStyle::PM_SliderLength:
        out = thumbSize(call.skin, orientation).width();
        return true;
    case QStyle::PM_SliderControlThickness:
    case QStyle::PM_SliderThickness:
        out = thumbSize(call.skin, orientation).height();
        return true;
    default:
        return false;
    }
}

} // namespace orvik::style
