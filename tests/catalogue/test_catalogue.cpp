// The catalogue connection, the general query, the two table cursors and the station reader.

#include "Catalogue.h"
#include "CatalogueDate.h"
#include "CatalogueFixture.h"
#include "ErrorWrapper.h"
#include "Query.h"
#include "StationReader.h"
#include "Table.h"

#include <QDateTime>
#include <QLocale>
#include <QSqlRecord>
#include <QtTest>

namespace {

// The message of the error a call throws, or a null text when it throws none.
template <typename F> QString thrown(F&& call) {
    try {
        call();
    } catch (const orvik::Error& e) {
        return e.message().isNull() ? QStringLiteral("") : e.message();
    }
    return {};
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString day(const char* mmddyyyy) {
    return QString::fromLatin1(mmddyyyy).replace(u'/', orvik::SystemDateSeparator());
}

} // namespace

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void openFailsOnBadFiles_data();
    void openFailsOnBadFiles();
    void opensFolderWithAwkwardName();
    void instancesAreIndependentAndReopen();
    void textsAreBoundNeverSpliced();
    void queryErrorsCarryDatabaseText();
    void queryReadsColumnsInAnyCase();
    void tablesAppendWithGeneratedKeys();
    void stationFilterAndEdit();
    void refusedPostLeavesTableUsable();
    void tableMisuseIsReported();
    void stationReaderHandlesNullsAndCase();
    void stationReaderNamesMissingColumn();
    void catalogueIntegers();
    void datesFormatted_data();
    void datesFormatted();
    void dateSeparatorFromLocale_data();
    void dateSeparatorFromLocale();
};

void TestCatalogue::openFailsOnBadFiles_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << 0 << "unable to open database file";
    QTest::newRow("garbage") << 1 << "file is not a database";
    QTest::newRow("folder named data.db") << 2 << "unable to open database file";
    QTest::newRow("empty file") << 3 << "has no table \"categories\"";
    QTest::newRow("other database") << 4 << "has no table \"real_categories\"";
}

void TestCatalogue::openFailsOnBadFiles() {
    QFETCH(int, kind);
    QFETCH(QString, expected);
    CatalogueFolder folder(CatalogueFolder::NoDatabase);
    QVERIFY(folder.error().isEmpty());
    switch (kind) {
    case 1: {
        QFile f(folder.dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("This is no catalogue at all, just text. ").repeated(200));
        break;
    }
    case 2:
        QVERIFY(QDir().mkpath(folder.dbPath()));
        break;
    case 3: {
        QFile f(folder.dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        break;
    }
    case 4:
        QVERIFY(folder.exec({"create table categories (c_id integer primary key, c_name text)"}));
        break;
    }
    const QByteArray before = fileBytes(folder.dbPath());

    TCatalogue catalogue;
    const QString message = thrown([&] { catalogue.Open(folder.path()); });
    QVERIFY2(message.contains(expected), qPrintable(message));
    QVERIFY(!catalogue.Connected());
    QVERIFY(!catalogue.tblCategories().Active());
    QVERIFY(!catalogue.tblStations().Active());
    QVERIFY(!thrown([&] { catalogue.qrySQL().Open("select 1"); }).isNull());
    // Never created, never changed.
    QCOMPARE(QFile::exists(folder.dbPath()), kind != 0);
    QCOMPARE(fileBytes(folder.dbPath()), before);
}

void TestCatalogue::opensFolderWithAwkwardName() {
    CatalogueFolder folder(CatalogueFolder::SampleOnly, QStringLiteral("My Radio #1 ?100% & more"));
    QVERIFY2(folder.error().isEmpty(), qPrintable(folder.error()));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    QVERIFY(catalogue.Connected());
    QVERIFY(catalogue.tblCategories().Active());
    QVERIFY(catalogue.tblStations().Active());
    catalogue.qrySQL().Open("select count(*) as n from stations");
    QCOMPARE(catalogue.qrySQL().FieldByName("N").toInt(),
             folder.integer("select count(*) from stations"));
}

void TestCatalogue::instancesAreIndependentAndReopen() {
    CatalogueFolder first, second(CatalogueFolder::SampleOnly);
    TCatalogue a, b;
    a.Open(first.path());
    b.Open(second.path());
    a.qrySQL().ExecSQL("delete from stations where c_id = 48");
    b.qrySQL().Open("select count(*) from stations where c_id = 48");
    QVERIFY(b.qrySQL().Row().value(0).toInt() > 0);

    // Opening again closes first; the cursors follow the new file.
    a.Open(second.path());
    QVERIFY(a.Connected());
    a.qrySQL().Open("select count(*) from stations where c_id = 48");
    QCOMPARE(a.qrySQL().Row().value(0).toInt(), b.qrySQL().Row().value(0).toInt());
    QCOMPARE(a.tblStations().RecordCount(), second.integer("select count(*) from stations"));

    a.Close();
    QVERIFY(!a.Connected());
    QVERIFY(!a.tblCategories().Active());
    QVERIFY(!a.tblStations().Active());
    QVERIFY(!a.qrySQL().Active());
    QCOMPARE(thrown([&] { a.qrySQL().ExecSQL("delete from stations"); }),
             QStringLiteral("The catalogue is not open."));
    QVERIFY(second.integer("select count(*) from stations") > 0);
    QVERIFY(b.Connected());
}

void TestCatalogue::textsAreBoundNeverSpliced() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    const int stations = folder.integer("select count(*) from stations");
    const QStringList names = {QStringLiteral("Rock 'n' Roll"), QStringLiteral("News -- 24h"),
                               QStringLiteral("a; delete from stations; --"),
                               QStringLiteral("x'); drop table stations; --")};
    TCategoriesTable& table = catalogue.tblCategories();
    for (const QString& name : names) {
        table.Append();
        table.SetField("c_name", name);
        table.Post();
    }
    TQuery& query = catalogue.qrySQL();
    query.ExecSQL("update categories set c_name = ? where c_name = ?",
                  {QStringLiteral("Côte d'Ivoire; --"), QStringLiteral("Côte d'Ivoire")});
    for (const QString& name : names + QStringList{QStringLiteral("Côte d'Ivoire; --")}) {
        query.Open("select c_name from categories where c_name = ?", {name});
        QVERIFY2(!query.Eof(), qPrintable(name));
        QCOMPARE(query.FieldByName("c_name").toString(), name);
        query.Next();
        QVERIFY(query.Eof());
    }
    QCOMPARE(folder.integer("select count(*) from stations"), stations);
}

