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

void TPlayback::Button1Click() {
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
    QTreeWidget* tree = f_.form().tvStations;
    bool anyStations = false;
    for (int i = 0; i < tree->topLevelItemCount() && !anyStations; ++i)
        anyStations = tree->topLevelItem(i)->childCount() > 0;
    if (!anyStations)
        return;
    const int count = countNodes(tree);
    QTreeWidgetItem* node = nullptr;
    do {
        node = nodeAt(tree, randomIndex(count));
    } while (!node || node->childCount() == 0);
    selectNode(tree, node->child(0));
    playSelected();
}
