// Loading the catalogue into the station tree, the favorites list and the search lists, with
// and without the loading window.

#include "CaptionPanel.h"
#include "Catalogue.h"
#include "CatalogueDate.h"
#include "CatalogueFixture.h"
#include "CataloguePresenter.h"
#include "ErrorWrapper.h"
#include "LoadStationsWindow.h"
#include "Nodes.h"
#include "Query.h"
#include "StationLoader.h"
#include "Table.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QIcon swatch(Qt::GlobalColor colour) {
    QPixmap pixmap(16, 16);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// A stand-in for the main window's part that a load fills.
struct Window {
    QWidget owner;
    QTreeWidget* tree = new QTreeWidget(&owner);
    QListWidget* favorites = new QListWidget(&owner);
    QComboBox* stationCategory = new QComboBox(&owner);
    QComboBox* category = new QComboBox(&owner);
    QComboBox* language = new QComboBox(&owner);
    QRadioButton* rbStationCategory = new QRadioButton(QStringLiteral("Category"), &owner);
    QRadioButton* rbCategory = new QRadioButton(QStringLiteral("Country"), &owner);
    QRadioButton* rbLanguage = new QRadioButton(QStringLiteral("Language"), &owner);
    QListWidget* results = new QListWidget(&owner);
    QList<QIcon> images{swatch(Qt::red), swatch(Qt::green), swatch(Qt::yellow), swatch(Qt::blue),
                        swatch(Qt::darkYellow)};

    Window() {
        auto* layout = new QVBoxLayout(&owner);
        for (QWidget* w :
             std::initializer_list<QWidget*>{tree, favorites, stationCategory, category, language,
                                             rbStationCategory, rbCategory, rbLanguage, results})
            layout->addWidget(w);
        owner.resize(400, 600);
    }

    TStationWidgets widgets() {
        return {tree,       favorites,  stationCategory, category, language, rbStationCategory,
                rbCategory, rbLanguage, results,         images,   &owner};
    }

    QStringList texts(QComboBox* box) const {
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
    TStationNode* station(qint32 id) const {
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->parent() && itemOf(*it)->Id == id)
                return static_cast<TStationNode*>(*it);
        return nullptr;
    }
};

// Watches the loading window: its captions in order, how it was shown, and that it went away.
class LoadingWatcher : public QObject {
public:
    LoadingWatcher() { qApp->installEventFilter(this); }
    ~LoadingWatcher() override { qApp->removeEventFilter(this); }

    QStringList captions;
    int shown = 0;
    QRect geometry;
    Qt::WindowFlags flags;
    QPointer<QWidget> window;
    QWidget* parent = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == u"frmLoadStations") {
            auto* w = qobject_cast<QWidget*>(watched);
            ++shown;
            window = w;
            geometry = w->frameGeometry();
            flags = w->windowFlags();
            parent = w->parentWidget();
            auto* panel = w->findChild<TCaptionPanel*>(QStringLiteral("pnlCat"));
            if (panel) {
                captions << panel->caption();
                connect(panel, &TCaptionPanel::captionChanged, this,
                        [this](const QString& caption) { captions << caption; });
            }
        }
        return false;
    }
};

QString day(const char* mmddyyyy) {
    return QString::fromLatin1(mmddyyyy).replace(u'/', orvik::SystemDateSeparator());
}

void expectOrphanWarning() {
    QTest::ignoreMessage(
        QtWarningMsg, QRegularExpression("Station 1316 \"Orphan Station \\(sample\\)\" left out"));
}

} // namespace

class TestLoader : public QObject {
    Q_OBJECT
private slots:
    void treeFollowsDatabaseOrder();
    void stationRecordsAndIcons();
    void favoritesShareTreeRecords();
    void reloadReleasesRecords();
    void searchListsAndReset();
    void namesWithQuotesLoadExactly();
    void findCategoryNode();
    void missingDatabaseGivesOneBox();
    void garbageDatabaseGivesOneBox();
    void loadingWindowCounts();
    void emptyStationsTable();
    void failurePartWayKeepsWhatWasRead();
    void nestedLoadIsRefused();
};

