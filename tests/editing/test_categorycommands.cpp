// Adding, renaming and deleting categories, and the Update rules of every editing command.
#include "tests/editing/EditingWindow.h"

#include "app/catalogue/CatalogueErrors.h"
#include "app/catalogue/LoadStationsWindow.h"
#include "app/forms/PlaylistCommands.h"
#include "tests/common/FileAccess.h"

namespace {

// Counts the loading windows that are shown.
class LoadingWindowWatch : public QObject {
public:
    LoadingWindowWatch() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<TfrmLoadStations*>(o))
            ++shown;
        return false;
    }
    int shown = 0;
};

// Every rename leaves a line in rename_log.
const QStringList renameLog = {
    "CREATE TABLE rename_log (c_id INTEGER, c_name TEXT)",
    "CREATE TRIGGER log_rename AFTER UPDATE ON categories BEGIN "
    "INSERT INTO rename_log VALUES (new.c_id, new.c_name); END",
};

const QString germany = QStringLiteral("153"); // the second "Germany", with five stations

} // namespace

Q_DECLARE_METATYPE(std::optional<QString>)

class TestCategoryCommands : public QObject {
    Q_OBJECT
private slots:
    void addWithoutNameWritesNothing_data();
    void addWithoutNameWritesNothing();
    void addStoresAsTypedAndReloads();
    void rename_data();
    void rename();
    void deleteAnsweredNo();
    void deleteRemovesRowsAndNodes();
    void failingDeleteLosesNothing();
    void wideIdsNameOnlyTheirRows();
    void readOnlyCatalogueRefusesEveryEdit();
    void updateRules_data();
    void updateRules();
};

void TestCategoryCommands::addWithoutNameWritesNothing_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << true;
    QTest::newRow("empty line") << false;
}

void TestCategoryCommands::addWithoutNameWritesNothing() {
    QFETCH(bool, cancel);
    EditingWindow t;
    LoadingWindowWatch loads;
    const int before = t.count("select count(*) from categories");
    t.select(QStringLiteral("France"));
    t.boxes.answers.push_back(cancel ? std::nullopt : std::optional<QString>(QString()));
    t.u.actAddCategory->trigger();
    QCOMPARE(t.boxes.inputs.size(), 1);
    QCOMPARE(t.boxes.inputs[0].title, QStringLiteral("New Category"));
    QCOMPARE(t.boxes.inputs[0].text, QStringLiteral("Please enter a name for the new category"));
    QCOMPARE(t.boxes.inputInitials, QStringList{QString()});
    QCOMPARE(t.count("select count(*) from categories"), before);
    QCOMPARE(loads.shown, 0);
    QVERIFY(t.selected() && t.selected()->text(0) == QLatin1String("France")); // no reload
}

