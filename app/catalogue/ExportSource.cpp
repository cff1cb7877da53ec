#include "app/catalogue/ExportSource.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StreamAddress.h"

#include <QHash>

namespace orvik {

namespace {

const QString select = QStringLiteral(
    "select s.s_id, s.s_name, s.s_url, s.s_website, s.s_comment, s.s_bitrate, s.s_language, "
    "c.c_name from stations s left join categories c on c.c_id = s.c_id");
const QString order = QStringLiteral(" order by c.c_name, s.s_name, s.s_id");

// Reads the rows of a statement; ids receives the station id of each entry when asked.
void readRows(TQuery& query, TExportList& out, QList<qint64>* ids) {
    for (; !query.Eof(); query.Next()) {
        const QSqlQuery& row = query.Row();
        TPlaylistEntry e;
        e.Url = row.value(2).toString().trimmed();
        if (!IsStreamAddress(e.Url)) {
            ++out.Skipped;
            continue;
        }
        e.Name = row.value(1).toString();
        e.Website = row.value(3).toString();
        e.Comment = row.value(4).toString();
        e.Bitrate = row.value(5).toString();
        e.Language = row.value(6).toString();
        e.Group = row.value(7).toString();
        out.Entries.append(std::move(e));
        if (ids)
            ids->append(row.value(0).toLongLong());
    }
    query.Close();
}

} // namespace

TExportList ReadExport(TCatalogue& catalogue, const TExportRequest& request) {
    TExportList out;
    TQuery& query = catalogue.qrySQL();
    using Scope = TExportRequest::Scope;
    switch (request.What) {
    case Scope::Whole:
        query.Open(select + order);
        readRows(query, out, nullptr);
        break;
    case Scope::Category:
        query.Open(select + QStringLiteral(" where s.c_id = %1").arg(request.CategoryId) + order);
        readRows(query, out, nullptr);
        break;
    case Scope::Favorites:
        query.Open(select + QStringLiteral(" where s.s_favorite = true") + order);
        readRows(query, out, nullptr);
        break;
    case Scope::Stations: {
        // In the order given, read a slice of ids at a time.
        TExportList found;
        QList<qint64> foundIds;
        for (qsizetype start = 0; start < request.StationIds.size(); start += 500) {
            QStringList slice;
            for (qint64 id : request.StationIds.mid(start, 500))
                slice << QString::number(id);
            query.Open(select + QStringLiteral(" where s.s_id in (%1)").arg(slice.join(u',')));
            readRows(query, found, &foundIds);
        }
        QHash<qint64, qsizetype> at;
        for (qsizetype i = 0; i < foundIds.size(); ++i)
            at.insert(foundIds[i], i);
        out.Skipped = found.Skipped;
        for (qint64 id : request.StationIds) {
            const auto it = at.constFind(id);
            if (it != at.constEnd())
                out.Entries.append(found.Entries[*it]);
        }
        break;
    }
    }
    return out;
}

} // namespace orvik
