// The main window: its creation, the station on the page shown, showing, closing and going.
#include "app/forms/MainWindow.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/StationLoader.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/Artwork.h"
#include "app/forms/BusLink.h"
#include "app/forms/CategoryCommands.h"
#include "app/forms/Favorites.h"
#include "app/forms/FullScreen.h"
#include "app/forms/Keyboard.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/Playback.h"
#include "app/forms/PlaylistCommands.h"
#include "app/forms/Resume.h"
#include "app/forms/SearchTab.h"
#include "app/forms/SkinSetup.h"
#include "app/forms/SleepTimer.h"
#include "app/forms/StationCommands.h"
#include "app/forms/StationFind.h"
#include "app/forms/StationSelection.h"
#include "app/forms/TreeState.h"
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"
#include "skin/draw/menus/WindowMenus.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent), ui(std::make_unique<Ui::TfrmMain>()) {
    ui->setupUi(this);
    updater_ = new TActionUpdater(this);
    CreateSkinEngine();
    ui->centralWidget->installEventFilter(this);
    CreateTrayIcon();
    catalogue_ = std::make_unique<TCatalogue>();
    FormCreate();
    // The menu bar, its menus and the window's popup menus are drawn by the skin in force.
    new TWindowMenus(this, SkinEngine);
}

TfrmMain::~TfrmMain() {
    FormDestroy();
    // The lists report selection changes and events while they are destroyed; nothing of the
    // window may answer them by then.
    delete selection_;
    selection_ = nullptr;
    delete find_;
    find_ = nullptr;
}

void TfrmMain::FormCreate() {
    SetUpLook();

    const QList<QIcon> images = orvik::stationImages();
    loader_ = std::make_unique<TStationLoader>(
        *catalogue_, TStationWidgets{ui->tvStations, ui->lsvFavorites, ui->cbStationCategory,
                                     ui->cbCategory, ui->cbLanguage, ui->rbStationCategory,
                                     ui->rbCategory, ui->rbLanguage, ui->lsvResults, images, this});
    playback_ = new TPlayback(*this);
    // Made before the players: a box shown while they are made runs the Update handlers.
    nowPlaying_ = new TNowPlaying(*this);
    searchTab_ = new TSearchTab(*this);
    categoryCommands_ = new TCategoryCommands(*this);
    stationCommands_ = new TStationCommands(*this);
    favorites_ = new TFavorites(*this);
    selection_ = new TStationSelection(*this);
    playlistCommands_ = new TPlaylistCommands(*this);
    find_ = new TStationFind(*this);
    bindActions();
    auto* keys = new TKeyboard(*this);
    auto* sleep = new TSleepTimer(*this);
    {
        // Below the volume keys in the Stations menu.
        const QList<QAction*> items = ui->mnuStationsMenu->actions();
        ui->mnuStationsMenu->insertMenu(items.value(items.indexOf(keys->volumeDown()) + 1),
                                        sleep->menu());
    }

    // 1. The splash window stays on screen through the long work below.
    ShowSplash();
    // 2. The Skins menu and the settings file.
    orvik::runGuarded([this] { skinSetup_->SetUp(); });
    resume_ = new TResume(*this, skinSetup_->Settings());
    // 3. The catalogue.
    OpenCatalogue();
    // 4, 5. The players.
    CreatePlayers();
    nowPlaying_->watchPlayers();
    new TBusLink(*this); // media keys, desktop players and notifications
    new TFullScreen(*this);
    // 6, 7.
    ui->trbVolume->setValue(10);
    PlayMode = -1;
    // What the last run left: station, volume, and playing when the user wants it.
    orvik::runGuarded([this] { resume_->Restore(); });
    // 8.
    HideSplash();
}

void TfrmMain::LoadStations(bool ShowProgress) {
    // What the user had open in the tree survives the reload.
    const TTreeState state = TTreeState::Capture(ui->tvStations, ui->lsvFavorites);
    loader_->LoadStations(ShowProgress);
    state.Restore(ui->tvStations, ui->lsvFavorites);
    find_->Reloaded();
    selection_->Reloaded();
}

void TfrmMain::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TfrmMain::FormShow() {
    resize(700, 500);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - QPoint(350, 250));
    }
    QPalette pal = ui->pnlPlayer->palette();
    pal.setColor(QPalette::Window, Qt::black);
    ui->pnlPlayer->setPalette(pal);
    if (resume_)
        resume_->PlaceWindow();
}

void TfrmMain::closeEvent(QCloseEvent* e) {
    if (FormCloseQuery())
        e->accept();
    else
        e->ignore();
}

bool TfrmMain::FormCloseQuery() {
    orvik::runGuarded([this] {
        if (MediaPlayer)
            MediaPlayer->controlsStop();
        orvik::runSilently([this] {
            if (RealPlayer)
                RealPlayer->DoStop();
        });
    });
    return true;
}

void TfrmMain::FormDestroy() {
    if (destroyed_)
        return;
    destroyed_ = true;
    // 1. The players go first; an error leaves the rest to the window's own clean-up.
    orvik::runSilently([this] {
        delete MediaPlayer.data();
        delete RealPlayer.data();
    });
    // 2. What the next start takes up, then the skin settings, in the one settings file.
    // A file that cannot be written is reported once, by the skin settings' write after it.
    orvik::runSilently([this] {
        if (resume_)
            resume_->Save();
    });
    orvik::runGuarded([this] { skinSetup_->ShutDown(); });
    // 3. The database.
    orvik::runSilently([this] { catalogue_->Close(); });
}

void TfrmMain::actExitExecute() {
    close();
}

TItemPtr TfrmMain::CurrentStation() const {
    switch (ui->PageControl->currentIndex()) {
    case 0: {
        TStationNode* node = ui->tvStations->currentItem();
        if (!node || !node->isSelected() || !node->parent())
            return nullptr;
        return itemOf(node);
    }
    case 1: // the selected favorite, so that favorites can be played
    case 2: {
        QListWidget* list =
            ui->PageControl->currentIndex() == 1 ? ui->lsvFavorites : ui->lsvResults;
        QListWidgetItem* li = list->currentItem();
        return li && li->isSelected() ? itemOf(li) : nullptr;
    }
    default:
        return nullptr;
    }
}

void TfrmMain::tvStationsClick() {
    if (selection_)
        selection_->ShowCurrent();
}

void TfrmMain::tvStationsDblClick() {
    if (CurrentStation())
        playback_->actPlayExecute();
}

void TfrmMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (playback_)
        orvik::runGuarded([this] { playback_->FormResize(); });
}
