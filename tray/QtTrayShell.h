#pragma once

#include "tray/TrayShell.h"

#include <QObject>

#include <functional>
#include <map>
#include <memory>

class QSystemTrayIcon;

// The notification area over QSystemTrayIcon: one QSystemTrayIcon per added icon. Qt reports
// activations, not raw mouse traffic, so this adapter turns each activation into the codes
// TTrayIcon understands and posts them (queued, like the shell's messages) to the handler.
//
// Codes produced on an X11 tray (XEmbed, e.g. trayer, stalonetray, xfce4-panel's systray):
//   left press              -> LeftDown, LeftUp (Qt reports the press only; the release is
//                              made up at once)
//   left double-click       -> LeftDoubleClick, LeftUp (the second press of a double-click)
//   right press             -> RightDown, RightUp, and ContextMenu when version 3 is set
//   middle press            -> MiddleDown, MiddleUp
//   click on a Qt balloon   -> BalloonClick (no balloon is ever shown by the program)
//   never: MouseMove (no pointer movement is reported, so OnMouseMove, OnMouseEnter and
//   OnMouseExit never fire), Select, KeySelect, BalloonShow, BalloonHide, BalloonTimeout.
//
// Codes produced on a StatusNotifierItem desktop (KDE Plasma, GNOME with an AppIndicator
// extension, any host registered with org.kde.StatusNotifierWatcher):
//   activation (usually a left click) -> LeftDown, LeftUp, LeftDoubleClick, LeftUp: such hosts
//                              never report a double-click, and their activation is the user's
//                              "open" gesture, so it takes the double-click's place (restoring
//                              a window hidden to the tray works there too)
//   context request         -> RightDown, RightUp, and ContextMenu when version 3 is set
//   secondary activation    -> MiddleDown, MiddleUp
//   never: MouseMove, Select, KeySelect and the balloon codes.
//
// When the notification area comes back (an X11 tray restarted, or appearing after the
// program started), the adapter forgets its icons, as a restarted shell would, and reports
// it through taskbarCreated so that visible icons are added again.
class TQtTrayShell final : public QObject, public TTrayShell {
    Q_OBJECT

public:
    using Poster = std::function<void(quint64 id, quint32 code)>;

    TQtTrayShell(Poster post, std::function<void()> taskbarCreated);
    ~TQtTrayShell() override;

    bool NotifyIcon(TTrayCommand command, const TTrayIconData& data) override;

    // The Qt icon standing for an added icon, or nullptr.
    QSystemTrayIcon* trayIcon(quint64 id) const;

private slots:
    void onTrayWindowChanged();

private:
    struct Entry;

    void apply(QSystemTrayIcon& icon, const TTrayIconData& data) const;
    void activated(quint64 id, int reason);

    Poster post_;
    std::function<void()> taskbarCreated_;
    bool activationIsDoubleClick_ = false;
    std::map<quint64, std::unique_ptr<Entry>> icons_;
};
