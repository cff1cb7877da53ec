#include "app/forms/ActionUpdater.h"

#include "core/ErrorWrapper.h"

#include <QAbstractEventDispatcher>
#include <QThread>

TActionUpdater::TActionUpdater(QObject* parent) : QObject(parent) {
    if (auto* dispatcher = QAbstractEventDispatcher::instance(QThread::currentThread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &TActionUpdater::updateAll);
}

void TActionUpdater::add(std::function<void()> update) {
    updates_.push_back(std::move(update));
}

void TActionUpdater::updateAll() {
    // An Update handler may show a box, which runs a nested loop that blocks again.
    if (running_)
        return;
    running_ = true;
    for (const auto& update : updates_)
        orvik::runGuarded(update);
    running_ = false;
}
