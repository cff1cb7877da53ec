// The Search page: criteria, the three searches, empty groups, names with quotes, the reset by
// every load, and hostile names stored and found exactly.
#include "tests/editing/EditingWindow.h"

#include "app/forms/EditStation.h"
#include "app/forms/StationCommands.h"
#include "ui_EditStation.h"

namespace {

const QStringList emptyGroups = {
    "INSERT INTO categories (c_id, c_name) VALUES (9001, 'Zz Empty Country')",
    "INSERT INTO real_categories (rc_id, rc_name) VALUES (9001, 'Zz Empty Genre')",
    "INSERT INTO stations (s_id, c_id, s_name, s_language) VALUES (9101, 1, 'Blank Language', '')",
};

} // namespace

class TestSearch : public QObject {
    Q_OBJECT
private slots:
    void criteriaEnableTheirOwnList();
    void searches_data();
    void searches();
    void selectEntryAndFailures();
    void programStationsHaveNoRealCategory();
    void loadResetsThePage();
    void hostileNames_data();
    void hostileNames();
};

void TestSearch::criteriaEnableTheirOwnList() {
    EditingWindow t;
    auto& u = t.u;
    QVERIFY(u.rbStationCategory->isEnabled());
    u.rbLanguage->click();
    QVERIFY(u.cbLanguage->isEnabled() && !u.cbCategory->isEnabled());
    t.pick(u.cbLanguage, QStringLiteral("French"));
    QVERIFY(!t.results().isEmpty());

    u.rbCategory->click();
    QVERIFY(!u.rbLanguage->isChecked()); // the criteria exclude each other
    QVERIFY(t.results().isEmpty());
    QCOMPARE(u.cbLanguage->currentIndex(), 0);
    QVERIFY(!u.cbLanguage->isEnabled() && !u.cbStationCategory->isEnabled());
    QVERIFY(u.cbCategory->isEnabled());

    u.rbStationCategory->click();
    QVERIFY(u.cbStationCategory->isEnabled() && !u.cbCategory->isEnabled());
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestSearch::searches_data() {
    QTest::addColumn<int>("list"); // 0 real category, 1 category, 2 language
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // the stations' names, found independently
    const QString real = QStringLiteral("select s.s_name from stations s, real_categories c "
                                        "where s.rc_id = c.rc_id and c.rc_name = ?");
    const QString category = QStringLiteral(
        "select s.s_name from stations s, categories c where s.c_id = c.c_id and c.c_name = ?");
    QTest::newRow("real category") << 0 << "Blues" << real;
    QTest::newRow("empty real category") << 0 << "Zz Empty Genre" << real;
    QTest::newRow("two categories of one name") << 1 << "Germany" << category;
    QTest::newRow("apostrophe") << 1 << "Côte d'Ivoire" << category;
    QTest::newRow("empty category") << 1 << "Zz Empty Country" << category;
    QTest::newRow("language") << 2 << "French"
                              << "select s_name from stations where s_language = ?";
    QTest::newRow("empty and unset language")
        << 2 << ""
        << "select s_name from stations where s_language = ? or s_language is null";
}

void TestSearch::searches() {
    QFETCH(int, list);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    EditingWindow t(emptyGroups);
    auto& u = t.u;
    QRadioButton* radios[] = {u.rbStationCategory, u.rbCategory, u.rbLanguage};
    QComboBox* lists[] = {u.cbStationCategory, u.cbCategory, u.cbLanguage};
    radios[list]->click();
    t.pick(lists[list], name);

    const QStringList want = sorted(t.column(expected, {name}));
    QCOMPARE(t.results(), want);
    QVERIFY(t.boxes.boxes.isEmpty());
    if (name == QLatin1String("Germany"))
        QCOMPARE(t.count("select count(distinct c_id) from categories where c_name = 'Germany'"),
                 2);
    if (name.isEmpty())
        QCOMPARE(want.size(), 3); // one NULL, one empty in the sample, one more here
    // Results carry records of their own, without a category name.
    for (int i = 0; i < u.lsvResults->count(); ++i) {
        const TItemPtr result = itemOf(u.lsvResults->item(i));
        QVERIFY(result && result->Id > 0 && result->CategoryName.isEmpty());
        for (TStationNode* n : u.tvStations->findItems(result->Name))
            QVERIFY(itemOf(n) != result);
    }
}

void TestSearch::selectEntryAndFailures() {
    EditingWindow t;
    auto& u = t.u;
    u.rbLanguage->click();
    t.pick(u.cbLanguage, QStringLiteral("German"));
    QVERIFY(!t.results().isEmpty());
    // With the stations table gone every search fails; "(select)" runs no statement at all.
    t.column(QStringLiteral("alter table stations rename to gone"));
    t.pick(u.cbLanguage, 0);
    QVERIFY(t.results().isEmpty());
    QVERIFY(t.boxes.boxes.isEmpty());
    t.pick(u.cbLanguage, QStringLiteral("German"));
    QVERIFY(t.results().isEmpty());
    QCOMPARE(t.appErrors().size(), 1);
    QVERIFY2(t.appErrors()[0].contains(QLatin1String("stations")), qPrintable(t.appErrors()[0]));
    QCOMPARE(t.boxes.boxes[0].title, QStringLiteral("Orvik"));
}

void TestSearch::programStationsHaveNoRealCategory() {
    EditingWindow t;
    t.w.stationCommands().showModal = [](TfrmEditStation& d) {
        d.form().txtName->setText(QStringLiteral("Added Here"));
        return int(QDialog::Accepted);
    };
    t.u.actAddStation->trigger();
    QCOMPARE(t.count("select count(*) from stations where s_name = 'Added Here' and rc_id is null"),
             1);
    t.u.rbStationCategory->click();
    for (int i = 1; i < t.u.cbStationCategory->count(); ++i) {
        t.pick(t.u.cbStationCategory, i);
        QVERIFY(!t.results().contains(QStringLiteral("Added Here")));
    }
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestSearch::loadResetsThePage() {
    EditingWindow t;
    auto& u = t.u;
    u.rbCategory->click();
    t.pick(u.cbCategory, QStringLiteral("France"));
    QVERIFY(!t.results().isEmpty());
    t.w.LoadStations(false);
    QVERIFY(t.results().isEmpty());
    for (QComboBox* list : {u.cbStationCategory, u.cbCategory, u.cbLanguage}) {
        QCOMPARE(list->currentText(), QStringLiteral("(select)"));
        QVERIFY(!list->isEnabled());
    }
    for (QRadioButton* rb : {u.rbStationCategory, u.rbCategory, u.rbLanguage})
        QVERIFY(!rb->isChecked());
    // The criteria work again after the reset.
    u.rbCategory->click();
    QVERIFY(u.rbCategory->isChecked() && u.cbCategory->isEnabled());
}

void TestSearch::hostileNames_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("quotes") << QStringLiteral("O'Brien's \"Radio\" ''");
    QTest::newRow("statement") << QStringLiteral("x'; delete from stations; --");
    QTest::newRow("comment") << QStringLiteral("--");
    QTest::newRow("long") << QString(10000, u'w') + QStringLiteral("'");
    QTest::newRow("scripts") << QStringLiteral("東京 Москва العربية हिन्दी");
    QTest::newRow("nul") << QString::fromUtf16(u"a\0b'c", 5);
}

void TestSearch::hostileNames() {
    QFETCH(QString, name);
    EditingWindow t;
    const int stations = t.count("select count(*) from stations");
    const QStringList categories = t.column("select c_name from categories order by c_id");

    // A category, then a station in it with the same text as name and language.
    t.boxes.answers.push_back(name);
    t.u.actAddCategory->trigger();
    const QString id = t.column("select max(c_id) from categories").value(0);
    QCOMPARE(t.column("select c_name from categories where c_id = " + id), QStringList{name});
    t.w.stationCommands().showModal = [&](TfrmEditStation& d) {
        d.form().cbCategory->setCurrentIndex(d.CategoryIds().indexOf(id));
        d.form().txtName->setText(name);
        d.form().txtLanguage->setText(name);
        return int(QDialog::Accepted);
    };
    t.u.actAddStation->trigger();
    QVERIFY2(t.boxes.boxes.isEmpty(), qPrintable(t.boxes.texts().join('\n').left(200)));
    QCOMPARE(t.count("select count(*) from stations"), stations + 1);
    QCOMPARE(t.column("select s_name from stations where c_id = " + id), QStringList{name});
    QCOMPARE(t.node(name)->text(0), name);

    for (auto [radio, list] :
         {std::pair{t.u.rbCategory, t.u.cbCategory}, std::pair{t.u.rbLanguage, t.u.cbLanguage}}) {
        radio->click();
        t.pick(list, name);
        QCOMPARE(t.results(), QStringList{name});
    }

    // Renaming to the text, with a suffix, touches that one row.
    t.select(name);
    QVERIFY(t.selected() && !t.selected()->parent());
    t.boxes.answers.push_back(name + QStringLiteral("2"));
    t.u.actEditCategory->trigger();
    QVERIFY(t.boxes.boxes.isEmpty());
    QCOMPARE(t.column("select c_name from categories order by c_id"),
             categories + QStringList{name + QStringLiteral("2")});
    QCOMPARE(t.count("select count(*) from stations"), stations + 1);
}

QTEST_MAIN(TestSearch)
#include "test_search.moc"
