// View toggles, the resize handler that places the players, the links page and the report
// command.
#include "app/forms/Playback.h"

#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/StopReason.h"
#include "app/player/RealAudio.h"
#include "app/player/WebBrowser.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"
#include "core/ProgramFiles.h"

void TPlayback::FormResize() {
    auto& ui = f_.form();
    const QRect clip(0, 0, ui.pnlBlack->contentsRect().width(),
                     ui.pnlBlack->contentsRect().height());
    // A player on the full screen is placed there, not here.
    if (f_.MediaPlayer && f_.MediaPlayer->parentWidget() == ui.pnlBlack)
        f_.MediaPlayer->SetObjectRects(f_.MediaPlayer->geometry(), clip);
    reason_->layout();
    if (f_.PlayMode == 1) {
        orvik::runSilently([&] { placeRealPlayer(); });
    } else if (f_.PlayMode == 0) {
        orvik::runSilently([&] {
            if (TRealAudio* real = f_.RealPlayer; real && real->parentWidget() == ui.pnlPlayer) {
                TAlignPanel::setAlign(real, QString());
                real->move(-5000, -5000);
            }
        });
    }
}

void TPlayback::placeRealPlayer() {
    TRealAudio* real = f_.RealPlayer;
    if (!real || real->parentWidget() != f_.form().pnlPlayer)
        return;
    TAlignPanel::setAlign(real, QString());
    real->setGeometry(f_.form().pnlBlack->geometry());
}

void TPlayback::showLeftWhenNeeded() {
    auto& ui = f_.form();
    ui.pnlLeft->setVisible(!ui.PageControl->isHidden() || !ui.pnlStationInfo->isHidden());
}

void TPlayback::actViewStationsUpdate() {
    f_.form().actViewStations->setChecked(!f_.form().PageControl->isHidden());
}

void TPlayback::actViewStationsExecute() {
    auto& ui = f_.form();
    ui.PageControl->setVisible(ui.PageControl->isHidden());
    showLeftWhenNeeded();
}

void TPlayback::actViewStationInformationUpdate() {
    f_.form().actViewStationInformation->setChecked(!f_.form().pnlStationInfo->isHidden());
}

void TPlayback::actViewStationInformationExecute() {
    auto& ui = f_.form();
    ui.pnlStationInfo->setVisible(ui.pnlStationInfo->isHidden());
    showLeftWhenNeeded();
}

void TPlayback::cmdHideStationInfoClick() {
    f_.form().pnlStationInfo->hide();
    showLeftWhenNeeded();
}

void TPlayback::mnuLinksClick() {
    const QString address = QStringLiteral("file://") + orvik::linksPagePath();
    f_.WebBrowser->Navigate(address);
    f_.WebBrowser->setVisible(true);
    f_.WebBrowser->raise();
}
