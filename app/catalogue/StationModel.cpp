#include "app/catalogue/StationModel.h"

#include "app/catalogue/CatalogueDate.h"
#include "app/catalogue/FindText.h"
#include "app/catalogue/StationTree.h"
#include "core/ErrorWrapper.h"

#include <algorithm>
#include <limits>

// Station indexes carry their category's serial number as internal id, category indexes 0: an
// index kept from before a removal or a reload then finds its category gone instead of reading
// freed memory.

QString TStationNode::text(int) const {
    if (!parent_)
        return model_->categories_[size_t(row_)].name;
    const auto& category = model_->categories_[size_t(parent_->row_)];
    return model_->Text(category.rows[size_t(row_)], TStationRow::Name);
}

QIcon TStationNode::icon(int) const {
    return model_->data(model_->IndexOf(this), Qt::DecorationRole).value<QIcon>();
}

TStationNode* TStationNode::child(int row) const {
    return parent_ ? nullptr : model_->Station(row_, row);
}

int TStationNode::childCount() const {
    return parent_ ? 0 : model_->StationCount(row_);
}

int TStationNode::indexOfChild(const TStationNode* node) const {
    return node && node->parent_ == this ? node->row_ : -1;
}

bool TStationNode::isHidden() const {
    return !model_->IsShown(this);
}

bool TStationNode::isExpanded() const {
    const QModelIndex index = model_->IndexOf(this);
    return index.isValid() && model_->view() && model_->view()->isExpanded(index);
}

void TStationNode::setExpanded(bool expanded) {
    const QModelIndex index = model_->IndexOf(this);
    if (index.isValid() && model_->view())
        model_->view()->setExpanded(index, expanded);
}

bool TStationNode::isSelected() const {
    const QModelIndex index = model_->IndexOf(this);
    return index.isValid() && model_->view() && model_->view()->selectionModel() &&
           model_->view()->selectionModel()->isSelected(index);
}

QModelIndex TStationNode::index() const {
    return model_->IndexOf(this);
}

TStationTree* TStationNode::treeWidget() const {
    return model_->view();
}

TStationModel::TStationModel(QObject* parent) : QAbstractItemModel(parent) {
    foldTimer_.setInterval(0);
    connect(&foldTimer_, &QTimer::timeout, this,
            [this] { orvik::runGuarded([this] { FoldAhead(); }); });
}

TStationModel::~TStationModel() = default;

void TStationModel::Clear() {
    BeginLoad();
    EndLoad();
}

void TStationModel::BeginLoad() {
    if (!loading_)
        beginResetModel();
    loading_ = true;
    foldTimer_.stop();
    categories_.clear();
    serials_.clear();
    shownCategories_.clear();
    texts_.clear();
    texts_.squeeze();
    filtered_ = false;
    separator_ = orvik::SystemDateSeparator();
}

void TStationModel::EndLoad() {
    if (!loading_)
        return;
    loading_ = false;
    endResetModel();
    StartFoldingAhead();
}

TStationNode* TStationModel::AddCategory(TItemPtr category, const QString& name,
                                         const QIcon& icon) {
    if (!loading_)
        beginInsertRows({}, rowCount(), rowCount());
    CategoryEntry entry;
    entry.node.reset(new TStationNode(this, nullptr, int(categories_.size())));
    entry.node->item = std::move(category);
    entry.name = name;
    entry.icon = icon;
    entry.serial = nextSerial_++;
    serials_[entry.serial] = int(categories_.size());
    categories_.push_back(std::move(entry));
    if (filtered_)
        categories_.back().visible = false;
    if (!loading_)
        endInsertRows();
    return categories_.back().node.get();
}

void TStationModel::AddStation(int category, const TStationRow& row) {
    Q_ASSERT(loading_);
    categories_.at(size_t(category)).rows.push_back(row);
}

void TStationModel::ReserveStations(int category, size_t count) {
    if (category < 0 || size_t(category) >= categories_.size())
        return;
    auto& rows = categories_[size_t(category)].rows;
    rows.reserve(rows.size() + count);
}

TStationNode* TStationModel::Category(int index) const {
    if (index < 0 || size_t(index) >= categories_.size())
        return nullptr;
    return categories_[size_t(index)].node.get();
}

int TStationModel::StationCount(int category) const {
    if (category < 0 || size_t(category) >= categories_.size())
        return 0;
    return int(categories_[size_t(category)].rows.size());
}

qint64 TStationModel::StationTotal() const {
    qint64 n = 0;
    for (const CategoryEntry& c : categories_)
        n += qint64(c.rows.size());
    return n;
}

TStationNode* TStationModel::Station(int category, int row) const {
    if (category < 0 || size_t(category) >= categories_.size())
        return nullptr;
    const CategoryEntry& entry = categories_[size_t(category)];
    if (row < 0 || size_t(row) >= entry.rows.size())
        return nullptr;
    auto& slot = entry.stations[row];
    if (!slot) {
        slot.reset(new TStationNode(const_cast<TStationModel*>(this), entry.node.get(), row));
        slot->item = MakeRecord(entry, entry.rows[size_t(row)]);
    }
    return slot.get();
}

