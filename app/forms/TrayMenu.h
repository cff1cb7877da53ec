#pragma once

#include <QObject>

class QAction;
class QMenu;
class TfrmMain;

// The notification-area icon's menu (right click): what plays now as a heading, Play or Stop,
// Next and Previous Channel, the favorites to play one of them, Show Orvik and Exit. Its items
// are brought up to date each time it opens.
class TTrayMenu : public QObject {
    Q_OBJECT
public:
    explicit TTrayMenu(TfrmMain& form);

    QMenu* menu() const { return menu_; }

private:
    void refresh();
    void playFavorite(int row);

    TfrmMain& f_;
    QMenu* menu_;
    QAction* heading_;
    QAction* playStop_;
    QAction* next_;
    QAction* previous_;
    QMenu* favorites_;
    QAction* show_;
    QAction* exit_;
};
