#include "tools/orvik-skingen/FrameGeometry.h"

#include "skin/data/SkinCells.h"

#include <algorithm>

namespace skingen {

namespace {

constexpr int ButtonGap = 2; // between caption buttons of one group
constexpr int EdgeGap = 3;   // between a border and the caption button next to it
constexpr int TextGap = 4;   // between the caption text (with its plate) and a button

bool around(const Look& look) {
    return look.params.captionButtons == SkinParams::CaptionButtons::Around;
}

// Where each button sits around the text: its distance from the text's end.
int besideText(const FrameGeometry& g, CaptionRole role) {
    const int step = g.buttonW + ButtonGap;
    switch (role) {
    case CaptionRole::SystemMenu:
    case CaptionRole::Minimise:
        return TextGap;
    case CaptionRole::Maximise:
        return TextGap + step;
    case CaptionRole::Close:
        return TextGap + 2 * step + TextGap;
    }
    return TextGap;
}

} // namespace

FrameGeometry geometryFor(const Look& look) {
    const SkinParams& p = look.params;
    FrameGeometry g;
    g.title = p.titleHeight;
    g.side = p.border;
    g.bottom = p.border;
    g.corner = p.corner;
    g.bottomCorner = p.bottomCorner;
    // The side borders keep the bottom curve whole, not stretched.
    g.footRows = std::max(g.bottom, g.bottomCorner);
    g.margin = std::max({g.corner, g.bottomCorner, 8}) + 12;
    g.width = 2 * g.margin + 8;
    g.height = g.title + 12 + g.footRows;
    // Buttons fill the bar up to a comfortable size; a taller bar gets more air around them.
    g.buttonH = std::min(g.title - 8, 20);
    g.buttonW = g.buttonH + 2;
    g.buttonY = (g.title - g.buttonH) / 2;
    g.plateCap = (g.buttonH - 1) / 2 + 2;
    return g;
}

ButtonPlace buttonPlace(const Look& look, const FrameGeometry& g, CaptionRole role) {
    namespace align = orvik::align;
    if (around(look)) {
        const int a = role == CaptionRole::SystemMenu ? align::BeforeText
                      : role == CaptionRole::Close    ? align::AfterTextAlt
                                                      : align::AfterText;
        return {a, besideText(g, role)};
    }
    if (role == CaptionRole::SystemMenu)
        return {align::FromLeft, g.side + EdgeGap};
    const int slot = role == CaptionRole::Close ? 1 : role == CaptionRole::Maximise ? 2 : 3;
    return {align::FromRight, g.side + slot * (g.buttonW + ButtonGap)};
}

CaptionText captionText(const Look& look, const FrameGeometry& g) {
    const int left = g.side + EdgeGap + g.buttonW + TextGap;
    const int right = around(look)
                          ? besideText(g, CaptionRole::Close) + g.buttonW + EdgeGap + g.side
                          : 3 * (g.buttonW + ButtonGap) + g.side + 8;
    if (look.params.captionAlign == SkinParams::CaptionAlign::Centre) {
        const int room = std::max(left, right);
        return {room, room, 1};
    }
    return {left, right, 0};
}

} // namespace skingen
