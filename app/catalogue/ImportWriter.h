#pragma once

#include "app/catalogue/ImportPlan.h"
#include "app/catalogue/Playlist.h"

class TCatalogue;

namespace orvik {

struct TImportResult {
    qint64 Stations = 0;
    qint64 Categories = 0; // created
};

// Writes a planned import in one transaction: the new categories, then the stations (format
// 0, created now, not favorites). An error, a full disk or TCancelled from progress (stations
// written of all) rolls everything back, so the catalogue is exactly as it was. A catalogue
// another program holds, or one that is read-only, gives an orvik::Error saying so.
TImportResult WriteImport(TCatalogue& catalogue, const TPlaylist& playlist, const TImportPlan& plan,
                          const TProgress& progress = {});

} // namespace orvik
