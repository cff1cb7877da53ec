#pragma once

#include "skin/draw/style/StyleCall.h"

// Combo boxes: the whole control drawn with the ComboButton strip (a box with its button on the
// right and a see-through interior), the mirrored SunkEdge strip right to left; the interior in
// the field colour, the current text in the text colour. Without a ComboButton picture the
// control keeps the system look.
namespace orvik::style {

bool DrawComboComplex(QStyle::ComplexControl cc, const TStyleCall& call);
bool DrawComboControl(QStyle::ControlElement ce, const TStyleCall& call);
bool ComboSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc, const TStyleCall& call,
                         QRect& out);

} // namespace orvik::style
