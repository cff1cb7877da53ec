#pragma once

#include <QSet>
#include <QtGlobal>

class QListWidget;
class TStationTree;

// What the user had open in the station tree and the favorites list: the expanded categories,
// the selected node, the selected favorite and the tree's scroll position. Taken before a
// reload and put back after it, so adding or editing a station does not fold the tree up.
class TTreeState {
public:
    static TTreeState Capture(const TStationTree* tree, const QListWidget* favorites);

    // Expands the categories that still exist, selects the node and the favorite again where
    // their station or category still exists, and scrolls back.
    void Restore(TStationTree* tree, QListWidget* favorites) const;

    // Whether both name the same selected node (or both none).
    bool SameSelection(const TTreeState& other) const {
        return selected_ == other.selected_ && selectedId_ == other.selectedId_;
    }
    // Takes the selected node of other instead of its own.
    void TakeSelection(const TTreeState& other) {
        selected_ = other.selected_;
        selectedId_ = other.selectedId_;
    }

private:
    QSet<qint64> expanded_;
    enum class Kind { None, Category, Station } selected_ = Kind::None;
    qint64 selectedId_ = 0; // station id, or category id for a category node
    qint64 favoriteId_ = 0; // station id of the selected favorite, 0 for none
    int scroll_ = 0;
};
