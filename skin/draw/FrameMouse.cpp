#include "skin/draw/FrameMouse.h"

#include "skin/data/SkinCells.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinMessages.h"
#include "skin/draw/SystemMenu.h"
#include "skin/draw/WindowFrame.h"

#include <QApplication>
#include <QCursor>
#include <QKeySequence>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

using orvik::TButtonLook;
using orvik::THitPart;

namespace {

// The tag of the skinned system menu.
constexpr int kSystemMenuTag = 33333;

bool startDrag(QWindow* window, Qt::Edges edges) {
    if (!window)
        return false;
    return edges ? window->startSystemResize(edges) : window->startSystemMove();
}

Qt::CursorShape cursorFor(THitPart part) {
    switch (part) {
    case THitPart::Left:
    case THitPart::Right:
        return Qt::SizeHorCursor;
    case THitPart::Top:
    case THitPart::Bottom:
        return Qt::SizeVerCursor;
    case THitPart::TopLeft:
    case THitPart::BottomRight:
        return Qt::SizeFDiagCursor;
    case THitPart::TopRight:
    case THitPart::BottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

bool isButton(THitPart part) {
    return part == THitPart::Button || part == THitPart::Icon;
}

} // namespace

TFrameMouse::TFrameMouse(TWindowFrame& frame, QObject* parent)
    : QObject(parent), frame_(frame), drag_(&startDrag) {
    hover_.setInterval(HoverMs);
    connect(&hover_, &QTimer::timeout, this, &TFrameMouse::checkHover);
    QWidget* window = frame_.Window();
    if (!window)
        return;
    window->installEventFilter(this);
    altSpace_ = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), window);
    altSpace_->setContext(Qt::WindowShortcut);
    connect(altSpace_, &QShortcut::activated, this, [this] {
        if (QWidget* w = frame_.Window())
            ShowSystemMenu(w->mapToGlobal(frame_.Layout().Client().topLeft()));
    });
}

// Gone with its window: only the filter is taken back; the menu and the shortcut are the
// window's children and go with it.
TFrameMouse::~TFrameMouse() {
    if (!stopped_)
        if (QWidget* window = frame_.Window())
            window->removeEventFilter(this);
}

void TFrameMouse::Stop() {
    if (stopped_)
        return;
    stopped_ = true;
    hover_.stop();
    if (QWidget* window = frame_.Window())
        window->removeEventFilter(this);
    delete altSpace_;
    delete systemMenu_;
    frame_.SetLook(-1, TButtonLook::Idle);
}

orvik::THit TFrameMouse::hitAt(QPoint pos) {
    return orvik::HitTest(frame_.Layout(), pos);
}

void TFrameMouse::ShowSystemMenu(QPoint global) {
    QWidget* window = frame_.Window();
    if (!window || stopped_)
        return;
    if (!systemMenu_) {
        systemMenu_ = new QMenu(window);
        systemMenu_->setObjectName(QStringLiteral("SystemMenu"));
        systemMenu_->setProperty("Tag", kSystemMenuTag);
    }
    orvik::FillSystemMenu(*systemMenu_, window, frame_.Skin());
    systemMenu_->popup(global);
}

void TFrameMouse::setHot(int button, TButtonLook look) {
    frame_.SetLook(button, look);
    if (button >= 0)
        hover_.start();
    else
        hover_.stop();
}

void TFrameMouse::showCursor(THitPart part) {
    QWidget* window = frame_.Window();
    QWindow* handle = window ? window->windowHandle() : nullptr;
    if (!handle)
        return;
    const Qt::CursorShape shape = cursorFor(part);
    if (int(shape) == cursor_)
        return;
    cursor_ = int(shape);
    // Set on the platform window, not the widget: a child without a cursor of its own would
    // inherit a widget's resize cursor.
    handle->setCursor(QCursor(shape));
}

void TFrameMouse::checkHover() {
    QWidget* window = frame_.Window();
    const int hot = frame_.HotButton();
    if (!window || hot < 0 || pressed_ >= 0) {
        if (hot < 0)
            hover_.stop();
        return;
    }
    const orvik::TFrameLayout& layout = frame_.Layout();
    const QPoint pos = window->mapFromGlobal(QCursor::pos());
    if (hot >= layout.buttons.size() || !layout.buttons[hot].rect.contains(pos))
        setHot(-1, TButtonLook::Idle);
}

void TFrameMouse::leave() {
    if (pressed_ < 0)
        setHot(-1, TButtonLook::Idle);
    cursor_ = -1;
}

