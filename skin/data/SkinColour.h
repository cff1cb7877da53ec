#pragma once

#include <QColor>
#include <QPalette>

// A colour as skins write it: red in the low byte, then green, then blue. A value whose high
// byte is 0xFF names a system colour by the index in its low byte; it is resolved against the
// palette of the moment when it is drawn, never when it is read.
using TColor = quint32;

namespace orvik {

// Indexes of the system colours a skin may fall back to.
enum SystemColourIndex : quint8 {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

constexpr TColor SystemColour(quint8 index) {
    return 0xFF000000u | index;
}
constexpr bool IsSystemColour(TColor c) {
    return (c >> 24) == 0xFFu;
}
constexpr TColor RGBColour(int red, int green, int blue) {
    return (quint32(red) & 0xFF) | ((quint32(green) & 0xFF) << 8) | ((quint32(blue) & 0xFF) << 16);
}
constexpr int RedOf(TColor c) {
    return int(c & 0xFF);
}
constexpr int GreenOf(TColor c) {
    return int((c >> 8) & 0xFF);
}
constexpr int BlueOf(TColor c) {
    return int((c >> 16) & 0xFF);
}

constexpr TColor clWhite = RGBColour(255, 255, 255);
constexpr TColor clBlack = RGBColour(0, 0, 0);
constexpr TColor clMagenta = RGBColour(255, 0, 255);

// The palette colour (group and role) that stands for a system colour index.
QColor SystemPaletteColour(quint8 index, const QPalette& palette);
// The colour to draw with: system colours resolved against the palette, the high byte of any
// other value ignored.
QColor ToQColor(TColor c, const QPalette& palette);
// The same against the application's palette (the default palette without an application).
QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
// A system colour turned into its RGB value; other colours unchanged but for the high byte.
TColor ResolveColour(TColor c, const QPalette& palette);
TColor ResolveColour(TColor c);

// Mixes x into y by the share a (per cent below 100, per mille from 100), rounding half up.
TColor Blend(TColor x, TColor y, int a);

} // namespace orvik
