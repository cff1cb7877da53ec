#pragma once

#include "tools/orvik-skingen/SkinParams.h"

#include <QColor>

// The full set of shades a skin is painted with, derived from its parameter set. Light falls
// from the top left throughout: highlights on top and left edges, shadows on bottom and right.
namespace skingen {

struct Gradient {
    QColor top, bottom;
};

// The look of a bevelled surface in one state.
struct Surface {
    Gradient fill;
    QColor outline;
    bool sunken = false; // pressed surfaces take their light from below
};

struct Look {
    SkinParams params;
    bool dark = false;
    int radius = 3; // corner radius of controls

    QColor face, field, accent, text;
    QColor outline, light, shadow, dkShadow;
    QColor menu, menubar;
    QColor hilight;

    Surface normal, hot, pressed, disabled;
    Surface fieldNormal, fieldHot, fieldDisabled;
    Surface accentNormal, accentHot, accentPressed, accentDisabled;
    Surface selection; // selected menu items and list rows: white or black text reads on it

    Gradient titleActive, titleInactive;
    QColor frameActive, frameInactive;     // border colour around the client area
    QColor outlineActive, outlineInactive; // outermost window line
    QColor glyphActive, glyphInactive;     // caption button symbols
};

Look makeLook(const SkinParams& params);

} // namespace skingen
