#pragma once

#include "skin/data/SkinColour.h"

#include <QColor>
#include <QPalette>
#include <QString>

class QPainter;
class QRect;
class TDataSkinObject;
class TSkinData;

// What the control families share: the skin's colours as Qt colours, the palette skinned
// windows get, and one way to draw a frame of an element.
namespace orvik::style {

QColor SkinColour(TColor c);
QColor FaceColour(const TSkinData& skin);

// The colours of a skinned window: faces in ButtonFaceColor, text fields and lists in the
// skin's Window colour, text in its text colours, selections in HilightColor and
// HilightTextColor, disabled text in ButtonShadowColor; base gives what the skin does not.
QPalette SkinPalette(const TSkinData& skin, const QPalette& base);

// Frame k of an element fitted to the target by its margins, centre tiled or stretched as the
// element says; see-through by its flag, or when forced.
void DrawCell(QPainter& painter, const TDataSkinObject& element, int k, const QRect& target,
              bool forceSeeThrough = false);

// A caption as a button shows it: "||" breaks the line.
QString ButtonCaption(const QString& text);

} // namespace orvik::style
