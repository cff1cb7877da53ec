#pragma once

#include "skin/draw/style/StyleCall.h"

#include <QRect>

// Track bars (the volume slider): the thumb from the Trackbar pictures (ThumbVert for vertical
// bars when the skin has it, else ThumbHorz), the channel in three parts from Track or
// TrackVert; without a thumb picture the thumb is a rectangle in the shadow colour. Tick marks
// stay Fusion's.
namespace orvik::style {

// The thumb and the channel of a bar, in the bar's coordinates: the thumb (thumbSize along and
// across the bar) at the position of value; the channel runs between the thumb's centres at
// the ends, channelThickness across, centred on the thumb. With tick marks on one side only
// (ticks -1 above or left, 1 below or right, else 0) the thumb keeps to the other side.
struct TSliderRects {
    QRect thumb;
    QRect channel;
};
TSliderRects SliderRects(const QRect& bar, Qt::Orientation orientation, int minimum, int maximum,
                         int position, bool upsideDown, QSize thumbSize, int channelThickness,
                         int ticks = 0);

bool DrawSliderComplex(QStyle::ComplexControl cc, const TStyleCall& call);
bool SliderSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc, const TStyleCall& call,
                          QRect& out);
bool SliderMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out);

} // namespace orvik::style
