#pragma once

#include "skin/draw/style/StyleCall.h"

// Group boxes: the outline from GroupBoxEdge (its second frame when disabled) and the caption
// on the GroupBox label picture, in the label's text colour, all on the face colour.
class TDataSkinBoxLabel;

namespace orvik::style {

bool DrawGroupComplex(QStyle::ComplexControl cc, const TStyleCall& call);
// Where the label picture lies behind a caption whose text takes the rectangle text.
QRect GroupLabelBack(const TDataSkinBoxLabel& label, const QRect& text);

} // namespace orvik::style
