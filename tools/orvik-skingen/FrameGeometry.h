#pragma once

#include "tools/orvik-skingen/Look.h"

// The measures of the window frame a skin's border parts are cut from, and where the caption
// text and the caption buttons go on its title bar.
namespace skingen {

struct FrameGeometry {
    int title = 26;       // title bar height
    int side = 4;         // left and right border width
    int bottom = 4;       // bottom border height
    int corner = 6;       // top corner radius
    int bottomCorner = 0; // bottom corner radius
    int footRows = 4;     // unstretched rows at the foot of the side borders
    int margin = 24;      // unstretched ends of the top and bottom parts (window coordinates)
    int width = 56;       // the sample window the parts are cut from
    int height = 48;
    int buttonW = 20, buttonH = 18, buttonY = 4;
    int plateCap = 10; // width of each rounded end of the caption text plate
};

FrameGeometry geometryFor(const Look& look);

enum class CaptionRole { Close, Maximise, Minimise, SystemMenu };

// The Align code and Xcoord of a caption button. On the edges: the system menu (0) counted
// from the left, the others (1) from the right. Around the text: the system menu (2) before
// it, minimise and maximise (3) after it, close (9) set a little apart after them.
struct ButtonPlace {
    int align = 0;
    int xcoord = 0;
};
ButtonPlace buttonPlace(const Look& look, const FrameGeometry& g, CaptionRole role);

// The caption text keys: the text shift and the right clip are the room the caption buttons
// need at either end of the title bar; centred text keeps the same room at both ends so that
// it stays clear of the buttons for as long as it fits between them.
struct CaptionText {
    int shift = 0;
    int rightClip = 0;
    int alignment = 0; // 0 left, 1 centred
};
CaptionText captionText(const Look& look, const FrameGeometry& g);

} // namespace skingen
