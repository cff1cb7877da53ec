#pragma once

#include <QColor>
#include <QList>

// Colour arithmetic for the skin generator: mixing, shading and the contrast rule that keeps
// every text colour readable on the pictures it is drawn over.
namespace skingen {

// Linear blend: t = 0 gives a, t = 1 gives b.
QColor mix(const QColor& a, const QColor& b, double t);
// Positive amounts move towards white, negative towards black (-1 .. 1).
QColor shade(const QColor& c, double amount);
// The same colour with its saturation scaled by factor.
QColor saturate(const QColor& c, double factor);
// Relative luminance (0 .. 1) of an sRGB colour.
double luminance(const QColor& c);
// Contrast ratio (1 .. 21) between two colours.
double contrast(const QColor& a, const QColor& b);
// The lowest contrast of fg against any colour in backgrounds.
double worstContrast(const QColor& fg, const QList<QColor>& backgrounds);
// preferred when it reaches target against every background; otherwise preferred moved the
// least distance towards white or black until it does.
QColor readableOn(const QColor& preferred, const QList<QColor>& backgrounds, double target = 4.6);

} // namespace skingen
