#include "skin/draw/MenuLayout.h"

#include "skin/data/SkinObjects.h"

#include <algorithm>

namespace orvik {

namespace {
bool hasPicture(const TDataSkinObject* e) {
    return e && e->HasImage();
}
} // namespace

int MenuBandHeight(int fontHeight) {
    return std::max(20, fontHeight + 6);
}

int MenuBarItemStart(const TDataSkinObject* bar, int bandWidth, bool rightToLeft) {
    if (!hasPicture(bar))
        return 6;
    const int start = rightToLeft ? bar->RightWidth + 8 : bar->LeftWidth + 4;
    return bandWidth < start ? 12 : start;
}

int MenuBarItemWidth(int captionWidth) {
    return captionWidth > 0 ? captionWidth + 10 : 0;
}

QList<QRect> MenuBarItemRects(const QList<int>& widths, int start, const QSize& band,
                              bool rightToLeft) {
    QList<QRect> rects;
    rects.reserve(widths.size());
    const int height = std::max(0, band.height() - 1);
    int x = start;
    for (int w : widths) {
        if (w <= 0) {
            rects.append(QRect());
            continue;
        }
        const QRect r(rightToLeft ? band.width() - x - w : x, 0, w, height);
        rects.append(r);
        x += w;
    }
    return rects;
}

QSize MenuItemSize(const TDataSkinObject* menuItem, const TMenuItemMeasure& m) {
    if (m.separator)
        return QSize(0, 8);
    const int margin = hasPicture(menuItem) ? std::max(0, menuItem->LeftWidth) : 0;
    int width = m.textWidth;
    if (m.imageWidth > 0)
        width += m.imageWidth + 22;
    if (m.barDropDown)
        width += margin + 10 + (m.imageWidth > 0 ? 0 : 25);
    else
        width += margin + 12 + (m.imageWidth > 0 ? 0 : 23);
    const int height = std::max({m.textHeight, m.imageHeight, MenuImageWidth}) + 4;
    return QSize(width, height);
}

TMenuItemPlaces MenuItemPlaces(const QSize& item, const TDataSkinObject* menuItem, int imageWidth,
                               bool rightToLeft) {
    const int margin = hasPicture(menuItem) ? std::max(0, menuItem->LeftWidth) : 0;
    const int h = item.height();
    TMenuItemPlaces p;
    p.image = QRect(margin + 1, 0, std::max(imageWidth, MenuImageWidth), h);
    const int captionLeft = p.image.right() + 1 + MenuCaptionGap;
    const int end = item.width() - MenuShortcutEnd;
    p.caption = QRect(captionLeft, 0, std::max(0, end - captionLeft), h);
    p.shortcut = p.caption;
    p.arrow = QRect(end, 0, MenuShortcutEnd, h);
    if (rightToLeft) {
        for (QRect* r : {&p.image, &p.caption, &p.shortcut, &p.arrow})
            r->moveLeft(item.width() - r->left() - r->width());
    }
    return p;
}

} // namespace orvik
