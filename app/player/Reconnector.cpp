#include "app/player/Reconnector.h"

#include <algorithm>
#include <array>

namespace orvik {

namespace {
constexpr std::array kFirstWaits{1, 2, 4, 8, 15, 30};
constexpr int kLaterWait = 60;
} // namespace

TReconnector::TReconnector(QObject* parent) : QObject(parent) {
    attemptTimer_.setSingleShot(true);
    connect(&attemptTimer_, &QTimer::timeout, this, [this] {
        tickTimer_.stop();
        attempting_ = true;
        ++attempt_;
        emit retry();
    });
    connect(&tickTimer_, &QTimer::timeout, this, [this] { emit countdown(secondsLeft()); });
}

int TReconnector::delayBefore(int attempt) {
    if (attempt < 0)
        return kFirstWaits.front();
    return attempt < int(kFirstWaits.size()) ? kFirstWaits[size_t(attempt)] : kLaterWait;
}

void TReconnector::dropped() {
    if (active_)
        return;
    active_ = true;
    attempt_ = 0;
    plannedSeconds_ = 0;
    wait();
}

void TReconnector::attemptFailed() {
    if (!active_ || !attempting_)
        return;
    attempting_ = false;
    // An attempt is still started as long as it begins within the window, counted by the
    // waits (an attempt itself takes moments).
    if (plannedSeconds_ + delayBefore(attempt_) > kWindowSeconds) {
        stop();
        emit gaveUp();
        return;
    }
    wait();
}

void TReconnector::stop() {
    active_ = false;
    attempting_ = false;
    attemptTimer_.stop();
    tickTimer_.stop();
}

int TReconnector::secondsLeft() const {
    if (!active_ || attempting_)
        return 0;
    const qint64 left = qint64(waitSeconds_) * secondMs_ - waitClock_.elapsed();
    return int(std::max<qint64>(0, (left + secondMs_ - 1) / secondMs_));
}

void TReconnector::wait() {
    waitSeconds_ = delayBefore(attempt_);
    plannedSeconds_ += waitSeconds_;
    waitClock_.start();
    attemptTimer_.start(waitSeconds_ * secondMs_);
    tickTimer_.start(secondMs_);
    emit waiting(waitSeconds_);
    emit countdown(waitSeconds_);
}

} // namespace orvik
