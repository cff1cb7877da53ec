// Popup menus: the item strip (normal, separator, selected) and the menu background.
#include "tools/orvik-skingen/Canvas.h"
#include "tools/orvik-skingen/Colours.h"
#include "tools/orvik-skingen/Shapes.h"
#include "tools/orvik-skingen/SkinBuild.h"

#include <QPainter>

namespace skingen {

namespace {

constexpr int ItemW = 24, ItemH = 20, SeparatorRows = 8;

// Menu items: 1 normal (see-through, the menu background shows), 2 separator, 3 disabled
// (see-through), 4 selected, 5 selected but disabled.
QImage menuItems(const Look& look) {
    QList<QImage> frames;
    for (int f = 1; f <= 5; ++f) {
        QImage layer = newLayer(ItemW, ItemH);
        QPainter p(&layer);
        if (f == 2) {
            // A groove across the lower rows: the separator painter uses the bottom rows of
            // the frame when the item is lower than the picture.
            const int y = ItemH - SeparatorRows + SeparatorRows / 2 - 1;
            p.fillRect(QRect(2, y, ItemW - 4, 1), look.shadow);
            p.fillRect(QRect(2, y + 1, ItemW - 4, 1),
                       look.dark ? shade(look.menu, 0.12) : look.light);
        } else if (f == 4 || f == 5) {
            drawSurface(p, QRectF(1, 1, ItemW - 2, ItemH - 2), Corners(look.radius),
                        f == 4 ? look.selection : look.accentDisabled, 0, 0, look);
        }
        p.end();
        frames.append(flatten(layer, look.menu));
    }
    return joinFrames(frames, Qt::Horizontal);
}

QImage menuBackground(const Look& look) {
    const int n = 24;
    QImage img(n, n, QImage::Format_RGB32);
    img.fill(look.menu);
    QPainter p(&img);
    const QColor lit = look.dark ? shade(look.menu, 0.1) : shade(look.menu, 0.6);
    const QColor dim = shade(look.menu, look.dark ? -0.15 : -0.08);
    p.fillRect(QRect(1, 1, n - 2, 1), lit);
    p.fillRect(QRect(1, 1, 1, n - 2), lit);
    p.fillRect(QRect(1, n - 2, n - 2, 1), dim);
    p.fillRect(QRect(n - 2, 1, 1, n - 2), dim);
    p.setPen(shade(look.outline, look.dark ? -0.2 : 0.0));
    p.drawRect(0, 0, n - 1, n - 1);
    p.end();
    return img;
}

} // namespace

void buildMenus(SkinBuild& skin) {
    const Look& look = skin.look();
    const QImage items = menuItems(look);
    const QMargins itemMargins(5, 3, 5, 3);
    Section& item = skin.section(QStringLiteral("MenuItem"));
    item.set(QStringLiteral("Image"), skin.addPicture(QStringLiteral("menuitem.bmp"), items));
    item.setMargins(itemMargins);
    item.set(QStringLiteral("Trans"), 1);
    item.set(QStringLiteral("Tile"), 0);
    skin.addGround(ground::MenuSelected, items, frameRect(items, 5, 4).marginsRemoved(itemMargins));

    const QImage back = menuBackground(look);
    Section& bg = skin.section(QStringLiteral("MenuBackground"));
    bg.set(QStringLiteral("Image"), skin.addPicture(QStringLiteral("menubackground.bmp"), back));
    bg.setMargins(QMargins(3, 3, 3, 3));
    bg.set(QStringLiteral("Trans"), 0);
    bg.set(QStringLiteral("Tile"), 0);
    skin.addGround(ground::Menu, back, back.rect().adjusted(3, 3, -3, -3));
    skin.addGround(ground::Menu, look.menu);
}

} // namespace skingen