void TestCategoryCommands::addStoresAsTypedAndReloads() {
    EditingWindow t;
    LoadingWindowWatch loads;
    const int before = t.count("select count(*) from categories");
    t.select(QStringLiteral("France"));
    // A duplicate name, with the spaces kept.
    t.boxes.answers.push_back(QStringLiteral(" Germany "));
    t.u.actAddCategory->trigger();
    QCOMPARE(t.count("select count(*) from categories"), before + 1);
    QCOMPARE(t.count("select count(*) from categories where c_name = ' Germany '"), 1);
    QCOMPARE(loads.shown, 1);
    // The reload keeps the selection.
    QVERIFY(t.selected() && t.selected()->text(0) == QLatin1String("France"));
    // Listed in name order, in the tree and under "Country".
    TStationNode* added = t.node(QStringLiteral(" Germany "));
    QVERIFY(added);
    QCOMPARE(t.u.tvStations->indexOfTopLevelItem(added), 0);
    QCOMPARE(t.u.cbCategory->itemText(1), QStringLiteral(" Germany "));
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestCategoryCommands::rename_data() {
    QTest::addColumn<QString>("id");
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QString>("written");
    QTest::newRow("new name") << "37" << std::optional<QString>("Danmark") << "Danmark";
    QTest::newRow("cancel writes the old name") << "37" << std::optional<QString>() << "Denmark";
    QTest::newRow("empty name") << "37" << std::optional<QString>("") << "";
    QTest::newRow("apostrophe") << "35" << std::optional<QString>("Côte d'Ivoire (CI)")
                                << "Côte d'Ivoire (CI)";
}

void TestCategoryCommands::rename() {
    QFETCH(QString, id);
    QFETCH(std::optional<QString>, answer);
    QFETCH(QString, written);
    EditingWindow t(renameLog);
    const QString sql = QStringLiteral("select c_name from categories where c_id <> %1");
    const QStringList others = t.column(sql.arg(id));
    const QString old = t.column("select c_name from categories where c_id = " + id).value(0);
    TStationNode* node = t.node(old);
    const QString child = node->child(0)->text(0);
    t.select(old);
    t.boxes.answers.push_back(answer);
    t.u.actEditCategory->trigger();

    QCOMPARE(t.boxes.inputs.value(0).title, QStringLiteral("Edit Category"));
    QCOMPARE(t.boxes.inputs.value(0).text, QStringLiteral("Enter the new name of the category"));
    QCOMPARE(t.boxes.inputInitials, QStringList{old});
    QCOMPARE(t.column("select c_id || ':' || quote(c_name) from rename_log"),
             QStringList{id + ':' + t.column("select quote(?)", {written}).value(0)});
    QCOMPARE(t.column(sql.arg(id)), others);
    // Renamed in place: the same node, still selected, with its stations.
    QCOMPARE(node->text(0), written);
    QCOMPARE(t.selected(), node);
    QCOMPARE(node->child(0)->text(0), child);
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestCategoryCommands::deleteAnsweredNo() {
    EditingWindow t;
    const int stations = t.count("select count(*) from stations");
    t.select(QStringLiteral("France"));
    t.boxes.confirmations.push_back(false);
    t.u.actDeleteCategory->trigger();
    QCOMPARE(t.boxes.texts(), QStringList{"Are you sure you want to delete this category?"});
    QCOMPARE(t.count("select count(*) from stations"), stations);
    QVERIFY(t.node(QStringLiteral("France")));
}

void TestCategoryCommands::deleteRemovesRowsAndNodes() {
    EditingWindow t;
    t.column("update stations set s_favorite = 1 where s_id = 9"); // egoFM RAP
    t.w.LoadStations(false);
    const int favorites = t.u.lsvFavorites->count();
    t.select(QStringLiteral("egoFM RAP")); // shown in the panel from now on
    const int stations = t.count("select count(*) from stations");
    const int categories = t.count("select count(*) from categories");
    const int topLevel = t.u.tvStations->topLevelItemCount();
    TStationNode* node = t.node(QStringLiteral("Germany"));
    orvik::selectNode(t.u.tvStations,
                      t.u.tvStations->topLevelItem(t.u.tvStations->indexOfTopLevelItem(node) + 1));
    QCOMPARE(itemOf(t.selected())->CategoryId, germany.toLongLong());
    QCOMPARE(t.selected()->childCount(), 5);
    t.boxes.confirmations.push_back(true);
    t.u.actDeleteCategory->trigger();
    QCOMPARE(t.count("select count(*) from stations where c_id = 153"), 0);
    QCOMPARE(t.count("select count(*) from stations"), stations - 5);
    QCOMPARE(t.count("select count(*) from categories"), categories - 1);
    QCOMPARE(t.u.tvStations->topLevelItemCount(), topLevel - 1);
    QVERIFY(!t.node(QStringLiteral("egoFM RAP")));
    QVERIFY(t.node(QStringLiteral("Germany"))); // the other one
    // Its stations are offered nowhere any more.
    QCOMPARE(t.u.lsvFavorites->count(), favorites - 1);
    QCOMPARE(t.u.lblName->text(), QString());
    QCOMPARE(t.appErrors(), QStringList());
}

void TestCategoryCommands::failingDeleteLosesNothing() {
    EditingWindow t;
    t.column("CREATE TEMP TRIGGER keep BEFORE DELETE ON categories "
             "BEGIN SELECT RAISE(ABORT, 'categories are kept'); END");
    t.select(QStringLiteral("France"));
    TStationNode* france = t.selected();
    const int children = france->childCount();
    QVERIFY(children > 0);
    t.boxes.confirmations.push_back(true);
    t.u.actDeleteCategory->trigger();
    QCOMPARE(t.appErrors(), QStringList{"categories are kept."});
    QCOMPARE(t.node(QStringLiteral("France")), france);
    QCOMPARE(france->childCount(), children);

    // Seen from a connection of its own: nothing went, and no transaction was left open.
    auto stationsOfFrance = [&] {
        int n = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
            db.setDatabaseName(t.folder.databasePath());
            db.open();
            QSqlQuery q(db);
            q.exec("select count(*) from stations s join categories c on s.c_id = c.c_id "
                   "where c.c_name = 'France'");
            n = q.next() ? q.value(0).toInt() : -1;
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        return n;
    };
    QCOMPARE(stationsOfFrance(), children);
    t.column("DROP TRIGGER keep");
    t.boxes.confirmations.push_back(true);
    t.u.actDeleteCategory->trigger();
    QCOMPARE(stationsOfFrance(), 0);
    QVERIFY(!t.node(QStringLiteral("France")));
}

void TestCategoryCommands::wideIdsNameOnlyTheirRows() {
    // Ids past 32 bits beside a category 0: a truncated id would name the other rows. A station
    // whose category id is no number belongs to no category.
    EditingWindow t({"INSERT INTO categories (c_id, c_name) VALUES (5000000000, 'Wide')",
                     "INSERT INTO categories (c_id, c_name) VALUES (0, 'Zero')",
                     "INSERT INTO stations (s_id, c_id, s_name) VALUES (6000000001, 5000000000, "
                     "'Wide one')",
                     "INSERT INTO stations (s_id, c_id, s_name) VALUES (6000000002, 5000000000, "
                     "'Wide two')",
                     "INSERT INTO stations (s_id, c_id, s_name) VALUES (1000000, 0, 'Zero one')",
                     "INSERT INTO stations (s_id, c_id, s_name) VALUES (1000001, 'abc', 'Stray')"});
    TStationNode* zero = t.node(QStringLiteral("Zero"));
    QVERIFY(zero);
    QCOMPARE(zero->childCount(), 1);
    QVERIFY(!t.node(QStringLiteral("Stray")));
    QCOMPARE(itemOf(t.node(QStringLiteral("Wide two")))->Id, Q_INT64_C(6000000002));

    // The station delete names its own 64-bit id.
    t.select(QStringLiteral("Wide two"));
    t.boxes.confirmations.push_back(true);
    t.u.actDeleteStation->trigger();
    QCOMPARE(t.column("select s_name from stations where s_id >= 1000000 order by s_id"),
             QStringList({"Zero one", "Stray", "Wide one"}));

    t.select(QStringLiteral("Wide"));
    QCOMPARE(itemOf(t.selected())->CategoryId, Q_INT64_C(5000000000));
    t.boxes.confirmations.push_back(true);
    t.u.actDeleteCategory->trigger();
    QCOMPARE(t.appErrors(), QStringList());
    QCOMPARE(t.column("select c_name from categories where c_id in (0, 5000000000)"),
             QStringList{"Zero"});
    QCOMPARE(t.column("select s_name from stations where s_id >= 1000000 order by s_id"),
             QStringList({"Zero one", "Stray"}));
    QCOMPARE(t.node(QStringLiteral("Zero")), zero);
    QCOMPARE(zero->childCount(), 1);
}

void TestCategoryCommands::readOnlyCatalogueRefusesEveryEdit() {
    ProgramFolderFixture folder;
    QVERIFY(QFile::setPermissions(folder.databasePath(), QFile::ReadOwner | QFile::ReadGroup));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder.databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    });
    PermissionsApply permissions;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    Ui::TfrmMain& u = w.form();
    // Said once at start, with the file's name.
    QCOMPARE(boxes.texts().filter("read-only").size(), 1);
    QVERIFY(boxes.texts().filter("read-only")[0].contains(
        QDir::toNativeSeparators(folder.databasePath())));
    QVERIFY(u.tvStations->topLevelItemCount() > 0);

    // Every edit says so before it asks anything, and changes nothing.
    boxes.boxes.clear();
    orvik::selectNode(u.tvStations, u.tvStations->topLevelItem(0)->child(0));
    const int children = u.tvStations->topLevelItem(0)->childCount();
    int triggered = 0;
    auto run = [&](QAction* action) {
        w.updater().updateAll();
        if (!action->isEnabled())
            return; // a disabled action would ignore the trigger
        action->trigger();
        ++triggered;
    };
    for (QAction* action : {u.actAddCategory, u.actEditCategory, u.actAddStation, u.actEditStation,
                            u.actDeleteStation, u.actFavorite})
        run(action);
    orvik::selectNode(u.tvStations, u.tvStations->topLevelItem(0));
    run(u.actDeleteCategory);
    bool asked = false;
    w.playlistCommands().chooseImportFile = [&] {
        asked = true;
        return QString();
    };
    run(w.playlistCommands().actImportPlaylist);
    QVERIFY(!asked);
    QVERIFY(triggered >= 7);
    QCOMPARE(boxes.texts(), QStringList(triggered, orvik::CatalogueReadOnlyText()));
    QVERIFY(boxes.inputs.isEmpty());
    QCOMPARE(u.tvStations->topLevelItem(0)->childCount(), children);
}

