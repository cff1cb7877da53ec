#pragma once

#include "app/catalogue/StationOrder.h"
#include "app/catalogue/StationRow.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

class TCatalogue;
struct sqlite3;
struct sqlite3_stmt;

// The station rows of a catalogue load, in name order or as stored, read straight from SQLite on
// the catalogue's own connection: going through QSqlQuery turns every value into a QVariant (and
// every text into UTF-16 and back), which made reading most of a large load.
//
// The values read exactly as TStationReader::ReadRow reads them from a QSqlQuery over the same
// statement: the common cases (integers, NULL, valid UTF-8 texts, "yyyy-MM-dd" dates) are read
// in place, every other value is made into the QVariant the Qt driver would give and read by
// the same rules. A failing statement throws orvik::Error with the text TQuery gives (and, in
// name order, the warning TQuery logs).
class TStationCursor {
public:
    enum Order { ByName, AsStored };
    // Prepares the statement and stands before the first row.
    TStationCursor(TCatalogue& catalogue, Order order);
    ~TStationCursor();
    TStationCursor(const TStationCursor&) = delete;
    TStationCursor& operator=(const TStationCursor&) = delete;

    // Steps to the next row; false once the rows are used up.
    bool Next();
    // The current row as the station tree keeps it, its texts appended to texts (UTF-8), with
    // the station's category id (none when it is no exact id).
    // With key, also the sort key of the name (row: the row's place in the read), whose bytes
    // are added to raw when the texts do not keep them as they are.
    TStationRow ReadRow(QByteArray& texts, std::optional<qint64>& categoryId,
                        TNameKey* key = nullptr, quint32 row = 0, QByteArray* raw = nullptr) const;
    // Whether the catalogue keeps its texts in UTF-8: only then do texts compare in SQLite's
    // sort as their UTF-8 bytes do.
    bool Utf8() const;
    // About how many stations there are, from the highest row id (none for a view), for
    // making room ahead: a guess that costs no pass over the rows.
    size_t ExpectedRows() const;
    // As stored only: the row's language, identity telling one from another as DISTINCT
    // does; with key its sort key (its bytes in raw, index its place in the list), with text
    // the text TQuery would give for it.
    void ReadLanguage(std::string& identity, TNameKey* key = nullptr, quint32 index = 0,
                      QByteArray* raw = nullptr, QString* text = nullptr) const;

private:
    [[noreturn]] void Fail(int code) const;
    // The sort key of a column; a text goes into raw unless textOffset gives where the texts
    // keep it (valid UTF-8 is kept as it is).
    TNameKey KeyOf(int column, const quint64* textOffset, quint32 row, QByteArray& raw) const;

    sqlite3* db_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
    Order order_;
};
