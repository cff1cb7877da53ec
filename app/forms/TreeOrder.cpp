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

QTreeWidgetItem* nodeAt(QTreeWidget* tree, int index) {
    for (int i = 0; i < tree->topLevelItemCount() && index >= 0; ++i) {
        QTreeWidgetItem* category = tree->topLevelItem(i);
        if (index == 0)
            return category;
        --index;
        if (index < category->childCount())
            return category->child(index);
        index -= category->childCount();
    }
    return nullptr;
}

} // namespace orvik
