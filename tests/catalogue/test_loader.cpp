// Loading the catalogue into the station tree, the favorites list and the search lists, with
// and without the loading window.

#include "app/catalogue/CaptionPanel.h"
#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueDate.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationLoader.h"
#include "app/catalogue/StationReader.h"
#include "core/ErrorWrapper.h"
#include "tests/common/CatalogueFixture.h"
#include "tests/common/CataloguePresenter.h"

#include "app/catalogue/StationTree.h"
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QSqlRecord>
#include <QTimer>
#include <QtTest>

namespace {

// The part of the main window a load fills.
struct Window {
    QWidget owner;
    TStationTree* tree = new TStationTree(&owner);
    QListWidget* favorites = new QListWidget(&owner);
    QComboBox *realCategories = new QComboBox(&owner), *categories = new QComboBox(&owner),
              *languages = new QComboBox(&owner);
    QRadioButton *rbStationCategory = new QRadioButton(&owner),
                 *rbCategory = new QRadioButton(&owner), *rbLanguage = new QRadioButton(&owner);
    QListWidget* results = new QListWidget(&owner);
    QList<QIcon> images;

    Window() {
        for (Qt::GlobalColor colour : {Qt::red, Qt::green, Qt::yellow, Qt::blue, Qt::darkYellow}) {
            QPixmap pixmap(16, 16);
            pixmap.fill(colour);
            images << QIcon(pixmap);
        }
    }
    TStationWidgets widgets() {
        return {tree,       favorites,  realCategories, categories, languages, rbStationCategory,
                rbCategory, rbLanguage, results,        images,     &owner};
    }
    static QStringList texts(QComboBox* box) {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    QStringList topTexts() const {
        QStringList out;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            out << tree->topLevelItem(i)->text(0);
        return out;
    }
    int stationCount() const {
        int n = 0;
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            n += tree->topLevelItem(i)->childCount();
        return n;
    }
    TStationNode* station(qint32 id) const { return tree->stations()->FindStation(id); }
};

// Watches for the loading window: how it was shown, its captions in order, and its end.
class LoadingWatcher : public QObject {
public:
    LoadingWatcher() { qApp->installEventFilter(this); }
    ~LoadingWatcher() override { qApp->removeEventFilter(this); }
    QStringList captions;
    QRect geometry;
    Qt::WindowFlags flags;
    QPointer<QWidget> window;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || watched->objectName() != u"frmLoadStations")
            return false;
        window = qobject_cast<QWidget*>(watched);
        geometry = window->frameGeometry();
        flags = window->windowFlags();
        auto* panel = window->findChild<TCaptionPanel*>("pnlCat");
        captions << panel->caption();
        connect(panel, &TCaptionPanel::captionChanged, this,
                [this](const QString& c) { captions << c; });
        return false;
    }
};

void expectOrphanWarning() {
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Station 1316 .* left out: its category 9999"));
}

// A catalogue of the sample and edge rows, opened, with a window and a loader on it.
struct Fixture {
    CatalogueFolder folder;
    TCatalogue catalogue;
    Window w;
    TStationLoader loader{catalogue, w.widgets()};
    explicit Fixture(const QStringList& sql = {}) {
        folder.exec(sql);
        catalogue.Open(folder.path());
    }
};

