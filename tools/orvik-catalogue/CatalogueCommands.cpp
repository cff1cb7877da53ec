#include "tools/orvik-catalogue/CatalogueCommands.h"

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/ExportSource.h"
#include "app/catalogue/ImportPlan.h"
#include "app/catalogue/ImportWriter.h"
#include "app/catalogue/PlaylistReader.h"
#include "app/catalogue/PlaylistWriter.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationReader.h"
#include "core/ErrorWrapper.h"
#include "core/ProgramFiles.h"

#include <QFileInfo>

using namespace orvik;

namespace {

struct Options {
    QString file;
    QString category;
    QString db;
    bool byGroup = false;
    bool favorites = false;
};

// FILE and the options a subcommand allows; anything else is a usage error.
Options parse(const QStringList& args, bool needsFile, const QStringList& flags) {
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw CatalogueUsageError();
            return args[++i];
        };
        if (a == u"--db" && flags.contains(a))
            o.db = value();
        else if (a == u"--category" && flags.contains(a))
            o.category = value();
        else if (a == u"--by-group" && flags.contains(a))
            o.byGroup = true;
        else if (a == u"--favorites" && flags.contains(a))
            o.favorites = true;
        else if (!a.startsWith(u"--") && needsFile && o.file.isEmpty())
            o.file = a;
        else
            throw CatalogueUsageError();
    }
    if (needsFile && o.file.isEmpty())
        throw CatalogueUsageError();
    return o;
}

// The catalogue named by --db, else the one the program opens.
void open(TCatalogue& catalogue, const Options& o) {
    if (!o.db.isEmpty()) {
        catalogue.OpenFile(o.db);
        return;
    }
    // An installed program's user who has not started it yet gets the shipped catalogue.
    prepareCatalogue();
    catalogue.OpenFile(cataloguePath());
}

qint64 count(TCatalogue& catalogue, const QString& sql) {
    TQuery& query = catalogue.qrySQL();
    query.Open(sql);
    const qint64 n = query.Row().value(0).toLongLong();
    query.Close();
    return n;
}

} // namespace

int importCommand(const QStringList& args, QTextStream& out) {
    const Options o = parse(args, true, {"--category", "--by-group", "--db"});
    const TPlaylist playlist = ReadPlaylistFile(o.file);
    TCatalogue catalogue;
    open(catalogue, o);
    TImportPlanner planner(catalogue);
    // Without a choice: one category per group when the file has groups; stations without a
    // group (or all of them) go to a category named after the file.
    TImportChoice choice;
    choice.ByGroup = o.byGroup;
    choice.Category = o.category.isEmpty() ? QFileInfo(o.file).completeBaseName() : o.category;
    if (!o.byGroup && o.category.isEmpty())
        choice.ByGroup = planner.Plan(playlist, choice).Groups > 0;
    const TImportPlan plan = planner.Plan(playlist, choice);
    for (const QString& line : plan.Summary())
        out << line << "\n";
    const TImportResult result = WriteImport(catalogue, playlist, plan);
    out << "Imported " << result.Stations << " stations, " << result.Categories
        << " new categories.\n";
    return 0;
}

int exportCommand(const QStringList& args, QTextStream& out) {
    const Options o = parse(args, true, {"--category", "--favorites", "--db"});
    if (!o.category.isEmpty() && o.favorites)
        throw CatalogueUsageError();
    if (!WritableFormat(o.file))
        throw Error(QStringLiteral("Cannot tell the format of %1: playlists are written as "
                                   ".m3u, .m3u8, .pls or .xspf files.")
                        .arg(o.file));
    TCatalogue catalogue;
    open(catalogue, o);
    TExportRequest request;
    if (o.favorites) {
        request.What = TExportRequest::Scope::Favorites;
    } else if (!o.category.isEmpty()) {
        request.What = TExportRequest::Scope::Category;
        TQuery& query = catalogue.qrySQL();
        query.Open(QStringLiteral("select c_id, c_name from categories order by c_name, c_id"));
        bool found = false;
        for (; !query.Eof() && !found; query.Next()) {
            const std::optional<qint64> id = CatalogueId(query.Row().value(0));
            if (id && CategoryKey(query.Row().value(1).toString()) == CategoryKey(o.category)) {
                request.CategoryId = *id;
                found = true;
            }
        }
        query.Close();
        if (!found)
            throw Error(QStringLiteral("The catalogue has no category \"%1\".").arg(o.category));
    }
    const TExportList list = ReadExport(catalogue, request);
    WritePlaylistFile(o.file, list.Entries);
    out << "Exported " << list.Entries.size() << " stations to " << o.file << ".\n";
    if (list.Skipped > 0)
        out << list.Skipped << " stations without a stream address were left out.\n";
    return 0;
}

int statsCommand(const QStringList& args, QTextStream& out) {
    const Options o = parse(args, false, {"--db"});
    TCatalogue catalogue;
    open(catalogue, o);
    out << "Stations: " << count(catalogue, QStringLiteral("select count(*) from stations"))
        << "\n";
    out << "Categories: " << count(catalogue, QStringLiteral("select count(*) from categories"))
        << "\n";
    out << "Favorites: "
        << count(catalogue, QStringLiteral("select count(*) from stations where s_favorite = true"))
        << "\n";
    return 0;
}
