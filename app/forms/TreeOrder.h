#pragma once

#include <QList>

class QTreeWidget;
class QTreeWidgetItem;

namespace orvik {

// Tree order over the station tree: each node is followed by its children, then by its next
// sibling, then by the next sibling of its nearest ancestor that has one.
QTreeWidgetItem* successor(QTreeWidgetItem* node);
QTreeWidgetItem* nextSibling(QTreeWidgetItem* node);
// The selected node of the tree, or nullptr.
QTreeWidgetItem* selectedNode(QTreeWidget* tree);
// Makes node the tree's one selected and current node.
void selectNode(QTreeWidget* tree, QTreeWidgetItem* node);
// Counts every node of the tree.
int countNodes(QTreeWidget* tree);
// The categories that have at least one station, in tree order.
QList<QTreeWidgetItem*> categoriesWithStations(QTreeWidget* tree);

} // namespace orvik
