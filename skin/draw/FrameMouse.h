#pragma once

#include "skin/draw/FrameGeometry.h"
#include "skin/draw/FramePaint.h"

#include <QElapsedTimer>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QShortcut>
#include <QTimer>

#include <functional>

class QMouseEvent;
class QWindow;
class TWindowFrame;

// The mouse and the keyboard in a skinned frame: hot and pressed caption buttons and their
// actions, move and resize handed to the window manager on the first mouse move after a
// press (so that clicks and double clicks still arrive), the resize cursors, double clicks on
// the caption and on the icon, and the system menu (right click on the caption, the icon
// button, Alt+Space).
class TFrameMouse : public QObject {
    Q_OBJECT
public:
    // Hover ends at most this long after the mouse left a hot button without a leave event.
    static constexpr int HoverMs = 250;

    // Starts a move (no edges) or a resize of the edges; false when the window manager refused.
    using SystemDrag = std::function<bool(QWindow* window, Qt::Edges edges)>;

    TFrameMouse(TWindowFrame& frame, QObject* parent);
    ~TFrameMouse() override;

    // Opens the window's system menu at a point of the screen.
    void ShowSystemMenu(QPoint global);
    QMenu* SystemMenu() const { return systemMenu_; }
    // Stops listening; the system menu goes.
    void Stop();

    // Tests record the drags instead of handing them to the window manager.
    void SetSystemDrag(SystemDrag drag) { drag_ = std::move(drag); }
    bool HoverTimerActive() const { return hover_.isActive(); }

signals:
    // A move (edges none) or resize was handed to the window manager.
    void DragStarted(Qt::Edges edges, bool accepted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool press(QMouseEvent* event);
    bool move(QMouseEvent* event);
    bool release(QMouseEvent* event);
    bool doubleClick(QMouseEvent* event);
    void leave();
    void checkHover();
    void setHot(int button, orvik::TButtonLook look);
    void runAction(int button);
    void showCursor(orvik::THitPart part);
    orvik::THit hitAt(QPoint pos);

    TWindowFrame& frame_;
    QTimer hover_;
    QPointer<QMenu> systemMenu_;
    QPointer<QShortcut> altSpace_;
    QElapsedTimer lastSystemMenu_;
    SystemDrag drag_;
    int pressed_ = -1; // the caption button pressed, -1 for none
    bool dragPending_ = false;
    Qt::Edges dragEdges_;
    int cursor_ = -1; // the cursor shape shown, -1 for the window's own
    bool stopped_ = false;
};
