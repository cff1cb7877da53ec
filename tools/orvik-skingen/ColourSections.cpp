// The palette, the colour table and every text colour of the skin. Text colours are chosen
// once all pictures exist, from the very pixels each text is drawn over.
#include "tools/orvik-skingen/Colours.h"
#include "tools/orvik-skingen/SkinBuild.h"

namespace skingen {

namespace {

QList<QColor> joined(const SkinBuild& skin, std::initializer_list<const char*> roles) {
    QList<QColor> all;
    for (const char* role : roles)
        all += skin.grounds(role);
    return all;
}

// A colour on the line from the face towards ink that stands apart from every background by
// about ratio: dim enough to read as disabled, still clearly visible.
QColor dimmed(const QColor& ink, const QColor& face, const QList<QColor>& backgrounds,
              double ratio) {
    for (int step = 1; step <= 50; ++step) {
        const QColor c = mix(face, ink, step / 50.0);
        if (worstContrast(c, backgrounds) >= ratio)
            return c;
    }
    return ink;
}

} // namespace

void buildColours(SkinBuild& skin) {
    const Look& look = skin.look();
    const QColor pref = look.params.text;
    skin.addGround(ground::Face, look.face);

    // The text colour for a role: the preferred one moved just far enough to read on every
    // pixel it may be drawn over; a role where no colour reaches the rule is a problem.
    auto pick = [&skin](const char* what, const QColor& preferred, const QList<QColor>& grounds) {
        const QColor c = readableOn(preferred, grounds);
        if (worstContrast(c, grounds) < 4.5)
            skin.problem(QStringLiteral("no %1 colour is readable on its pictures (best %2:1)")
                             .arg(QLatin1String(what))
                             .arg(worstContrast(c, grounds), 0, 'f', 2));
        return c;
    };
    skin.addGround(ground::MenuSelected, look.hilight);
    skin.addGround(ground::MenuBar, look.menubar);
    const QColor windowText = pick("WindowText", pref, skin.grounds(ground::Face));
    const QColor buttonText = pick(
        "ButtonText", pref,
        joined(skin, {ground::Button, ground::ButtonHot, ground::ButtonPressed, ground::Face}));
    const QColor normalText = pick("button text", pref, skin.grounds(ground::Button));
    const QColor hotText = pick("hot button text", pref, skin.grounds(ground::ButtonHot));
    const QColor pressedText =
        pick("pressed button text", pref, skin.grounds(ground::ButtonPressed));
    const QColor menuText = pick("MenuText", pref, skin.grounds(ground::Menu));
    const QColor hilightText = pick("HilightText", Qt::white, skin.grounds(ground::MenuSelected));
    const QColor menuBarText = pick("MenuBarText", pref, skin.grounds(ground::MenuBar));
    const QColor titleActive =
        pick("TitleTextActive", look.glyphActive, skin.grounds(ground::TitleActive));
    const QColor titleInactive =
        pick("TitleTextNoActive", look.glyphInactive, skin.grounds(ground::TitleInactive));
    const QColor tabText = pick("tab text", pref, skin.grounds(ground::Tab));
    const QColor headerText = pick("header text", pref, skin.grounds(ground::Header));
    const QColor headerHot = pick("hot header text", pref, skin.grounds(ground::HeaderHot));
    const QColor headerPressed =
        pick("pressed header text", pref, skin.grounds(ground::HeaderPressed));
    const QColor statusText = pick("status bar text", pref, skin.grounds(ground::Status));
    const QColor groupText = pick("group box text", pref, skin.grounds(ground::GroupLabel));
    // Disabled text needs no full contrast, but it has to stay visible on menus and forms.
    const QColor disabled = dimmed(menuText, look.menu, {look.menu, look.face}, 2.6);
    const QColor scrollbar = mix(look.face, look.dark ? QColor(Qt::black) : look.shadow, 0.25);

    Section& c = skin.section(QStringLiteral("Colours"));
    c.setColour(QStringLiteral("WindowText"), windowText);
    c.setColour(QStringLiteral("ButtonFace"), look.face);
    c.setColour(QStringLiteral("Scrollbar"), scrollbar);
    c.setColour(QStringLiteral("HilightText"), hilightText);
    c.setColour(QStringLiteral("Hilight"), look.hilight);
    c.setColour(QStringLiteral("Menubar"), look.menubar);
    c.setColour(QStringLiteral("Menu"), look.menu);
    c.setColour(QStringLiteral("MenuText"), menuText);
    c.setColour(QStringLiteral("ButtonText"), buttonText);
    c.setColour(QStringLiteral("ButtonHilight"), look.light);
    c.setColour(QStringLiteral("Buttonlight"), mix(look.light, look.face, 0.5));
    c.setColour(QStringLiteral("ButtonShadow"), disabled);
    c.setColour(QStringLiteral("ButtonDkShadow"), look.dkShadow);
    c.setColour(QStringLiteral("MenuBarText"), menuBarText);
    c.setColour(QStringLiteral("TitleTextActive"), titleActive);
    c.setColour(QStringLiteral("TitleTextNoActive"), titleInactive);
    // Not read by the skin engine: the background of text fields and lists, for palettes
    // built from the skin.
    c.setColour(QStringLiteral("Window"), look.field);

    // The colour table: text for normal, hot and pressed states, then accent and face.
    const QColor table[] = {normalText, hotText, pressedText, look.accent, look.face, hilightText};
    for (int i = 0; i < int(std::size(table)); ++i)
        skin.section(QStringLiteral("Colour%1").arg(i))
            .setColour(QStringLiteral("color"), table[i]);

    Section& custom = skin.section(QStringLiteral("Customcolors"));
    const QColor customs[] = {look.accent,
                              shade(look.accent, 0.3),
                              shade(look.accent, -0.3),
                              look.params.title,
                              look.face,
                              look.field,
                              windowText,
                              look.menu,
                              hilightText,
                              scrollbar};
    for (int i = 0; i < 10; ++i)
        custom.setColour(QStringLiteral("Color%1").arg(i), customs[i]);

    Section& pers = skin.section(QStringLiteral("Personality"));
    auto rgb = [&pers](const QString& name, const QColor& col) {
        pers.set(name + QStringLiteral("R"), col.red());
        pers.set(name + QStringLiteral("G"), col.green());
        pers.set(name + QStringLiteral("B"), col.blue());
    };
    rgb(QStringLiteral("ActiveText"), titleActive);
    rgb(QStringLiteral("InActiveText"), titleInactive);

    auto stateColours = [&skin](const QString& section, const QColor& normal, const QColor& hot,
                                const QColor& pressed) {
        Section& s = skin.section(section);
        s.set(QStringLiteral("NormalColour"), 0);
        s.set(QStringLiteral("MouseOverColour"), 1);
        s.set(QStringLiteral("PressedColour"), 2);
        s.setColour(QStringLiteral("NormalColour2"), normal);
        s.setColour(QStringLiteral("MouseOverColour2"), hot);
        s.setColour(QStringLiteral("PressedColour2"), pressed);
    };
    stateColours(QStringLiteral("Buttons"), normalText, hotText, pressedText);
    stateColours(QStringLiteral("Tabs"), tabText, tabText, tabText);
    stateColours(QStringLiteral("Headerbar"), headerText, headerHot, headerPressed);
    skin.section(QStringLiteral("StatusBarEdges"))
        .setColour(QStringLiteral("NormalColour2"), statusText);
    skin.section(QStringLiteral("GroupBox")).setColour(QStringLiteral("NormalColour2"), groupText);
}

} // namespace skingen
