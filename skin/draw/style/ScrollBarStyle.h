#pragma once

#include "skin/draw/style/StyleCall.h"

#include <QRect>

class QWidget;

// Scroll bars of every scrolling view, the corner square between two bars, and the two-pixel
// frame around a scrolling view: arrows, thumb grips from the Scrollbar strip, the track from
// HorzScroll or VertScroll, the thumb from HorzScrollThumb or VertScrollThumb.
namespace orvik::style {

// The parts of a scroll bar, in the bar's own coordinates.
struct TScrollRects {
    QRect subLine, addLine; // the left/up and right/down arrow buttons
    QRect groove;           // the track between the arrows
    QRect slider;           // the thumb; empty when the range is empty
    QRect subPage, addPage; // the track before and after the thumb
};

// Places the parts of a bar of the given rectangle: arrow buttons as long as the bar is thick
// (half the bar each when it is shorter than two), the thumb as long as the page's share of
// the track and never shorter than minThumb (nor longer than the track).
TScrollRects ScrollBarRects(const QRect& bar, Qt::Orientation orientation, int minimum, int maximum,
                            int position, int pageStep, bool upsideDown, int minThumb);

// The thickness of a skinned bar: the arrow strip's height, or the standard 16 pixels when
// the two differ by more than 2.
int ScrollBarExtent(const TSkinData& skin);

bool DrawScrollBarComplex(QStyle::ComplexControl cc, const TStyleCall& call);
bool ScrollBarSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc,
                             const TStyleCall& call, QRect& out);
bool ScrollBarMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out);
// The corner square (PE_PanelScrollAreaCorner) and the frame of a scrolling view (PE_Frame,
// CE_ShapedFrame on a scroll area).
bool DrawScrollAreaPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool DrawScrollAreaControl(QStyle::ControlElement ce, const TStyleCall& call);
// A scrolling view keeps skinned bars when its bars are replaced: the style follows new bars.
void PolishScrollArea(TSkinStyle& style, QWidget* widget);
void UnpolishScrollArea(TSkinStyle& style, QWidget* widget);

} // namespace orvik::style
