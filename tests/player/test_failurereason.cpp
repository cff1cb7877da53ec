// The reason a stream did not play, read from what libmpv logged, as the user is told it.
#include "app/player/FailureReason.h"

#include <mpv/client.h>

#include <QtTest>

class TestFailureReason : public QObject {
    Q_OBJECT
private slots:
    void reasons_data();
    void reasons();
    void linesThatTellWhy();
};

void TestFailureReason::reasons_data() {
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    const int loading = MPV_ERROR_LOADING_FAILED;
    QTest::newRow("refused") << QStringList{"ffmpeg: tcp: Connection to tcp://127.0.0.1:1 "
                                            "failed: Connection refused",
                                            "stream: Failed to open http://127.0.0.1:1/a."}
                             << loading
                             << "The server refused the connection: nothing answers at this "
                                "address.";
    // A name that cannot be looked up says "not found" too: it is not a missing page.
    QTest::newRow("unknown host")
        << QStringList{"ffmpeg: tcp: Failed to resolve hostname nowhere.invalid: Name or "
                       "service not known"}
        << loading << "The server's name could not be found.";
    QTest::newRow("404") << QStringList{"ffmpeg: http: HTTP error 404 Not Found"} << loading
                         << "The server has no stream at this address.";
    QTest::newRow("timeout") << QStringList{"ffmpeg: http: Connection timed out"} << loading
                             << "The server did not answer in time.";
    QTest::newRow("not media") << QStringList{"cplayer: Failed to recognize file format."}
                               << int(MPV_ERROR_UNKNOWN_FORMAT)
                               << "The address does not lead to a media stream.";
    QTest::newRow("code only") << QStringList{} << int(MPV_ERROR_UNKNOWN_FORMAT)
                               << "The address does not lead to a media stream.";
    // The player's echo of the timeout it was given is no timeout.
    QTest::newRow("timeout setting")
        << QStringList{"cplayer: Set property: network-timeout=1.000000 -> 1"} << loading
        << "The stream could not be opened.";
    QTest::newRow("unknown cause")
        << QStringList{"cplayer: something odd"} << loading << "The stream could not be opened.";
}

void TestFailureReason::reasons() {
    QFETCH(QStringList, log);
    QFETCH(int, error);
    QFETCH(QString, reason);
    QCOMPARE(orvik::FailureReason(log, error), reason);
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

QTEST_APPLESS_MAIN(TestFailureReason)
#include "test_failurereason.moc"
