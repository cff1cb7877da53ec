// Type-to-find over the station tree: what matches (case, accents, comments), what the tree
// shows while finding, Enter, Escape and Ctrl+F, a cleared box giving the tree back with its
// selection, and a reload while finding.
#include "ui_MainWindow.h"

#include "app/catalogue/FindText.h"
#include "app/catalogue/StationModel.h"
#include "app/catalogue/StationTree.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/StationFind.h"
#include "app/forms/TreeOrder.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QScrollBar>
#include <QtTest>

namespace {

QString urlOf(int id) {
    return QStringLiteral("http://127.0.0.1:9/%1.mp3").arg(id);
}

// Asia (NHK, whose comment names a café; Ōsaka FM), Empty, Europe (Café Paris, Noticias,
// Radio Zürich, and thirty fillers so that the tree scrolls).
QStringList catalogue() {
    QStringList s{
        QStringLiteral("INSERT INTO categories (c_id, c_name) VALUES (1, 'Asia')"),
        QStringLiteral("INSERT INTO categories (c_id, c_name) VALUES (2, 'Empty')"),
        QStringLiteral("INSERT INTO categories (c_id, c_name) VALUES (3, 'Europe')"),
    };
    QList<std::tuple<int, QString, QString>> stations = {
        {1, QStringLiteral("NHK"), QStringLiteral("Tokyo CAFÉ music")},
        {1, QStringLiteral("Ōsaka FM"), QString()},
        {3, QStringLiteral("Café Paris"), QStringLiteral("jazz")},
        {3, QStringLiteral("Noticias"), QStringLiteral("news")},
        {3, QStringLiteral("Radio Zürich"), QStringLiteral("pop")},
    };
    for (int i = 0; i < 30; ++i)
        stations.append({3, QStringLiteral("Filler %1").arg(i, 2, 10, QLatin1Char('0')), {}});
    int id = 1;
    for (const auto& [c, name, comment] : stations)
        s << QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_comment) VALUES "
                            "(%1, %2, '%3', '%4', '%5')")
                 .arg(id)
                 .arg(c)
                 .arg(name, urlOf(id), comment),
            ++id;
    return s;
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
    // The nodes the tree shows, in tree order: categories as "Name:" and stations by name.
    QStringList shown() const {
        QStringList out;
        for (int i = 0; i < u.tvStations->topLevelItemCount(); ++i) {
            TStationNode* category = u.tvStations->topLevelItem(i);
            if (category->isHidden())
                continue;
            out << category->text(0) + u':';
            if (!category->isExpanded())
                continue;
            for (int j = 0; j < category->childCount(); ++j)
                if (!category->child(j)->isHidden())
                    out << category->child(j)->text(0);
        }
        return out;
    }
    void type(const QString& text) {
        u.txtFind->setFocus();
        QTest::keyClicks(u.txtFind, text);
    }
    QString selected() const {
        TStationNode* n = orvik::selectedNode(u.tvStations);
        return n ? n->text(0) : QString();
    }
};

} // namespace

class TestFind : public QObject {
    Q_OBJECT
private slots:
    void foldsCaseAndAccents();
    void showsMatchesInsideTheirCategories();
    void clearedBoxGivesTheTreeBack();
    void enterPlaysTheFirstMatch();
    void reloadKeepsTheFind();
    void findBeforeTheTextsAreMade();
    void channelStepsGoThroughTheMatches();
};

void TestFind::foldsCaseAndAccents() {
    using orvik::foldForFind;
    QCOMPARE(foldForFind(u"Café"), QStringLiteral("cafe"));
    QCOMPARE(foldForFind(u"CAFÉ"), QStringLiteral("cafe"));
    QCOMPARE(foldForFind(u"Zürich Ōsaka"), QStringLiteral("zurich osaka"));
    // Composed and decomposed spellings fold alike.
    QCOMPARE(foldForFind(u"Cafe\u0301"), foldForFind(u"Caf\u00e9"));
    // Scripts without case stay as they are; other scripts are folded.
    QCOMPARE(foldForFind(u"東京"), QStringLiteral("東京"));
    QCOMPARE(foldForFind(u"ΡΑΔΙΟ"), QStringLiteral("ραδιο"));
    QCOMPARE(foldForFind(u"STRASSE"), QStringLiteral("strasse"));
    QCOMPARE(foldForFind(u"ＡＢＣ"), QStringLiteral("abc"));
    QCOMPARE(foldForFind(u""), QString());

    // The stored UTF-8 texts are folded straight onto the keys, alike.
    QString keys = QStringLiteral("kept\n");
    for (const QString& text :
         {QStringLiteral("Radio ABC-1"), QStringLiteral("CAFÉ Zürich"), QStringLiteral("東京 FM"),
          QStringLiteral("ＡＢＣ"), QStringLiteral("Cafe\u0301 ﬁ STRAẞE Ωmega"), QString()}) {
        const QByteArray utf8 = text.toUtf8();
        const QString before = keys;
        orvik::appendFoldedUtf8(keys, utf8.constData(), utf8.size());
        QCOMPARE(keys, before + foldForFind(text));
    }
}

