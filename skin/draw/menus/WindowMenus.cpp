#include "skin/draw/menus/WindowMenus.h"

#include "skin/data/SkinData.h"
#include "skin/draw/MenuSkin.h"
#include "skin/draw/menus/PopupMenus.h"
#include "skin/draw/style/SkinStyle.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

TWindowMenus::TWindowMenus(QWidget* window, TSkinData* skin)
    : QObject(window), window_(window), skin_(skin) {
    setObjectName(QStringLiteral("WindowMenus"));
    TPopupMenus::Program(); // opening menus are watched from now on
    if (skin)
        connect(skin, &TSkinData::SkinChanged, this, &TWindowMenus::Apply);
    Apply();
}

// Gone with its window, whose menus go too: nothing is left to give back.
TWindowMenus::~TWindowMenus() = default;

TWindowMenus* TWindowMenus::Of(const QWidget* window) {
    return window ? window->findChild<TWindowMenus*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

TSkinData* TWindowMenus::Skin() const {
    TSkinData* s = skin_.data();
    return s && s->Active() && !s->Loading() ? s : nullptr;
}

void TWindowMenus::dressBar(QMenuBar* bar, TSkinData* skin) {
    TMenuSkin* companion = skin ? TMenuSkin::Ensure(bar) : TMenuSkin::Of(bar);
    if (!companion)
        return;
    bool changed = companion->Skin() != skin;
    companion->SetSkin(skin);
    QStyle* style = skin ? static_cast<QStyle*>(TPopupMenus::StyleFor(skin)) : nullptr;
    if (skin && bar->style() != style) {
        bar->setStyle(style);
        changed = true;
    } else if (!skin && bar->testAttribute(Qt::WA_SetStyle) &&
               qobject_cast<TSkinStyle*>(bar->style())) {
        bar->setStyle(nullptr);
        changed = true;
    }
    const quint64 key = companion->LayoutKey();
    if (changed || key != companion->LaidOutWith()) {
        companion->SetLaidOutWith(key);
        QEvent relayout(QEvent::StyleChange);
        QCoreApplication::sendEvent(bar, &relayout);
        bar->update();
    }
    bar->removeEventFilter(this);
    if (skin)
        bar->installEventFilter(this);
}

void TWindowMenus::Apply() {
    applyQueued_ = false;
    if (!window_)
        return;
    TSkinData* skin = Skin();
    for (QMenuBar* bar : window_->findChildren<QMenuBar*>())
        dressBar(bar, skin);
    for (QMenu* menu : window_->findChildren<QMenu*>()) {
        const int kind = TPopupMenus::KindOf(menu);
        const bool allowed = skin && TPopupMenus::Allows(*skin, kind);
        TPopupMenus::Dress(menu, allowed ? skin : nullptr, kind == mkBarDropDown);
    }
}

void TWindowMenus::Release() {
    if (!window_)
        return;
    for (QMenuBar* bar : window_->findChildren<QMenuBar*>())
        dressBar(bar, nullptr);
    for (QMenu* menu : window_->findChildren<QMenu*>())
        TPopupMenus::Dress(menu, nullptr, false);
}

bool TWindowMenus::eventFilter(QObject* watched, QEvent* event) {
    auto* bar = qobject_cast<QMenuBar*>(watched);
    if (!bar)
        return false;
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
        // The band has a picture for an active and one for an inactive window.
        bar->update();
        break;
    case QEvent::Paint: {
        // A skin switched without a word (no manager to tell): dress again after this paint.
        const TMenuSkin* companion = TMenuSkin::Of(bar);
        const bool stale = !companion || companion->Skin() != Skin() ||
                           companion->LayoutKey() != companion->LaidOutWith();
        if (stale && !applyQueued_) {
            applyQueued_ = true;
            QTimer::singleShot(0, this, &TWindowMenus::Apply);
        }
        break;
    }
    default:
        break;
    }
    return false;
}
