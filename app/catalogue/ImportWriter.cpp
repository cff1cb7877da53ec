#include "app/catalogue/ImportWriter.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueErrors.h"
#include "app/catalogue/PlaylistReader.h"
#include "app/catalogue/Query.h"
#include "core/ErrorWrapper.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>

namespace orvik {

namespace {

[[noreturn]] void fail(const QSqlQuery& query) {
    const QSqlError error = query.lastError();
    if (IsCatalogueInUse(error) || IsCatalogueReadOnly(error))
        throw Error(CatalogueErrorText(error));
    const QString text = CatalogueErrorText(error);
    throw Error(text.isEmpty() ? QStringLiteral("The catalogue refused the import.")
                               : QStringLiteral("The catalogue refused the import: %1").arg(text));
}

void run(QSqlQuery& query, const QString& sql) {
    if (!query.exec(sql))
        fail(query);
}

} // namespace

TImportResult WriteImport(TCatalogue& catalogue, const TPlaylist& playlist, const TImportPlan& plan,
                          const TProgress& progress) {
    catalogue.qrySQL().Close();
    QSqlDatabase db = catalogue.Database();
    QSqlQuery query(db);
    // Immediate: the write lock is taken now, so a catalogue in use shows before any work.
    run(query, QStringLiteral("begin immediate"));
    TImportResult result;
    try {
        QList<qint64> ids;
        ids.reserve(plan.Targets.size());
        QSqlQuery category(db);
        if (!category.prepare(QStringLiteral("insert into categories (c_name) values (?)")))
            fail(category);
        for (const auto& t : plan.Targets) {
            qint64 id = t.Id;
            if (id == 0) {
                category.bindValue(0, t.Name);
                if (!category.exec())
                    fail(category);
                id = category.lastInsertId().toLongLong();
                ++result.Categories;
            }
            ids.append(id);
        }

        QSqlQuery station(db);
        if (!station.prepare(QStringLiteral(
                "insert into stations (c_id, s_name, s_url, s_website, s_comment, s_bitrate, "
                "s_format, s_language, s_created, s_favorite) values (?, ?, ?, ?, ?, ?, 0, ?, ?, "
                "0)")))
            fail(station);
        const QString created =
            QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        // Empty texts are stored as the empty text, never as NULL.
        auto text = [](const QString& s) { return s.isNull() ? QStringLiteral("") : s; };
        const qint64 total = plan.Rows.size();
        for (qint64 i = 0; i < total; ++i) {
            if (progress && i % 1024 == 0 && !progress(i, total))
                throw TCancelled();
            const auto& row = plan.Rows[i];
            const TPlaylistEntry& e = playlist.Entries[row.Entry];
            station.bindValue(0, ids[row.Target]);
            station.bindValue(1, text(e.Name));
            station.bindValue(2, text(e.Url));
            station.bindValue(3, text(e.Website));
            station.bindValue(4, text(e.Comment));
            station.bindValue(5, text(e.Bitrate));
            station.bindValue(6, text(e.Language));
            station.bindValue(7, created);
            if (!station.exec())
                fail(station);
            ++result.Stations;
        }
        if (progress && !progress(total, total))
            throw TCancelled();
        run(query, QStringLiteral("commit"));
    } catch (...) {
        query.exec(QStringLiteral("rollback"));
        throw;
    }
    return result;
}

} // namespace orvik
