#include "app/catalogue/Catalogue.h"

#include "app/catalogue/CatalogueErrors.h"
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

// Never wait for another program's lock: the catalogue is used on the GUI thread.
const QString connectOptions = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0");

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
    db.setConnectOptions(connectOptions);
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    if (!db.open()) {
        const QString text = sqliteText(db.lastError());
        db.close();
        throw orvik::Error(QStringLiteral("Cannot open the catalogue %1: %2")
                               .arg(QDir::toNativeSeparators(path_), text));
    }
    try {
        CheckTables();
        CheckWriteAccess();
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
        if (orvik::IsCatalogueInUse(query.lastError()))
            throw orvik::Error(InUseText());
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

void TCatalogue::CheckWriteAccess() {
    // SQLite opens a file it may not write read-only without a word, and even lets a write
    // transaction begin. Write the header's user version back unchanged inside a transaction
    // that is then rolled back: a catalogue that cannot take changes (a file or folder that
    // cannot be written) refuses that.
    readOnly_ = false;
    QSqlQuery query(QSqlDatabase::database(connection_, false));
    if (!query.exec(QStringLiteral("begin immediate")))
        return; // busy: another program is writing just now; a change says so then
    if (query.exec(QStringLiteral("pragma user_version")) && query.next()) {
        const qint64 version = query.value(0).toLongLong();
        query.finish();
        if (!query.exec(QStringLiteral("pragma user_version = %1").arg(version)) &&
            !orvik::IsCatalogueInUse(query.lastError()))
            readOnly_ = true;
    }
    query.exec(QStringLiteral("rollback"));
}

QString TCatalogue::InUseText() const {
    QString text = QStringLiteral("The catalogue %1 is in use by another program.")
                       .arg(QDir::toNativeSeparators(path_));
    if (inUseHint_)
        if (const QString hint = inUseHint_(); !hint.isEmpty())
            text += u' ' + hint;
    return text;
}

void TCatalogue::CheckWritable() const {
    if (readOnly_)
        throw orvik::Error(orvik::CatalogueReadOnlyText());
}

void TCatalogue::Close() {
    categories_->Close();
    stations_->Close();
    query_->Close();
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (db.isValid())
        db.close();
    readOnly_ = false;
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
