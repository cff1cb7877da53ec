#pragma once

#include <QList>
#include <QtGlobal>

class TStationNode;
class TStationTree;

namespace orvik {

// Tree order over the nodes the station tree shows (while a find is on, only the matching
// stations and their categories): each node is followed by its children, then by its next
// sibling, then by the next sibling of its nearest ancestor that has one.
TStationNode* successor(TStationNode* node);
TStationNode* nextSibling(TStationNode* node);
// The shown children of a node, and the node's place among its shown siblings (-1: not shown).
int shownChildCount(TStationNode* node);
TStationNode* shownChild(TStationNode* node, int row);
int shownRow(TStationNode* node);
// The shown categories.
int shownCategoryCount(TStationTree* tree);
TStationNode* shownCategory(TStationTree* tree, int row);
// The selected node of the tree, or nullptr.
TStationNode* selectedNode(TStationTree* tree);
// Makes node the tree's one selected and current node.
void selectNode(TStationTree* tree, TStationNode* node);
// Counts every shown node of the tree.
qint64 countNodes(TStationTree* tree);
// The shown categories that show at least one station, in tree order.
QList<TStationNode*> categoriesWithStations(TStationTree* tree);

} // namespace orvik
