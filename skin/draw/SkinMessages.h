#pragma once

#include <QEvent>
#include <QtGlobal>

class QObject;

// The private messages of the skin engine, as event types with fixed numbers (they lie in Qt's
// range for user events). Posted or sent to a window or control; the application may send
// the ones marked so itself.
namespace orvik {

// To a skinned window: apply the skin to frame and controls again (from the application).
inline constexpr QEvent::Type SKM_RESKIN = QEvent::Type(0x3401);
// Repaint the skinned frame of a window (from the application).
inline constexpr QEvent::Type SKM_REPAINTFRAME = QEvent::Type(0x3502);
// Posted by the skin manager with lParam 1000 once a window's frame skinner exists: start.
inline constexpr QEvent::Type SKM_SKINWINDOW = QEvent::Type(0x3503);
// To a skinned control: wParam above 0 turns its skin painting on, 0 off.
inline constexpr QEvent::Type SKM_SKINENABLE = QEvent::Type(0x3506);
// Sent by the tab skinner: the close mark of tab lParam of page control wParam was clicked;
// a result of 0 lets the skinner remove that page.
inline constexpr QEvent::Type SKM_TABCLOSE = QEvent::Type(0x3507);
// Posted by the frame skinner: a caption button whose action it does not know was clicked;
// wParam is the action.
inline constexpr QEvent::Type SKM_BUTTONACTION = QEvent::Type(0x3514);
// Sent by the frame skinner: is a caption button with visibility code wParam (1000 to 2000)
// and action lParam shown? A result above 0 shows it.
inline constexpr QEvent::Type SKM_BUTTONVISIBLE = QEvent::Type(0x3515);
// Posted by the frame skinner to a child-window area when a child window becomes maximised.
inline constexpr QEvent::Type SKM_MDICHILDCHANGED = QEvent::Type(0x3516);
// Posted by a control skinner: make a new scroll bar skinner for control wParam.
inline constexpr QEvent::Type SKM_RESKINSCROLLBAR = QEvent::Type(0x3517);
// Open the menu bar item under the point (wParam, lParam).
inline constexpr QEvent::Type SKM_MENUACCEL = QEvent::Type(0x3518);
// Sent to a window or control: a skinned one answers 1.
inline constexpr QEvent::Type SKM_ISSKINNED = QEvent::Type(0x3523);

// One of the messages above, with its two parameters and, for sent ones, the answer.
class TSkinMessage : public QEvent {
public:
    explicit TSkinMessage(QEvent::Type type, qintptr wParam = 0, qintptr lParam = 0)
        : QEvent(type), wParam(wParam), lParam(lParam) {}
    TSkinMessage* clone() const override { return new TSkinMessage(*this); }

    qintptr wParam;
    qintptr lParam;
    qintptr result = 0;
};

// Whether an event is one of the skin engine's messages.
constexpr bool IsSkinMessage(QEvent::Type type) {
    switch (int(type)) {
    case SKM_RESKIN:
    case SKM_REPAINTFRAME:
    case SKM_SKINWINDOW:
    case SKM_SKINENABLE:
    case SKM_TABCLOSE:
    case SKM_BUTTONACTION:
    case SKM_BUTTONVISIBLE:
    case SKM_MDICHILDCHANGED:
    case SKM_RESKINSCROLLBAR:
    case SKM_MENUACCEL:
    case SKM_ISSKINNED:
        return true;
    default:
        return false;
    }
}

// Sends a message to a receiver at once and returns its answer (0 when nobody answered).
qintptr SendSkinMessage(QObject* receiver, QEvent::Type type, qintptr wParam = 0,
                        qintptr lParam = 0);
// Posts a message to the receiver's event queue.
void PostSkinMessage(QObject* receiver, QEvent::Type type, qintptr wParam = 0, qintptr lParam = 0);

} // namespace orvik
