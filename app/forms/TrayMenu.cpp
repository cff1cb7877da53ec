#include "app/forms/TrayMenu.h"

#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/Playback.h"
#include "core/ErrorWrapper.h"
#include "tray/TrayIcon.h"

#include <QMenu>

namespace {
// Menu texts take & as the mark of a shortcut letter: a station's own & is shown as it is.
QString literal(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
} // namespace

TTrayMenu::TTrayMenu(TfrmMain& form) : QObject(&form), f_(form), menu_(new QMenu(&form)) {
    menu_->setObjectName(QStringLiteral("TrayMenu"));
    heading_ = menu_->addAction(QString());
    heading_->setEnabled(false);
    menu_->addSeparator();
    playStop_ = menu_->addAction(QStringLiteral("Play"));
    next_ = menu_->addAction(QStringLiteral("Next Channel"));
    previous_ = menu_->addAction(QStringLiteral("Previous Channel"));
    favorites_ = menu_->addMenu(QStringLiteral("Favorites"));
    favorites_->setObjectName(QStringLiteral("TrayFavorites"));
    menu_->addSeparator();
    show_ = menu_->addAction(QStringLiteral("Show Orvik"));
    exit_ = menu_->addAction(QStringLiteral("Exit"));

    auto command = [this](QAction* action, std::function<void()> handler) {
        connect(action, &QAction::triggered, this,
                [handler = std::move(handler)] { orvik::runGuarded(handler); });
    };
    command(playStop_, [this] { f_.playback().PlayOrStop(); });
    command(next_, [this] { f_.playback().Button1Click(); });
    command(previous_, [this] { f_.playback().Button2Click(); });
    command(show_, [this] { f_.BringToFront(); });
    command(exit_, [this] { f_.actExitExecute(); });
    connect(menu_, &QMenu::aboutToShow, this, [this] { orvik::runGuarded([this] { refresh(); }); });
    f_.TrayIcon->setPopupMenu(menu_);
}

void TTrayMenu::refresh() {
    auto& ui = f_.form();
    f_.updater().updateAll();
    TNowPlaying& now = f_.nowPlaying();
    QString heading = now.playingText();
    if (heading.isEmpty())
        heading =
            now.playing() ? now.stationName() : QStringLiteral("No channel currently playing");
    heading_->setText(literal(heading));
    const bool stop = now.playing() || ui.actStop->isEnabled();
    playStop_->setText(stop ? QStringLiteral("Stop") : QStringLiteral("Play"));
    playStop_->setEnabled(stop || ui.actPlay->isEnabled());
    const bool stepping = ui.PageControl->currentIndex() < 2;
    next_->setEnabled(stepping);
    previous_->setEnabled(stepping);

    favorites_->clear();
    for (int row = 0; row < ui.lsvFavorites->count(); ++row) {
        QAction* item = favorites_->addAction(literal(ui.lsvFavorites->item(row)->text()));
        connect(item, &QAction::triggered, this,
                [this, row] { orvik::runGuarded([this, row] { playFavorite(row); }); });
    }
    favorites_->setEnabled(ui.lsvFavorites->count() > 0);
}

void TTrayMenu::playFavorite(int row) {
    auto& ui = f_.form();
    if (row >= ui.lsvFavorites->count())
        return;
    ui.PageControl->setCurrentIndex(1);
    ui.lsvFavorites->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    f_.tvStationsClick();
    f_.tvStationsDblClick();
}
