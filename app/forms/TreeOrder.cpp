#include "app/forms/TreeOrder.h"

#include <QTreeWidget>

namespace orvik {

QTreeWidgetItem* nextSibling(QTreeWidgetItem* node) {
    if (QTreeWidgetItem* parent = node->parent()) {
        const int i = parent->indexOfChild(node);
        return i + 1 < parent->childCount() ? parent->child(i + 1) : nullptr;
    }
    QTreeWidget* tree = node->treeWidget();
    const int i = tree->indexOfTopLevelItem(node);
    return i + 1 < tree->topLevelItemCount() ? tree->topLevelItem(i + 1) : nullptr;
}

QTreeWidgetItem* successor(QTreeWidgetItem* node) {
    if (node->childCount() > 0)
        return node->child(0);
    for (QTreeWidgetItem* n = node; n; n = n->parent())
        if (QTreeWidgetItem* next = nextSibling(n))
            return next;
    return nullptr;
}

QTreeWidgetItem* selectedNode(QTreeWidget* tree) {
    QTreeWidgetItem* node = tree->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

void selectNode(QTreeWidget* tree, QTreeWidgetItem* node) {
    tree->setCurrentItem(node, 0, QItemSelectionModel::ClearAndSelect);
}

int countNodes(QTreeWidget* tree) {
    int n = tree->topLevelItemCount();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        n += tree->topLevelItem(i)->childCount();
    return n;
}

QList<QTreeWidgetItem*> categoriesWithStations(QTreeWidget* tree) {
    QList<QTreeWidgetItem*> out;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->childCount() > 0)
            out << tree->topLevelItem(i);
    return out;
}

} // namespace orvik
