#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <optional>

class TCatalogue;

// The general-purpose query on a catalogue connection. Each use replaces the statement: Open
// runs a row-returning statement and stands on its first row, ExecSQL runs any other statement.
// Every text that comes from the user or from the catalogue goes in as a bound parameter (a "?"
// in the statement); only integers are written into statement texts, in decimal. One statement
// per call: SQLite refuses a second one. Failures throw orvik::Error with the database's text.
class TQuery {
public:
    explicit TQuery(TCatalogue& catalogue) : catalogue_(catalogue) {}

    void Open(const QString& sql, const QVariantList& params = {});
    // Returns the number of rows the statement changed.
    int ExecSQL(const QString& sql, const QVariantList& params = {});
    void Close();

    bool Active() const { return active_; }
    // True once the rows are used up (at once for a statement that returns none).
    bool Eof() const { return eof_; }
    void Next();

    // The current row. A column is found by name without regard to case.
    QVariant FieldByName(const QString& column) const;
    // The position of a column in the rows, or -1; for readers that fetch by position.
    int IndexOf(const QString& column) const;
    // The statement behind the rows; only while Active().
    const QSqlQuery& Row() const { return *query_; }

private:
    void Run(const QString& sql, const QVariantList& params, bool rows);
    [[noreturn]] void Fail(const QString& sql) const;

    TCatalogue& catalogue_;
    std::optional<QSqlQuery> query_;
    bool active_ = false;
    bool eof_ = true;
};
