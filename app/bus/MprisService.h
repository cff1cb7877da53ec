#pragma once

#include "app/bus/MediaState.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>

namespace orvik {

class TMediaControl;

// The player as desktop shells and media keys see it: the two media player interfaces on the
// session bus under org.mpris.MediaPlayer2.orvik, and a change signal for every property that
// changed when the state is published. Without a session bus it stays unregistered and silent.
class TMprisService : public QObject {
    Q_OBJECT
public:
    static const QString kServiceName;
    static const QString kObjectPath;

    TMprisService(TMediaControl& control, QObject* parent = nullptr);
    ~TMprisService() override;

    // Registers on the bus; false when there is no bus or it refused. A second program on the
    // same bus takes a name of its own (".instance" and its process id).
    bool registerOn(const QDBusConnection& bus);
    bool registered() const { return registered_; }
    const QString& serviceName() const { return serviceName_; }

    // Takes the state and tells the bus what changed.
    void publish(const TMediaState& state);
    const TMediaState& state() const { return state_; }
    TMediaControl& control() { return control_; }

    // The player interface's properties for a state.
    QVariantMap playerProperties() const;
    QVariantMap metadata() const;
    QString playbackStatus() const;

private:
    void emitChanged(const QString& interface, const QVariantMap& changed);

    TMediaControl& control_;
    TMediaState state_;
    quint64 track_ = 0; // counts the stations started, for the track's id
    QDBusConnection bus_;
    QString serviceName_;
    bool registered_ = false;
};

} // namespace orvik
