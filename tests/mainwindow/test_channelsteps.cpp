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

#include <QFile>
#include <QRegularExpression>
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
    explicit Window(const QStringList& more = {})
        : folder(ProgramFolderFixture::Catalogue::SchemaOnly, smallTree() + more) {}
    ProgramFolderFixture folder;
    RecordingPresenter boxes;
    orvik::ScopedPlayerCreationFailure noPlayers;
    TfrmMain w;
    Ui::TfrmMain& u = w.form();

    TStationNode* node(const QString& text) const {
        auto found = u.tvStations->findItems(text);
        return found.value(0);
    }
    void select(const QString& text) { orvik::selectNode(u.tvStations, node(text)); }
    QString selected() const {
        TStationNode* n = orvik::selectedNode(u.tvStations);
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
    void favoritesPageStepsThroughTheFavorites();
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
    t.u.PageControl->setCurrentIndex(2); // search page without a selected result
    t.select(QStringLiteral("a1"));
    t.w.playback().Button1Click();
    QCOMPARE(t.w.PlayMode, -1);
    QCOMPARE(t.u.lblName->text(), QString());
    // The walk ended inside the last category, after one pass over the tree.
    QVERIFY(t.node(t.selected())->parent() == t.node(QStringLiteral("E")));

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
    // A fixed generator that walks through every index.
    int next = 0;
    QList<int> drawn;
    t.w.playback().randomIndex = [&](int n) {
        drawn << n;
        return next++ % n;
    };
    QStringList played;
    for (int i = 0; i < 6; ++i) {
        t.w.playback().Button3Click();
        played << t.u.lblName->text();
    }
    // Each click draws once among the three categories that have stations and plays the
    // first station of the one drawn.
    QCOMPARE(played, QStringList({"a1", "c1", "e1", "a1", "c1", "e1"}));
    QCOMPARE(drawn, QList<int>(6, 3));
    QCOMPARE(t.w.PlayMode, 0);

    // The standard generator, fresh for every click, stays inside the range and reaches
    // every index.
    const TPlayback standard(t.w);
    QSet<int> seen;
    for (int i = 0; i < 300; ++i) {
        const int index = standard.randomIndex(3);
        QVERIFY(index >= 0 && index < 3);
        seen << index;
    }
    QCOMPARE(seen.size(), 3);
}

void TestChannelSteps::favoritesPageStepsThroughTheFavorites() {
    Window t({"UPDATE stations SET s_favorite = 1 WHERE s_name IN ('a2', 'c1', 'e3')"});
    QListWidget* favorites = t.u.lsvFavorites;
    QCOMPARE(favorites->count(), 3);
    t.select(QStringLiteral("a1"));
    t.u.PageControl->setCurrentIndex(1);
    auto selectedFavorite = [&] {
        QListWidgetItem* item = favorites->currentItem();
        return item && item->isSelected() ? item->text() : QString();
    };

    // No favorite selected: nothing to step from.
    t.w.playback().Button1Click();
    QCOMPARE(t.w.PlayMode, -1);

    favorites->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    QStringList played;
    for (int i = 0; i < 3; ++i) {
        t.w.playback().Button1Click();
        played << selectedFavorite() + "/" + t.u.lblName->text();
    }
    QCOMPARE(played, QStringList({"c1/c1", "e3/e3", "a2/a2"})); // round from the last
    QCOMPARE(t.w.PlayMode, 0);
    t.w.PlayMode = -1;
    t.w.playback().Button2Click(); // the first has no previous
    QCOMPARE(selectedFavorite(), QStringLiteral("a2"));
    QCOMPARE(t.w.PlayMode, -1);
    favorites->setCurrentRow(2, QItemSelectionModel::ClearAndSelect);
    t.w.playback().Button2Click();
    QCOMPARE(selectedFavorite(), QStringLiteral("c1"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("c1"));
    QCOMPARE(t.w.PlayMode, 0);

    // Random Channel draws among the favorites.
    QList<int> drawn;
    t.w.playback().randomIndex = [&](int n) {
        drawn << n;
        return n - 1;
    };
    t.w.playback().Button3Click();
    QCOMPARE(drawn, QList<int>{3});
    QCOMPARE(selectedFavorite(), QStringLiteral("e3"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("e3"));
    // The tree's selection was never touched.
    QCOMPARE(t.selected(), QStringLiteral("a1"));
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
    t.boxes.boxes.clear(); // the missing players, told at start
    QList<QUrl> opened;
    t.w.playback().openUrl = [&](const QUrl& url) {
        opened << url;
        return true;
    };
    t.u.Button4->click();
    t.u.Reportaproblem1->trigger();
    QCOMPARE(opened.size(), 2);
    QCOMPARE(t.w.PlayMode, -1);
    // Our own page, filled with the versions in use, ready to copy.
    QVERIFY(opened.first().isLocalFile());
    QFile page(opened.first().toLocalFile());
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(page.readAll());
    QVERIFY(text.contains(QStringLiteral("Reporting a problem")));
    QVERIFY(!text.contains(QStringLiteral("@VERSIONS@")));
    QVERIFY(text.contains(QStringLiteral("Qt ") + QLatin1String(qVersion())));
    QVERIFY(QRegularExpression(QStringLiteral("Orvik \\d+\\.\\d+")).match(text).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("SQLite 3\\.\\d+")).match(text).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("mpv|libmpv")).match(text).hasMatch());
    QVERIFY(t.boxes.boxes.isEmpty());

    // Where nothing can open it, a box says so and gives the versions all the same.
    t.w.playback().openUrl = [](const QUrl&) { return false; };
    t.u.Button4->click();
    QCOMPARE(t.boxes.boxes.size(), 1);
    QVERIFY(t.boxes.texts().first().startsWith(
        QStringLiteral("The page on reporting a problem could not be opened.")));
    QVERIFY(t.boxes.texts().first().contains(QStringLiteral("Qt ") + QLatin1String(qVersion())));

    // And where the page itself is missing from the program folder.
    QVERIFY(QFile::remove(t.folder.path() + QStringLiteral("report.htm")));
    opened.clear();
    t.w.playback().openUrl = [&](const QUrl& url) {
        opened << url;
        return true;
    };
    t.u.Reportaproblem1->trigger();
    QVERIFY(opened.isEmpty());
    QCOMPARE(t.boxes.boxes.size(), 2);
}

QTEST_MAIN(TestChannelSteps)
#include "test_channelsteps.moc"
