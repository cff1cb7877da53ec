#pragma once

#include "skin/draw/style/StyleCall.h"

// List and tree views: the selected items in the skin's selection colours (the item text comes
// from the skin palette the window carries).
namespace orvik::style {

bool DrawViewPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);

} // namespace orvik::style
