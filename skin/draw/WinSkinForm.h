#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

#include "skin/data/SkinData.h"
#include "skin/draw/FrameMouse.h"
#include "skin/draw/WindowFrame.h"

// The skinner of one skinned top-level window: a child of its window (it goes with it), made
// by the skin manager, which posts SKM_SKINWINDOW to the window once it exists. It answers
// SKM_ISSKINNED for its window and keeps the companions of the window's controls, so that a
// skin change reaches every one of them: the window's controls are given their skinners when
// the skinning starts, follow every new skin, and get their system look back on Unhook.
//
// Life cycle: Waiting until SKM_SKINWINDOW arrives, then Skinned; Reskinning while a new skin
// is applied; Unhook gives the window back as it was.
class TWinSkinForm : public QObject {
    Q_OBJECT
public:
    enum State { Waiting = 0, Skinned = 1, Reskinning = 3 };

    TWinSkinForm(QWidget* window, TSkinData* skin);
    ~TWinSkinForm() override;

    // The skinner of a window, or nullptr.
    static TWinSkinForm* Of(const QWidget* window);

    QWidget* Window() const { return window_; }
    // The skinned frame, or nullptr while frame skinning is off for the window.
    TWindowFrame* Frame() const { return frame_; }
    TFrameMouse* FrameMouse() const { return mouse_; }
    TSkinData* SkinData() const { return skin_; }
    State LifeState() const { return state_; }

    // --- what the skin manager calls ---
    // Re-reads the skin in force and recomputes what depends on it (no painting).
    virtual void ReadSkin();
    // Paints the frame again.
    virtual void RepaintFrame();
    // Gives the window back as it was before it was skinned; harmless twice.
    virtual void Unhook();
    // Applies the skin again to the frame and every control companion (SKM_RESKIN).
    void Reskin();

    // --- control companions ---
    // A companion of one control of this window and how it applies a new skin. A companion is
    // listed once (a second Add replaces its function) and leaves the list when it is
    // destroyed.
    void AddControl(QObject* companion, std::function<void()> reskin);
    void RemoveControl(QObject* companion);
    QList<QObject*> Controls() const;

signals:
    // After SKM_SKINWINDOW started the skinning, and after every re-skin.
    void Started();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The work of SKM_SKINWINDOW.
    virtual void Start();
    bool unhooked() const { return unhooked_; }

private:
    // Gives the window's controls their skinners (those that have none yet) and lists them.
    void attachControls();
    // Applies the skin in force again to every listed control and skins the new ones.
    void reskinControls();

    struct Control {
        QPointer<QObject> companion;
        std::function<void()> reskin;
    };

    QPointer<QWidget> window_;
    QPointer<TSkinData> skin_;
    State state_ = Waiting;
    bool unhooked_ = false;
    QList<Control> controls_;
    QPointer<TWindowFrame> frame_;
    QPointer<TFrameMouse> mouse_;
};
