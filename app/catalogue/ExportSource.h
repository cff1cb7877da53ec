#pragma once

#include "app/catalogue/Playlist.h"

class TCatalogue;

namespace orvik {

// What an export writes: one category, the favorites, given stations (the search results, in
// their order) or the whole catalogue.
struct TExportRequest {
    enum class Scope { Category, Favorites, Stations, Whole };
    Scope What = Scope::Whole;
    qint64 CategoryId = 0;
    QList<qint64> StationIds;
};

struct TExportList {
    QList<TPlaylistEntry> Entries;
    // Stations left out because their address is no stream another player could open (web
    // page stations, empty addresses).
    qint64 Skipped = 0;
};

// The stations of a request as playlist entries (group = category name), by category and
// name, read from the catalogue as it is now.
TExportList ReadExport(TCatalogue& catalogue, const TExportRequest& request);

} // namespace orvik
