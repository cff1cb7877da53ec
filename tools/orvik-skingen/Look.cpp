#include "tools/orvik-skingen/Look.h"

#include "tools/orvik-skingen/Colours.h"

#include <algorithm>

namespace skingen {

namespace {

Surface raised(const QColor& base, const QColor& outline, bool dark, double gloss) {
    const double lift = dark ? 0.06 + 0.10 * gloss : 0.25 + 0.35 * gloss;
    return {{shade(base, lift), shade(base, dark ? -0.06 : -0.05)}, outline, false};
}

// The accent, darkened or lightened until white or black text reads on every part of it.
Surface selectionOf(const QColor& accent, const Surface& base) {
    Surface s = base;
    s.fill = {shade(accent, 0.08), shade(accent, -0.06)};
    const bool lighten = luminance(accent) > 0.35;
    for (int step = 0; step < 12; ++step) {
        const QList<QColor> ground{s.fill.top, s.fill.bottom};
        if (std::max(worstContrast(Qt::white, ground), worstContrast(Qt::black, ground)) >= 4.8)
            break;
        s.fill = {shade(s.fill.top, lighten ? 0.08 : -0.08),
                  shade(s.fill.bottom, lighten ? 0.08 : -0.08)};
    }
    return s;
}

} // namespace

Look makeLook(const SkinParams& p) {
    Look k;
    k.params = p;
    k.dark = luminance(p.face) < 0.18;
    k.radius = std::clamp(p.corner / 2, 1, 4);
    k.face = p.face;
    k.field = p.field;
    k.accent = p.accent;

    k.outline = shade(p.face, k.dark ? -0.55 : -0.42);
    k.light = k.dark ? shade(p.face, 0.22) : QColor(Qt::white);
    k.shadow = shade(p.face, k.dark ? -0.35 : -0.22);
    k.dkShadow = shade(p.face, k.dark ? -0.65 : -0.6);
    k.menu = k.dark ? shade(p.face, 0.07) : mix(p.face, p.field, 0.7);
    k.menubar = p.face;
    k.text = readableOn(p.text, {p.face});

    const double g = p.gloss;
    k.normal = raised(p.face, k.outline, k.dark, g);
    // Hot: a little lighter and tinted towards the accent, with an accent outline.
    const QColor hotBase =
        k.dark ? shade(mix(p.face, p.accent, 0.16), 0.10) : mix(p.face, p.accent, 0.22);
    k.hot = raised(hotBase, mix(k.outline, p.accent, 0.65), k.dark, g);
    const QColor pressedBase = shade(mix(p.face, p.accent, 0.35), k.dark ? -0.12 : -0.10);
    k.pressed = {{shade(pressedBase, -0.08), shade(pressedBase, 0.04)},
                 shade(mix(k.outline, p.accent, 0.5), -0.2),
                 true};
    const QColor disabledBase = mix(p.face, k.dark ? shade(p.face, 0.05) : QColor(Qt::white), 0.3);
    k.disabled = {{disabledBase, disabledBase}, mix(k.outline, p.face, 0.55), false};

    // On dark skins a field's edge is lighter than the face, or it would vanish.
    const QColor fieldEdge = k.dark ? mix(p.face, p.text, 0.28) : k.outline;
    k.fieldNormal = {{shade(p.field, k.dark ? -0.08 : -0.04), p.field}, fieldEdge, true};
    k.fieldHot = {{shade(p.field, k.dark ? -0.04 : -0.02), p.field}, p.accent, true};
    k.fieldDisabled = {
        {mix(p.field, p.face, 0.6), mix(p.field, p.face, 0.6)}, mix(fieldEdge, p.face, 0.55), true};

    k.accentNormal = raised(p.accent, shade(p.accent, -0.4), k.dark, g * 0.7);
    k.accentHot = raised(shade(p.accent, 0.15), shade(p.accent, -0.3), k.dark, g * 0.7);
    k.accentPressed = {
        {shade(p.accent, -0.25), shade(p.accent, -0.1)}, shade(p.accent, -0.5), true};
    const QColor accentGrey = mix(saturate(p.accent, 0.2), p.face, 0.55);
    k.accentDisabled = {{accentGrey, accentGrey}, mix(k.outline, p.face, 0.5), false};
    k.selection = selectionOf(p.accent, k.accentNormal);
    k.hilight = mix(k.selection.fill.top, k.selection.fill.bottom, 0.5);

    k.titleActive = {shade(p.title, 0.10 + 0.22 * g), shade(p.title, -0.12)};
    const QColor calm = mix(saturate(p.title, 0.15), p.face, 0.55);
    k.titleInactive = {shade(calm, 0.05 + 0.12 * g), shade(calm, -0.06)};
    k.frameActive = shade(p.title, -0.12);
    k.frameInactive = shade(calm, -0.06);
    k.outlineActive = shade(p.title, -0.55);
    k.outlineInactive = shade(calm, -0.45);
    k.glyphActive = readableOn(p.text, {k.titleActive.top, k.titleActive.bottom});
    k.glyphInactive =
        mix(readableOn(p.text, {k.titleInactive.top, k.titleInactive.bottom}), calm, 0.25);
    return k;
}

} // namespace skingen
