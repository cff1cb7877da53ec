#pragma once

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QPoint>
#include <QString>

// The notification area as TTrayIcon sees it. The component talks to it with four commands and
// hears back through notification codes posted to TTrayIconHandler; TQtTrayShell is the
// implementation over QSystemTrayIcon, tests install one of their own.

// Notification codes, one per mouse or balloon event on an icon. TTrayIcon acts on these only;
// which of them a platform can produce is documented with its adapter (QtTrayShell.h).
namespace TrayCode {
constexpr quint32 MouseMove = 0x200;
constexpr quint32 LeftDown = 0x201;
constexpr quint32 LeftUp = 0x202;
constexpr quint32 LeftDoubleClick = 0x203;
constexpr quint32 RightDown = 0x204;
constexpr quint32 RightUp = 0x205;
constexpr quint32 MiddleDown = 0x207;
constexpr quint32 MiddleUp = 0x208;
constexpr quint32 ContextMenu = 0x7B;
constexpr quint32 Select = 0x400;
constexpr quint32 KeySelect = 0x401;
constexpr quint32 BalloonShow = 0x402;
constexpr quint32 BalloonHide = 0x403;
constexpr quint32 BalloonTimeout = 0x404;
constexpr quint32 BalloonClick = 0x405;
} // namespace TrayCode

enum class TTrayCommand : quint32 { Add = 0, Modify = 1, Delete = 2, SetVersion = 4 };

// What a command tells the notification area about one icon.
struct TTrayIconData {
    // Unique per component for the life of the process; never reused.
    quint64 Id = 0;
    // Null when the icon has no readable image; the icon is then shown blank.
    QIcon Icon;
    // At most TipLength characters; empty for no tip.
    QString Tip;
    // 0 classic notifications, 3 the newer notification behaviour.
    quint32 Version = 0;

    static constexpr int TipLength = 127;
};

class TTrayShell {
public:
    virtual ~TTrayShell() = default;

    // Carries out one command; returns whether the notification area accepted it. Adding an
    // icon that is already there, or modifying, deleting or versioning one that is not, is
    // refused.
    virtual bool NotifyIcon(TTrayCommand command, const TTrayIconData& data) = 0;

    // The pointer position in screen coordinates and the modifier keys held right now, read
    // when a notification is handled.
    virtual QPoint CursorPos() const { return QCursor::pos(); }
    virtual Qt::KeyboardModifiers KeyboardModifiers() const {
        return QGuiApplication::queryKeyboardModifiers();
    }
};
