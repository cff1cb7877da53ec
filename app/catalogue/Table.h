#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>

#include <optional>

class TCatalogue;

// A cursor on one catalogue table, for appending and editing rows: Append or Edit, set fields
// by column name (without regard to case), then Post, or Cancel to drop the change. The cursor
// stands on one current row: the first row by key, or with the filter on, the first row whose
// key equals the filter's value.
//
// Every value goes to the database as a bound parameter. Dates and times are written as text
// "yyyy-MM-dd HH:mm:ss", the form the catalogue keeps them in. Errors throw orvik::Error with
// the database's text; a post the database refuses is cancelled, so the cursor never stays in
// an editing state.
class TTable {
public:
    enum class State { Inactive, Browse, Insert, Edit };

    TTable(TCatalogue& catalogue, QString tableName, QString keyColumn);
    virtual ~TTable() = default;
    TTable(const TTable&) = delete;
    TTable& operator=(const TTable&) = delete;

    void Open();
    // Drops any change that was not posted.
    void Close();
    bool Active() const { return state_ != State::Inactive; }
    State GetState() const { return state_; }
    const QString& TableName() const { return table_; }

    // Start a new row or an edit of the current row. A change still pending is posted first.
    void Append();
    void Edit();
    void SetField(const QString& column, const QVariant& value);
    // The field of the row being edited, or of the current row.
    QVariant Field(const QString& column) const;
    void Post();
    void Cancel();

    // No current row (an empty table, or no row passes the filter).
    bool IsEmpty() const { return !current_.has_value(); }
    int RecordCount() const;

    // The filter keeps the rows whose key equals the value. Changing it moves the cursor.
    void SetFilterKey(qint64 key);
    void SetFiltered(bool on);
    bool Filtered() const { return filtered_; }

private:
    void CheckActive() const;
    void CheckBrowseMode();
    int ColumnIndex(const QString& column) const;
    QString Quoted(const QString& identifier) const;
    QString FilterClause(QVariantList& params) const;
    void Refresh();
    std::optional<QSqlRecord> ReadRow(const QString& where, const QVariantList& params) const;
    void PostInsert();
    void PostEdit();

    TCatalogue& catalogue_;
    QString table_;
    QString key_;
    State state_ = State::Inactive;
    QSqlRecord columns_;
    std::optional<QSqlRecord> current_;
    QSqlRecord buffer_;
    QList<bool> modified_;
    qint64 filterKey_ = 0;
    bool filtered_ = false;
};

// tblCategories: the table "categories", key c_id (given by the database on insert).
class TCategoriesTable : public TTable {
public:
    explicit TCategoriesTable(TCatalogue& catalogue);
};

// tblStations: the table "stations", key s_id (given by the database on insert).
class TStationsTable : public TTable {
public:
    explicit TStationsTable(TCatalogue& catalogue);
};
