// Scroll bars: the arrow strip (arrows, thumb grips, corner), the tracks and the thumbs.
#include "tools/orvik-skingen/Canvas.h"
#include "tools/orvik-skingen/Colours.h"
#include "tools/orvik-skingen/Shapes.h"
#include "tools/orvik-skingen/SkinBuild.h"

#include <QPainter>

namespace skingen {

namespace {

constexpr int Size = 16; // bar thickness and arrow button length

struct ScrollLook {
    QColor track;
    Surface thumb, thumbHot, thumbPressed;
};

ScrollLook scrollLook(const Look& look) {
    ScrollLook s;
    s.track = shade(look.face, look.dark ? -0.2 : -0.07);
    const QColor mid = mix(look.face, look.text, look.dark ? 0.32 : 0.38);
    const QColor hot = mix(mid, look.accent, 0.55);
    const QColor pressed = look.accent;
    auto surface = [&](const QColor& c, bool sunken) {
        return Surface{{shade(c, sunken ? -0.1 : 0.12), shade(c, sunken ? 0.05 : -0.06)},
                       shade(c, -0.35),
                       sunken};
    };
    s.thumb = surface(mid, false);
    s.thumbHot = surface(hot, false);
    s.thumbPressed = surface(pressed, true);
    return s;
}

// One arrow button: state 0 normal, 1 pressed, 2 disabled, 3 hot.
QImage arrowFrame(const Look& look, const ScrollLook& sl, Direction dir, int state) {
    QImage layer = newLayer(Size, Size);
    QPainter p(&layer);
    p.fillRect(layer.rect(), sl.track);
    QColor ink = mix(look.text, sl.track, 0.2);
    QPointF centre(Size / 2.0, Size / 2.0);
    if (state == 1 || state == 3) {
        const Surface& s = state == 1 ? look.pressed : look.hot;
        drawSurface(p, QRectF(1, 1, Size - 2, Size - 2), Corners(look.radius), s, 1,
                    state == 3 ? look.params.gloss : 0, look);
        ink = readableOn(look.text, {s.fill.top, s.fill.bottom}, 3.0);
        if (state == 1)
            centre += QPointF(0.5, 0.5);
    } else if (state == 2) {
        ink = mix(look.text, sl.track, 0.7);
    }
    drawArrow(p, centre, dir, 4, ink);
    p.end();
    return opaque(layer, sl.track);
}

// Grip ridges laid over the middle of a thumb; see-through around them.
QImage gripFrame(const Surface& thumb, Qt::Orientation along) {
    QImage layer = newLayer(Size, Size);
    QPainter p(&layer);
    const QColor body = mix(thumb.fill.top, thumb.fill.bottom, 0.5);
    const QRectF box =
        along == Qt::Horizontal ? QRectF(0, 3, Size, Size - 6) : QRectF(3, 0, Size - 6, Size);
    drawRidges(p, box, along, shade(body, -0.35), shade(body, 0.35));
    p.end();
    return flatten(layer, body);
}

QImage arrowStrip(const Look& look, const ScrollLook& sl) {
    QList<QImage> frames;
    // Frames 1-16: left, right, up, down arrows; each normal, pressed, disabled, hot.
    for (Direction d : {Direction::Left, Direction::Right, Direction::Up, Direction::Down})
        for (int state = 0; state < 4; ++state)
            frames.append(arrowFrame(look, sl, d, state));
    // Frames 17-22: horizontal then vertical thumb grips; each normal, pressed, hot.
    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical})
        for (const Surface* s : {&sl.thumb, &sl.thumbPressed, &sl.thumbHot})
            frames.append(gripFrame(*s, o));
    // Frame 23: the square where two bars meet.
    QImage corner(Size, Size, QImage::Format_RGB32);
    corner.fill(look.face);
    frames.append(corner);
    return joinFrames(frames, Qt::Horizontal);
}

// Tracks: 1 enabled, 2 pressed, 3 disabled, 4 hot. The track lies lower than the face, so its
// edge towards the light carries a shadow.
QImage track(const Look& look, const ScrollLook& sl, Qt::Orientation o) {
    QList<QImage> frames;
    for (int f = 1; f <= 4; ++f) {
        const QColor base = f == 2   ? shade(sl.track, -0.06)
                            : f == 3 ? mix(sl.track, look.face, 0.6)
                            : f == 4 ? shade(sl.track, look.dark ? 0.04 : -0.02)
                                     : sl.track;
        QImage img(Size, Size, QImage::Format_RGB32);
        img.fill(base);
        QPainter p(&img);
        const QColor edge = shade(base, -0.18);
        if (o == Qt::Horizontal)
            p.fillRect(QRect(0, 0, Size, 1), edge);
        else
            p.fillRect(QRect(0, 0, 1, Size), edge);
        p.end();
        frames.append(img);
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Thumbs: 1 normal, 2 pressed, 3 hot.
QImage thumbStrip(const Look& look, const ScrollLook& sl, Qt::Orientation o) {
    const QSize size = o == Qt::Horizontal ? QSize(24, Size) : QSize(Size, 24);
    const QRectF body = o == Qt::Horizontal ? QRectF(1, 2, size.width() - 2, size.height() - 4)
                                            : QRectF(2, 1, size.width() - 4, size.height() - 2);
    QList<QImage> frames;
    for (const Surface* s : {&sl.thumb, &sl.thumbPressed, &sl.thumbHot}) {
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        drawSurface(p, body, Corners(qMin(4, look.radius + 2)), *s, 1,
                    s->sunken ? 0 : look.params.gloss, look);
        p.end();
        frames.append(flatten(layer, sl.track));
    }
    return joinFrames(frames, Qt::Horizontal);
}

} // namespace

void buildScrollBars(SkinBuild& skin) {
    const Look& look = skin.look();
    const ScrollLook sl = scrollLook(look);

    Section& arrows = skin.section(QStringLiteral("Scrollbar"));
    arrows.set(QStringLiteral("Image"),
               skin.addPicture(QStringLiteral("scrollbar.bmp"), arrowStrip(look, sl)));
    arrows.set(QStringLiteral("Trans"), 1);
    arrows.set(QStringLiteral("Tile"), 0);

    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        const bool h = o == Qt::Horizontal;
        Section& t = skin.section(h ? QStringLiteral("HorzScroll") : QStringLiteral("VertScroll"));
        t.set(QStringLiteral("Image"),
              skin.addPicture(h ? QStringLiteral("hscroll.bmp") : QStringLiteral("vscroll.bmp"),
                              track(look, sl, o)));
        t.setMargins(h ? QMargins(0, 2, 0, 2) : QMargins(2, 0, 2, 0));
        t.set(QStringLiteral("Trans"), 0);
        t.set(QStringLiteral("Tile"), 0);

        Section& th =
            skin.section(h ? QStringLiteral("HorzScrollThumb") : QStringLiteral("VertScrollThumb"));
        th.set(QStringLiteral("Image"),
               skin.addPicture(h ? QStringLiteral("hthumb.bmp") : QStringLiteral("vthumb.bmp"),
                               thumbStrip(look, sl, o)));
        th.setMargins(h ? QMargins(6, 3, 6, 3) : QMargins(3, 6, 3, 6));
        th.set(QStringLiteral("Trans"), 1);
        th.set(QStringLiteral("Tile"), 0);
        th.set(QStringLiteral("FrameCount"), 3);
    }
}

} // namespace skingen
