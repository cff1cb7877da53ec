#include "skin/draw/MenuBarPaint.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"

#include <QPainter>

namespace orvik {

QImage MenuBandImage(const TSkinData& skin, const QSize& band, bool active) {
    QImage image(band.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    const TDataSkinObject* bar = skin.MenuBar();
    if (!bar || !bar->HasImage()) {
        image.fill(ToQColor(skin.MenubarColor()));
        return image;
    }
    image.fill(Qt::black);
    QPainter p(&image);
    const int k = active ? windowcell::Active : windowcell::Inactive;
    // The margins of the bar picture are its left and right parts; it has no top or bottom.
    const QMargins ends(bar->LeftWidth, 0, bar->RightWidth, 0);
    DrawNineSlice(p, bar->Cells, bar->Image, bar->FrameRect(k), image.rect(), ends,
                  bar->Tile == 1 ? TCentreFill::Stretch : TCentreFill::Tile, false);
    return image;
}

void PaintMenuBarItem(QPainter& painter, const TSkinData& skin, const QRect& item,
                      const TMenuBarItemLook& look, const QFont& font) {
    if (item.isEmpty())
        return;
    painter.save();
    if (look.state != TBarItemState::Normal) {
        painter.setPen(ToQColor(skin.ButtonHilightColor()));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(item.adjusted(0, 0, -1, -1));
    }
    painter.setFont(font);
    painter.setPen(ToQColor(look.enabled ? skin.MenuBarTextColor() : skin.ButtonShadowColor()));
    painter.drawText(item, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                     look.caption);
    painter.restore();
}

} // namespace orvik
