// Adding, renaming and deleting categories, and the Update rules of every editing command.
#include "tests/editing/EditingWindow.h"

#include "app/catalogue/LoadStationsWindow.h"

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
    QVERIFY(!t.selected());
    // Listed in name order, in the tree and under "Country".
    QTreeWidgetItem* added = t.node(QStringLiteral(" Germany "));
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
    QTreeWidgetItem* node = t.node(old);
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
    const int stations = t.count("select count(*) from stations");
    const int categories = t.count("select count(*) from categories");
    const int topLevel = t.u.tvStations->topLevelItemCount();
    QTreeWidgetItem* node = t.node(QStringLiteral("Germany"));
    orvik::selectNode(t.u.tvStations,
                      t.u.tvStations->topLevelItem(t.u.tvStations->indexOfTopLevelItem(node) + 1));
    QCOMPARE(itemOf(t.selected())->CategoryId, germany.toInt());
    QCOMPARE(t.selected()->childCount(), 5);
    t.boxes.confirmations.push_back(true);
    t.u.actDeleteCategory->trigger();
    QCOMPARE(t.count("select count(*) from stations where c_id = 153"), 0);
    QCOMPARE(t.count("select count(*) from stations"), stations - 5);
    QCOMPARE(t.count("select count(*) from categories"), categories - 1);
    QCOMPARE(t.u.tvStations->topLevelItemCount(), topLevel - 1);
    QVERIFY(!t.node(QStringLiteral("egoFM RAP")));
    QVERIFY(t.node(QStringLiteral("Germany"))); // the other one
    QCOMPARE(t.appErrors(), QStringList());
}

void TestCategoryCommands::failingDeleteLosesNothing() {
    EditingWindow t;
    t.column("CREATE TEMP TRIGGER keep BEFORE DELETE ON categories "
             "BEGIN SELECT RAISE(ABORT, 'categories are kept'); END");
    t.select(QStringLiteral("France"));
    QTreeWidgetItem* france = t.selected();
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
