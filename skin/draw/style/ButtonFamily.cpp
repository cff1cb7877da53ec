#include "skin/draw/style/ButtonFamily.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "skin/draw/style/StyleState.h"

#include <QPainter>
#include <QPen>
#include <QWidget>

namespace orvik::style {

namespace {

constexpr int GlyphSpacing = 4;

bool hasFace(const TSkinData& skin) {
    return skin.Buttons() && skin.Buttons()->HasImage();
}

void drawFace(const TStyleCall& call, const QRect& r, int cell) {
    QPainter& p = *call.painter;
    if (!TSkinStyle::LookOf(call.widget).parentBackground &&
        !call.skin.Options().contains(xoTransparent))
        p.fillRect(r, FaceColour(call.skin));
    DrawCell(p, *call.skin.Buttons(), cell, r);
}

// The caption, and the picture before it, centred together in the button.
void drawContents(const TStyleCall& call, const QStyleOptionButton& opt, int cell,
                  const TControlState& s) {
    QPainter& p = *call.painter;
    const QRect inner = opt.rect.adjusted(2, 2, -2, -2);
    const QString caption = ButtonCaption(opt.text);
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    p.save();
    p.setFont(call.widget ? call.widget->font() : p.font());
    const QFontMetrics fm = p.fontMetrics();
    QRect text = caption.isEmpty() ? QRect() : fm.boundingRect(inner, flags, caption);
    QSize icon;
    if (!opt.icon.isNull())
        icon = opt.iconSize;
    const int gap = !icon.isEmpty() && !caption.isEmpty() ? GlyphSpacing : 0;
    const int total = icon.width() + gap + text.width();
    int x = inner.left() + (inner.width() - total) / 2;
    if (!icon.isEmpty()) {
        const QIcon::Mode mode = s.enabled ? QIcon::Normal : QIcon::Disabled;
        const qreal dpr = p.device() ? p.device()->devicePixelRatio() : 1.0;
        const QPixmap pm = opt.icon.pixmap(icon, dpr, mode, s.checked ? QIcon::On : QIcon::Off);
        const QRect at(QPoint(x, inner.top() + (inner.height() - icon.height()) / 2), icon);
        p.drawPixmap(QStyle::visualRect(opt.direction, opt.rect, at), pm);
        x += icon.width() + gap;
    }
    if (!caption.isEmpty()) {
        text.moveLeft(x);
        text = QStyle::visualRect(opt.direction, opt.rect, text);
        p.setPen(ButtonTextColour(call.skin, cell));
        p.drawText(text, flags, caption);
        if (s.focused && !call.skin.Options().contains(xoNoFocusRect)) {
            QPen pen(ButtonTextColour(call.skin, cell), 1, Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.setClipRect(opt.rect);
            p.drawRect(text.adjusted(-2, -2, 1, 1));
        }
    }
    p.restore();
}

} // namespace

QColor ButtonTextColour(const TSkinData& skin, int cell) {
    const TDataSkinButton* b = skin.Buttons();
    if (cell == buttoncell::Disabled)
        return SkinColour(skin.ButtonShadowColor());
    if (b) {
        if (cell == buttoncell::Normal && b->HasNormalColour2)
            return SkinColour(b->NormalColour2);
        if (cell == buttoncell::Hot && b->HasMouseOverColour2)
            return SkinColour(b->MouseOverColour2);
        if (cell == buttoncell::Pressed && b->HasPressedColour2)
            return SkinColour(b->PressedColour2);
    }
    return SkinColour(skin.ButtonTextColor());
}

bool DrawButtonControl(QStyle::ControlElement ce, const TStyleCall& call) {
    if (ce != QStyle::CE_PushButton || !hasFace(call.skin))
        return false;
    const auto* opt = call.as<QStyleOptionButton>();
    if (!opt)
        return false;
    const TControlState s = DecodeState(opt);
    const int cell = ButtonCell(s);
    drawFace(call, opt->rect, cell);
    drawContents(call, *opt, cell, s);
    return true;
}

bool DrawButtonComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    if (cc != QStyle::CC_ToolButton || !hasFace(call.skin))
        return false;
    const auto* opt = call.as<QStyleOptionToolButton>();
    if (!opt || opt->features & QStyleOptionToolButton::MenuButtonPopup)
        return false;
    const TControlState s = DecodeState(opt);
    const int cell = ButtonCell(s);
    // A flat tool button shows its face only while the mouse is over it or it is down.
    const bool flat = opt->state & QStyle::State_AutoRaise;
    if (!flat || s.hot || s.pressed || s.checked)
        drawFace(call, opt->rect, cell);
    QStyleOptionToolButton label = *opt;
    label.rect =
        call.style.subControlRect(QStyle::CC_ToolButton, opt, QStyle::SC_ToolButton, call.widget);
    label.palette.setColor(QPalette::ButtonText, ButtonTextColour(call.skin, cell));
    call.style.FusionControl(QStyle::CE_ToolButtonLabel, &label, call.painter, call.widget);
    return true;
}

} // namespace orvik::style
