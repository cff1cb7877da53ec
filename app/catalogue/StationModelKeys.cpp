// The find's folded texts of the station model: made a slice at a time after a load, and
// whole for a category when a find needs them before that.
#include "app/catalogue/FindText.h"
#include "app/catalogue/StationModel.h"

#include <QElapsedTimer>

#include <algorithm>

namespace {

// How long one slice of folding ahead may keep the event loop, and how many rows it folds
// between looks at the clock.
constexpr qint64 SliceMs = 4;
constexpr size_t RowsPerLook = 512;

} // namespace

bool TStationModel::FoldKeys(CategoryEntry& category, size_t limit) const {
    const size_t rows = category.rows.size();
    if (category.keysFolded == rows && category.keyStart.size() == rows + 1)
        return true;
    // Rows added after the keys were complete go on from the end mark.
    if (category.keyStart.size() == category.keysFolded + 1)
        category.keyStart.pop_back();
    if (category.keyStart.size() != category.keysFolded || category.keysFolded > rows) {
        category.keys.clear();
        category.keyStart.clear();
        category.keysFolded = 0;
    }
    const size_t end = std::min(limit, rows);
    for (size_t r = category.keysFolded; r < end; ++r) {
        const TStationRow& row = category.rows[r];
        category.keyStart.push_back(quint32(category.keys.size()));
        orvik::appendFoldedUtf8(category.keys, TextData(row, TStationRow::Name),
                                qsizetype(row.length[TStationRow::Name]));
        if (row.length[TStationRow::Comment] > 0) {
            // The line break cannot be typed into the box, so no text matches across the two.
            category.keys += u'\n';
            orvik::appendFoldedUtf8(category.keys, TextData(row, TStationRow::Comment),
                                    qsizetype(row.length[TStationRow::Comment]));
        }
        // Nor can this one: no match runs from one station into the next.
        category.keys += u'\n';
    }
    category.keysFolded = std::max(category.keysFolded, end);
    if (category.keysFolded < rows)
        return false;
    category.keyStart.push_back(quint32(category.keys.size()));
    category.keys.squeeze();
    return true;
}

void TStationModel::MakeKeys(CategoryEntry& category) const {
    FoldKeys(category, category.rows.size());
}

void TStationModel::StartFoldingAhead() {
    foldNext_ = 0;
    if (!categories_.empty())
        foldTimer_.start();
}

void TStationModel::FoldAhead() {
    QElapsedTimer clock;
    clock.start();
    while (foldNext_ < categories_.size()) {
        CategoryEntry& entry = categories_[foldNext_];
        if (FoldKeys(entry, entry.keysFolded + RowsPerLook))
            ++foldNext_;
        if (clock.elapsed() >= SliceMs)
            return;
    }
    foldTimer_.stop();
}
