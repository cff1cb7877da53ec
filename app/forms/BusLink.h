#pragma once

#include "app/bus/MediaControl.h"
#include "app/bus/MediaState.h"

#include <QObject>

class QAction;
class TfrmMain;
namespace orvik {
class TMprisService;
class TNotifier;
} // namespace orvik

// The main window on the desktop bus: desktop shells, media keys and media player clients
// drive it through the media player interfaces, and a new stream title is announced by a
// desktop notification while the window is hidden in the tray (the View menu's "Title
// Notifications" turns that off). The state goes out as the player reports a title or a
// change of state, and when the event loop is about to wait, with the window's other Update
// handlers.
class TBusLink : public QObject, public orvik::TMediaControl {
    Q_OBJECT
public:
    explicit TBusLink(TfrmMain& form);

    orvik::TMprisService& mpris() { return *mpris_; }
    orvik::TNotifier& notifier() { return *notifier_; }
    QAction* notificationsAction() { return actNotify_; }
    // The state as the window shows it now.
    orvik::TMediaState current() const;

    void play() override;
    void stop() override;
    void next() override;
    void previous() override;
    void setVolume(double volume) override;
    void raise() override;
    void quit() override;

private:
    void update();
    bool hiddenInTray() const;
    bool canGoNext() const;
    bool canGoPrevious() const;

    TfrmMain& f_;
    orvik::TMprisService* mpris_;
    orvik::TNotifier* notifier_;
    QAction* actNotify_;
    QString lastTitle_;
};
