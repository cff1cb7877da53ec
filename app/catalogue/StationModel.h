#pragma once

#include "app/catalogue/Item.h"
#include "app/catalogue/StationRow.h"

#include <QAbstractItemModel>
#include <QByteArray>
#include <QIcon>
#include <QList>
#include <QTimer>

#include <memory>
#include <unordered_map>
#include <vector>

class TStationModel;
class TStationTree;

// A node of the station tree: a category (top level) or a station (its child), with its record.
// Nodes are made when asked for and live until the model is cleared or the node removed, so a
// record taken from a node is the one every later look at that node gives.
class TStationNode {
public:
    TItemPtr item;

    QString text(int column = 0) const;
    QIcon icon(int column = 0) const;
    // The category of a station node; nullptr for a category.
    TStationNode* parent() const { return parent_; }
    // Children in catalogue order, including those a find hides.
    TStationNode* child(int row) const;
    int childCount() const;
    int indexOfChild(const TStationNode* node) const;
    // The tree's state of the node: a node a find hides has no index in the view.
    bool isHidden() const;
    bool isExpanded() const;
    void setExpanded(bool expanded);
    bool isSelected() const;
    QModelIndex index() const;
    TStationTree* treeWidget() const;
    TStationModel* model() const { return model_; }
    // A category's place among the categories, or a station's among its siblings.
    int row() const { return row_; }

private:
    friend class TStationModel;
    TStationNode(TStationModel* model, TStationNode* parent, int row)
        : model_(model), parent_(parent), row_(row) {}
    TStationModel* model_;
    TStationNode* parent_;
    int row_;
};

// The station tree's model: categories in catalogue order with their stations as compact rows.
// A find narrows what the model shows to the matching stations and their categories; nodes keep
// naming the same station whatever it shows.
class TStationModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit TStationModel(QObject* parent = nullptr);
    ~TStationModel() override;

    // Loading: Clear, then categories and stations. AddStation gives the station's node only
    // when asked (favorites need their node's record).
    void Clear();
    void SetImages(QList<QIcon> images) { images_ = std::move(images); }
    void SetView(TStationTree* view) { view_ = view; }
    TStationTree* view() const { return view_; }
    TStationNode* AddCategory(TItemPtr category, const QString& name, const QIcon& icon);
    // Stations are added in their category's order; ends the pending model update at EndLoad.
    void BeginLoad();
    void EndLoad();
    // Appends a station to a category; its texts are already in Texts().
    void AddStation(int category, const TStationRow& row);
    // Room for that many more stations in a category, when the load knows how many come.
    void ReserveStations(int category, size_t count);
    QByteArray& Texts() { return texts_; }

    int CategoryCount() const { return int(categories_.size()); }
    TStationNode* Category(int index) const;
    int StationCount(int category) const;
    qint64 StationTotal() const;
    TStationNode* Station(int category, int row) const;
    // The first station with this id, or nullptr.
    TStationNode* FindStation(qint64 id) const;
    // The first category with this id, or nullptr.
    TStationNode* FindCategory(qint64 id) const;
    // Every category and station node whose text is exactly name, in tree order.
    QList<TStationNode*> FindByName(const QString& name) const;

    void SetCategoryName(TStationNode* category, const QString& name);
    // Removes the node (and a category's stations); the node is gone afterwards.
    void Remove(TStationNode* node);

    // The find: only the stations whose folded name and comment contain folded are shown
    // (narrowing: only those shown now are looked at). An empty text shows everything.
    // makeMissing: the find's texts not made yet are made first; without it the stations
    // whose texts are not made yet are not shown (keysFolded() follows once all are).
    void SetFilter(const QString& folded, bool narrowing, bool makeMissing = true);
    bool Filtered() const { return filtered_; }
    // Whether the find looked at every station (false: some texts were not made yet).
    bool FilterComplete() const { return filterComplete_; }
    // Whether the find's texts of the last load are all made (they are made while idle).
    bool KeysFoldedAhead() const { return !foldTimer_.isActive(); }
    // How many stations' find texts are made.
    size_t KeysFolded() const;
    bool IsShown(const TStationNode* node) const;

    QModelIndex IndexOf(const TStationNode* node) const;
    TStationNode* NodeAt(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;

signals:
    // The find's texts of the last load are all made.
    void keysFolded();

private:
    friend class TStationNode;
    struct CategoryEntry {
        std::unique_ptr<TStationNode> node;
        quintptr serial = 0; // the internal id of its stations' indexes
        QString name;
        QIcon icon;
        std::vector<TStationRow> rows;
        // Nodes asked for, by row.
        mutable std::unordered_map<int, std::unique_ptr<TStationNode>> stations;
        // The find's folded texts, one after the other, with where each row's begins.
        // keyStart has one entry per folded row, and a last one for the end once all are.
        QString keys;
        std::vector<quint32> keyStart;
        size_t keysFolded = 0;
        // Rows a find shows (in order), valid while filtered_.
        std::vector<int> shown;
        bool visible = true;
    };

    QString Text(const TStationRow& row, TStationRow::Text which) const;
    // Where the UTF-8 bytes of one of the row's texts begin in the text store.
    const char* TextData(const TStationRow& row, TStationRow::Text which) const;
    TItemPtr MakeRecord(const CategoryEntry& category, const TStationRow& row) const;
    void MakeKeys(CategoryEntry& category) const;
    // Folds the category's keys up to row limit (from where it stopped); true once all are.
    bool FoldKeys(CategoryEntry& category, size_t limit) const;
    // After a load the keys are folded a slice at a time while the program is idle, so that
    // the first key of a find does not wait for a whole large catalogue.
    void StartFoldingAhead();
    void FoldAhead();
    int ShownCategoryRow(int category) const;
    // The category whose stations' indexes carry this internal id, or -1 when it is gone.
    int CategoryOfSerial(quintptr serial) const;
    int SourceCategory(int shownRow) const;
    int ShownStationRow(const CategoryEntry& category, int row) const;

    std::vector<CategoryEntry> categories_;
    std::vector<int> shownCategories_; // while filtered_
    QByteArray texts_;
    QString separator_;
    std::unordered_map<quintptr, int> serials_;
    quintptr nextSerial_ = 1;
    QList<QIcon> images_;
    TStationTree* view_ = nullptr;
    bool filtered_ = false;
    bool filterComplete_ = true; // the find looked at every station
    bool loading_ = false;
    QTimer foldTimer_;
    size_t foldNext_ = 0; // the category the folding ahead is at
};

// The record of a node or list item, or nullptr for none.
inline TItemPtr itemOf(const TStationNode* node) {
    return node ? node->item : nullptr;
}
