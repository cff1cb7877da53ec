// The Next, Previous and Random Channel walks over the station tree.
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
    QTreeWidget* tree = f_.form().tvStations;
    QTreeWidgetItem* node = selectedNode(tree);
    if (!node)
        return;
    // Where no current station can arise (the favorites page, the search page without a
    // selected result) the walk would circle the last category for ever: it ends after one
    // pass over the tree, leaves the last node it reached selected and plays nothing.
    const int limit = countNodes(tree);
    for (int steps = 0;; ++steps) {
        if (steps >= limit)
            return;
        if (node->childCount() > 0)
            node = node->child(0);
        else if (!successor(node) && node->parent())
            node = node->parent()->child(0);
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
    QTreeWidget* tree = f_.form().tvStations;
    QTreeWidgetItem* node = selectedNode(tree);
    if (!node || !node->parent())
        return;
    while (true) {
        QTreeWidgetItem* category = node->parent();
        const int index = category->indexOfChild(node);
        if (index > 0) {
            node = category->child(index - 1);
        } else {
            // The last station of the nearest earlier category that has stations.
            QTreeWidgetItem* earlier = nullptr;
            for (int i = tree->indexOfTopLevelItem(category) - 1; i >= 0 && !earlier; --i)
                if (tree->topLevelItem(i)->childCount() > 0)
                    earlier = tree->topLevelItem(i);
            if (!earlier)
                return;
            node = earlier->child(earlier->childCount() - 1);
        }
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
    const QList<QTreeWidgetItem*> categories = categoriesWithStations(ui.tvStations);
    if (categories.isEmpty())
        return;
    QTreeWidgetItem* category = categories.value(randomIndex(int(categories.size())));
    if (!category)
        return;
    selectNode(ui.tvStations, category->child(0));
    playSelected();
}
