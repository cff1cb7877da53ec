#include "app/catalogue/StationLoader.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/LoadStationsWindow.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationReader.h"
#include "core/ErrorWrapper.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSqlRecord>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <optional>
#include <vector>

namespace {

const QString selectEntry = QStringLiteral("(select)");
constexpr int categoryImage = 4;

// Unchecks a radio button, also when it is the checked one of an exclusive group (which a plain
// setChecked(false) leaves checked).
void uncheck(QRadioButton* button) {
    if (!button || !button->isChecked())
        return;
    QButtonGroup* group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}

// The loading window of one load: it lives while the stations are read and is closed when the
// loop ends, also when the load fails part-way.
class LoadingWindow {
public:
    explicit LoadingWindow(QWidget* owner) : window_(new TfrmLoadStations(owner)) {}
    ~LoadingWindow() {
        if (window_) {
            window_->hide();
            delete window_.data();
        }
    }
    LoadingWindow(const LoadingWindow&) = delete;
    LoadingWindow& operator=(const LoadingWindow&) = delete;

    TfrmLoadStations* operator->() const { return window_.data(); }
    explicit operator bool() const { return !window_.isNull(); }

private:
    QPointer<TfrmLoadStations> window_;
};

// The station nodes and favorites items of a load, built apart from the widgets and handed to
// them in one go per category (a tree with 100,000 stations would otherwise pay for a model
// update per row). Whatever was built is handed over when the loop ends, also on an error, so
// the stations read before a failure stay in the tree.
class PendingStations {
public:
    explicit PendingStations(QListWidget* favorites) : favorites_(favorites) {}
    ~PendingStations() { Flush(); }
    PendingStations(const PendingStations&) = delete;
    PendingStations& operator=(const PendingStations&) = delete;

    // Registers a category node. A later node with an id already seen is passed over: stations
    // hang under the first node in tree order, as FindCategoryNode would find it.
    void AddCategory(TStationNode* node) {
        if (node->item->CategoryIdExact && !index_.contains(node->item->CategoryId)) {
            index_.insert(node->item->CategoryId, int(categories_.size()));
            categories_.push_back({node, {}});
        }
    }

    // The slot of a category's children, or -1 when there is no such category.
    int Find(qint64 categoryId) const { return index_.value(categoryId, -1); }
    TStationNode* Node(int slot) const { return categories_[slot].node; }

    void AddStation(int slot, TStationNode* node) { categories_[slot].children.append(node); }
    void AddFavorite(TStationListItem* item) { favoriteItems_.append(item); }

    void Flush() {
        for (Category& category : categories_) {
            if (!category.children.isEmpty())
                category.node->addChildren(category.children);
            category.children.clear();
        }
        if (favorites_) {
            for (TStationListItem* item : favoriteItems_)
                favorites_->addItem(item);
        } else {
            qDeleteAll(favoriteItems_);
        }
        favoriteItems_.clear();
    }

private:
    struct Category {
        TStationNode* node;
        QList<QTreeWidgetItem*> children;
    };
    QListWidget* favorites_;
    std::vector<Category> categories_;
    QHash<qint64, int> index_;
    QList<TStationListItem*> favoriteItems_;
};

} // namespace

TStationLoader::TStationLoader(TCatalogue& catalogue, TStationWidgets widgets)
    : catalogue_(catalogue), w_(std::move(widgets)) {}

QIcon TStationLoader::Image(int index) const {
    return index >= 0 && index < w_.images.size() ? w_.images[index] : QIcon();
}

void TStationLoader::LoadStations(bool ShowProgress) {
    if (loading_) {
        // Only reachable from an event handled while the loading window paints its count.
        qWarning("A catalogue load is already running; the nested load request is ignored.");
        return;
    }
    loading_ = true;
    const auto done = qScopeGuard([this] { loading_ = false; });
    orvik::runReporting([&] { Load(ShowProgress); });
}

void TStationLoader::Clear() {
    if (w_.tvStations) {
        // The tree keeps the database's order.
        w_.tvStations->setSortingEnabled(false);
        w_.tvStations->clear();
    }
    if (w_.lsvFavorites)
        w_.lsvFavorites->clear();
    for (QComboBox* box : {w_.cbStationCategory, w_.cbCategory, w_.cbLanguage})
        if (box)
            box->clear();
    for (QComboBox* box : {w_.cbStationCategory, w_.cbCategory, w_.cbLanguage})
        if (box)
            box->addItem(selectEntry);
}

