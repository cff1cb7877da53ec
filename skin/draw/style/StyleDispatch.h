#pragma once

#include "skin/draw/style/StyleCall.h"

class TSkinStyle;

// The switches of the skin style: every element goes to the function of its control family.
// A family that is not listed for an element, or that answers false, leaves it to Fusion.
namespace orvik::style {

bool DispatchPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool DispatchControl(QStyle::ControlElement ce, const TStyleCall& call);
bool DispatchComplex(QStyle::ComplexControl cc, const TStyleCall& call);
bool DispatchSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc,
                            const TStyleCall& call, QRect& out);
bool DispatchSubElementRect(QStyle::SubElement se, const TStyleCall& call, QRect& out);
bool DispatchMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out);
bool DispatchContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                          QSize& out);
bool DispatchStyleHint(QStyle::StyleHint sh, const TStyleCall& call, int& out);

// Called when the style is set on a widget and taken from it (after and before Fusion's own).
void PolishWidget(TSkinStyle& style, QWidget* widget);
void UnpolishWidget(TSkinStyle& style, QWidget* widget);

} // namespace orvik::style
