#include "app/forms/NowPlaying.h"

#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/player/PlayerCore.h"
#include "app/player/RealAudio.h"
#include "app/player/Reconnector.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"
#include "tray/TrayIcon.h"

#include <QLabel>
#include <QTextDocument>

namespace {
const QString kIdle = QStringLiteral("No channel currently playing");

// Tips may be shown as rich text when they look like it: such a title is escaped, so that
// it is shown as the text it is.
QString plainTip(const QString& text) {
    return Qt::mightBeRichText(text)
               ? QStringLiteral("<qt>") + text.toHtmlEscaped() + QStringLiteral("</qt>")
               : text;
}
} // namespace

TNowPlaying::TNowPlaying(TfrmMain& form)
    : QObject(&form), f_(form), reconnect_(new orvik::TReconnector(this)) {
    auto& ui = f_.form();
    // Titles come from the stream's server: never read as markup.
    ui.lblStatusText->setTextFormat(Qt::PlainText);
    QWidget* panel = ui.lblName->parentWidget();
    lblNowPlayingCaption_ = new QLabel(QStringLiteral("Playing:"), panel);
    lblNowPlayingCaption_->setObjectName(QStringLiteral("lblNowPlayingCaption"));
    lblNowPlayingCaption_->setGeometry(8, 112, 62, 14);
    lblNowPlaying_ = new QLabel(panel);
    lblNowPlaying_->setObjectName(QStringLiteral("lblNowPlaying"));
    lblNowPlaying_->setTextFormat(Qt::PlainText);
    lblNowPlaying_->setGeometry(72, 112, 148, 14);
    lblNowPlayingCaption_->hide();
    lblNowPlaying_->hide();
    connect(reconnect_, &orvik::TReconnector::retry, this,
            [this] { orvik::runGuarded([this] { retry(); }); });
    connect(reconnect_, &orvik::TReconnector::countdown, this, &TNowPlaying::showCountdown);
    connect(reconnect_, &orvik::TReconnector::gaveUp, this, [this] {
        f_.form().lblStatusText->setText(kIdle);
        f_.form().lLoading->hide();
    });
}

void TNowPlaying::watchPlayers() {
    if (f_.MediaPlayer)
        watch(&f_.MediaPlayer->core(), 0);
    if (f_.RealPlayer)
        watch(&f_.RealPlayer->core(), 1);
}

void TNowPlaying::watch(orvik::TPlayerCore* core, int mode) {
    connect(core, &orvik::TPlayerCore::titleChanged, this,
            [this, mode](const QString& title) { onTitle(mode, title); });
    connect(core, &orvik::TPlayerCore::dropped, this, [this, mode] { onDropped(mode); });
}

void TNowPlaying::started(int mode, const QString& name, const QString& url) {
    reconnect_->stop();
    mode_ = mode;
    name_ = name;
    url_ = url;
}

void TNowPlaying::cancelReconnect() {
    if (!reconnect_->active())
        return;
    reconnect_->stop();
    if (!playerPlaying()) {
        f_.form().lblStatusText->setText(kIdle);
        f_.form().lLoading->hide();
    }
}

QString TNowPlaying::playingText() const {
    if (title_.isEmpty())
        return QString();
    return name_.isEmpty() ? title_ : name_ + QStringLiteral(" - ") + title_;
}

void TNowPlaying::onTitle(int mode, const QString& title) {
    if (mode != mode_)
        return;
    title_ = title;
    showTitle();
    emit changed();
}

void TNowPlaying::showTitle() {
    const QString text = playingText();
    if (!text.isEmpty() && playerPlaying())
        f_.form().lblStatusText->setText(text);
    lblNowPlaying_->setText(title_);
    lblNowPlaying_->setToolTip(plainTip(title_));
    lblNowPlaying_->setVisible(!title_.isEmpty());
    lblNowPlayingCaption_->setVisible(!title_.isEmpty());
    if (f_.TrayIcon)
        f_.TrayIcon->setHint(text.isEmpty() ? QStringLiteral("Orvik") : plainTip(text));
}

bool TNowPlaying::playerPlaying() const {
    if (mode_ == 0 && f_.MediaPlayer)
        return f_.MediaPlayer->playState() == TWindowsMediaPlayer::psPlaying;
    if (mode_ == 1 && f_.RealPlayer)
        return f_.RealPlayer->core().state() == orvik::TPlayerCore::State::Playing;
    return false;
}

void TNowPlaying::afterState(int mode, bool playing, bool stopped) {
    if (mode != mode_)
        return;
    if (playing) {
        reconnect_->stop();
        const QString text = playingText();
        if (!text.isEmpty())
            f_.form().lblStatusText->setText(text);
    } else if (stopped && reconnect_->attempting()) {
        reconnect_->attemptFailed(); // shows the wait for the next attempt, or gives up
    } else if (stopped && reconnect_->active()) {
        showCountdown(reconnect_->secondsLeft());
    }
    emit changed();
}

void TNowPlaying::onDropped(int mode) {
    // Only the stream the user last started is brought back.
    if (mode != mode_ || f_.PlayMode != mode || url_.isEmpty())
        return;
    reconnect_->dropped();
}

void TNowPlaying::retry() {
    if (mode_ == 0 && f_.MediaPlayer) {
        f_.MediaPlayer->setURL(url_);
    } else if (mode_ == 1 && f_.RealPlayer) {
        orvik::runSilently([this] {
            f_.RealPlayer->SetSource(url_);
            f_.RealPlayer->DoPlay();
        });
    } else {
        reconnect_->stop();
    }
}

void TNowPlaying::showCountdown(int secondsLeft) {
    if (!reconnect_->active() || reconnect_->attempting())
        return;
    f_.form().lblStatusText->setText(QStringLiteral("Reconnecting... %1 s").arg(secondsLeft));
}
