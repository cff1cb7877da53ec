// Import into a catalogue: the planner's counts, duplicates and categories per group, the one
// transaction (Cancel, a failing insert, a full disk), export back, and orvik-catalogue.

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/ExportSource.h"
#include "app/catalogue/ImportPlan.h"
#include "app/catalogue/ImportWriter.h"
#include "app/catalogue/PlaylistReader.h"
#include "app/catalogue/PlaylistWriter.h"
#include "app/catalogue/Query.h"
#include "core/ErrorWrapper.h"
#include "tests/common/CatalogueFixture.h"

#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

using namespace orvik;

namespace {

const QString fixtures = QStringLiteral(ORVIK_SOURCE_DIR "/tests/fixtures/playlists/");
const QString tool = QStringLiteral(ORVIK_BUILD_DIR "/orvik-catalogue");

TPlaylistEntry entry(const QString& name, const QString& url, const QString& group = {}) {
    TPlaylistEntry e;
    e.Name = name;
    e.Url = url;
    e.Group = group;
    return e;
}

// Everything a catalogue holds, as text, to tell that nothing changed.
QStringList dump(CatalogueFolder& folder) {
    return folder.strings("select c_id || '|' || ifnull(c_name, '') from categories order by 1") +
           folder.strings("select s_id || '|' || c_id || '|' || ifnull(s_name, '') || '|' || "
                          "ifnull(s_url, '') from stations order by s_id");
}

struct ToolRun {
    int code = -1;
    QString out, err;
};

ToolRun runTool(const QStringList& args) {
    QProcess p;
    p.start(tool, args);
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void countsDuplicatesAndGroups() {
        CatalogueFolder folder;
        QVERIFY2(folder.error().isEmpty(), qPrintable(folder.error()));
        // One station of the sample catalogue, to be met again in its own category.
        const QString url = folder
                                .strings("select s_url from stations s join categories c on "
                                         "c.c_id = s.c_id where c.c_name = 'France' limit 1")
                                .value(0);
        QVERIFY(!url.isEmpty());
        TPlaylist list;
        list.Entries << entry("Known", url, "  FRANCE ") // the catalogue's France, any case
                     << entry("Known elsewhere", url, "Brand New")
                     << entry("Twice", "http://twice/", "Brand New")
                     << entry("Twice again", "http://twice/", "brand new")
                     << entry("No group", "http://nogroup/");
        list.Unreadable = 3;
        list.Refused = 2;

        TCatalogue catalogue;
        catalogue.Open(folder.path());
        TImportPlanner planner(catalogue);
        const TImportPlan byGroup = planner.Plan(list, {true, QStringLiteral("Imported")});
        QCOMPARE(byGroup.Entries, 10);
        QCOMPARE(byGroup.New, 3);
        QCOMPARE(byGroup.Duplicates, 2);
        QCOMPARE(byGroup.Unreadable, 3);
        QCOMPARE(byGroup.Refused, 2);
        QCOMPARE(byGroup.Groups, 2);
        QCOMPARE(byGroup.NewCategories(), (QStringList{"Brand New", "Imported"}));
        QCOMPARE(byGroup.Summary().value(0), QStringLiteral("Entries: 10"));
        QCOMPARE(byGroup.Summary().value(2), QStringLiteral("Already in the catalogue: 2"));

        // Into one existing category: both entries of the France station are duplicates there.
        const TImportPlan one = planner.Plan(list, {false, QStringLiteral("france")});
        QCOMPARE(one.New, 2);
        QCOMPARE(one.Duplicates, 3);
        QVERIFY(one.NewCategories().isEmpty());
        const TImportPlan fresh = planner.Plan(list, {false, QStringLiteral("Elsewhere")});
        QCOMPARE(fresh.New, 3);
        QCOMPARE(fresh.Duplicates, 2); // the same address twice in the file
        QCOMPARE(fresh.NewCategories(), QStringList{"Elsewhere"});

        QVERIFY_THROWS_EXCEPTION(Error, planner.Plan(list, {false, QStringLiteral("  ")}));
        // By group with every entry grouped, no fallback category is needed.
        TPlaylist grouped;
        grouped.Entries << entry("G", "http://g/", "Group");
        QCOMPARE(planner.Plan(grouped, {true, QString()}).New, 1);
    }

    void importWritesOnceAndReloadsNothingTwice() {
        CatalogueFolder folder;
        TCatalogue catalogue;
        catalogue.Open(folder.path());
        const int before = folder.integer("select count(*) from stations");
        const TPlaylist pt = ReadPlaylistFile(fixtures + "iptv-org_channels_pt.m3u");
        TImportPlanner planner(catalogue);
        const TImportPlan plan = planner.Plan(pt, {true, QStringLiteral("Portugal TV")});
        QCOMPARE(plan.New, 50);
        const TImportResult result = WriteImport(catalogue, pt, plan);
        QCOMPARE(result.Stations, 50);
        QCOMPARE(result.Categories, 9);
        QCOMPARE(folder.integer("select count(*) from stations"), before + 50);
        QCOMPARE(folder.integer("select count(*) from stations s join categories c on c.c_id = "
                                "s.c_id where c.c_name = 'Religious'"),
                 16);
        QCOMPARE(folder.integer("select count(*) from stations s join categories c on c.c_id = "
                                "s.c_id where c.c_name = 'Portugal TV'"),
                 2); // the two with an empty group-title
        QCOMPARE(folder.strings("select s_language || '|' || s_format || '|' || s_favorite || '|' "
                                "|| (s_created is not null) || '|' || (s_played is null) from "
                                "stations where s_name = 'Canal 11 (720p)'"),
                 QStringList{"Portuguese|0|0|1|1"});
        QVERIFY(folder.strings("select s_comment from stations where s_name = 'Canal 11 (720p)'")
                    .value(0)
                    .contains(QStringLiteral("Logo: https://cdn.one.accedo.tv/")));

        // The same file again: all duplicates, nothing written.
        TImportPlanner again(catalogue);
        const TImportPlan second = again.Plan(pt, {true, QStringLiteral("Portugal TV")});
        QCOMPARE(second.New, 0);
        QCOMPARE(second.Duplicates, 50);
    }

    void cancelFailureAndFullDiskChangeNothing() {
        CatalogueFolder folder;
        TCatalogue catalogue;
        catalogue.Open(folder.path());
        TPlaylist list;
        for (int i = 0; i < 3000; ++i)
            list.Entries << entry(QStringLiteral("S%1").arg(i),
                                  QStringLiteral("http://s/%1").arg(i),
                                  QStringLiteral("G%1").arg(i % 7));
        const QStringList before = dump(folder);
        TImportPlanner planner(catalogue);
        const TImportPlan plan = planner.Plan(list, {true, QStringLiteral("Rest")});

        // Cancel part-way.
        QVERIFY_THROWS_EXCEPTION(
            TCancelled,
            WriteImport(catalogue, list, plan, [](qint64 done, qint64) { return done < 2000; }));
        QCOMPARE(dump(folder), before);
        // Also as the program's own connection sees it: no transaction is left open.
        QSqlQuery own(catalogue.Database());
        QVERIFY(own.exec(QStringLiteral("select count(*) from stations")) && own.next());
        QCOMPARE(own.value(0).toInt(), folder.integer("select count(*) from stations"));
        QVERIFY(own.exec(QStringLiteral("begin")));
        QVERIFY(own.exec(QStringLiteral("rollback")));

        // A failing insert (the catalogue refuses one station) after categories and rows.
        folder.exec({"create trigger refuse before insert on stations when new.s_name = 'S2500' "
                     "begin select raise(abort, 'refused by the test'); end"});
        const QString text = [&] {
            try {
                WriteImport(catalogue, list, plan);
            } catch (const Error& e) {
                return e.message();
            }
            return QString();
        }();
        QVERIFY2(text.contains(QStringLiteral("refused by the test")), qPrintable(text));
        QCOMPARE(dump(folder), before);
        folder.exec({"drop trigger refuse"});

        // A full disk: the file may not grow past its present size.
        {
            QSqlQuery pragma(catalogue.Database());
            QVERIFY(pragma.exec(QStringLiteral("pragma page_count")) && pragma.next());
            const qint64 pages = pragma.value(0).toLongLong();
            QVERIFY(pragma.exec(QStringLiteral("pragma max_page_count = %1").arg(pages)));
        }
        QVERIFY_THROWS_EXCEPTION(Error, WriteImport(catalogue, list, plan));
        catalogue.Close();
        QCOMPARE(dump(folder), before);
    }

    void exportThenImportGivesTheSameStations() {
        CatalogueFolder folder;
        TCatalogue catalogue;
        catalogue.Open(folder.path());
        const TPlaylist pt = ReadPlaylistFile(fixtures + "iptv-org_channels_pt.m3u");
        TImportPlanner planner(catalogue);
        WriteImport(catalogue, pt, planner.Plan(pt, {true, QStringLiteral("Portugal TV")}));

        auto stations = [&](const QString& where) {
            return folder.strings(
                "select c.c_name || '|' || s.s_name || '|' || s.s_url || '|' || s.s_language "
                "from stations s join categories c on c.c_id = s.c_id where " +
                where + " order by 1");
        };
        const QString imported =
            QStringLiteral("c.c_name in ('General','Kids','Legislative','Movies','Music','News',"
                           "'Religious','Sports','Portugal TV')");
        const QStringList original = stations(imported);
        QCOMPARE(original.size(), 50);

        QTemporaryDir dir;
        const QString out = dir.filePath("whole.m3u");
        const TExportList whole = ReadExport(catalogue, {});
        QVERIFY(whole.Skipped > 0); // the sample's web page stations have no stream address
        WritePlaylistFile(out, whole.Entries);

        // Into an empty catalogue of the same shape.
        CatalogueFolder empty(CatalogueFolder::NoDatabase);
        QVERIFY(empty.exec({"create table categories (c_id integer primary key, c_name text)",
                            "create table real_categories (rc_id integer primary key, rc_name "
                            "text)",
                            "create table stations (s_id integer primary key, c_id integer, rc_id "
                            "integer, s_name text, s_url text, s_website text, s_comment text, "
                            "s_bitrate text, s_format integer default 0, s_language text, "
                            "s_created datetime, s_played datetime, s_favorite boolean default "
                            "0)"}));
        TCatalogue second;
        second.Open(empty.path());
        const TPlaylist back = ReadPlaylistFile(out);
        TImportPlanner planner2(second);
        WriteImport(second, back, planner2.Plan(back, {true, QStringLiteral("None")}));
        second.Close();
        catalogue.Close();
        const QStringList again = empty.strings(
            "select c.c_name || '|' || s.s_name || '|' || s.s_url || '|' || s.s_language "
            "from stations s join categories c on c.c_id = s.c_id where " +
            imported + " order by 1");
        QCOMPARE(again, original);
        QCOMPARE(empty.integer("select count(*) from stations"), whole.Entries.size());
    }

    void exportScopes() {
        CatalogueFolder folder;
        TCatalogue catalogue;
        catalogue.Open(folder.path());
        const qint64 france = folder.integer("select c_id from categories where c_name = 'France'");
        TExportRequest request;
        request.What = TExportRequest::Scope::Category;
        request.CategoryId = france;
        const TExportList category = ReadExport(catalogue, request);
        QCOMPARE(category.Entries.size() + category.Skipped,
                 folder.integer("select count(*) from stations where c_id = ?", {france}));
        for (const auto& e : category.Entries)
            QCOMPARE(e.Group, QStringLiteral("France"));

        request.What = TExportRequest::Scope::Favorites;
        const TExportList favorites = ReadExport(catalogue, request);
        QCOMPARE(favorites.Entries.size() + favorites.Skipped,
                 folder.integer("select count(*) from stations where s_favorite = 1"));

        // Given stations, in the order given (the search results' order), unknown ids passed.
        const QStringList ids = folder.strings("select s_id from stations where s_url like "
                                               "'http%' order by s_id desc limit 700");
        request.What = TExportRequest::Scope::Stations;
        request.StationIds.clear();
        for (const QString& id : ids)
            request.StationIds << id.toLongLong();
        request.StationIds.insert(3, 999999);
        const TExportList given = ReadExport(catalogue, request);
        QCOMPARE(given.Entries.size(), 700);
        QCOMPARE(given.Entries.first().Url,
                 folder.strings("select s_url from stations where s_id = ?", {ids.first()})[0]);
        QCOMPARE(given.Entries.last().Url,
                 folder.strings("select s_url from stations where s_id = ?", {ids.last()})[0]);
    }

    void commandLineTool() {
        CatalogueFolder folder;
        const QString db = folder.dbPath();
        ToolRun stats = runTool({"stats", "--db", db});
        QCOMPARE(stats.code, 0);
        const int stations = folder.integer("select count(*) from stations");
        QVERIFY2(stats.out.contains(QStringLiteral("Stations: %1\n").arg(stations)),
                 qPrintable(stats.out));

        ToolRun import = runTool({"import", fixtures + "iptv-org_channels_pt.m3u", "--db", db});
        QCOMPARE(import.code, 0);
        // The same counts as the dialog shows.
        for (const char* line : {"Entries: 50", "New: 50", "Already in the catalogue: 0",
                                 "Unreadable: 0", "New categories: 9"})
            QVERIFY2(import.out.contains(QLatin1String(line)), qPrintable(import.out));
        QCOMPARE(folder.integer("select count(*) from stations"), stations + 50);
        QCOMPARE(folder.integer("select count(*) from categories where c_name = "
                                "'iptv-org_channels_pt'"),
                 1);

        ToolRun one = runTool(
            {"import", fixtures + "iptv-org_tw.m3u", "--category", "Taiwan TV", "--db", db});
        QCOMPARE(one.code, 0);
        QCOMPARE(folder.integer("select count(*) from stations s join categories c on c.c_id = "
                                "s.c_id where c.c_name = 'Taiwan TV'"),
                 83);

        QTemporaryDir dir;
        ToolRun out =
            runTool({"export", dir.filePath("tw.xspf"), "--category", "taiwan tv", "--db", db});
        QCOMPARE(out.code, 0);
        QCOMPARE(ReadPlaylistFile(dir.filePath("tw.xspf")).Entries.size(), 83);
        ToolRun fav = runTool({"export", dir.filePath("fav.pls"), "--favorites", "--db", db});
        QCOMPARE(fav.code, 0);

        // Bad files and bad command lines: non-zero with a clear message, nothing written.
        const QStringList before = dump(folder);
        QFile binary(dir.filePath("binary.m3u"));
        QVERIFY(binary.open(QIODevice::WriteOnly));
        binary.write(QByteArray("\x7f"
                                "ELF\0\0\0",
                                7)
                         .repeated(100));
        binary.close();
        ToolRun bad = runTool({"import", binary.fileName(), "--db", db});
        QCOMPARE(bad.code, 1);
        QVERIFY2(bad.err.contains(QStringLiteral("binary data")), qPrintable(bad.err));
        QCOMPARE(runTool({"import", dir.filePath("missing.m3u"), "--db", db}).code, 1);
        QCOMPARE(runTool({"export", dir.filePath("x.doc"), "--db", db}).code, 1);
        QCOMPARE(
            runTool({"export", dir.filePath("x.m3u"), "--category", "No such", "--db", db}).code,
            1);
        QCOMPARE(runTool({"frobnicate"}).code, 2);
        QCOMPARE(runTool({"import"}).code, 2);
        QCOMPARE(runTool({"stats", "--db", dir.filePath("none.db")}).code, 1);
        QCOMPARE(dump(folder), before);

        // A catalogue another program is writing to.
        {
            QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "holder");
            holder.setDatabaseName(db);
            QVERIFY(holder.open());
            QSqlQuery lock(holder);
            QVERIFY(lock.exec(QStringLiteral("begin exclusive")));
            ToolRun busy = runTool({"import", fixtures + "iptv-org_fr.m3u", "--db", db});
            QCOMPARE(busy.code, 1);
            QVERIFY2(busy.err.contains(QStringLiteral("in use")), qPrintable(busy.err));
            lock.exec(QStringLiteral("rollback"));
            holder.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        QCOMPARE(dump(folder), before);
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
