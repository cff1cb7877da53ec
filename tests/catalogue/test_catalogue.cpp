// The catalogue connection, the general query, the two table cursors and the station reader.

#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueDate.h"
#include "app/catalogue/CatalogueErrors.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationReader.h"
#include "app/catalogue/Table.h"
#include "core/ErrorWrapper.h"
#include "tests/common/CatalogueFixture.h"
#include "tests/common/FileAccess.h"

#include <QDateTime>
#include <QElapsedTimer>
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
    void instancesReopenAndOddFolders();
    void queryBindsTextsAndReportsErrors();
    void tablesAppendAndEditThroughFilter();
    void refusedPostIsCancelled();
    void readerNullsAndColumnCase();
    void datesFormatted_data();
    void datesFormatted();
    void dateSeparatorOfLocale_data();
    void dateSeparatorOfLocale();
    void lockedCatalogueFailsAtOnce();
    void readOnlyCatalogueSaysSo();
};

void TestCatalogue::openFailsOnBadFiles_data() {
    QTest::addColumn<QByteArray>("content"); // "dir" makes a folder named data.db
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << QByteArray() << "unable to open database file";
    QTest::newRow("garbage") << QByteArray("no catalogue ").repeated(300)
                             << "file is not a database";
    QTest::newRow("folder") << QByteArray("dir") << "unable to open database file";
    QTest::newRow("empty file") << QByteArray("") << "has no table \"categories\"";
}

void TestCatalogue::openFailsOnBadFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    CatalogueFolder folder(CatalogueFolder::NoDatabase);
    if (content == "dir") {
        QVERIFY(QDir().mkpath(folder.dbPath()));
    } else if (!content.isNull()) {
        QFile f(folder.dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const QByteArray before = fileBytes(folder.dbPath());

    TCatalogue catalogue;
    const QString message = thrown([&] { catalogue.Open(folder.path()); });
    QVERIFY2(message.contains(expected), qPrintable(message));
    QVERIFY(!catalogue.Connected());
    QVERIFY(!catalogue.tblCategories().Active() && !catalogue.tblStations().Active());
    QCOMPARE(thrown([&] { catalogue.qrySQL().Open("select 1"); }), "The catalogue is not open.");
    QCOMPARE(QFileInfo::exists(folder.dbPath()), !content.isNull()); // never created
    QCOMPARE(fileBytes(folder.dbPath()), before);                    // never changed
}

void TestCatalogue::instancesReopenAndOddFolders() {
    CatalogueFolder first, odd(CatalogueFolder::SampleOnly, "My Radio #1 ?100% & more");
    QVERIFY2(odd.error().isEmpty(), qPrintable(odd.error()));
    TCatalogue a, b;
    a.Open(first.path());
    b.Open(odd.path());
    a.qrySQL().ExecSQL("delete from stations where c_id = 48");
    b.qrySQL().Open("select count(*) from stations where c_id = 48");
    QVERIFY(b.qrySQL().Row().value(0).toInt() > 0);

    a.Open(odd.path()); // closes the first file
    QCOMPARE(a.tblStations().RecordCount(), odd.integer("select count(*) from stations"));
    a.Close();
    QVERIFY(!a.Connected() && !a.tblStations().Active() && !a.qrySQL().Active());
    QVERIFY(!thrown([&] { a.tblCategories().Append(); }).isNull());
    QVERIFY(b.Connected());
}

void TestCatalogue::queryBindsTextsAndReportsErrors() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TQuery& query = catalogue.qrySQL();
    const int stations = folder.integer("select count(*) from stations");
    const QStringList names = {"Rock 'n' Roll", "News -- 24h", "a; delete from stations; --",
                               "x'); drop table stations; --"};
    for (const QString& name : names) {
        catalogue.tblCategories().Append();
        catalogue.tblCategories().SetField("C_NAME", name); // any case
        catalogue.tblCategories().Post();
    }
    query.ExecSQL("update categories set c_name = ? where c_id = ?", {"Côte d'Ivoire; --", 35});
    for (const QString& name : names + QStringList{"Côte d'Ivoire; --"}) {
        query.Open("select c_name from categories where c_name = ?", {name});
        QCOMPARE(query.FieldByName("C_Name").toString(), name);
        query.Next();
        QVERIFY(query.Eof());
    }
    QCOMPARE(folder.integer("select count(*) from stations"), stations);

    QVERIFY(
        thrown([&] { query.Open("select * from nowhere"); }).contains("no such table: nowhere"));
    QVERIFY(thrown([&] { query.FieldByName("c_id"); }).contains("no current row"));
    // One statement per call: a second one is refused and nothing runs.
    QVERIFY(!thrown([&] {
                 query.ExecSQL("delete from stations where s_id = 1; delete from stations");
             }).isNull());
    QCOMPARE(folder.integer("select count(*) from stations"), stations);
    QCOMPARE(query.ExecSQL("update stations set s_favorite = true where s_id = 11"), 1);
    QCOMPARE(folder.integer("select s_favorite from stations where s_id = 11"), 1);
}