void TestCatalogue::queryErrorsCarryDatabaseText() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TQuery& query = catalogue.qrySQL();
    const int categories = folder.integer("select count(*) from categories");

    QVERIFY(
        thrown([&] { query.Open("select * from nowhere"); }).contains("no such table: nowhere"));
    QVERIFY(!query.Active());
    QVERIFY(thrown([&] {
                query.ExecSQL("insert into categories (c_nam) values (?)", {"x"});
            }).contains("c_nam"));
    // One statement per call: a second one is refused and nothing runs.
    QVERIFY(!thrown([&] {
                 query.ExecSQL("delete from categories where c_id = 1; delete from categories");
             }).isNull());
    QCOMPARE(folder.integer("select count(*) from categories"), categories);
    // A value the database refuses.
    QVERIFY(thrown([&] {
                query.ExecSQL("insert into categories (c_id, c_name) values (1, 'again')");
            }).contains("UNIQUE"));

    // Still usable, and ExecSQL reports what it changed.
    QCOMPARE(query.ExecSQL("update stations set s_favorite = true where s_id = 11"), 1);
    QCOMPARE(folder.integer("select s_favorite from stations where s_id = 11"), 1);
    QCOMPARE(query.ExecSQL("update stations set s_favorite = false where s_id = 11"), 1);
    QCOMPARE(folder.integer("select s_favorite from stations where s_id = 11"), 0);
}

void TestCatalogue::queryReadsColumnsInAnyCase() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TQuery& query = catalogue.qrySQL();
    query.Open("select c_id, c_name from categories where c_id = ?", {35});
    QCOMPARE(query.FieldByName("C_ID").toInt(), 35);
    QCOMPARE(query.FieldByName("C_Name").toString(), QStringLiteral("Côte d'Ivoire"));
    QVERIFY(thrown([&] { query.FieldByName("c_none"); }).contains("c_none"));
    query.Next();
    QVERIFY(query.Eof());
    QVERIFY(!thrown([&] { query.FieldByName("c_id"); }).isNull());

    query.Open("select * from categories where c_id = -1");
    QVERIFY(query.Eof());
    QVERIFY(query.Active());
    query.Close();
    QVERIFY(!query.Active());
}

