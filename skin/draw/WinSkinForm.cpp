#include "skin/draw/WinSkinForm.h"

#include "skin/data/SkinData.h"
#include "skin/draw/DialogWidth.h"
#include "skin/draw/FrameMouse.h"
#include "skin/draw/SkinManage.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/WindowFrame.h"
#include "skin/draw/controls/SkinAttach.h"
#include "skin/draw/controls/SkinControl.h"

#include <QWidget>

TWinSkinForm::TWinSkinForm(QWidget* window, TSkinData* skin)
    : QObject(window), window_(window), skin_(skin) {
    setObjectName(QStringLiteral("TWinSkinForm"));
    if (!window)
        return;
    window->installEventFilter(this);
    // A new skin reaches the controls once the skin manager has applied it.
    if (skin)
        connect(skin, &TSkinData::SkinChanged, this, [this] {
            if (state_ == Skinned && !unhooked_)
                reskinControls();
        });
    // The frame is taken over at once, before the window is mapped, so that it appears with
    // its skinned frame; the frame skinning is on with the main menu among the skinned parts.
    if (skin && skin->SkinControls().contains(xcMainMenu) && TWindowFrame::HasCaption(window)) {
        frame_ = new TWindowFrame(window, skin, this);
        frame_->Hook();
        if (frame_->Hooked())
            mouse_ = new TFrameMouse(*frame_, this);
    }
}

// The manager holds its skinners by guarded pointers: one that goes is dropped at its next
// look at the list.
TWinSkinForm::~TWinSkinForm() {
    // The mouse works on the frame: it goes first.
    delete mouse_;
    delete frame_;
}

TWinSkinForm* TWinSkinForm::Of(const QWidget* window) {
    return window ? window->findChild<TWinSkinForm*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void TWinSkinForm::ReadSkin() {
    if (frame_ && !unhooked_)
        frame_->ReadSkin();
}

void TWinSkinForm::RepaintFrame() {
    if (frame_ && frame_->Hooked())
        frame_->Repaint();
    else if (window_)
        window_->update();
}

void TWinSkinForm::Unhook() {
    if (unhooked_)
        return;
    unhooked_ = true;
    if (mouse_) {
        mouse_->Stop();
        delete mouse_;
    }
    if (frame_)
        frame_->Unhook();
    if (window_) {
        // The controls get their own style, colours and backgrounds back.
        orvik::DetachSkinControls(window_);
        window_->removeEventFilter(this);
    }
    controls_.clear();
}

void TWinSkinForm::Reskin() {
    if (unhooked_)
        return;
    const State before = state_;
    state_ = Reskinning;
    reskinControls();
    ReadSkin();
    RepaintFrame();
    state_ = before == Waiting ? Waiting : Skinned;
    emit Started();
}

void TWinSkinForm::AddControl(QObject* companion, std::function<void()> reskin) {
    if (!companion)
        return;
    for (Control& c : controls_) {
        if (c.companion == companion) {
            c.reskin = std::move(reskin);
            return;
        }
    }
    controls_.append({companion, std::move(reskin)});
    connect(companion, &QObject::destroyed, this, [this](QObject* gone) {
        controls_.removeIf(
            [gone](const Control& c) { return !c.companion || c.companion == gone; });
    });
}

void TWinSkinForm::RemoveControl(QObject* companion) {
    controls_.removeIf([companion](const Control& c) { return c.companion == companion; });
}

QList<QObject*> TWinSkinForm::Controls() const {
    QList<QObject*> list;
    for (const Control& c : controls_)
        if (c.companion)
            list.append(c.companion);
    return list;
}

void TWinSkinForm::reskinControls() {
    // The window's palette again, and the controls made since the last walk listed.
    attachControls();
    // A companion's reskin may destroy other companions: walk a copy.
    const QList<Control> controls = controls_;
    for (const Control& c : controls)
        if (c.companion && c.reskin)
            c.reskin();
}

void TWinSkinForm::attachControls() {
    if (!window_ || !skin_ || unhooked_)
        return;
    orvik::AttachSkinControls(window_, *skin_, this);
    if (const TSkinControlSet* set = TSkinControlSet::Of(window_))
        for (TSkinControl* c : set->Controls())
            AddControl(c, [c] { c->Reskin(); });
}

void TWinSkinForm::Start() {
    state_ = Skinned;
    attachControls();
    // A message box or standard dialog whose caption does not fit is widened for it.
    // (Its width holds the frame already.)
    if (frame_ && frame_->Hooked() && skin_ && window_ && TSkinManage::IsDialogWindow(window_))
        orvik::WidenDialogForCaption(*window_, *skin_, skin_->CaptionFont(), 0);
    ReadSkin();
    RepaintFrame();
    emit Started();
}

bool TWinSkinForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_ || unhooked_)
        return false;
    switch (int(event->type())) {
    case orvik::SKM_ISSKINNED:
        static_cast<orvik::TSkinMessage*>(event)->result = 1;
        return true;
    case orvik::SKM_SKINWINDOW:
        if (state_ == Waiting)
            Start();
        return true;
    case orvik::SKM_RESKIN:
        Reskin();
        return true;
    case orvik::SKM_REPAINTFRAME:
        RepaintFrame();
        return true;
    default:
        return false;
    }
}