void TestCatalogue::tablesAppendAndEditThroughFilter() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TStationsTable& stations = catalogue.tblStations();
    const int last = folder.integer("select max(s_id) from stations");

    stations.Append();
    stations.SetField("s_created", QDateTime(QDate(2024, 3, 9), QTime(7, 5, 1)));
    stations.SetField("S_NAME", "New Station");
    stations.SetField("c_id", 48);
    stations.Post();
    QCOMPARE(stations.GetState(), TTable::State::Browse);
    const int sId = stations.Field("s_id").toInt(); // given by the database
    QVERIFY(sId > last);
    QCOMPARE(
        folder.strings("select s_created || '|' || s_favorite || '|' || ifnull(s_played, 'null') "
                       "from stations where s_id = ?",
                       {sId}),
        QStringList{"2024-03-09 07:05:01|0|null"});
    QVERIFY(thrown([&] { stations.SetField("s_name", "x"); }).contains("append or edit first"));

    stations.SetFilterKey(11);
    stations.SetFiltered(true);
    QCOMPARE(stations.RecordCount(), 1);
    stations.Edit();
    QVERIFY(thrown([&] { stations.SetField("s_colour", "x"); }).contains("no column \"s_colour\""));
    stations.SetField("s_name", "Radio BOB! 'Alt'");
    stations.Post();
    QCOMPARE(folder.strings("select s_name || '|' || s_played from stations where c_id = 153 and "
                            "s_name like 'Radio BOB%'"),
             QStringList{"Radio BOB! 'Alt'|2024-10-12 19:30:39"}); // other columns kept

    stations.Edit();
    stations.SetField("s_name", "Dropped");
    stations.Cancel();
    QCOMPARE(stations.Field("s_name").toString(), "Radio BOB! 'Alt'");

    stations.SetFilterKey(987654); // no such station: nothing to edit
    QVERIFY(stations.IsEmpty());
    QVERIFY(thrown([&] { stations.Edit(); }).contains("no current row"));
    stations.SetFiltered(false);
    QCOMPARE(stations.RecordCount(), folder.integer("select count(*) from stations"));
}

void TestCatalogue::refusedPostIsCancelled() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TCategoriesTable& categories = catalogue.tblCategories();
    const int before = folder.integer("select count(*) from categories");
    categories.Append();
    categories.SetField("c_id", 1); // taken
    categories.SetField("c_name", "Clash");
    QVERIFY(thrown([&] { categories.Post(); }).contains("UNIQUE constraint failed"));
    QCOMPARE(categories.GetState(), TTable::State::Browse);
    categories.Append();
    categories.SetField("c_name", "Fine");
    categories.Post();
    QCOMPARE(folder.integer("select count(*) from categories"), before + 1);

    TStationsTable& stations = catalogue.tblStations();
    stations.SetFilterKey(11);
    stations.SetFiltered(true);
    stations.Edit();
    stations.SetField("s_id", 9); // taken
    QVERIFY(thrown([&] { stations.Post(); }).contains("UNIQUE"));
    QCOMPARE(stations.GetState(), TTable::State::Browse);
    // A row deleted behind the cursor's back is not reported as saved.
    catalogue.qrySQL().ExecSQL("delete from stations where s_id = 11");
    stations.Edit();
    stations.SetField("s_name", "Ghost");
    QVERIFY(thrown([&] { stations.Post(); }).contains("no longer"));
    QCOMPARE(stations.GetState(), TTable::State::Browse);
}

