#pragma once

#include "app/catalogue/StationModel.h"

#include <QTreeView>

// The station tree: a view over its own TStationModel, with the node-based calls the forms use
// (current node, selecting, scrolling to a node, finding nodes by text) and signals that name
// nodes. One row height for all rows, so a million stations lay out in moments.
class TStationTree : public QTreeView {
    Q_OBJECT
public:
    explicit TStationTree(QWidget* parent = nullptr);

    TStationModel* stations() const { return model_; }

    int topLevelItemCount() const { return model_->CategoryCount(); }
    TStationNode* topLevelItem(int index) const { return model_->Category(index); }
    int indexOfTopLevelItem(const TStationNode* node) const;
    TStationNode* currentItem() const;
    // Makes node current with command; a node a find hides cannot be current (none is).
    void setCurrentItem(
        TStationNode* node, int column = 0,
        QItemSelectionModel::SelectionFlags command = QItemSelectionModel::ClearAndSelect);
    void scrollToItem(const TStationNode* node, ScrollHint hint = EnsureVisible);
    QRect visualItemRect(const TStationNode* node) const;
    TStationNode* itemAt(const QPoint& point) const;
    // Nodes whose text is exactly text, in tree order: categories and, with Qt::MatchRecursive,
    // stations. Exact matching is the only kind.
    QList<TStationNode*> findItems(const QString& text,
                                   Qt::MatchFlags flags = Qt::MatchExactly |
                                                          Qt::MatchRecursive) const;
    void clear() { model_->Clear(); }

signals:
    void itemSelectionChanged();
    void currentItemChanged(TStationNode* current, TStationNode* previous);
    void itemClicked(TStationNode* node, int column);
    void itemDoubleClicked(TStationNode* node, int column);

private:
    TStationModel* model_;
};
