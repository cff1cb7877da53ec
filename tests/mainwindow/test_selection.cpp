// The station lists as a user works them: the information panel follows the selection, Enter
// and double clicks play, favorites play, a right click keeps the selection, and a reload keeps
// what was open in the tree.
#include "ui_MainWindow.h"

#include "app/catalogue/Nodes.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QMenu>
#include <QScrollBar>
#include <QtTest>

namespace {

QString urlOf(const QString& name) {
    return QStringLiteral("http://127.0.0.1:9/%1.mp3").arg(name);
}

// Categories A (a1, a2), B (empty), C (c1) and E (e1, e2, e3 and forty more, so that the tree
// scrolls); a2 and c1 are favorites. Addresses lead nowhere: which station was played is read
// from the player's address.
QStringList catalogue() {
    QStringList s;
    int cid = 1;
    for (const char* c : {"A", "B", "C", "E"})
        s << QStringLiteral("INSERT INTO categories (c_id, c_name) VALUES (%1, '%2')")
                 .arg(cid++)
                 .arg(QLatin1String(c));
    QList<std::pair<int, QString>> stations = {{1, "a1"}, {1, "a2"}, {3, "c1"},
                                               {4, "e1"}, {4, "e2"}, {4, "e3"}};
    for (int i = 0; i < 40; ++i)
        stations.append({4, QStringLiteral("ez%1").arg(i, 2, 10, QLatin1Char('0'))});
    int sid = 1;
    for (const auto& [c, name] : stations)
        s << QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_comment, "
                            "s_favorite) VALUES (%1, %2, '%3', '%4', 'about %3', %5)")
                 .arg(sid++)
                 .arg(c)
                 .arg(name, urlOf(name))
                 .arg(name == u"a2" || name == u"c1" ? 1 : 0);
    return s;
}

// A double click as the pointer makes it: press, release, the double click, release.
void doubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

struct Window {
    Window() {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }
    ProgramFolderFixture folder{ProgramFolderFixture::Catalogue::SchemaOnly, catalogue()};
    RecordingPresenter boxes;
    TfrmMain w;
    Ui::TfrmMain& u = w.form();

    TStationNode* node(const QString& text) const { return u.tvStations->findItems(text).value(0); }
    QString selected() const {
        TStationNode* n = orvik::selectedNode(u.tvStations);
        return n ? n->text(0) : QString();
    }
    QString played() const { return w.MediaPlayer ? w.MediaPlayer->URL() : QString(); }
    bool playEnabled() {
        w.updater().updateAll();
        return u.actPlay->isEnabled();
    }
    QPoint centreOf(TStationNode* item) {
        u.tvStations->scrollToItem(item);
        return u.tvStations->visualItemRect(item).center();
    }
    QPoint centreOf(QListWidget* list, int row) {
        return list->visualItemRect(list->item(row)).center();
    }
};

} // namespace

class TestSelection : public QObject {
    Q_OBJECT
private slots:
    void favoritesArePlayable();
    void panelFollowsTheSelection();
    void enterAndDoubleClickPlayTreeAndResults();
    void rightClickKeepsTheSelection();
    void reloadKeepsTheTree();
};

void TestSelection::favoritesArePlayable() {
    Window t;
    QVERIFY(t.w.MediaPlayer);
    QListWidget* favorites = t.u.lsvFavorites;
    t.u.PageControl->setCurrentIndex(1);
    QCOMPARE(favorites->count(), 2);
    QVERIFY(!t.playEnabled());

    // A click fills the panel and offers Play, in the Favorites menu too.
    QTest::mouseClick(favorites->viewport(), Qt::LeftButton, {}, t.centreOf(favorites, 0));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a2"));
    QCOMPARE(t.u.lblComment->text(), QStringLiteral("about a2"));
    QVERIFY(t.playEnabled());
    QVERIFY(t.u.mnuFavPlay->isEnabled());

    // A double click plays it.
    doubleClick(favorites->viewport(), t.centreOf(favorites, 1));
    QCOMPARE(t.played(), urlOf("c1"));
    QCOMPARE(t.w.PlayMode, 0);

    // The arrow keys move the panel along; Enter plays what it shows.
    favorites->setFocus();
    QTest::keyClick(favorites, Qt::Key_Up);
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a2"));
    QTest::keyClick(favorites, Qt::Key_Return);
    QCOMPARE(t.played(), urlOf("a2"));

    // The Favorites menu's Play.
    QTest::keyClick(favorites, Qt::Key_Down);
    QVERIFY(t.playEnabled());
    t.u.mnuFavPlay->trigger();
    QCOMPARE(t.played(), urlOf("c1"));
}