void TestCatalogue::readerNullsAndColumnCase() {
    CatalogueFolder folder;
    QVERIFY(folder.exec({"insert into stations (s_id, c_id, s_format, s_favorite) values "
                         "(5000, 48, null, null)"}));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    TQuery& query = catalogue.qrySQL();
    query.Open("select s_id as S_ID, c_id as C_Id, s_name as S_NAME, s_url as S_Url, s_website as "
               "S_WEBSITE, s_comment as S_Comment, s_bitrate as S_BITRATE, s_format as S_FORMAT, "
               "s_created as S_CREATED, s_played as S_Played, s_favorite as S_FAVORITE from "
               "stations where s_id in (11, 1317, 1318, 5000) order by s_id");
    const TStationReader reader(query.Row().record());
    QList<TItemPtr> items;
    for (; !query.Eof(); query.Next())
        items << reader.Read(query.Row());
    QCOMPARE(items.size(), 4);
    const TItem& bob = *items[0];
    QCOMPARE(QList<qint64>({bob.Id, bob.CategoryId}), QList<qint64>({11, 153}));
    QCOMPARE(
        QStringList({bob.Name, bob.Website, bob.Comment, bob.Bitrate, bob.Created, bob.Played}),
        QStringList({"Radio BOB! Alternative", "https://www.radiobob.de/", "Indie Rock [MP3]",
                     "192", day("06/14/2022"), day("10/12/2024")}));
    QVERIFY(!items[1]->Favorite);                   // s_favorite NULL
    QCOMPARE(items[2]->Created, day("12/30/1899")); // s_created NULL
    const TItem& bare = *items[3];                  // all but the keys NULL
    QVERIFY(bare.Name.isEmpty() && bare.Url.isEmpty() && bare.Bitrate.isEmpty() && !bare.Favorite);
    QCOMPARE(bare.Played, day("12/30/1899"));
    QCOMPARE(reader.Format(query.Row()), 0);

    query.Open("select s_id, c_id, s_name, s_url, s_website, s_comment, s_bitrate, s_format, "
               "s_created, s_favorite from stations where s_id = 11");
    QVERIFY(thrown([&] {
                TStationReader(query.Row().record()).Read(query.Row());
            }).contains("\"s_played\""));
}

void TestCatalogue::datesFormatted_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("catalogue text") << QVariant("2022-06-14 18:33:03") << "."
                                    << "06.14.2022";
    QTest::newRow("T, no seconds") << QVariant("2024-03-09T07:05") << "-"
                                   << "03-09-2024";
    QTest::newRow("date only") << QVariant("2001-12-31") << "/"
                               << "12/31/2001";
    QTest::newRow("leap day") << QVariant("2024-02-29 00:00:00") << "/"
                              << "02/29/2024";
    QTest::newRow("no leap day") << QVariant("2023-02-29 00:00:00") << "/"
                                 << "12/30/1899";
    QTest::newRow("NULL") << QVariant() << "."
                          << "12.30.1899";
    QTest::newRow("garbage") << QVariant("yesterday") << "/"
                             << "12/30/1899";
    QTest::newRow("short") << QVariant("2022-6-1") << "/"
                           << "12/30/1899";
    QTest::newRow("trailing junk") << QVariant("2022-06-14x") << "/"
                                   << "12/30/1899";
    QTest::newRow("number") << QVariant(45000) << "/"
                            << "12/30/1899";
    QTest::newRow("QDateTime") << QVariant(QDateTime(QDate(2010, 10, 9), QTime(1, 2))) << "/"
                               << "10/09/2010";
}