void TestLoader::treeFollowsDatabaseOrder() {
    CatalogueFolder folder;
    QVERIFY2(folder.error().isEmpty(), qPrintable(folder.error()));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    w.tree->setSortingEnabled(true); // the load keeps the database's order regardless
    expectOrphanWarning();
    loader.LoadStations(false);

    QCOMPARE(w.topTexts(), folder.strings("select c_name from categories order by c_name"));
    for (int i = 0; i < w.tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = w.tree->topLevelItem(i);
        const TItemPtr record = itemOf(category);
        QVERIFY(record);
        QStringList names;
        for (int j = 0; j < category->childCount(); ++j) {
            names << category->child(j)->text(0);
            QCOMPARE(category->child(j)->childCount(), 0);
        }
        QCOMPARE(names, folder.strings("select s_name from stations where c_id = ? order by s_name",
                                       {record->CategoryId}));
    }
    // Every station but the one whose category does not exist.
    QCOMPARE(w.stationCount(), folder.integer("select count(*) from stations") - 1);
    QVERIFY(!w.station(1316));

    // A category without stations, and two categories of the same name.
    const QList<QTreeWidgetItem*> antarctica = w.tree->findItems("Antarctica", Qt::MatchExactly);
    QCOMPARE(antarctica.size(), 1);
    QCOMPARE(antarctica[0]->childCount(), 0);
    const QList<QTreeWidgetItem*> germany = w.tree->findItems("Germany", Qt::MatchExactly);
    QCOMPARE(germany.size(), 2);
    QVERIFY(itemOf(germany[0])->CategoryId != itemOf(germany[1])->CategoryId);
    QCOMPARE(w.station(16)->parent()->text(0), QStringLiteral("Germany"));
    QCOMPARE(itemOf(w.station(16)->parent())->CategoryId, 153);
    QCOMPARE(w.station(1319)->parent()->text(0), QStringLiteral("Côte d'Ivoire"));
    QVERIFY(!w.tree->currentItem());
}

void TestLoader::stationRecordsAndIcons() {
    CatalogueFolder folder;
    QVERIFY(folder.exec({"insert into stations (s_id, c_id, s_name, s_format) values "
                         "(6001, 48, 'Format Seven', 7), (6002, 48, 'Format Minus', -1)"}));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    expectOrphanWarning();
    loader.LoadStations(false);

    for (int i = 0; i < w.tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = w.tree->topLevelItem(i);
        const TItemPtr record = itemOf(category);
        QCOMPARE(record->Id, 0);
        QVERIFY(record->Name.isEmpty() && record->Created.isEmpty() && !record->Favorite);
        QCOMPARE(category->icon(0).cacheKey(), w.images[4].cacheKey());
        for (int j = 0; j < category->childCount(); ++j) {
            const TItemPtr station = itemOf(category->child(j));
            QCOMPARE(station->CategoryId, record->CategoryId);
            QCOMPARE(station->CategoryName, category->text(0));
            QCOMPARE(station->Name, category->child(j)->text(0));
        }
    }

    const TItemPtr bob = itemOf(w.station(11));
    QCOMPARE(bob->Url,
             QStringLiteral("http://streams.radiobob.de/bob-alternative/mp3-192/mediaplayer"));
    QCOMPARE(bob->Created, day("06/14/2022"));
    QCOMPARE(bob->Played, day("10/12/2024"));
    QCOMPARE(itemOf(w.station(1318))->Created, day("12/30/1899"));
    QCOMPARE(itemOf(w.station(1318))->Played, day("12/30/1899"));
    QVERIFY(!itemOf(w.station(1317))->Favorite);

    // The station's icon is the image of its format; a format outside the list has none.
    QCOMPARE(w.station(11)->icon(0).cacheKey(), w.images[0].cacheKey());
    QCOMPARE(w.station(1308)->icon(0).cacheKey(), w.images[1].cacheKey());
    QCOMPARE(w.station(1315)->icon(0).cacheKey(), w.images[2].cacheKey());
    QVERIFY(w.station(6001)->icon(0).isNull());
    QVERIFY(w.station(6002)->icon(0).isNull());
}

void TestLoader::favoritesShareTreeRecords() {
    CatalogueFolder folder;
    QVERIFY(folder.exec({"update stations set s_favorite = 1 where s_id in (1308, 1316)"}));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    expectOrphanWarning();
    loader.LoadStations(false);

    // Name order across all categories, the orphan left out.
    QStringList names;
    for (int i = 0; i < w.favorites->count(); ++i)
        names << w.favorites->item(i)->text();
    QCOMPARE(names, folder.strings("select s_name from stations where s_favorite = 1 and "
                                   "s_id <> 1316 order by s_name"));
    QVERIFY(names.size() > 50);
    for (int i = 0; i < w.favorites->count(); ++i) {
        QListWidgetItem* favorite = w.favorites->item(i);
        const TItemPtr record = itemOf(favorite);
        QVERIFY(record && record->Favorite);
        TStationNode* node = w.station(record->Id);
        QVERIFY(node);
        QCOMPARE(node->item.get(), record.get()); // the same record, not a copy
        QCOMPARE(favorite->icon().cacheKey(), node->icon(0).cacheKey());
    }
    QCOMPARE(
        itemOf(w.favorites->findItems("Real Audio Archive (sample)", Qt::MatchExactly)[0]).get(),
        w.station(1308)->item.get());
}

