// Loading the catalogue into the station tree, the favorites list and the search lists, with
// and without the loading window.

#include "app/catalogue/CaptionPanel.h"
#include "app/catalogue/Catalogue.h"
#include "app/catalogue/CatalogueDate.h"
#include "app/catalogue/Nodes.h"
#include "app/catalogue/Query.h"
#include "app/catalogue/StationLoader.h"
#include "core/ErrorWrapper.h"
#include "tests/common/CatalogueFixture.h"
#include "tests/common/CataloguePresenter.h"

#include "app/catalogue/StationTree.h"
#include <QComboBox>
#include <QListWidget>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
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

QTEST_MAIN(TestLoader)
#include "test_loader.moc"
