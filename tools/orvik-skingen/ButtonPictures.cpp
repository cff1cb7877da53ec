// Push buttons with their check box and radio button strips, tool bar buttons, up-down
// buttons and track bar thumbs.
#include "tools/orvik-skingen/Canvas.h"
#include "tools/orvik-skingen/Colours.h"
#include "tools/orvik-skingen/Shapes.h"
#include "tools/orvik-skingen/SkinBuild.h"

#include <QPainter>

namespace skingen {

namespace {

enum class State { Normal, Hot, Pressed, Disabled };

const Surface& surfaceFor(const Look& look, State s) {
    switch (s) {
    case State::Hot:
        return look.hot;
    case State::Pressed:
        return look.pressed;
    case State::Disabled:
        return look.disabled;
    default:
        return look.normal;
    }
}

const Surface& accentFor(const Look& look, State s) {
    switch (s) {
    case State::Hot:
        return look.accentHot;
    case State::Pressed:
        return look.accentPressed;
    case State::Disabled:
        return look.accentDisabled;
    default:
        return look.accentNormal;
    }
}

// On an accent surface: white or near black, whichever reads better.
QColor markOn(const Surface& s) {
    return readableOn(QColor(Qt::white), {s.fill.top, s.fill.bottom}, 3.0);
}

// Push button frames: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused or default.
QImage pushButton(const Look& look, const QSize& size) {
    const QRectF r(0, 0, size.width(), size.height());
    const Corners c(look.radius + 1);
    QList<QImage> frames;
    for (int f = 1; f <= 5; ++f) {
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        const Surface& s = f == 2   ? look.pressed
                           : f == 3 ? look.disabled
                           : f == 4 ? look.hot
                                    : look.normal;
        drawSurface(p, r, c, s, look.params.bevel, f == 3 ? 0 : look.params.gloss, look);
        if (f == 5) {
            // Focus: an accent outline with a soft accent ring inside it.
            p.setRenderHint(QPainter::Antialiasing);
            QColor ring = look.accent;
            ring.setAlpha(110);
            p.setPen(QPen(ring, 1.0));
            p.drawPath(roundedPath(r.adjusted(1.5, 1.5, -1.5, -1.5), c.shrunk(1.5)));
            p.setPen(QPen(look.accent, 1.0));
            p.drawPath(roundedPath(r.adjusted(0.5, 0.5, -0.5, -0.5), c.shrunk(0.5)));
        }
        p.end();
        frames.append(flatten(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Check boxes, twelve 13 x 13 frames: unchecked, checked and indeterminate, each normal, hot,
// pressed and disabled.
QImage checkBoxes(const Look& look) {
    const int n = 13;
    const QRectF box(0, 0, n, n);
    QList<QImage> frames;
    for (int mark = 0; mark < 3; ++mark) {
        for (State st : {State::Normal, State::Hot, State::Pressed, State::Disabled}) {
            QImage layer = newLayer(n, n);
            QPainter p(&layer);
            if (mark == 0) {
                const Surface s = st == State::Hot        ? look.fieldHot
                                  : st == State::Disabled ? look.fieldDisabled
                                  : st == State::Pressed
                                      ? Surface{{mix(look.field, look.accent, 0.35),
                                                 mix(look.field, look.accent, 0.2)},
                                                look.accent,
                                                true}
                                      : look.fieldNormal;
                drawSurface(p, box, Corners(2.5), s, 1, 0, look);
            } else {
                const Surface& s = accentFor(look, st);
                drawSurface(p, box, Corners(2.5), s, 1, look.params.gloss * 0.5, look);
                const QColor ink = markOn(s);
                if (mark == 1) {
                    drawTick(p, QRectF(3, 3.5, 7, 5.5), ink, 1.8);
                } else {
                    p.fillRect(QRect(3, 6, 7, 2), ink);
                }
            }
            p.end();
            frames.append(flatten(layer, look.face));
        }
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Radio buttons, eight 13 x 13 frames: unchecked and checked, each normal, hot, pressed and
// disabled.
QImage radioButtons(const Look& look) {
    const int n = 13;
    QList<QImage> frames;
    for (bool checked : {false, true}) {
        for (State st : {State::Normal, State::Hot, State::Pressed, State::Disabled}) {
            QImage layer = newLayer(n, n);
            QPainter p(&layer);
            p.setRenderHint(QPainter::Antialiasing);
            QPainterPath circle;
            circle.addEllipse(QRectF(0.5, 0.5, n - 1, n - 1));
            if (!checked) {
                const Surface& s = st == State::Hot        ? look.fieldHot
                                   : st == State::Disabled ? look.fieldDisabled
                                                           : look.fieldNormal;
                Surface pressed = s;
                if (st == State::Pressed)
                    pressed = {
                        {mix(look.field, look.accent, 0.35), mix(look.field, look.accent, 0.2)},
                        look.accent,
                        true};
                drawShape(p, circle, pressed, 0);
            } else {
                const Surface& s = accentFor(look, st);
                drawShape(p, circle, s, look.params.gloss * 0.5);
                p.setPen(Qt::NoPen);
                p.setBrush(markOn(s));
                p.drawEllipse(QPointF(n / 2.0, n / 2.0), 2.6, 2.6);
            }
            p.end();
            frames.append(flatten(layer, look.face));
        }
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Tool bar buttons: 1 normal (flat, see-through), 2 pressed, 3 disabled (flat), 4 hot,
// 5 checked.
QImage toolButtons(const Look& look) {
    const int n = 24;
    QList<QImage> frames;
    for (int f = 1; f <= 5; ++f) {
        QImage layer = newLayer(n, n);
        QPainter p(&layer);
        if (f == 2 || f == 4 || f == 5) {
            Surface s = f == 4 ? look.hot : look.pressed;
            if (f == 5)
                s.outline = look.accent;
            drawSurface(p, QRectF(0, 0, n, n), Corners(look.radius + 1), s, 1,
                        f == 4 ? look.params.gloss : 0, look);
        }
        p.end();
        frames.append(flatten(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Up-down buttons: eight frames, the first button (up, or left) normal, pressed, disabled,
// hot, then the second button (down, or right) the same. The arrows come as a second strip.
void upDown(const Look& look, Qt::Orientation o, QImage& body, QImage& glyphs) {
    const QSize size = o == Qt::Vertical ? QSize(16, 11) : QSize(12, 16);
    const double r = look.radius;
    QList<QImage> bodies, arrows;
    for (int button = 0; button < 2; ++button) {
        for (State st : {State::Normal, State::Pressed, State::Disabled, State::Hot}) {
            const Corners c = o == Qt::Vertical
                                  ? (button == 0 ? Corners(r, 0) : Corners(0, r))
                                  : (button == 0 ? Corners(r, 0, 0, r) : Corners(0, r, r, 0));
            QImage layer = newLayer(size.width(), size.height());
            QPainter p(&layer);
            const Surface& s = surfaceFor(look, st);
            drawSurface(p, QRectF(QPointF(0, 0), size), c, s, 1, look.params.gloss, look);
            p.end();
            bodies.append(flatten(layer, look.face));

            QImage glyph = newLayer(size.width(), size.height());
            QPainter g(&glyph);
            const Direction d = o == Qt::Vertical
                                    ? (button == 0 ? Direction::Up : Direction::Down)
                                    : (button == 0 ? Direction::Left : Direction::Right);
            const QColor ink = st == State::Disabled
                                   ? mix(look.text, s.fill.bottom, 0.55)
                                   : readableOn(look.text, {s.fill.top, s.fill.bottom}, 3.0);
            const QPointF centre(size.width() / 2.0 + (st == State::Pressed ? 0.5 : 0),
                                 size.height() / 2.0 + (st == State::Pressed ? 0.5 : 0));
            drawArrow(g, centre, d, 3.5, ink);
            g.end();
            arrows.append(flatten(glyph, s.fill.bottom));
        }
    }
    body = joinFrames(bodies, Qt::Horizontal);
    glyphs = joinFrames(arrows, Qt::Horizontal);
}

enum class Point { None, Up, Down, Left, Right };

// Track bar thumbs: 1 and 2 normal, 3 hot, 4 pressed, 5 disabled.
QImage thumb(const Look& look, const QSize& size, Point point) {
    const double w = size.width(), h = size.height();
    QPainterPath path;
    const double tip = 5;
    switch (point) {
    case Point::None:
        path = roundedPath(QRectF(0.5, 0.5, w - 1, h - 1), Corners(2.5));
        break;
    case Point::Down:
        path.moveTo(0.5, 2.5);
        path.quadTo(0.5, 0.5, 2.5, 0.5);
        path.lineTo(w - 2.5, 0.5);
        path.quadTo(w - 0.5, 0.5, w - 0.5, 2.5);
        path.lineTo(w - 0.5, h - tip - 0.5);
        path.lineTo(w / 2, h - 0.5);
        path.lineTo(0.5, h - tip - 0.5);
        path.closeSubpath();
        break;
    case Point::Up:
        path.moveTo(w / 2, 0.5);
        path.lineTo(w - 0.5, tip + 0.5);
        path.lineTo(w - 0.5, h - 2.5);
        path.quadTo(w - 0.5, h - 0.5, w - 2.5, h - 0.5);
        path.lineTo(2.5, h - 0.5);
        path.quadTo(0.5, h - 0.5, 0.5, h - 2.5);
        path.lineTo(0.5, tip + 0.5);
        path.closeSubpath();
        break;
    case Point::Right:
        path.moveTo(2.5, 0.5);
        path.lineTo(w - tip - 0.5, 0.5);
        path.lineTo(w - 0.5, h / 2);
        path.lineTo(w - tip - 0.5, h - 0.5);
        path.lineTo(2.5, h - 0.5);
        path.quadTo(0.5, h - 0.5, 0.5, h - 2.5);
        path.lineTo(0.5, 2.5);
        path.quadTo(0.5, 0.5, 2.5, 0.5);
        path.closeSubpath();
        break;
    case Point::Left:
        path.moveTo(0.5, h / 2);
        path.lineTo(tip + 0.5, 0.5);
        path.lineTo(w - 2.5, 0.5);
        path.quadTo(w - 0.5, 0.5, w - 0.5, 2.5);
        path.lineTo(w - 0.5, h - 2.5);
        path.quadTo(w - 0.5, h - 0.5, w - 2.5, h - 0.5);
        path.lineTo(tip + 0.5, h - 0.5);
        path.closeSubpath();
        break;
    }
    QList<QImage> frames;
    for (State st : {State::Normal, State::Normal, State::Hot, State::Pressed, State::Disabled}) {
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        drawShape(p, path, accentFor(look, st), look.params.gloss);
        p.end();
        frames.append(flatten(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

} // namespace

void buildPushButtons(SkinBuild& skin) {
    const Look& look = skin.look();
    const QSize size(36, 26);
    const QMargins margins(6, 6, 6, 6);
    const QImage buttons = pushButton(look, size);

    Section& s = skin.section(QStringLiteral("Buttons"));
    s.set(QStringLiteral("Bitmap"), skin.addPicture(QStringLiteral("button.bmp"), buttons));
    s.setMargins(margins);
    s.set(QStringLiteral("Trans"), 1);
    s.set(QStringLiteral("Tile"), 0);
    // The check box and radio strips are sized so their frame counts follow from the picture
    // height (13-pixel frames): 12 for check boxes, 8 for radio buttons.
    s.set(QStringLiteral("CheckButton"),
          skin.addPicture(QStringLiteral("checkbox.bmp"), checkBoxes(look)));
    s.set(QStringLiteral("RadioButton"),
          skin.addPicture(QStringLiteral("radio.bmp"), radioButtons(look)));

    auto centre = [&](int frame) { return frameRect(buttons, 5, frame).marginsRemoved(margins); };
    skin.addGround(ground::Button, buttons, centre(1));
    skin.addGround(ground::Button, buttons, centre(5));
    skin.addGround(ground::ButtonPressed, buttons, centre(2));
    skin.addGround(ground::ButtonHot, buttons, centre(4));
}

void buildSmallControls(SkinBuild& skin) {
    const Look& look = skin.look();

    Section& tools = skin.section(QStringLiteral("ToolBars"));
    tools.set(QStringLiteral("Image"),
              skin.addPicture(QStringLiteral("toolbars.bmp"), toolButtons(look)));
    tools.setMargins(QMargins(4, 4, 4, 4));
    tools.set(QStringLiteral("Trans"), 1);
    tools.set(QStringLiteral("Tile"), 0);

    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        QImage body, glyphs;
        upDown(look, o, body, glyphs);
        const QString base =
            o == Qt::Vertical ? QStringLiteral("updown-vert") : QStringLiteral("updown-horz");
        Section& s = skin.section(o == Qt::Vertical ? QStringLiteral("UpDown.Vert")
                                                    : QStringLiteral("UpDown.Horz"));
        s.set(QStringLiteral("Image"), skin.addPicture(base + QStringLiteral(".bmp"), body));
        s.set(QStringLiteral("GlyphImage"),
              skin.addPicture(base + QStringLiteral("-glyphs.bmp"), glyphs));
        s.setMargins(QMargins(3, 3, 3, 3));
        s.set(QStringLiteral("Trans"), 1);
        s.set(QStringLiteral("Tile"), 0);
    }

    struct Thumb {
        const char* section;
        const char* file;
        QSize size;
        Point point;
    };
    const Thumb thumbs[] = {
        {"Trackbar.ThumbHorz", "thumb-horz.bmp", QSize(11, 20), Point::None},
        {"Trackbar.ThumbVert", "thumb-vert.bmp", QSize(20, 11), Point::None},
        {"Trackbar.ThumbLeft", "thumb-left.bmp", QSize(20, 11), Point::Left},
        {"Trackbar.ThumbRight", "thumb-right.bmp", QSize(20, 11), Point::Right},
        {"Trackbar.ThumbUp", "thumb-up.bmp", QSize(11, 20), Point::Up},
        {"Trackbar.ThumbDown", "thumb-down.bmp", QSize(11, 20), Point::Down},
    };
    for (const Thumb& t : thumbs) {
        Section& s = skin.section(QString::fromLatin1(t.section));
        s.set(QStringLiteral("Image"),
              skin.addPicture(QString::fromLatin1(t.file), thumb(look, t.size, t.point)));
        s.set(QStringLiteral("Trans"), 1);
        s.set(QStringLiteral("Tile"), 0);
    }
}

} // namespace skingen