void TestFind::showsMatchesInsideTheirCategories() {
    Window t;
    // The box sits above the tree.
    QVERIFY(t.u.txtFind->isVisible());
    QVERIFY(t.u.txtFind->geometry().bottom() < t.u.tvStations->geometry().top());

    // The accent-free text finds the accented name and a comment with capitals.
    t.type(QStringLiteral("cafe"));
    QCOMPARE(t.shown(), (QStringList{"Asia:", "NHK", "Europe:", "Café Paris"}));
    // Typed with its accent it finds the same.
    t.u.txtFind->clear();
    t.type(QStringLiteral("CAFÉ"));
    QCOMPARE(t.shown(), (QStringList{"Asia:", "NHK", "Europe:", "Café Paris"}));
    // Each further letter narrows the tree; a letter taken back widens it again.
    t.u.txtFind->clear();
    t.type(QStringLiteral("zur"));
    QCOMPARE(t.shown(), (QStringList{"Europe:", "Radio Zürich"}));
    QTest::keyClick(t.u.txtFind, Qt::Key_Backspace);
    QTest::keyClick(t.u.txtFind, Qt::Key_Backspace);
    QCOMPARE(t.u.txtFind->text(), QStringLiteral("z"));
    QCOMPARE(t.shown(), (QStringList{"Europe:", "Café Paris", "Radio Zürich"})); // "jazz"
    QTest::keyClick(t.u.txtFind, Qt::Key_Backspace);
    t.type(QStringLiteral("osaka"));
    QCOMPARE(t.shown(), (QStringList{"Asia:", "Ōsaka FM"}));
    // Nothing matches: the tree is empty, Enter plays nothing.
    t.type(QStringLiteral("xyz"));
    QCOMPARE(t.shown(), QStringList());
    QTest::keyClick(t.u.txtFind, Qt::Key_Return);
    QCOMPARE(t.w.PlayMode, -1);
    // Category names are not searched: a category shows only for its stations.
    t.u.txtFind->clear();
    t.type(QStringLiteral("empty"));
    QCOMPARE(t.shown(), QStringList());
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestFind::clearedBoxGivesTheTreeBack() {
    Window t;
    TStationTree* tree = t.u.tvStations;
    // Europe open and scrolled, Noticias selected, Asia folded.
    t.node("Europe")->setExpanded(true);
    orvik::selectNode(tree, t.node("Filler 25"));
    tree->scrollToItem(t.node("Filler 25"));
    orvik::selectNode(tree, t.node("Noticias"));
    QApplication::processEvents();
    const int scroll = tree->verticalScrollBar()->value();
    QVERIFY(scroll > 0);

    t.type(QStringLiteral("nhk"));
    QCOMPARE(t.shown(), (QStringList{"Asia:", "NHK"}));
    QTest::keyClick(t.u.txtFind, Qt::Key_Escape);
    QVERIFY(t.u.txtFind->text().isEmpty());
    QVERIFY(!t.w.find().Active());
    QVERIFY(!t.node("Asia")->isExpanded());
    QVERIFY(t.node("Europe")->isExpanded());
    QVERIFY(!t.node("Empty")->isHidden());
    QCOMPARE(t.shown().size(), 3 + 33);
    QCOMPARE(t.selected(), QStringLiteral("Noticias"));
    QCOMPARE(tree->verticalScrollBar()->value(), scroll);
    QCOMPARE(t.u.lblName->text(), QStringLiteral("Noticias"));

    // A station picked while finding stays selected, its category opened.
    t.type(QStringLiteral("osaka"));
    QTest::keyClick(t.u.txtFind, Qt::Key_Down);
    QCOMPARE(t.selected(), QStringLiteral("Ōsaka FM"));
    QCOMPARE(t.w.focusWidget(), tree);
    t.u.txtFind->clear();
    QCOMPARE(t.selected(), QStringLiteral("Ōsaka FM"));
    QVERIFY(t.node("Asia")->isExpanded());
    QVERIFY(t.node("Europe")->isExpanded());
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestFind::enterPlaysTheFirstMatch() {
    Window t;
    QVERIFY(t.w.MediaPlayer);
    // Ctrl+F from another page brings the box with its text selected.
    t.u.PageControl->setCurrentIndex(1);
    t.u.txtFind->setText(QStringLiteral("old"));
    t.w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&t.w));
    t.u.lsvFavorites->setFocus();
    QTest::keyClick(t.u.lsvFavorites, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(t.u.PageControl->currentIndex(), 0);
    QTRY_VERIFY(t.u.txtFind->hasFocus());
    QCOMPARE(t.u.txtFind->selectedText(), QStringLiteral("old"));

    // Typing replaces the selected text; "a" matches in both categories: Asia's comes first.
    QTest::keyClicks(t.u.txtFind, QStringLiteral("a"));
    QCOMPARE(t.shown().first(), QStringLiteral("Asia:"));
    QTest::keyClick(t.u.txtFind, Qt::Key_Return);
    QCOMPARE(t.selected(), QStringLiteral("NHK"));
    QCOMPARE(t.w.MediaPlayer->URL(), urlOf(1));
    QCOMPARE(t.u.lblName->text(), QStringLiteral("NHK"));
    // A narrower text plays its own first match.
    QTest::keyClicks(t.u.txtFind, QStringLiteral("dio"));
    QTest::keyClick(t.u.txtFind, Qt::Key_Enter);
    QCOMPARE(t.w.MediaPlayer->URL(), urlOf(5));
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestFind::reloadKeepsTheFind() {
    Window t;
    t.type(QStringLiteral("zurich"));
    t.w.LoadStations(false);
    QCOMPARE(t.shown(), (QStringList{"Europe:", "Radio Zürich"}));
    QTest::keyClick(t.u.txtFind, Qt::Key_Escape);
    QCOMPARE(t.shown(), (QStringList{"Asia:", "Empty:", "Europe:"}));
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestFind::findBeforeTheTextsAreMade() {
    Window t;
    TStationModel* model = t.u.tvStations->stations();
    const int limit = std::exchange(TStationFind::foldAtOnceLimit, 0);
    // Typed at once after a load, before any of the texts were made while idle: the window
    // does not wait for them all, and the find shows every match once they are made.
    t.w.LoadStations(false);
    QVERIFY(!model->KeysFoldedAhead());
    t.type(QStringLiteral("cafe"));
    QCOMPARE(model->KeysFolded(), size_t(0));
    QTRY_COMPARE(t.shown(), (QStringList{"Asia:", "NHK", "Europe:", "Café Paris"}));
    QVERIFY(model->KeysFoldedAhead());
    // Narrowed: from the complete find on.
    t.type(QStringLiteral(" p"));
    QCOMPARE(t.shown(), (QStringList{"Europe:", "Café Paris"}));

    // A reload while finding: the same.
    t.w.LoadStations(false);
    QTRY_COMPARE(t.shown(), (QStringList{"Europe:", "Café Paris"}));
    TStationFind::foldAtOnceLimit = limit;
    QTest::keyClick(t.u.txtFind, Qt::Key_Escape);
    QCOMPARE(t.shown(), (QStringList{"Asia:", "Empty:", "Europe:"}));
}

void TestFind::channelStepsGoThroughTheMatches() {
    Window t;
    // Shown: Asia (NHK), Europe (Café Paris); Ōsaka FM between them is not.
    t.type(QStringLiteral("cafe"));
    orvik::selectNode(t.u.tvStations, t.node("NHK"));
    t.w.playback().Button1Click();
    QCOMPARE(t.selected(), QStringLiteral("Café Paris"));
    QCOMPARE(t.w.MediaPlayer->URL(), urlOf(3));
    // The last match goes round to the first of its category, as the last station does.
    t.w.playback().Button1Click();
    QCOMPARE(t.selected(), QStringLiteral("Café Paris"));
    t.w.playback().Button2Click();
    QCOMPARE(t.selected(), QStringLiteral("NHK"));
    QCOMPARE(t.w.MediaPlayer->URL(), urlOf(1));
    t.w.playback().Button2Click();
    QCOMPARE(t.selected(), QStringLiteral("NHK"));
    // Random picks the first match of a category that shows some.
    QList<int> counts;
    t.w.playback().randomIndex = [&counts](int n) {
        counts << n;
        return int(counts.size() - 1) % n;
    };
    t.w.playback().Button3Click();
    QCOMPARE(t.selected(), QStringLiteral("NHK"));
    t.w.playback().Button3Click();
    QCOMPARE(t.selected(), QStringLiteral("Café Paris"));
    QCOMPARE(counts, (QList<int>{2, 2})); // Empty and the hidden categories take no part
    QVERIFY(t.boxes.boxes.isEmpty());
}

QTEST_MAIN(TestFind)
#include "test_find.moc"
