#include "MessagePresenter.h"
#include "SimpleTimer.h"

#include <QAbstractEventDispatcher>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <stdexcept>

namespace {

class RecordingPresenter final : public orvik::MessagePresenter {
public:
    bool show(Kind, const QString&, const QString& text) override {
        shown << text;
        return false;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QStringList shown;
};

// Lets the event loop run for a while, to show that something does NOT happen meanwhile.
void letEventsRun(int ms) {
    QTimer reference;
    reference.setSingleShot(true);
    QSignalSpy spy(&reference, &QTimer::timeout);
    reference.start(ms);
    QVERIFY(spy.wait(ms + 5000));
}

} // namespace

class TestSimpleTimer : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY2(!TSimpleTimerHandler::instance(), "a test left a timer alive"); }

    void newTimerIsIdleAndZeroIntervalNeverRuns() {
        TSimpleTimer timer;
        QCOMPARE(timer.Interval(), 1000u);
        QVERIFY(!timer.Enabled());
        QVERIFY(!timer.Running());
        QVERIFY(!timer.AutoDisable());
        QVERIFY(!timer.OnTimer());

        TSimpleTimer zero(0, [](TSimpleTimer*) {});
        zero.setEnabled(true);
        QVERIFY(!zero.Enabled());
        QVERIFY(!zero.Start());
        QVERIFY(!zero.Running());
        QVERIFY(!zero.Stop(false)); // nothing to kill
    }

    void ticksRepeatedlyWithItselfAsSender() {
        TSimpleTimer* seen = nullptr;
        int ticks = 0;
        TSimpleTimer timer(5, [&](TSimpleTimer* sender) {
            seen = sender;
            ++ticks;
        });
        QVERIFY(timer.Start());
        QVERIFY(timer.Enabled());
        QTRY_VERIFY(ticks >= 3);
        QCOMPARE(seen, &timer);

        QVERIFY(timer.Stop(true));
        QVERIFY(!timer.Enabled());
        const int stopped = ticks;
        letEventsRun(60);
        QCOMPARE(ticks, stopped);
    }

    // Which of the tick and a reference timer fires first tells whether the period was
    // restarted, whatever the load on the machine: late timers still fire in due order.
    void settingTheIntervalAgain_data() { periods_data(); }
    void settingTheIntervalAgain() { periods(); }

    void zeroIntervalPausesUntilANonZeroOne() {
        int ticks = 0;
        TSimpleTimer timer(5, [&](TSimpleTimer*) { ++ticks; });
        QVERIFY(timer.Start());
        QTRY_VERIFY(ticks >= 2);

        timer.setInterval(0);
        QVERIFY(timer.Enabled());
        QVERIFY(!timer.Running());
        const int paused = ticks;
        letEventsRun(80);
        QCOMPARE(ticks, paused);

        timer.setInterval(5);
        QVERIFY(timer.Running());
        QTRY_VERIFY(ticks >= paused + 2);
    }

    void clearingTheHandlerPauses() {
        int ticks = 0;
        auto count = [&](TSimpleTimer*) { ++ticks; };
        TSimpleTimer timer(5, count);
        QVERIFY(timer.Start());
        QTRY_VERIFY(ticks >= 1);

        timer.setOnTimer({});
        QVERIFY(timer.Enabled());
        QVERIFY(!timer.Running());
        // A new handler alone does not resume; starting does.
        timer.setOnTimer(count);
        QVERIFY(!timer.Running());
        const int paused = ticks;
        QVERIFY(timer.Start());
        QTRY_VERIFY(ticks > paused);
    }

    void autoDisableFiresOnce() {
        int ticks = 0;
        bool enabledDuringCall = true;
        TSimpleTimer timer(5, [&](TSimpleTimer* sender) {
            ++ticks;
            enabledDuringCall = sender->Enabled();
        });
        timer.setAutoDisable(true);
        QVERIFY(timer.Start());
        QTRY_COMPARE(ticks, 1);
        QVERIFY(!enabledDuringCall);
        QVERIFY(!timer.Enabled());
        letEventsRun(60);
        QCOMPARE(ticks, 1);
    }

    void sharedWindowFollowsTheTimerCount() {
        QVERIFY(!TSimpleTimerHandler::instance());
        auto first = std::make_unique<TSimpleTimer>();
        TSimpleTimerHandler* handler = TSimpleTimerHandler::instance();
        QVERIFY(handler);
        QPointer<QObject> window = handler->window();
        auto second = std::make_unique<TSimpleTimer>();
        QCOMPARE(TSimpleTimerHandler::instance(), handler);
        QCOMPARE(handler->refCount(), 2);

        first.reset();
        QCOMPARE(handler->refCount(), 1);
        QVERIFY(!window.isNull());
        second.reset();
        QVERIFY(!TSimpleTimerHandler::instance());
        QVERIFY(window.isNull());

        // A later timer gets a new window and works.
        int ticks = 0;
        TSimpleTimer again(5, [&](TSimpleTimer*) { ++ticks; });
        QVERIFY(TSimpleTimerHandler::instance());
        QVERIFY(again.Start());
        QTRY_VERIFY(ticks >= 1);
    }

    void tickQueuedForADestroyedTimerReachesNothing() {
        int ticks = 0;
        auto count = [&](TSimpleTimer*) { ++ticks; };
        auto drain = [] { // posted events are delivered in order
            bool drained = false;
            QMetaObject::invokeMethod(
                QCoreApplication::instance(), [&] { drained = true; }, Qt::QueuedConnection);
            QTRY_VERIFY(drained);
        };
        {
            TSimpleTimer keeper; // keeps the shared window alive
            auto doomed = std::make_unique<TSimpleTimer>(100000, count);
            QVERIFY(doomed->Start());
            const int id = onlySystemTimer();
            QVERIFY(id != 0);
            // The tick is already on its way when the timer goes.
            QCoreApplication::postEvent(TSimpleTimerHandler::instance()->window(),
                                        new QTimerEvent(id));
            doomed.reset();
            drain();
            QCOMPARE(ticks, 0);
        }
        // The same when the timer was the last one: the queued tick goes with the window.
        auto last = std::make_unique<TSimpleTimer>(100000, count);
        QVERIFY(last->Start());
        QPointer<QObject> window = TSimpleTimerHandler::instance()->window();
        QCoreApplication::postEvent(window, new QTimerEvent(onlySystemTimer()));
        last.reset();
        QVERIFY(window.isNull());
        drain();
        QCOMPARE(ticks, 0);
    }

    void handlerMayDestroyItsOwnTimer() {
        std::unique_ptr<TSimpleTimer> timer;
        int ticks = 0;
        timer = std::make_unique<TSimpleTimer>(1, [&](TSimpleTimer*) {
            ++ticks;
            timer.reset(); // the last timer: the shared window goes from inside its own tick
        });
        QVERIFY(timer->Start());
        QTRY_VERIFY(!timer);
        QCOMPARE(ticks, 1);
        QVERIFY(!TSimpleTimerHandler::instance());
    }

    void failingHandlerIsReportedAndKeepsTicking() {
        RecordingPresenter presenter;
        orvik::setPresenter(&presenter);
        int ticks = 0;
        TSimpleTimer timer(5, [&](TSimpleTimer*) {
            if (++ticks == 1)
                throw std::runtime_error("tick failed");
        });
        QVERIFY(timer.Start());
        QTRY_VERIFY(ticks >= 3);
        orvik::setPresenter(nullptr);
        QCOMPARE(presenter.shown, QStringList{QStringLiteral("tick failed.")});
    }

private:
    // The id of the one system timer set on the shared window, 0 unless there is exactly one.
    static int onlySystemTimer() {
        const auto timers = QAbstractEventDispatcher::instance()->registeredTimers(
            TSimpleTimerHandler::instance()->window());
        return timers.size() == 1 ? timers.first().timerId : 0;
    }

    void periods_data() {
        QTest::addColumn<quint32>("newInterval");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same interval: no restart") << 400u << "tick ref";
        QTest::newRow("new interval: period restarts") << 401u << "ref tick";
    }

    void periods() {
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
};

QTEST_GUILESS_MAIN(TestSimpleTimer)
#include "test_simpletimer.moc"