void TestCatalogue::tablesAppendWithGeneratedKeys() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    const int lastCategory = folder.integer("select max(c_id) from categories");
    const int lastStation = folder.integer("select max(s_id) from stations");

    TCategoriesTable& categories = catalogue.tblCategories();
    categories.Append();
    QCOMPARE(categories.GetState(), TTable::State::Insert);
    categories.SetField("C_NAME", "Atlantis");
    categories.Post();
    QCOMPARE(categories.GetState(), TTable::State::Browse);
    const int cId = categories.Field("c_id").toInt();
    QVERIFY(cId > lastCategory);
    QCOMPARE(folder.strings("select c_name from categories where c_id = ?", {cId}),
             QStringList{"Atlantis"});

    TStationsTable& stations = catalogue.tblStations();
    stations.Append();
    stations.SetField("s_created", QDateTime(QDate(2024, 3, 9), QTime(7, 5, 1)));
    stations.SetField("s_name", "New Station");
    stations.SetField("c_id", cId);
    stations.SetField("S_URL", "http://127.0.0.1/x");
    stations.SetField("s_format", 1);
    stations.SetField("s_language", "");
    stations.Post();
    const int sId = stations.Field("s_id").toInt();
    QVERIFY(sId > lastStation);
    QCOMPARE(folder.strings("select s_created from stations where s_id = ?", {sId}),
             QStringList{"2024-03-09 07:05:01"});
    // Left to the database: the favorite flag's default and no played date.
    QCOMPARE(folder.integer("select s_favorite from stations where s_id = ?", {sId}), 0);
    QCOMPARE(folder.strings("select s_played from stations where s_id = ?", {sId}),
             QStringList{QString()});
    QCOMPARE(folder.strings("select s_language from stations where s_id = ?", {sId}),
             QStringList{""});

    // Cancel drops an append.
    const int count = stations.RecordCount();
    stations.Append();
    stations.SetField("s_name", "Dropped");
    stations.Cancel();
    QCOMPARE(stations.GetState(), TTable::State::Browse);
    QCOMPARE(stations.RecordCount(), count);
}

void TestCatalogue::stationFilterAndEdit() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TStationsTable& stations = catalogue.tblStations();
    QVERIFY(stations.RecordCount() > 1);

    stations.SetFiltered(false);
    stations.SetFilterKey(11);
    stations.SetFiltered(true);
    QCOMPARE(stations.RecordCount(), 1);
    QCOMPARE(stations.Field("s_name").toString(), QStringLiteral("Radio BOB! Alternative"));
    QCOMPARE(stations.Field("C_ID").toInt(), 153);

    stations.Edit();
    stations.SetField("S_Name", "Radio BOB! 'Alt'; --");
    stations.SetField("c_id", 52);
    QCOMPARE(stations.Field("s_name").toString(), QStringLiteral("Radio BOB! 'Alt'; --"));
    stations.Post();
    QCOMPARE(folder.strings("select s_name from stations where s_id = 11"),
             QStringList{"Radio BOB! 'Alt'; --"});
    QCOMPARE(folder.integer("select c_id from stations where s_id = 11"), 52);
    // Only that row changed; the untouched columns kept their values.
    QCOMPARE(folder.integer("select count(*) from stations where c_id = 153"), 4);
    QCOMPARE(folder.strings("select s_played from stations where s_id = 11"),
             QStringList{"2024-10-12 19:30:39"});

    // No row passes the filter: nothing to edit.
    stations.SetFilterKey(987654);
    QVERIFY(stations.IsEmpty());
    QCOMPARE(stations.RecordCount(), 0);
    QVERIFY(thrown([&] { stations.Edit(); }).contains("no current row"));
    QCOMPARE(stations.GetState(), TTable::State::Browse);

    stations.SetFiltered(false);
    QVERIFY(!stations.IsEmpty());
    QCOMPARE(stations.RecordCount(), folder.integer("select count(*) from stations"));
}

void TestCatalogue::refusedPostLeavesTableUsable() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TCategoriesTable& categories = catalogue.tblCategories();
    const int before = folder.integer("select count(*) from categories");

    categories.Append();
    categories.SetField("c_id", 1); // taken
    categories.SetField("c_name", "Clash");
    const QString message = thrown([&] { categories.Post(); });
    QVERIFY2(message.contains("UNIQUE constraint failed"), qPrintable(message));
    QCOMPARE(categories.GetState(), TTable::State::Browse);
    QCOMPARE(folder.integer("select count(*) from categories"), before);

    categories.Append();
    categories.SetField("c_name", "Fine");
    categories.Post();
    QCOMPARE(folder.integer("select count(*) from categories"), before + 1);

    // A refused edit: the row keeps its values and the cursor is browsing again.
    TStationsTable& stations = catalogue.tblStations();
    stations.SetFilterKey(11);
    stations.SetFiltered(true);
    stations.Edit();
    stations.SetField("s_name", "Changed");
    stations.SetField("s_id", 9);
    QVERIFY(thrown([&] { stations.Post(); }).contains("UNIQUE"));
    QCOMPARE(stations.GetState(), TTable::State::Browse);
    QCOMPARE(stations.Field("s_name").toString(), QStringLiteral("Radio BOB! Alternative"));
    QCOMPARE(folder.strings("select s_name from stations where s_id = 11"),
             QStringList{"Radio BOB! Alternative"});

    // A row deleted behind the cursor's back is not reported as saved.
    catalogue.qrySQL().ExecSQL("delete from stations where s_id = 11");
    stations.Edit();
    stations.SetField("s_name", "Ghost");
    QVERIFY(thrown([&] { stations.Post(); }).contains("no longer"));
    QCOMPARE(stations.GetState(), TTable::State::Browse);
    QCOMPARE(folder.integer("select count(*) from stations where s_name = 'Ghost'"), 0);
}

