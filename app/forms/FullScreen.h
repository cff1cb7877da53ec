#pragma once

#include "app/player/PlayerWidget.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>

class QAction;
class QTimer;
class QWidget;
class TfrmMain;

// The picture on the whole screen, for TV: a double click on the picture or F11 (the View
// menu's "Full Screen") puts the player that plays into a window of its own covering the
// screen; Escape, F11 or another double click bring it back into the main window as it was.
// On the full screen the mouse pointer hides after 2 seconds without a move and shows again
// at the next one.
class TFullScreen : public QObject {
    Q_OBJECT
public:
    static constexpr int HideCursorMs = 2000;

    explicit TFullScreen(TfrmMain& form);
    ~TFullScreen() override;

    QAction* action() const { return action_; }
    bool active() const { return player_ != nullptr; }
    // The window covering the screen, or nullptr before the first full screen.
    QWidget* screenWindow() const { return screen_; }
    bool cursorHidden() const;

    void Toggle();
    void Enter();
    void Leave();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    orvik::TPlayerWidget* currentPlayer() const;
    void watch(QWidget* player);
    void showCursor();

    TfrmMain& f_;
    QAction* action_;
    QTimer* hideCursor_;
    QList<QObject*> players_; // the players whose events are watched
    QPointer<QWidget> screen_;
    QPointer<orvik::TPlayerWidget> player_; // on the full screen, else nullptr
    QPointer<QWidget> home_;                // where it came from
    QRect homeGeometry_;
    QString homeAlign_;
};
