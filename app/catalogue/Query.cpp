#include "app/catalogue/Query.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueErrors.h"
#include "core/ErrorWrapper.h"

#include <QSqlError>
#include <QSqlRecord>

namespace {

QString errorText(const QSqlError& error) {
    return orvik::CatalogueErrorText(error);
}

} // namespace

void TQuery::Open(const QString& sql, const QVariantList& params) {
    Run(sql, params, true);
}

int TQuery::ExecSQL(const QString& sql, const QVariantList& params) {
    Run(sql, params, false);
    const int changed = query_->numRowsAffected();
    Close();
    return changed;
}

void TQuery::Run(const QString& sql, const QVariantList& params, bool rows) {
    Close();
    query_.emplace(catalogue_.Database());
    query_->setForwardOnly(true);
    if (!query_->prepare(sql))
        Fail(sql);
    for (const QVariant& value : params)
        query_->addBindValue(value);
    if (!query_->exec())
        Fail(sql);
    if (rows) {
        active_ = true;
        eof_ = false;
        Next();
    }
}

void TQuery::Next() {
    if (eof_)
        return;
    if (query_->next())
        return;
    eof_ = true;
    // next() also answers false when stepping to the next row failed: that is no end of data.
    if (query_->lastError().isValid())
        Fail(query_->lastQuery());
}

void TQuery::Close() {
    query_.reset();
    active_ = false;
    eof_ = true;
}

void TQuery::Fail(const QString& sql) const {
    const QString text = query_ ? errorText(query_->lastError()) : QString();
    qWarning("Catalogue statement failed: %s [%s]", qPrintable(text), qPrintable(sql));
    throw orvik::Error(text.isEmpty() ? QStringLiteral("The catalogue statement failed.") : text);
}

int TQuery::IndexOf(const QString& column) const {
    return query_ ? query_->record().indexOf(column) : -1;
}

QVariant TQuery::FieldByName(const QString& column) const {
    if (!active_ || eof_)
        throw orvik::Error(
            QStringLiteral("There is no current row to read \"%1\" from.").arg(column));
    const int index = IndexOf(column);
    if (index < 0)
        throw orvik::Error(QStringLiteral("The result has no column \"%1\".").arg(column));
    return query_->value(index);
}
