#pragma once

#include "app/catalogue/Item.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

namespace Ui {
class TfrmMain;
}
class TActionUpdater;
class TCatalogue;
class TStationLoader;
class TfmSplash;
namespace orvik {
class TRealAudio;
class TWindowsMediaPlayer;
class TWebBrowser;
} // namespace orvik
using orvik::TRealAudio;
using orvik::TWebBrowser;
using orvik::TWindowsMediaPlayer;
class TPlayback;
class TNowPlaying;
class TSearchTab;
class TCategoryCommands;
class TStationCommands;
class TFavorites;
class TStationSelection;
class TPlaylistCommands;
class TStationFind;
class QMenu;
class TTrayIcon;
class TSkinData;
class TSkinSetup;
class TResume;

// The main window: station lists and information on the left, the player area on the right.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The players come from orvik::PlayerFactory, which tests can make fail.
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    Ui::TfrmMain& form() { return *ui; }
    TActionUpdater& updater() { return *updater_; }
    TCatalogue& catalogue() { return *catalogue_; }
    TPlayback& playback() { return *playback_; }
    TNowPlaying& nowPlaying() { return *nowPlaying_; }
    TSearchTab& searchTab() { return *searchTab_; }
    TCategoryCommands& categoryCommands() { return *categoryCommands_; }
    TStationCommands& stationCommands() { return *stationCommands_; }
    TFavorites& favorites() { return *favorites_; }
    TStationSelection& selection() { return *selection_; }
    TPlaylistCommands& playlistCommands() { return *playlistCommands_; }
    TStationFind& find() { return *find_; }

    // -1 nothing started yet; 0 media player; 1 RealMedia player; 2 a web page.
    int PlayMode = -1;
    QPointer<TRealAudio> RealPlayer;
    QPointer<TWindowsMediaPlayer> MediaPlayer;
    TWebBrowser* WebBrowser = nullptr;
    // The notification-area icon; shown only while the window is minimised to it.
    TTrayIcon* TrayIcon = nullptr;
    // The skin data component: the stored skin, or the package picked in the Skins menu.
    TSkinData* SkinEngine = nullptr;
    TSkinSetup& skinSetup() { return *skinSetup_; }

    // The record of the selection on the page shown, or nullptr.
    TItemPtr CurrentStation() const;

    // Rebuilds the tree, the favorites list and the search lists from the database; the tree
    // keeps its expanded categories, selection and scroll position where they still exist.
    void LoadStations(bool ShowProgress);

public slots:
    void tvStationsClick();
    void tvStationsDblClick();
    void actExitExecute();
    void TrayIconDblClick();
    // Another start of the program asked for the window: shown, out of the tray too, and in
    // front.
    void BringToFront();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormDestroy();
    void ShowSplash();
    void HideSplash();
    void OpenCatalogue();
    void CreatePlayers();
    void CreateTrayIcon();
    void CreateSkinEngine();
    void SetUpLook();
    void bindActions();

    std::unique_ptr<Ui::TfrmMain> ui;
    TActionUpdater* updater_ = nullptr;
    std::unique_ptr<TCatalogue> catalogue_;
    std::unique_ptr<TStationLoader> loader_;
    TPlayback* playback_ = nullptr;
    TNowPlaying* nowPlaying_ = nullptr;
    TSearchTab* searchTab_ = nullptr;
    TCategoryCommands* categoryCommands_ = nullptr;
    TStationCommands* stationCommands_ = nullptr;
    TFavorites* favorites_ = nullptr;
    TStationSelection* selection_ = nullptr;
    TPlaylistCommands* playlistCommands_ = nullptr;
    TStationFind* find_ = nullptr;
    QPointer<TfmSplash> splash_;
    QMenu* PopupMenu = nullptr;
    bool destroyed_ = false;
    bool firstPaintLogged_ = false;
    TSkinSetup* skinSetup_ = nullptr;
    TResume* resume_ = nullptr;
};
