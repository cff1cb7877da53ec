#include "app/catalogue/Table.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueErrors.h"
#include "core/ErrorWrapper.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>

namespace {

QString errorText(const QSqlError& error) {
    return orvik::CatalogueErrorText(error);
}

// Dates go in as the catalogue's own text form, so that every row reads back alike.
QVariant storedValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return value;
    }
}

} // namespace

TTable::TTable(TCatalogue& catalogue, QString tableName, QString keyColumn)
    : catalogue_(catalogue), table_(std::move(tableName)), key_(std::move(keyColumn)) {}

TCategoriesTable::TCategoriesTable(TCatalogue& catalogue)
    : TTable(catalogue, QStringLiteral("categories"), QStringLiteral("c_id")) {}

TStationsTable::TStationsTable(TCatalogue& catalogue)
    : TTable(catalogue, QStringLiteral("stations"), QStringLiteral("s_id")) {}

void TTable::Open() {
    Close();
    const QSqlDatabase db = catalogue_.Database();
    QSqlRecord columns = db.record(table_);
    if (columns.isEmpty())
        throw orvik::Error(QStringLiteral("The catalogue has no table \"%1\".").arg(table_));
    if (columns.indexOf(key_) < 0)
        throw orvik::Error(
            QStringLiteral("The table \"%1\" has no column \"%2\".").arg(table_, key_));
    columns_ = columns;
    state_ = State::Browse;
    try {
        Refresh();
    } catch (...) {
        Close();
        throw;
    }
}

void TTable::Close() {
    state_ = State::Inactive;
    current_.reset();
    buffer_.clear();
    modified_.clear();
}

void TTable::CheckActive() const {
    if (state_ == State::Inactive)
        throw orvik::Error(QStringLiteral("The table \"%1\" is not open.").arg(table_));
}

void TTable::CheckBrowseMode() {
    CheckActive();
    if (state_ == State::Insert || state_ == State::Edit)
        Post();
}

int TTable::ColumnIndex(const QString& column) const {
    const int index = columns_.indexOf(column);
    if (index < 0 || column.contains(u'.'))
        throw orvik::Error(
            QStringLiteral("The table \"%1\" has no column \"%2\".").arg(table_, column));
    return index;
}

QString TTable::Quoted(const QString& identifier) const {
    return catalogue_.Database().driver()->escapeIdentifier(identifier, QSqlDriver::FieldName);
}

QString TTable::FilterClause(QVariantList& params) const {
    if (!filtered_)
        return {};
    params << filterKey_;
    return QStringLiteral(" where %1 = ?").arg(Quoted(columns_.fieldName(ColumnIndex(key_))));
}

std::optional<QSqlRecord> TTable::ReadRow(const QString& where, const QVariantList& params) const {
    QSqlQuery query(catalogue_.Database());
    query.setForwardOnly(true);
    const QString key = Quoted(columns_.fieldName(ColumnIndex(key_)));
    const QString sql =
        QStringLiteral("select * from %1%2 order by %3 limit 1").arg(Quoted(table_), where, key);
    if (!query.prepare(sql))
        throw orvik::Error(errorText(query.lastError()));
    for (const QVariant& value : params)
        query.addBindValue(value);
    if (!query.exec())
        throw orvik::Error(errorText(query.lastError()));
    if (!query.next()) {
        if (query.lastError().isValid())
            throw orvik::Error(errorText(query.lastError()));
        return std::nullopt;
    }
    return query.record();
}

void TTable::Refresh() {
    QVariantList params;
    const QString where = FilterClause(params);
    current_ = ReadRow(where, params);
}

int TTable::RecordCount() const {
    CheckActive();
    QVariantList params;
    QSqlQuery query(catalogue_.Database());
    if (!query.prepare(
            QStringLiteral("select count(*) from %1%2").arg(Quoted(table_), FilterClause(params))))
        throw orvik::Error(errorText(query.lastError()));
    for (const QVariant& value : params)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        throw orvik::Error(errorText(query.lastError()));
    return query.value(0).toInt();
}

void TTable::SetFilterKey(qint64 key) {
    if (state_ == State::Insert || state_ == State::Edit)
        Cancel();
    filterKey_ = key;
    if (filtered_ && Active())
        Refresh();
}

