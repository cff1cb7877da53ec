#include "app/forms/FullScreen.h"

#include "ui_MainWindow.h"

#include "app/forms/AlignPanel.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TFullScreen::TFullScreen(TfrmMain& form)
    : QObject(&form), f_(form), action_(new QAction(QStringLiteral("Full Screen"), this)),
      hideCursor_(new QTimer(this)) {
    setObjectName(QStringLiteral("FullScreen"));
    action_->setObjectName(QStringLiteral("actFullScreen"));
    action_->setCheckable(true);
    action_->setShortcut(QKeySequence(Qt::Key_F11));
    f_.addAction(action_);
    connect(action_, &QAction::triggered, this,
            [this] { orvik::runGuarded([this] { Toggle(); }); });
    // In the View menu, below the panels it shows and hides.
    auto& ui = f_.form();
    const QList<QAction*> view = ui.mnuViewMenu->actions();
    ui.mnuViewMenu->insertAction(view.value(view.indexOf(ui.mnuStationInformation) + 1), action_);

    hideCursor_->setSingleShot(true);
    hideCursor_->setInterval(HideCursorMs);
    connect(hideCursor_, &QTimer::timeout, this, [this] {
        if (screen_ && active())
            screen_->setCursor(Qt::BlankCursor);
    });
    watch(f_.MediaPlayer);
    watch(f_.RealPlayer);
    // Another station started: the picture stays on the full screen if the same player plays
    // it (placed again, since starting moves it), else the full screen ends.
    connect(
        &f_.playback(), &TPlayback::stationPlayed, this,
        [this] {
            orvik::runGuarded([this] {
                if (!active())
                    return;
                if (currentPlayer() != player_.data())
                    Leave();
                else
                    player_->setGeometry(screen_->rect());
            });
        },
        Qt::QueuedConnection);
}

TFullScreen::~TFullScreen() {
    // The window covering the screen has no parent: it goes with this object.
    if (screen_) {
        screen_->removeEventFilter(this);
        delete screen_.data();
    }
}

void TFullScreen::watch(QWidget* player) {
    if (player) {
        players_.append(player);
        connect(player, &QObject::destroyed, this, [this, player] { players_.removeAll(player); });
        player->installEventFilter(this);
        player->setMouseTracking(true);
    }
}

orvik::TPlayerWidget* TFullScreen::currentPlayer() const {
    if (f_.PlayMode == 1)
        return f_.RealPlayer.data();
    if (f_.PlayMode == 0)
        return f_.MediaPlayer.data();
    return nullptr;
}

bool TFullScreen::cursorHidden() const {
    return screen_ && screen_->cursor().shape() == Qt::BlankCursor;
}

void TFullScreen::Toggle() {
    if (active())
        Leave();
    else
        Enter();
}

void TFullScreen::Enter() {
    orvik::TPlayerWidget* player = currentPlayer();
    if (active() || !player) {
        action_->setChecked(active());
        return;
    }
    if (!screen_) {
        screen_ = new QWidget(nullptr, Qt::Window);
        screen_->setObjectName(QStringLiteral("FullScreenWindow"));
        // Tag 99: no skin frame around the picture; the whole screen is the picture's.
        screen_->setProperty("Tag", 99);
        screen_->setWindowTitle(f_.windowTitle());
        screen_->setAttribute(Qt::WA_DeleteOnClose, false);
        QPalette pal = screen_->palette();
        pal.setColor(QPalette::Window, Qt::black);
        screen_->setPalette(pal);
        screen_->setAutoFillBackground(true);
        auto* layout = new QVBoxLayout(screen_);
        layout->setContentsMargins(0, 0, 0, 0);
        screen_->installEventFilter(this);
        screen_->setMouseTracking(true);
        screen_->addAction(action_); // F11 there as well
    }
    player_ = player;
    home_ = player->parentWidget();
    homeGeometry_ = player->geometry();
    homeAlign_ = TAlignPanel::alignOf(player);
    TAlignPanel::setAlign(player, QString());
    player->clearMask(); // the main window's clip does not apply there
    screen_->layout()->addWidget(player);
    player->show();
    // The screen the main window is on; placed here too for a desktop without a window
    // manager, which does not size a full-screen window itself.
    if (QScreen* screen = f_.screen())
        screen_->setGeometry(screen->geometry());
    screen_->showFullScreen();
    screen_->raise();
    screen_->activateWindow();
    action_->setChecked(true);
    showCursor();
}

void TFullScreen::Leave() {
    if (!active()) {
        action_->setChecked(false);
        return;
    }
    hideCursor_->stop();
    orvik::TPlayerWidget* player = player_;
    player_ = nullptr;
    screen_->layout()->removeWidget(player);
    if (home_) {
        player->setParent(home_);
        TAlignPanel::setAlign(player, homeAlign_);
        player->setGeometry(homeGeometry_);
        player->show();
        player->raise();
    }
    screen_->unsetCursor();
    screen_->hide();
    action_->setChecked(false);
    f_.activateWindow();
    orvik::runGuarded([this] { f_.playback().FormResize(); });
}

void TFullScreen::showCursor() {
    if (!screen_)
        return;
    if (cursorHidden())
        screen_->unsetCursor();
    if (active())
        hideCursor_->start();
}

bool TFullScreen::eventFilter(QObject* watched, QEvent* e) {
    // Compared as objects: a player being destroyed reports events too.
    const bool onPlayer = players_.contains(watched);
    const bool onScreen = watched == screen_.data();
    if (!onPlayer && !onScreen)
        return QObject::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonDblClick:
        // The picture of the player that plays, or the full screen itself.
        if (onScreen || watched == static_cast<QObject*>(player_.data()) ||
            (!active() && watched == currentPlayer())) {
            orvik::runGuarded([this] { Toggle(); });
            return true;
        }
        break;
    case QEvent::MouseMove:
        if (active())
            showCursor();
        break;
    case QEvent::KeyPress:
        if (active() && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            orvik::runGuarded([this] { Leave(); });
            return true;
        }
        break;
    case QEvent::Close:
        // Closed by the desktop (Alt+F4): the picture comes back, the window stays for later.
        if (onScreen && active()) {
            orvik::runGuarded([this] { Leave(); });
            e->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}
