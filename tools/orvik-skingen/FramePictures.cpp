// The window frame: the four borders with rounded corners, the caption text plate, the
// caption buttons, the child-window buttons and the menu bar.
#include "skin/data/SkinCells.h"
#include "tools/orvik-skingen/Canvas.h"
#include "tools/orvik-skingen/Colours.h"
#include "tools/orvik-skingen/FrameGeometry.h"
#include "tools/orvik-skingen/Shapes.h"
#include "tools/orvik-skingen/SkinBuild.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace skingen {

namespace {

constexpr int MenuHeight = 20;

const Gradient& titleOf(const Look& look, bool active) {
    return active ? look.titleActive : look.titleInactive;
}

// The title bar background alone, full width, as the buttons and the text plate sit on it.
QImage titleBand(const Look& look, const FrameGeometry& g, bool active, int width) {
    QImage band = newLayer(width, g.title);
    QPainter p(&band);
    const Gradient& t = titleOf(look, active);
    QLinearGradient fill(0, 0, 0, g.title);
    fill.setColorAt(0, t.top);
    fill.setColorAt(1, t.bottom);
    p.fillRect(band.rect(), fill);
    // Gloss: the upper half of the bar catches the light.
    const double gloss = active ? look.params.gloss : 0.0;
    if (gloss > 0) {
        QLinearGradient sheen(0, 0, 0, g.title / 2.0);
        sheen.setColorAt(0, QColor(255, 255, 255, int(70 * gloss)));
        sheen.setColorAt(1, QColor(255, 255, 255, int(20 * gloss)));
        p.fillRect(QRect(0, 0, width, g.title / 2), sheen);
    }
    // An active bar may carry an accent line; a dark line under the bar separates it from
    // the menu bar.
    const int line = active ? look.params.titleLine : 0;
    if (line > 0)
        p.fillRect(QRect(0, g.title - 1 - line, width, line), look.accent);
    p.fillRect(QRect(0, g.title - 1, width, 1), shade(t.bottom, -0.25));
    p.end();
    return opaque(band, t.bottom);
}

// A whole small window frame; the four border parts are cut out of it, so they join without
// seams however the painter stretches them.
QImage sampleWindow(const Look& look, const FrameGeometry& g, bool active) {
    const int w = g.width, h = g.height, side = g.side, bottom = g.bottom;
    QImage layer = newLayer(w, h);
    QPainter p(&layer);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath body = roundedPath(QRectF(0, 0, w, h), Corners(g.corner, g.bottomCorner));
    const QColor frame = active ? look.frameActive : look.frameInactive;
    p.fillPath(body, frame);

    p.save();
    p.setClipPath(body);
    p.drawImage(0, 0, titleBand(look, g, active, w));
    // The client area and a shadow line around it: the frame is raised, the client lies lower.
    p.fillRect(QRect(side, g.title, w - 2 * side, h - g.title - bottom), look.face);
    const QColor inner = shade(frame, -0.3);
    p.fillRect(QRect(side - 1, g.title, 1, h - g.title - bottom + 1), inner);
    p.fillRect(QRect(w - side, g.title, 1, h - g.title - bottom + 1), inner);
    p.fillRect(QRect(side - 1, h - bottom, w - 2 * side + 2, 1), inner);
    p.restore();

    // Light from the top left: bright lines inside the outline on the top and left edges,
    // darker ones on the right and bottom. A wider border has room for a deeper bevel.
    const int rings = std::max(1, std::min(look.params.bevel, (side - 2) / 2));
    for (int i = 0; i < rings; ++i) {
        const double inset = 1.5 + i, fade = 1.0 - 0.35 * i;
        auto alpha = [fade](int a) { return int(std::lround(a * fade)); };
        const QRectF ring = QRectF(0, 0, w, h).adjusted(inset, inset, -inset, -inset);
        QLinearGradient edge(ring.topLeft(), ring.bottomRight());
        edge.setColorAt(0, QColor(255, 255, 255, alpha(look.dark ? 70 : 150)));
        edge.setColorAt(0.3, QColor(255, 255, 255, alpha(look.dark ? 25 : 60)));
        edge.setColorAt(0.7, QColor(0, 0, 0, alpha(20)));
        edge.setColorAt(1, QColor(0, 0, 0, alpha(60)));
        p.setPen(QPen(QBrush(edge), 1.0));
        p.drawPath(roundedPath(ring, Corners(std::max(0.0, g.corner - inset + 0.5),
                                             std::max(0.0, g.bottomCorner - inset + 0.5))));
    }
    p.setPen(QPen(active ? look.outlineActive : look.outlineInactive, 1.0));
    p.drawPath(roundedPath(QRectF(0.5, 0.5, w - 1, h - 1),
                           Corners(g.corner - 0.5, std::max(0.0, g.bottomCorner - 0.5))));
    p.end();
    return flatten(layer, active ? look.outlineActive : look.outlineInactive);
}

enum class Glyph { Close, Maximise, Restore, Minimise, SystemMenu };

// A caption symbol g pixels square, centred on centre; lines sit on whole pixels so the
// symbols stay crisp at these small sizes.
void drawGlyph(QPainter& p, Glyph glyph, QPointF centre, int g, const QColor& colour,
               const QColor& accent) {
    p.save();
    const int x0 = qRound(centre.x() - g / 2.0), y0 = qRound(centre.y() - g / 2.0);
    auto box = [&](int x, int y, int w, int h) {
        // A window outline with a two-pixel title bar.
        p.fillRect(QRect(x, y, w, 2), colour);
        p.fillRect(QRect(x, y, 1, h), colour);
        p.fillRect(QRect(x + w - 1, y, 1, h), colour);
        p.fillRect(QRect(x, y + h - 1, w, 1), colour);
    };
    switch (glyph) {
    case Glyph::Close:
        drawCross(p, QRectF(x0 + 0.5, y0 + 0.5, g - 1, g - 1), colour, 1.7);
        break;
    case Glyph::Maximise:
        box(x0, y0, g, g);
        break;
    case Glyph::Restore: {
        // The back window shows only where the front one leaves it visible.
        const int o = qMax(2, g / 3), s = g - o;
        p.fillRect(QRect(x0 + o, y0, s, 2), colour);
        p.fillRect(QRect(x0 + g - 1, y0, 1, s), colour);
        p.fillRect(QRect(x0 + s, y0 + s - 1, o, 1), colour);
        box(x0, y0 + o, s, s);
        break;
    }
    case Glyph::Minimise:
        p.fillRect(QRect(x0, y0 + g - 2, g, 2), colour);
        break;
    case Glyph::SystemMenu: {
        // The program's badge: a round disc with a play mark.
        p.setRenderHint(QPainter::Antialiasing);
        const double r = g * 0.55;
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(centre, r, r);
        p.setBrush(readableOn(colour, {accent}, 3.0));
        QPolygonF play;
        play << QPointF(centre.x() - r * 0.35, centre.y() - r * 0.5)
             << QPointF(centre.x() + r * 0.55, centre.y())
             << QPointF(centre.x() - r * 0.35, centre.y() + r * 0.5);
        p.drawPolygon(play);
        break;
    }
    }
    p.restore();
}

// The four looks of a caption button, in the order of orvik::captioncell.
QImage captionButton(const Look& look, const FrameGeometry& g, Glyph glyph) {
    const QImage activeBand =
        titleBand(look, g, true, g.buttonW).copy(0, g.buttonY, g.buttonW, g.buttonH);
    const QImage inactiveBand =
        titleBand(look, g, false, g.buttonW).copy(0, g.buttonY, g.buttonW, g.buttonH);
    const bool close = glyph == Glyph::Close;
    const QColor danger(0xc8, 0x3a, 0x32);
    const QRectF plate(0, 0, g.buttonW, g.buttonH);
    const Corners round(qMin(4, look.params.corner / 2 + 1));
    QList<QImage> frames;
    for (int state = 1; state <= 4; ++state) {
        QImage layer = newLayer(g.buttonW, g.buttonH);
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        QColor glyphColour = state == 4 ? look.glyphInactive : look.glyphActive;
        QColor accent = state == 4 ? mix(look.accent, look.titleInactive.bottom, 0.5) : look.accent;
        QPointF shift(0, 0);
        if (state == 1 || state == 4) {
            // Resting: a faint plate so the button reads as a button. The title bar is laid
            // under it first so the plate is solid where it is drawn.
            const QPainterPath outline = roundedPath(plate.adjusted(0.5, 0.5, -0.5, -0.5), round);
            p.fillPath(roundedPath(plate, round), QBrush(state == 1 ? activeBand : inactiveBand));
            p.setPen(QPen(QColor(255, 255, 255, state == 1 ? 60 : 35), 1.0));
            p.setBrush(QColor(255, 255, 255, state == 1 ? 22 : 12));
            p.drawPath(outline);
        } else {
            Surface s;
            if (close) {
                const QColor base = state == 3 ? danger : shade(danger, -0.3);
                s = {{shade(base, state == 3 ? 0.2 : -0.1), shade(base, state == 3 ? -0.05 : 0.05)},
                     shade(danger, -0.5),
                     state == 2};
                glyphColour = QColor(Qt::white);
            } else {
                // Hot lifts the plate towards the accent, pressed sinks it. On a dark title
                // the plate stays dark enough for a light symbol.
                const QColor bar = look.titleActive.bottom;
                const bool darkBar = luminance(bar) < 0.2;
                const QColor base = state == 3 ? shade(mix(bar, look.accent, darkBar ? 0.5 : 0.3),
                                                       darkBar ? 0 : 0.25)
                                               : shade(mix(bar, look.accent, 0.35), -0.25);
                s = {
                    {shade(base, state == 3 ? 0.1 : -0.08), shade(base, state == 3 ? -0.05 : 0.06)},
                    shade(base, -0.45),
                    state == 2};
                glyphColour = readableOn(look.glyphActive, {s.fill.top, s.fill.bottom}, 4.5);
            }
            drawSurface(p, plate, round, s, 1, state == 3 ? look.params.gloss : 0, look);
            if (state == 2)
                shift = QPointF(0.5, 1.0);
        }
        const int size = ((g.buttonH + 3) / 2) & ~1; // even, about half the button
        drawGlyph(p, glyph, plate.center() + shift, size, glyphColour, accent);
        p.end();
        frames.append(flatten(layer, state == 4 ? inactiveBand : activeBand));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// The plate behind the caption text: a sunken capsule, left and right caps and a middle
// that the painter repeats. Two frames stacked: active, inactive.
QImage textPlate(const Look& look, const FrameGeometry& g) {
    const int w = 2 * g.plateCap + 4;
    QList<QImage> frames;
    for (bool active : {true, false}) {
        QImage layer = newLayer(w, g.title);
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        // As high as the caption buttons, so that plate and buttons line up.
        const double top = g.buttonY, height = g.buttonH - 1;
        const QRectF capsule(0.5, top + 0.5, w - 1, height);
        const Gradient& t = titleOf(look, active);
        const bool darkTitle = luminance(t.bottom) < 0.25;
        const QImage band = titleBand(look, g, active, w);
        QPainterPath body;
        body.addRoundedRect(capsule.adjusted(-0.5, -0.5, 0.5, 0.5), height / 2, height / 2);
        p.fillPath(body, QBrush(band));
        p.setPen(Qt::NoPen);
        p.setBrush(darkTitle ? QColor(0, 0, 0, active ? 28 : 18)
                             : QColor(255, 255, 255, active ? 70 : 50));
        p.drawRoundedRect(capsule, height / 2, height / 2);
        // Sunken: the shadow falls on the upper inside edge, the light on the lower.
        QLinearGradient edge(capsule.topLeft(), capsule.bottomLeft());
        edge.setColorAt(0, QColor(0, 0, 0, darkTitle ? 70 : 40));
        edge.setColorAt(0.5, Qt::transparent);
        edge.setColorAt(1, QColor(255, 255, 255, darkTitle ? 40 : 120));
        p.setPen(QPen(QBrush(edge), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(capsule, height / 2, height / 2);
        p.end();
        frames.append(flatten(layer, band));
    }
    return joinFrames(frames, Qt::Vertical);
}

// Child-window buttons shown in the menu bar of a parent with a maximised child: twelve
// frames, four each for minimise, restore and close (normal, pressed, normal, hot).
QImage childButtons(const Look& look, const QImage& menuBand) {
    const int w = 16, h = 14;
    const QImage matte = menuBand.copy(0, (MenuHeight - h) / 2, w, h);
    QList<QImage> frames;
    for (Glyph glyph : {Glyph::Minimise, Glyph::Restore, Glyph::Close}) {
        for (int state : {1, 2, 1, 3}) {
            QImage layer = newLayer(w, h);
            QPainter p(&layer);
            const Surface& s = state == 1 ? look.normal : state == 2 ? look.pressed : look.hot;
            drawSurface(p, QRectF(0, 0, w, h), Corners(2), s, 1, look.params.gloss, look);
            drawGlyph(p, glyph, QPointF(w / 2.0, h / 2.0), 8,
                      readableOn(look.text, {s.fill.top, s.fill.bottom}, 3.0), look.accent);
            p.end();
            frames.append(flatten(layer, matte));
        }
    }
    return joinFrames(frames, Qt::Horizontal);
}

// The menu bar band: two frames stacked, active and inactive window.
QImage menuBar(const Look& look) {
    QList<QImage> frames;
    for (bool active : {true, false}) {
        QImage layer = newLayer(32, MenuHeight);
        QPainter p(&layer);
        QLinearGradient fill(0, 0, 0, MenuHeight);
        const QColor base = look.menubar;
        fill.setColorAt(0, shade(base, active ? (look.dark ? 0.05 : 0.35) : 0.0));
        fill.setColorAt(1, base);
        p.fillRect(layer.rect(), fill);
        p.fillRect(QRect(0, 0, 32, 1), QColor(255, 255, 255, look.dark ? 25 : 150));
        p.fillRect(QRect(0, MenuHeight - 1, 32, 1), look.shadow);
        p.end();
        frames.append(opaque(layer, base));
    }
    return joinFrames(frames, Qt::Vertical);
}

} // namespace

void buildWindowFrame(SkinBuild& skin) {
    const Look& look = skin.look();
    const FrameGeometry g = geometryFor(look);
    const QImage active = sampleWindow(look, g, true);
    const QImage inactive = sampleWindow(look, g, false);
    const int w = g.width, h = g.height, side = g.side, inner = w - 2 * side;

    Section& pers = skin.section(QStringLiteral("Personality"));
    auto part = [&](const QString& name, const QRect& area, Qt::Orientation o, int first,
                    int second, bool trans) {
        const QImage strip = joinFrames({active.copy(area), inactive.copy(area)}, o);
        pers.set(name, skin.addPicture(name.toLower() + QStringLiteral(".bmp"), strip));
        pers.set(name + QStringLiteral("TopHeight"), first);
        pers.set(name + QStringLiteral("BotHeight"), second);
        pers.set(name + QStringLiteral("Frame"), 2);
        pers.set(name + QStringLiteral("Stretch"), 1);
        pers.set(name + QStringLiteral("Trans"), trans ? 1 : 0);
    };
    // Left and right keep the title rows and the bottom corner unstretched; top and bottom,
    // drawn between the side borders, keep their ends (where the corners curve) unstretched.
    // The parts a round corner runs through are cut out of the window's outline.
    const bool roundTop = g.corner > 0, roundBottom = g.bottomCorner > 0;
    part(QStringLiteral("Left"), QRect(0, 0, side, h), Qt::Horizontal, g.title, g.footRows,
         roundTop || roundBottom);
    part(QStringLiteral("Right"), QRect(w - side, 0, side, h), Qt::Horizontal, g.title, g.footRows,
         roundTop || roundBottom);
    part(QStringLiteral("Top"), QRect(side, 0, inner, g.title), Qt::Vertical, g.margin - side,
         g.margin - side, roundTop);
    part(QStringLiteral("Bottom"), QRect(side, h - g.bottom, inner, g.bottom), Qt::Vertical,
         g.margin - side, g.margin - side, roundBottom);

    const QImage activeBand = titleBand(look, g, true, 32);
    const QImage inactiveBand = titleBand(look, g, false, 32);
    const int textRows = 5; // rows above and below the caption text
    skin.addGround(ground::TitleActive, activeBand, QRect(0, textRows, 32, g.title - 2 * textRows));
    skin.addGround(ground::TitleInactive, inactiveBand,
                   QRect(0, textRows, 32, g.title - 2 * textRows));

    // Caption text plate and text placement.
    const int cap = g.plateCap;
    const QImage plate = textPlate(look, g);
    pers.set(QStringLiteral("TextBack"), skin.addPicture(QStringLiteral("textback.bmp"), plate));
    const CaptionText text = captionText(look, g);
    pers.set(QStringLiteral("TextShift"), text.shift);
    pers.set(QStringLiteral("TextShiftVert"), 0);
    pers.set(QStringLiteral("TextRightClip"), text.rightClip);
    pers.set(QStringLiteral("TextAlignment"), text.alignment);
    pers.set(QStringLiteral("Textbackground"), 1);
    pers.set(QStringLiteral("TXTBackleft"), cap);
    pers.set(QStringLiteral("TXTBackRight"), cap);
    const QRect plateMiddle(cap, textRows, 4, g.title - 2 * textRows);
    skin.addGround(ground::TitleActive, plate, plateMiddle);
    skin.addGround(ground::TitleInactive, plate, plateMiddle.translated(0, g.title));

    // Caption buttons: close, maximise, restore, minimise and the system menu.
    struct CaptionButton {
        const char* section;
        const char* file;
        Glyph glyph;
        CaptionRole role;
        int action, visibility;
    };
    namespace act = orvik::action;
    namespace vis = orvik::visibility;
    const CaptionButton buttons[] = {
        {"ButtonClose", "close.bmp", Glyph::Close, CaptionRole::Close, act::Close, vis::Always},
        {"ButtonMaximize", "maximize.bmp", Glyph::Maximise, CaptionRole::Maximise, act::Maximise,
         vis::NotMaximised},
        {"ButtonRestore", "restore.bmp", Glyph::Restore, CaptionRole::Maximise, act::Maximise,
         vis::Maximised},
        {"ButtonMinimize", "minimize.bmp", Glyph::Minimise, CaptionRole::Minimise, act::Minimise,
         vis::Always},
        {"ButtonSysMenu", "sysmenu.bmp", Glyph::SystemMenu, CaptionRole::SystemMenu,
         act::SystemMenuPicture, vis::Always},
    };
    for (const CaptionButton& b : buttons) {
        const ButtonPlace place = buttonPlace(look, g, b.role);
        Section& s = skin.section(QString::fromLatin1(b.section));
        s.set(QStringLiteral("Action"), b.action);
        s.set(QStringLiteral("Align"), place.align);
        s.set(QStringLiteral("Xcoord"), place.xcoord);
        s.set(QStringLiteral("Ycoord"), g.buttonY);
        s.set(QStringLiteral("Visibility"), b.visibility);
        s.set(QStringLiteral("Visibility1"), 0);
        s.set(QStringLiteral("frame"), 4);
        s.set(QStringLiteral("ButtonImage"),
              skin.addPicture(QString::fromLatin1(b.file), captionButton(look, g, b.glyph)));
    }

    const QImage bar = menuBar(look);
    pers.set(QStringLiteral("menuBar"), skin.addPicture(QStringLiteral("menubar.bmp"), bar));
    pers.set(QStringLiteral("TileMenu"), 1);
    pers.set(QStringLiteral("TileLeftMenu"), 1);
    pers.set(QStringLiteral("TileRightMenu"), 1);
    skin.addGround(ground::MenuBar, bar, QRect(0, 3, 32, MenuHeight - 6));
    skin.addGround(ground::MenuBar, bar, QRect(0, MenuHeight + 3, 32, MenuHeight - 6));

    skin.section(QStringLiteral("MDICONTROLS"))
        .set(QStringLiteral("Image"),
             skin.addPicture(QStringLiteral("mdicontrols.bmp"), childButtons(look, bar)));
}

} // namespace skingen
