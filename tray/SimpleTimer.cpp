#include "tray/SimpleTimer.h"

#include "core/ErrorWrapper.h"

#include <QObject>
#include <QTimerEvent>

#include <climits>

namespace {

TSimpleTimerHandler* sharedHandler = nullptr;

} // namespace

// The hidden object: receives the system timer events and hands them to the handler.
class TSimpleTimerHandler::Window final : public QObject {
public:
    explicit Window(TSimpleTimerHandler* owner) : owner_(owner) {
        setObjectName(QStringLiteral("TSimpleTimerHandlerWindow"));
    }

protected:
    void timerEvent(QTimerEvent* event) override { owner_->dispatch(event->timerId()); }

private:
    TSimpleTimerHandler* owner_;
};

TSimpleTimerHandler::TSimpleTimerHandler() : window_(std::make_unique<Window>(this)) {}

TSimpleTimerHandler::~TSimpleTimerHandler() = default;

QObject* TSimpleTimerHandler::window() const {
    return window_.get();
}

TSimpleTimerHandler* TSimpleTimerHandler::instance() {
    return sharedHandler;
}

TSimpleTimerHandler* TSimpleTimerHandler::acquire() {
    if (!sharedHandler)
        sharedHandler = new TSimpleTimerHandler;
    ++sharedHandler->count_;
    return sharedHandler;
}

void TSimpleTimerHandler::release() {
    if (!sharedHandler)
        return;
    if (sharedHandler->count_ > 0)
        --sharedHandler->count_;
    if (sharedHandler->count_ == 0) {
        // May run inside the window's own timer event when a handler destroys the last timer;
        // Qt allows an object to be deleted from its timer event, and dispatch() touches
        // nothing after the handler call.
        delete sharedHandler;
        sharedHandler = nullptr;
    }
}

int TSimpleTimerHandler::setTimer(TSimpleTimer* timer, quint32 interval) {
    // Longer periods are cut to the longest the system timer takes.
    const int ms = interval > quint32(INT_MAX) ? INT_MAX : int(interval);
    const int id = window_->startTimer(ms, Qt::PreciseTimer);
    if (id != 0)
        live_.insert(id, timer);
    return id;
}

void TSimpleTimerHandler::killTimer(int id) {
    live_.remove(id);
    window_->killTimer(id);
}

void TSimpleTimerHandler::dispatch(int id) {
    TSimpleTimer* timer = live_.value(id, nullptr);
    if (!timer)
        return; // stopped or destroyed since the tick was queued
    if (timer->autoDisable_)
        timer->Stop(true);
    // A copy: the handler may destroy its timer, or replace the handler, while it runs. Nothing
    // of the timer or of this handler is touched after the call.
    TSimpleTimer::TTimerEvent handler = timer->onTimer_;
    if (handler)
        orvik::runGuarded([&] { handler(timer); });
}

TSimpleTimer::TSimpleTimer() : TSimpleTimer(1000, {}) {}

TSimpleTimer::TSimpleTimer(quint32 interval, TTimerEvent onTimer) : interval_(interval) {
    setOnTimer(std::move(onTimer));
    handler_ = TSimpleTimerHandler::acquire();
}

TSimpleTimer::~TSimpleTimer() {
    if (enabled_)
        Stop(true);
    else if (systemId_ != 0)
        Stop(false);
    TSimpleTimerHandler::release();
}

bool TSimpleTimer::Start() {
    if (interval_ == 0)
        return false;
    if (enabled_)
        Stop(true);
    systemId_ = handler_->setTimer(this, interval_);
    if (systemId_ != 0)
        enabled_ = true;
    return systemId_ != 0;
}

bool TSimpleTimer::Stop(bool disable) {
    if (disable)
        enabled_ = false;
    if (systemId_ == 0)
        return false;
    handler_->killTimer(systemId_);
    systemId_ = 0;
    return true;
}

void TSimpleTimer::setEnabled(bool value) {
    if (value)
        Start();
    else
        Stop(true);
}

void TSimpleTimer::setInterval(quint32 value) {
    if (value == interval_)
        return;
    interval_ = value;
    if (!enabled_)
        return;
    if (value != 0)
        Start();
    else
        Stop(false);
}

void TSimpleTimer::setOnTimer(TTimerEvent handler) {
    onTimer_ = std::move(handler);
    if (!onTimer_ && enabled_)
        Stop(false);
}

// A handler still alive at program end (a timer was never destroyed) goes with the program.
struct TSimpleTimerHandler::Finaliser {
    ~Finaliser() {
        delete sharedHandler;
        sharedHandler = nullptr;
    }
};

TSimpleTimerHandler::Finaliser TSimpleTimerHandler::finaliser_;
