#pragma once

#include "skin/data/SkinColour.h"
#include "skin/data/SkinObjects.h"

#include <QImage>

#include <memory>

// The pictures a skin load makes itself instead of taking them from the package.
namespace orvik {

// A 24-bit copy mirrored left to right: pixel x of the copy is pixel width - 1 - x.
QImage MirroredCopy(const QImage& image);

// Replaces the pictures of the sunken edge and the combo button with ready-made combo box
// strips, 50 x 21 per frame, interior transparent: the combo button gets the box with its
// button on the right, the sunken edge the mirrored one. arrowWidth is the width of a scroll
// bar arrow; extra, when there is one, gives the drop-down arrow.
void BuildComboComposite(TDataSkinObject& sunkEdge, TDataSkinObject& comboButton,
                         const TDataSkinObject* extra, int arrowWidth);

// The saturation of a colour on a 0 to 255 scale, 200 for a colour without any bright channel.
int ToolbarSaturation(TColor face);
// The top and bottom colours of the toolbar background from the window frame's colour.
TColor ToolbarTopColour(TColor buttonFace);
TColor ToolbarBottomColour(TColor frameColour);
// The colour the toolbar background is matched to: a pixel of the top window border, or the
// button face colour without a border picture.
TColor ToolbarFrameColour(const TDataSkinObject& topBorder, TColor buttonFace);
// 10 x 40, one solid row per pixel row, from top to bottom.
QImage VerticalGradient(TColor top, TColor bottom, int width = 10, int height = 40);
std::unique_ptr<TDataSkinObject> BuildToolbarBack(const TDataSkinObject& topBorder,
                                                  TColor buttonFace);

// A picture of the program: "TRACK", "TRACKVERT" or "MENUGLYPHS", as 32-bit RGB.
QImage BuiltInPicture(const QString& name);
// Track or TrackVert: margins 3, stretched, one frame.
std::unique_ptr<TDataSkinObject> BuildTrackElement(const QString& name);

} // namespace orvik
