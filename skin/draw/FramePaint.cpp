#include "skin/draw/FramePaint.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"

#include <QFont>
#include <QPainter>

namespace orvik {

namespace {

int windowCell(const TDataSkinObject& part, bool active) {
    return active || part.FrameCount < 2 ? windowcell::Active : windowcell::Inactive;
}

// A border part: stretched in the middle when its stretch flag is 1, else tiled.
void drawPart(QPainter& p, const TDataSkinBorder& part, bool active, const QRect& target) {
    if (target.isEmpty())
        return;
    DrawElementCell(p, part, windowCell(part, active), target,
                    part.Tile == 1 ? TCentreFill::Stretch : TCentreFill::Tile);
}

void drawCaption(QPainter& p, const TSkinData& skin, const TFrameLayout& layout,
                 const QFont& font) {
    if (layout.text.isEmpty())
        return;
    const TDataSkinTitle& title = *skin.Title();
    const bool active = layout.state.active;
    if (title.HasImage()) {
        // The text background: its left and right parts unscaled, the middle repeated.
        const int k = active || title.FrameCount < 2 ? windowcell::Active : windowcell::Inactive;
        DrawNineSlice(p, title.Cells, title.Image, title.FrameRect(k), layout.text,
                      QMargins(title.TxtBackLeft, 0, title.TxtBackRight, 0), TCentreFill::Tile,
                      true);
    }
    if (layout.elidedCaption.isEmpty())
        return;
    const QRect textArea = layout.text.adjusted(title.TxtBackLeft, layout.textShiftY,
                                                -title.TxtBackRight, layout.textShiftY);
    p.save();
    p.setFont(font);
    p.setPen(ToQColor(active ? skin.TitleTextActiveColor() : skin.TitleTextNoActiveColor()));
    const Qt::Alignment h = layout.state.rightToLeft ? Qt::AlignRight : Qt::AlignLeft;
    p.drawText(textArea, int(h | Qt::AlignVCenter | Qt::TextSingleLine), layout.elidedCaption);
    p.restore();
}

void drawButton(QPainter& p, const TCaptionButtonPlace& place, bool active, TButtonLook look,
                const QImage& icon) {
    const TDataSkinSysButton& b = *place.button;
    if (action::ShowsIcon(b.Action) && !icon.isNull()) {
        p.drawImage(place.rect.topLeft(), icon);
        return;
    }
    QRect frame = b.FrameRect(CaptionButtonCell(b, active, look));
    if (frame.isEmpty())
        frame = b.FrameRect(captioncell::Normal);
    if (frame.isEmpty())
        return;
    p.drawImage(place.rect.topLeft(), b.Cells.Get(b.Image, true), frame);
}

} // namespace

int CaptionButtonCell(const TDataSkinSysButton& b, bool windowActive, TButtonLook look) {
    switch (look) {
    case TButtonLook::Pressed:
        return captioncell::Pressed;
    case TButtonLook::Hot:
        return captioncell::Hot;
    case TButtonLook::Idle:
        break;
    }
    return windowActive || b.FrameCount < 4 ? captioncell::Normal : captioncell::Inactive;
}

void PaintFrame(QPainter& p, const TSkinData& skin, const TFrameLayout& layout,
                const QFont& captionFont, const TFrameLook& look) {
    const TFrameState& s = layout.state;
    if (s.kind == TBorderKind::None || skin.Loading() || s.size.isEmpty())
        return;
    const TBorderSizes& b = layout.borders;
    const int w = s.size.width(), h = s.size.height();
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    drawPart(p, *skin.Left(), s.active, QRect(0, 0, b.left, h));
    drawPart(p, *skin.Right(), s.active, QRect(w - b.right, 0, b.right, h));
    drawPart(p, *skin.Bottom(), s.active,
             QRect(b.left, h - b.bottom, w - b.left - b.right, b.bottom));
    drawPart(p, *skin.Top(), s.active, QRect(b.left, 0, w - b.left - b.right, b.title));
    drawCaption(p, skin, layout, captionFont);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (int i = 0; i < layout.buttons.size(); ++i) {
        const TButtonLook state = i == look.hotButton ? look.hotLook : TButtonLook::Idle;
        drawButton(p, layout.buttons[i], s.active, state, look.icon);
    }
    p.restore();
}

const QImage& TFrameComposer::Compose(const TSkinData& skin, const TFrameLayout& layout,
                                      const QFont& captionFont, const TFrameLook& look) {
    const QSize size = layout.state.size;
    if (size.isEmpty()) {
        image_ = QImage();
        return image_;
    }
    const bool fresh = image_.size() != size;
    if (fresh) {
        image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image_.fill(Qt::transparent);
    }
    QPainter p(&image_);
    if (!fresh) {
        // Only the frame was painted: clear it, the inside has stayed transparent.
        const QRect all(QPoint(0, 0), size);
        const QRect client = layout.Client();
        p.setCompositionMode(QPainter::CompositionMode_Clear);
        if (client.isEmpty()) {
            p.fillRect(all, Qt::transparent);
        } else {
            p.fillRect(QRect(0, 0, size.width(), client.top()), Qt::transparent);
            p.fillRect(
                QRect(0, client.bottom() + 1, size.width(), size.height() - client.bottom() - 1),
                Qt::transparent);
            p.fillRect(QRect(0, client.top(), client.left(), client.height()), Qt::transparent);
            p.fillRect(QRect(client.right() + 1, client.top(), size.width() - client.right() - 1,
                             client.height()),
                       Qt::transparent);
        }
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    PaintFrame(p, skin, layout, captionFont, look);
    return image_;
}

} // namespace orvik