void TestLoader::reloadReleasesRecords() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    expectOrphanWarning();
    loader.LoadStations(false);

    std::weak_ptr<TItem> category = itemOf(w.tree->topLevelItem(0));
    std::weak_ptr<TItem> favorite = itemOf(w.favorites->item(0));
    const qint32 favoriteId = favorite.lock()->Id;
    w.results->addItem(new TStationListItem(std::make_shared<TItem>(), QStringLiteral("found")));
    std::weak_ptr<TItem> result = itemOf(w.results->item(0));
    QVERIFY(!category.expired() && !favorite.expired() && !result.expired());

    // A favorite is unmarked in the database: the reload builds the list from there.
    catalogue.qrySQL().ExecSQL("update stations set s_favorite = false where s_id = ?",
                               {favoriteId});
    expectOrphanWarning();
    loader.LoadStations(false);
    QVERIFY(category.expired());
    QVERIFY(favorite.expired());
    QVERIFY(result.expired());
    QVERIFY(!itemOf(w.station(favoriteId))->Favorite);
    for (int i = 0; i < w.favorites->count(); ++i)
        QVERIFY(itemOf(w.favorites->item(i))->Id != favoriteId);
}

void TestLoader::searchListsAndReset() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    // The radio buttons as the search tab has them: one exclusive group.
    w.rbCategory->setChecked(true);
    w.language->addItem("stale");
    w.language->setEnabled(true);
    w.category->setEnabled(true);
    w.results->addItem("stale result");
    TStationLoader loader(catalogue, w.widgets());
    expectOrphanWarning();
    loader.LoadStations(false);

    QCOMPARE(w.texts(w.stationCategory),
             QStringList{"(select)"} +
                 folder.strings("select rc_name from real_categories order by rc_name"));
    QCOMPARE(w.texts(w.category), QStringList{"(select)"} + w.topTexts());
    QCOMPARE(w.texts(w.category).count("Germany"), 2);

    // NULL and the empty language give one empty entry, where the database sorts them.
    const QStringList languages = w.texts(w.language);
    QCOMPARE(languages.first(), QStringLiteral("(select)"));
    QCOMPARE(languages.count(QString()), 1);
    QCOMPARE(languages.at(1), QString());
    QCOMPARE(languages.mid(2), folder.strings("select distinct(s_language) from stations where "
                                              "s_language <> '' order by s_language"));

    for (QComboBox* box : {w.stationCategory, w.category, w.language}) {
        QCOMPARE(box->currentIndex(), 0);
        QVERIFY(!box->isEnabled());
    }
    for (QRadioButton* button : {w.rbStationCategory, w.rbCategory, w.rbLanguage})
        QVERIFY(!button->isChecked());
    QCOMPARE(w.results->count(), 0);

    // The same in an exclusive button group.
    QButtonGroup group;
    for (QRadioButton* button : {w.rbStationCategory, w.rbCategory, w.rbLanguage})
        group.addButton(button);
    w.rbLanguage->setChecked(true);
    expectOrphanWarning();
    loader.LoadStations(false);
    QVERIFY(!w.rbLanguage->isChecked());
    QVERIFY(group.exclusive());
    QVERIFY(w.rbLanguage->autoExclusive());
}