// The tree against what the catalogue's own sort and the general reader give: each category
// (the first with its id) holds the stations of "order by s_name" with that category id, in
// that order (equal names too), with the same values and icons; the language list is the
// distinct languages in the catalogue's order.
void expectCatalogueOrder(TCatalogue& catalogue, Window& w, TStationLoader& loader) {
    TQuery& query = catalogue.qrySQL();
    query.Open("select * from stations order by s_name");
    const TStationReader reader(query.Row().record());
    QHash<qint64, QList<std::pair<TItemPtr, int>>> expected;
    for (; !query.Eof(); query.Next()) {
        TItemPtr item = reader.Read(query.Row());
        expected[item->CategoryId] << std::pair{item, reader.Format(query.Row())};
    }
    QStringList languages{"(select)"};
    query.Open("select distinct(s_language) from stations order by s_language");
    for (bool empty = false; !query.Eof(); query.Next()) {
        const QString language = query.FieldByName("s_language").toString();
        if (!language.isEmpty() || !empty)
            languages << language;
        empty = empty || language.isEmpty();
    }
    query.Close();

    for (int i = 0; i < w.tree->topLevelItemCount(); ++i) {
        TStationNode* category = w.tree->topLevelItem(i);
        const qint64 id = itemOf(category)->CategoryId;
        const auto stations = loader.FindCategoryNode(id) == category
                                  ? expected.value(id)
                                  : QList<std::pair<TItemPtr, int>>();
        QCOMPARE(category->childCount(), stations.size());
        for (int j = 0; j < stations.size(); ++j) {
            const TItem& got = *itemOf(category->child(j));
            const TItem& want = *stations[j].first;
            QCOMPARE(got.Id, want.Id);
            QCOMPARE(got.IdExact, want.IdExact);
            QCOMPARE(got.Name, want.Name);
            QCOMPARE(got.Url, want.Url);
            QCOMPARE(got.Website, want.Website);
            QCOMPARE(got.Comment, want.Comment);
            QCOMPARE(got.Bitrate, want.Bitrate);
            QCOMPARE(got.Created, want.Created);
            QCOMPARE(got.Played, want.Played);
            QCOMPARE(got.Favorite, want.Favorite);
            const int format = stations[j].second;
            QCOMPARE(category->child(j)->icon(0).cacheKey(), format >= 0 && format < w.images.size()
                                                                 ? w.images[format].cacheKey()
                                                                 : QIcon().cacheKey());
        }
    }
    QCOMPARE(Window::texts(w.languages), languages);
}

} // namespace

class TestLoader : public QObject {
    Q_OBJECT
private slots:
    void treeRecordsAndIcons();
    void favoritesShareRecordsUntilReload();
    void searchListsAreFilledAndReset();
    void badDatabaseGivesOneBox_data();
    void badDatabaseGivesOneBox();
    void loadingWindowCounts();
    void emptyStationsTable();
    void failurePartWayKeepsWhatWasRead();
    void nestedLoadIsRefused();
    void oddRowsLoadAsTheCatalogueSortsThem();
    void utf16CatalogueKeepsItsOrder();
};

void TestLoader::treeRecordsAndIcons() {
    Fixture f({"insert into stations (s_id, c_id, s_name, s_format) values (6001, 48, 'F7', 7)"});
    Window& w = f.w;
    w.tree->setSortingEnabled(true); // the load keeps the database's order regardless
    expectOrphanWarning();
    f.loader.LoadStations(false);

    QCOMPARE(w.topTexts(), f.folder.strings("select c_name from categories order by c_name"));
    for (int i = 0; i < w.tree->topLevelItemCount(); ++i) {
        TStationNode* category = w.tree->topLevelItem(i);
        const TItemPtr record = itemOf(category);
        QVERIFY(record->Id == 0 && record->Name.isEmpty());
        QCOMPARE(category->icon(0).cacheKey(), w.images[4].cacheKey());
        QStringList names;
        for (int j = 0; j < category->childCount(); ++j) {
            const TItemPtr station = itemOf(category->child(j));
            QCOMPARE(station->CategoryId, record->CategoryId);
            QCOMPARE(station->CategoryName, category->text(0));
            names << station->Name;
        }
        QCOMPARE(names,
                 f.folder.strings("select s_name from stations where c_id = ? order by s_name",
                                  {record->CategoryId}));
    }
    QCOMPARE(w.stationCount(), f.folder.integer("select count(*) from stations") - 1);
    QVERIFY(!w.station(1316)); // its category does not exist
    QCOMPARE(w.tree->findItems("Antarctica")[0]->childCount(), 0);
    QCOMPARE(itemOf(w.station(1318))->Created,
             orvik::FormatCatalogueDate({}, orvik::SystemDateSeparator()));
    QCOMPARE(w.station(1308)->icon(0).cacheKey(), w.images[1].cacheKey()); // s_format 1
    QCOMPARE(w.station(1315)->icon(0).cacheKey(), w.images[2].cacheKey()); // s_format 2
    QVERIFY(w.station(6001)->icon(0).isNull());                            // beyond the images

    // The first node with the id, in tree order: the category node (two are called Germany).
    QCOMPARE(f.loader.FindCategoryNode(153), w.station(16)->parent());
    QVERIFY(f.loader.FindCategoryNode(52) != f.loader.FindCategoryNode(153));
    QCOMPARE(f.loader.FindCategoryNode(52)->text(0), "Germany");
    QVERIFY(!f.loader.FindCategoryNode(9999));
}

