#pragma once

// Reading a loaded skin's pictures the way its text is drawn on them: the colours of a frame's
// centre, WCAG contrast, and how far two frames differ.

#include "skin/data/SkinColour.h"
#include "skin/data/SkinObjects.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>

namespace skintest {

// The part of frame k that the nine-part drawing stretches: the frame less the margins.
QRect centreOf(const TDataSkinObject& e, int k);
// Every distinct colour inside area, magenta excluded.
QList<QColor> coloursIn(const QImage& image, const QRect& area);

double luminance(const QColor& c);
double contrast(const QColor& a, const QColor& b);
// The lowest contrast of ink against any of the colours; 21 for an empty list.
double worstContrast(const QColor& ink, const QList<QColor>& grounds);
// A skin colour as RGB (skins of this program never leave text colours to the system).
QColor rgbOf(TColor c);

// Mean over all pixels of the largest channel difference between two equal-sized frames.
double meanDifference(const QImage& image, const QRect& a, const QRect& b);
// Mean luminance of the pixels in area, magenta excluded.
double meanLuminance(const QImage& image, const QRect& area);

} // namespace skintest
