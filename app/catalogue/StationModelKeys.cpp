// The find of the station model and its folded texts: made a slice at a time after a load,
// and whole for a category when a find needs them before that.
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
    emit keysFolded();
}

void TStationModel::SetFilter(const QString& folded, bool narrowing, bool makeMissing) {
    beginResetModel();
    // Narrowing looks only at the rows shown now: that needs the last find to have seen all.
    const bool narrow = narrowing && filtered_ && filterComplete_;
    filtered_ = !folded.isEmpty();
    filterComplete_ = true;
    shownCategories_.clear();
    for (size_t c = 0; c < categories_.size(); ++c) {
        CategoryEntry& entry = categories_[c];
        if (!filtered_) {
            entry.shown.clear();
            entry.shown.shrink_to_fit();
            entry.visible = true;
            continue;
        }
        if (makeMissing)
            MakeKeys(entry);
        filterComplete_ = filterComplete_ && entry.keysFolded == entry.rows.size() &&
                          entry.keyStart.size() == entry.rows.size() + 1;
        const QStringView keys(entry.keys);
        // Where the key after row's begins (the end of the keys after the last folded row).
        auto endOf = [&](size_t row) {
            return row + 1 < entry.keyStart.size() ? entry.keyStart[row + 1]
                                                   : quint32(entry.keys.size());
        };
        std::vector<int> shown;
        if (narrow) {
            if (entry.visible)
                for (int row : entry.shown) {
                    const quint32 start = entry.keyStart[size_t(row)];
                    if (keys.mid(start, endOf(size_t(row)) - start - 1).contains(folded))
                        shown.push_back(row);
                }
        } else {
            // One search through all the category's keys; a hit is mapped to its row.
            qsizetype from = 0;
            while (true) {
                const qsizetype at = keys.indexOf(folded, from);
                if (at < 0)
                    break;
                const auto next =
                    std::upper_bound(entry.keyStart.begin(), entry.keyStart.end(), quint32(at));
                const int row = int(next - entry.keyStart.begin()) - 1;
                if (row < 0 || size_t(row) >= std::min(entry.rows.size(), entry.keysFolded))
                    break;
                const quint32 end = endOf(size_t(row));
                if (size_t(at + folded.size()) < end) {
                    shown.push_back(row);
                    from = end;
                } else {
                    from = at + 1;
                }
            }
        }
        entry.shown = std::move(shown);
        entry.visible = !entry.shown.empty();
        if (entry.visible)
            shownCategories_.push_back(int(c));
    }
    endResetModel();
}

size_t TStationModel::KeysFolded() const {
    size_t folded = 0;
    for (const CategoryEntry& entry : categories_)
        folded += std::min(entry.keysFolded, entry.rows.size());
    return folded;
}
