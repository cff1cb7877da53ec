// The reason a stream did not play, read from what libmpv logged, as the user is told it.
#include "app/player/FailureReason.h"
#include "app/player/LoadLog.h"

#include <mpv/client.h>

#include <QtTest>

class TestFailureReason : public QObject {
    Q_OBJECT
private slots:
    void reasons_data();
    void reasons();
    void linesThatTellWhy();
    void networkLinesReachEveryOpeningPlayer();
    void failedLoadWaitsForQuiet();
};

void TestFailureReason::reasons_data() {
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("waitedOut");
    QTest::addColumn<QString>("reason");
    const int loading = MPV_ERROR_LOADING_FAILED;
    const int unknown = MPV_ERROR_UNKNOWN_FORMAT;
    const QString refused = "The server refused the connection: nothing answers at this address.";
    const QString silent = "The server did not answer in time.";
    const QString notMedia = "The address does not lead to a media stream.";
    const QString general = "The stream could not be opened.";
    QTest::newRow("refused") << QStringList{"ffmpeg: tcp: Connection to tcp://127.0.0.1:1 "
                                            "failed: Connection refused",
                                            "stream: Failed to open http://127.0.0.1:1/a."}
                             << loading << false << refused;
    // A name that cannot be looked up says "not found" too: it is not a missing page.
    QTest::newRow("unknown host")
        << QStringList{"ffmpeg: tcp: Failed to resolve hostname nowhere.invalid: Name or "
                       "service not known"}
        << loading << false << "The server's name could not be found.";
    QTest::newRow("404") << QStringList{"ffmpeg: http: HTTP error 404 Not Found"} << loading
                         << false << "The server has no stream at this address.";
    QTest::newRow("403")
        << QStringList{"ffmpeg: http: Server returned 403 Forbidden (access denied)"} << loading
        << false << "The server does not allow this stream.";
    // Numbers in the address are no status code.
    QTest::newRow("404 in the port")
        << QStringList{"ffmpeg: Opening http://127.0.0.1:40467/a-403.mp3",
                       "cplayer: Failed to recognize file format."}
        << unknown << false << notMedia;
    QTest::newRow("timeout") << QStringList{"ffmpeg: http: Connection timed out"} << loading
                             << false << silent;
    // A silent server is given up without a word; only the time the load took tells it.
    const QStringList quiet{"ffmpeg: Opening http://127.0.0.1:9/silent.mp3",
                            "stream: Failed to open http://127.0.0.1:9/silent.mp3."};
    QTest::newRow("waited out") << quiet << loading << true << silent;
    QTest::newRow("failed at once") << quiet << loading << false << general;
    // A cause the log names comes before the time it took.
    QTest::newRow("refused late") << QStringList{"ffmpeg: tcp: Connection refused"} << loading
                                  << true << refused;
    QTest::newRow("not media") << QStringList{"cplayer: Failed to recognize file format."}
                               << unknown << false << notMedia;
    QTest::newRow("code only") << QStringList{} << unknown << false << notMedia;
    // The player's echo of the timeout it was given is no timeout.
    QTest::newRow("timeout setting")
        << QStringList{"cplayer: Set property: network-timeout=1.000000 -> 1"} << loading << false
        << general;
    QTest::newRow("unknown cause")
        << QStringList{"cplayer: something odd"} << loading << false << general;
}

void TestFailureReason::reasons() {
    QFETCH(QStringList, log);
    QFETCH(int, error);
    QFETCH(bool, waitedOut);
    QFETCH(QString, reason);
    QCOMPARE(orvik::FailureReason(log, error, waitedOut), reason);
}

void TestFailureReason::linesThatTellWhy() {
    using orvik::TellsWhyLoadFailed;
    QVERIFY(TellsWhyLoadFailed("ffmpeg", "tcp: Connection to tcp://127.0.0.1:1 failed"));
    QVERIFY(TellsWhyLoadFailed("ffmpeg/demuxer", "mp3: Failed to read frame size"));
    QVERIFY(TellsWhyLoadFailed("stream", "Failed to open http://127.0.0.1:1/a."));
    QVERIFY(TellsWhyLoadFailed("demux", "Trying demuxers for level=normal."));
    QVERIFY(TellsWhyLoadFailed("cplayer", "Failed to recognize file format."));
    // Start-up and picture lines, and the echo of properties and options, say nothing of it.
    QVERIFY(!TellsWhyLoadFailed("cplayer", "Set property: network-timeout=1.000000 -> 1"));
    QVERIFY(!TellsWhyLoadFailed("cplayer", "Setting option 'network-timeout' = '1.0'"));
    QVERIFY(!TellsWhyLoadFailed("osd/libass", "Setting up fonts..."));
    QVERIFY(!TellsWhyLoadFailed("libmpv_render", "Detected suspected software renderer."));
    QVERIFY(!TellsWhyLoadFailed("streamer", "Failed"));
}

