#include "skin/draw/style/HeaderStyle.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/PartCells.h"
#include "skin/draw/style/SkinStyle.h"

#include <QHeaderView>
#include <QPainter>

namespace orvik::style {

namespace {

QColor captionColour(const TDataSkinObject& e, const TPartState& s) {
    if (s.pressed)
        return ToQColor(e.PressedColour2);
    return ToQColor(s.hot ? e.MouseOverColour2 : e.NormalColour2);
}

} // namespace

bool DrawHeaderControl(QStyle::ControlElement ce, const TStyleCall& call) {
    const TDataSkinObject* e = Usable(call.skin.Headerbar());
    if (!e || !call.painter || !call.option)
        return false;
    const TCentreFill fill = e->Tile ? TCentreFill::Tile : TCentreFill::Stretch;
    switch (ce) {
    case QStyle::CE_HeaderSection:
        DrawElementCell(*call.painter, *e, HeaderCell(PartStateOf(call.option)), call.option->rect,
                        fill);
        return true;
    case QStyle::CE_HeaderEmptyArea:
        DrawElementCell(*call.painter, *e, HeaderCell(TPartState{}), call.option->rect, fill);
        return true;
    case QStyle::CE_HeaderLabel: {
        const auto* h = call.as<QStyleOptionHeader>();
        if (!h)
            return false;
        QStyleOptionHeader label(*h);
        label.palette = WithTextColour(h->palette, captionColour(*e, PartStateOf(h)),
                                       ToQColor(call.skin.ButtonShadowColor()));
        call.style.FusionControl(ce, &label, call.painter, call.widget);
        return true;
    }
    default:
        return false;
    }
}

void PolishHeader(TSkinStyle&, QWidget* widget) {
    if (auto* header = qobject_cast<QHeaderView*>(widget)) {
        header->setAttribute(Qt::WA_Hover, true);
        header->viewport()->setAttribute(Qt::WA_Hover, true);
    }
}

} // namespace orvik::style
