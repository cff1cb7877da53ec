#include "app/player/RealAudio.h"

namespace orvik {

TRealAudio::TRealAudio(QWidget* parent) : TPlayerWidget(parent) {
    connect(&core(), &TPlayerCore::stateChanged, this, &TRealAudio::onCoreState);
}

void TRealAudio::SetSource(const QString& source) {
    source_ = source;
}

void TRealAudio::DoPlay() {
    if (continuePlaying(source_))
        return;
    if (source_.trimmed().isEmpty()) {
        core().stop();
    } else {
        prepareVideo();
        core().open(source_);
    }
}

void TRealAudio::DoStop() {
    core().stop();
}

bool TRealAudio::CanStop() const {
    switch (core().state()) {
    case TPlayerCore::State::Opening:
    case TPlayerCore::State::Buffering:
    case TPlayerCore::State::Playing:
    case TPlayerCore::State::Paused:
        return true;
    default:
        return false;
    }
}

void TRealAudio::SetVolume(int volume) {
    core().setVolume(volume);
}

void TRealAudio::SetMaintainAspect(bool on) {
    maintainAspect_ = on;
    core().setKeepAspect(on);
}

void TRealAudio::SetCenter(bool on) {
    center_ = on;
    core().setUnscaled(on);
}

void TRealAudio::SetBackgroundColor(const QString& color) {
    const QColor parsed = QColor::fromString(color);
    if (parsed.isValid())
        setBackgroundColor(parsed);
}

void TRealAudio::onCoreState(TPlayerCore::State state) {
    switch (state) {
    case TPlayerCore::State::Stopped:
        report(rsStopped);
        break;
    case TPlayerCore::State::Opening:
    case TPlayerCore::State::Buffering:
        report(rsLoading);
        break;
    case TPlayerCore::State::Playing:
        report(rsPlaying);
        break;
    case TPlayerCore::State::Paused:
    case TPlayerCore::State::Ended:
        break; // no number of its own; Stopped follows an end
    }
}

void TRealAudio::report(int state) {
    if (state == playState_)
        return;
    playState_ = state;
    emit PlayStateChange(state);
}

} // namespace orvik
