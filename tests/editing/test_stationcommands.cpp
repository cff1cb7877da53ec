// The station editor and the add, edit and delete commands.
#include "tests/editing/EditingWindow.h"

#include "app/catalogue/Table.h"
#include "app/forms/EditStation.h"
#include "app/forms/StationCommands.h"
#include "ui_EditStation.h"

#include <QDateTime>

namespace {

// Answers the editor: checks it with look, changes it with change, then accepts or rejects.
void answer(EditingWindow& t, bool accept, std::function<void(Ui::TfrmEditStation&)> change = {},
            std::function<void(TfrmEditStation&)> look = {}) {
    t.w.stationCommands().showModal = [=](TfrmEditStation& d) {
        if (look)
            look(d);
        if (change)
            change(d.form());
        return int(accept ? QDialog::Accepted : QDialog::Rejected);
    };
}

const QString rowOf = QStringLiteral(
    "select quote(c_id) || quote(s_name) || quote(s_url) || quote(s_website) || "
    "quote(s_comment) || quote(s_bitrate) || quote(s_format) || quote(s_language) || "
    "quote(s_created) || quote(s_played) || quote(s_favorite) from stations where s_id = ?");

} // namespace

class TestStationCommands : public QObject {
    Q_OBJECT
private slots:
    void addNeedsACategory();
    void addOpensWithFirstCategoryAndCancelWritesNothing();
    void addWritesEveryField();
    void addThroughTheModalEditor();
    void editShowsAndKeepsTheRow();
    void editKeepsTheFormat_data();
    void editKeepsTheFormat();
    void refusedPostsAreCancelled();
    void deleteStation();
    void editorKeysAndTabOrder();
};

void TestStationCommands::addNeedsACategory() {
    EditingWindow t({}, ProgramFolderFixture::Catalogue::SchemaOnly);
    bool opened = false;
    t.w.stationCommands().showModal = [&](TfrmEditStation&) {
        opened = true;
        return int(QDialog::Accepted);
    };
    t.u.actAddStation->trigger();
    QVERIFY(!opened);
    QCOMPARE(t.boxes.boxes.size(), 1);
    QCOMPARE(t.boxes.boxes[0].kind, orvik::MessagePresenter::Kind::Information);
    QCOMPARE(t.boxes.boxes[0].text, QStringLiteral("Add a station category first."));
}

void TestStationCommands::addOpensWithFirstCategoryAndCancelWritesNothing() {
    EditingWindow t;
    const int stations = t.count("select count(*) from stations");
    t.select(QStringLiteral("egoFM RAP"));
    answer(t, false, {}, [&](TfrmEditStation& d) {
        QCOMPARE(d.windowTitle(), QStringLiteral("New Station"));
        QCOMPARE(d.form().cbCategory->currentText(), QStringLiteral("Afghanistan"));
        QCOMPARE(d.CategoryIds(), t.column("select c_id from categories order by c_name"));
        QCOMPARE(d.form().cbFormat->currentText(), QStringLiteral("Windows Media Player"));
        QCOMPARE(d.form().cbFormat->itemText(1), QStringLiteral("Real Audio"));
        QCOMPARE(d.form().cbFormat->count(), 2);
    });
    t.u.actAddStation->trigger();
    QCOMPARE(t.count("select count(*) from stations"), stations);
    QVERIFY(t.selected()); // no reload
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestStationCommands::addWritesEveryField() {
    EditingWindow t;
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    answer(t, true, [](Ui::TfrmEditStation& d) {
        d.cbCategory->setCurrentIndex(d.cbCategory->findText(QStringLiteral("France")));
        d.txtName->setText(QStringLiteral(" New One "));
        d.txtURL->setText(QStringLiteral("http://127.0.0.1:9/new.rm"));
        d.txtComment->setText(QStringLiteral("a comment"));
        d.txtBitrate->setText(QStringLiteral("0x20"));
        d.cbFormat->setCurrentIndex(1);
        d.txtLanguage->setText(QStringLiteral("Breton"));
    });
    t.u.actAddStation->trigger();
    QVERIFY2(t.boxes.boxes.isEmpty(), qPrintable(t.boxes.texts().join('\n')));
    const QString id = t.column("select max(s_id) from stations").value(0);
    const QString france = t.column("select c_id from categories where c_name = 'France'")[0];
    const QString row = t.column(rowOf, {id}).value(0);
    QVERIFY2(row.startsWith(france + "' New One ''http://127.0.0.1:9/new.rm''''a comment''0x20'"
                                     "1'Breton''"),
             qPrintable(row));
    QVERIFY2(row.endsWith("'NULL0"), qPrintable(row)); // never played, no favorite
    QCOMPARE(t.count("select count(*) from stations where s_id = ? and rc_id is null", {id}), 1);
    const QDateTime created = QDateTime::fromString(
        t.column("select s_created from stations where s_id = ?", {id})[0], "yyyy-MM-dd HH:mm:ss");
    QVERIFY(created >= before && created <= QDateTime::currentDateTime());
    // Reloaded: nothing selected, the station under its category.
    QVERIFY(!t.selected());
    QCOMPARE(t.node(" New One ")->parent()->text(0), QStringLiteral("France"));
    QCOMPARE(t.u.cbLanguage->findText("Breton") > 0, true);
}

void TestStationCommands::addThroughTheModalEditor() {
    EditingWindow t;
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<TfrmEditStation*>(QApplication::activeModalWidget());
        QVERIFY(d);
        d->form().txtName->setText(QStringLiteral("Modal One"));
        d->form().txtURL->setText(QStringLiteral("http://127.0.0.1/one"));
        d->form().cmdOK->click();
    });
    t.u.actAddStation->trigger();
    QCOMPARE(t.count("select count(*) from stations where s_name = 'Modal One'"), 1);
    QVERIFY(t.w.findChildren<TfrmEditStation*>().isEmpty()); // destroyed with the command
}