TStationNode* TStationModel::FindStation(qint64 id) const {
    for (size_t c = 0; c < categories_.size(); ++c) {
        const auto& rows = categories_[c].rows;
        for (size_t r = 0; r < rows.size(); ++r)
            if (rows[r].id == id && (rows[r].flags & TStationRow::IdExact))
                return Station(int(c), int(r));
    }
    return nullptr;
}

TStationNode* TStationModel::FindCategory(qint64 id) const {
    for (const CategoryEntry& c : categories_)
        if (c.node->item && c.node->item->CategoryIdExact && c.node->item->CategoryId == id)
            return c.node.get();
    return nullptr;
}

QList<TStationNode*> TStationModel::FindByName(const QString& name) const {
    QList<TStationNode*> out;
    const QByteArray utf8 = name.toUtf8();
    for (size_t c = 0; c < categories_.size(); ++c) {
        const CategoryEntry& entry = categories_[c];
        if (entry.name == name)
            out << entry.node.get();
        for (size_t r = 0; r < entry.rows.size(); ++r) {
            const TStationRow& row = entry.rows[r];
            if (row.length[TStationRow::Name] == quint32(utf8.size()) &&
                QByteArrayView(texts_.constData() + row.text, utf8.size()) == utf8)
                out << Station(int(c), int(r));
        }
    }
    return out;
}

void TStationModel::SetCategoryName(TStationNode* category, const QString& name) {
    if (!category || category->parent_ || category->model_ != this)
        return;
    categories_[size_t(category->row_)].name = name;
    const QModelIndex index = IndexOf(category);
    if (index.isValid())
        emit dataChanged(index, index, {Qt::DisplayRole});
}

void TStationModel::Remove(TStationNode* node) {
    if (!node || node->model_ != this)
        return;
    if (!node->parent_) {
        const int c = node->row_;
        const QModelIndex shown = IndexOf(node);
        if (shown.isValid())
            beginRemoveRows({}, shown.row(), shown.row());
        serials_.erase(categories_[size_t(c)].serial);
        categories_.erase(categories_.begin() + c);
        for (size_t i = size_t(c); i < categories_.size(); ++i) {
            categories_[i].node->row_ = int(i);
            serials_[categories_[i].serial] = int(i);
        }
        if (filtered_) {
            auto it = std::lower_bound(shownCategories_.begin(), shownCategories_.end(), c);
            if (it != shownCategories_.end() && *it == c)
                it = shownCategories_.erase(it);
            for (; it != shownCategories_.end(); ++it)
                --*it;
        }
        if (shown.isValid())
            endRemoveRows();
        return;
    }
    CategoryEntry& entry = categories_[size_t(node->parent_->row_)];
    const int r = node->row_;
    const QModelIndex shown = IndexOf(node);
    if (shown.isValid())
        beginRemoveRows(shown.parent(), shown.row(), shown.row());
    entry.rows.erase(entry.rows.begin() + r);
    // Nodes after the removed row move up one.
    std::unordered_map<int, std::unique_ptr<TStationNode>> moved;
    for (auto& [row, n] : entry.stations) {
        if (row == r)
            continue;
        const int to = row > r ? row - 1 : row;
        n->row_ = to;
        moved[to] = std::move(n);
    }
    entry.stations = std::move(moved);
    entry.keys.clear();
    entry.keyStart.clear();
    entry.keysFolded = 0;
    if (filtered_) {
        auto it = std::lower_bound(entry.shown.begin(), entry.shown.end(), r);
        if (it != entry.shown.end() && *it == r)
            it = entry.shown.erase(it);
        for (; it != entry.shown.end(); ++it)
            --*it;
    }
    if (shown.isValid())
        endRemoveRows();
}

const char* TStationModel::TextData(const TStationRow& row, TStationRow::Text which) const {
    quint64 offset = row.text;
    for (int i = 0; i < which; ++i)
        offset += row.length[i];
    return texts_.constData() + offset;
}

QString TStationModel::Text(const TStationRow& row, TStationRow::Text which) const {
    return QString::fromUtf8(TextData(row, which), qsizetype(row.length[which]));
}

TItemPtr TStationModel::MakeRecord(const CategoryEntry& category, const TStationRow& row) const {
    auto item = std::make_shared<TItem>();
    item->Id = row.id;
    item->IdExact = row.flags & TStationRow::IdExact;
    if (category.node->item) {
        item->CategoryId = category.node->item->CategoryId;
        item->CategoryIdExact = category.node->item->CategoryIdExact;
    }
    item->Name = Text(row, TStationRow::Name);
    item->CategoryName = category.name;
    item->Url = Text(row, TStationRow::Url);
    item->Website = Text(row, TStationRow::Website);
    item->Bitrate = Text(row, TStationRow::Bitrate);
    item->Comment = Text(row, TStationRow::Comment);
    item->Created = orvik::FormatCatalogueDay(row.created, separator_);
    item->Played = orvik::FormatCatalogueDay(row.played, separator_);
    item->Favorite = row.flags & TStationRow::Favorite;
    return item;
}

