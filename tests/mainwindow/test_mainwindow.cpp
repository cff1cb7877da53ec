// The main window as it starts: components, menus and actions, the catalogue in the tree,
// the current station and the information panel, start-up failures.
#include "ui_MainWindow.h"

#include "app/catalogue/Nodes.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/player/PlayerFactory.h"
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ProgramFiles.h"
#include "skin/data/SkinData.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tray/TrayIcon.h"

#include <QFile>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QtTest>

namespace {

const QString kMediaPlayerMissing = QStringLiteral(
    "Unable to start the Windows Media Player interface. Please make sure you have at least "
    "Windows Media Player 10 installed.");

QStringList menuCaptions(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

TStationNode* stationNode(TStationTree* tree, const QString& name) {
    const auto found = tree->findItems(name);
    for (TStationNode* n : found)
        if (n->parent())
            return n;
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void componentsMenusAndActions();
    void startUpSteps();
    void catalogueLoaded();
    void currentStationAndInformationPanel();
    void missingDatabase();
    void garbageDatabase();
    void playerCreationFailure();
    void standardPlayersAreCreated();
    void minimiseToTrayAndBack();
    void smallestWindowKeepsEverythingReadable();
};

void TestMainWindow::componentsMenusAndActions() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    auto& u = w.form();
    QCOMPARE(w.windowTitle(), QStringLiteral("Orvik"));
    for (const char* name :
         {"pnlLeft",     "PageControl", "pnlStationInfo",    "SplitterLeft", "pnlRight",
          "pnlPlayer",   "lblStatus",   "WebBrowser",        "pnlBlack",     "pnlControls",
          "cmdPlay",     "cmdStop",     "lLoading",          "Panel1",       "trbVolume",
          "sbStatusBar", "tvStations",  "lsvFavorites",      "lsvResults",   "cbStationCategory",
          "cbCategory",  "cbLanguage",  "rbStationCategory", "rbCategory",   "rbLanguage",
          "lblName",     "lblCategory", "lblBitrate",        "lblComment",   "lblPlayed",
          "lblWebsite",  "lblCreated",  "Button1",           "Button2",      "Button3",
          "Button4",     "Label9",      "PopupMenu"})
        QVERIFY2(w.findChild<QObject*>(QString::fromLatin1(name)), name);

    QStringList titles;
    for (QAction* a : u.MainMenu->actions())
        titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&View", "&Category", "&Stations", "Links", "F&avorites",
                                  "&Help"}));
    QVERIFY(!u.mnuLinks->isVisible());
    QCOMPARE(menuCaptions(u.mnuFileMenu),
             QStringList({"Import playlist...", "Export playlist...", "-",
                          "Resume playback at start", "-", "Exit"}));
    QCOMPARE(menuCaptions(u.mnuViewMenu),
             QStringList({"Stations/Favorites", "Station Information", "Full Screen",
                          "Title Notifications", "-", "Use Skins", "&Skins"}));
    QCOMPARE(menuCaptions(u.mnuCategoryMenu), QStringList({"Add", "Edit", "Delete"}));
    QCOMPARE(menuCaptions(u.mnuStationsMenu),
             QStringList({"Add", "Edit", "Delete", "-", "Play", "Stop", "Next Channel",
                          "Previous Channel", "Random Channel", "-", "Volume Up", "Volume Down",
                          "Sleep Timer", "-", "Favorite", "-", "Find Station"}));
    QCOMPARE(menuCaptions(u.mnuFavoritesMenu), QStringList({"Play", "Delete"}));
    QCOMPARE(menuCaptions(u.mnuHelpMenu), QStringList({"&Report a problem"}));
    QCOMPARE(menuCaptions(w.findChild<QMenu*>(QStringLiteral("PopupMenu"))),
             QStringList({"Add Category", "Edit Category", "Delete Category", "-", "Add Station",
                          "Edit Station", "Delete Station"}));

    const QList<std::tuple<QAction*, QString, QString>> actions = {
        {u.actExit, "File", "Exit"},
        {u.actAddStation, "Stations", "Add"},
        {u.actEditStation, "Stations", "Edit"},
        {u.actDeleteStation, "Stations", "Delete"},
        {u.actPlay, "Stations", "Play"},
        {u.actStop, "Stations", "Stop"},
        {u.actFavorite, "Stations", "Favorite"},
        {u.actViewStations, "View", "Stations/Favorites"},
        {u.actViewStationInformation, "View", "Station Information"},
        {u.actAddCategory, "Category", "Add"},
        {u.actEditCategory, "Category", "Edit"},
        {u.actDeleteCategory, "Category", "Delete"},
        {u.actDeleteFavorite, "Favorites", "Delete"},
    };
    for (const auto& [action, category, caption] : actions) {
        QCOMPARE(action->property("category").toString(), category);
        QCOMPARE(action->text(), caption);
    }
    // A menu entry follows its action's enabled state.
    w.updater().updateAll();
    QVERIFY(!u.actPlay->isEnabled());
    QVERIFY(!u.mnuPlay->isEnabled());
    QVERIFY(!u.mnuFavPlay->isEnabled());
    QVERIFY(!u.cmdPlay->isEnabled());

    QCOMPARE(u.PageControl->count(), 3);
    QCOMPARE(u.PageControl->tabText(0), QStringLiteral("Stations"));
    QCOMPARE(u.PageControl->tabText(1), QStringLiteral("Favorites"));
    QCOMPARE(u.PageControl->tabText(2), QStringLiteral("Search"));
    QCOMPARE(u.lblStatusText->text(), QStringLiteral("No channel currently playing"));
    QVERIFY(boxes.texts().contains(kMediaPlayerMissing));

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.size(), QSize(700, 500));
    // The left side is 225 wide, the control strip 68 high at the bottom of the right side.
    QCOMPARE(u.pnlLeft->width(), 225);
    QCOMPARE(u.pnlControls->height(), 68);
    QCOMPARE(u.pnlStationInfo->height(), 187);
    QCOMPARE(u.lblStatus->height(), 49);
    QCOMPARE(u.pnlBlack->geometry().top(), u.lblStatus->geometry().bottom() + 1);
    QCOMPARE(u.Panel1->geometry().right(), u.pnlControls->width() - 12);
}