void TestSelection::panelFollowsTheSelection() {
    Window t;
    TStationTree* tree = t.u.tvStations;
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, t.centreOf(t.node("a1")));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a1"));
    QCOMPARE(t.u.lblCategory->text(), QStringLiteral("A"));

    // Keys move the selection and the panel with it; Play plays what the panel shows.
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(t.selected(), QStringLiteral("a2"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a2"));
    QVERIFY(t.playEnabled());
    t.u.actPlay->trigger();
    QCOMPARE(t.played(), urlOf("a2"));

    // A category: no current station, the panel keeps its texts.
    QTest::keyClick(tree, Qt::Key_Down);
    QCOMPARE(t.selected(), QStringLiteral("B"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a2"));
    QVERIFY(!t.playEnabled());

    // Changed by the program rather than the user.
    orvik::selectNode(tree, t.node("c1"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("c1"));

    // A switch of page shows that page's selection at once.
    auto result = std::make_shared<TItem>();
    result->Name = QStringLiteral("a result");
    result->Url = urlOf("result");
    t.u.lsvResults->addItem(new TStationListItem(result, result->Name));
    t.u.lsvResults->setCurrentRow(0);
    QCOMPARE(t.u.lblName->text(), QStringLiteral("c1")); // the search page is not shown yet
    t.u.PageControl->setCurrentIndex(2);
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a result"));
    t.u.PageControl->setCurrentIndex(0);
    QCOMPARE(t.u.lblName->text(), QStringLiteral("c1"));
}

void TestSelection::enterAndDoubleClickPlayTreeAndResults() {
    Window t;
    TStationTree* tree = t.u.tvStations;
    orvik::selectNode(tree, t.node("e2"));
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_Enter);
    QCOMPARE(t.played(), urlOf("e2"));
    // Enter on a category plays nothing.
    orvik::selectNode(tree, t.node("B"));
    QTest::keyClick(tree, Qt::Key_Return);
    QCOMPARE(t.played(), urlOf("e2"));

    // A double click on a station plays it even while another station plays.
    doubleClick(tree->viewport(), t.centreOf(t.node("c1")));
    QCOMPARE(t.played(), urlOf("c1"));

    t.u.PageControl->setCurrentIndex(2);
    QListWidget* results = t.u.lsvResults;
    for (const char* name : {"r1", "r2"}) {
        auto record = std::make_shared<TItem>();
        record->Name = QLatin1String(name);
        record->Url = urlOf(QLatin1String(name));
        results->addItem(new TStationListItem(record, record->Name));
    }
    doubleClick(results->viewport(), t.centreOf(results, 1));
    QCOMPARE(t.played(), urlOf("r2"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("r2"));
    results->setFocus();
    QTest::keyClick(results, Qt::Key_Up);
    QTest::keyClick(results, Qt::Key_Return);
    QCOMPARE(t.played(), urlOf("r1"));
}

void TestSelection::rightClickKeepsTheSelection() {
    Window t;
    TStationTree* tree = t.u.tvStations;
    orvik::selectNode(tree, t.node("a1"));
    auto* popup = t.w.findChild<QMenu*>(QStringLiteral("PopupMenu"));
    QVERIFY(popup);
    QVERIFY(!popup->isVisible());

    // Through the window, as the pointer does it: press and release of the right button.
    const QPoint at = tree->viewport()->mapTo(&t.w, t.centreOf(t.node("c1")));
    QTest::mouseClick(t.w.windowHandle(), Qt::RightButton, {}, at);
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(t.selected(), QStringLiteral("a1"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("a1"));
    // The menu's commands are those of the node selected before.
    t.w.updater().updateAll();
    QVERIFY(t.u.popEditStation->isEnabled());
    QVERIFY(!t.u.popEditCategory->isEnabled());
    popup->close();

    // The left button still selects.
    QTest::mouseClick(t.w.windowHandle(), Qt::LeftButton, {}, at);
    QCOMPARE(t.selected(), QStringLiteral("c1"));
}

void TestSelection::reloadKeepsTheTree() {
    Window t;
    TStationTree* tree = t.u.tvStations;
    t.node("A")->setExpanded(true);
    t.node("E")->setExpanded(true);
    orvik::selectNode(tree, t.node("ez20"));
    QScrollBar* scroll = tree->verticalScrollBar();
    QVERIFY(scroll->maximum() > 10);
    // The selected station in the middle of the view, so that the station the reload adds
    // above it does not push it out of view.
    tree->scrollToItem(t.node("ez20"), QAbstractItemView::PositionAtCenter);
    const int position = scroll->value();
    QVERIFY(position > 0);
    QList<QListWidgetItem*> favorite = t.u.lsvFavorites->findItems("c1", Qt::MatchExactly);
    t.u.lsvFavorites->setCurrentItem(favorite.value(0));

    // As after adding a station.
    t.folder.exec({"INSERT INTO stations (s_id, c_id, s_name, s_url) VALUES (100, 4, 'e0', '')"});
    t.w.LoadStations(true);
    QVERIFY(t.node("e0"));
    QVERIFY(t.node("A")->isExpanded());
    QVERIFY(t.node("E")->isExpanded());
    QVERIFY(!t.node("C")->isExpanded());
    QCOMPARE(t.selected(), QStringLiteral("ez20"));
    QCOMPARE(scroll->value(), position);
    QVERIFY(tree->viewport()->rect().contains(tree->visualItemRect(t.node("ez20")).center()));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("ez20"));
    QCOMPARE(t.u.lsvFavorites->currentItem()->text(), QStringLiteral("c1"));
    QVERIFY(t.u.lsvFavorites->currentItem()->isSelected());

    // A category stays selected as well.
    orvik::selectNode(tree, t.node("C"));
    t.w.LoadStations(false);
    QCOMPARE(t.selected(), QStringLiteral("C"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("ez20")); // a category changes no texts

    // A station gone from the catalogue is neither selected nor shown any more.
    orvik::selectNode(tree, t.node("ez20"));
    t.folder.exec({"DELETE FROM stations WHERE s_name = 'ez20'"});
    t.w.LoadStations(false);
    QCOMPARE(t.selected(), QString());
    QCOMPARE(t.u.lblName->text(), QString());
    QCOMPARE(t.u.lblComment->text(), QString());
    QVERIFY(t.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestSelection)
#include "test_selection.moc"
