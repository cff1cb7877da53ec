// What is set on a player while it plays (pause, volume, timeout, picture fit) and what it
// tells of its library.
#include "app/player/PlayerCore.h"

#include <mpv/client.h>

#include <algorithm>

namespace orvik {

void TPlayerCore::pause() {
    if (state_ != State::Playing && state_ != State::Buffering)
        return;
    setFlag("pause", true);
    setState(State::Paused);
}

void TPlayerCore::resume() {
    if (state_ != State::Paused)
        return;
    setFlag("pause", false);
    setState(State::Playing);
}

void TPlayerCore::setVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    double value = volume_;
    mpv_set_property_async(mpv_.get(), 0, "volume", MPV_FORMAT_DOUBLE, &value);
}

void TPlayerCore::setNetworkTimeout(double seconds) {
    networkTimeout_ = std::clamp(seconds, 0.1, 3600.0);
    double value = networkTimeout_;
    mpv_set_property_async(mpv_.get(), 0, "network-timeout", MPV_FORMAT_DOUBLE, &value);
}

void TPlayerCore::reattachVideo() {
    if (state_ == State::Stopped || entry_.isEmpty())
        return;
    // A stream that started before the render context existed plays on without a picture
    // ("null" output); the answer to this query decides whether to open it again.
    mpv_get_property_async(mpv_.get(), kVideoOutputQuery, "current-vo", MPV_FORMAT_STRING);
}

QString TPlayerCore::libraryVersion() const {
    if (char* text = mpv_get_property_string(mpv_.get(), "mpv-version")) {
        const QString version = QString::fromUtf8(text);
        mpv_free(text);
        return version;
    }
    return clientApiVersion();
}

QString TPlayerCore::clientApiVersion() {
    const unsigned long api = mpv_client_api_version();
    return QStringLiteral("libmpv client API %1.%2").arg(api >> 16).arg(api & 0xffff);
}

void TPlayerCore::setKeepAspect(bool on) {
    setFlag("keepaspect", on);
}

void TPlayerCore::setUnscaled(bool on) {
    setFlag("video-unscaled", on);
}

void TPlayerCore::setFlag(const char* name, bool on) {
    int value = on ? 1 : 0;
    mpv_set_property_async(mpv_.get(), 0, name, MPV_FORMAT_FLAG, &value);
}

} // namespace orvik
