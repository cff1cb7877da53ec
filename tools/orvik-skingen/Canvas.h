#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

// Pictures are painted with antialiasing on transparent layers and then flattened to the
// 24-bit form a skin carries: opaque colours, and magenta where the picture is see-through.
namespace skingen {

inline const QColor Magenta(255, 0, 255);

// A transparent layer to paint on.
QImage newLayer(int width, int height);
// Pixels covered less than half become magenta; the others are blended over the matte (the
// colour the picture will usually sit on, so that soft edges match it) and made opaque.
QImage flatten(const QImage& layer, const QColor& matte);
// The same with a matte picture of the layer's size.
QImage flatten(const QImage& layer, const QImage& matte);
// Every pixel blended over bg; no magenta at all.
QImage opaque(const QImage& layer, const QColor& bg);
// Frames of equal size joined side by side (horizontal) or stacked (vertical).
QImage joinFrames(const QList<QImage>& frames, Qt::Orientation orientation);
// A Windows BMP file, 24 bits per pixel, bottom-up rows padded to four bytes.
QByteArray encodeBmp24(const QImage& image);

} // namespace skingen
