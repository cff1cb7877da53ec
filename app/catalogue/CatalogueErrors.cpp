#include "app/catalogue/CatalogueErrors.h"

#include <QSqlError>

namespace orvik {
namespace {

// SQLite's primary result codes, the low byte of the extended ones.
constexpr int SqliteBusy = 5;
constexpr int SqliteLocked = 6;
constexpr int SqliteReadOnly = 8;

int primaryCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xFF : -1;
}

} // namespace

QString CatalogueInUseText() {
    return QStringLiteral("The catalogue is in use by another program, so it cannot be read or "
                          "changed now. Close that program and try again.");
}

QString CatalogueReadOnlyText() {
    return QStringLiteral("The catalogue is read-only: changes cannot be saved.");
}

bool IsCatalogueInUse(const QSqlError& error) {
    const int code = primaryCode(error);
    return code == SqliteBusy || code == SqliteLocked;
}

bool IsCatalogueReadOnly(const QSqlError& error) {
    return primaryCode(error) == SqliteReadOnly;
}

QString CatalogueErrorText(const QSqlError& error) {
    if (IsCatalogueInUse(error))
        return CatalogueInUseText();
    if (IsCatalogueReadOnly(error))
        return CatalogueReadOnlyText();
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

} // namespace orvik
