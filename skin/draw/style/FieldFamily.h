#pragma once

#include "skin/draw/style/StyleCall.h"

// Edits, memos and spin boxes: the 3-D border replaced by a flat one (an outer line in the
// shadow colour, two lines in the field's own colour inside it), and the spin buttons from the
// UpDown pictures with their arrows, pressed from the press to the release.
namespace orvik::style {

bool DrawFieldPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool DrawFieldControl(QStyle::ControlElement ce, const TStyleCall& call);
bool DrawFieldComplex(QStyle::ComplexControl cc, const TStyleCall& call);

// The flat border around r, the field filled with its colour when fill is set.
void DrawFlatField(QPainter& painter, const TSkinData& skin, const QRect& r, const QColor& field,
                   bool fill);

} // namespace orvik::style
