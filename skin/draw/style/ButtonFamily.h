#pragma once

#include "skin/draw/style/StyleCall.h"

// Push buttons and tool buttons from the Buttons element: the face in the frame of the
// button's state, the caption in the element's text colours ("||" breaks the line), the
// picture of a button that has one placed before the caption, and the focus rectangle.
namespace orvik::style {

bool DrawButtonControl(QStyle::ControlElement ce, const TStyleCall& call);
bool DrawButtonComplex(QStyle::ComplexControl cc, const TStyleCall& call);

// The caption colour of a button shown in frame cell: the element's second colours for the
// normal, hot and pressed frames when the skin gives them, the shadow colour when disabled,
// else the button text colour.
QColor ButtonTextColour(const TSkinData& skin, int cell);

} // namespace orvik::style
