#pragma once

#include "tools/orvik-skingen/Look.h"

#include <QPainterPath>
#include <QRectF>

class QPainter;

// Drawing primitives shared by every picture: bevelled rounded surfaces and small symbols.
namespace skingen {

struct Corners {
    double tl = 0, tr = 0, br = 0, bl = 0;
    Corners() = default;
    Corners(double all) : tl(all), tr(all), br(all), bl(all) {}
    Corners(double t, double b) : tl(t), tr(t), br(b), bl(b) {}
    Corners(double a, double b, double c, double d) : tl(a), tr(b), br(c), bl(d) {}
    Corners shrunk(double by) const;
};

// A rectangle with each corner rounded by its own radius.
QPainterPath roundedPath(const QRectF& r, const Corners& c);

// A surface lit from the top left: 1-pixel outline, vertical fill, gloss on the upper half
// and a bevel of the given depth (reversed for sunken surfaces). r is in pixel units; the
// outline runs along its inside edge.
void drawSurface(QPainter& p, const QRectF& r, const Corners& c, const Surface& s, int bevel,
                 double gloss, const Look& look);

// A surface of any outline: fill, gloss on the upper half and a 1-pixel outline along the
// path (no bevel rings). The path should lie half a pixel inside the picture's edge.
void drawShape(QPainter& p, const QPainterPath& path, const Surface& s, double gloss);

enum class Direction { Left, Right, Up, Down };

// A solid triangle pointing in dir, centred on centre, size pixels from base to tip.
void drawArrow(QPainter& p, const QPointF& centre, Direction dir, double size,
               const QColor& colour);
// A tick mark filling box.
void drawTick(QPainter& p, const QRectF& box, const QColor& colour, double width);
// A diagonal cross filling box.
void drawCross(QPainter& p, const QRectF& box, const QColor& colour, double width);
// Three short grip ridges across the middle of box, each a dark line with a light one beside.
void drawRidges(QPainter& p, const QRectF& box, Qt::Orientation along, const QColor& dark,
                const QColor& light);

} // namespace skingen
