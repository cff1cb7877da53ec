#pragma once

#include "app/catalogue/Playlist.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

class TCatalogue;

namespace orvik {

// Where the stations of an import go: all into one category (one of the catalogue's, or a new
// one of that name), or each into a category named after its group, created as needed; entries
// without a group then go to the one category named here.
struct TImportChoice {
    bool ByGroup = false;
    QString Category;
};

// What an import would do, worked out before anything is written.
struct TImportPlan {
    struct Target {
        qint64 Id = 0; // 0: a category the import creates
        QString Name;
    };
    struct Row {
        qsizetype Entry;  // in the playlist
        qsizetype Target; // in Targets
    };

    qint64 Entries = 0;    // all the file names: New + Duplicates + Unreadable + Refused
    qint64 New = 0;        // to be added
    qint64 Duplicates = 0; // same address in the same category: in the catalogue or the file
    qint64 Unreadable = 0;
    qint64 Refused = 0;
    bool Truncated = false;
    qint64 Groups = 0; // distinct groups in the file
    QList<Target> Targets;
    QList<Row> Rows;

    QStringList NewCategories() const;
    // The counts as lines of text, for the dialog's summary and the command-line tool.
    QStringList Summary() const;
};

// Plans imports into one catalogue. Category names are matched as the catalogue spells them,
// without regard to case or surrounding white space; the addresses of a category are read from
// the catalogue the first time a plan needs them.
class TImportPlanner {
public:
    explicit TImportPlanner(TCatalogue& catalogue);

    // Throws orvik::Error when the choice names no category where one is needed.
    TImportPlan Plan(const TPlaylist& playlist, const TImportChoice& choice);

    // The catalogue's category names, by name.
    QStringList CategoryNames() const;

private:
    const QSet<QString>& Addresses(qint64 categoryId);

    TCatalogue& catalogue_;
    QList<TImportPlan::Target> categories_;
    QHash<QString, qsizetype> byKey_;
    QHash<qint64, QSet<QString>> addresses_;
};

// The key two category names share when the import takes them for one category.
QString CategoryKey(const QString& name);

} // namespace orvik