namespace {

// What the window held when its splash was shown and when it went.
class SplashWatch : public QObject {
public:
    struct Seen {
        int categories = -1;
        bool mediaPlayer = false;
        bool realPlayer = false;
    };
    bool eventFilter(QObject* o, QEvent* e) override {
        if (o->objectName() != QLatin1String("fmSplash") ||
            (e->type() != QEvent::Show && e->type() != QEvent::Hide))
            return false;
        auto* w = qobject_cast<TfrmMain*>(static_cast<QWidget*>(o)->parentWidget());
        if (!w)
            return false;
        Seen seen{w->form().tvStations->topLevelItemCount(), bool(w->MediaPlayer),
                  bool(w->RealPlayer)};
        (e->type() == QEvent::Show ? shown : hidden).append(seen);
        return false;
    }
    QList<Seen> shown;
    QList<Seen> hidden;
};

} // namespace

// The steps of the start-up as they show: the splash is up while the settings, the
// catalogue and the players are made, and gone at the end; the settings file is applied; the
// players are set up as the window uses them.
void TestMainWindow::startUpSteps() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    {
        QFile settings(orvik::settingsPath());
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Skins]\nActive=0\n");
    }
    SplashWatch watch;
    qApp->installEventFilter(&watch);
    TfrmMain w;
    qApp->removeEventFilter(&watch);
    auto& u = w.form();

    QCOMPARE(watch.shown.size(), 1);
    QCOMPARE(watch.hidden.size(), 1);
    QCOMPARE(watch.shown[0].categories, 0);
    QVERIFY(!watch.shown[0].mediaPlayer && !watch.shown[0].realPlayer);
    QCOMPARE(watch.hidden[0].categories, 153);
    QVERIFY(watch.hidden[0].mediaPlayer && watch.hidden[0].realPlayer);
    QVERIFY(!w.findChild<QWidget*>(QStringLiteral("fmSplash")));

    // The settings file was read: skins off, and the menu says so.
    QVERIFY(!w.SkinEngine->Active());
    QVERIFY(!u.mnuUseSkins->isChecked());

    // The players as the window uses them: each at half volume, the RealMedia player hidden
    // until it plays, the media player shown without its own controls.
    QCOMPARE(w.MediaPlayer->volume(), 50);
    QCOMPARE(w.RealPlayer->GetVolume(), 50);
    QVERIFY(w.RealPlayer->isHidden());
    QVERIFY(!w.MediaPlayer->isHidden());
    QCOMPARE(w.MediaPlayer->uiMode(), QStringLiteral("none"));
    QCOMPARE(w.PlayMode, -1);
    QVERIFY(boxes.boxes.isEmpty());
}

