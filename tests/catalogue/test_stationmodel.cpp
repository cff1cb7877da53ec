// The station tree's model over compact rows: records made from the rows, nodes that keep
// naming their station through a find and a removal, and the find's matching.
#include "app/catalogue/FindText.h"
#include "app/catalogue/StationTree.h"

#include <QAbstractItemModelTester>
#include <QtTest>

namespace {

struct Station {
    qint64 id;
    QString name, comment;
    bool favorite = false;
};

// Categories 10 "Asia", 20 "Europe", 30 "Empty"; station ids as given.
void fill(TStationModel& model, const QList<QList<Station>>& categories) {
    model.SetImages({QIcon(), QIcon()});
    model.BeginLoad();
    const QStringList names{"Asia", "Europe", "Empty"};
    for (int c = 0; c < categories.size(); ++c) {
        auto category = std::make_shared<TItem>();
        category->CategoryId = (c + 1) * 10;
        model.AddCategory(category, names.value(c), {});
        for (const Station& s : categories[c]) {
            TStationRow row;
            row.id = s.id;
            row.text = quint64(model.Texts().size());
            const QString texts[TStationRow::TextCount] = {
                s.name, QStringLiteral("http://127.0.0.1/%1").arg(s.id), {}, s.comment, "128"};
            for (int i = 0; i < TStationRow::TextCount; ++i) {
                const QByteArray utf8 = texts[i].toUtf8();
                model.Texts().append(utf8);
                row.length[i] = quint32(utf8.size());
            }
            row.created = 20240229;
            row.played = 18991230;
            row.image = 1;
            row.flags = TStationRow::IdExact | (s.favorite ? TStationRow::Favorite : 0);
            model.AddStation(c, row);
        }
    }
    model.EndLoad();
}

QStringList shown(const TStationModel& model) {
    QStringList out;
    for (int i = 0; i < model.rowCount(); ++i) {
        const QModelIndex category = model.index(i, 0);
        out << category.data().toString() + u':';
        for (int j = 0; j < model.rowCount(category); ++j)
            out << model.index(j, 0, category).data().toString();
    }
    return out;
}

const QList<QList<Station>> sample = {
    {{1, "NHK", "Tokyo CAFÉ music"}, {2, "Ōsaka FM", {}}},
    {{3, "Café Paris", "jazz", true}, {4, "Noticias", "news"}, {5, "Radio Zürich", "pop"}},
    {}};

} // namespace

class TestStationModel : public QObject {
    Q_OBJECT
private slots:
    void recordsComeFromTheRows();
    void findShowsMatchesAndKeepsNodes();
    void removalKeepsOtherNodes();
    void findTextsFoldedWhileIdle();
};

void TestStationModel::recordsComeFromTheRows() {
    TStationTree tree;
    TStationModel& model = *tree.stations();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(model, sample);
    QCOMPARE(model.CategoryCount(), 3);
    QCOMPARE(model.StationTotal(), 5);
    TStationNode* osaka = model.Station(0, 1);
    QCOMPARE(osaka->text(), QStringLiteral("Ōsaka FM"));
    TItemPtr record = osaka->item;
    QCOMPARE(record->Id, 2);
    QCOMPARE(record->CategoryId, 10);
    QCOMPARE(record->CategoryName, QStringLiteral("Asia"));
    QCOMPARE(record->Url, QStringLiteral("http://127.0.0.1/2"));
    QCOMPARE(record->Bitrate, QStringLiteral("128"));
    QVERIFY(record->Comment.isEmpty() && record->Website.isEmpty());
    QVERIFY(record->Created.endsWith(QStringLiteral("2024")));
    QVERIFY(record->Played.endsWith(QStringLiteral("1899")));
    QVERIFY(!record->Favorite && model.Station(1, 0)->item->Favorite);
    // The same node, and so the same record, every time it is asked for.
    QCOMPARE(model.Station(0, 1), osaka);
    QCOMPARE(model.FindStation(2), osaka);
    QCOMPARE(model.NodeAt(osaka->index()), osaka);
    QCOMPARE(osaka->parent(), model.Category(0));
    QCOMPARE(model.FindCategory(20), model.Category(1));
    QVERIFY(!model.FindStation(99) && !model.FindCategory(99) && !model.Station(0, 2));
    QCOMPARE(tree.findItems(QStringLiteral("Noticias")), QList<TStationNode*>{model.Station(1, 1)});
    QCOMPARE(tree.findItems(QStringLiteral("Empty")), QList<TStationNode*>{model.Category(2)});
    QCOMPARE(osaka->index().data(Qt::DecorationRole).typeId(), QMetaType::QIcon);
    // A reload releases the records of the nodes that were asked for.
    const std::weak_ptr<TItem> released = record;
    const TItem* before = record.get();
    osaka = nullptr;
    fill(model, sample);
    QVERIFY(!released.expired()); // still held here
    record.reset();
    QVERIFY(released.expired());
    QVERIFY(model.Station(0, 1)->item.get() != before);
}

