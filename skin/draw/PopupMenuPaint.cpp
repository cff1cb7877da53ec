#include "skin/draw/PopupMenuPaint.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/MenuLayout.h"

#include <QPainter>
#include <QPolygon>

namespace orvik {

namespace {

TCentreFill fillOf(const TDataSkinObject& e) {
    return e.Tile == 1 ? TCentreFill::Tile : TCentreFill::Stretch;
}

const TDataSkinObject* pictureOf(const TDataSkinObject* e) {
    return e && e->HasImage() && e->FrameCount > 0 ? e : nullptr;
}

// A groove: the shadow line, the light line under it.
void paintEtchedLine(QPainter& p, int left, int right, int y) {
    p.fillRect(QRect(QPoint(left, y), QPoint(right, y)), ToQColor(SystemColour(COLOR_BTNSHADOW)));
    p.fillRect(QRect(QPoint(left, y + 1), QPoint(right, y + 1)),
               ToQColor(SystemColour(COLOR_BTNHIGHLIGHT)));
}

void paintSeparatorPicture(QPainter& p, const TDataSkinObject& e, const QRect& item) {
    QRect frame = e.FrameRect(menucell::Separator);
    if (frame.isEmpty())
        return;
    // A separator lower than the picture takes the picture's bottom rows.
    if (item.height() < frame.height())
        frame.setTop(frame.bottom() - item.height() + 1);
    DrawNineSlice(p, e.Cells, e.Image, frame, item, QMargins(e.LeftWidth, 0, e.RightWidth, 0),
                  TCentreFill::Stretch, true);
}

void paintCheckMark(QPainter& p, const QRect& column, const QColor& ink, bool exclusive) {
    const QPoint c = column.center();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (exclusive) {
        p.setRenderHint(QPainter::Antialiasing, true);
        p.drawEllipse(QPointF(c) + QPointF(0.5, 0.5), 3.0, 3.0);
    } else {
        // A tick two pixels thick: down three steps, then up four.
        for (int i = 0; i < 7; ++i) {
            const int x = c.x() - 3 + i;
            const int y = i < 3 ? c.y() - 1 + i : c.y() + 1 - (i - 2);
            p.fillRect(QRect(x, y, 1, 3), ink);
        }
    }
    p.restore();
}

void paintCheckedImageGround(QPainter& p, const QRect& column) {
    const QRect box = column.adjusted(1, 1, -1, -1);
    p.fillRect(box, ToQColor(SystemColour(COLOR_BTNFACE)));
    p.fillRect(box, QBrush(ToQColor(SystemColour(COLOR_BTNHIGHLIGHT)), Qt::Dense4Pattern));
    // A sunken edge: shadow at the top and left, highlight at the bottom and right.
    const QColor shadow = ToQColor(SystemColour(COLOR_BTNSHADOW));
    const QColor light = ToQColor(SystemColour(COLOR_BTNHIGHLIGHT));
    p.fillRect(QRect(box.left(), box.top(), box.width(), 1), shadow);
    p.fillRect(QRect(box.left(), box.top(), 1, box.height()), shadow);
    p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), light);
    p.fillRect(QRect(box.right(), box.top(), 1, box.height()), light);
}

void paintArrow(QPainter& p, const QRect& place, const QColor& ink, bool pointsLeft) {
    const QPoint c = place.center();
    p.save();
    for (int i = 0; i < 4; ++i) {
        const int x = pointsLeft ? c.x() + 1 - i : c.x() - 2 + i;
        p.fillRect(QRect(x, c.y() - 3 + i, 1, 7 - 2 * i), ink);
    }
    p.restore();
}

} // namespace

bool HasMenuBackground(const TSkinData& skin) {
    return pictureOf(skin.MenuBackground()) != nullptr;
}

