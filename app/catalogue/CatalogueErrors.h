#pragma once

#include <QString>

class QSqlError;

// The text a failed catalogue statement is reported with: the database's own text, except for
// the two failures a user can do something about, which say so in plain words.
namespace orvik {

// Another program holds the catalogue, or part of it, locked.
QString CatalogueInUseText();
// The catalogue file cannot be written.
QString CatalogueReadOnlyText();

QString CatalogueErrorText(const QSqlError& error);
// Whether the error is SQLite's "busy" or "locked".
bool IsCatalogueInUse(const QSqlError& error);
bool IsCatalogueReadOnly(const QSqlError& error);

} // namespace orvik