void TestStationModel::findShowsMatchesAndKeepsNodes() {
    TStationTree tree;
    TStationModel& model = *tree.stations();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(model, sample);
    TStationNode* zurich = model.Station(1, 2);
    TStationNode* nhk = model.Station(0, 0);

    model.SetFilter(orvik::foldForFind(u"cafe"), false);
    QCOMPARE(shown(model), (QStringList{"Asia:", "NHK", "Europe:", "Café Paris"}));
    QVERIFY(zurich->isHidden() && !zurich->index().isValid());
    QVERIFY(!nhk->isHidden());
    QCOMPARE(model.NodeAt(nhk->index()), nhk);
    QVERIFY(model.Category(2)->isHidden());
    // Children are counted as loaded; what the find shows is the model's rows.
    QCOMPARE(model.Category(1)->childCount(), 3);
    // A narrower text looks only at what is shown; a match never runs over into the next
    // station's text.
    model.SetFilter(orvik::foldForFind(u"cafe p"), true);
    QCOMPARE(shown(model), (QStringList{"Europe:", "Café Paris"}));
    model.SetFilter(orvik::foldForFind(u"music\nosaka"), false);
    QCOMPARE(shown(model), QStringList());
    model.SetFilter(orvik::foldForFind(u"z"), false);
    QCOMPARE(shown(model), (QStringList{"Europe:", "Café Paris", "Radio Zürich"}));
    QCOMPARE(model.NodeAt(zurich->index()), zurich);
    model.SetFilter(QString(), false);
    QCOMPARE(shown(model).size(), 3 + 5);
    QVERIFY(!zurich->isHidden() && !model.Category(2)->isHidden());
}

void TestStationModel::removalKeepsOtherNodes() {
    TStationTree tree;
    TStationModel& model = *tree.stations();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(model, sample);
    TStationNode* paris = model.Station(1, 0);
    TStationNode* zurich = model.Station(1, 2);
    TStationNode* empty = model.Category(2);
    model.SetFilter(orvik::foldForFind(u"r"), false);
    QCOMPARE(shown(model), (QStringList{"Europe:", "Café Paris", "Radio Zürich"}));
    model.Remove(paris);
    QCOMPARE(shown(model), (QStringList{"Europe:", "Radio Zürich"}));
    QCOMPARE(zurich->row(), 1);
    QCOMPARE(model.Station(1, 1), zurich);
    QCOMPARE(zurich->text(), QStringLiteral("Radio Zürich"));
    // A station the find hides goes as well; the shown ones stay.
    model.Remove(model.Station(1, 0));
    QCOMPARE(shown(model), (QStringList{"Europe:", "Radio Zürich"}));
    model.SetFilter(QString(), false);
    model.Remove(model.Category(0));
    QCOMPARE(empty->row(), 1);
    QCOMPARE(model.Category(1), empty);
    QCOMPARE(zurich->parent(), model.Category(0));
    QCOMPARE(model.NodeAt(zurich->index()), zurich);
    QCOMPARE(shown(model), (QStringList{"Europe:", "Radio Zürich", "Empty:"}));
    model.SetCategoryName(empty, QStringLiteral("None"));
    QCOMPARE(empty->text(), QStringLiteral("None"));
    QCOMPARE(model.FindStation(5), zurich);
}

// After a load the find's texts are made a slice at a time while idle; a find before, between or
// after the slices sees every station.
void TestStationModel::findTextsFoldedWhileIdle() {
    QList<Station> many;
    for (int i = 0; i < 20000; ++i)
        many.append({i + 1, QStringLiteral("Station %1").arg(i), QStringLiteral("Ünï %1").arg(i)});
    const QList<QList<Station>> big{many, {{9001, "Station 19999 two", {}}}};
    const QStringList last{"Asia:", "Station 19999", "Europe:", "Station 19999 two"};
    for (int slices : {0, 1, -1}) {
        TStationModel model;
        fill(model, big);
        if (slices < 0)
            QTRY_VERIFY(model.KeysFoldedAhead());
        for (int i = 0; i < slices; ++i)
            QCoreApplication::processEvents();
        if (slices == 1)
            QVERIFY(!model.KeysFoldedAhead()); // part way, as a large load is
        model.SetFilter(orvik::foldForFind(u"station 19999"), false);
        QCOMPARE(shown(model), last);
        model.SetFilter(orvik::foldForFind(u"uni 0"), false);
        QCOMPARE(shown(model), (QStringList{"Asia:", "Station 0"}));
        // Folding goes on after a find, and changes nothing of what it found.
        model.SetFilter(QString(), false);
        QTRY_VERIFY(model.KeysFoldedAhead());
        model.SetFilter(orvik::foldForFind(u"station 19999"), false);
        QCOMPARE(shown(model), last);
    }
}

QTEST_MAIN(TestStationModel)
#include "test_stationmodel.moc"