void TTable::SetFiltered(bool on) {
    if (state_ == State::Insert || state_ == State::Edit)
        Cancel();
    filtered_ = on;
    if (Active())
        Refresh();
}

void TTable::Append() {
    CheckBrowseMode();
    buffer_ = columns_;
    buffer_.clearValues();
    modified_ = QList<bool>(columns_.count(), false);
    state_ = State::Insert;
}

void TTable::Edit() {
    CheckBrowseMode();
    if (!current_)
        throw orvik::Error(
            QStringLiteral("The table \"%1\" has no current row to edit.").arg(table_));
    buffer_ = *current_;
    modified_ = QList<bool>(buffer_.count(), false);
    state_ = State::Edit;
}

void TTable::SetField(const QString& column, const QVariant& value) {
    if (state_ != State::Insert && state_ != State::Edit)
        throw orvik::Error(
            QStringLiteral("The table \"%1\" is not being edited: append or edit first.")
                .arg(table_));
    const int index = ColumnIndex(column);
    buffer_.setValue(index, storedValue(value));
    modified_[index] = true;
}

QVariant TTable::Field(const QString& column) const {
    CheckActive();
    const int index = ColumnIndex(column);
    if (state_ == State::Insert || state_ == State::Edit)
        return buffer_.value(index);
    if (!current_)
        throw orvik::Error(QStringLiteral("The table \"%1\" has no current row.").arg(table_));
    return current_->value(index);
}

void TTable::Cancel() {
    if (state_ == State::Insert || state_ == State::Edit)
        state_ = State::Browse;
    buffer_.clear();
    modified_.clear();
}

void TTable::Post() {
    CheckActive();
    if (state_ == State::Browse)
        return;
    try {
        if (state_ == State::Insert)
            PostInsert();
        else
            PostEdit();
    } catch (...) {
        Cancel();
        throw;
    }
    Cancel(); // back to browsing; the change is stored
}

void TTable::PostInsert() {
    QStringList names, marks;
    QVariantList values;
    for (int i = 0; i < buffer_.count(); ++i) {
        if (!modified_[i])
            continue;
        names << Quoted(buffer_.fieldName(i));
        marks << QStringLiteral("?");
        values << buffer_.value(i);
    }
    const QString sql = names.isEmpty()
                            ? QStringLiteral("insert into %1 default values").arg(Quoted(table_))
                            : QStringLiteral("insert into %1 (%2) values (%3)")
                                  .arg(Quoted(table_), names.join(QStringLiteral(", ")),
                                       marks.join(QStringLiteral(", ")));
    QSqlQuery query(catalogue_.Database());
    if (!query.prepare(sql))
        throw orvik::Error(errorText(query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw orvik::Error(errorText(query.lastError()));

    // The new row becomes the current one, with the key the database gave it.
    const int key = ColumnIndex(key_);
    const QVariant newKey = modified_[key] ? buffer_.value(key) : query.lastInsertId();
    query.finish();
    current_ =
        ReadRow(QStringLiteral(" where %1 = ?").arg(Quoted(buffer_.fieldName(key))), {newKey});
}

void TTable::PostEdit() {
    QStringList assignments;
    QVariantList values;
    for (int i = 0; i < buffer_.count(); ++i) {
        if (!modified_[i])
            continue;
        assignments << Quoted(buffer_.fieldName(i)) + QStringLiteral(" = ?");
        values << buffer_.value(i);
    }
    if (assignments.isEmpty())
        return;
    const int key = ColumnIndex(key_);
    const QString keyName = Quoted(buffer_.fieldName(key));
    values << current_->value(key);
    QSqlQuery query(catalogue_.Database());
    if (!query.prepare(QStringLiteral("update %1 set %2 where %3 = ?")
                           .arg(Quoted(table_), assignments.join(QStringLiteral(", ")), keyName)))
        throw orvik::Error(errorText(query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw orvik::Error(errorText(query.lastError()));
    if (query.numRowsAffected() < 1)
        throw orvik::Error(
            QStringLiteral("The row to update is no longer in the table \"%1\".").arg(table_));
    query.finish();
    current_ = ReadRow(QStringLiteral(" where %1 = ?").arg(keyName), {buffer_.value(key)});
}
