#pragma once

#include "skin/draw/style/StyleCall.h"

// Check boxes and radio buttons: the glyph from the Buttons element's CheckImage or
// RadioImage, in the frame of the state (4 or 12 check frames, 4 or 8 radio frames); the
// caption beside it is the common label in the skin palette's text colour, mirrored with the
// control's direction.
namespace orvik::style {

bool DrawCheckPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool CheckMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out);

} // namespace orvik::style
