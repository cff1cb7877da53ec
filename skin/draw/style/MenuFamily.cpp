#include "skin/draw/style/MenuFamily.h"

#include "skin/data/SkinData.h"
#include "skin/draw/MenuBarPaint.h"
#include "skin/draw/MenuLayout.h"
#include "skin/draw/MenuSkin.h"
#include "skin/draw/PopupMenuPaint.h"
#include "skin/draw/style/SkinStyle.h"

#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace orvik::style {

namespace {

// The skin a menu call is painted with: the one its companion names; a call without a widget
// takes the style's skin. Nothing for a widget that is no menu or whose menu is not skinned.
struct TMenuCall {
    const TSkinData* skin = nullptr;
    TMenuSkin* companion = nullptr; // null for a call without a widget
};

TMenuCall menuCall(const TStyleCall& call, bool bar) {
    if (!call.widget)
        return {&call.skin, nullptr};
    const bool isMenu = bar ? qobject_cast<const QMenuBar*>(call.widget) != nullptr
                            : qobject_cast<const QMenu*>(call.widget) != nullptr;
    if (!isMenu)
        return {};
    TMenuSkin* companion = TMenuSkin::Of(call.widget);
    if (!companion || !companion->Skin())
        return {};
    return {companion->Skin(), companion};
}

bool rightToLeft(const TStyleCall& call) {
    if (call.option)
        return call.option->direction == Qt::RightToLeft;
    return call.widget && call.widget->layoutDirection() == Qt::RightToLeft;
}

// --- the menu bar ---

bool windowActive(const TStyleCall& call) {
    if (call.widget)
        return call.widget->isActiveWindow();
    return call.option && (call.option->state & QStyle::State_Active);
}

QImage bandOf(const TStyleCall& call, const TMenuCall& mc, const QSize& size) {
    if (mc.companion)
        return mc.companion->Band(size, windowActive(call));
    return MenuBandImage(*mc.skin, size, windowActive(call));
}

// The band under the whole bar, in the bar's coordinates (the painter's).
QSize barSize(const TStyleCall& call) {
    return call.widget ? call.widget->size() : call.option->rect.size();
}

bool drawBarEmptyArea(const TStyleCall& call) {
    const TMenuCall mc = menuCall(call, true);
    if (!mc.skin || !call.option)
        return false;
    const QImage band = bandOf(call, mc, barSize(call));
    call.painter->drawImage(QPoint(0, 0), band);
    return true;
}

TBarItemState barItemState(QStyle::State s) {
    if (!(s & QStyle::State_Selected))
        return TBarItemState::Normal;
    return (s & QStyle::State_Sunken) ? TBarItemState::Pressed : TBarItemState::Hot;
}

bool drawBarItem(const TStyleCall& call) {
    const auto* mi = call.as<QStyleOptionMenuItem>();
    const TMenuCall mc = menuCall(call, true);
    if (!mc.skin || !mi)
        return false;
    const QRect r = mi->rect;
    if (call.widget) {
        const QImage band = bandOf(call, mc, barSize(call));
        call.painter->drawImage(r, band, r);
    } else {
        call.painter->drawImage(r.topLeft(), MenuBandImage(*mc.skin, r.size(), windowActive(call)));
    }
    TMenuBarItemLook look;
    look.caption = mi->text;
    look.enabled = mi->state & QStyle::State_Enabled;
    look.state = barItemState(mi->state);
    // The item leaves the band's bottom row uncovered.
    PaintMenuBarItem(*call.painter, *mc.skin, r.adjusted(0, 0, 0, -1), look, mi->font);
    return true;
}

// --- popup menus ---

bool hasBackground(const TMenuCall& mc) {
    return mc.skin && HasMenuBackground(*mc.skin);
}

QImage backgroundOf(const TStyleCall& call, const TMenuCall& mc) {
    const QSize size = call.widget ? call.widget->size() : call.option->rect.size();
    if (mc.companion)
        return mc.companion->Background(size);
    return PopupBackground(*mc.skin, size);
}

bool drawPopupPanel(const TStyleCall& call) {
    const TMenuCall mc = menuCall(call, false);
    if (!hasBackground(mc) || !call.option)
        return false;
    call.painter->drawImage(QPoint(0, 0), backgroundOf(call, mc));
    return true;
}

bool drawPopupFrame(const TStyleCall& call) {
    const TMenuCall mc = menuCall(call, false);
    if (!hasBackground(mc) || !call.option)
        return false;
    PaintPopupBorder(*call.painter, backgroundOf(call, mc));
    return true;
}

int iconSize(const TStyleCall& call) {
    return call.style.pixelMetric(QStyle::PM_SmallIconSize, call.option, call.widget);
}

TMenuItemLook lookOf(const TStyleCall& call, const QStyleOptionMenuItem& mi) {
    TMenuItemLook look;
    switch (mi.menuItemType) {
    case QStyleOptionMenuItem::Separator:
        look.kind = TMenuItemLook::Separator;
        break;
    case QStyleOptionMenuItem::SubMenu:
        look.kind = TMenuItemLook::SubMenu;
        break;
    default:
        look.kind = TMenuItemLook::Normal;
    }
    look.enabled = mi.state & QStyle::State_Enabled;
    look.selected = look.enabled && (mi.state & QStyle::State_Selected);
    look.checked = mi.checkType != QStyleOptionMenuItem::NotCheckable && mi.checked;
    look.exclusive = mi.checkType == QStyleOptionMenuItem::Exclusive;
    look.isDefault = mi.menuItemType == QStyleOptionMenuItem::DefaultItem;
    look.rightToLeft = mi.direction == Qt::RightToLeft;
    const qsizetype tab = mi.text.indexOf(QLatin1Char('\t'));
    look.caption = tab < 0 ? mi.text : mi.text.left(tab);
    look.shortcut = tab < 0 ? QString() : mi.text.mid(tab + 1);
    const int icon = iconSize(call);
    look.imageWidth = mi.maxIconWidth > 0 ? icon : 0;
    if (!mi.icon.isNull()) {
        const qreal dpr = call.painter ? call.painter->device()->devicePixelRatio() : 1.0;
        look.image =
            mi.icon.pixmap(QSize(icon, icon), dpr, look.enabled ? QIcon::Normal : QIcon::Disabled);
        look.imageIsMask = mi.icon.isMask();
    }
    return look;
}

bool drawPopupItem(const TStyleCall& call) {
    const auto* mi = call.as<QStyleOptionMenuItem>();
    const TMenuCall mc = menuCall(call, false);
    if (!mc.skin || !mi)
        return false;
    const QImage background = hasBackground(mc) ? backgroundOf(call, mc) : QImage();
    if (mi->menuItemType == QStyleOptionMenuItem::EmptyArea) {
        if (background.isNull())
            call.painter->fillRect(mi->rect, ToQColor(mc.skin->MenuColor()));
        else
            call.painter->drawImage(mi->rect, background, mi->rect);
        return true;
    }
    if (mi->menuItemType == QStyleOptionMenuItem::Scroller ||
        mi->menuItemType == QStyleOptionMenuItem::TearOff ||
        mi->menuItemType == QStyleOptionMenuItem::Margin)
        return false;
    const TMenuItemLook look = lookOf(call, *mi);
    PaintMenuItem(*call.painter, *mc.skin, mi->rect, look, mi->font,
                  background.isNull() ? nullptr : &background);
    return true;
}

} // namespace

