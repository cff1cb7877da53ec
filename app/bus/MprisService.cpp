#include "app/bus/MprisService.h"

#include "app/bus/MediaControl.h"
#include "app/bus/MprisPlayer.h"
#include "app/bus/MprisRoot.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>

namespace orvik {

const QString TMprisService::kServiceName = QStringLiteral("org.mpris.MediaPlayer2.orvik");
const QString TMprisService::kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");

namespace {
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
}

TMprisService::TMprisService(TMediaControl& control, QObject* parent)
    : QObject(parent), control_(control), bus_(QStringLiteral("orvik-none")) {
    new TMprisRoot(this);
    new TMprisPlayer(this);
}

TMprisService::~TMprisService() {
    if (!registered_)
        return;
    bus_.unregisterObject(kObjectPath);
    bus_.unregisterService(serviceName_);
}

bool TMprisService::registerOn(const QDBusConnection& bus) {
    if (registered_ || !bus.isConnected())
        return false;
    bus_ = bus;
    if (!bus_.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors))
        return false;
    serviceName_ = kServiceName;
    if (!bus_.registerService(serviceName_)) {
        serviceName_ = kServiceName + QStringLiteral(".instance") +
                       QString::number(QCoreApplication::applicationPid());
        if (!bus_.registerService(serviceName_)) {
            bus_.unregisterObject(kObjectPath);
            serviceName_.clear();
            return false;
        }
    }
    registered_ = true;
    return true;
}

QString TMprisService::playbackStatus() const {
    return state_.playing ? QStringLiteral("Playing") : QStringLiteral("Stopped");
}

QVariantMap TMprisService::metadata() const {
    QVariantMap map;
    if (state_.station.isEmpty()) {
        map.insert(QStringLiteral("mpris:trackid"),
                   QVariant::fromValue(QDBusObjectPath(
                       QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"))));
        return map;
    }
    map.insert(
        QStringLiteral("mpris:trackid"),
        QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/orvik/station/%1").arg(track_))));
    map.insert(QStringLiteral("xesam:title"),
               state_.title.isEmpty() ? state_.station : state_.title);
    map.insert(QStringLiteral("xesam:album"), state_.station);
    map.insert(QStringLiteral("xesam:artist"), QStringList{state_.station});
    if (!state_.url.isEmpty())
        map.insert(QStringLiteral("xesam:url"), state_.url);
    return map;
}

QVariantMap TMprisService::playerProperties() const {
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus()},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("Volume"), state_.volume},
        {QStringLiteral("CanPlay"), state_.canPlay},
        {QStringLiteral("CanPause"), false},
        {QStringLiteral("CanGoNext"), state_.canGoNext},
        {QStringLiteral("CanGoPrevious"), state_.canGoPrevious},
    };
}

void TMprisService::publish(const TMediaState& state) {
    if (state == state_)
        return;
    const QVariantMap before = playerProperties();
    const bool newTrack = state.station != state_.station || state.url != state_.url;
    state_ = state;
    if (newTrack)
        ++track_;
    const QVariantMap after = playerProperties();
    QVariantMap changed;
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        // Metadata holds an object path, which variants do not compare: its parts do.
        const bool differs =
            it.key() == QLatin1String("Metadata")
                ? newTrack || before.value(it.key()).toMap().value("xesam:title") !=
                                  it.value().toMap().value("xesam:title")
                : before.value(it.key()) != it.value();
        if (differs)
            changed.insert(it.key(), it.value());
    }
    emitChanged(kPlayerInterface, changed);
}

void TMprisService::emitChanged(const QString& interface, const QVariantMap& changed) {
    if (!registered_ || changed.isEmpty())
        return;
    QDBusMessage signal =
        QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                   QStringLiteral("PropertiesChanged"));
    signal << interface << changed << QStringList();
    bus_.send(signal);
}

} // namespace orvik