void TStationLoader::LoadRealCategories() {
    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select * from real_categories order by rc_name"));
    while (!query.Eof()) {
        const QString name = query.FieldByName(QStringLiteral("rc_name")).toString();
        if (w_.cbStationCategory)
            w_.cbStationCategory->addItem(name);
        query.Next();
    }
    query.Close();
}

void TStationLoader::LoadCategories() {
    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select * from categories order by c_name"));
    while (!query.Eof()) {
        auto item = std::make_shared<TItem>();
        const std::optional<qint64> id = CatalogueId(query.FieldByName(QStringLiteral("c_id")));
        item->CategoryId = id.value_or(0);
        item->CategoryIdExact = id.has_value();
        const QString name = query.FieldByName(QStringLiteral("c_name")).toString();
        auto* node = new TStationNode(std::move(item), name);
        node->setIcon(0, Image(categoryImage));
        w_.tvStations->addTopLevelItem(node);
        if (w_.cbCategory)
            w_.cbCategory->addItem(name);
        query.Next();
    }
    query.Close();
}

void TStationLoader::Load(bool ShowProgress) {
    if (!w_.tvStations)
        throw orvik::Error(QStringLiteral("There is no station tree to load the catalogue into."));

    Clear();
    LoadRealCategories();
    LoadCategories();

    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select * from stations order by s_name"));
    {
        std::optional<LoadingWindow> window;
        if (ShowProgress) {
            window.emplace(w_.owner);
            (*window)->ShowNow();
        }
        int counter = 0;

        PendingStations pending(w_.lsvFavorites);
        for (int i = 0; i < w_.tvStations->topLevelItemCount(); ++i) {
            auto* node = w_.tvStations->topLevelItem(i);
            if (node->type() == TStationNode::Type)
                pending.AddCategory(static_cast<TStationNode*>(node));
        }

        const TStationReader reader(query.Row().record());
        const QSqlQuery& row = query.Row();
        while (!query.Eof()) {
            if (window && *window)
                (*window)->SetCount(++counter);
            TItemPtr item = reader.Read(row);
            const int slot = item->CategoryIdExact ? pending.Find(item->CategoryId) : -1;
            if (slot < 0) {
                qWarning("Station %lld \"%s\" left out: its category %lld does not exist.",
                         item->Id, qPrintable(item->Name), item->CategoryId);
                query.Next();
                continue;
            }
            const QIcon icon = Image(reader.Format(row));
            item->CategoryName = pending.Node(slot)->text(0);
            auto* node = new TStationNode(item, item->Name);
            node->setIcon(0, icon);
            pending.AddStation(slot, node);
            if (item->Favorite) {
                auto* favorite = new TStationListItem(item, item->Name);
                favorite->setIcon(icon);
                pending.AddFavorite(favorite);
            }
            query.Next();
        }
    }
    query.Close();

    LoadLanguages();
    ResetSearch();
}

void TStationLoader::LoadLanguages() {
    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select distinct(s_language) from stations order by s_language"));
    bool emptyListed = false;
    while (!query.Eof()) {
        const QString language = query.FieldByName(QStringLiteral("s_language")).toString();
        // NULL and the empty text are two distinct values that both read as an empty name:
        // the list shows one empty entry, where the first of them sorts.
        if (!language.isEmpty() || !emptyListed) {
            if (w_.cbLanguage)
                w_.cbLanguage->addItem(language);
            emptyListed = emptyListed || language.isEmpty();
        }
        query.Next();
    }
    // Left open: the next use of the query closes it.
}

void TStationLoader::ResetSearch() {
    for (QComboBox* box : {w_.cbLanguage, w_.cbCategory, w_.cbStationCategory})
        if (box && box->count() > 0)
            box->setCurrentIndex(0);
    for (QComboBox* box : {w_.cbStationCategory, w_.cbCategory, w_.cbLanguage})
        if (box)
            box->setEnabled(false);
    uncheck(w_.rbStationCategory);
    uncheck(w_.rbCategory);
    uncheck(w_.rbLanguage);
    if (w_.lsvResults)
        w_.lsvResults->clear();
}

TStationNode* TStationLoader::FindCategoryNode(qint64 CategoryId) const {
    if (!w_.tvStations)
        return nullptr;
    for (QTreeWidgetItemIterator it(w_.tvStations); *it; ++it) {
        QTreeWidgetItem* node = *it;
        if (node->type() != TStationNode::Type)
            continue;
        auto* station = static_cast<TStationNode*>(node);
        if (station->item && station->item->CategoryIdExact &&
            station->item->CategoryId == CategoryId)
            return station;
    }
    return nullptr;
}