void TestLoader::namesWithQuotesLoadExactly() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    const QString category = QStringLiteral("Rock 'n' Roll -- Live; Now");
    const QString station = QStringLiteral("DJ's \"Night\"; drop table stations; --");
    catalogue.tblCategories().Append();
    catalogue.tblCategories().SetField("c_name", category);
    catalogue.tblCategories().Post();
    const QVariant cId = catalogue.tblCategories().Field("c_id");
    catalogue.tblStations().Append();
    catalogue.tblStations().SetField("s_name", station);
    catalogue.tblStations().SetField("c_id", cId);
    catalogue.tblStations().SetField("s_language", "Klingon's");
    catalogue.tblStations().SetField("s_created", QDateTime::currentDateTime());
    catalogue.tblStations().Post();

    Window w;
    TStationLoader loader(catalogue, w.widgets());
    expectOrphanWarning();
    loader.LoadStations(false);
    const QList<QTreeWidgetItem*> found = w.tree->findItems(category, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0]->childCount(), 1);
    QCOMPARE(found[0]->child(0)->text(0), station);
    QCOMPARE(itemOf(found[0]->child(0))->CategoryName, category);
    QCOMPARE(
        itemOf(found[0]->child(0))->Created,
        QDate::currentDate().toString("MM/dd/yyyy").replace(u'/', orvik::SystemDateSeparator()));
    QVERIFY(w.texts(w.category).contains(category));
    QVERIFY(w.texts(w.language).contains("Klingon's"));
}

void TestLoader::findCategoryNode() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    QVERIFY(!loader.FindCategoryNode(48));
    expectOrphanWarning();
    loader.LoadStations(false);

    for (qint32 id : {1, 4, 35, 52, 153}) {
        TStationNode* node = loader.FindCategoryNode(id);
        QVERIFY(node);
        QVERIFY(!node->parent());
        QCOMPARE(node->item->CategoryId, id);
        QCOMPARE(node->text(0),
                 folder.strings("select c_name from categories where c_id = ?", {id})[0]);
    }
    QVERIFY(loader.FindCategoryNode(153) != loader.FindCategoryNode(52));
    QVERIFY(!loader.FindCategoryNode(9999));
    QVERIFY(!loader.FindCategoryNode(0));
}

void TestLoader::missingDatabaseGivesOneBox() {
    CatalogueFolder folder(CatalogueFolder::NoDatabase);
    CataloguePresenter presenter;
    LoadingWatcher watcher;
    TCatalogue catalogue;
    Window w;
    TStationLoader loader(catalogue, w.widgets());

    // Start-up: open and load in one guarded block.
    orvik::runReporting([&] {
        catalogue.Open(folder.path());
        loader.LoadStations(false);
    });
    QCOMPARE(presenter.boxes.size(), 1);
    QCOMPARE(presenter.boxes[0].kind, orvik::MessagePresenter::Kind::Error);
    QVERIFY2(presenter.boxes[0].text.contains("unable to open database file"),
             qPrintable(presenter.boxes[0].text));
    QCOMPARE(w.tree->topLevelItemCount(), 0);
    QVERIFY(!QFile::exists(folder.dbPath()));

    // A later reload on the closed catalogue: one box, no window left behind, still no file.
    loader.LoadStations(true);
    QCOMPARE(presenter.boxes.size(), 2);
    QCOMPARE(presenter.boxes[1].text, QStringLiteral("The catalogue is not open."));
    QCOMPARE(watcher.shown, 0);
    QCOMPARE(w.tree->topLevelItemCount(), 0);
    QCOMPARE(w.favorites->count(), 0);
    QVERIFY(!QFile::exists(folder.dbPath()));
}

void TestLoader::garbageDatabaseGivesOneBox() {
    CatalogueFolder folder(CatalogueFolder::NoDatabase);
    {
        QFile f(folder.dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, '\x5a'));
    }
    CataloguePresenter presenter;
    TCatalogue catalogue;
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    orvik::runReporting([&] {
        catalogue.Open(folder.path());
        loader.LoadStations(false);
    });
    QCOMPARE(presenter.boxes.size(), 1);
    QVERIFY2(presenter.boxes[0].text.contains("file is not a database"),
             qPrintable(presenter.boxes[0].text));
    QCOMPARE(w.tree->topLevelItemCount(), 0);
    QFile f(folder.dbPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray(4096, '\x5a'));
}

