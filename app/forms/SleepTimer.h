#pragma once

#include <QObject>

#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QTimer;
class TfrmMain;

// The Stations menu's "Sleep Timer": after 15, 30, 60 or 90 minutes whatever plays is
// stopped. Over the last 30 seconds the volume slider goes down to nothing; after the stop it
// is back where it was. The time left shows in the status line's tip. "Off" ends the count
// (a fade under way gives the volume back); a new choice starts it again. Moving the slider
// during the fade ends the count too, the volume staying where the user put it: someone is
// awake.
class TSleepTimer : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 FadeMs = 30'000;

    explicit TSleepTimer(TfrmMain& form);

    // Milliseconds on a clock that never goes back; tests put their own.
    std::function<qint64()> now;

    QMenu* menu() const { return menu_; }
    // The item of a duration in minutes (0 for Off), or nullptr.
    QAction* item(int minutes) const;
    bool running() const { return end_ > 0; }
    // Milliseconds to the stop, 0 when the timer is off.
    qint64 remaining() const;

    void start(int minutes);
    void cancel();
    // Brings volume, tip and stop up to the clock's time; the timer calls it as it runs.
    void tick();

private:
    void finish();
    void setTip();
    void schedule();

    TfrmMain& f_;
    QMenu* menu_;
    QActionGroup* group_;
    QTimer* timer_;
    qint64 end_ = 0;        // the clock's time of the stop, 0 when off
    int volumeBefore_ = -1; // the slider's value as the fade began, -1 before it
    int volumeSet_ = -1;    // what the fade last put on the slider
    QString tipBefore_;
};
