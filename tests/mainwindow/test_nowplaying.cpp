// The stream's title in the main window, one station at a time, and bringing a dropped stream
// back: through the main window on the loopback stream server.
#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/NowPlaying.h"
#include "app/forms/TreeOrder.h"
#include "app/player/RealAudio.h"
#include "app/player/Reconnector.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/LoopbackCatalogue.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/common/StreamServer.h"
#include "tests/common/ToneMp3.h"
#include "tray/TrayIcon.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using orvik::TReconnector;

namespace {

const QString kIdle = QStringLiteral("No channel currently playing");

class Fixture {
public:
    Fixture() {
        server.addLoopStream(QStringLiteral("/icy.mp3"), toneMp3(), "audio/mpeg", 16000);
        server.addStream(QStringLiteral("/live.rm"));
        server.setIcyInterval(1600);
        server.setBurstMs(300);
        folder = std::make_unique<ProgramFolderFixture>(
            ProgramFolderFixture::Catalogue::SchemaOnly,
            loopbackCatalogue(server.url(QString()).toString(),
                              {{"Icy stream", "/icy.mp3"}, {"Real stream", "/live.rm"}}));
        w = std::make_unique<TfrmMain>();
        w->show();
        // Waits between attempts pass quicker: a second is 50 ms here.
        w->nowPlaying().reconnector().setSecondMs(50);
    }

    Ui::TfrmMain& u() { return w->form(); }
    QString status() { return u().lblStatusText->text(); }

    void select(const QString& name) {
        auto found = u().tvStations->findItems(name);
        QVERIFY(!found.isEmpty());
        orvik::selectNode(u().tvStations, found.first());
    }
    void play(const QString& name) {
        select(name);
        w->updater().updateAll();
        u().actPlay->trigger();
    }

    void stop() {
        w->updater().updateAll();
        QVERIFY(u().actStop->isEnabled());
        u().actStop->trigger();
    }

    StreamServer server;
    std::unique_ptr<ProgramFolderFixture> folder;
    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
};

} // namespace

class TestNowPlaying : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(!toneMp3().isEmpty(), "ffmpeg is needed"); }
    void titleShown();
    void oneStationAtATime();
    void reconnectAfterDrop();
    void reconnectEnds();
    void neverPlayedIsNotRetried();
    void scheduleAndGivingUp();
};

