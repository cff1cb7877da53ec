#include "skin/draw/style/ScrollBarStyle.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/PartCells.h"
#include "skin/draw/style/SkinStyle.h"

#include <QAbstractScrollArea>
#include <QChildEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>

namespace orvik::style {

namespace {

constexpr int StandardExtent = 16;
constexpr int FrameWidth = 2;
const QString FollowerName = QStringLiteral("orvik_barfollower");

bool isScrollArea(const QWidget* w) {
    return qobject_cast<const QAbstractScrollArea*>(w) != nullptr;
}

// Follows a scrolling view's bar containers, so that a bar set later gets the skin style too.
class TBarFollower : public QObject {
public:
    TBarFollower(QAbstractScrollArea* area, TSkinStyle* style) : QObject(area), style_(style) {
        setObjectName(FollowerName);
        for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()}) {
            if (!bar)
                continue;
            adopt(bar);
            if (QWidget* container = bar->parentWidget(); container && container != area)
                container->installEventFilter(this);
        }
    }

    void adopt(QScrollBar* bar) {
        if (style_ && bar->style() != style_.data())
            bar->setStyle(style_.data());
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded) {
            if (auto* bar = qobject_cast<QScrollBar*>(static_cast<QChildEvent*>(event)->child()))
                adopt(bar);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<TSkinStyle> style_;
};

} // namespace

int ScrollBarExtent(const TSkinData& skin) {
    const TDataSkinObject* arrows = Usable(skin.Scrollbar());
    if (!arrows)
        return StandardExtent;
    const int h = arrows->FrameHeight();
    return std::abs(h - StandardExtent) > 2 ? StandardExtent : h;
}

TScrollRects ScrollBarRects(const QRect& bar, Qt::Orientation orientation, int minimum, int maximum,
                            int position, int pageStep, bool upsideDown, int minThumb) {
    TScrollRects r;
    const bool h = orientation == Qt::Horizontal;
    const int length = h ? bar.width() : bar.height();
    const int thick = h ? bar.height() : bar.width();
    if (length <= 0 || thick <= 0)
        return r;
    const int arrow = length < 2 * thick ? length / 2 : thick;
    // Along the bar: [0, arrow) first arrow, [arrow, length - arrow) track, then second arrow.
    auto along = [&](int from, int len) {
        return h ? QRect(bar.left() + from, bar.top(), len, thick)
                 : QRect(bar.left(), bar.top() + from, thick, len);
    };
    r.subLine = along(0, arrow);
    r.addLine = along(length - arrow, arrow);
    const int track = length - 2 * arrow;
    r.groove = along(arrow, std::max(0, track));
    if (track <= 0 || maximum < minimum)
        return r;
    const qint64 range = qint64(maximum) - minimum;
    const int page = std::max(0, pageStep);
    int thumb = range + page > 0 ? int(qint64(track) * page / (range + page)) : track;
    thumb = std::clamp(thumb, std::min(std::max(minThumb, 1), track), track);
    if (range == 0)
        thumb = track;
    const int start =
        QStyle::sliderPositionFromValue(minimum, maximum, position, track - thumb, upsideDown);
    r.slider = along(arrow + start, thumb);
    r.subPage = along(arrow, start);
    r.addPage = along(arrow + start + thumb, track - start - thumb);
    return r;
}

namespace {

TScrollRects rectsOf(const QStyleOptionSlider& o, const TSkinData& skin) {
    return ScrollBarRects(o.rect, o.orientation, o.minimum, o.maximum, o.sliderPosition, o.pageStep,
                          o.upsideDown, ScrollBarExtent(skin));
}

} // namespace

bool DrawScrollBarComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    const auto* o = call.as<QStyleOptionSlider>();
    const TDataSkinObject* arrows = Usable(call.skin.Scrollbar());
    if (cc != QStyle::CC_ScrollBar || !o || !arrows || !call.painter)
        return false;
    const bool h = o->orientation == Qt::Horizontal;
    const TDataSkinObject* track = Usable(h ? call.skin.HorzScroll() : call.skin.VertScroll());
    const TDataSkinObject* thumb =
        Usable(h ? call.skin.HorzScrollThumb() : call.skin.VertScrollThumb());
    const TScrollRects r = rectsOf(*o, call.skin);
    QPainter& p = *call.painter;

    p.fillRect(o->rect, ToQColor(call.skin.ButtonFaceColor()));
    if (track)
        DrawElementCell(p, *track, ScrollTrackCell(PartStateOf(o)), r.groove,
                        track->Tile ? TCentreFill::Tile : TCentreFill::Stretch);
    const TPartState sub = PartStateOf(o, QStyle::SC_ScrollBarSubLine);
    const TPartState add = PartStateOf(o, QStyle::SC_ScrollBarAddLine);
    DrawElementCell(p, *arrows, ScrollArrowCell(sub, h, true), r.subLine, TCentreFill::Stretch,
                    true);
    DrawElementCell(p, *arrows, ScrollArrowCell(add, h, false), r.addLine, TCentreFill::Stretch,
                    true);

    if (!r.slider.isEmpty() && o->maximum > o->minimum && (o->state & QStyle::State_Enabled)) {
        const TPartState s = PartStateOf(o, QStyle::SC_ScrollBarSlider);
        if (thumb)
            DrawElementCell(p, *thumb, std::min(ScrollThumbCell(s), thumb->FrameCount), r.slider,
                            thumb->Tile ? TCentreFill::Tile : TCentreFill::Stretch);
        else
            p.fillRect(r.slider, ToQColor(call.skin.ButtonShadowColor()));
        // The grip only on a thumb that leaves room around it.
        const int grip = arrows->FrameHeight();
        const int thumbLength = h ? r.slider.width() : r.slider.height();
        if (thumbLength >= grip + 2) {
            p.save();
            p.setClipRect(r.slider, Qt::IntersectClip);
            DrawGlyphCentred(p, arrows->Cells, arrows->Image,
                             arrows->FrameRect(ScrollGripCell(s, h)), r.slider);
            p.restore();
        }
    }
    return true;
}