void TestLoader::favoritesShareRecordsUntilReload() {
    Fixture f({"update stations set s_favorite = 1 where s_id in (1308, 1316)"});
    Window& w = f.w;
    expectOrphanWarning();
    f.loader.LoadStations(false);
    QStringList names;
    for (int i = 0; i < w.favorites->count(); ++i) {
        const TItemPtr record = itemOf(w.favorites->item(i));
        QVERIFY(record->Favorite);
        QCOMPARE(record.get(), w.station(record->Id)->item.get()); // the tree's record itself
        QCOMPARE(w.favorites->item(i)->icon().cacheKey(),
                 w.station(record->Id)->icon(0).cacheKey());
        names << w.favorites->item(i)->text();
    }
    QCOMPARE(names, f.folder.strings("select s_name from stations where s_favorite = 1 and s_id <> "
                                     "1316 order by s_name"));

    std::weak_ptr<TItem> category = itemOf(w.tree->topLevelItem(0)),
                         favorite = itemOf(w.favorites->item(0));
    const qint64 id = favorite.lock()->Id;
    f.catalogue.qrySQL().ExecSQL("update stations set s_favorite = false where s_id = ?", {id});
    expectOrphanWarning();
    f.loader.LoadStations(false);
    QVERIFY(category.expired() && favorite.expired()); // released with their nodes
    QCOMPARE(w.favorites->count(), names.size() - 1);
    QVERIFY(!itemOf(w.station(id))->Favorite);
}

void TestLoader::searchListsAreFilledAndReset() {
    Fixture f;
    Window& w = f.w;
    w.rbCategory->setChecked(true);
    w.languages->setEnabled(true);
    w.results->addItem("stale result");
    expectOrphanWarning();
    f.loader.LoadStations(false);

    QCOMPARE(w.texts(w.realCategories),
             QStringList{"(select)"} +
                 f.folder.strings("select rc_name from real_categories order by rc_name"));
    QCOMPARE(w.texts(w.categories), QStringList{"(select)"} + w.topTexts());
    // NULL and the empty language give one empty entry, where the database sorts them.
    QCOMPARE(w.texts(w.languages),
             QStringList({"(select)", ""}) +
                 f.folder.strings("select distinct(s_language) from stations "
                                  "where s_language <> '' order by s_language"));
    for (QComboBox* box : {w.realCategories, w.categories, w.languages})
        QVERIFY(box->currentIndex() == 0 && !box->isEnabled());
    QVERIFY(!w.rbStationCategory->isChecked() && !w.rbCategory->isChecked() &&
            !w.rbLanguage->isChecked());
    QVERIFY(w.rbCategory->autoExclusive());
    QCOMPARE(w.results->count(), 0);
}

void TestLoader::badDatabaseGivesOneBox_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << QByteArray() << "unable to open database file";
    QTest::newRow("garbage") << QByteArray(4096, 'Z') << "file is not a database";
}

void TestLoader::badDatabaseGivesOneBox() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    CatalogueFolder folder(CatalogueFolder::NoDatabase);
    if (!content.isNull()) {
        QFile file(folder.dbPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    }
    CataloguePresenter presenter;
    LoadingWatcher watcher;
    TCatalogue catalogue;
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    orvik::runReporting([&] { // as at start-up: open and load in one guarded block
        catalogue.Open(folder.path());
        loader.LoadStations(false);
    });
    QCOMPARE(presenter.boxes.size(), 1);
    QCOMPARE(presenter.boxes[0].kind, orvik::MessagePresenter::Kind::Error);
    QVERIFY2(presenter.boxes[0].text.contains(expected), qPrintable(presenter.boxes[0].text));
    QCOMPARE(w.tree->topLevelItemCount(), 0);

    loader.LoadStations(true); // a later reload: one more box, no window left behind
    QCOMPARE(presenter.boxes.size(), 2);
    QCOMPARE(presenter.boxes[1].text, "The catalogue is not open.");
    QVERIFY(watcher.captions.isEmpty());
    QFile file(folder.dbPath());
    QCOMPARE(file.exists(), !content.isNull());
    QVERIFY(content.isNull() || (file.open(QIODevice::ReadOnly) && file.readAll() == content));
}

