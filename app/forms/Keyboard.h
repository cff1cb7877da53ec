#pragma once

#include <QKeySequence>
#include <QObject>
#include <QPointer>
#include <QWindow>

#include <functional>

class QAction;
class TfrmMain;

// The main window's keyboard shortcuts, each an entry of the Stations menu so that the menu
// shows its key: Play (Ctrl+P), Stop (Ctrl+S), Next, Previous and Random Channel (Ctrl+Right,
// Ctrl+Left, Ctrl+R), Volume Up and Down (Ctrl+Up, Ctrl+Down) and Find Station (Ctrl+F, to
// the find box over the station tree). Space plays or stops while the station tree has the
// focus.
//
// The keys are the window's, whether or not its menu bar is shown. An edit with the focus
// keeps every key it uses: the edits take the word moves (Ctrl+Left and Ctrl+Right) before
// any shortcut, and Space is only the tree's. When the window is made again (as at the first
// picture, which needs it drawn by OpenGL) it takes the keyboard back if it had it.
class TKeyboard : public QObject {
    Q_OBJECT
public:
    explicit TKeyboard(TfrmMain& form);

    QAction* nextChannel() const { return next_; }
    QAction* previousChannel() const { return previous_; }
    QAction* randomChannel() const { return random_; }
    QAction* volumeUp() const { return volumeUp_; }
    QAction* volumeDown() const { return volumeDown_; }
    QAction* findStation() const { return find_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QAction* add(const QString& text, const QKeySequence& key, std::function<void()> handler);
    void stepVolume(int steps);
    void watchWindow();

    TfrmMain& f_;
    QObject* tree_ = nullptr;
    QPointer<QWindow> window_;
    bool refocus_ = false;
    QAction* next_ = nullptr;
    QAction* previous_ = nullptr;
    QAction* random_ = nullptr;
    QAction* volumeUp_ = nullptr;
    QAction* volumeDown_ = nullptr;
    QAction* find_ = nullptr;
};