void TestCategoryCommands::updateRules_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("selection");
    for (int page : {0, 1, 2})
        for (const char* selection : {"", "France", "egoFM RAP"})
            QTest::addRow("page %d, %s", page, *selection ? selection : "nothing")
                << page << QString::fromLatin1(selection);
}

void TestCategoryCommands::updateRules() {
    QFETCH(int, page);
    QFETCH(QString, selection);
    EditingWindow t;
    auto& u = t.u;
    if (!selection.isEmpty())
        t.select(selection);
    u.PageControl->setCurrentIndex(page);
    u.lsvFavorites->clearSelection();
    t.w.updater().updateAll();
    const bool category = selection == QLatin1String("France");
    const bool station = !selection.isEmpty() && !category;
    QVERIFY(u.actAddCategory->isEnabled());
    QVERIFY(u.actAddStation->isEnabled());
    QCOMPARE(u.actEditCategory->isEnabled(), category);
    QCOMPARE(u.actDeleteCategory->isEnabled(), category);
    QCOMPARE(u.actEditStation->isEnabled(), station);
    QCOMPARE(u.actDeleteStation->isEnabled(), station);
    QCOMPARE(u.actFavorite->isEnabled(), station); // egoFM RAP is no favorite
    QVERIFY(!u.actDeleteFavorite->isEnabled());
    // The menu entries follow.
    QCOMPARE(u.mnuEditCategory->isEnabled(), category);
    QCOMPARE(u.popDeleteStation->isEnabled(), station);

    u.lsvFavorites->setCurrentRow(0);
    t.w.updater().updateAll();
    QVERIFY(u.actDeleteFavorite->isEnabled());
}

QTEST_MAIN(TestCategoryCommands)
#include "test_categorycommands.moc"
