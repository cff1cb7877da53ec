#pragma once

#include "app/catalogue/Item.h"
#include "app/catalogue/StationRow.h"

#include <QHash>
#include <QSqlQuery>
#include <QString>

#include <optional>

class QSqlRecord;

// Builds station records from the rows of a statement over the stations table. The columns are
// looked up once, by name and without regard to case, from the statement's first record; a
// column that is missing makes every read throw orvik::Error naming it.
//
// NULL texts read as empty, NULL integers as 0, a NULL flag as false; dates are formatted as
// FormatCatalogueDate does, with the system's date separator taken when the reader is made.
//
// A reader serves one pass over the rows. Records of the same pass share one text per date and
// per bitrate value: a large catalogue has many stations per day and few bitrates, and fewer
// separate texts make building and releasing the records cheaper.
class TStationReader {
public:
    explicit TStationReader(const QSqlRecord& columns);

    // Id, CategoryId, Name, Bitrate, Website, Url, Comment, Created, Played and Favorite from
    // the current row. CategoryName is left empty: only the loader knows the node's parent.
    TItemPtr Read(const QSqlQuery& row) const;
    // s_format of the current row: the image index of the station's icon.
    int Format(const QSqlQuery& row) const;
    // The current row as the station tree keeps it, its texts appended to texts (UTF-8), with
    // the station's category id (none when it is no exact id). Dates are kept as days, the
    // icon as its index (255 for one past the tree's images).
    TStationRow ReadRow(const QSqlQuery& row, QByteArray& texts,
                        std::optional<qint64>& categoryId) const;

private:
    enum Column {
        SId,
        CId,
        Name,
        Bitrate,
        Website,
        Url,
        Comment,
        Created,
        Played,
        Favorite,
        FormatColumn,
        ColumnCount
    };
    int Index(Column column) const;
    QString SharedDay(const QVariant& value) const;
    QString SharedBitrate(const QVariant& value) const;

    int indexes_[ColumnCount];
    QString separator_;
    mutable QHash<int, QString> days_;
    mutable QHash<QString, QString> bitrates_;
};

// A 32-bit integer from a catalogue value: NULL, a text that is no number, or a value out of
// range reads as 0.
qint32 CatalogueInt(const QVariant& value);

// A flag from a catalogue value: NULL is false, a text is true when it is a number other
// than 0 or reads "true" (in any case), any other value as QVariant::toBool gives it.
bool CatalogueFlag(const QVariant& value);

// A row id from a catalogue value, only when the value is exactly that integer: an integer,
// a whole real within 2^53, or a text that reads back as written. NULL, other texts,
// fractions and values past 64 bits give no id.
std::optional<qint64> CatalogueId(const QVariant& value);