void TestCatalogue::datesFormatted() {
    QFETCH(QVariant, value);
    QFETCH(QString, separator);
    QFETCH(QString, expected);
    QCOMPARE(orvik::FormatCatalogueDate(value, separator), expected);
}

void TestCatalogue::dateSeparatorOfLocale_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("separator");
    for (const char* row : {"C /", "en_US /", "de_DE .", "sv_SE -", "fr_FR /"}) {
        const QStringList parts = QString::fromLatin1(row).split(u' ');
        QTest::newRow(row) << parts[0] << parts[1];
    }
}

void TestCatalogue::dateSeparatorOfLocale() {
    QFETCH(QString, locale);
    QFETCH(QString, separator);
    QCOMPARE(orvik::DateSeparatorOf(QLocale(locale)), separator);
}

void TestCatalogue::lockedCatalogueFailsAtOnce() {
    CatalogueFolder folder;
    TCatalogue before; // opened before the other program took its lock
    before.Open(folder.path());
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
        other.setDatabaseName(folder.dbPath());
        QVERIFY(other.open());
        QSqlQuery lock(other);
        QVERIFY(lock.exec("begin exclusive"));
        QVERIFY(lock.exec("update stations set s_name = 'held' where s_id = 11"));

        QElapsedTimer timer;
        timer.start();
        TCatalogue catalogue;
        catalogue.SetInUseHint([] { return QStringLiteral("Orvik is already running."); });
        const QString message = thrown([&] { catalogue.Open(folder.path()); });
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(message, QStringLiteral("The catalogue %1 is in use by another program. Orvik is "
                                         "already running.")
                              .arg(QDir::toNativeSeparators(folder.dbPath())));
        QVERIFY(!catalogue.Connected());

        timer.restart();
        QCOMPARE(thrown([&] { before.qrySQL().ExecSQL("delete from stations where s_id = 12"); }),
                 orvik::CatalogueInUseText());
        QCOMPARE(thrown([&] { before.tblStations().RecordCount(); }), orvik::CatalogueInUseText());
        QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
        lock.exec("rollback");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    // Lock gone: everything works again, nothing was changed meanwhile.
    QCOMPARE(before.qrySQL().ExecSQL("delete from stations where s_id = 12"), 1);
    QCOMPARE(folder.integer("select count(*) from stations where s_name = 'held'"), 0);
}

void TestCatalogue::readOnlyCatalogueSaysSo() {
    CatalogueFolder folder;
    TCatalogue writable;
    writable.Open(folder.path());
    QVERIFY(!writable.ReadOnly());
    QVERIFY(thrown([&] { writable.CheckWritable(); }).isNull());
    writable.Close();

    QVERIFY(QFile::setPermissions(folder.dbPath(),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QByteArray bytes = fileBytes(folder.dbPath());
    {
        PermissionsApply permissions; // also when the tests run as root
        TCatalogue catalogue;
        catalogue.Open(folder.path());
        QVERIFY(catalogue.Connected());
        QVERIFY(catalogue.ReadOnly());
        QCOMPARE(catalogue.tblStations().RecordCount(), folder.integer("select count(*) from "
                                                                       "stations"));
        QCOMPARE(thrown([&] { catalogue.CheckWritable(); }), orvik::CatalogueReadOnlyText());
        QCOMPARE(thrown([&] { catalogue.qrySQL().ExecSQL("delete from stations"); }),
                 orvik::CatalogueReadOnlyText());
    }
    QFile::setPermissions(folder.dbPath(), QFile::ReadOwner | QFile::WriteOwner);
    QCOMPARE(fileBytes(folder.dbPath()), bytes);
}

QTEST_MAIN(TestCatalogue)
#include "test_catalogue.moc"
