#include "app/forms/MainWindow.h"

#include "ui_MainWindow.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/StationLoader.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/Artwork.h"
#include "app/forms/CategoryCommands.h"
#include "app/forms/Favorites.h"
#include "app/forms/MenuBinding.h"
#include "app/forms/MinimumSize.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/Playback.h"
#include "app/forms/PlaylistCommands.h"
#include "app/forms/SearchTab.h"
#include "app/forms/SkinSetup.h"
#include "app/forms/Splash.h"
#include "app/forms/StationCommands.h"
#include "app/forms/StationFind.h"
#include "app/forms/StationSelection.h"
#include "app/forms/TreeState.h"
#include "app/player/PlayerFactory.h"
#include "app/player/RealAudio.h"
#include "app/player/WebBrowser.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"
#include "core/MessagePresenter.h"
#include "core/ProgramFiles.h"
#include "skin/data/SkinData.h"
#include "skin/draw/SkinManage.h"
#include "skin/draw/menus/WindowMenus.h"
#include "skins/storedskin/StoredSkin.h"
#include "tray/AppIcon.h"
#include "tray/TrayIcon.h"

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>
#include <QTabBar>

Q_LOGGING_CATEGORY(lcStartup, "orvik.startup", QtWarningMsg)

namespace {
const QString kMediaPlayerMissing = QStringLiteral(
    "Unable to start the Windows Media Player interface. Please make sure you have at least "
    "Windows Media Player 10 installed.");
}

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
    QFont f = font();
    f.setPixelSize(11);
    setFont(f);
    const QList<QIcon> images = orvik::stationImages();
    ui->PageControl->setTabIcon(0, images.value(3));
    ui->PageControl->setTabIcon(1, images.value(2));
    ui->PageControl->setTabIcon(2, images.value(4));
    ui->cmdPlay->setIcon(orvik::playGlyph());
    ui->cmdStop->setIcon(orvik::stopGlyph());
    ui->tvStations->setIconSize(QSize(16, 16));

    // The player area: browser at the back, the black panel in front of it, then the status.
    ui->pnlPlayer->setAutoFillBackground(true);
    ui->pnlBlack->setAutoFillBackground(true);
    for (QWidget* w : {static_cast<QWidget*>(ui->pnlPlayer), static_cast<QWidget*>(ui->pnlBlack)}) {
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, Qt::black);
        w->setPalette(pal);
    }
    WebBrowser = new TWebBrowser(ui->pnlPlayer);
    WebBrowser->setObjectName(QStringLiteral("WebBrowser"));
    TAlignPanel::setAlign(WebBrowser, QStringLiteral("client"));
    WebBrowser->lower();
    QFont statusFont(QStringLiteral("Verdana"));
    statusFont.setPixelSize(19);
    ui->lblStatusText->setFont(statusFont);
    QFont noteFont(QStringLiteral("Verdana"));
    noteFont.setPixelSize(9);
    ui->Label9->setFont(noteFont);
    ui->Button4->setFont(noteFont);
    // The status panel has the face colour of the buttons, not the black of the player area.
    ui->lblStatus->setAutoFillBackground(true);
    QPalette statusPal = ui->lblStatus->palette();
    statusPal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
    statusPal.setColor(QPalette::WindowText, Qt::black);
    ui->lblStatus->setPalette(statusPal);
    // Three tabs share the 225 pixels of the left side.
    ui->PageControl->tabBar()->setUsesScrollButtons(false);
    ui->PageControl->tabBar()->setExpanding(false);
    ui->PageControl->setIconSize(QSize(14, 14));
    ui->PageControl->setStyleSheet(
        QStringLiteral("QTabBar::tab { padding: 3px 1px; min-width: 0px; font-size: 11px; }"));
    setMinimumSize(orvik::readableMinimumSize(*ui, *this));

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

    // 1. The splash window stays on screen through the long work below.
    ShowSplash();
    // 2. The Skins menu and the settings file.
    orvik::runGuarded([this] { skinSetup_->SetUp(); });
    // 3. The catalogue.
    OpenCatalogue();
    // 4, 5. The players.
    CreatePlayers();
    nowPlaying_->watchPlayers();
    // 6, 7.
    ui->trbVolume->setValue(10);
    PlayMode = -1;
    // 8.
    HideSplash();
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
    // 2. The skin settings.
    orvik::runGuarded([this] { skinSetup_->ShutDown(); });
    // 3. The database.
    orvik::runSilently([this] { catalogue_->Close(); });
}

void TfrmMain::actExitExecute() {
    close();
}

void TfrmMain::TrayIconDblClick() {
    TrayIcon->RestoreMainWindow();
}

void TfrmMain::BringToFront() {
    TrayIcon->RestoreMainWindow();
}

void TfrmMain::CreateTrayIcon() {
    TrayIcon = new TTrayIcon(this);
    TrayIcon->setObjectName(QStringLiteral("TrayIcon"));
    const TOrvikIconImages images = OrvikIconImages();
    TrayIcon->setIconList(
        {QIcon(QPixmap::fromImage(images.Colors256)), QIcon(QPixmap::fromImage(images.TrueColor))});
    TrayIcon->setIcon(OrvikIcon());
    TrayIcon->setHint(QStringLiteral("Orvik"));
    TrayIcon->setMinimizeToTray(true);
    TrayIcon->setCycleInterval(0);
    TrayIcon->setIconIndex(0);
    TrayIcon->OnDblClick = [this](TTrayIcon*) { TrayIconDblClick(); };
    TrayIcon->Loaded();
    setWindowIcon(OrvikIcon());
}

TItemPtr TfrmMain::CurrentStation() const {
    switch (ui->PageControl->currentIndex()) {
    case 0: {
        QTreeWidgetItem* node = ui->tvStations->currentItem();
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

void TfrmMain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (playback_)
        orvik::runGuarded([this] { playback_->FormResize(); });
}

void TfrmMain::CreateSkinEngine() {
    // The skin stored with the window is in use until a skin file is set.
    SkinEngine = new TSkinData(this);
    SkinEngine->setObjectName(QStringLiteral("SkinEngine"));
    SkinEngine->SetErrorHook(&TSkinSetup::ShowSkinError);
    SkinEngine->BeginRead();
    SkinEngine->SetActive(true);
    SkinEngine->SetDisableTag(99);
    SkinEngine->SetSkinControls({xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo,
                                 xcCheckBox, xcRadioButton, xcProgress, xcScrollbar, xcEdit,
                                 xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox,
                                 xcStatusBar, xcTab});
    SkinEngine->SetOptions({xoPreview, xoToolbarBK});
    SkinEngine->SetSkinFormtype(sfMainform);
    SkinEngine->SetMenuUpdate(true);
    SkinEngine->SetMenuMerge(false);
    SkinEngine->SetSkin3rd(TSkinData::DefaultSkin3rd());
    QByteArray stored = storedSkinStream();
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadOnly);
    SkinEngine->ReadSkinStream(buffer);
    // The program's one skin manager watches every window from the first component's load.
    TSkinManage::UseProgramManager();
    SkinEngine->Loaded();
    skinSetup_ = new TSkinSetup(*SkinEngine, ui->mnuSkins, ui->mnuUseSkins, this);
}
