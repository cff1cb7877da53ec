#include "app/forms/TreeState.h"

#include "app/catalogue/Nodes.h"
#include "app/forms/TreeOrder.h"

#include "app/catalogue/StationTree.h"
#include <QListWidget>
#include <QScrollBar>

TTreeState TTreeState::Capture(const TStationTree* tree, const QListWidget* favorites) {
    TTreeState state;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        TStationNode* category = tree->topLevelItem(i);
        if (category->isExpanded())
            if (const TItemPtr item = itemOf(category))
                state.expanded_.insert(item->CategoryId);
    }
    TStationNode* node = tree->currentItem();
    if (const TItemPtr item = node && node->isSelected() ? itemOf(node) : nullptr) {
        state.selected_ = node->parent() ? Kind::Station : Kind::Category;
        state.selectedId_ = node->parent() ? item->Id : item->CategoryId;
    }
    QListWidgetItem* favorite = favorites ? favorites->currentItem() : nullptr;
    if (const TItemPtr item = favorite && favorite->isSelected() ? itemOf(favorite) : nullptr)
        state.favoriteId_ = item->Id;
    state.scroll_ = tree->verticalScrollBar()->value();
    return state;
}

void TTreeState::Restore(TStationTree* tree, QListWidget* favorites) const {
    TStationModel* model = tree->stations();
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        TStationNode* category = tree->topLevelItem(i);
        const TItemPtr item = itemOf(category);
        if (item && expanded_.contains(item->CategoryId))
            category->setExpanded(true);
    }
    TStationNode* select = nullptr;
    if (selected_ == Kind::Category)
        select = model->FindCategory(selectedId_);
    else if (selected_ == Kind::Station)
        select = model->FindStation(selectedId_);
    if (select)
        orvik::selectNode(tree, select);
    // The scroll range follows the expanded categories once the items are laid out.
    tree->doItemsLayout();
    tree->verticalScrollBar()->setValue(scroll_);
    if (select)
        tree->scrollToItem(select); // only when the old position no longer shows it

    if (favorites && favoriteId_ != 0) {
        for (int row = 0; row < favorites->count(); ++row) {
            const TItemPtr item = itemOf(favorites->item(row));
            if (item && item->Id == favoriteId_) {
                favorites->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
                break;
            }
        }
    }
}
