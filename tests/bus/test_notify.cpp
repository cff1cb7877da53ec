// Title notifications through a real notification server (dunst) on a private session bus,
// with the main window hidden in a real notification area (trayer).
#include "BusFixture.h"

#include "app/bus/Notifier.h"
#include "app/forms/BusLink.h"
#include "app/forms/NowPlaying.h"
#include "tests/common/PrivateBus.h"
#include "tray/TrayIcon.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSystemTrayIcon>

namespace {

int displayed() {
    return runToEnd(QStringLiteral("dunstctl"), {"count", "displayed"}).toInt();
}

// The notifications the server keeps after they were closed, newest first: summary and body.
QList<QStringList> history() {
    const QJsonDocument doc =
        QJsonDocument::fromJson(runToEnd(QStringLiteral("dunstctl"), {"history"}).toUtf8());
    QList<QStringList> out;
    for (const QJsonValue& n : doc.object().value("data").toArray().at(0).toArray())
        out += QStringList{n["summary"]["data"].toString(), n["body"]["data"].toString()};
    return out;
}

} // namespace

class TestNotify : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void onlyWhileHiddenAndReplaced();
    void turnedOff();

private:
    QTemporaryDir dir_;
    QProcess dunst_;
    QProcess trayer_;
};

void TestNotify::initTestCase() {
    QVERIFY2(!qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "dbus-daemon is needed");
    QVERIFY2(!toneMp3().isEmpty(), "ffmpeg is needed");
    // Notifications stay until closed, so that what is shown can be counted.
    QFile config(dir_.filePath("dunstrc"));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[global]\nmonitor = 0\n[urgency_low]\ntimeout = 0\n[urgency_normal]\n"
                 "timeout = 0\n[urgency_critical]\ntimeout = 0\n");
    config.close();
    dunst_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    dunst_.start("dunst", {"-config", config.fileName()});
    QVERIFY2(dunst_.waitForStarted(10000), "dunst is needed");
    QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(
                                 "org.freedesktop.Notifications"),
                             15000);
    trayer_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    trayer_.start("trayer", {"--edge", "top", "--align", "right", "--widthtype", "request",
                             "--height", "24"});
    QVERIFY(trayer_.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 15000);
}

void TestNotify::cleanupTestCase() {
    for (QProcess* p : {&dunst_, &trayer_}) {
        p->kill();
        p->waitForFinished(5000);
    }
}

// No notification while the window is on screen; hidden in the tray each new title shows,
// in the place of the one before, as the text it is.
void TestNotify::onlyWhileHiddenAndReplaced() {
    BusFixture t;
    auto* link = t.w->findChild<TBusLink*>(QStringLiteral("BusLink"));
    QVERIFY(link && link->notificationsAction()->isChecked());
    QVERIFY(t.u().mnuViewMenu->actions().contains(link->notificationsAction()));
    QSignalSpy shown(&link->notifier(), &orvik::TNotifier::shown);
    {
        orvik::TNotifier direct(QDBusConnection::sessionBus());
        QSignalSpy answered(&direct, &orvik::TNotifier::shown);
        direct.notify("probe", "probe");
        QVERIFY2(answered.wait(5000), "the notification server does not answer");
        runToEnd(QStringLiteral("dunstctl"), {"close-all"});
        QTRY_COMPARE(displayed(), 0);
    }
    // The probe stays in the server's history.
    const qsizetype before = history().size();
    t.play(QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - First song"), 15000);
    t.server.setTitle(QStringLiteral("/one.mp3"), "Shown song");
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - Shown song"), 10000);
    QCOMPARE(displayed(), 0);
    QCOMPARE(shown.count(), 0);

    t.w->showMinimized();
    QTRY_VERIFY(!t.w->isVisible());
    QTRY_VERIFY(t.w->TrayIcon->IconVisible());
    for (int i = 1; i <= 3; ++i) {
        t.server.setTitle(QStringLiteral("/one.mp3"), QStringLiteral("Song <%1>").arg(i).toUtf8());
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), i, 10000);
    }
    // One notification, replaced twice: the server kept the same one.
    QCOMPARE(shown.at(1).at(0), shown.at(0).at(0));
    QCOMPARE(shown.at(2).at(0), shown.at(0).at(0));
    QTRY_COMPARE(displayed(), 1);
    runToEnd(QStringLiteral("dunstctl"), {"close-all"});
    QTRY_COMPARE(history().size(), before + 1);
    QCOMPARE(history().at(0), (QStringList{"One", "Song &lt;3&gt;"}));

    // Back on screen: quiet again.
    t.w->TrayIcon->RestoreMainWindow();
    QTRY_VERIFY(t.w->isVisible());
    t.server.setTitle(QStringLiteral("/one.mp3"), "Unannounced");
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - Unannounced"), 10000);
    QCOMPARE(shown.count(), 3);
    QCOMPARE(displayed(), 0);
}

// The View menu's check item turns them off.
void TestNotify::turnedOff() {
    BusFixture t;
    auto* link = t.w->findChild<TBusLink*>(QStringLiteral("BusLink"));
    QVERIFY(link);
    QSignalSpy shown(&link->notifier(), &orvik::TNotifier::shown);
    link->notificationsAction()->trigger();
    QVERIFY(!link->notificationsAction()->isChecked());
    t.play(QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - First song"), 15000);
    t.w->showMinimized();
    QTRY_VERIFY(!t.w->isVisible());
    t.server.setTitle(QStringLiteral("/one.mp3"), "Quiet song");
    QTRY_COMPARE_WITH_TIMEOUT(t.w->nowPlaying().title(), QStringLiteral("Quiet song"), 10000);
    // Turned on again, the next title shows.
    link->notificationsAction()->trigger();
    t.server.setTitle(QStringLiteral("/one.mp3"), "Loud song");
    QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 10000);
    QTRY_COMPARE(displayed(), 1);
    runToEnd(QStringLiteral("dunstctl"), {"close-all"});
}

int main(int argc, char** argv) {
    PrivateBus bus;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestNotify test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_notify.moc"