void TestMainWindow::catalogueLoaded() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    auto& u = w.form();
    // 153 categories with the duplicate Germany, every station but the orphan.
    QCOMPARE(u.tvStations->topLevelItemCount(), 153);
    int stations = 0;
    for (int i = 0; i < u.tvStations->topLevelItemCount(); ++i)
        stations += u.tvStations->topLevelItem(i)->childCount();
    QCOMPARE(stations, 1318);
    QVERIFY(u.tvStations->findItems(QStringLiteral("Orphan Station (sample)")).isEmpty());
    QVERIFY(u.lsvFavorites->count() > 0);
    QCOMPARE(u.cbLanguage->itemText(0), QStringLiteral("(select)"));
    QVERIFY(!u.cbLanguage->isEnabled());
    QCOMPARE(boxes.boxes.size(), 1); // only the missing media player
}

void TestMainWindow::currentStationAndInformationPanel() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    auto& u = w.form();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.CurrentStation());

    TStationNode* station =
        stationNode(u.tvStations, QStringLiteral("Petit Café d'Abidjan (sample)"));
    QVERIFY(station);
    u.tvStations->scrollToItem(station);
    QTest::mouseClick(u.tvStations->viewport(), Qt::LeftButton, {},
                      u.tvStations->visualItemRect(station).center());
    QVERIFY(w.CurrentStation());
    QCOMPARE(w.CurrentStation()->Id, 1319);
    QCOMPARE(u.lblName->text(), QStringLiteral("Petit Café d'Abidjan (sample)"));
    QCOMPARE(u.lblCategory->text(), QStringLiteral("Côte d'Ivoire"));
    w.updater().updateAll();
    QVERIFY(u.actPlay->isEnabled());

    // A category click changes nothing in the panel and leaves no current station.
    TStationNode* category = station->parent();
    u.tvStations->scrollToItem(category);
    QTest::mouseClick(u.tvStations->viewport(), Qt::LeftButton, {},
                      u.tvStations->visualItemRect(category).center());
    QVERIFY(!w.CurrentStation());
    QCOMPARE(u.lblName->text(), QStringLiteral("Petit Café d'Abidjan (sample)"));
    w.updater().updateAll();
    QVERIFY(!u.actPlay->isEnabled());

    // The favorites and search pages: their selected item is the current station; none
    // without one.
    u.tvStations->setCurrentItem(station);
    QVERIFY(w.CurrentStation());
    u.PageControl->setCurrentIndex(1);
    QVERIFY(!w.CurrentStation());
    u.lsvFavorites->setCurrentRow(0);
    QCOMPARE(w.CurrentStation(), itemOf(u.lsvFavorites->item(0)));
    u.PageControl->setCurrentIndex(2);
    QVERIFY(!w.CurrentStation());
    auto record = std::make_shared<TItem>();
    record->Id = 77;
    record->Name = QStringLiteral("A result");
    u.lsvResults->addItem(new TStationListItem(record, record->Name));
    u.lsvResults->setCurrentRow(0);
    QCOMPARE(w.CurrentStation(), record);
    QTest::mouseClick(u.lsvResults->viewport(), Qt::LeftButton, {},
                      u.lsvResults->visualItemRect(u.lsvResults->item(0)).center());
    QCOMPARE(u.lblName->text(), QStringLiteral("A result"));
    QCOMPARE(u.lblCategory->text(), QString());
    u.PageControl->setCurrentIndex(0);
    QCOMPARE(w.CurrentStation()->Id, 1319);
}

void TestMainWindow::missingDatabase() {
    ProgramFolderFixture folder(ProgramFolderFixture::Catalogue::None);
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    QCOMPARE(w.form().tvStations->topLevelItemCount(), 0);
    QVERIFY(!QFile::exists(folder.databasePath()));
    // One box for the database with SQLite's own text, one for the missing media player.
    QCOMPARE(boxes.boxes.size(), 2);
    QCOMPARE(boxes.boxes[0].title, QStringLiteral("Error"));
    QVERIFY2(boxes.boxes[0].text.contains(QStringLiteral("unable to open database file")),
             qPrintable(boxes.boxes[0].text));
}

