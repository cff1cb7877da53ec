#include "app/player/WindowsMediaPlayer.h"

#include "app/player/VideoSurface.h"

#include <QRegion>

namespace orvik {

TWindowsMediaPlayer::TWindowsMediaPlayer(QWidget* parent) : TPlayerWidget(parent) {
    connect(&core(), &TPlayerCore::stateChanged, this, &TWindowsMediaPlayer::onCoreState);
    core().setUnscaled(!stretchToFit_);
}

void TWindowsMediaPlayer::setURL(const QString& url) {
    url_ = url;
    if (autoStart_ && !url.trimmed().isEmpty()) {
        startPicture();
        core().open(url);
        return;
    }
    core().stop();
    if (!url.trimmed().isEmpty())
        report(psReady);
}

void TWindowsMediaPlayer::controlsPlay() {
    if (continuePlaying(url_))
        return;
    if (!url_.trimmed().isEmpty()) {
        startPicture();
        core().open(url_);
    }
}

void TWindowsMediaPlayer::startPicture() {
    prepareVideo();
    setUiMode(uiMode_);
}

void TWindowsMediaPlayer::controlsPause() {
    core().pause();
}

void TWindowsMediaPlayer::controlsStop() {
    core().stop();
    // Stopping a player that is ready but never started still tells that it is stopped.
    if (playState_ == psReady)
        report(psStopped);
}

void TWindowsMediaPlayer::setVolume(int volume) {
    core().setVolume(volume);
}

void TWindowsMediaPlayer::setUiMode(const QString& mode) {
    uiMode_ = mode;
    if (videoSurface())
        videoSurface()->setVisible(mode.compare(u"invisible", Qt::CaseInsensitive) != 0);
}

void TWindowsMediaPlayer::setEnableContextMenu(bool on) {
    enableContextMenu_ = on;
    setContextMenuPolicy(on ? Qt::DefaultContextMenu : Qt::PreventContextMenu);
}

void TWindowsMediaPlayer::setStretchToFit(bool on) {
    stretchToFit_ = on;
    core().setUnscaled(!on);
}

void TWindowsMediaPlayer::SetObjectRects(const QRect& pos, const QRect& clip) {
    setGeometry(pos);
    const QRect visible = clip.intersected(pos);
    if (visible == pos)
        clearMask();
    else
        setMask(QRegion(visible.translated(-pos.topLeft())));
}

void TWindowsMediaPlayer::onCoreState(TPlayerCore::State state) {
    switch (state) {
    case TPlayerCore::State::Stopped:
        report(psStopped);
        break;
    case TPlayerCore::State::Opening:
    case TPlayerCore::State::Buffering:
        report(psBuffering);
        break;
    case TPlayerCore::State::Playing:
        report(psPlaying);
        break;
    case TPlayerCore::State::Paused:
        report(psPaused);
        break;
    case TPlayerCore::State::Ended:
        report(psMediaEnded);
        break;
    }
}

void TWindowsMediaPlayer::report(int state) {
    if (state == playState_)
        return;
    playState_ = state;
    emit PlayStateChange(state);
}

} // namespace orvik
