#pragma once

#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <memory>

class TQuery;
class TCategoriesTable;
class TStationsTable;

// The connection to the catalogue database data.db in the program folder, with the two table
// cursors and the general-purpose query that run on it. Every instance has a connection of its
// own, so several catalogues can be open side by side.
//
// Queries and tables made on a catalogue must not outlive it.
class TCatalogue {
public:
    TCatalogue();
    ~TCatalogue();
    TCatalogue(const TCatalogue&) = delete;
    TCatalogue& operator=(const TCatalogue&) = delete;

    // Closes the catalogue if it is open, then opens data.db in programFolder and activates
    // tblCategories and tblStations. The file is opened read-write and is never created: a
    // missing file, one SQLite cannot open, one another program holds locked, or one that
    // lacks the catalogue tables throws orvik::Error (carrying SQLite's own text where there
    // is one) and leaves it closed. Nothing waits for a lock: a locked catalogue fails at once.
    // A file that can only be read opens read-only (see ReadOnly()).
    void Open(const QString& programFolder);
    // The same for a catalogue file of any name (the program's is orvik::cataloguePath()).
    void OpenFile(const QString& path);

    // Deactivates tblCategories, then tblStations, then closes the connection.
    void Close();

    bool Connected() const;
    // The catalogue file cannot be written: it opened for reading only.
    bool ReadOnly() const { return readOnly_; }
    // Throws orvik::Error with CatalogueReadOnlyText() when the catalogue is read-only: every
    // command that changes the catalogue asks first, so that none fails halfway.
    void CheckWritable() const;
    // What to add to the message that another program holds the catalogue (for example, that
    // Orvik itself is running already); asked only when that happens.
    void SetInUseHint(std::function<QString()> hint) { inUseHint_ = std::move(hint); }
    QString DatabasePath() const { return path_; }

    // The connection itself; throws orvik::Error when the catalogue is not open.
    QSqlDatabase Database() const;

    TCategoriesTable& tblCategories() { return *categories_; }
    TStationsTable& tblStations() { return *stations_; }
    TQuery& qrySQL() { return *query_; }

private:
    void CheckTables();
    void CheckWriteAccess();
    QString InUseText() const;

    QString connection_;
    QString path_;
    bool readOnly_ = false;
    std::function<QString()> inUseHint_;
    std::unique_ptr<TCategoriesTable> categories_;
    std::unique_ptr<TStationsTable> stations_;
    std::unique_ptr<TQuery> query_;
};