void TestStationCommands::editShowsAndKeepsTheRow() {
    EditingWindow t;
    t.column("update stations set s_played = '2024-02-03 04:05:06', s_favorite = 1 "
             "where s_id = 9");
    const QString untouched = t.column(rowOf, {9})[0];
    t.select(QStringLiteral("egoFM RAP")); // one of five in the second "Germany"
    answer(
        t, true,
        [](Ui::TfrmEditStation& d) {
            QCOMPARE(d.txtName->text(), QStringLiteral("egoFM RAP"));
            QCOMPARE(d.txtURL->text(), QStringLiteral("http://streams.egofm.de/egoRAP-hq"));
            QCOMPARE(d.txtWebsite->text(), QStringLiteral("https://www.egofm.de/"));
            QCOMPARE(d.txtComment->text(), QStringLiteral("Die lässige Seite von egoFM. [MP3]"));
            QCOMPARE(d.txtBitrate->text(), QStringLiteral("128"));
            QCOMPARE(d.txtLanguage->text(), QStringLiteral("German"));
            QCOMPARE(d.cbFormat->currentIndex(), 0);
            d.txtName->setText(QStringLiteral("egoFM RAP 2"));
        },
        [](TfrmEditStation& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("Edit Station"));
            QCOMPARE(d.CategoryIds().value(d.form().cbCategory->currentIndex()),
                     QStringLiteral("153"));
        });
    t.u.actEditStation->trigger();
    QVERIFY2(t.boxes.boxes.isEmpty(), qPrintable(t.boxes.texts().join('\n')));
    QString expected = untouched;
    expected.replace(QStringLiteral("'egoFM RAP'"), QStringLiteral("'egoFM RAP 2'"));
    QCOMPARE(t.column(rowOf, {9})[0], expected);
    QVERIFY(!t.w.catalogue().tblStations().Filtered());
    // The reloaded tree keeps the edited station selected, and the panel shows its new name.
    QVERIFY(t.selected() && t.selected() == t.node(QStringLiteral("egoFM RAP 2")));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("egoFM RAP 2"));

    // Cancel writes nothing and does not reload.
    t.select(QStringLiteral("FluxFM - 2000's Naughty"));
    const QString flux = t.column(rowOf, {5})[0];
    answer(t, false, [](Ui::TfrmEditStation& d) { d.txtName->setText(QStringLiteral("x")); });
    t.u.actEditStation->trigger();
    QCOMPARE(t.column(rowOf, {5})[0], flux);
    QVERIFY(t.selected());
}

void TestStationCommands::editKeepsTheFormat_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("shown");
    QTest::newRow("real audio") << "Real Audio Archive (sample)" << 1 << "Real Audio";
    QTest::newRow("unknown format") << "Odd Format Station (sample)" << 2 << "";
}

void TestStationCommands::editKeepsTheFormat() {
    QFETCH(QString, station);
    QFETCH(int, format);
    QFETCH(QString, shown);
    EditingWindow t;
    t.select(station);
    QString seen = "not opened";
    answer(t, true, [&](Ui::TfrmEditStation& d) { seen = d.cbFormat->currentText(); });
    t.u.actEditStation->trigger();
    QCOMPARE(seen, shown);
    QCOMPARE(t.count("select s_format from stations where s_name = ?", {station}), format);
}

