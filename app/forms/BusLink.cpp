#include "app/forms/BusLink.h"

#include "ui_MainWindow.h"

#include "app/bus/MprisService.h"
#include "app/bus/Notifier.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/Playback.h"
#include "app/forms/TreeOrder.h"
#include "core/ErrorWrapper.h"
#include "tray/TrayIcon.h"

#include <QDBusConnection>

#include <cmath>

using orvik::runGuarded;

TBusLink::TBusLink(TfrmMain& form)
    : QObject(&form), f_(form), mpris_(new orvik::TMprisService(*this, this)),
      notifier_(new orvik::TNotifier(QDBusConnection::sessionBus(), this)),
      actNotify_(new QAction(QStringLiteral("Title Notifications"), this)) {
    setObjectName(QStringLiteral("BusLink"));
    actNotify_->setObjectName(QStringLiteral("actTitleNotifications"));
    actNotify_->setCheckable(true);
    actNotify_->setChecked(true);
    auto& ui = f_.form();
    // Below Station Information, before the skin entries.
    const QList<QAction*> view = ui.mnuViewMenu->actions();
    const qsizetype after = view.indexOf(ui.mnuStationInformation);
    ui.mnuViewMenu->insertAction(view.value(after + 1), actNotify_);
    mpris_->registerOn(QDBusConnection::sessionBus());
    f_.updater().add([this] { update(); });
    // A title is announced as it arrives, not only once the event loop goes idle: a loop kept
    // busy by other events may be a long time from waiting.
    connect(&f_.nowPlaying(), &TNowPlaying::changed, this,
            [this] { runGuarded([this] { update(); }); });
}

bool TBusLink::canGoNext() const {
    auto& ui = f_.form();
    switch (ui.PageControl->currentIndex()) {
    case 0:
        return orvik::selectedNode(ui.tvStations) &&
               !orvik::categoriesWithStations(ui.tvStations).isEmpty();
    case 1: {
        QListWidgetItem* current = ui.lsvFavorites->currentItem();
        return current && current->isSelected();
    }
    default:
        return false;
    }
}

bool TBusLink::canGoPrevious() const {
    auto& ui = f_.form();
    switch (ui.PageControl->currentIndex()) {
    case 0: {
        // As Previous Channel walks: through what the tree shows.
        TStationNode* node = orvik::selectedNode(ui.tvStations);
        if (!node || !node->parent())
            return false;
        TStationNode* category = node->parent();
        if (orvik::shownRow(node) > 0)
            return true;
        for (int i = orvik::shownRow(category) - 1; i >= 0; --i)
            if (orvik::shownChildCount(orvik::shownCategory(ui.tvStations, i)) > 0)
                return true;
        return false;
    }
    case 1: {
        QListWidgetItem* current = ui.lsvFavorites->currentItem();
        return current && current->isSelected() && ui.lsvFavorites->row(current) > 0;
    }
    default:
        return false;
    }
}

orvik::TMediaState TBusLink::current() const {
    auto& ui = f_.form();
    TNowPlaying& now = f_.nowPlaying();
    orvik::TMediaState s;
    s.playing = f_.PlayMode != 2 && now.playing();
    if (!now.stationUrl().isEmpty()) {
        s.station = now.stationName();
        s.url = now.stationUrl();
        s.title = now.title();
    }
    const int top = ui.trbVolume->maximum() - ui.trbVolume->minimum();
    s.volume = top > 0 ? double(ui.trbVolume->value() - ui.trbVolume->minimum()) / top : 0.0;
    s.canPlay = f_.CurrentStation() != nullptr;
    s.canStop = ui.actStop->isEnabled();
    s.canGoNext = canGoNext();
    s.canGoPrevious = canGoPrevious();
    return s;
}

bool TBusLink::hiddenInTray() const {
    return !f_.isVisible() && f_.TrayIcon && f_.TrayIcon->IconVisible();
}

void TBusLink::update() {
    const orvik::TMediaState s = current();
    mpris_->publish(s);
    const QString title = s.playing ? s.title : QString();
    if (title != lastTitle_) {
        lastTitle_ = title;
        if (!title.isEmpty() && actNotify_->isChecked() && hiddenInTray())
            notifier_->notify(s.station, title);
    }
}

void TBusLink::play() {
    runGuarded([this] {
        f_.updater().updateAll();
        f_.form().actPlay->trigger();
    });
}

void TBusLink::stop() {
    runGuarded([this] {
        f_.updater().updateAll();
        f_.form().actStop->trigger();
    });
}

void TBusLink::next() {
    runGuarded([this] { f_.playback().Button1Click(); });
}

void TBusLink::previous() {
    runGuarded([this] { f_.playback().Button2Click(); });
}

void TBusLink::setVolume(double volume) {
    QSlider* slider = f_.form().trbVolume;
    const int steps = slider->maximum() - slider->minimum();
    slider->setValue(slider->minimum() + int(std::lround(volume * steps)));
}

void TBusLink::raise() {
    runGuarded([this] { f_.BringToFront(); });
}

void TBusLink::quit() {
    runGuarded([this] { f_.actExitExecute(); });
}
