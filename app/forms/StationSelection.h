#pragma once

#include "app/catalogue/Item.h"

#include <QObject>

#include <functional>

class QMenu;
class TfrmMain;

// The station lists as the user works them: the information panel follows whatever changed the
// selection (mouse, keys, a switch of page, a reload), so Play never starts a station other
// than the one the panel shows; Enter and a double click play the selected station of the tree,
// the favorites and the search results; a right click on the tree opens its menu without
// touching the selection, so the menu's commands act on the node selected before.
class TStationSelection : public QObject {
    Q_OBJECT
public:
    explicit TStationSelection(TfrmMain& form);

    // Connects the lists; the tree's right click opens popup.
    void bind(QMenu* popup);

    // Fills the information panel from the current station; with none, the panel keeps what it
    // shows.
    void ShowCurrent();
    // Empties the information panel.
    void ClearPanel();
    // The record the panel shows, or nullptr.
    TItemPtr Shown() const { return shown_; }

    // Stations left the catalogue: their favorites entries go, and the panel is emptied when it
    // shows one of them.
    void StationsDeleted(const std::function<bool(const TItem&)>& deleted);
    // After a reload: the panel shows the current station, or nothing when the station it
    // showed is no longer in the tree.
    void Reloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void playSelected();

    TfrmMain& f_;
    QMenu* popup_ = nullptr;
    TItemPtr shown_;
};
