#pragma once

#include "skin/draw/style/StyleCall.h"

class QWidget;

// Column headers of lists and trees: every section a Headerbar frame (the section under the
// mouse hot, a held one pressed), the space after the last section the normal frame, the
// captions in the Headerbar element's colours. Without a Headerbar picture Fusion draws them.
namespace orvik::style {

bool DrawHeaderControl(QStyle::ControlElement ce, const TStyleCall& call);
// Headers follow the mouse so that the hot section moves with it.
void PolishHeader(TSkinStyle& style, QWidget* widget);

} // namespace orvik::style
