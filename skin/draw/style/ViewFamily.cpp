#include "skin/draw/style/ViewFamily.h"

#include "skin/data/SkinData.h"
#include "skin/draw/style/StyleKit.h"

#include <QPainter>

namespace orvik::style {

bool DrawViewPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    if (pe != QStyle::PE_PanelItemViewItem && pe != QStyle::PE_PanelItemViewRow)
        return false;
    const auto* opt = call.as<QStyleOptionViewItem>();
    if (!opt || !(opt->state & QStyle::State_Selected))
        return false;
    call.painter->fillRect(opt->rect, SkinColour(call.skin.HilightColor()));
    return true;
}

} // namespace orvik::style