void TestMainWindow::garbageDatabase() {
    ProgramFolderFixture folder(ProgramFolderFixture::Catalogue::None);
    QFile junk(folder.databasePath());
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    QCOMPARE(w.form().tvStations->topLevelItemCount(), 0);
    QCOMPARE(boxes.boxes.size(), 2);
    QCOMPARE(boxes.boxes[0].title, QStringLiteral("Error"));
    QCOMPARE(QFileInfo(folder.databasePath()).size(), 4096);
}

void TestMainWindow::playerCreationFailure() {
    ProgramFolderFixture folder;
    {
        RecordingPresenter boxes;
        orvik::ScopedPlayerCreationFailure failing(false, true);
        TfrmMain w;
        QVERIFY(!w.MediaPlayer);
        QVERIFY(w.RealPlayer);
        QCOMPARE(boxes.texts(), QStringList({kMediaPlayerMissing}));
    }
    {
        RecordingPresenter boxes;
        orvik::ScopedPlayerCreationFailure failing(true, false);
        TfrmMain w;
        QVERIFY(!w.RealPlayer);
        QVERIFY(w.MediaPlayer);
        QVERIFY(boxes.boxes.isEmpty());
    }
}

void TestMainWindow::standardPlayersAreCreated() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    auto w = std::make_unique<TfrmMain>();
    QVERIFY(w->RealPlayer);
    QVERIFY(w->MediaPlayer);
    QCOMPARE(w->RealPlayer->parentWidget(), w->form().pnlPlayer);
    QCOMPARE(w->MediaPlayer->parentWidget(), w->form().pnlBlack);
    QVERIFY(w->RealPlayer->isHidden());
    QVERIFY(boxes.boxes.isEmpty());
    QPointer<TRealAudio> real = w->RealPlayer;
    w->close();
    w.reset();
    QVERIFY(!real);
}

void TestMainWindow::minimiseToTrayAndBack() {
    // The display of this test has no notification area (the tray tests bring their own):
    // minimising must leave the window reachable, minimised on the taskbar as any other.
    QVERIFY2(!QSystemTrayIcon::isSystemTrayAvailable(), "needs a display without a tray");
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    QVERIFY(w.TrayIcon);
    QCOMPARE(w.TrayIcon->Hint(), QStringLiteral("Orvik"));
    QVERIFY(w.TrayIcon->MinimizeToTray());
    QVERIFY(!w.TrayIcon->IconVisible());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(900, 650);

    w.showMinimized();
    QTRY_VERIFY(w.isMinimized());
    // The hide to the tray is queued after the state change; give it every chance to run.
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QVERIFY(w.isVisible());
    QVERIFY(!w.TrayIcon->IconVisible());

    // Brought back the way a second start brings it: shown, not minimised.
    w.BringToFront();
    QTRY_VERIFY(!w.isMinimized());
    QVERIFY(w.isVisible());
}

void TestMainWindow::smallestWindowKeepsEverythingReadable() {
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(200, 150); // as small as the user can drag it
    QTRY_VERIFY(w.size() != QSize(700, 500));
    QCOMPARE(w.size(), w.minimumSize());
    auto& u = w.form();
    QTRY_COMPARE(u.pnlPlayer->width(), u.pnlControls->width());
    // The volume box stays clear of Play and Stop, inside the strip.
    QVERIFY(u.Panel1->geometry().left() > u.cmdStop->geometry().right());
    QVERIFY(u.pnlControls->rect().contains(u.Panel1->geometry()));
    // The status line's longest own text and its note read whole.
    const QFontMetrics status(u.lblStatusText->font());
    QVERIFY(u.lblStatusText->width() >=
            status.horizontalAdvance(QStringLiteral("Please wait, loading channel...")));
    QVERIFY(u.lblStatusText->geometry().left() > u.Button4->geometry().right());
    QVERIFY(u.Label9->width() >=
            QFontMetrics(u.Label9->font()).horizontalAdvance(u.Label9->text()));
    // The information panel is whole, and the lists keep some rows.
    QVERIFY(u.pnlLeft->rect().contains(u.pnlStationInfo->geometry()));
    QVERIFY(u.PageControl->height() >= u.Panel2->height() + 40);
    QVERIFY(u.pnlBlack->height() >= 100);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
