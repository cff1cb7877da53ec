// Next, Previous and Random Channel over small trees, and the view commands.
#include "ui_MainWindow.h"

#include "app/catalogue/Nodes.h"
#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/TreeOrder.h"
#include "app/player/PlayerFactory.h"
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QtTest>

namespace {

// Categories A (a1, a2), B (empty), C (c1), D (empty), E (e1, e2, e3): names sort in tree order.
QStringList smallTree() {
    QStringList s;
    int cid = 1;
    for (const char* c : {"A", "B", "C", "D", "E"})
        s << QStringLiteral("INSERT INTO categories (c_id, c_name) VALUES (%1, '%2')")
                 .arg(cid++)
                 .arg(QLatin1String(c));
    int sid = 1;
    const std::pair<int, const char*> stations[] = {{1, "a1"}, {1, "a2"}, {3, "c1"},
                                                    {5, "e1"}, {5, "e2"}, {5, "e3"}};
    for (auto [c, name] : stations)
        s << QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_format) VALUES "
                            "(%1, %2, '%3', 'http://127.0.0.1:9/%3.mp3', 0)")
                 .arg(sid++)
                 .arg(c)
                 .arg(QLatin1String(name));
    return s;
}

struct Window {
    ProgramFolderFixture folder{ProgramFolderFixture::Catalogue::SchemaOnly, smallTree()};
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    Ui::TfrmMain& u = w.form();

    QTreeWidgetItem* node(const QString& text) const {
        auto found = u.tvStations->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    void select(const QString& text) { orvik::selectNode(u.tvStations, node(text)); }
    QString selected() const {
        QTreeWidgetItem* n = orvik::selectedNode(u.tvStations);
        return n ? n->text(0) : QString();
    }
};

} // namespace

class TestChannelSteps : public QObject {
    Q_OBJECT
private slots:
    void next_data();
    void next();
    void nextWithoutCurrentStationEnds();
    void nextOnSearchPageWithResultPlaysIt();
    void previous_data();
    void previous();
    void randomReachesEveryCategoryWithStations();
    void randomWithoutStationsDoesNothing();
    void viewToggles();
    void linksAndReport();
};

void TestChannelSteps::next_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::newRow("within a category") << "a1"
                                       << "a2";
    QTest::newRow("into the next category with stations") << "a2"
                                                          << "c1";
    QTest::newRow("over an empty category") << "c1"
                                            << "e1";
    QTest::newRow("category selected") << "A"
                                       << "a1";
    QTest::newRow("empty category selected") << "B"
                                             << "c1";
    QTest::newRow("last station wraps to its category's first") << "e3"
                                                                << "e1";
}

void TestChannelSteps::next() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    Window t;
    t.select(from);
    t.w.playback().Button1Click();
    QCOMPARE(t.selected(), to);
    QCOMPARE(t.u.lblName->text(), to);
    QCOMPARE(t.w.PlayMode, 0);
}

void TestChannelSteps::nextWithoutCurrentStationEnds() {
    Window t;
    t.select(QStringLiteral("a1"));
    t.u.PageControl->setCurrentIndex(1); // favorites: no current station can arise
    t.w.playback().Button1Click();
    QCOMPARE(t.w.PlayMode, -1);
    QCOMPARE(t.u.lblName->text(), QString());
    // The walk ended inside the last category, after one pass over the tree.
    QVERIFY(t.node(t.selected())->parent() == t.node(QStringLiteral("E")));

    t.u.PageControl->setCurrentIndex(2); // search page without a selected result
    t.select(QStringLiteral("c1"));
    t.w.playback().Button1Click();
    QCOMPARE(t.w.PlayMode, -1);

    // Nothing selected: nothing happens.
    t.u.PageControl->setCurrentIndex(0);
    t.u.tvStations->clearSelection();
    t.w.playback().Button1Click();
    QCOMPARE(t.w.PlayMode, -1);
}

