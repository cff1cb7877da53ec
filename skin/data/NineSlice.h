#pragma once

#include <QImage>
#include <QMargins>
#include <QRect>

class QPainter;
class TDataSkinObject;

namespace orvik {

// Magenta (red 255, green 0, blue 255) is the see-through colour of every skin picture.
constexpr bool IsSeeThrough(QRgb pixel) {
    return (pixel & 0xFFFFFFu) == 0xFF00FFu;
}

// The picture with every magenta pixel made fully transparent (ARGB32).
QImage MagentaToAlpha(const QImage& source);

// A skin picture prepared for drawing, converted once and kept until the picture changes: the
// opaque form as 32-bit RGB, the see-through form premultiplied with magenta made transparent.
class TPreparedCells {
public:
    const QImage& Get(const QImage& source, bool seeThrough) const;

private:
    mutable qint64 key_[2] = {0, 0};
    mutable QImage prepared_[2];
};

// How the middle of a frame fills the middle of the target.
enum class TCentreFill { Stretch, Tile };

// Fits one frame of a skin picture to a target rectangle in nine parts: the corners are
// copied unscaled, the edges stretched along their length, the centre stretched or, with
// Tile, repeated from its top-left corner. Left and right margins are dropped when the target
// is narrower than both together, top and bottom likewise; margins that do not fit the frame
// itself are cut to it. Scaling is nearest-neighbour. With seeThrough, magenta pixels leave
// the target as it was; otherwise the frame is copied opaque. Nothing is drawn for an empty
// frame or target. cells holds the prepared forms of source.
void DrawNineSlice(QPainter& painter, const TPreparedCells& cells, const QImage& source,
                   const QRect& frame, const QRect& target, const QMargins& margins,
                   TCentreFill fill, bool seeThrough);
// The same for a picture drawn once: it is prepared for this call only.
void DrawNineSlice(QPainter& painter, const QImage& source, const QRect& frame, const QRect& target,
                   const QMargins& margins, TCentreFill fill, bool seeThrough);
// Frame k of an element with the element's margins; see-through when the element's
// transparency flag is 1 or when forced.
void DrawElementCell(QPainter& painter, const TDataSkinObject& element, int k, const QRect& target,
                     TCentreFill fill, bool forceSeeThrough = false);

// Copies one frame whole, centred in the target, magenta see-through.
void DrawGlyphCentred(QPainter& painter, const QImage& source, const QRect& frame,
                      const QRect& target);
// The same from the prepared forms of source (cells), for pictures drawn again and again.
void DrawGlyphCentred(QPainter& painter, const TPreparedCells& cells, const QImage& source,
                      const QRect& frame, const QRect& target);

} // namespace orvik
