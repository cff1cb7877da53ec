#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

namespace orvik {

// Desktop notifications through org.freedesktop.Notifications. Each one replaces the one shown
// before rather than stacking on it. No bus, no notification server or a server that fails:
// nothing is shown and nothing is reported.
class TNotifier : public QObject {
    Q_OBJECT
public:
    explicit TNotifier(const QDBusConnection& bus, QObject* parent = nullptr);

    void notify(const QString& summary, const QString& body);
    // The server's id of the notification shown last (0 before the first answer).
    uint lastId() const { return lastId_; }

signals:
    // The server answered a notification with its id.
    void shown(uint id);

private:
    void send(const QString& summary, const QString& body);

    QDBusConnection bus_;
    uint lastId_ = 0;
    // While a notification waits for its id, the newest one after it waits here, so that it
    // replaces the first instead of standing beside it.
    bool pending_ = false;
    bool queued_ = false;
    QString queuedSummary_;
    QString queuedBody_;
};

} // namespace orvik
