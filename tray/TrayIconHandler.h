#pragma once

#include "tray/TrayShell.h"

#include <QHash>
#include <QtGlobal>

#include <memory>

class QObject;
class TQtTrayShell;
class TTrayIcon;

// Receives the notification area's notifications for every TTrayIcon of the process and hands
// each to its icon. One instance, created with the first icon and destroyed with the last.
//
// Icons are found through their Id, which is never reused, in a table that holds living icons
// only: a notification still queued for an icon destroyed meanwhile reaches nothing, and one
// queued while the last icon went is dropped with the hidden object it was posted to.
class TTrayIconHandler {
public:
    // The shared handler, or nullptr while no tray icon exists.
    static TTrayIconHandler* instance();

    // Makes every handler created from now on use the given notification area instead of the
    // one over QSystemTrayIcon (tests); nullptr goes back to QSystemTrayIcon. Not owned.
    static void setShellOverride(TTrayShell* shell);

    // The notification area in use. The QSystemTrayIcon one is made when first needed.
    TTrayShell& shell();
    // The QSystemTrayIcon notification area, or nullptr when another one is in use.
    TQtTrayShell* qtShell() const { return qtShell_.get(); }

    // A notification code for the icon with the given Id: queued, or handled at once.
    void post(quint64 id, quint32 code);
    void send(quint64 id, quint32 code);

    // The notification area was created anew: visible icons are added again.
    void taskbarCreated();

    // The hidden object queued notifications are posted to.
    QObject* window() const { return window_.get(); }
    // One reference per living tray icon.
    int refCount() const { return count_; }

    TTrayIconHandler(const TTrayIconHandler&) = delete;
    TTrayIconHandler& operator=(const TTrayIconHandler&) = delete;

private:
    friend class TTrayIcon;
    struct Finaliser;
    static Finaliser finaliser_;

    TTrayIconHandler();
    ~TTrayIconHandler();

    static TTrayIconHandler* acquire();
    static void release();

    // Hands a command to the notification area in use.
    bool notifyIcon(TTrayCommand command, const TTrayIconData& data);
    quint64 registerIcon(TTrayIcon* icon);
    void unregisterIcon(quint64 id);

    int count_ = 0;
    std::unique_ptr<QObject> window_;
    TTrayShell* override_ = nullptr;
    std::unique_ptr<TQtTrayShell> qtShell_;
    QHash<quint64, TTrayIcon*> icons_;
};
