#include "app/forms/Keyboard.h"

#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/StationFind.h"
#include "core/ErrorWrapper.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPlatformSurfaceEvent>
#include <QWindow>

TKeyboard::TKeyboard(TfrmMain& form) : QObject(&form), f_(form) {
    setObjectName(QStringLiteral("Keyboard"));
    auto& ui = f_.form();
    TPlayback& p = f_.playback();

    // Play and Stop keep their entries; the keys go on the entries the menu shows.
    ui.mnuPlay->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    ui.mnuStop->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    f_.addAction(ui.mnuPlay);
    f_.addAction(ui.mnuStop);

    next_ = add(QStringLiteral("Next Channel"), QKeySequence(Qt::CTRL | Qt::Key_Right),
                [&p] { p.Button1Click(); });
    previous_ = add(QStringLiteral("Previous Channel"), QKeySequence(Qt::CTRL | Qt::Key_Left),
                    [&p] { p.Button2Click(); });
    random_ = add(QStringLiteral("Random Channel"), QKeySequence(Qt::CTRL | Qt::Key_R),
                  [&p] { p.Button3Click(); });
    volumeUp_ = add(QStringLiteral("Volume Up"), QKeySequence(Qt::CTRL | Qt::Key_Up),
                    [this] { stepVolume(1); });
    volumeDown_ = add(QStringLiteral("Volume Down"), QKeySequence(Qt::CTRL | Qt::Key_Down),
                      [this] { stepVolume(-1); });
    find_ =
        add(QStringLiteral("Find Station"), QKeySequence::Find, [this] { f_.find().FocusBox(); });

    // Below Stop: the channel steps, then the volume, then what was there before.
    QMenu* menu = ui.mnuStationsMenu;
    const QList<QAction*> items = menu->actions();
    QAction* before = items.value(items.indexOf(ui.mnuStop) + 1);
    menu->insertActions(before, {next_, previous_, random_});
    menu->insertSeparator(before);
    menu->insertActions(before, {volumeUp_, volumeDown_});
    menu->addSeparator();
    menu->addAction(find_);

    tree_ = ui.tvStations;
    tree_->installEventFilter(this);
    f_.installEventFilter(this);
    watchWindow();
}

QAction* TKeyboard::add(const QString& text, const QKeySequence& key,
                        std::function<void()> handler) {
    auto* action = new QAction(text, &f_);
    action->setShortcut(key);
    // On the window as well as in the menu: the keys work while the menu bar is hidden.
    f_.addAction(action);
    connect(action, &QAction::triggered, this,
            [handler = std::move(handler)] { orvik::runGuarded(handler); });
    return action;
}

void TKeyboard::stepVolume(int steps) {
    QSlider* slider = f_.form().trbVolume;
    // The slider keeps the value within its range; its change handler sets the players.
    slider->setValue(slider->value() + steps * slider->singleStep());
}

void TKeyboard::watchWindow() {
    if (QWindow* window = f_.windowHandle(); window && window != window_) {
        window_ = window;
        window->installEventFilter(this);
    }
}

bool TKeyboard::eventFilter(QObject* watched, QEvent* e) {
    // The first picture makes the window again, as one drawn by OpenGL: it lost the keyboard
    // with the old one, so it asks for it back when it had it.
    if (e->type() == QEvent::PlatformSurface && watched == window_ &&
        static_cast<QPlatformSurfaceEvent*>(e)->surfaceEventType() ==
            QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
        refocus_ = QGuiApplication::focusWindow() == window_;
    } else if (e->type() == QEvent::WinIdChange && watched == &f_) {
        watchWindow();
    } else if (e->type() == QEvent::Show && watched == window_ && refocus_) {
        refocus_ = false;
        window_->requestActivate();
    }
    // The tree also reports events while the window is destroyed: only its own is asked.
    if (e->type() == QEvent::KeyPress && watched == tree_) {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::NoModifier) {
            orvik::runGuarded([this] { f_.playback().PlayOrStop(); });
            return true;
        }
    }
    return QObject::eventFilter(watched, e);
}
