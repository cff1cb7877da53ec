#include "skin/data/SkinColour.h"

#include <QGuiApplication>

namespace orvik {

QColor SystemPaletteColour(quint8 index, const QPalette& palette) {
    using P = QPalette;
    switch (index) {
    case COLOR_SCROLLBAR:
    case COLOR_3DLIGHT:
        return palette.color(P::Active, P::Midlight);
    case COLOR_BACKGROUND:
    case COLOR_BTNSHADOW:
        return palette.color(P::Active, P::Dark);
    case COLOR_ACTIVECAPTION:
    case COLOR_HIGHLIGHT:
    case COLOR_GRADIENTACTIVECAPTION:
    case COLOR_MENUHILIGHT:
        return palette.color(P::Active, P::Highlight);
    case COLOR_INACTIVECAPTION:
    case COLOR_APPWORKSPACE:
    case COLOR_GRADIENTINACTIVECAPTION:
        return palette.color(P::Active, P::Mid);
    case COLOR_WINDOW:
        return palette.color(P::Active, P::Base);
    case COLOR_WINDOWFRAME:
    case COLOR_3DDKSHADOW:
        return palette.color(P::Active, P::Shadow);
    case COLOR_MENUTEXT:
        return palette.color(P::Active, P::WindowText);
    case COLOR_WINDOWTEXT:
        return palette.color(P::Active, P::Text);
    case COLOR_CAPTIONTEXT:
    case COLOR_HIGHLIGHTTEXT:
        return palette.color(P::Active, P::HighlightedText);
    case COLOR_BTNFACE:
        return palette.color(P::Active, P::Button);
    case COLOR_GRAYTEXT:
    case COLOR_INACTIVECAPTIONTEXT:
        return palette.color(P::Disabled, P::WindowText);
    case COLOR_BTNTEXT:
        return palette.color(P::Active, P::ButtonText);
    case COLOR_BTNHIGHLIGHT:
        return palette.color(P::Active, P::Light);
    case COLOR_INFOTEXT:
        return palette.color(P::Active, P::ToolTipText);
    case COLOR_INFOBK:
        return palette.color(P::Active, P::ToolTipBase);
    case COLOR_HOTLIGHT:
        return palette.color(P::Active, P::Link);
    default: // menus, borders, menu bar and unknown indexes
        return palette.color(P::Active, P::Window);
    }
}

static QPalette applicationPalette() {
    return qGuiApp ? QGuiApplication::palette() : QPalette();
}

QColor ToQColor(TColor c, const QPalette& palette) {
    if (IsSystemColour(c))
        return SystemPaletteColour(quint8(c & 0xFF), palette);
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QColor ToQColor(TColor c) {
    if (!IsSystemColour(c))
        return QColor(RedOf(c), GreenOf(c), BlueOf(c));
    return ToQColor(c, applicationPalette());
}

TColor FromQColor(const QColor& c) {
    const QColor rgb = c.toRgb();
    return RGBColour(rgb.red(), rgb.green(), rgb.blue());
}

TColor ResolveColour(TColor c, const QPalette& palette) {
    return FromQColor(ToQColor(c, palette));
}

TColor ResolveColour(TColor c) {
    return IsSystemColour(c) ? ResolveColour(c, applicationPalette()) : (c & 0xFFFFFFu);
}

TColor Blend(TColor x, TColor y, int a) {
    x = ResolveColour(x);
    y = ResolveColour(y);
    const int d = a < 100 ? 100 : 1000;
    auto mix = [&](int cx, int cy) { return (a * cx + (d - a) * cy + d / 2) / d; };
    return RGBColour(mix(RedOf(x), RedOf(y)), mix(GreenOf(x), GreenOf(y)),
                     mix(BlueOf(x), BlueOf(y)));
}

} // namespace orvik
