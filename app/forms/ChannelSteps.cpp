// The Next, Previous and Random Channel walks over the station tree. They go through what the
// tree shows: while a find is on, only the matching stations.
#include "app/forms/Playback.h"

#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"

using namespace orvik;

void TPlayback::playSelected() {
    f_.tvStationsClick();
    f_.tvStationsDblClick();
}

// On the favorites page the steps go through the favorites list: Next from the last favorite
// goes round to the first, Previous stops at the first, as they do in the tree.
bool TPlayback::stepFavorites(int step) {
    auto& ui = f_.form();
    if (ui.PageControl->currentIndex() != 1)
        return false;
    QListWidget* list = ui.lsvFavorites;
    QListWidgetItem* current = list->currentItem();
    if (!current || !current->isSelected())
        return true;
    int row = list->row(current) + step;
    if (row >= list->count())
        row = 0;
    if (row < 0)
        return true;
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    playSelected();
    return true;
}

void TPlayback::Button1Click() {
    if (stepFavorites(+1))
        return;
    TStationTree* tree = f_.form().tvStations;
    TStationNode* node = selectedNode(tree);
    if (!node)
        return;
    // Where no current station can arise (the favorites page, the search page without a
    // selected result) the walk would circle the last category for ever: it ends after one
    // pass over the tree, leaves the last node it reached selected and plays nothing.
    const qint64 limit = countNodes(tree);
    for (qint64 steps = 0;; ++steps) {
        if (steps >= limit)
            return;
        if (shownChildCount(node) > 0)
            node = shownChild(node, 0);
        else if (!successor(node) && node->parent())
            node = shownChild(node->parent(), 0);
        else
            node = successor(node);
        if (!node)
            return;
        selectNode(tree, node);
        if (f_.CurrentStation())
            break;
    }
    selectNode(tree, node);
    playSelected();
}

void TPlayback::Button2Click() {
    if (stepFavorites(-1))
        return;
    TStationTree* tree = f_.form().tvStations;
    TStationNode* node = selectedNode(tree);
    if (!node || !node->parent())
        return;
    while (true) {
        TStationNode* category = node->parent();
        const int index = shownRow(node);
        if (index > 0) {
            node = shownChild(category, index - 1);
        } else {
            // The last station of the nearest earlier category that has stations.
            TStationNode* earlier = nullptr;
            for (int i = shownRow(category) - 1; i >= 0 && !earlier; --i)
                if (shownChildCount(shownCategory(tree, i)) > 0)
                    earlier = shownCategory(tree, i);
            if (!earlier)
                return;
            node = shownChild(earlier, shownChildCount(earlier) - 1);
        }
        if (!node)
            return;
        selectNode(tree, node);
        if (f_.CurrentStation())
            break;
    }
    selectNode(tree, node);
    playSelected();
}

void TPlayback::Button3Click() {
    auto& ui = f_.form();
    if (ui.PageControl->currentIndex() == 1) {
        // A random favorite on the favorites page.
        const int count = ui.lsvFavorites->count();
        if (count == 0)
            return;
        ui.lsvFavorites->setCurrentRow(randomIndex(count), QItemSelectionModel::ClearAndSelect);
        playSelected();
        return;
    }
    // Every category that has stations is equally likely; one draw per click.
    const QList<TStationNode*> categories = categoriesWithStations(ui.tvStations);
    if (categories.isEmpty())
        return;
    TStationNode* category = categories.value(randomIndex(int(categories.size())));
    if (!category)
        return;
    selectNode(ui.tvStations, shownChild(category, 0));
    playSelected();
}
