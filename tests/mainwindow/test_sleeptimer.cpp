// The sleep timer on a clock of the test's own: the menu, the tip's time left, the fade over
// the last 30 seconds, the stop of a real player and the volume given back; Off, a new
// choice and the user's own move of the slider in the fade.
#include "ui_MainWindow.h"

#include "app/forms/MainWindow.h"
#include "app/forms/SleepTimer.h"
#include "app/forms/TreeOrder.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/mainwindow/LoopbackStations.h"

#include <QMenu>
#include <QtTest>

namespace {

constexpr qint64 kMinute = 60'000;

struct Window : LoopbackStations {
    Window() {
        w = std::make_unique<TfrmMain>();
        w->show();
        timer = w->findChild<TSleepTimer*>();
        timer->now = [this] { return clock; };
    }
    Ui::TfrmMain& u() { return w->form(); }
    QString tip() { return u().lblStatusText->toolTip(); }
    QString status() { return u().lblStatusText->text(); }
    // The clock moves on to ms after the start and the timer looks at it.
    void at(qint64 ms) {
        clock = ms;
        timer->tick();
    }

    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
    TSleepTimer* timer = nullptr;
    qint64 clock = 0;
};

} // namespace

class TestSleepTimer : public QObject {
    Q_OBJECT
private slots:
    void menu();
    void fadesStopsAndGivesTheVolumeBack();
    void offNewChoiceAndTheUsersOwnMove();
};

void TestSleepTimer::menu() {
    Window t;
    QMenu* sub = t.timer->menu();
    QVERIFY(t.u().mnuStationsMenu->actions().contains(sub->menuAction()));
    QCOMPARE(sub->title(), QStringLiteral("Sleep Timer"));
    QStringList items;
    for (QAction* a : sub->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(items,
             QStringList({"15 minutes", "30 minutes", "60 minutes", "90 minutes", "-", "Off"}));
    QVERIFY(t.timer->item(0)->isChecked());
    t.timer->item(90)->trigger();
    QVERIFY(t.timer->running());
    QVERIFY(t.timer->item(90)->isChecked() && !t.timer->item(0)->isChecked());
    QCOMPARE(t.tip(), QStringLiteral("Sleep timer: 90:00 left"));
}

void TestSleepTimer::fadesStopsAndGivesTheVolumeBack() {
    Window t;
    orvik::selectNode(t.u().tvStations, t.u().tvStations->findItems("One").value(0));
    t.w->tvStationsDblClick();
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One"), 10000);
    QSlider* volume = t.u().trbVolume;
    volume->setValue(12);

    t.timer->item(15)->trigger();
    QCOMPARE(t.tip(), QStringLiteral("Sleep timer: 15:00 left"));
    t.at(14 * kMinute + 29'500);
    QCOMPARE(t.tip(), QStringLiteral("Sleep timer: 0:31 left"));
    QCOMPARE(volume->value(), 12); // no fade before the last 30 seconds
    t.at(15 * kMinute - 15'000);
    QCOMPARE(volume->value(), 6);
    QCOMPARE(t.w->MediaPlayer->volume(), 30); // the player follows the slider
    t.at(15 * kMinute - 1'000);
    QCOMPARE(volume->value(), 1);
    QCOMPARE(t.status(), QStringLiteral("One"));

    t.at(15 * kMinute);
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("No channel currently playing"), 10000);
    QCOMPARE(volume->value(), 12);
    QVERIFY(!t.timer->running());
    QVERIFY(t.timer->item(0)->isChecked());
    QCOMPARE(t.tip(), QString());
    // A clock past the end does nothing more.
    t.at(16 * kMinute);
    QCOMPARE(volume->value(), 12);
}

void TestSleepTimer::offNewChoiceAndTheUsersOwnMove() {
    Window t;
    QSlider* volume = t.u().trbVolume;
    volume->setValue(20);

    // Off in the fade gives the volume back at once.
    t.timer->item(30)->trigger();
    t.at(30 * kMinute - 10'000);
    QCOMPARE(volume->value(), 7);
    t.timer->item(0)->trigger();
    QCOMPARE(volume->value(), 20);
    QVERIFY(!t.timer->running());
    QCOMPARE(t.tip(), QString());
    t.at(30 * kMinute);
    QCOMPARE(volume->value(), 20);

    // A new choice counts from its own time; the fade's volume goes back first.
    t.timer->item(15)->trigger(); // at 30 minutes: ends at 45
    t.at(45 * kMinute - 20'000);
    QVERIFY(volume->value() < 20);
    t.timer->item(60)->trigger();
    QCOMPARE(volume->value(), 20);
    QCOMPARE(t.tip(), QStringLiteral("Sleep timer: 60:00 left"));
    QCOMPARE(t.timer->remaining(), 60 * kMinute);

    // The user's own move in the fade ends the count and keeps their volume.
    t.at(45 * kMinute + 60 * kMinute - 20'000);
    volume->setValue(17);
    t.at(45 * kMinute + 60 * kMinute - 19'000);
    QVERIFY(!t.timer->running());
    QCOMPARE(volume->value(), 17);
    t.at(45 * kMinute + 60 * kMinute);
    QCOMPARE(volume->value(), 17);
    QVERIFY(t.boxes.texts().isEmpty());
}

QTEST_MAIN(TestSleepTimer)
#include "test_sleeptimer.moc"
