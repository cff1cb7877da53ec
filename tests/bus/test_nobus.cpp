// Without a session bus the program plays as before: nothing is registered, nothing reported.
#include "BusFixture.h"

#include "app/bus/MprisService.h"
#include "app/bus/Notifier.h"
#include "app/forms/BusLink.h"

#include <QApplication>

class TestNoBus : public QObject {
    Q_OBJECT
private slots:
    void playsWithoutBus();
};

void TestNoBus::playsWithoutBus() {
    QVERIFY2(!toneMp3().isEmpty(), "ffmpeg is needed");
    BusFixture t;
    auto* link = t.w->findChild<TBusLink*>(QStringLiteral("BusLink"));
    QVERIFY(link);
    QVERIFY(!link->mpris().registered());
    t.play(QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - First song"), 15000);
    // A notification asked for goes nowhere, and says nothing.
    link->notifier().notify(QStringLiteral("One"), QStringLiteral("First song"));
    QCOMPARE(link->notifier().lastId(), 0u);
    t.u().trbVolume->setValue(4);
    t.w->updater().updateAll();
    QCOMPARE(link->current().volume, 0.2);
    t.w->updater().updateAll();
    t.u().actStop->trigger();
    QTRY_COMPARE(t.status(), QStringLiteral("No channel currently playing"));
    QVERIFY(t.boxes.boxes.isEmpty());
}

int main(int argc, char** argv) {
    // A bus address where no bus is: the connection fails at once.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orvik-no-bus");
    QApplication app(argc, argv);
    TestNoBus test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_nobus.moc"
