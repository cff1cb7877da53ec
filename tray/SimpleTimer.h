#pragma once

#include <QHash>
#include <QtGlobal>

#include <functional>
#include <memory>

class QObject;
class TSimpleTimer;

// Owner of the one hidden QObject that carries the system timers of every TSimpleTimer of the
// process. Created by the first timer, destroyed with the last one. Ticks are mapped back to
// their timer through a table of live timers only, so a tick that arrives for a timer that has
// been stopped or destroyed meanwhile reaches nothing.
class TSimpleTimerHandler {
public:
    // The shared handler, or nullptr while no timer exists.
    static TSimpleTimerHandler* instance();

    // The hidden object the system timers are set on.
    QObject* window() const;
    // One reference per living timer.
    int refCount() const { return count_; }

    TSimpleTimerHandler(const TSimpleTimerHandler&) = delete;
    TSimpleTimerHandler& operator=(const TSimpleTimerHandler&) = delete;

private:
    friend class TSimpleTimer;
    class Window;
    struct Finaliser;
    static Finaliser finaliser_;

    TSimpleTimerHandler();
    ~TSimpleTimerHandler();

    static TSimpleTimerHandler* acquire();
    static void release();

    // Sets a system timer for the timer; 0 when the system refused it.
    int setTimer(TSimpleTimer* timer, quint32 interval);
    void killTimer(int id);
    void dispatch(int id);

    int count_ = 0;
    std::unique_ptr<Window> window_;
    QHash<int, TSimpleTimer*> live_;
};

// A lightweight periodic timer without a window of its own. Not a QObject: its ticks arrive
// through the shared handler on the thread that created the first timer.
//
// States: idle (not enabled), running (enabled with a system timer set) and paused (enabled
// without a system timer because the interval is 0 or the handler was cleared). A paused
// timer runs again as soon as a non-zero interval is set, or when Start is called.
class TSimpleTimer {
public:
    using TTimerEvent = std::function<void(TSimpleTimer* Sender)>;

    // Interval 1000 ms, no handler; the timer does not run yet.
    TSimpleTimer();
    TSimpleTimer(quint32 interval, TTimerEvent onTimer);
    ~TSimpleTimer();

    TSimpleTimer(const TSimpleTimer&) = delete;
    TSimpleTimer& operator=(const TSimpleTimer&) = delete;

    // Sets the system timer (restarting the period when it already runs). False, and the timer
    // left idle, when the interval is 0 or the system refused the timer.
    bool Start();
    // Kills the system timer; with disable the timer also becomes idle, without it the timer
    // stays enabled (paused). Returns whether a system timer was killed.
    bool Stop(bool disable);

    bool Enabled() const { return enabled_; }
    void setEnabled(bool value);

    quint32 Interval() const { return interval_; }
    // Restarts a running timer with the new period; 0 pauses an enabled timer.
    void setInterval(quint32 value);

    // When set, the timer stops itself (idle) before each call of its handler: a one-shot timer.
    bool AutoDisable() const { return autoDisable_; }
    void setAutoDisable(bool value) { autoDisable_ = value; }

    const TTimerEvent& OnTimer() const { return onTimer_; }
    // An empty handler pauses an enabled timer.
    void setOnTimer(TTimerEvent handler);

    // Whether a system timer is set at the moment (enabled and not paused).
    bool Running() const { return systemId_ != 0; }

private:
    friend class TSimpleTimerHandler;

    TSimpleTimerHandler* handler_ = nullptr;
    int systemId_ = 0;
    bool enabled_ = false;
    quint32 interval_ = 1000;
    bool autoDisable_ = false;
    TTimerEvent onTimer_;
};