QImage PopupBackground(const TSkinData& skin, const QSize& popup) {
    const TDataSkinObject* e = pictureOf(skin.MenuBackground());
    if (!e || popup.isEmpty())
        return {};
    QImage image(popup, QImage::Format_RGB32);
    image.fill(ToQColor(skin.MenuColor()));
    QPainter p(&image);
    DrawNineSlice(p, e->Cells, e->Image, e->FrameRect(1), image.rect(), e->Margins(), fillOf(*e),
                  false);
    return image;
}

void PaintPopupBorder(QPainter& painter, const QImage& background) {
    if (background.isNull())
        return;
    const int w = background.width(), h = background.height(), b = PopupBorder;
    for (const QRect& r : {QRect(0, 0, w, b), QRect(0, h - b, w, b), QRect(0, b, b, h - 2 * b),
                           QRect(w - b, b, b, h - 2 * b)})
        painter.drawImage(r, background, r);
}

QColor MenuItemTextColour(const TSkinData& skin, const TMenuItemLook& look) {
    if (!look.enabled) {
        const TColor shadow = skin.ButtonShadowColor() == skin.MenuTextColor()
                                  ? SystemColour(COLOR_BTNSHADOW)
                                  : skin.ButtonShadowColor();
        return ToQColor(shadow);
    }
    return ToQColor(look.selected ? skin.HilightTextColor() : skin.MenuTextColor());
}

void PaintMenuItem(QPainter& painter, const TSkinData& skin, const QRect& item,
                   const TMenuItemLook& look, const QFont& font, const QImage* popupBackground) {
    if (item.isEmpty())
        return;
    const TDataSkinObject* e = pictureOf(skin.MenuItem());
    QPainter& p = painter;
    p.save();
    p.setClipRect(item, Qt::IntersectClip);

    // The ground.
    if (popupBackground && !popupBackground->isNull())
        p.drawImage(item, *popupBackground, item);
    else
        p.fillRect(item, ToQColor(skin.MenuColor()));

    if (look.kind == TMenuItemLook::Separator) {
        if (e)
            paintSeparatorPicture(p, *e, item);
        else
            paintEtchedLine(p, item.left(), item.right(), item.top() + 4);
        p.restore();
        return;
    }
    if (e)
        DrawElementCell(p, *e, look.selected ? menucell::Selected : menucell::Normal, item,
                        fillOf(*e));
    else
        p.fillRect(item, ToQColor(look.selected ? skin.HilightColor() : skin.MenuColor()));

    const TMenuItemPlaces places =
        MenuItemPlaces(item.size(), e, look.imageWidth, look.rightToLeft);
    auto at = [&item](QRect r) { return r.translated(item.topLeft()); };
    const QColor ink = MenuItemTextColour(skin, look);

    // The image column: the image (on a sunken, patterned ground when checked) or a check mark.
    const QRect column = at(places.image);
    if (!look.image.isNull()) {
        if (look.checked)
            paintCheckedImageGround(p, column);
        QPixmap image = look.image;
        if (look.imageIsMask) {
            QPainter tint(&image);
            tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
            tint.fillRect(image.rect(), ink);
        }
        const QSize s = image.deviceIndependentSize().toSize();
        p.drawPixmap(QPoint(column.left() + (column.width() - s.width()) / 2,
                            column.top() + (column.height() - s.height()) / 2),
                     image);
    } else if (look.checked) {
        paintCheckMark(p, column, ink, look.exclusive);
    }

    QFont f = font;
    if (look.isDefault)
        f.setBold(true);
    p.setFont(f);
    p.setPen(ink);
    const int flags =
        Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::TextExpandTabs | Qt::AlignVCenter;
    const Qt::Alignment lead = look.rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    const Qt::Alignment trail = look.rightToLeft ? Qt::AlignLeft : Qt::AlignRight;
    p.drawText(at(places.caption), flags | lead, look.caption);
    if (!look.shortcut.isEmpty())
        p.drawText(at(places.shortcut), flags | trail, look.shortcut);
    if (look.kind == TMenuItemLook::SubMenu)
        paintArrow(p, at(places.arrow), ink, look.rightToLeft);
    p.restore();
}

} // namespace orvik
