#include "app/forms/Playback.h"

#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/RealMediaAddress.h"
#include "app/forms/StopReason.h"
#include "app/player/RealAudio.h"
#include "app/player/Reconnector.h"
#include "app/player/WebBrowser.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"

#include <QDesktopServices>
#include <QRandomGenerator>

#include <chrono>

using orvik::runSilently;

TPlayback::TPlayback(TfrmMain& form)
    : QObject(&form), f_(form), reason_(new TStopReason(form.form(), this)) {
    openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    randomIndex = &TPlayback::ClockSeededIndex;
}

int TPlayback::ClockSeededIndex(int n) {
    // Seeded from the clock to the nanosecond, so clicks close together still differ.
    const quint64 now = quint64(std::chrono::system_clock::now().time_since_epoch().count());
    const quint32 seed[] = {quint32(now), quint32(now >> 32)};
    QRandomGenerator gen(seed, seed + 2);
    return n > 0 ? int(gen.bounded(quint32(n))) : 0;
}

void TPlayback::setStatus(const QString& text) {
    f_.form().lblStatusText->setText(text);
}

void TPlayback::actPlayUpdate() {
    f_.form().actPlay->setEnabled(f_.CurrentStation() != nullptr);
}

void TPlayback::actStopUpdate() {
    QAction* stop = f_.form().actStop;
    switch (f_.PlayMode) {
    case 1:
        try {
            if (f_.RealPlayer)
                stop->setEnabled(f_.RealPlayer->CanStop());
        } catch (...) {
            // Asking failed: the state stays as it was.
        }
        break;
    case 0: {
        const int state = f_.MediaPlayer ? f_.MediaPlayer->playState() : 0;
        stop->setEnabled(state == 3 || state == 4 || state == 5 || state == 6 || state == 7 ||
                         state == 9);
        break;
    }
    default:
        stop->setEnabled(f_.PlayMode == 2);
    }
    // Waiting to bring a dropped stream back: Stop ends the attempts.
    if (f_.nowPlaying().reconnector().active())
        stop->setEnabled(true);
}

void TPlayback::actPlayExecute() {
    orvik::runReporting([this] {
        const TItemPtr station = f_.CurrentStation();
        if (!station)
            return;
        const QString url = station->Url;
        f_.nowPlaying().cancelReconnect();
        if (station->IdExact)
            emit stationPlayed(station->Id);
        reason_->clear();
        if (url == orvik::kWebPageMarker) {
            f_.PlayMode = 2;
            f_.nowPlaying().started(2, station->Name, QString());
            const QString address = station->Website;
            f_.WebBrowser->setVisible(true);
            f_.WebBrowser->raise();
            f_.WebBrowser->Navigate(address);
            return;
        }
        f_.PlayMode = orvik::IsRealMedia(url) ? 1 : 0;
        // One station at a time: the player of the other kind stops first.
        stopOtherPlayer(f_.PlayMode);
        f_.nowPlaying().started(f_.PlayMode, station->Name, url);
        // A page shown before would stay in front of the media player, which lives inside
        // pnlBlack: the browser goes back behind pnlBlack, where it was at start.
        f_.WebBrowser->lower();
        FormResize();
        if (f_.PlayMode == 1) {
            if (f_.MediaPlayer)
                TAlignPanel::setAlign(f_.MediaPlayer, QString());
            runSilently([&] {
                TRealAudio* real = f_.RealPlayer;
                if (!real)
                    return;
                // The player reports its first states while it is being started, so its
                // events are connected before that.
                connect(real, &TRealAudio::PlayStateChange, this,
                        &TPlayback::RealPlayerPlayStateChange, Qt::UniqueConnection);
                real->raise();
                real->SetSource(url);
                real->DoPlay();
                placeRealPlayer();
                real->show();
            });
        } else {
            runSilently([&] {
                if (TRealAudio* real = f_.RealPlayer) {
                    TAlignPanel::setAlign(real, QString());
                    real->move(-5000, -5000);
                }
                TWindowsMediaPlayer* media = f_.MediaPlayer;
                if (!media)
                    return;
                media->show();
                media->raise();
                connect(media, &TWindowsMediaPlayer::PlayStateChange, this,
                        &TPlayback::MediaPlayerPlayStateChange, Qt::UniqueConnection);
                media->setURL(url);
                media->controlsPlay();
            });
        }
    });
}