// libmpv gives the network layer's lines to one handle of the process, whichever player they
// concern: they must reach the player that is opening, and only the players that are.
void TestFailureReason::networkLinesReachEveryOpeningPlayer() {
    using orvik::TLoadLog;
    TLoadLog first; // gets the network lines
    TLoadLog media; // opens the stream
    media.setListening(true);
    {
        TLoadLog gone; // made and destroyed: no longer reached
        gone.setListening(true);
    }
    const QString refused = "tcp: Connection to tcp://127.0.0.1:1 failed: Connection refused";
    first.take("ffmpeg", refused);
    first.take("stream", "Failed to open http://127.0.0.1:1/a."); // about first's own stream
    first.take("ffmpeg", "Set property: volume=100");             // tells nothing
    media.take("stream", "Failed to open http://127.0.0.1:2/b.");
    QCOMPARE(media.lines(),
             QStringList({"ffmpeg: " + refused, "stream: Failed to open http://127.0.0.1:2/b."}));
    QVERIFY(first.lines().isEmpty()); // not opening: keeps nothing, not even its own

    // Both opening: each gets the network line once.
    first.setListening(true);
    media.clear();
    media.take("ffmpeg/demuxer", "http: HTTP error 404 Not Found");
    QCOMPARE(first.lines(), QStringList{"ffmpeg/demuxer: http: HTTP error 404 Not Found"});
    QCOMPARE(media.lines(), first.lines());

    // Only the last lines are kept.
    for (int i = 0; i < TLoadLog::kMaxLines + 6; ++i)
        media.take("stream", QString::number(i));
    QCOMPARE(media.lines().size(), TLoadLog::kMaxLines);
    QCOMPARE(media.lines().constFirst(), QString("stream: 6"));
}

void TestFailureReason::failedLoadWaitsForQuiet() {
    using orvik::TLoadLog;
    TLoadLog log;
    log.setListening(true);
    QSignalSpy settled(&log, &TLoadLog::settled);
    QElapsedTimer clock;
    clock.start();
    log.take("stream", "Failed to open http://127.0.0.1:1/a.");
    log.awaitQuiet();
    QVERIFY(log.waiting());
    // The cause arriving late, after a quiet spell, is still kept and read before the load
    // is told.
    QTimer::singleShot(TLoadLog::kSettleMs * 2, &log,
                       [&] { log.take("ffmpeg", "tcp: Connection refused"); });
    QVERIFY(settled.wait(2 * TLoadLog::kLimitMs));
    QVERIFY(clock.elapsed() >= TLoadLog::kSettleMs * 3 - 10);
    QVERIFY(clock.elapsed() < TLoadLog::kLimitMs);
    QCOMPARE(log.lines().constLast(), QString("ffmpeg: tcp: Connection refused"));
    QVERIFY(!log.waiting());
    QVERIFY(!settled.wait(2 * TLoadLog::kSettleMs)); // told once

    // A cause already named: told after the quiet spell.
    clock.restart();
    log.awaitQuiet();
    QVERIFY(settled.wait(2 * TLoadLog::kLimitMs));
    QVERIFY(clock.elapsed() < TLoadLog::kLimitMs / 2);

    // Nothing names a cause: the whole limit is waited, then it is told all the same.
    log.clear();
    log.take("stream", "Failed to open http://127.0.0.1:1/a.");
    clock.restart();
    log.awaitQuiet();
    QVERIFY(settled.wait(4 * TLoadLog::kLimitMs));
    QVERIFY(clock.elapsed() >= TLoadLog::kLimitMs - 10);

    // A log that never goes quiet is told at the limit.
    QTimer chatter;
    connect(&chatter, &QTimer::timeout, &log, [&] { log.take("ffmpeg", "tcp: timed out"); });
    chatter.start(TLoadLog::kSettleMs / 5);
    clock.restart();
    log.awaitQuiet();
    QVERIFY(settled.wait(4 * TLoadLog::kLimitMs));
    QVERIFY(clock.elapsed() < TLoadLog::kLimitMs + 3 * TLoadLog::kSettleMs);
    chatter.stop();

    // A load stopped while it waited is not told.
    log.awaitQuiet();
    log.cancelWait();
    QVERIFY(!settled.wait(2 * TLoadLog::kSettleMs));
    QCOMPARE(settled.count(), 4);
}

QTEST_GUILESS_MAIN(TestFailureReason)
#include "test_failurereason.moc"
