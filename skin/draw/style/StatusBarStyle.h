#pragma once

#include "skin/draw/style/StyleCall.h"

class QWidget;

// Status bars: the face colour behind everything, one StatusBarEdges frame over a bar without
// panels, a frame per panel by its bevel (the panel widget's "Bevel" property: "raised",
// "none", else lowered), the texts in the element's colour, and the size grip from the fifth
// frame of ExtraImages.
namespace orvik::style {

bool DrawStatusBarPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call);
bool DrawStatusBarControl(QStyle::ControlElement ce, const TStyleCall& call);
// The bar's texts take the element's colour; its own palette comes back when the style goes.
void PolishStatusBar(TSkinStyle& style, QWidget* widget);
void UnpolishStatusBar(TSkinStyle& style, QWidget* widget);

} // namespace orvik::style
