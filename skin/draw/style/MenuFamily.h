#pragma once

#include "skin/draw/style/StyleCall.h"

// The menu family of the skin style: the menu bar of a skinned window (its band and items) and
// its popup menus (background, border, items), drawn and measured from the skin's menu
// pictures. A menu is the family's when its companion (TMenuSkin) names a skin; a call without
// a widget (a hand-made option) is painted with the style's skin.
namespace orvik::style {

bool DrawMenuPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool DrawMenuControl(QStyle::ControlElement ce, const TStyleCall& call);
bool MenuMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out);
bool MenuContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                      QSize& out);
bool MenuStyleHint(QStyle::StyleHint sh, const TStyleCall& call, int& out);

} // namespace orvik::style
