// The long steps of the main window's start-up: the splash, the catalogue, the players, and
// the line that marks the first paint.
#include "app/forms/MainWindow.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/StationLoader.h"
#include "app/forms/AlignPanel.h"
#include "app/forms/Splash.h"
#include "app/player/PlayerFactory.h"
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"
#include "core/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStartup, "orvik.startup", QtWarningMsg)

namespace {
const QString kMediaPlayerMissing = QStringLiteral(
    "Unable to start the Windows Media Player interface. Please make sure you have at least "
    "Windows Media Player 10 installed.");
}

void TfrmMain::ShowSplash() {
    splash_ = new TfmSplash(this);
    splash_->show();
    splash_->repaint();
    QCoreApplication::processEvents();
}

void TfrmMain::HideSplash() {
    if (splash_) {
        splash_->hide();
        delete splash_.data();
    }
}

void TfrmMain::OpenCatalogue() {
    orvik::runReporting([this] {
        orvik::prepareCatalogue();
        catalogue_->OpenFile(orvik::cataloguePath());
        if (catalogue_->ReadOnly())
            orvik::ShowInformation(QStringLiteral("The catalogue %1 is read-only: changes cannot "
                                                  "be saved.")
                                       .arg(QDir::toNativeSeparators(catalogue_->DatabasePath())));
        loader_->LoadStations(false);
        if (lcStartup().isInfoEnabled()) {
            int stations = 0;
            const int categories = ui->tvStations->topLevelItemCount();
            for (int i = 0; i < categories; ++i)
                stations += ui->tvStations->topLevelItem(i)->childCount();
            qCInfo(lcStartup, "catalogue %s: %d categories, %d stations",
                   qPrintable(orvik::cataloguePath()), categories, stations);
        }
    });
}

void TfrmMain::CreatePlayers() {
    try {
        TRealAudio* real = orvik::PlayerFactory::CreateRealAudio(this);
        if (!real)
            throw orvik::Error(QStringLiteral("no RealMedia player"));
        RealPlayer = real;
        real->setParent(ui->pnlPlayer);
        TAlignPanel::setAlign(real, QStringLiteral("client"));
        real->SetNoLabels(true);
        real->SetConsole(QStringLiteral("one"));
        real->SetControls(QStringLiteral("ImageWindow"));
        real->SetBackgroundColor(QStringLiteral("black"));
        real->hide();
        real->SetVolume(50);
    } catch (...) {
        delete RealPlayer.data();
        RealPlayer = nullptr;
    }

    try {
        TWindowsMediaPlayer* media = orvik::PlayerFactory::CreateMediaPlayer(this);
        if (!media)
            throw orvik::Error(QStringLiteral("no media player"));
        MediaPlayer = media;
        media->setParent(ui->pnlBlack);
        TAlignPanel::setAlign(media, QStringLiteral("client"));
        media->setUiMode(QStringLiteral("none"));
        media->setEnableContextMenu(false);
        media->setStretchToFit(true);
        media->setAutoStart(true);
        media->setVolume(50);
        media->show();
    } catch (...) {
        delete MediaPlayer.data();
        MediaPlayer = nullptr;
        orvik::ShowError(kMediaPlayerMissing);
    }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* e) {
    // The first paint of the window's contents ends the start-up (the start-up benchmark
    // watches for this line).
    if (e->type() == QEvent::Paint && watched == ui->centralWidget && !firstPaintLogged_) {
        firstPaintLogged_ = true;
        qCInfo(lcStartup, "first paint");
    }
    return QMainWindow::eventFilter(watched, e);
}
