#include "app/player/LoadLog.h"

#include "app/player/FailureReason.h"

#include <QList>
#include <QTimer>

#include <algorithm>

namespace orvik {

namespace {

// Every log alive, in the order made. Touched only on the user-interface thread.
QList<TLoadLog*>& allLogs() {
    static QList<TLoadLog*> logs;
    return logs;
}

} // namespace

TLoadLog::TLoadLog(QObject* parent) : QObject(parent), settle_(new QTimer(this)) {
    settle_->setSingleShot(true);
    settle_->setTimerType(Qt::PreciseTimer); // a coarse one may end the wait 5% early
    settle_->setInterval(kSettleMs);
    connect(settle_, &QTimer::timeout, this, &TLoadLog::onQuiet);
    allLogs().append(this);
}

TLoadLog::~TLoadLog() {
    allLogs().removeOne(this);
}

void TLoadLog::take(const QString& prefix, const QString& text) {
    if (!TellsWhyLoadFailed(prefix, text))
        return;
    const QString line = prefix + QStringLiteral(": ") + text;
    if (!prefix.startsWith(QLatin1String("ffmpeg"))) {
        if (listening_)
            keep(line);
        return;
    }
    // Not necessarily about this player's stream: every player opening one may need it.
    // Normally only one station opens at a time.
    for (TLoadLog* log : allLogs()) {
        if (log->listening_)
            log->keep(line);
    }
}

void TLoadLog::keep(const QString& line) {
    if (lines_.size() >= kMaxLines)
        lines_.removeFirst();
    lines_.append(line);
    causeNamed_ = causeNamed_ || NamesCause(line);
    if (waiting_ && causeNamed_ && !limit_.hasExpired())
        settle_->start(int(std::min<qint64>(kSettleMs, limit_.remainingTime())));
}

void TLoadLog::awaitQuiet() {
    waiting_ = true;
    limit_.setRemainingTime(kLimitMs);
    // Until a cause is named the timer runs to the limit.
    settle_->start(causeNamed_ ? kSettleMs : kLimitMs);
}

void TLoadLog::cancelWait() {
    waiting_ = false;
    settle_->stop();
}

void TLoadLog::onQuiet() {
    if (!waiting_)
        return;
    waiting_ = false;
    emit settled();
}

} // namespace orvik