bool TStationModel::IsShown(const TStationNode* node) const {
    if (!node)
        return false;
    if (!filtered_)
        return true;
    if (!node->parent_)
        return categories_[size_t(node->row_)].visible;
    const CategoryEntry& entry = categories_[size_t(node->parent_->row_)];
    return entry.visible && std::binary_search(entry.shown.begin(), entry.shown.end(), node->row_);
}

int TStationModel::ShownCategoryRow(int category) const {
    if (!filtered_)
        return category;
    const auto it = std::lower_bound(shownCategories_.begin(), shownCategories_.end(), category);
    return it != shownCategories_.end() && *it == category ? int(it - shownCategories_.begin())
                                                           : -1;
}

int TStationModel::SourceCategory(int shownRow) const {
    if (!filtered_)
        return shownRow >= 0 && size_t(shownRow) < categories_.size() ? shownRow : -1;
    return shownRow >= 0 && size_t(shownRow) < shownCategories_.size()
               ? shownCategories_[size_t(shownRow)]
               : -1;
}

int TStationModel::ShownStationRow(const CategoryEntry& category, int row) const {
    if (!filtered_)
        return row;
    const auto it = std::lower_bound(category.shown.begin(), category.shown.end(), row);
    return it != category.shown.end() && *it == row ? int(it - category.shown.begin()) : -1;
}

QModelIndex TStationModel::IndexOf(const TStationNode* node) const {
    if (!node || node->model_ != this)
        return {};
    if (!node->parent_) {
        const int row = ShownCategoryRow(node->row_);
        return row < 0 ? QModelIndex() : createIndex(row, 0, quintptr(0));
    }
    const CategoryEntry& entry = categories_[size_t(node->parent_->row_)];
    if (filtered_ && !entry.visible)
        return {};
    const int row = ShownStationRow(entry, node->row_);
    return row < 0 ? QModelIndex() : createIndex(row, 0, entry.serial);
}

int TStationModel::CategoryOfSerial(quintptr serial) const {
    const auto it = serials_.find(serial);
    return it == serials_.end() ? -1 : it->second;
}

TStationNode* TStationModel::NodeAt(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return nullptr;
    if (index.internalId() == 0)
        return Category(SourceCategory(index.row()));
    const int c = CategoryOfSerial(index.internalId());
    if (c < 0)
        return nullptr;
    const CategoryEntry& entry = categories_[size_t(c)];
    if (!filtered_)
        return Station(c, index.row());
    if (index.row() < 0 || size_t(index.row()) >= entry.shown.size())
        return nullptr;
    return Station(c, entry.shown[size_t(index.row())]);
}

QModelIndex TStationModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row < rowCount() ? createIndex(row, 0, quintptr(0)) : QModelIndex();
    if (parent.internalId() != 0)
        return {};
    const int c = SourceCategory(parent.row());
    if (c < 0 || row >= rowCount(parent))
        return {};
    return createIndex(row, 0, categories_[size_t(c)].serial);
}

QModelIndex TStationModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    const int c = CategoryOfSerial(child.internalId());
    const int row = c < 0 ? -1 : ShownCategoryRow(c);
    return row < 0 ? QModelIndex() : createIndex(row, 0, quintptr(0));
}

int TStationModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return int(filtered_ ? shownCategories_.size() : categories_.size());
    if (parent.internalId() != 0 || parent.column() != 0)
        return 0;
    const int c = SourceCategory(parent.row());
    if (c < 0)
        return 0;
    const CategoryEntry& entry = categories_[size_t(c)];
    return int(filtered_ ? entry.shown.size() : entry.rows.size());
}

int TStationModel::columnCount(const QModelIndex&) const {
    return 1;
}

bool TStationModel::hasChildren(const QModelIndex& parent) const {
    return rowCount(parent) > 0;
}

QVariant TStationModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::DecorationRole))
        return {};
    if (index.internalId() == 0) {
        const int c = SourceCategory(index.row());
        if (c < 0)
            return {};
        const CategoryEntry& entry = categories_[size_t(c)];
        return role == Qt::DisplayRole ? QVariant(entry.name) : QVariant(entry.icon);
    }
    const int c = CategoryOfSerial(index.internalId());
    if (c < 0)
        return {};
    const CategoryEntry& entry = categories_[size_t(c)];
    int row = index.row();
    if (filtered_) {
        if (size_t(row) >= entry.shown.size())
            return {};
        row = entry.shown[size_t(row)];
    }
    if (row < 0 || size_t(row) >= entry.rows.size())
        return {};
    const TStationRow& station = entry.rows[size_t(row)];
    if (role == Qt::DisplayRole)
        return Text(station, TStationRow::Name);
    return station.image < images_.size() ? QVariant(images_[station.image]) : QVariant();
}

Qt::ItemFlags TStationModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    const Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    // A station never has children. Said so, the view's expand-all keeps no expanded mark for
    // each station (a persistent index apiece, every one of them updated at each reset), which
    // made the first key of a find over a large catalogue take seconds.
    return index.internalId() != 0 ? flags | Qt::ItemNeverHasChildren : flags;
}
