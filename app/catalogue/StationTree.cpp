#include "app/catalogue/StationTree.h"

TStationTree::TStationTree(QWidget* parent) : QTreeView(parent), model_(new TStationModel(this)) {
    model_->SetView(this);
    setModel(model_);
    setUniformRowHeights(true);
    setHeaderHidden(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit itemSelectionChanged(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                emit currentItemChanged(model_->NodeAt(current), model_->NodeAt(previous));
            });
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (TStationNode* node = model_->NodeAt(index))
            emit itemClicked(node, 0);
    });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (TStationNode* node = model_->NodeAt(index))
            emit itemDoubleClicked(node, 0);
    });
}

int TStationTree::indexOfTopLevelItem(const TStationNode* node) const {
    return node && !node->parent() && node->model() == model_ ? node->row() : -1;
}

TStationNode* TStationTree::currentItem() const {
    return model_->NodeAt(currentIndex());
}

void TStationTree::setCurrentItem(TStationNode* node, int,
                                  QItemSelectionModel::SelectionFlags command) {
    const QModelIndex index = model_->IndexOf(node);
    if (!index.isValid()) {
        selectionModel()->clear();
        return;
    }
    selectionModel()->setCurrentIndex(index, command);
}

void TStationTree::scrollToItem(const TStationNode* node, ScrollHint hint) {
    const QModelIndex index = model_->IndexOf(node);
    if (index.isValid())
        scrollTo(index, hint);
}

QRect TStationTree::visualItemRect(const TStationNode* node) const {
    return visualRect(model_->IndexOf(node));
}

TStationNode* TStationTree::itemAt(const QPoint& point) const {
    return model_->NodeAt(indexAt(point));
}

QList<TStationNode*> TStationTree::findItems(const QString& text, Qt::MatchFlags flags) const {
    QList<TStationNode*> found = model_->FindByName(text);
    if (!(flags & Qt::MatchRecursive))
        found.removeIf([](const TStationNode* node) { return node->parent() != nullptr; });
    return found;
}
