#include "app/catalogue/StationLoader.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/LoadStationsWindow.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationCursor.h"
#include "app/catalogue/StationOrder.h"
#include "app/catalogue/StationReader.h"
#include "app/catalogue/StationTree.h"
#include "core/ErrorWrapper.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>

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

// The favorites items of a load, handed to the list in one go when the loop ends, also on an
// error, so the stations read before a failure stay listed.
class PendingFavorites {
public:
    explicit PendingFavorites(QListWidget* favorites) : favorites_(favorites) {}
    ~PendingFavorites() {
        if (favorites_) {
            for (TStationListItem* item : items_)
                favorites_->addItem(item);
        } else {
            qDeleteAll(items_);
        }
    }
    PendingFavorites(const PendingFavorites&) = delete;
    PendingFavorites& operator=(const PendingFavorites&) = delete;
    void Add(TStationListItem* item) { items_.append(item); }

private:
    QListWidget* favorites_;
    QList<TStationListItem*> items_;
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
        w_.tvStations->stations()->SetImages(w_.images);
        w_.tvStations->stations()->BeginLoad();
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
        w_.tvStations->stations()->AddCategory(std::move(item), name, Image(categoryImage));
        if (w_.cbCategory)
            w_.cbCategory->addItem(name);
        query.Next();
    }
    query.Close();
}

void TStationLoader::Load(bool ShowProgress) {
    if (!w_.tvStations)
        throw orvik::Error(QStringLiteral("There is no station tree to load the catalogue into."));

    TStationModel& model = *w_.tvStations->stations();
    // The tree's model update ends with the load, also when it fails part-way: what was read
    // until then stays.
    const auto loaded = qScopeGuard([&model] { model.EndLoad(); });
    Clear();
    LoadRealCategories();
    LoadCategories();

    // Stations hang under the first category in tree order with their id.
    QHash<qint64, int> categorySlots;
    for (int i = 0; i < model.CategoryCount(); ++i) {
        const TItemPtr& category = model.Category(i)->item;
        if (category && category->CategoryIdExact && !categorySlots.contains(category->CategoryId))
            categorySlots.insert(category->CategoryId, i);
    }
    StoredRows stored;
    bool readStored = false;
    {
        PendingFavorites favorites(w_.lsvFavorites);
        std::optional<LoadingWindow> window;
        auto showWindow = [&] {
            if (ShowProgress) {
                window.emplace(w_.owner);
                (*window)->ShowNow();
            }
        };
        int counter = 0;
        QByteArray& texts = model.Texts();
        auto place = [&](const TStationRow& station, int slot, qint64 categoryId) {
            if (window && *window)
                (*window)->SetCount(++counter);
            if (slot < 0) {
                qWarning("Station %lld \"%s\" left out: its category %lld does not exist.",
                         station.id,
                         qPrintable(QString::fromUtf8(texts.constData() + station.text,
                                                      station.length[TStationRow::Name])),
                         categoryId);
                return false;
            }
            model.AddStation(slot, station);
            if (station.flags & TStationRow::Favorite) {
                TStationNode* node = model.Station(slot, model.StationCount(slot) - 1);
                auto* favorite = new TStationListItem(node->item, node->item->Name);
                favorite->setIcon(Image(station.image == 255 ? -1 : station.image));
                favorites.Add(favorite);
            }
            return true;
        };

        readStored = ReadStored(categorySlots, texts, stored);
        if (readStored) {
            const std::vector<quint32> order = NameOrder(std::move(stored.keys), texts, stored.raw);
            std::vector<size_t> counts(size_t(model.CategoryCount()));
            for (const int category : stored.places)
                if (category >= 0)
                    ++counts[size_t(category)];
            for (size_t c = 0; c < counts.size(); ++c)
                model.ReserveStations(int(c), counts[c]);
            showWindow();
            for (const quint32 r : order)
                place(stored.rows[r], stored.places[r],
                      stored.places[r] < 0 ? stored.orphans.value(r) : 0);
        } else {
            // The statement sorts on its first step, before the window shows.
            TStationCursor rows(catalogue_, TStationCursor::ByName);
            bool more = rows.Next();
            showWindow();
            std::optional<qint64> categoryId;
            for (; more; more = rows.Next()) {
                const qsizetype textsBefore = texts.size();
                const TStationRow station = rows.ReadRow(texts, categoryId);
                const int slot = categoryId ? categorySlots.value(*categoryId, -1) : -1;
                if (!place(station, slot, categoryId.value_or(0)))
                    texts.truncate(textsBefore);
            }
        }
    }

    if (readStored)
        FillLanguages(stored);
    else
        LoadLanguages();
    ResetSearch();
}

bool TStationLoader::ReadStored(const QHash<qint64, int>& categorySlots, QByteArray& texts,
                                StoredRows& stored) {
    try {
        TStationCursor rows(catalogue_, TStationCursor::AsStored);
        if (!rows.Utf8())
            return false;
        const size_t expected = rows.ExpectedRows();
        stored.rows.reserve(expected);
        stored.places.reserve(expected);
        stored.keys.reserve(expected);
        std::optional<qint64> categoryId;
        std::string identity;
        for (quint32 r = 0; rows.Next(); ++r) {
            TNameKey key;
            TStationRow station = rows.ReadRow(texts, categoryId, &key, r, &stored.raw);
            const int slot = categoryId ? categorySlots.value(*categoryId, -1) : -1;
            if (slot < 0) {
                // Left out when placed: only its name is kept, for the warning.
                texts.truncate(qsizetype(station.text + station.length[TStationRow::Name]));
                for (int i = TStationRow::Name + 1; i < TStationRow::TextCount; ++i)
                    station.length[i] = 0;
                stored.orphans.insert(r, categoryId.value_or(0));
            }
            stored.rows.push_back(station);
            stored.places.push_back(slot);
            stored.keys.push_back(key);
            rows.ReadLanguage(identity);
            if (stored.languagesSeen.insert(identity).second) {
                TNameKey languageKey;
                QString language;
                rows.ReadLanguage(identity, &languageKey, quint32(stored.languages.size()),
                                  &stored.languageBytes, &language);
                stored.languageKeys.push_back(languageKey);
                stored.languages << language;
            }
        }
        return true;
    } catch (const orvik::Error&) {
        // Read again in name order: a row that fails then ends the load where it always did,
        // after the stations before it in name order, with the statement's own message.
        texts.clear();
        stored = StoredRows();
        return false;
    }
}

void TStationLoader::LoadLanguages() {
    TQuery& query = catalogue_.qrySQL();
    query.Open(QStringLiteral("select distinct(s_language) from stations order by s_language"));
    bool emptyListed = false;
    while (!query.Eof()) {
        AddLanguage(query.FieldByName(QStringLiteral("s_language")).toString(), emptyListed);
        query.Next();
    }
    // Left open: the next use of the query closes it.
}

void TStationLoader::FillLanguages(StoredRows& stored) {
    bool emptyListed = false;
    for (const quint32 i : NameOrder(std::move(stored.languageKeys), {}, stored.languageBytes))
        AddLanguage(stored.languages[qsizetype(i)], emptyListed);
}

void TStationLoader::AddLanguage(const QString& language, bool& emptyListed) {
    // NULL and the empty text are two distinct values that both read as an empty name: the
    // list shows one empty entry, where the first of them sorts.
    if (!language.isEmpty() || !emptyListed) {
        if (w_.cbLanguage)
            w_.cbLanguage->addItem(language);
        emptyListed = emptyListed || language.isEmpty();
    }
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
    return w_.tvStations ? w_.tvStations->stations()->FindCategory(CategoryId) : nullptr;
}
