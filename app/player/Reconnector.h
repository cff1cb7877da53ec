#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace orvik {

// When to start a dropped stream again: after 1, 2, 4, 8, 15 and 30 seconds, then every
// 60 seconds, until 10 minutes have passed since the drop. The owner starts the stream on
// retry() and reports how each attempt went.
class TReconnector : public QObject {
    Q_OBJECT
public:
    static constexpr int kWindowSeconds = 600;

    explicit TReconnector(QObject* parent = nullptr);

    // The wait in seconds before attempt n (0 is the first).
    static int delayBefore(int attempt);

    // The length of a second in milliseconds; tests make time pass quicker.
    void setSecondMs(int ms) { secondMs_ = std::max(1, ms); }

    // A stream dropped: the first attempt follows after the first wait. Ignored while active.
    void dropped();
    // The attempt ended without playing: the next wait begins, or the attempts end.
    void attemptFailed();
    // Playing again, or the user took over: no further attempts.
    void stop();

    bool active() const { return active_; }
    // Whether an attempt has been started and has not ended yet.
    bool attempting() const { return attempting_; }
    int attempts() const { return attempt_; }
    // Seconds until the next attempt (0 while one runs).
    int secondsLeft() const;

signals:
    void retry();
    // A wait of this many seconds begins.
    void waiting(int seconds);
    // Once a second while waiting, and when a wait begins.
    void countdown(int secondsLeft);
    void gaveUp();

private:
    void wait();

    QTimer attemptTimer_;
    QTimer tickTimer_;
    QElapsedTimer waitClock_;
    int waitSeconds_ = 0;
    int plannedSeconds_ = 0; // since the drop
    int attempt_ = 0;
    int secondMs_ = 1000;
    bool active_ = false;
    bool attempting_ = false;
};

} // namespace orvik