bool TFrameMouse::press(QMouseEvent* event) {
    QWidget* window = frame_.Window();
    const QPoint pos = event->position().toPoint();
    const orvik::THit hit = hitAt(pos);
    if (hit.part == THitPart::Client || hit.part == THitPart::Nowhere)
        return false;
    if (event->button() == Qt::RightButton) {
        if (hit.part == THitPart::Caption || hit.part == THitPart::Icon)
            ShowSystemMenu(event->globalPosition().toPoint());
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return true;
    if (isButton(hit.part)) {
        if (!window->isActiveWindow())
            window->activateWindow();
        pressed_ = hit.button;
        setHot(hit.button, TButtonLook::Pressed);
        return true;
    }
    dragEdges_ = orvik::ResizeEdges(hit.part);
    // A maximised window is not moved by its caption.
    dragPending_ = dragEdges_ || (hit.part == THitPart::Caption && !window->isMaximized() &&
                                  !window->isFullScreen());
    return true;
}

bool TFrameMouse::move(QMouseEvent* event) {
    QWidget* window = frame_.Window();
    const QPoint pos = event->position().toPoint();
    if (event->buttons() & Qt::LeftButton) {
        if (dragPending_) {
            dragPending_ = false;
            const Qt::Edges edges = dragEdges_;
            const bool accepted = drag_ && drag_(window->windowHandle(), edges);
            emit DragStarted(edges, accepted);
            return true;
        }
        if (pressed_ >= 0) {
            // A pressed button looks pressed only while the mouse is over it.
            const bool over = hitAt(pos).button == pressed_;
            frame_.SetLook(pressed_, over ? TButtonLook::Pressed : TButtonLook::Idle);
            return true;
        }
        return hitAt(pos).part != THitPart::Client;
    }
    const orvik::THit hit = hitAt(pos);
    showCursor(hit.part);
    if (hit.part == THitPart::Client)
        return false;
    // Buttons light up only in the active window.
    if (isButton(hit.part) && window->isActiveWindow()) {
        if (frame_.HotButton() != hit.button)
            setHot(hit.button, TButtonLook::Hot);
    } else if (frame_.HotButton() >= 0) {
        setHot(-1, TButtonLook::Idle);
    }
    return true;
}

bool TFrameMouse::release(QMouseEvent* event) {
    dragPending_ = false;
    if (event->button() != Qt::LeftButton || pressed_ < 0)
        return hitAt(event->position().toPoint()).part != THitPart::Client;
    const int button = pressed_;
    pressed_ = -1;
    const bool over = hitAt(event->position().toPoint()).button == button;
    setHot(over ? button : -1, over ? TButtonLook::Hot : TButtonLook::Idle);
    if (over)
        runAction(button);
    return true;
}

bool TFrameMouse::doubleClick(QMouseEvent* event) {
    QWidget* window = frame_.Window();
    const orvik::THit hit = hitAt(event->position().toPoint());
    if (hit.part == THitPart::Client || hit.part == THitPart::Nowhere)
        return false;
    if (event->button() != Qt::LeftButton)
        return true;
    if (hit.part == THitPart::Icon) {
        hover_.stop();
        window->close();
        return true;
    }
    if (hit.part == THitPart::Button)
        return press(event); // the second press of a quick double click on a button
    if (hit.part != THitPart::Caption)
        return true;
    const orvik::TFrameState state = frame_.State();
    if (state.maximised || state.minimised)
        window->showNormal();
    else if (state.maximiseBox)
        window->showMaximized();
    return true;
}

void TFrameMouse::runAction(int button) {
    const orvik::TFrameLayout& layout = frame_.Layout();
    if (button < 0 || button >= layout.buttons.size() || !layout.buttons[button].button)
        return;
    QPointer<QWidget> window = frame_.Window();
    const int act = layout.buttons[button].button->Action;
    const QRect rect = layout.buttons[button].rect;
    switch (act) {
    case orvik::action::Close:
        window->close();
        return;
    case orvik::action::Maximise:
    case orvik::action::MaximiseAlt:
        if (window->isMaximized())
            window->showNormal();
        else
            window->showMaximized();
        return;
    case orvik::action::Minimise:
    case orvik::action::MinimiseAlt:
        if (window->isMinimized())
            window->showNormal();
        else
            window->showMinimized();
        return;
    case orvik::action::SystemMenu:
    case orvik::action::SystemMenuIcon:
    case orvik::action::SystemMenuPicture:
        // A second click within the double-click time of the opening closes the window.
        if (lastSystemMenu_.isValid() &&
            lastSystemMenu_.elapsed() < QApplication::doubleClickInterval()) {
            lastSystemMenu_.invalidate();
            if (systemMenu_)
                systemMenu_->hide();
            window->close();
            return;
        }
        lastSystemMenu_.start();
        ShowSystemMenu(window->mapToGlobal(rect.bottomLeft() + QPoint(0, 1)));
        return;
    case orvik::action::ChildMinimise:
    case orvik::action::ChildRestore:
    case orvik::action::ChildClose:
    case orvik::action::ChildMinimiseAlt:
    case orvik::action::ChildRestoreAlt:
    case orvik::action::ChildCloseAlt:
        return; // the program has no child windows inside its windows
    default:
        orvik::PostSkinMessage(window, orvik::SKM_BUTTONACTION, act);
        return;
    }
}

bool TFrameMouse::eventFilter(QObject* watched, QEvent* event) {
    if (stopped_ || watched != frame_.Window() || !frame_.Hooked())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return move(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return release(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        return doubleClick(static_cast<QMouseEvent*>(event));
    case QEvent::Leave:
        leave();
        return false;
    case QEvent::WindowDeactivate:
        if (pressed_ < 0)
            setHot(-1, TButtonLook::Idle);
        return false;
    default:
        return false;
    }
}
