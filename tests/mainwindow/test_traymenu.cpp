// The notification-area icon's menu, on the loopback stream server.
#include "tests/bus/BusFixture.h"

#include "app/forms/NowPlaying.h"
#include "tray/TrayIcon.h"

#include <QMenu>

namespace {
QStringList texts(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            out += a->text();
    return out;
}

QAction* item(const QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}
} // namespace

class TestTrayMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!toneMp3().isEmpty(), "ffmpeg is needed"); }
    void headingPlayStopAndSteps();
    void favoritesAndShow();
};

// The heading says what plays; the one play item plays or stops; the steps step.
void TestTrayMenu::headingPlayStopAndSteps() {
    BusFixture t;
    QMenu* menu = t.w->TrayIcon->PopupMenu();
    QVERIFY(menu);
    t.select(QStringLiteral("One"));
    menu->popup(QPoint(50, 50));
    QCOMPARE(texts(menu), (QStringList{"No channel currently playing", "Play", "Next Channel",
                                       "Previous Channel", "Favorites", "Show Orvik", "Exit"}));
    QVERIFY(!menu->actions().first()->isEnabled());
    QVERIFY(item(menu, "Play")->isEnabled());
    item(menu, "Play")->trigger();
    menu->hide();
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - First song"), 15000);

    menu->popup(QPoint(50, 50));
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("One - First song"));
    QVERIFY(item(menu, "Stop"));
    item(menu, "Next Channel")->trigger();
    menu->hide();
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Two - Second song"), 15000);
    menu->popup(QPoint(50, 50));
    item(menu, "Previous Channel")->trigger();
    menu->hide();
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - First song"), 15000);

    menu->popup(QPoint(50, 50));
    item(menu, "Stop")->trigger();
    menu->hide();
    QTRY_COMPARE(t.status(), QStringLiteral("No channel currently playing"));
    QVERIFY(!t.w->nowPlaying().playing());
    menu->popup(QPoint(50, 50));
    QVERIFY(item(menu, "Play"));
    menu->hide();
}

// The favorites submenu plays the one picked; Show Orvik brings the window back; a name's &
// is shown, not taken as a shortcut mark.
void TestTrayMenu::favoritesAndShow() {
    BusFixture t({"UPDATE stations SET s_favorite = 1, s_name = 'Two & more' WHERE s_id = 2"});
    QMenu* menu = t.w->TrayIcon->PopupMenu();
    menu->popup(QPoint(50, 50));
    auto* favorites = t.w->findChild<QMenu*>(QStringLiteral("TrayFavorites"));
    QVERIFY(favorites && favorites->isEnabled());
    QCOMPARE(texts(favorites), QStringList{"Two && more"});
    favorites->actions().first()->trigger();
    menu->hide();
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Two & more - Second song"), 15000);
    QCOMPARE(t.u().PageControl->currentIndex(), 1);

    t.w->hide();
    menu->popup(QPoint(50, 50));
    item(menu, "Show Orvik")->trigger();
    menu->hide();
    QTRY_VERIFY(t.w->isVisible());
    menu->popup(QPoint(50, 50));
    item(menu, "Exit")->trigger();
    QTRY_VERIFY(!t.w->isVisible());
}

QTEST_MAIN(TestTrayMenu)
#include "test_traymenu.moc"
