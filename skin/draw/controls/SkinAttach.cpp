#include "skin/draw/controls/SkinAttach.h"

#include "skin/data/SkinData.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/controls/SkinControl.h"
#include "skin/draw/controls/SkinFactory.h"
#include "skin/draw/style/SkinStyle.h"
#include "skin/draw/style/StyleKit.h"

#include <QApplication>
#include <QHash>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

TSkinControlSet::TSkinControlSet(QWidget* window) : QObject(window) {
    setObjectName(QStringLiteral("SkinControlSet"));
}

TSkinControlSet* TSkinControlSet::Of(const QWidget* window) {
    return window ? window->findChild<TSkinControlSet*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QList<TSkinControl*> TSkinControlSet::Controls() const {
    QList<TSkinControl*> out;
    for (const auto& c : controls_)
        if (c)
            out.append(c.data());
    return out;
}

namespace orvik {

namespace {

// A widget's own companion, else (for the parts of a skinned control that the style is asked
// about, such as a scroll bar a view got later) the nearest one above it in its window.
TControlLook lookOf(const QWidget* widget) {
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        if (const TSkinControl* c = TSkinControl::Of(w))
            return {c->Paints(), w == widget && c->ParentBackground()};
    }
    return {false, false};
}

// Controls inside another window (a drop-down list, a dialog opened from this one) belong to
// that window; menus have skinners of their own.
bool belongsToWindow(const QWidget* w, const QWidget* window) {
    if (qobject_cast<const QMenu*>(w) || qobject_cast<const QMenuBar*>(w))
        return false;
    for (const QWidget* p = w; p && p != window; p = p->parentWidget()) {
        if (p->isWindow())
            return false;
    }
    return true;
}

// Gives one control its skinner when the factory picks one; itemKinds carries the family that
// the items of radio and check groups take. Returns whether a companion was made.
bool attachOne(QWidget* window, QWidget* w, TSkinData& skin, QObject* sender,
               QList<QPointer<TSkinControl>>& out, QHash<const QWidget*, TControlKind>& itemKinds) {
    if (SendSkinMessage(w, SKM_ISSKINNED) == 1)
        return false;
    TSkinnerChoice c = ChooseSkinner(sender, skin, window, w);
    if (const TControlKind forced = itemKinds.value(w->parentWidget(), TControlKind::None);
        forced != TControlKind::None && c.kind != TControlKind::None && !c.custom)
        c.kind = forced;
    if (c.itemKind != TControlKind::None)
        itemKinds.insert(w, c.itemKind);
    if (c.kind == TControlKind::None)
        return false;
    TSkinControl* companion = c.custom ? c.custom : new TSkinControl(w, c.kind, c.setColour);
    if (companion->Control() != w) // a handler's companion for some other control
        return false;
    companion->Attach(skin);
    out.append(companion);
    return true;
}

int walk(QWidget* window, TSkinData& skin, QObject* sender, QList<QPointer<TSkinControl>>& out) {
    int made = 0;
    QHash<const QWidget*, TControlKind> itemKinds;
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!belongsToWindow(w, window) || TSkinControl::Of(w))
            continue;
        made += attachOne(window, w, skin, sender, out, itemKinds);
    }
    return made;
}

// Controls made after their window was skinned (a view's new scroll bar, a page added later, a
// view that is made again) are skinned as they are first polished or move to another parent,
// so that they never show the system look inside a skinned window. One watcher serves the
// program.
class TLateControlWatcher : public QObject {
public:
    explicit TLateControlWatcher(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Polish || type == QEvent::ParentChange) && watched->isWidgetType())
            attachLate(static_cast<QWidget*>(watched));
        return false;
    }

private:
    static void attachLate(QWidget* w) {
        if (w->isWindow() || TSkinControl::Of(w))
            return;
        QWidget* window = w->window();
        TSkinControlSet* set = TSkinControlSet::Of(window);
        if (!set || !set->skin_ || set->skin_->Loading() || !belongsToWindow(w, window))
            return;
        // The controls inside it are polished after it; the walk below takes them in too.
        QList<QPointer<TSkinControl>> made;
        QHash<const QWidget*, TControlKind> itemKinds;
        attachOne(window, w, *set->skin_, window, made, itemKinds);
        for (QWidget* inner : w->findChildren<QWidget*>())
            if (!TSkinControl::Of(inner) && belongsToWindow(inner, window))
                attachOne(window, inner, *set->skin_, window, made, itemKinds);
        set->controls_.append(made);
    }
};

void watchLateControls() {
    static QPointer<QObject> watcher;
    if (!qApp || watcher)
        return;
    watcher = new TLateControlWatcher(qApp);
    qApp->installEventFilter(watcher);
}

} // namespace

void InstallLookProvider() {
    TSkinStyle::SetLookProvider(&lookOf);
}

int AttachSkinControls(QWidget* window, TSkinData& skin, QObject* sender) {
    if (!window || skin.Loading())
        return 0;
    InstallLookProvider();
    watchLateControls();
    TSkinControlSet* set = TSkinControlSet::Of(window);
    if (!set) {
        set = new TSkinControlSet(window);
        set->hadOwnPalette_ = window->testAttribute(Qt::WA_SetPalette);
        set->ownPalette_ = window->palette();
    }
    set->skin_ = &skin;
    window->setPalette(style::SkinPalette(skin, set->ownPalette_));
    return walk(window, skin, sender ? sender : window, set->controls_);
}

void DetachSkinControls(QWidget* window) {
    TSkinControlSet* set = TSkinControlSet::Of(window);
    if (!set)
        return;
    // Nothing is skinned any more while the controls are given back.
    set->skin_ = nullptr;
    // The latest first, so that what was changed last is given back first.
    for (qsizetype i = set->controls_.size() - 1; i >= 0; --i) {
        if (TSkinControl* c = set->controls_[i]) {
            c->Detach();
            delete c;
        }
    }
    set->controls_.clear();
    window->setPalette(set->hadOwnPalette_ ? set->ownPalette_ : QPalette());
    delete set;
}

void ReskinControls(QWidget* window) {
    TSkinControlSet* set = TSkinControlSet::Of(window);
    if (!set || !set->skin_)
        return;
    TSkinData& skin = *set->skin_;
    if (skin.Loading())
        return;
    window->setPalette(style::SkinPalette(skin, set->ownPalette_));
    for (TSkinControl* c : set->Controls())
        c->Reskin();
    walk(window, skin, window, set->controls_);
    window->update();
}

} // namespace orvik
