#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>

class QPainter;

namespace orvik {

// The picture with every magenta pixel made fully transparent (ARGB32).
QImage MagentaToAlpha(const QImage& source);

// Fits one frame of a skin picture to a target rectangle, nine parts: the corners are copied
// unscaled, the edges stretched along their length, the centre stretched or, with tile, repeated
// from its top-left corner. Left and right margins are dropped when the target is narrower than
// both together, top and bottom likewise. Scaling is nearest-neighbour. With transparent,
// magenta pixels of the source leave the target as it was; otherwise the frame is copied opaque.
// Margins that do not fit the frame itself are cut to it; nothing is drawn for an empty frame.
void DrawSkinFrame(QPainter& painter, const QImage& source, const QRect& frame, const QRect& target,
                   const QMargins& margins, bool tile, bool transparent);

// Copies one frame whole, centred in the target, magenta transparent.
void DrawGlyphCentred(QPainter& painter, const QImage& source, const QRect& frame,
                      const QRect& target);

} // namespace orvik
