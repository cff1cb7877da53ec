#include "skin/draw/style/StyleKit.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"

#include <QPainter>

namespace orvik::style {

QColor SkinColour(TColor c) {
    return ToQColor(c);
}

QColor FaceColour(const TSkinData& skin) {
    return ToQColor(skin.ButtonFaceColor());
}

QPalette SkinPalette(const TSkinData& skin, const QPalette& base) {
    QPalette p = base;
    const QColor face = SkinColour(skin.ButtonFaceColor());
    const QColor text = SkinColour(skin.WindowTextColor());
    const QColor buttonText = SkinColour(skin.ButtonTextColor());
    const QColor field = SkinColour(skin.WindowColor());
    const QColor shadow = SkinColour(skin.ButtonShadowColor());
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, face);
        p.setColor(g, QPalette::Button, face);
        p.setColor(g, QPalette::Base, field);
        p.setColor(g, QPalette::AlternateBase, field);
        p.setColor(g, QPalette::Light, SkinColour(skin.ButtonHilightColor()));
        p.setColor(g, QPalette::Midlight, SkinColour(skin.ButtonLightColor()));
        p.setColor(g, QPalette::Mid, shadow);
        p.setColor(g, QPalette::Dark, shadow);
        p.setColor(g, QPalette::Shadow, SkinColour(skin.ButtonDkShadowColor()));
        p.setColor(g, QPalette::Highlight, SkinColour(skin.HilightColor()));
        p.setColor(g, QPalette::HighlightedText, SkinColour(skin.HilightTextColor()));
        const bool disabled = g == QPalette::Disabled;
        p.setColor(g, QPalette::WindowText, disabled ? shadow : text);
        p.setColor(g, QPalette::Text, disabled ? shadow : text);
        p.setColor(g, QPalette::ButtonText, disabled ? shadow : buttonText);
        QColor placeholder = text;
        placeholder.setAlpha(128);
        p.setColor(g, QPalette::PlaceholderText, placeholder);
    }
    return p;
}

void DrawCell(QPainter& painter, const TDataSkinObject& element, int k, const QRect& target,
              bool forceSeeThrough) {
    DrawElementCell(painter, element, k, target,
                    element.Tile == 1 ? TCentreFill::Tile : TCentreFill::Stretch, forceSeeThrough);
}

QString ButtonCaption(const QString& text) {
    QString out = text;
    out.replace(QStringLiteral("||"), QStringLiteral("\n"));
    return out;
}

} // namespace orvik::style