void TPlayback::stopOtherPlayer(int mode) {
    if (mode == 1 && f_.MediaPlayer) {
        const int state = f_.MediaPlayer->playState();
        if (state != 0 && state != 1 && state != 8 && state != 10)
            f_.MediaPlayer->controlsStop();
    } else if (mode == 0) {
        runSilently([this] {
            if (f_.RealPlayer && f_.RealPlayer->CanStop())
                f_.RealPlayer->DoStop();
        });
    }
}

void TPlayback::actStopExecute() {
    f_.nowPlaying().cancelReconnect();
    reason_->clear();
    // Whatever plays stops, whichever player it is on.
    if (f_.PlayMode == 0 || f_.PlayMode == 2)
        stopOtherPlayer(0);
    if (f_.PlayMode == 1 || f_.PlayMode == 2)
        stopOtherPlayer(1);
    switch (f_.PlayMode) {
    case 1:
        runSilently([this] {
            if (f_.RealPlayer)
                f_.RealPlayer->DoStop();
        });
        break;
    case 0:
        if (f_.MediaPlayer)
            f_.MediaPlayer->controlsStop();
        break;
    case 2:
        f_.WebBrowser->Stop();
        break;
    default:
        break;
    }
}

void TPlayback::PlayOrStop() {
    f_.updater().updateAll();
    auto& ui = f_.form();
    QAction* action =
        f_.nowPlaying().playing() || ui.actStop->isEnabled() ? ui.actStop : ui.actPlay;
    action->trigger();
}

namespace {

// The players' volume (0 to 100) for the slider's position (0 to 20).
int playerVolume(const QSlider& slider) {
    return slider.value() * 5;
}

} // namespace

void TPlayback::trbVolumeChange() {
    const int volume = playerVolume(*f_.form().trbVolume);
    if (f_.PlayMode == 1) {
        runSilently([&] {
            if (f_.RealPlayer)
                f_.RealPlayer->SetVolume(volume);
        });
    } else if (f_.PlayMode == 0) {
        if (f_.MediaPlayer)
            f_.MediaPlayer->setVolume(volume);
    }
}

void TPlayback::GiveVolumeToPlayers() {
    const int volume = playerVolume(*f_.form().trbVolume);
    if (f_.MediaPlayer)
        f_.MediaPlayer->setVolume(volume);
    runSilently([&] {
        if (f_.RealPlayer)
            f_.RealPlayer->SetVolume(volume);
    });
}

void TPlayback::MediaPlayerPlayStateChange(int NewState) {
    auto& ui = f_.form();
    if (NewState == 6) {
        ui.lLoading->show();
        setStatus(QStringLiteral("Please wait, loading channel..."));
    } else if (NewState == 1 || NewState == 3) {
        // Nudging the width lays every aligned control out again and runs the resize handler.
        f_.resize(f_.width() - 1, f_.height());
        f_.resize(f_.width() + 1, f_.height());
        FormResize();
        ui.lLoading->hide();
        if (NewState == 1) {
            setStatus(QStringLiteral("No channel currently playing"));
            showStopReason(0);
        } else {
            const TItemPtr current = f_.CurrentStation();
            setStatus(current ? current->Name : QStringLiteral("Channel is playing..."));
        }
    }
    f_.nowPlaying().afterState(0, NewState == 3, NewState == 1);
}

void TPlayback::RealPlayerPlayStateChange(int lNewState) {
    auto& ui = f_.form();
    if (lNewState == 3) {
        ui.lLoading->show();
        setStatus(QStringLiteral("Please wait, loading channel..."));
    } else if (lNewState == 0 || lNewState == 4) {
        ui.lLoading->hide();
        // The status names the station once it plays, as for the other player.
        if (lNewState == 0) {
            setStatus(QStringLiteral("No channel currently playing"));
            showStopReason(1);
        } else {
            const TItemPtr current = f_.CurrentStation();
            setStatus(current ? current->Name : QStringLiteral("Channel is playing..."));
        }
    }
    f_.nowPlaying().afterState(1, lNewState == 4, lNewState == 0);
}

void TPlayback::showStopReason(int mode) {
    if (mode != f_.PlayMode)
        return; // the other player stopped for the one now in use
    QString reason;
    if (mode == 0 && f_.MediaPlayer)
        reason = f_.MediaPlayer->core().failureReason();
    else if (mode == 1 && f_.RealPlayer)
        reason = f_.RealPlayer->core().failureReason();
    reason_->show(reason);
}

QString TPlayback::stopReason() const {
    return reason_->text();
}