void TestLoader::loadingWindowCounts() {
    Fixture f;
    f.w.owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.w.owner));
    LoadingWatcher watcher;
    expectOrphanWarning();
    f.loader.LoadStations(true);

    const int rows = f.folder.integer("select count(*) from stations"); // the orphan counts too
    QCOMPARE(watcher.captions.size(), rows + 1);
    QCOMPARE(watcher.captions[0], "Please wait, loading...");
    QCOMPARE(watcher.captions[1], "Loading Stations...(1)");
    QCOMPARE(watcher.captions[250], "Loading Stations...(250)");
    QCOMPARE(watcher.captions.last(), QStringLiteral("Loading Stations...(%1)").arg(rows));
    QVERIFY(watcher.flags.testFlags(Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint));
    QCOMPARE(watcher.geometry.size(), QSize(179, 35));
    QVERIFY(
        (watcher.geometry.center() - f.w.owner.screen()->geometry().center()).manhattanLength() <=
        2);
    QVERIFY(watcher.window.isNull()); // gone with the load
    QCOMPARE(f.w.stationCount(), rows - 1);
}

void TestLoader::emptyStationsTable() {
    Fixture f({"delete from stations"});
    LoadingWatcher watcher;
    f.loader.LoadStations(true);
    QCOMPARE(watcher.captions, QStringList{"Please wait, loading..."});
    QVERIFY(watcher.window.isNull());
    QCOMPARE(f.w.tree->topLevelItemCount(), f.folder.integer("select count(*) from categories"));
    QCOMPARE(f.w.stationCount() + f.w.favorites->count(), 0);
    QCOMPARE(f.w.texts(f.w.languages), QStringList{"(select)"});
}

void TestLoader::failurePartWayKeepsWhatWasRead() {
    // The stations come through a view that fails on the row "Magic 89.9": the rows before it
    // (in name order, read through an index) arrive, then stepping to it fails.
    Fixture f(
        {"alter table stations rename to station_rows",
         "create index station_names on station_rows (s_name)",
         "create view stations as select s_id, c_id, rc_id, s_name, s_url, s_website, s_comment, "
         "s_bitrate, s_format, s_language, s_created, s_played, case when s_name = 'Magic 89.9' "
         "then abs(-9223372036854775807 - 1) else s_favorite end as s_favorite from station_rows",
         "insert into station_rows (s_id, c_id, s_name) values (7000, 48, 'Magic 89.9')"});
    const int before =
        f.folder.integer("select count(*) from station_rows where s_name < 'Magic 89.9'");
    QVERIFY(before > 100);
    CataloguePresenter presenter;
    LoadingWatcher watcher;
    f.w.languages->setEnabled(true);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("statement failed: integer overflow"));
    f.loader.LoadStations(true);

    QCOMPARE(presenter.boxes.size(), 1);
    QCOMPARE(presenter.boxes[0].text, "integer overflow");
    QVERIFY(watcher.window.isNull());
    QCOMPARE(watcher.captions.last(), QStringLiteral("Loading Stations...(%1)").arg(before));
    QCOMPARE(f.w.stationCount(), before);                        // what was read stays
    QCOMPARE(f.w.texts(f.w.languages), QStringList{"(select)"}); // later steps never ran
    QVERIFY(f.w.languages->isEnabled());
}

void TestLoader::nestedLoadIsRefused() {
    Fixture f;
    bool fired = false;
    QTimer::singleShot(0, [&] { // fires while the loading window is painted
        fired = true;
        f.loader.LoadStations(false);
    });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already running"));
    expectOrphanWarning();
    f.loader.LoadStations(true);
    QVERIFY(fired);
    QCOMPARE(f.w.stationCount(), f.folder.integer("select count(*) from stations") - 1);
}