void TestCatalogue::tableMisuseIsReported() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    TCategoriesTable& categories = catalogue.tblCategories();
    QVERIFY(thrown([&] { categories.Append(); }).contains("not open"));
    catalogue.Open(folder.path());
    QVERIFY(thrown([&] { categories.SetField("c_name", "x"); }).contains("append or edit first"));
    categories.Append();
    QVERIFY(
        thrown([&] { categories.SetField("c_colour", "x"); }).contains("no column \"c_colour\""));
    QVERIFY(thrown([&] { categories.SetField("categories.c_name", "x"); }).contains("no column"));
    // A pending append is posted before the next one starts, as the cursor moves on.
    categories.SetField("c_name", "First");
    categories.Append();
    QCOMPARE(folder.integer("select count(*) from categories where c_name = 'First'"), 1);
    categories.Cancel();
    // Closing drops what was not posted.
    categories.Append();
    categories.SetField("c_name", "Never");
    catalogue.Close();
    QCOMPARE(folder.integer("select count(*) from categories where c_name = 'Never'"), 0);
}

void TestCatalogue::stationReaderHandlesNullsAndCase() {
    CatalogueFolder folder;
    QVERIFY(folder.exec({"insert into stations (s_id, c_id, s_format, s_favorite) values "
                         "(5000, 48, null, null)"}));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TQuery& query = catalogue.qrySQL();

    // Column names in another case than the table's.
    query.Open("select s_id as S_ID, c_id as C_Id, s_name as S_NAME, s_url as S_Url, "
               "s_website as S_WEBSITE, s_comment as S_Comment, s_bitrate as S_BITRATE, "
               "s_format as S_FORMAT, s_created as S_CREATED, s_played as S_Played, "
               "s_favorite as S_FAVORITE from stations where s_id in (11, 1317, 1318, 5000) "
               "order by s_id");
    const TStationReader reader(query.Row().record());
    QList<TItemPtr> items;
    QList<int> formats;
    for (; !query.Eof(); query.Next()) {
        items << reader.Read(query.Row());
        formats << reader.Format(query.Row());
    }
    QCOMPARE(items.size(), 4);

    const TItem& bob = *items[0];
    QCOMPARE(bob.Id, 11);
    QCOMPARE(bob.CategoryId, 153);
    QCOMPARE(bob.Name, QStringLiteral("Radio BOB! Alternative"));
    QCOMPARE(bob.Url,
             QStringLiteral("http://streams.radiobob.de/bob-alternative/mp3-192/mediaplayer"));
    QCOMPARE(bob.Website, QStringLiteral("https://www.radiobob.de/"));
    QCOMPARE(bob.Comment, QStringLiteral("Indie Rock [MP3]"));
    QCOMPARE(bob.Bitrate, QStringLiteral("192"));
    QCOMPARE(bob.Created, day("06/14/2022"));
    QCOMPARE(bob.Played, day("10/12/2024"));
    QVERIFY(!bob.Favorite);
    QVERIFY(bob.CategoryName.isEmpty());

    QCOMPARE(items[1]->Id, 1317); // s_favorite NULL
    QVERIFY(!items[1]->Favorite);
    QCOMPARE(items[1]->Played, day("12/30/1899"));
    QCOMPARE(items[2]->Created, day("12/30/1899")); // 1318, s_created NULL

    const TItem& bare = *items[3]; // every column but the keys NULL
    QCOMPARE(bare.Id, 5000);
    QCOMPARE(bare.CategoryId, 48);
    for (const QString* text : {&bare.Name, &bare.Url, &bare.Website, &bare.Comment, &bare.Bitrate})
        QVERIFY(text->isEmpty());
    QCOMPARE(bare.Created, day("12/30/1899"));
    QVERIFY(!bare.Favorite);
    QCOMPARE(formats, (QList<int>{0, 0, 0, 0}));

    // A favorite stored as text or as a number reads the same.
    query.Open("select s_id, c_id, s_name, s_url, s_website, s_comment, s_bitrate, s_format, "
               "s_created, s_played, 'true' as s_favorite from stations where s_id = 11");
    QVERIFY(TStationReader(query.Row().record()).Read(query.Row())->Favorite);
    query.Open("select s_id, c_id, s_name, s_url, s_website, s_comment, s_bitrate, s_format, "
               "s_created, s_played, '0' as s_favorite from stations where s_id = 11");
    QVERIFY(!TStationReader(query.Row().record()).Read(query.Row())->Favorite);
}