void TestChannelSteps::nextOnSearchPageWithResultPlaysIt() {
    Window t;
    auto record = std::make_shared<TItem>();
    record->Name = QStringLiteral("result");
    record->Url = QStringLiteral("http://127.0.0.1:9/r.mp3");
    t.u.lsvResults->addItem(new TStationListItem(record, record->Name));
    t.u.lsvResults->setCurrentRow(0);
    t.u.PageControl->setCurrentIndex(2);
    t.select(QStringLiteral("a1"));
    t.w.playback().Button1Click();
    QCOMPARE(t.selected(), QStringLiteral("a2"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("result"));
    QCOMPARE(t.w.PlayMode, 0);
}

void TestChannelSteps::previous_data() {
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to"); // empty: nothing played
    QTest::newRow("within a category") << "e3"
                                       << "e2";
    QTest::newRow("to the nearest earlier category with stations") << "e1"
                                                                   << "c1";
    QTest::newRow("from the first station of a category") << "c1"
                                                          << "a2";
    QTest::newRow("first station of the tree") << "a1" << QString();
    QTest::newRow("category selected") << "C" << QString();
}

void TestChannelSteps::previous() {
    QFETCH(QString, from);
    QFETCH(QString, to);
    Window t;
    t.select(from);
    t.w.playback().Button2Click();
    if (to.isEmpty()) {
        QCOMPARE(t.w.PlayMode, -1);
        QCOMPARE(t.selected(), from);
    } else {
        QCOMPARE(t.selected(), to);
        QCOMPARE(t.u.lblName->text(), to);
        QCOMPARE(t.w.PlayMode, 0);
    }
}

void TestChannelSteps::randomReachesEveryCategoryWithStations() {
    Window t;
    const int nodes = orvik::countNodes(t.u.tvStations);
    QCOMPARE(nodes, 11);
    // A fixed generator that walks through every index: each draw lands on every node once.
    int next = 0;
    QList<int> drawn;
    t.w.playback().randomIndex = [&](int n) {
        drawn << n;
        return next++ % n;
    };
    QSet<QString> played;
    for (int i = 0; i < nodes; ++i) {
        t.w.playback().Button3Click();
        played << t.u.lblName->text();
        QVERIFY(orvik::selectedNode(t.u.tvStations)
                    ->parent()
                    ->indexOfChild(orvik::selectedNode(t.u.tvStations)) == 0);
    }
    QCOMPARE(played, QSet<QString>({"a1", "c1", "e1"}));
    QVERIFY(std::all_of(drawn.begin(), drawn.end(), [&](int n) { return n == nodes; }));
}

void TestChannelSteps::randomWithoutStationsDoesNothing() {
    ProgramFolderFixture folder(ProgramFolderFixture::Catalogue::SchemaOnly,
                                {"INSERT INTO categories (c_id, c_name) VALUES (1, 'Empty')"});
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    bool drew = false;
    w.playback().randomIndex = [&](int) {
        drew = true;
        return 0;
    };
    w.playback().Button3Click();
    QVERIFY(!drew);
    QCOMPARE(w.PlayMode, -1);
}

void TestChannelSteps::viewToggles() {
    Window t;
    t.w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&t.w));
    auto& u = t.u;
    t.w.updater().updateAll();
    QVERIFY(u.actViewStations->isChecked());
    QVERIFY(u.actViewStationInformation->isChecked());

    u.actViewStations->trigger();
    QVERIFY(u.PageControl->isHidden());
    QVERIFY(!u.pnlLeft->isHidden());
    u.actViewStationInformation->trigger();
    QVERIFY(u.pnlLeft->isHidden());
    QVERIFY(!u.SplitterLeft->isHidden());
    t.w.updater().updateAll();
    QVERIFY(!u.actViewStations->isChecked());
    QVERIFY(!u.actViewStationInformation->isChecked());
    QVERIFY(!u.mnuStationsFavorites->isChecked());
    // The player side takes the whole width when the left side is hidden.
    QTRY_COMPARE(u.pnlRight->x(), u.SplitterLeft->width());

    u.actViewStationInformation->trigger();
    QVERIFY(!u.pnlLeft->isHidden());
    QVERIFY(u.PageControl->isHidden());

    // The hide button only hides.
    u.cmdHideStationInfo->click();
    QVERIFY(u.pnlStationInfo->isHidden());
    QVERIFY(u.pnlLeft->isHidden());
    u.cmdHideStationInfo->click();
    QVERIFY(u.pnlStationInfo->isHidden());
    u.actViewStations->trigger();
    QVERIFY(!u.pnlLeft->isHidden());
}

void TestChannelSteps::linksAndReport() {
    Window t;
    QList<QUrl> opened;
    t.w.playback().openUrl = [&](const QUrl& url) {
        opened << url;
        return true;
    };
    t.u.Button4->click();
    t.u.Reportaproblem1->trigger();
    QCOMPARE(opened, QList<QUrl>({TPlayback::ProductSite, TPlayback::ProductSite}));
    QCOMPARE(t.w.PlayMode, -1);
}

QTEST_MAIN(TestChannelSteps)
#include "test_channelsteps.moc"