void TestLoader::loadingWindowCounts() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    w.owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.owner));
    TStationLoader loader(catalogue, w.widgets());
    LoadingWatcher watcher;
    expectOrphanWarning();
    loader.LoadStations(true);

    const int rows = folder.integer("select count(*) from stations");
    QCOMPARE(watcher.shown, 1);
    QCOMPARE(watcher.captions.size(), rows + 1);
    QCOMPARE(watcher.captions[0], QStringLiteral("Please wait, loading..."));
    QCOMPARE(watcher.captions[1], QStringLiteral("Loading Stations...(1)"));
    QCOMPARE(watcher.captions[250], QStringLiteral("Loading Stations...(250)"));
    QCOMPARE(watcher.captions.last(), QStringLiteral("Loading Stations...(%1)").arg(rows));

    // Borderless, on top, owned by the main window, 179 x 35 in the middle of the screen.
    QVERIFY(watcher.flags.testFlag(Qt::FramelessWindowHint));
    QVERIFY(watcher.flags.testFlag(Qt::WindowStaysOnTopHint));
    QCOMPARE(watcher.parent, &w.owner);
    QCOMPARE(watcher.geometry.size(), QSize(179, 35));
    const QPoint centre = w.owner.screen()->geometry().center();
    QVERIFY(qAbs(watcher.geometry.center().x() - centre.x()) <= 1);
    QVERIFY(qAbs(watcher.geometry.center().y() - centre.y()) <= 1);

    // Gone once the stations are read; the load itself is complete.
    QVERIFY(watcher.window.isNull());
    QCOMPARE(w.stationCount(), rows - 1);
    QVERIFY(!w.language->isEnabled());
}

void TestLoader::emptyStationsTable() {
    CatalogueFolder folder;
    QVERIFY(folder.exec({"delete from stations"}));
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    LoadingWatcher watcher;
    loader.LoadStations(true);

    QCOMPARE(watcher.captions, QStringList{"Please wait, loading..."});
    QVERIFY(watcher.window.isNull());
    QCOMPARE(w.tree->topLevelItemCount(), folder.integer("select count(*) from categories"));
    QCOMPARE(w.stationCount(), 0);
    QCOMPARE(w.favorites->count(), 0);
    QCOMPARE(w.texts(w.language), QStringList{"(select)"});
    QCOMPARE(w.language->currentIndex(), 0);
}

void TestLoader::failurePartWayKeepsWhatWasRead() {
    // The station rows come through a view that fails on the row named "Magic 89.9": the rows
    // before it (in name order, read through an index) arrive, then stepping fails.
    CatalogueFolder folder;
    QVERIFY(folder.exec(
        {"alter table stations rename to station_rows",
         "create index station_names on station_rows (s_name)",
         "create view stations as select s_id, c_id, rc_id, s_name, s_url, s_website, s_comment, "
         "s_bitrate, s_format, s_language, s_created, s_played, case when s_name = 'Magic 89.9' "
         "then abs(-9223372036854775807 - 1) else s_favorite end as s_favorite from station_rows",
         "insert into station_rows (s_id, c_id, s_name) values (7000, 48, 'Magic 89.9')"}));
    QVERIFY2(folder.error().isEmpty(), qPrintable(folder.error()));
    const QStringList before =
        folder.strings("select s_name from station_rows where s_name < 'Magic 89.9' and c_id in "
                       "(select c_id from categories) order by s_name");
    QVERIFY(before.size() > 100);

    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    CataloguePresenter presenter;
    LoadingWatcher watcher;
    w.language->setEnabled(true);
    w.rbLanguage->setChecked(true);
    QTest::ignoreMessage(QtWarningMsg,
                         QRegularExpression("Catalogue statement failed: integer overflow"));
    loader.LoadStations(true);

    QCOMPARE(presenter.boxes.size(), 1);
    QCOMPARE(presenter.boxes[0].text, QStringLiteral("integer overflow"));
    QVERIFY(watcher.window.isNull());
    // The count names the rows that arrived; the failing one never did.
    QCOMPARE(watcher.captions.last(), QStringLiteral("Loading Stations...(%1)").arg(before.size()));
    // What was read stays; what comes after the failure never ran.
    QCOMPARE(w.stationCount(), before.size());
    QCOMPARE(w.topTexts(), folder.strings("select c_name from categories order by c_name"));
    QCOMPARE(w.texts(w.language), QStringList{"(select)"});
    QVERIFY(w.language->isEnabled());
    QVERIFY(w.rbLanguage->isChecked());
}

void TestLoader::nestedLoadIsRefused() {
    CatalogueFolder folder;
    TCatalogue catalogue;
    catalogue.Open(folder.path());
    Window w;
    TStationLoader loader(catalogue, w.widgets());
    // Something that fires while the loading window paints asks for another load.
    bool fired = false;
    QTimer::singleShot(0, [&] {
        fired = true;
        loader.LoadStations(false);
    });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("already running"));
    expectOrphanWarning();
    loader.LoadStations(true);
    QVERIFY(fired);
    QCOMPARE(w.stationCount(), folder.integer("select count(*) from stations") - 1);
    QCOMPARE(w.tree->topLevelItemCount(), folder.integer("select count(*) from categories"));
}

QTEST_MAIN(TestLoader)
#include "test_loader.moc"
