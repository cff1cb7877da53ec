#pragma once

#include <QObject>

#include <functional>
#include <vector>

// Runs the actions' Update handlers when the event loop is about to wait for input, the way an
// idle-time updater does: one shared updater for the whole window, never a busy timer.
class TActionUpdater : public QObject {
    Q_OBJECT
public:
    explicit TActionUpdater(QObject* parent = nullptr);

    void add(std::function<void()> update);
    // Runs every Update handler now (also used by tests).
    void updateAll();

private:
    std::vector<std::function<void()>> updates_;
    bool running_ = false;
};