void TestCatalogue::stationReaderNamesMissingColumn() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TQuery& query = catalogue.qrySQL();
    query.Open("select s_id, c_id, s_name, s_url, s_website, s_comment, s_bitrate, s_format, "
               "s_created, s_favorite from stations where s_id = 11");
    const TStationReader reader(query.Row().record());
    QVERIFY(thrown([&] { reader.Read(query.Row()); }).contains("\"s_played\""));
}

void TestCatalogue::catalogueIntegers() {
    QCOMPARE(CatalogueInt(QVariant()), 0);
    QCOMPARE(CatalogueInt(QVariant(42LL)), 42);
    QCOMPARE(CatalogueInt(QVariant(QStringLiteral("17"))), 17);
    QCOMPARE(CatalogueInt(QVariant(QStringLiteral("seven"))), 0);
    QCOMPARE(CatalogueInt(QVariant(-5)), -5);
    QCOMPARE(CatalogueInt(QVariant(qlonglong(1) << 40)), 0);
    QCOMPARE(CatalogueInt(QVariant(-(qlonglong(1) << 40))), 0);
}

void TestCatalogue::datesFormatted_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("catalogue text") << QVariant("2022-06-14 18:33:03") << "/"
                                    << "06/14/2022";
    QTest::newRow("dot separator") << QVariant("2022-06-14 18:33:03") << "."
                                   << "06.14.2022";
    QTest::newRow("T before time") << QVariant("2024-03-09T07:05:01.000") << "-"
                                   << "03-09-2024";
    QTest::newRow("date only") << QVariant("2001-12-31") << "/"
                               << "12/31/2001";
    QTest::newRow("leap day") << QVariant("2024-02-29 00:00:00") << "/"
                              << "02/29/2024";
    QTest::newRow("no leap day") << QVariant("2023-02-29 00:00:00") << "/"
                                 << "12/30/1899";
    QTest::newRow("month 13") << QVariant("2023-13-01") << "/"
                              << "12/30/1899";
    QTest::newRow("NULL") << QVariant() << "/"
                          << "12/30/1899";
    QTest::newRow("NULL, dot") << QVariant() << "."
                               << "12.30.1899";
    QTest::newRow("empty") << QVariant("") << "/"
                           << "12/30/1899";
    QTest::newRow("garbage") << QVariant("yesterday") << "/"
                             << "12/30/1899";
    QTest::newRow("short") << QVariant("2022-6-1") << "/"
                           << "12/30/1899";
    QTest::newRow("trailing junk") << QVariant("2022-06-14x") << "/"
                                   << "12/30/1899";
    QTest::newRow("number") << QVariant(45000) << "/"
                            << "12/30/1899";
    QTest::newRow("QDate") << QVariant(QDate(1999, 1, 2)) << "/"
                           << "01/02/1999";
    QTest::newRow("QDateTime") << QVariant(QDateTime(QDate(2010, 10, 9), QTime(1, 2))) << "/"
                               << "10/09/2010";
}

void TestCatalogue::datesFormatted() {
    QFETCH(QVariant, value);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(orvik::FormatCatalogueDate(value, separator), expected);
}

void TestCatalogue::dateSeparatorFromLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    QTest::newRow("C") << "C"
                       << "/";
    QTest::newRow("en_US") << "en_US"
                           << "/";
    QTest::newRow("de_DE") << "de_DE"
                           << ".";
    QTest::newRow("sv_SE") << "sv_SE"
                           << "-";
    QTest::newRow("nl_NL") << "nl_NL"
                           << "-";
    QTest::newRow("fr_FR") << "fr_FR"
                           << "/";
}

void TestCatalogue::dateSeparatorFromLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    QCOMPARE(orvik::DateSeparatorOf(QLocale(locale)), separator);
    QCOMPARE(orvik::SystemDateSeparator(), orvik::DateSeparatorOf(QLocale::system()));
}

QTEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
