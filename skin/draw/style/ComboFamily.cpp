#include "skin/draw/style/ComboFamily.h"

#include "skin/data/SkinData.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "skin/draw/style/StyleState.h"

#include <QPainter>

namespace orvik::style {

namespace {

// The strip for the control's direction, or nullptr when the skin has none.
const TDataSkinObject* stripFor(const TSkinData& skin, bool rtl) {
    const TDataSkinObject* combo = skin.ComboButton();
    if (!combo || !combo->HasImage())
        return nullptr;
    const TDataSkinObject* sunk = skin.SunkEdge();
    return rtl && sunk && sunk->HasImage() ? sunk : combo;
}

} // namespace

bool DrawComboComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    const auto* opt = call.as<QStyleOptionComboBox>();
    if (cc != QStyle::CC_ComboBox || !opt)
        return false;
    TControlState s = DecodeState(opt);
    const TDataSkinObject* strip = stripFor(call.skin, s.rtl);
    if (!strip)
        return false;
    // An open drop-down shows the button held down.
    s.pressed = s.pressed || (s.enabled && s.checked);
    QPainter& p = *call.painter;
    p.fillRect(opt->rect.adjusted(1, 1, -1, -1), opt->palette.color(QPalette::Base));
    DrawCell(p, *strip, ComboCell(s), opt->rect, true);
    return true;
}

bool DrawComboControl(QStyle::ControlElement ce, const TStyleCall& call) {
    const auto* opt = call.as<QStyleOptionComboBox>();
    if (ce != QStyle::CE_ComboBoxLabel || !opt || opt->editable)
        return false;
    if (!stripFor(call.skin, opt->direction == Qt::RightToLeft))
        return false;
    QPainter& p = *call.painter;
    QRect field = call.style.subControlRect(QStyle::CC_ComboBox, opt, QStyle::SC_ComboBoxEditField,
                                            call.widget);
    p.save();
    p.setClipRect(field);
    if (!opt->currentIcon.isNull()) {
        const QIcon::Mode mode =
            opt->state & QStyle::State_Enabled ? QIcon::Normal : QIcon::Disabled;
        const QPixmap pm = opt->currentIcon.pixmap(opt->iconSize, 1.0, mode);
        QRect at(field.left() + 1, field.top() + (field.height() - opt->iconSize.height()) / 2,
                 opt->iconSize.width(), opt->iconSize.height());
        at = QStyle::visualRect(opt->direction, field, at);
        p.drawPixmap(at, pm);
        field = QStyle::visualRect(opt->direction, field,
                                   field.adjusted(opt->iconSize.width() + 4, 0, 0, 0));
    }
    const QPalette::ColorGroup g =
        opt->state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled;
    p.setPen(opt->palette.color(g, QPalette::Text));
    const Qt::Alignment align =
        QStyle::visualAlignment(opt->direction, Qt::AlignLeft | Qt::AlignVCenter);
    p.drawText(field.adjusted(2, 0, -1, 0), int(align), opt->currentText);
    p.restore();
    return true;
}

bool ComboSubControlRect(QStyle::ComplexControl cc, QStyle::SubControl sc, const TStyleCall& call,
                         QRect& out) {
    const auto* opt = call.as<QStyleOptionComboBox>();
    if (cc != QStyle::CC_ComboBox || !opt)
        return false;
    const bool rtl = opt->direction == Qt::RightToLeft;
    const TDataSkinObject* strip = stripFor(call.skin, rtl);
    if (!strip)
        return false;
    const QRect r = opt->rect;
    const QMargins m = strip->Margins();
    switch (sc) {
    case QStyle::SC_ComboBoxFrame:
        out = r;
        return true;
    case QStyle::SC_ComboBoxEditField:
        out = r.adjusted(m.left() + 1, std::min(m.top(), 3), -(m.right() + 1),
                         -std::min(m.bottom(), 3));
        return true;
    case QStyle::SC_ComboBoxArrow:
        out = rtl ? QRect(r.left(), r.top(), m.left(), r.height())
                  : QRect(r.right() - m.right() + 1, r.top(), m.right(), r.height());
        return true;
    default:
        return false;
    }
}

} // namespace orvik::style
