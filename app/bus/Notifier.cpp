#include "app/bus/Notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace orvik {

TNotifier::TNotifier(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {}

void TNotifier::notify(const QString& summary, const QString& body) {
    if (!bus_.isConnected())
        return;
    if (pending_) {
        queued_ = true;
        queuedSummary_ = summary;
        queuedBody_ = body;
        return;
    }
    send(summary, body);
}

void TNotifier::send(const QString& summary, const QString& body) {
    pending_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // The summary is plain text; servers may read the body as markup, and it is the stream's
    // text, so it is escaped.
    call << QStringLiteral("Orvik") << lastId_ << QStringLiteral("orvik") << summary
         << body.toHtmlEscaped() << QStringList() << QVariantMap() << int(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        QDBusPendingReply<uint> reply = *w;
        w->deleteLater();
        pending_ = false;
        if (!reply.isError()) {
            lastId_ = reply.value();
            emit shown(lastId_);
        }
        if (queued_) {
            queued_ = false;
            send(queuedSummary_, queuedBody_);
        }
    });
}

} // namespace orvik
