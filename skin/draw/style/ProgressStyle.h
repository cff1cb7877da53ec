#pragma once

#include "skin/draw/style/StyleCall.h"

#include <QColor>
#include <QRect>

// Progress bars (the loading window): the trough from the first frame of Progress, the bar
// from its second frame or, for a picture of one frame, from Progress.Chunk repeated; the
// percentage in a colour that reads on what lies under it. Without a Progress picture, and
// for vertical or busy bars, Fusion draws them.
namespace orvik::style {

// The filled part of a bar of the given rectangle: the share of the range, from the right when
// inverted; empty for an empty range.
QRect ProgressFilled(const QRect& bar, int minimum, int maximum, int progress, bool inverted);

// Of the candidate text colours, the one with the highest contrast against the background.
QColor ReadableOn(const QColor& background, std::initializer_list<QColor> candidates);
// The contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

bool DrawProgressControl(QStyle::ControlElement ce, const TStyleCall& call);

} // namespace orvik::style
