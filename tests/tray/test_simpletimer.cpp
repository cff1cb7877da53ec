#include "tests/common/RecordingPresenter.h"
#include "tray/SimpleTimer.h"

#include <QAbstractEventDispatcher>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

// Lets the event loop run for a while, to show that something does NOT happen meanwhile.
void letEventsRun(int ms) {
    QTimer reference;
    QSignalSpy spy(&reference, &QTimer::timeout);
    reference.start(ms);
    QVERIFY(spy.wait(ms + 5000));
}

// Runs everything posted so far: posted events are delivered in order.
void drain() {
    bool done = false;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { done = true; }, Qt::QueuedConnection);
    QTRY_VERIFY(done);
}

// The id of the one system timer on the shared window.
int onlySystemTimer() {
    const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(
        TSimpleTimerHandler::instance()->window());
    return timers.size() == 1 ? timers.first().timerId : 0;
}

} // namespace

class TestSimpleTimer : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY2(!TSimpleTimerHandler::instance(), "a test left a timer alive"); }

    void zeroIntervalNeverRunsAndPauses() {
        int ticks = 0;
        TSimpleTimer timer(0, [&](TSimpleTimer*) { ++ticks; });
        timer.setEnabled(true);
        QVERIFY(!timer.Enabled());

        timer.setInterval(5);
        QVERIFY(timer.Start());
        QTRY_VERIFY(ticks >= 2);
        timer.setInterval(0); // paused: still enabled, no ticks
        QVERIFY(timer.Enabled());
        QVERIFY(!timer.Running());
        const int paused = ticks;
        letEventsRun(80);
        QCOMPARE(ticks, paused);
        timer.setInterval(5); // runs again
        QTRY_VERIFY(ticks >= paused + 2);
    }

    // Which of the tick and a reference timer fires first tells whether the period was
    // restarted, whatever the load on the machine: late timers still fire in due order.
    void settingTheIntervalAgain_data() {
        QTest::addColumn<quint32>("newInterval");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same interval: no restart") << 400u << "tick ref";
        QTest::newRow("new interval: period restarts") << 401u << "ref tick";
    }
    void settingTheIntervalAgain() {
        QFETCH(quint32, newInterval);
        QFETCH(QString, expected);
        QStringList order;
        TSimpleTimer timer(400, [&](TSimpleTimer* sender) {
            order << QStringLiteral("tick");
            sender->Stop(true);
        });
        QVERIFY(timer.Start());
        QTimer::singleShot(250, Qt::PreciseTimer, [&] { timer.setInterval(newInterval); });
        QTimer::singleShot(550, Qt::PreciseTimer, [&] { order << QStringLiteral("ref"); });
        QTRY_COMPARE_WITH_TIMEOUT(order.size(), 2, 10000);
        QCOMPARE(order.join(u' '), expected);
    }

    void autoDisableFiresOnce() {
        int ticks = 0;
        TSimpleTimer timer(5, [&](TSimpleTimer* sender) {
            ++ticks;
            QVERIFY(!sender->Enabled()); // stopped before the handler runs
        });
        timer.setAutoDisable(true);
        QVERIFY(timer.Start());
        QTRY_COMPARE(ticks, 1);
        letEventsRun(60);
        QCOMPARE(ticks, 1);
    }

    void sharedWindowFollowsTheTimerCount() {
        auto first = std::make_unique<TSimpleTimer>();
        auto second = std::make_unique<TSimpleTimer>();
        QPointer<QObject> window = TSimpleTimerHandler::instance()->window();
        QCOMPARE(TSimpleTimerHandler::instance()->refCount(), 2);
        first.reset();
        QVERIFY(window);
        second.reset();
        QVERIFY(!TSimpleTimerHandler::instance());
        QVERIFY(window.isNull());

        int ticks = 0; // a later timer gets a new window
        TSimpleTimer again(5, [&](TSimpleTimer*) { ++ticks; });
        QVERIFY(again.Start());
        QTRY_VERIFY(ticks >= 1);
    }

    void tickQueuedForADestroyedTimerReachesNothing() {
        int ticks = 0;
        TSimpleTimer keeper; // keeps the shared window alive
        auto doomed = std::make_unique<TSimpleTimer>(100000, [&](TSimpleTimer*) { ++ticks; });
        QVERIFY(doomed->Start());
        QCoreApplication::postEvent(TSimpleTimerHandler::instance()->window(),
                                    new QTimerEvent(onlySystemTimer()));
        doomed.reset();
        drain();
        QCOMPARE(ticks, 0);
    }

    void handlerMayDestroyItsOwnTimer() {
        // The last timer: the shared window goes from inside its own tick.
        std::unique_ptr<TSimpleTimer> timer;
        timer = std::make_unique<TSimpleTimer>(1, [&](TSimpleTimer*) { timer.reset(); });
        QVERIFY(timer->Start());
        QTRY_VERIFY(!timer);
        QVERIFY(!TSimpleTimerHandler::instance());
    }

    void failingHandlerIsReportedAndKeepsTicking() {
        RecordingPresenter presenter;
        int ticks = 0;
        TSimpleTimer timer(5, [&](TSimpleTimer*) {
            if (++ticks == 1)
                throw std::runtime_error("tick failed");
        });
        QVERIFY(timer.Start());
        QTRY_VERIFY(ticks >= 3);
        QCOMPARE(presenter.boxes.size(), 1);
        QCOMPARE(presenter.boxes[0].text, QStringLiteral("tick failed."));
    }
};

QTEST_GUILESS_MAIN(TestSimpleTimer)
#include "test_simpletimer.moc"
