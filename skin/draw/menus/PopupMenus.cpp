#include "skin/draw/menus/PopupMenus.h"

#include "skin/data/SkinData.h"
#include "skin/draw/MenuSkin.h"
#include "skin/draw/menus/WindowMenus.h"
#include "skin/draw/style/SkinStyle.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {

const char* const SystemMenuMark = "orvikSystemMenu";

// The window a menu belongs to: the one of its nearest parent that is no menu.
QWidget* windowOf(QMenu* menu) {
    QWidget* w = menu->parentWidget();
    while (w && qobject_cast<QMenu*>(w))
        w = w->parentWidget();
    return w ? w->window() : nullptr;
}

} // namespace

TPopupMenus::TPopupMenus(QObject* parent) : QObject(parent) {
    if (qApp)
        qApp->installEventFilter(this);
}

TPopupMenus::~TPopupMenus() {
    if (qApp)
        qApp->removeEventFilter(this);
}

TPopupMenus& TPopupMenus::Program() {
    static QPointer<TPopupMenus> program;
    if (!program)
        program = new TPopupMenus(qApp);
    return *program;
}

TSkinData* TPopupMenus::ChooseSkinData(QMenu* menu) const {
    if (!menu)
        return nullptr;
    if (chooser_)
        return chooser_(menu);
    const TWindowMenus* menus = TWindowMenus::Of(windowOf(menu));
    return menus ? menus->Skin() : nullptr;
}

bool TPopupMenus::Allows(const TSkinData& skin, int kind) {
    const TSkinControls c = skin.SkinControls();
    switch (kind) {
    case mkPopup:
        return c.contains(xcPopupMenu);
    case mkBarDropDown:
        return c.contains(xcMainMenu) || c.contains(xcMenuItem);
    case mkSystemMenu:
        return c.contains(xcSystemMenu);
    default:
        return true;
    }
}

int TPopupMenus::KindOf(const QMenu* menu) {
    // Submenus take the kind of the menu they open from; a menu hangs under at most a few.
    for (int depth = 0; menu && depth < 32; ++depth) {
        if (menu->property(SystemMenuMark).toBool())
            return mkSystemMenu;
        const QMenu* parentMenu = nullptr;
        for (QObject* o : menu->menuAction()->associatedObjects()) {
            if (qobject_cast<QMenuBar*>(o))
                return mkBarDropDown;
            if (auto* m = qobject_cast<QMenu*>(o); m && m != menu)
                parentMenu = m;
        }
        menu = parentMenu;
    }
    return mkPopup;
}

void TPopupMenus::MarkSystemMenu(QMenu* menu) {
    if (menu)
        menu->setProperty(SystemMenuMark, true);
}

TSkinStyle* TPopupMenus::StyleFor(TSkinData* skin) {
    // The same style the controls of the window get, so a menu and its window share one.
    return TSkinStyle::For(skin);
}

bool TPopupMenus::Dress(QMenu* menu, TSkinData* skin, bool barDropDown) {
    if (!menu)
        return false;
    TMenuSkin* companion = skin ? TMenuSkin::Ensure(menu) : TMenuSkin::Of(menu);
    bool changed = false;
    if (companion) {
        changed = companion->Skin() != skin || companion->BarDropDown() != barDropDown;
        companion->SetSkin(skin);
        companion->SetBarDropDown(barDropDown);
    }
    // Consecutive separators show as one, and none leads or ends the menu; the actions stay.
    menu->setSeparatorsCollapsible(true);
    QStyle* style = skin ? static_cast<QStyle*>(StyleFor(skin)) : nullptr;
    const bool ownStyle = menu->testAttribute(Qt::WA_SetStyle);
    if (skin && menu->style() != style) {
        menu->setStyle(style);
        changed = true;
    } else if (!skin && ownStyle && qobject_cast<TSkinStyle*>(menu->style())) {
        menu->setStyle(nullptr);
        changed = true;
    }
    // The same skin with other pictures, or a companion that changed: lay out again.
    const quint64 key = companion ? companion->LayoutKey() : 0;
    if (companion && (changed || key != companion->LaidOutWith())) {
        companion->SetLaidOutWith(key);
        QEvent relayout(QEvent::StyleChange);
        QCoreApplication::sendEvent(menu, &relayout);
        menu->update();
        changed = true;
    }
    return changed;
}

int TPopupMenus::indexOf(const QMenu* menu) const {
    for (int i = 0; i < popups_.size(); ++i)
        if (popups_[i].menu == menu)
            return i;
    return -1;
}

bool TPopupMenus::SkinPopupMenu(QMenu* menu) {
    // A menu deleted while open never said it closed.
    popups_.removeIf([](const TPopup& p) { return p.menu.isNull(); });
    if (!enabled_ || !menu || indexOf(menu) >= 0)
        return false;
    TSkinData* skin = ChooseSkinData(menu);
    if (!skin || skin->Loading() || !Allows(*skin, menuKind_)) {
        // A menu that was skinned before (another window, skins switched off) looks as the
        // system draws it.
        Dress(menu, nullptr, false);
        return false;
    }
    Dress(menu, skin, menuKind_ == mkBarDropDown);
    popups_.append({menu, menuOwnerDraw_});
    return true;
}

void TPopupMenus::UnskinPopupMenu(QMenu* menu) {
    const int i = indexOf(menu);
    if (i >= 0)
        popups_.removeAt(i);
    popups_.removeIf([](const TPopup& p) { return p.menu.isNull(); });
    if (popups_.isEmpty()) {
        menuKind_ = mkPopup;
        menuOwnerDraw_ = false;
    }
}

bool TPopupMenus::IsPopupSkinned(const QMenu* menu) const {
    return menu && indexOf(menu) >= 0;
}

bool TPopupMenus::IsOwnerDrawn(const QMenu* menu) const {
    const int i = indexOf(menu);
    return i >= 0 && popups_[i].ownerDrawn;
}

int TPopupMenus::Count() const {
    return int(std::count_if(popups_.begin(), popups_.end(),
                             [](const TPopup& p) { return !p.menu.isNull(); }));
}

void TPopupMenus::MarkPopupsOwnerDrawn() {
    for (TPopup& p : popups_)
        p.ownerDrawn = true;
}

bool TPopupMenus::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t != QEvent::Show && t != QEvent::Hide)
        return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    if (!menu || !menu->isWindow())
        return false;
    if (t == QEvent::Show) {
        // Every item of a skinned menu is drawn by the skin's item painter.
        menuKind_ = KindOf(menu);
        menuOwnerDraw_ = true;
        SkinPopupMenu(menu);
    } else {
        UnskinPopupMenu(menu);
    }
    return false;
}