// The title follows the stream in the status line, the panel and the tray tip, as plain text.
void TestNowPlaying::titleShown() {
    Fixture t;
    t.server.setTitle(QStringLiteral("/icy.mp3"), "<b>Bold</b>\x1b song");
    t.play(QStringLiteral("Icy stream"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Icy stream - <b>Bold</b> song"), 10000);
    QCOMPARE(t.u().lblStatusText->textFormat(), Qt::PlainText);
    auto* panel = t.w->findChild<QLabel*>(QStringLiteral("lblNowPlaying"));
    QVERIFY(panel && panel->isVisibleTo(t.w.get()));
    QCOMPARE(panel->text(), QStringLiteral("<b>Bold</b> song"));
    QCOMPARE(panel->textFormat(), Qt::PlainText);
    // The tip is escaped, so that it reads as the text it is.
    QCOMPARE(t.w->TrayIcon->Hint(),
             QStringLiteral("<qt>Icy stream - &lt;b&gt;Bold&lt;/b&gt; song</qt>"));

    QList<qint64> latencies;
    for (int i = 0; i < 20; ++i) {
        const QString next = QStringLiteral("Song %1").arg(i);
        QElapsedTimer clock;
        clock.start();
        t.server.setTitle(QStringLiteral("/icy.mp3"), next.toUtf8());
        QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Icy stream - ") + next, 5000);
        latencies += clock.elapsed();
    }
    std::sort(latencies.begin(), latencies.end());
    qInfo("server title change to the status line: median %lld ms over 20 (metadata every "
          "100 ms, 300 ms sent ahead)",
          latencies.at(10));
    QCOMPARE(t.w->TrayIcon->Hint(), QStringLiteral("Icy stream - Song 19"));

    t.stop();
    QTRY_COMPARE(t.status(), kIdle);
    QVERIFY(!panel->isVisibleTo(t.w.get()));
    QCOMPARE(t.w->TrayIcon->Hint(), QStringLiteral("Orvik"));
}

void TestNowPlaying::oneStationAtATime() {
    Fixture t;
    t.play(QStringLiteral("Icy stream"));
    QTRY_COMPARE_WITH_TIMEOUT(t.w->MediaPlayer->playState(), 3, 10000);
    t.play(QStringLiteral("Real stream"));
    QCOMPARE(t.w->MediaPlayer->playState(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(t.w->RealPlayer->core().state(), orvik::TPlayerCore::State::Playing,
                              10000);
    t.play(QStringLiteral("Icy stream"));
    QVERIFY(!t.w->RealPlayer->CanStop());
    QTRY_COMPARE_WITH_TIMEOUT(t.w->MediaPlayer->playState(), 3, 10000);
    t.stop();
    QCOMPARE(t.w->MediaPlayer->playState(), 1);
    QVERIFY(!t.w->RealPlayer->CanStop());
}

void TestNowPlaying::reconnectAfterDrop() {
    Fixture t;
    TReconnector& r = t.w->nowPlaying().reconnector();
    QList<qint64> backs;
    t.play(QStringLiteral("Icy stream"));
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Icy stream"), 10000);
    for (int drop = 0; drop < 3; ++drop) {
        QSignalSpy waits(&r, &TReconnector::waiting);
        t.server.setDown(true);
        QTRY_VERIFY_WITH_TIMEOUT(t.status().startsWith(QStringLiteral("Reconnecting... ")), 20000);
        QVERIFY(r.active());
        // A failed attempt or two while the server is away, then it is back.
        QTRY_VERIFY_WITH_TIMEOUT(waits.size() >= 2, 10000);
        QElapsedTimer clock;
        clock.start();
        t.server.setDown(false);
        QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Icy stream"), 10000);
        backs += clock.elapsed();
        QVERIFY(!r.active());
        QCOMPARE(waits.first().at(0).toInt(), 1);
        QCOMPARE(waits.at(1).at(0).toInt(), 2);
    }
    std::sort(backs.begin(), backs.end());
    qInfo("server back to playing: median %lld ms over 3 drops (waits of 1 and 2 s shortened "
          "to 50 and 100 ms)",
          backs.at(1));
}

// Stop, another station and another selection each end the attempts.
void TestNowPlaying::reconnectEnds() {
    Fixture t;
    TReconnector& r = t.w->nowPlaying().reconnector();
    t.w->nowPlaying().reconnector().setSecondMs(2000); // attempts stay ahead while we act
    for (int way = 0; way < 3; ++way) {
        t.server.setDown(false);
        t.play(QStringLiteral("Icy stream"));
        QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Icy stream"), 10000);
        t.server.setDown(true);
        QTRY_VERIFY_WITH_TIMEOUT(r.active(), 20000);
        QVERIFY(t.status().startsWith(QStringLiteral("Reconnecting... ")));
        if (way == 0) {
            t.stop(); // Stop is there while the attempts wait
            QCOMPARE(t.status(), kIdle);
        } else if (way == 1) {
            t.select(QStringLiteral("Real stream"));
            QCOMPARE(t.status(), kIdle);
        } else {
            t.server.setDown(false);
            t.play(QStringLiteral("Real stream"));
            QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("Real stream"), 10000);
        }
        QVERIFY(!r.active());
        QSignalSpy retries(&r, &TReconnector::retry);
        QVERIFY(!retries.wait(300));
        t.w->updater().updateAll();
        t.u().actStop->trigger();
    }
}

void TestNowPlaying::neverPlayedIsNotRetried() {
    Fixture t;
    t.server.setDown(true);
    QSignalSpy states(t.w->MediaPlayer.data(), &TWindowsMediaPlayer::PlayStateChange);
    t.play(QStringLiteral("Icy stream"));
    QTRY_VERIFY_WITH_TIMEOUT(states.size() >= 2 && t.w->MediaPlayer->playState() == 1, 10000);
    QCOMPARE(t.status(), kIdle);
    QVERIFY(!t.w->nowPlaying().reconnector().active());
}

// Waits of 1, 2, 4, 8, 15 and 30 s, then 60 s, for 10 minutes (a second is 5 ms here).
void TestNowPlaying::scheduleAndGivingUp() {
    TReconnector r;
    r.setSecondMs(5);
    QSignalSpy waits(&r, &TReconnector::waiting);
    QSignalSpy gaveUp(&r, &TReconnector::gaveUp);
    connect(&r, &TReconnector::retry, &r, [&r] {
        QTimer::singleShot(0, &r, [&r] { r.attemptFailed(); }); // every attempt fails
    });
    r.dropped();
    r.dropped(); // a second drop while waiting changes nothing
    QVERIFY(gaveUp.wait(20000));
    QList<int> seen;
    for (const auto& args : waits)
        seen += args.at(0).toInt();
    QCOMPARE(seen.mid(0, 8), (QList<int>{1, 2, 4, 8, 15, 30, 60, 60}));
    // 60 s of short waits, then one a minute until 600 s have passed.
    QCOMPARE(seen.size(), 6 + 9);
    QVERIFY(!r.active());
}

QTEST_MAIN(TestNowPlaying)
#include "test_nowplaying.moc"