void TestStationCommands::refusedPostsAreCancelled() {
    EditingWindow t;
    t.column("CREATE TEMP TRIGGER no_insert BEFORE INSERT ON stations "
             "BEGIN SELECT RAISE(ABORT, 'no new stations'); END");
    t.column("CREATE TEMP TRIGGER no_update BEFORE UPDATE ON stations "
             "BEGIN SELECT RAISE(ABORT, 'no changes'); END");
    const int stations = t.count("select count(*) from stations");
    TTable& table = t.w.catalogue().tblStations();
    answer(t, true, [](Ui::TfrmEditStation& d) { d.txtName->setText("Refused"); });
    t.u.actAddStation->trigger();
    QCOMPARE(t.appErrors(), QStringList{"no new stations."});
    QCOMPARE(table.GetState(), TTable::State::Browse);
    QCOMPARE(t.count("select count(*) from stations"), stations);

    t.select(QStringLiteral("egoFM RAP"));
    t.u.actEditStation->trigger();
    QCOMPARE(t.appErrors(), QStringList({"no new stations.", "no changes."}));
    QCOMPARE(table.GetState(), TTable::State::Browse);
    QCOMPARE(t.count("select count(*) from stations where s_name = 'egoFM RAP'"), 1);
    QVERIFY(t.selected()); // no reload
}

void TestStationCommands::deleteStation() {
    EditingWindow t;
    t.column("update stations set s_favorite = 1 where s_id = 9");
    t.w.LoadStations(false);
    const int favorites = t.u.lsvFavorites->count();
    const int stations = t.count("select count(*) from stations");
    t.select(QStringLiteral("egoFM RAP"));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("egoFM RAP"));
    TStationNode* category = t.selected()->parent();
    t.boxes.confirmations = {false, true};
    t.u.actDeleteStation->trigger();
    QCOMPARE(t.count("select count(*) from stations"), stations);
    QCOMPARE(category->childCount(), 5);
    t.u.actDeleteStation->trigger();
    QCOMPARE(t.boxes.texts(),
             QStringList(2, QStringLiteral("Are you sure you want to delete this station?")));
    QCOMPARE(t.count("select count(*) from stations"), stations - 1);
    QCOMPARE(t.count("select count(*) from stations where s_id = 9"), 0);
    QCOMPARE(category->childCount(), 4);
    QVERIFY(!t.node(QStringLiteral("egoFM RAP")));
    // Nothing offers the deleted station any more: not its favorites entry, not the panel.
    QCOMPARE(t.u.lsvFavorites->count(), favorites - 1);
    QVERIFY(t.u.lsvFavorites->findItems(QStringLiteral("egoFM RAP"), Qt::MatchExactly).isEmpty());
    // The panel shows the station the selection moved on to, if any.
    QVERIFY(t.u.lblName->text() != QStringLiteral("egoFM RAP"));
    QCOMPARE(t.u.lblName->text(), t.selected() ? t.selected()->text(0) : QString());
}

void TestStationCommands::editorKeysAndTabOrder() {
    EditingWindow t;
    TfrmEditStation d(&t.w, t.w.catalogue());
    QCOMPARE(d.size(), QSize(486, 275));
    QCOMPARE(d.form().cbCategory->geometry(), QRect(72, 8, 401, 21));
    QCOMPARE(d.form().cmdOK->geometry(), QRect(400, 8, 75, 25));
    QCOMPARE(d.form().pnlBottom->geometry(), QRect(0, 234, 486, 41));
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    for (QWidget* w :
         {static_cast<QWidget*>(d.form().txtName), static_cast<QWidget*>(d.form().cbFormat),
          static_cast<QWidget*>(d.form().cmdCancel)}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(w, key);
    }
    QVERIFY(d.isVisible());
    QCOMPARE(d.result(), 0);

    // Tab goes from the bitrate to the buttons, then to the format and the language.
    QStringList order;
    QWidget* w = d.form().cbCategory;
    do {
        if (w->focusPolicy() & Qt::TabFocus)
            order << w->objectName();
        w = w->nextInFocusChain();
    } while (w != d.form().cbCategory && order.size() < 20);
    QCOMPARE(order, QStringList({"cbCategory", "txtName", "txtURL", "txtWebsite", "txtComment",
                                 "txtBitrate", "cmdOK", "cmdCancel", "cbFormat", "txtLanguage"}));

    // OK refuses an empty name or address with a message and keeps what was typed.
    d.form().txtURL->setText(QStringLiteral("http://127.0.0.1/x"));
    d.form().txtName->setText(QStringLiteral("   "));
    d.form().cmdOK->click();
    d.form().txtName->setText(QStringLiteral("Some Name"));
    d.form().txtURL->clear();
    d.form().txtComment->setText(QStringLiteral("typed"));
    d.form().cmdOK->click();
    QVERIFY(d.isVisible());
    QCOMPARE(d.result(), 0);
    QCOMPARE(t.boxes.texts(), QStringList({"Please enter the name of the station.",
                                           "Please enter the address (URL) of the station."}));
    QCOMPARE(t.boxes.boxes.last().kind, orvik::MessagePresenter::Kind::Information);
    QCOMPARE(d.form().txtName->text(), QStringLiteral("Some Name"));
    QCOMPARE(d.form().txtComment->text(), QStringLiteral("typed"));
    QTRY_COMPARE(QApplication::focusWidget(), d.form().txtURL);

    d.form().txtURL->setText(QStringLiteral("http://127.0.0.1/x"));
    d.form().cmdOK->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestStationCommands)
#include "test_stationcommands.moc"
