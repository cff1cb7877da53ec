// Progress bar, combo box parts, sunken edge, extra images, group box, status bar, tabs with
// their pane, and list headers.
#include "tools/orvik-skingen/Canvas.h"
#include "tools/orvik-skingen/Colours.h"
#include "tools/orvik-skingen/Shapes.h"
#include "tools/orvik-skingen/SkinBuild.h"

#include <QLinearGradient>
#include <QPainter>

namespace skingen {

namespace {

// Four states in the order the combo box and the sunken edge use them:
// 1 normal, 2 pressed, 3 disabled, 4 hot or focused.
enum class State { Normal = 1, Pressed, Disabled, Hot };
const State FourStates[] = {State::Normal, State::Pressed, State::Disabled, State::Hot};

QImage progress(const Look& look) {
    const QSize size(24, 16);
    QList<QImage> frames;
    QImage trough = newLayer(size.width(), size.height());
    {
        QPainter p(&trough);
        drawSurface(p, QRectF(QPointF(0, 0), size), Corners(look.radius), look.fieldNormal, 1, 0,
                    look);
    }
    frames.append(flatten(trough, look.face));
    QImage bar = newLayer(size.width(), size.height());
    {
        QPainter p(&bar);
        drawSurface(p, QRectF(QPointF(0, 0), size), Corners(look.radius), look.accentNormal, 1,
                    look.params.gloss, look);
    }
    frames.append(flatten(bar, look.field));
    return joinFrames(frames, Qt::Horizontal);
}

// One block of a segmented progress bar with a see-through gap after it.
QImage progressChunk(const Look& look) {
    QImage layer = newLayer(10, 16);
    QPainter p(&layer);
    drawSurface(p, QRectF(0, 0, 8, 16), Corners(1.5), look.accentNormal, 1, look.params.gloss,
                look);
    p.end();
    return flatten(layer, look.field);
}

const Surface& fieldFor(const Look& look, State s) {
    return s == State::Disabled ? look.fieldDisabled
           : s == State::Normal ? look.fieldNormal
                                : look.fieldHot;
}

const Surface& buttonFor(const Look& look, State s) {
    return s == State::Pressed    ? look.pressed
           : s == State::Disabled ? look.disabled
           : s == State::Hot      ? look.hot
                                  : look.normal;
}

QImage sunkenEdge(const Look& look) {
    const QSize size(20, 21);
    QList<QImage> frames;
    for (State st : FourStates) {
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        drawSurface(p, QRectF(QPointF(0, 0), size), Corners(look.radius), fieldFor(look, st), 1, 0,
                    look);
        p.end();
        frames.append(flatten(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// The drop-down button at the right end of a combo box; it sits inside the sunken edge.
QImage comboButton(const Look& look) {
    const QSize size(18, 21);
    QList<QImage> frames;
    for (State st : FourStates) {
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        drawSurface(p, QRectF(1, 2, size.width() - 3, size.height() - 4),
                    Corners(qMax(1, look.radius - 1)), buttonFor(look, st), 1,
                    st == State::Disabled ? 0 : look.params.gloss, look);
        p.end();
        frames.append(flatten(layer, look.field));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Frames 1 to 4: the drop-down arrow for the combo button's states; frame 5: the size grip.
QImage extraImages(const Look& look) {
    const int n = 12;
    QList<QImage> frames;
    for (State st : FourStates) {
        const Surface& s = buttonFor(look, st);
        QImage layer = newLayer(n, n);
        QPainter p(&layer);
        const QColor ink = st == State::Disabled
                               ? mix(look.text, s.fill.bottom, 0.55)
                               : readableOn(look.text, {s.fill.top, s.fill.bottom}, 3.0);
        drawArrow(p, QPointF(n / 2.0 + (st == State::Pressed ? 0.5 : 0), n / 2.0 + 0.5),
                  Direction::Down, 4, ink);
        p.end();
        frames.append(flatten(layer, s.fill.bottom));
    }
    QImage grip = newLayer(n, n);
    QPainter p(&grip);
    // Dots in a triangle towards the bottom-right corner, each with a light pixel beside it.
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col <= row; ++col) {
            const int x = n - 3 - 3 * col, y = n - 3 - 3 * (2 - row);
            p.fillRect(QRect(x + 1, y + 1, 2, 2), look.light);
            p.fillRect(QRect(x, y, 2, 2), look.shadow);
        }
    }
    p.end();
    frames.append(flatten(grip, look.face));
    return joinFrames(frames, Qt::Horizontal);
}

// Group box outline, an etched groove: frame 1 enabled, 2 disabled. The inside is see-through.
QImage groupEdge(const Look& look) {
    const int n = 16;
    QList<QImage> frames;
    for (bool enabled : {true, false}) {
        QImage layer = newLayer(n, n);
        QPainter p(&layer);
        p.setRenderHint(QPainter::Antialiasing);
        const Corners c(look.radius + 1);
        QColor dark = enabled ? look.shadow : mix(look.shadow, look.face, 0.5);
        QColor light = enabled ? look.light : mix(look.light, look.face, 0.5);
        p.setPen(QPen(light, 1.0));
        p.drawPath(roundedPath(QRectF(1.5, 1.5, n - 2, n - 2), c));
        p.setPen(QPen(dark, 1.0));
        p.drawPath(roundedPath(QRectF(0.5, 0.5, n - 2, n - 2), c));
        p.end();
        frames.append(flatten(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// The plate behind a group box caption.
QImage groupLabel(const Look& look) {
    const QSize size(28, 18);
    QImage layer = newLayer(size.width(), size.height());
    QPainter p(&layer);
    const QColor plate = shade(look.face, look.dark ? 0.08 : 0.5);
    drawSurface(p, QRectF(QPointF(0, 0), size), Corners(size.height() / 2.0),
                {{plate, plate}, mix(look.shadow, look.face, 0.3), false}, 0, 0, look);
    p.end();
    return flatten(layer, look.face);
}

// Status bar panels: 1 lowered, 2 raised, 3 flat.
QImage statusEdges(const Look& look) {
    const int n = 16;
    QList<QImage> frames;
    for (int f = 1; f <= 3; ++f) {
        QImage layer = newLayer(n, n);
        QPainter p(&layer);
        p.fillRect(layer.rect(), look.face);
        if (f != 3) {
            const QColor topLeft = f == 1 ? look.shadow : look.light;
            const QColor bottomRight = f == 1 ? look.light : look.shadow;
            p.fillRect(QRect(0, 0, n, 1), topLeft);
            p.fillRect(QRect(0, 0, 1, n), topLeft);
            p.fillRect(QRect(0, n - 1, n, 1), bottomRight);
            p.fillRect(QRect(n - 1, 0, 1, n), bottomRight);
        }
        p.end();
        frames.append(opaque(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Tabs: 1 normal, 2 selected, 3 hot, 4 disabled, 5 selected and hot. A selected tab is taller,
// carries an accent line on top and opens into the pane below it.
QImage tabs(const Look& look) {
    const QSize size(40, 24);
    const Corners c(look.radius + 1, 0);
    QList<QImage> frames;
    for (int f = 1; f <= 5; ++f) {
        const bool selected = f == 2 || f == 5;
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        if (selected) {
            const QColor top = shade(look.face, look.dark ? 0.07 : 0.45);
            const Surface s{{top, look.face}, look.outline, false};
            drawSurface(p, QRectF(0, 0, size.width(), size.height() + 2), c, s, 1, 0, look);
            p.fillRect(QRect(2, 1, size.width() - 4, 2),
                       f == 5 ? shade(look.accent, 0.2) : look.accent);
        } else {
            Surface s = f == 3 ? look.hot : f == 4 ? look.disabled : look.normal;
            s.fill.top = shade(s.fill.top, -0.04);
            s.fill.bottom = shade(s.fill.bottom, -0.06);
            drawSurface(p, QRectF(0, 2, size.width(), size.height() - 1), c, s, 1,
                        f == 4 ? 0 : look.params.gloss * 0.6, look);
            p.fillRect(QRect(0, size.height() - 1, size.width(), 1), look.outline);
        }
        p.end();
        frames.append(flatten(layer, look.face));
    }
    return joinFrames(frames, Qt::Horizontal);
}

QImage tabPane(const Look& look) {
    const int n = 16;
    QImage layer = newLayer(n, n);
    QPainter p(&layer);
    p.fillRect(layer.rect(), look.face);
    p.fillRect(QRect(1, 1, n - 2, 1), look.light);
    p.fillRect(QRect(1, 1, 1, n - 2), look.light);
    p.fillRect(QRect(1, n - 2, n - 2, 1), look.shadow);
    p.fillRect(QRect(n - 2, 1, 1, n - 2), look.shadow);
    p.setPen(look.outline);
    p.drawRect(0, 0, n - 1, n - 1);
    p.end();
    return opaque(layer, look.face);
}

// Column headers: 1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted (accent underline).
QImage header(const Look& look) {
    const QSize size(24, 20);
    QList<QImage> frames;
    for (int f = 1; f <= 5; ++f) {
        const Surface& s = f == 2   ? look.hot
                           : f == 3 ? look.pressed
                           : f == 4 ? look.disabled
                                    : look.normal;
        QImage layer = newLayer(size.width(), size.height());
        QPainter p(&layer);
        QLinearGradient fill(0, 0, 0, size.height());
        fill.setColorAt(0, s.sunken ? s.fill.top : shade(s.fill.top, 0.05));
        fill.setColorAt(1, s.fill.bottom);
        p.fillRect(layer.rect(), fill);
        p.fillRect(QRect(0, 0, size.width(), 1), s.sunken ? look.shadow : look.light);
        p.fillRect(QRect(0, 0, 1, size.height()), s.sunken ? look.shadow : look.light);
        p.fillRect(QRect(size.width() - 1, 3, 1, size.height() - 6), look.shadow);
        p.fillRect(QRect(0, size.height() - 1, size.width(), 1), look.outline);
        if (f == 5)
            p.fillRect(QRect(0, size.height() - 3, size.width(), 2), look.accent);
        p.end();
        frames.append(opaque(layer, s.fill.bottom));
    }
    return joinFrames(frames, Qt::Horizontal);
}

// Common keys of an image section.
Section& imageSection(SkinBuild& skin, const QString& section, const QString& file,
                      const QImage& image, const QMargins& margins, bool trans, bool tile = false,
                      const QString& imageKey = QStringLiteral("Image")) {
    Section& s = skin.section(section);
    s.set(imageKey, skin.addPicture(file, image));
    s.setMargins(margins);
    s.set(QStringLiteral("Trans"), trans ? 1 : 0);
    s.set(QStringLiteral("Tile"), tile ? 1 : 0);
    return s;
}

} // namespace

void buildPanels(SkinBuild& skin) {
    const Look& look = skin.look();

    imageSection(skin, QStringLiteral("Progress"), QStringLiteral("progress.bmp"), progress(look),
                 QMargins(4, 4, 4, 4), true, false, QStringLiteral("Bitmap"))
        .set(QStringLiteral("Style"), 0);
    imageSection(skin, QStringLiteral("Progress.Chunk"), QStringLiteral("progress-chunk.bmp"),
                 progressChunk(look), QMargins(2, 3, 3, 3), true);

    imageSection(skin, QStringLiteral("ComboButton"), QStringLiteral("combobutton.bmp"),
                 comboButton(look), QMargins(3, 4, 3, 4), true);
    imageSection(skin, QStringLiteral("SunkEdge"), QStringLiteral("sunkedge.bmp"), sunkenEdge(look),
                 QMargins(3, 3, 3, 3), true);
    imageSection(skin, QStringLiteral("ExtraImages"), QStringLiteral("extra.bmp"),
                 extraImages(look), QMargins(0, 0, 0, 0), true);

    imageSection(skin, QStringLiteral("GroupBoxEdge"), QStringLiteral("groupedge.bmp"),
                 groupEdge(look), QMargins(5, 5, 5, 5), true);
    const QImage label = groupLabel(look);
    Section& group =
        imageSection(skin, QStringLiteral("GroupBox"), QStringLiteral("grouplabel.bmp"), label,
                     QMargins(9, 0, 9, 0), true);
    group.set(QStringLiteral("BackgroundAlignment"), 0);
    group.set(QStringLiteral("BackgroundLeftShift"), 0);
    group.set(QStringLiteral("BackgroundRightShift"), 0);
    skin.addGround(ground::GroupLabel, label, QRect(9, 3, label.width() - 18, label.height() - 6));
    skin.addGround(ground::GroupLabel, look.face);

    const QImage status = statusEdges(look);
    imageSection(skin, QStringLiteral("StatusBarEdges"), QStringLiteral("statusbar.bmp"), status,
                 QMargins(2, 2, 2, 2), false);
    for (int f = 1; f <= 3; ++f)
        skin.addGround(ground::Status, status, frameRect(status, 3, f).adjusted(2, 2, -2, -2));
    skin.addGround(ground::Status, look.face);

    const QImage tabStrip = tabs(look);
    const QImage pane = tabPane(look);
    const QMargins tabMargins(6, 6, 6, 4);
    Section& tab = imageSection(skin, QStringLiteral("Tabs"), QStringLiteral("tabs.bmp"), tabStrip,
                                tabMargins, true);
    tab.set(QStringLiteral("Style"), 1);
    tab.set(QStringLiteral("Border"), skin.addPicture(QStringLiteral("tabpane.bmp"), pane));
    for (int f : {1, 2, 3, 5})
        skin.addGround(ground::Tab, tabStrip, frameRect(tabStrip, 5, f).marginsRemoved(tabMargins));
    imageSection(skin, QStringLiteral("Tab.Pane"), QStringLiteral("tabpane.bmp"), pane,
                 QMargins(4, 4, 4, 4), false);

    const QImage headers = header(look);
    const QMargins headerMargins(3, 3, 3, 3);
    imageSection(skin, QStringLiteral("Headerbar"), QStringLiteral("header.bmp"), headers,
                 headerMargins, false);
    skin.addGround(ground::Header, headers, frameRect(headers, 5, 1).marginsRemoved(headerMargins));
    skin.addGround(ground::Header, headers, frameRect(headers, 5, 5).marginsRemoved(headerMargins));
    skin.addGround(ground::HeaderHot, headers,
                   frameRect(headers, 5, 2).marginsRemoved(headerMargins));
    skin.addGround(ground::HeaderPressed, headers,
                   frameRect(headers, 5, 3).marginsRemoved(headerMargins));
}

} // namespace skingen
