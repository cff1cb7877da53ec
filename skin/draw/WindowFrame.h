#pragma once

#include "skin/draw/FrameGeometry.h"
#include "skin/draw/FrameOutline.h"
#include "skin/draw/FramePaint.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QSize>

class QPaintEvent;
class QWidget;
class TSkinData;

// The skinned frame of one top-level window. While hooked the window has no frame of the
// window manager: the skin's border sizes are reserved as its contents margins (its layout
// keeps the same room for the client area), and the borders, the title bar with the caption
// and the caption buttons are composed off screen and painted into that margin. The outline
// of the border pictures becomes the window's shape on X11; on Wayland, where a shape does
// not cut a window, the see-through pixels are painted fully transparent instead.
//
// It never owns the window: it is a child of the window's skinner and gives the window back
// as it found it (same client size, flags, margins and mask) on Unhook.
class TWindowFrame : public QObject {
    Q_OBJECT
public:
    TWindowFrame(QWidget* window, TSkinData* skin, QObject* parent);
    ~TWindowFrame() override;

    // Takes the frame of the window over; the window keeps its client size. A window without
    // caption (a splash, a popup) is left as it is: Hooked() stays false.
    void Hook();
    // Gives the window its system frame back at the same client size; harmless twice. (Deleting
    // the frame without Unhook leaves a window that goes as it is.)
    void Unhook();
    bool Hooked() const { return hooked_; }

    // Reads the skin again (border sizes may change): the window keeps its client size.
    void ReadSkin();
    // Composes the frame again and repaints it.
    void Repaint();

    // The frame as it is laid out for the window now (recomputed when something changed).
    const orvik::TFrameLayout& Layout();
    orvik::TFrameState State() const;
    // The look of the caption buttons: which one is hot or pressed.
    void SetLook(int button, orvik::TButtonLook look);
    int HotButton() const { return look_.hotButton; }
    orvik::TButtonLook HotLook() const { return look_.hotLook; }
    // The size of the window inside the skinned borders.
    QSize ClientSize() const;
    // The picture painted last, and the outline set last (the whole window: no shape).
    const QImage& Composed() const { return composer_.Image(); }
    QRegion Outline() const { return outline_; }
    // Whether see-through pixels are painted transparent (the Wayland way) instead of cut by
    // a shape.
    bool Translucent() const { return translucent_; }

    QWidget* Window() const { return window_; }
    TSkinData* Skin() const { return skin_; }

    // Whether a window's flags give it a caption at all.
    static bool HasCaption(const QWidget* window);
    static bool HasCaption(Qt::WindowFlags flags);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paint(QPaintEvent* event);
    void invalidate();
    void saveLimits();
    void resizeAround(QSize client);
    void applyMargins();
    void updateOutline();
    void setFrameless(bool frameless);
    void readIcon();
    QRegion frameRegion() const;

    QPointer<QWidget> window_;
    QPointer<TSkinData> skin_;
    bool hooked_ = false;
    bool dirty_ = true;
    bool translucent_ = false;
    // What the window had before it was hooked.
    Qt::WindowFlags savedFlags_;
    QMargins savedMargins_;
    bool savedMouseTracking_ = false;
    bool savedTranslucent_ = false;
    bool layoutDirty_ = true;
    bool layoutCaption_ = false; // whether the caption painter was on for the layout
    // The skin's borders reserved now.
    orvik::TBorderSizes borders_;
    orvik::TFrameLayout layout_;
    orvik::TFrameLook look_;
    orvik::TFrameComposer composer_;
    orvik::TOutlineCache outlines_;
    QRegion outline_;
    QSize savedMinimum_, savedMaximum_;
    bool growMinimum_ = false, growMaximum_ = false;
    QPoint childShift_; // how far the children of a window without layout were moved
};
