#include "app/forms/TreeOrder.h"

#include "app/catalogue/StationTree.h"

namespace orvik {

int shownChildCount(TStationNode* node) {
    return node ? node->model()->rowCount(node->index()) : 0;
}

TStationNode* shownChild(TStationNode* node, int row) {
    if (!node)
        return nullptr;
    TStationModel* model = node->model();
    const QModelIndex index = node->index();
    return index.isValid() ? model->NodeAt(model->index(row, 0, index)) : nullptr;
}

int shownRow(TStationNode* node) {
    const QModelIndex index = node ? node->index() : QModelIndex();
    return index.isValid() ? index.row() : -1;
}

int shownCategoryCount(TStationTree* tree) {
    return tree->stations()->rowCount();
}

TStationNode* shownCategory(TStationTree* tree, int row) {
    TStationModel* model = tree->stations();
    return model->NodeAt(model->index(row, 0));
}

TStationNode* nextSibling(TStationNode* node) {
    const QModelIndex index = node ? node->index() : QModelIndex();
    if (!index.isValid())
        return nullptr;
    TStationModel* model = node->model();
    return model->NodeAt(model->index(index.row() + 1, 0, index.parent()));
}

TStationNode* successor(TStationNode* node) {
    if (shownChildCount(node) > 0)
        return shownChild(node, 0);
    for (TStationNode* n = node; n; n = n->parent())
        if (TStationNode* next = nextSibling(n))
            return next;
    return nullptr;
}

TStationNode* selectedNode(TStationTree* tree) {
    TStationNode* node = tree->currentItem();
    return node && node->isSelected() ? node : nullptr;
}

void selectNode(TStationTree* tree, TStationNode* node) {
    tree->setCurrentItem(node, 0, QItemSelectionModel::ClearAndSelect);
}

qint64 countNodes(TStationTree* tree) {
    TStationModel* model = tree->stations();
    const int categories = model->rowCount();
    qint64 n = categories;
    for (int i = 0; i < categories; ++i)
        n += model->rowCount(model->index(i, 0));
    return n;
}

QList<TStationNode*> categoriesWithStations(TStationTree* tree) {
    TStationModel* model = tree->stations();
    QList<TStationNode*> out;
    for (int i = 0, n = model->rowCount(); i < n; ++i) {
        const QModelIndex category = model->index(i, 0);
        if (model->rowCount(category) > 0)
            out << model->NodeAt(category);
    }
    return out;
}

} // namespace orvik
