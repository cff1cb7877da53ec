// Marking and unmarking favorites.
#include "tests/editing/EditingWindow.h"

#include "app/forms/Favorites.h"

namespace {

QStringList favorites(const EditingWindow& t) {
    QStringList out;
    for (int i = 0; i < t.u.lsvFavorites->count(); ++i)
        out << t.u.lsvFavorites->item(i)->text();
    return out;
}

} // namespace

class TestFavorites : public QObject {
    Q_OBJECT
private slots:
    void markListsLastUntilTheNextLoad();
    void unmarkEnablesFavoriteAgain();
    void refusedUpdateChangesNothing();
};

void TestFavorites::markListsLastUntilTheNextLoad() {
    EditingWindow t;
    auto& u = t.u;
    const QString first = QStringLiteral("1 TV"); // first of all stations by name
    QCOMPARE(t.count("select s_favorite from stations where s_name = ?", {first}), 0);
    const int before = u.lsvFavorites->count();
    t.select(first);
    u.PageControl->setCurrentIndex(2); // the tree's selection counts on every page
    t.w.updater().updateAll();
    QVERIFY(u.actFavorite->isEnabled());
    u.actFavorite->trigger();

    QCOMPARE(t.count("select s_favorite from stations where s_name = ?", {first}), 1);
    QCOMPARE(u.lsvFavorites->count(), before + 1);
    QListWidgetItem* added = u.lsvFavorites->item(before);
    QCOMPARE(added->text(), first);
    QCOMPARE(itemOf(added), itemOf(t.selected())); // the node's own record
    QVERIFY(itemOf(added)->Favorite);
    QCOMPARE(added->icon().cacheKey(), t.selected()->icon(0).cacheKey());
    // A favorite cannot be marked twice: the command and its menu entry are off.
    t.w.updater().updateAll();
    QVERIFY(!u.actFavorite->isEnabled());
    QVERIFY(!u.mnuFavorite->isEnabled());
    QCOMPARE(u.lsvFavorites->count(), before + 1);

    t.w.LoadStations(false);
    const QStringList names = favorites(t);
    QCOMPARE(names.value(0), first);
    QStringList byName = t.column("select s.s_name from stations s join categories c "
                                  "on s.c_id = c.c_id where s.s_favorite order by s.s_name");
    QCOMPARE(names, byName);
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestFavorites::unmarkEnablesFavoriteAgain() {
    EditingWindow t;
    auto& u = t.u;
    t.w.updater().updateAll();
    QVERIFY(!u.actDeleteFavorite->isEnabled());
    u.lsvFavorites->setCurrentRow(0);
    const TItemPtr record = itemOf(u.lsvFavorites->item(0));
    const QString name = record->Name;
    const int before = u.lsvFavorites->count();
    u.PageControl->setCurrentIndex(0);
    t.w.updater().updateAll();
    QVERIFY(u.actDeleteFavorite->isEnabled());
    u.actDeleteFavorite->trigger();

    QCOMPARE(t.count("select s_favorite from stations where s_id = ?", {record->Id}), 0);
    QVERIFY(!record->Favorite);
    QCOMPARE(u.lsvFavorites->count(), before - 1);
    QVERIFY(!favorites(t).contains(name));
    TStationNode* node = t.node(name);
    QVERIFY(node);
    QCOMPARE(itemOf(node), record);

    orvik::selectNode(u.tvStations, node);
    t.w.updater().updateAll();
    QVERIFY(u.actFavorite->isEnabled());
    u.actFavorite->trigger();
    QCOMPARE(favorites(t).last(), name);
    QCOMPARE(u.lsvFavorites->count(), before);
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestFavorites::refusedUpdateChangesNothing() {
    EditingWindow t;
    auto& u = t.u;
    t.column("CREATE TEMP TRIGGER frozen BEFORE UPDATE ON stations "
             "BEGIN SELECT RAISE(ABORT, 'read only'); END");
    const int before = u.lsvFavorites->count();
    t.select(QStringLiteral("1 TV"));
    t.w.updater().updateAll();
    QVERIFY(u.actFavorite->isEnabled());
    u.actFavorite->trigger();
    QVERIFY(!itemOf(t.selected())->Favorite);
    u.lsvFavorites->setCurrentRow(0);
    t.w.updater().updateAll();
    QVERIFY(u.actDeleteFavorite->isEnabled());
    u.actDeleteFavorite->trigger();
    QVERIFY(itemOf(u.lsvFavorites->item(0))->Favorite);
    QCOMPARE(u.lsvFavorites->count(), before);
    QCOMPARE(t.appErrors(), QStringList({"read only.", "read only."}));
}

QTEST_MAIN(TestFavorites)
#include "test_favorites.moc"