bool ScrollBarSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc,
                             const TStyleCall& call, QRect& out) {
    const auto* o = call.as<QStyleOptionSlider>();
    if (cc != QStyle::CC_ScrollBar || !o || !Usable(call.skin.Scrollbar()))
        return false;
    const TScrollRects r = rectsOf(*o, call.skin);
    switch (sc) {
    case QStyle::SC_ScrollBarSubLine:
        out = r.subLine;
        return true;
    case QStyle::SC_ScrollBarAddLine:
        out = r.addLine;
        return true;
    case QStyle::SC_ScrollBarGroove:
        out = r.groove;
        return true;
    case QStyle::SC_ScrollBarSlider:
        out = r.slider;
        return true;
    case QStyle::SC_ScrollBarSubPage:
        out = r.subPage;
        return true;
    case QStyle::SC_ScrollBarAddPage:
        out = r.addPage;
        return true;
    case QStyle::SC_ScrollBarFirst:
    case QStyle::SC_ScrollBarLast:
        out = QRect();
        return true;
    default:
        return false;
    }
}

bool ScrollBarMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out) {
    switch (pm) {
    case QStyle::PM_ScrollBarExtent:
        if (!Usable(call.skin.Scrollbar()))
            return false;
        out = ScrollBarExtent(call.skin);
        return true;
    case QStyle::PM_ScrollBarSliderMin:
        if (!Usable(call.skin.Scrollbar()))
            return false;
        out = ScrollBarExtent(call.skin);
        return true;
    case QStyle::PM_DefaultFrameWidth:
        if (!isScrollArea(call.widget))
            return false;
        out = FrameWidth;
        return true;
    default:
        return false;
    }
}

namespace {

void drawViewFrame(const TStyleCall& call, const QRect& rect) {
    QPainter& p = *call.painter;
    p.save();
    p.setPen(Qt::NoPen);
    const QColor outer = ToQColor(call.skin.ButtonShadowColor());
    const QColor inner = ToQColor(call.skin.ButtonFaceColor());
    const QRegion ring1 = QRegion(rect) - QRegion(rect.adjusted(1, 1, -1, -1));
    const QRegion ring2 =
        QRegion(rect.adjusted(1, 1, -1, -1)) - QRegion(rect.adjusted(2, 2, -2, -2));
    for (const QRect& part : ring1)
        p.fillRect(part, outer);
    for (const QRect& part : ring2)
        p.fillRect(part, inner);
    p.restore();
}

} // namespace

bool DrawScrollAreaPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    if (!call.painter || !call.option)
        return false;
    switch (pe) {
    case QStyle::PE_PanelScrollAreaCorner:
        call.painter->fillRect(call.option->rect, ToQColor(call.skin.ButtonFaceColor()));
        return true;
    case QStyle::PE_Frame:
        if (!isScrollArea(call.widget))
            return false;
        drawViewFrame(call, call.option->rect);
        return true;
    default:
        return false;
    }
}

bool DrawScrollAreaControl(QStyle::ControlElement ce, const TStyleCall& call) {
    const auto* f = call.as<QStyleOptionFrame>();
    if (ce != QStyle::CE_ShapedFrame || !f || !call.painter || !isScrollArea(call.widget))
        return false;
    switch (f->frameShape) {
    case QFrame::NoFrame:
    case QFrame::HLine:
    case QFrame::VLine:
        return false;
    default:
        drawViewFrame(call, f->rect);
        return true;
    }
}

void PolishScrollArea(TSkinStyle& style, QWidget* widget) {
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    if (!area || area->findChild<QObject*>(FollowerName, Qt::FindDirectChildrenOnly))
        return;
    new TBarFollower(area, &style);
}

void UnpolishScrollArea(TSkinStyle& style, QWidget* widget) {
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    if (!area)
        return;
    delete area->findChild<QObject*>(FollowerName, Qt::FindDirectChildrenOnly);
    for (QScrollBar* bar : {area->horizontalScrollBar(), area->verticalScrollBar()})
        if (bar && bar->style() == &style)
            bar->setStyle(nullptr);
}

} // namespace orvik::style
