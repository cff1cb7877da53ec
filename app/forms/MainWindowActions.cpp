// The main window's actions, menu entries, buttons and lists wired to their handlers, each
// run in the one error wrapper.
#include "app/forms/MainWindow.h"

#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/CategoryCommands.h"
#include "app/forms/Favorites.h"
#include "app/forms/MenuBinding.h"
#include "app/forms/Playback.h"
#include "app/forms/SearchTab.h"
#include "app/forms/SkinSetup.h"
#include "app/forms/StationCommands.h"
#include "app/forms/StationFind.h"
#include "app/forms/StationSelection.h"
#include "core/ErrorWrapper.h"

#include <QMenu>

void TfrmMain::bindActions() {
    auto& u = *ui;
    TPlayback& p = *playback_;
    auto command = [this](QAction* action, std::function<void()> handler) {
        connect(action, &QAction::triggered, this,
                [handler = std::move(handler)] { orvik::runGuarded(handler); });
    };
    auto update = [this](std::function<void()> handler) { updater_->add(std::move(handler)); };

    command(u.actExit, [this] { actExitExecute(); });
    command(u.actPlay, [&p] { p.actPlayExecute(); });
    command(u.actStop, [&p] { p.actStopExecute(); });
    command(u.actViewStations, [&p] { p.actViewStationsExecute(); });
    command(u.actViewStationInformation, [&p] { p.actViewStationInformationExecute(); });
    update([&p] { p.actPlayUpdate(); });
    update([&p] { p.actStopUpdate(); });
    update([&p] { p.actViewStationsUpdate(); });
    update([&p] { p.actViewStationInformationUpdate(); });

    // Menu entries follow their actions.
    const std::pair<QAction*, QAction*> entries[] = {
        {u.mnuExit, u.actExit},
        {u.mnuStationsFavorites, u.actViewStations},
        {u.mnuStationInformation, u.actViewStationInformation},
        {u.mnuAddCategory, u.actAddCategory},
        {u.mnuEditCategory, u.actEditCategory},
        {u.mnuDeleteCategory, u.actDeleteCategory},
        {u.mnuAddStation, u.actAddStation},
        {u.mnuEditStation, u.actEditStation},
        {u.mnuDeleteStation, u.actDeleteStation},
        {u.mnuPlay, u.actPlay},
        {u.mnuStop, u.actStop},
        {u.mnuFavorite, u.actFavorite},
        {u.mnuFavPlay, u.actPlay},
        {u.mnuDeleteFavorite, u.actDeleteFavorite},
    };
    for (auto [item, action] : entries)
        orvik::bindMenuItem(item, action);
    const std::pair<QAction*, QAction*> popup[] = {
        {u.popAddCategory, u.actAddCategory},       {u.popEditCategory, u.actEditCategory},
        {u.popDeleteCategory, u.actDeleteCategory}, {u.popAddStation, u.actAddStation},
        {u.popEditStation, u.actEditStation},       {u.popDeleteStation, u.actDeleteStation},
    };
    PopupMenu = new QMenu(this);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    for (auto [item, action] : popup) {
        orvik::bindMenuItem(item, action, true);
        PopupMenu->addAction(item);
        if (item == u.popDeleteCategory)
            PopupMenu->addSeparator();
    }
    selection_->bind(PopupMenu);
    find_->bind();

    // Buttons bound to actions take their enabled state from them.
    for (auto [button, action] :
         {std::pair{u.cmdPlay, u.actPlay}, std::pair{u.cmdStop, u.actStop}}) {
        button->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, button,
                [button, action] { button->setEnabled(action->isEnabled()); });
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
    }

    auto clicked = [this](auto* sender, auto signal, std::function<void()> handler) {
        connect(sender, signal, this,
                [handler = std::move(handler)] { orvik::runGuarded(handler); });
    };
    clicked(u.trbVolume, &QSlider::valueChanged, [&p] { p.trbVolumeChange(); });
    clicked(u.Button1, &QPushButton::clicked, [&p] { p.Button1Click(); });
    clicked(u.Button2, &QPushButton::clicked, [&p] { p.Button2Click(); });
    clicked(u.Button3, &QPushButton::clicked, [&p] { p.Button3Click(); });
    clicked(u.Button4, &QPushButton::clicked, [&p] { p.ReportAProblem(); });
    clicked(u.cmdHideStationInfo, &QToolButton::clicked, [&p] { p.cmdHideStationInfoClick(); });
    command(u.mnuLinks, [&p] { p.mnuLinksClick(); });
    command(u.Reportaproblem1, [&p] { p.ReportAProblem(); });

    // Catalogue editing, favorites and the search page.
    TCategoryCommands& c = *categoryCommands_;
    TStationCommands& s = *stationCommands_;
    TFavorites& fav = *favorites_;
    TSearchTab& st = *searchTab_;
    command(u.actAddCategory, [&c] { c.actAddCategoryExecute(); });
    command(u.actEditCategory, [&c] { c.actEditCategoryExecute(); });
    command(u.actDeleteCategory, [&c] { c.actDeleteCategoryExecute(); });
    command(u.actAddStation, [&s] { s.actAddStationExecute(); });
    command(u.actEditStation, [&s] { s.actEditStationExecute(); });
    command(u.actDeleteStation, [&s] { s.actDeleteStationExecute(); });
    command(u.actFavorite, [&fav] { fav.actFavoriteExecute(); });
    command(u.actDeleteFavorite, [&fav] { fav.actDeleteFavoriteExecute(); });
    update([&c] { c.actEditCategoryUpdate(); });
    update([&c] { c.actDeleteCategoryUpdate(); });
    update([&s] { s.actEditStationUpdate(); });
    update([&s] { s.actDeleteStationUpdate(); });
    update([&fav] { fav.actFavoriteUpdate(); });
    update([&fav] { fav.actDeleteFavoriteUpdate(); });
    // A radio button's handler runs when it becomes checked; a list's when the user picks.
    const std::pair<QRadioButton*, void (TSearchTab::*)()> radios[] = {
        {u.rbStationCategory, &TSearchTab::rbStationCategoryClick},
        {u.rbCategory, &TSearchTab::rbCategoryClick},
        {u.rbLanguage, &TSearchTab::rbLanguageClick},
    };
    for (auto [rb, handler] : radios)
        clicked(rb, &QRadioButton::toggled, [rb, handler, &st] {
            if (rb->isChecked())
                (st.*handler)();
        });
    clicked(u.cbStationCategory, &QComboBox::activated, [&st] { st.cbStationCategoryClick(); });
    clicked(u.cbCategory, &QComboBox::activated, [&st] { st.cbCategoryClick(); });
    clicked(u.cbLanguage, &QComboBox::activated, [&st] { st.cbLanguageClick(); });

    command(u.mnuUseSkins, [this] { skinSetup_->mnuUseSkinsClick(); });
}
