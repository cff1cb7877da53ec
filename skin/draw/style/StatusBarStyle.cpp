#include "skin/draw/style/StatusBarStyle.h"

#include "skin/data/NineSlice.h"
#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/PartCells.h"
#include "skin/draw/style/SkinStyle.h"

#include <QPainter>
#include <QSizeGrip>
#include <QStatusBar>

namespace orvik::style {

namespace {

const QString SavedPaletteName = QStringLiteral("orvik_statuspalette");

// The palette a status bar had before it was skinned, and whether it was its own.
class TSavedPalette : public QObject {
public:
    TSavedPalette(QWidget* bar)
        : QObject(bar), palette(bar->palette()), own(bar->testAttribute(Qt::WA_SetPalette)) {
        setObjectName(SavedPaletteName);
    }
    QPalette palette;
    bool own;
};

TBevel bevelOf(const QWidget* panel) {
    const QString b = panel ? panel->property("Bevel").toString().toLower() : QString();
    if (b == QLatin1String("raised"))
        return TBevel::Raised;
    if (b == QLatin1String("none"))
        return TBevel::None;
    return TBevel::Lowered;
}

bool hasPanels(const QWidget* bar) {
    if (!bar)
        return false;
    for (const QObject* child : bar->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (w && !w->isWindow() && w->isVisible() && !qobject_cast<const QSizeGrip*>(w))
            return true;
    }
    return false;
}

QColor statusText(const TSkinData& skin) {
    const TDataSkinObject* e = skin.StatusBarEdges();
    return ToQColor(e ? e->NormalColour2 : skin.ButtonTextColor());
}

} // namespace

bool DrawStatusBarPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    const TDataSkinObject* e = Usable(call.skin.StatusBarEdges());
    if (!e || !call.painter || !call.option)
        return false;
    const TCentreFill fill = e->Tile ? TCentreFill::Tile : TCentreFill::Stretch;
    switch (pe) {
    case QStyle::PE_PanelStatusBar:
        call.painter->fillRect(call.option->rect, ToQColor(call.skin.ButtonFaceColor()));
        if (!hasPanels(call.widget))
            DrawElementCell(*call.painter, *e, statuscell::Lowered, call.option->rect, fill);
        return true;
    case QStyle::PE_FrameStatusBarItem:
        DrawElementCell(*call.painter, *e, StatusCell(bevelOf(call.widget)), call.option->rect,
                        fill);
        return true;
    default:
        return false;
    }
}

bool DrawStatusBarControl(QStyle::ControlElement ce, const TStyleCall& call) {
    const TDataSkinObject* extra = Usable(call.skin.ExtraImages());
    const auto* grip = call.as<QStyleOptionSizeGrip>();
    if (ce != QStyle::CE_SizeGrip || !extra || !grip || !call.painter)
        return false;
    const QRect cell = extra->FrameRect(extracell::SizeGrip);
    if (cell.isEmpty())
        return false;
    const QRect r = grip->rect;
    const bool left = grip->corner == Qt::BottomLeftCorner || grip->corner == Qt::TopLeftCorner;
    const bool top = grip->corner == Qt::TopLeftCorner || grip->corner == Qt::TopRightCorner;
    const QRect at(left ? r.left() : r.right() - cell.width() + 1,
                   top ? r.top() : r.bottom() - cell.height() + 1, cell.width(), cell.height());
    if (left || top) {
        const QImage turned = extra->Image.copy(cell).mirrored(left, top);
        DrawGlyphCentred(*call.painter, turned, turned.rect(), at);
    } else {
        DrawGlyphCentred(*call.painter, extra->Cells, extra->Image, cell, at);
    }
    return true;
}

void PolishStatusBar(TSkinStyle& style, QWidget* widget) {
    auto* bar = qobject_cast<QStatusBar*>(widget);
    const TSkinData* skin = style.SkinData();
    if (!bar || !skin || !style.Paints(bar) || !Usable(skin->StatusBarEdges()))
        return;
    if (!bar->findChild<QObject*>(SavedPaletteName, Qt::FindDirectChildrenOnly))
        new TSavedPalette(bar);
    bar->setPalette(
        WithTextColour(bar->palette(), statusText(*skin), ToQColor(skin->ButtonShadowColor())));
}

void UnpolishStatusBar(TSkinStyle&, QWidget* widget) {
    auto* bar = qobject_cast<QStatusBar*>(widget);
    if (!bar)
        return;
    auto* saved = static_cast<TSavedPalette*>(
        bar->findChild<QObject*>(SavedPaletteName, Qt::FindDirectChildrenOnly));
    if (!saved)
        return;
    bar->setPalette(saved->own ? saved->palette : QPalette());
    delete saved;
}

} // namespace orvik::style
