#include "skin/draw/style/GroupFamily.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"
#include "skin/draw/style/StyleState.h"

#include <QPainter>

namespace orvik::style {

// Where the label picture lies behind a caption: a little wider than the text, at least as
// high as the picture, centred on it.
QRect GroupLabelBack(const TDataSkinBoxLabel& label, const QRect& text) {
    const int h = std::max(text.height(), label.Image.height());
    const int side = std::max(4, std::min(label.LeftWidth, label.RightWidth) / 2 + 2);
    return QRect(text.left() - side, text.center().y() - h / 2 + 1, text.width() + 2 * side, h);
}

bool DrawGroupComplex(QStyle::ComplexControl cc, const TStyleCall& call) {
    const TDataSkinObject* edge = call.skin.GroupBoxEdge();
    const auto* opt = call.as<QStyleOptionGroupBox>();
    if (cc != QStyle::CC_GroupBox || !opt || !edge || !edge->HasImage())
        return false;
    QPainter& p = *call.painter;
    const TControlState s = DecodeState(opt);
    p.fillRect(opt->rect, FaceColour(call.skin));
    if (opt->subControls & QStyle::SC_GroupBoxFrame) {
        const QRect frame =
            call.style.subControlRect(cc, opt, QStyle::SC_GroupBoxFrame, call.widget);
        DrawCell(p, *edge, s.enabled ? groupcell::Enabled : groupcell::Disabled, frame);
    }
    if ((opt->subControls & QStyle::SC_GroupBoxLabel) && !opt->text.isEmpty()) {
        const QRect text =
            call.style.subControlRect(cc, opt, QStyle::SC_GroupBoxLabel, call.widget);
        const TDataSkinBoxLabel* label = call.skin.GroupBox();
        QColor ink = SkinColour(call.skin.WindowTextColor());
        if (label && label->HasImage()) {
            DrawCell(p, *label, 1, GroupLabelBack(*label, text));
            ink = SkinColour(label->NormalColour2);
        } else {
            p.fillRect(text.adjusted(-2, 0, 2, 0), FaceColour(call.skin));
        }
        if (!s.enabled)
            ink = SkinColour(call.skin.ButtonShadowColor());
        p.save();
        p.setPen(ink);
        p.drawText(text, Qt::AlignCenter | Qt::TextShowMnemonic, opt->text);
        p.restore();
    }
    if (opt->subControls & QStyle::SC_GroupBoxCheckBox) {
        QStyleOptionButton box;
        box.QStyleOption::operator=(*opt);
        box.rect = call.style.subControlRect(cc, opt, QStyle::SC_GroupBoxCheckBox, call.widget);
        call.style.drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &p, call.widget);
    }
    return true;
}

} // namespace orvik::style
