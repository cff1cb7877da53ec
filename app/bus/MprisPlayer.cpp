#include "app/bus/MprisPlayer.h"

#include "app/bus/MediaControl.h"
#include "app/bus/MprisService.h"

#include <QTimer>

#include <cmath>

namespace orvik {

TMprisPlayer::TMprisPlayer(TMprisService* service)
    : QDBusAbstractAdaptor(service), service_(*service) {}

QString TMprisPlayer::playbackStatus() const {
    return service_.playbackStatus();
}

QVariantMap TMprisPlayer::metadata() const {
    return service_.metadata();
}

double TMprisPlayer::volume() const {
    return service_.state().volume;
}

void TMprisPlayer::setVolume(double volume) {
    // Out of range asks for the nearest end; not a number asks for nothing.
    if (std::isnan(volume))
        return;
    service_.control().setVolume(std::clamp(volume, 0.0, 1.0));
}

bool TMprisPlayer::canGoNext() const {
    return service_.state().canGoNext;
}

bool TMprisPlayer::canGoPrevious() const {
    return service_.state().canGoPrevious;
}

bool TMprisPlayer::canPlay() const {
    return service_.state().canPlay;
}

// A command runs after its reply has gone: a box it opens never keeps the caller waiting.
template <typename F> void TMprisPlayer::later(F command) {
    QTimer::singleShot(0, &service_, [s = &service_, command] { command(*s); });
}

void TMprisPlayer::Next() {
    later([](TMprisService& s) {
        if (s.state().canGoNext)
            s.control().next();
    });
}

void TMprisPlayer::Previous() {
    later([](TMprisService& s) {
        if (s.state().canGoPrevious)
            s.control().previous();
    });
}

void TMprisPlayer::Pause() {
    // A live station does not pause.
}

void TMprisPlayer::PlayPause() {
    later([](TMprisService& s) {
        if (s.state().playing)
            s.control().stop();
        else if (s.state().canPlay)
            s.control().play();
    });
}

void TMprisPlayer::Stop() {
    later([](TMprisService& s) {
        if (s.state().canStop)
            s.control().stop();
    });
}

void TMprisPlayer::Play() {
    later([](TMprisService& s) {
        if (s.state().canPlay && !s.state().playing)
            s.control().play();
    });
}

void TMprisPlayer::Seek(qlonglong) {}

void TMprisPlayer::SetPosition(const QDBusObjectPath&, qlonglong) {}

void TMprisPlayer::OpenUri(const QString&) {}

} // namespace orvik