void TestLoader::oddRowsLoadAsTheCatalogueSortsThem() {
    // Names the catalogue sorts by type and then byte by byte: equal names (in row order),
    // NULL, empty, blobs, invalid UTF-8, a NUL inside, long common beginnings; values of every
    // type in the other columns.
    const QString insert = "insert into stations (s_id, c_id, s_name, s_url, s_comment, s_bitrate, "
                           "s_format, s_language, s_created, s_played, s_favorite) values ";
    Fixture f(
        {insert + "(8001, 48, 'Twin', x'687474703a2f2f61', cast(x'41ff42' as text), 128, "
                  "'2', 'Zulu', '2020-02-30', 20200101, 'true')",
         insert + "(8000, 48, 'Twin', 'u', 'c', 1.5, 'x', x'41', '2020-01-01T10:00:00', "
                  "' 2020-01-05', ' 1 ')",
         insert + "(8002, 48, NULL, NULL, NULL, NULL, 300, NULL, NULL, '2020-01-01x', 'yes')",
         insert + "(8003, 48, '', '', '', '', -1, '', '', '', 2.5)",
         insert + "(8004, 48, x'5477696e', 'b', 'b', x'31', 1, 'zulu', x'32', NULL, x'01')",
         insert + "(8005, 48, cast(x'5477c3' as text), 'i', 'i', '', 2, 'Zulu', "
                  "'1999-12-31', '2000-01-01', 0)",
         insert + "(8006, 48, cast(x'ff41' as text), 'i', 'i', '', 2, cast(x'ff' as text), "
                  "'1999-12-31', '2000-01-01', 'False')",
         insert + "(8007, 48, 'Twin' || char(0) || 'x', 'n', 'n', '', 0, 'ab', NULL, NULL, 1)",
         insert + "(8008, 48, 'Radio Station Long Name', 'p', 'p', '', 0, 'aB', NULL, NULL, 0)",
         insert + "(8009, 48, 'Radio Station Long Name A', 'p', 'p', '', 0, 'ab', NULL, NULL, 0)",
         insert + "(8010, 48, 'Radio Station Long', 'p', 'p', '', 0, 5, NULL, NULL, 0)",
         insert + "(7999, 48, 'Twin', 'u', 'c', '', 0, '5', NULL, NULL, 0)"});
    expectOrphanWarning();
    f.loader.LoadStations(false);
    expectCatalogueOrder(f.catalogue, f.w, f.loader);
    if (QTest::currentTestFailed())
        return;
    // The equal names in row order, as the catalogue's sort keeps them; the blob of the same
    // bytes reads alike but sorts after every text.
    QList<qint64> twins;
    TStationNode* category = f.w.station(8000)->parent();
    for (int j = 0; j < category->childCount(); ++j)
        if (itemOf(category->child(j))->Name == "Twin")
            twins << itemOf(category->child(j))->Id;
    QCOMPARE(twins, QList<qint64>({7999, 8000, 8001, 8004}));

    // A reload gives the same again (the favorites too).
    const int favorites = f.w.favorites->count();
    expectOrphanWarning();
    f.loader.LoadStations(true);
    expectCatalogueOrder(f.catalogue, f.w, f.loader);
    QCOMPARE(f.w.favorites->count(), favorites);
}

void TestLoader::utf16CatalogueKeepsItsOrder() {
    // UTF-16 texts sort otherwise than their UTF-8 bytes: a character past U+FFFF (a surrogate
    // pair) before U+FF5E there, after it in UTF-8.
    CatalogueFolder folder(CatalogueFolder::NoDatabase);
    const QString wide = QString::fromUtf8("A\xef\xbd\x9e"),
                  emoji = QString::fromUtf8("A\xf0\x9f\x98\x80");
    QVERIFY2(folder.exec({"pragma encoding = 'UTF-16le'",
                          "create table categories (c_id integer primary key, c_name text)",
                          "create table real_categories (rc_id integer primary key, rc_name text)",
                          "create table stations (s_id integer primary key, c_id integer, "
                          "rc_id integer, s_name text, s_url text, s_website text, s_comment "
                          "text, s_bitrate text, s_format integer default 0, s_language text, "
                          "s_created datetime, s_played datetime, s_favorite boolean default 0)",
                          "insert into categories values (1, 'One')",
                          "insert into stations (s_id, c_id, s_name, s_language) values (1, 1, '" +
                              wide + "', '" + wide + "')",
                          "insert into stations (s_id, c_id, s_name, s_language) values (2, 1, '" +
                              emoji + "', '" + emoji + "')"}),
             qPrintable(folder.error()));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    loader.LoadStations(false);
    QCOMPARE(w.tree->topLevelItem(0)->child(0)->text(0), emoji);
    QCOMPARE(w.tree->topLevelItem(0)->child(1)->text(0), wide);
    expectCatalogueOrder(catalogue, w, loader);
}

QTEST_MAIN(TestLoader)
#include "test_loader.moc"
