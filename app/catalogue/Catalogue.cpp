#include "app/catalogue/Catalogue.h"

#include "app/catalogue/Query.h"
#include "app/catalogue/Table.h"
#include "core/ErrorWrapper.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <atomic>

namespace {

std::atomic<int> connectionCounter{0};

QString sqliteText(const QSqlError& error) {
    const QString text = error.databaseText().trimmed();
    return text.isEmpty() ? error.text().trimmed() : text;
}

} // namespace

TCatalogue::TCatalogue()
    : connection_(QStringLiteral("orvik-catalogue-%1").arg(++connectionCounter)),
      categories_(std::make_unique<TCategoriesTable>(*this)),
      stations_(std::make_unique<TStationsTable>(*this)), query_(std::make_unique<TQuery>(*this)) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
}

TCatalogue::~TCatalogue() {
    Close();
    // Everything that ran on the connection is gone before the connection itself goes.
    query_.reset();
    stations_.reset();
    categories_.reset();
    QSqlDatabase::removeDatabase(connection_);
}

void TCatalogue::Open(const QString& programFolder) {
    OpenFile(QDir(programFolder).filePath(QStringLiteral("data.db")));
}

void TCatalogue::OpenFile(const QString& path) {
    Close();
    path_ = path;

    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isValid())
        throw orvik::Error(QStringLiteral("The SQLite database driver is not available."));
    // A URI with mode=rw: SQLite opens an existing file only and never creates one.
    QUrl uri = QUrl::fromLocalFile(path_);
    uri.setQuery(QStringLiteral("mode=rw"));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    if (!db.open()) {
        const QString text = sqliteText(db.lastError());
        db.close();
        throw orvik::Error(QStringLiteral("Cannot open the catalogue %1: %2")
                               .arg(QDir::toNativeSeparators(path_), text));
    }
    try {
        CheckTables();
        categories_->Open();
        stations_->Open();
    } catch (...) {
        Close();
        throw;
    }
}

void TCatalogue::CheckTables() {
    // SQLite reads the file lazily: this is where a file that is no database is found out.
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(
            QStringLiteral("select name from sqlite_master where type in ('table', 'view')"))) {
        throw orvik::Error(
            QStringLiteral("Cannot read the catalogue %1: %2")
                .arg(QDir::toNativeSeparators(path_), sqliteText(query.lastError())));
    }
    QStringList found;
    while (query.next())
        found << query.value(0).toString().toLower();
    for (const char* table : {"categories", "real_categories", "stations"}) {
        if (!found.contains(QLatin1String(table))) {
            throw orvik::Error(QStringLiteral("The catalogue %1 has no table \"%2\".")
                                   .arg(QDir::toNativeSeparators(path_), QLatin1String(table)));
        }
    }
}

void TCatalogue::Close() {
    categories_->Close();
    stations_->Close();
    query_->Close();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isValid())
        db.close();
}

bool TCatalogue::Connected() const {
    return QSqlDatabase::database(connection_, false).isOpen();
}

QSqlDatabase TCatalogue::Database() const {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.isOpen())
        throw orvik::Error(QStringLiteral("The catalogue is not open."));
    return db;
}