bool DrawMenuPrimitive(QStyle::PrimitiveElement pe, const TStyleCall& call) {
    switch (pe) {
    case QStyle::PE_PanelMenu:
        return drawPopupPanel(call);
    case QStyle::PE_FrameMenu:
        return drawPopupFrame(call);
    case QStyle::PE_PanelMenuBar:
        // The band is the bar's empty area and the ground of its items; it has no frame.
        return menuCall(call, true).skin != nullptr;
    default:
        return false;
    }
}

bool DrawMenuControl(QStyle::ControlElement ce, const TStyleCall& call) {
    switch (ce) {
    case QStyle::CE_MenuBarEmptyArea:
        return drawBarEmptyArea(call);
    case QStyle::CE_MenuBarItem:
        return drawBarItem(call);
    case QStyle::CE_MenuItem:
    case QStyle::CE_MenuEmptyArea:
        return drawPopupItem(call);
    default:
        return false;
    }
}

bool MenuMetric(QStyle::PixelMetric pm, const TStyleCall& call, int& out) {
    switch (pm) {
    case QStyle::PM_MenuBarPanelWidth:
    case QStyle::PM_MenuBarItemSpacing:
    case QStyle::PM_MenuBarVMargin:
        if (!menuCall(call, true).skin)
            return false;
        out = 0;
        return true;
    case QStyle::PM_MenuBarHMargin: {
        const TMenuCall mc = menuCall(call, true);
        if (!mc.skin)
            return false;
        const int width = call.widget   ? call.widget->width()
                          : call.option ? call.option->rect.width()
                                        : 0;
        out = MenuBarItemStart(mc.skin->MenuBar(), width, rightToLeft(call));
        return true;
    }
    case QStyle::PM_MenuPanelWidth:
    case QStyle::PM_MenuHMargin:
    case QStyle::PM_MenuVMargin: {
        // Without a background picture the popup keeps the system's frame and margins.
        const TMenuCall mc = menuCall(call, false);
        if (!hasBackground(mc))
            return false;
        out = pm == QStyle::PM_MenuPanelWidth ? PopupBorder : 0;
        return true;
    }
    default:
        return false;
    }
}

bool MenuContentsSize(QStyle::ContentsType ct, const TStyleCall& call, const QSize& contents,
                      QSize& out) {
    if (ct == QStyle::CT_MenuBarItem) {
        const TMenuCall mc = menuCall(call, true);
        const auto* mi = call.as<QStyleOptionMenuItem>();
        if (!mc.skin || !mi)
            return false;
        const int fontHeight = QFontMetrics(mi->font).height();
        out = QSize(MenuBarItemWidth(contents.width()), MenuBandHeight(fontHeight));
        return true;
    }
    if (ct == QStyle::CT_MenuItem) {
        const TMenuCall mc = menuCall(call, false);
        const auto* mi = call.as<QStyleOptionMenuItem>();
        if (!mc.skin || !mi)
            return false;
        TMenuItemMeasure m;
        m.separator = mi->menuItemType == QStyleOptionMenuItem::Separator;
        m.textWidth = contents.width();
        m.textHeight = std::max(contents.height(), QFontMetrics(mi->font).height());
        m.imageWidth = mi->maxIconWidth > 0 ? iconSize(call) : 0;
        m.barDropDown = mc.companion && mc.companion->BarDropDown();
        out = MenuItemSize(mc.skin->MenuItem(), m);
        // The menu gives no place to an item without width; the column's width is the widest's.
        out.setWidth(std::max(out.width(), 1));
        return true;
    }
    return false;
}

bool MenuStyleHint(QStyle::StyleHint sh, const TStyleCall& call, int& out) {
    switch (sh) {
    case QStyle::SH_MenuBar_AltKeyNavigation:
        // Alt alone selects the bar, and Alt with a menu open ends the menu tracking.
        if (!menuCall(call, true).skin && !menuCall(call, false).skin)
            return false;
        out = 1;
        return true;
    default:
        return false;
    }
}

} // namespace orvik::style
