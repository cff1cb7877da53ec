// Now-playing titles of a stream, and how a player tells a drop from a stall: on the loopback
// stream server, which interleaves ICY metadata itself.
#include "app/player/PlayerWidget.h"
#include "app/player/StreamTitle.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/StreamServer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

using namespace orvik;

class TestStreamTitles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { TPlayerWidget::setVideoAllowed(false); }
    void cleaning();
    void titleFromMetadata();
    void icyTitle();
    void dropAfterPlaying();
    void neverPlayedIsNoDrop();
    void stallThatRecoversIsNoDrop();
};

void TestStreamTitles::cleaning() {
    QCOMPARE(CleanTitle(QStringLiteral("  Artist\t-\r\nSong\x01\x1b[31m  ")),
             QStringLiteral("Artist - Song[31m"));
    // Invisible characters that turn text around are dropped; others stay.
    QCOMPARE(CleanTitle(QString::fromUtf8("a\u202Eb\u200Bc \u00e9\U0001F3B5")),
             QString::fromUtf8("abc \u00e9\U0001F3B5"));
    // Markup is text like any other; showing it as text is the caller's part.
    QCOMPARE(CleanTitle(QStringLiteral("<b>Bold</b> &amp;")), QStringLiteral("<b>Bold</b> &amp;"));
    const QString longTitle = CleanTitle(QString(10000, u'x'));
    QCOMPARE(longTitle.size(), kMaxTitleLength);
    QVERIFY(longTitle.endsWith(QStringLiteral("xx...")));
    // A cut never splits a character made of two UTF-16 units.
    QString emoji;
    for (int i = 0; i < 300; ++i)
        emoji += QString::fromUtf8("\U0001F3B5");
    const QString cut = CleanTitle(emoji, 10);
    QCOMPARE(cut.toUcs4().size(), 10);
    QVERIFY(!cut.chopped(3).back().isHighSurrogate());
    QCOMPARE(CleanTitle(QStringLiteral("\x01\x02 \n")), QString());
}

void TestStreamTitles::titleFromMetadata() {
    using M = QList<QPair<QString, QString>>;
    QCOMPARE(TitleFromMetadata(M{{"icy-name", "Radio"}, {"icy-title", "A - B"}, {"title", "x"}}),
             QStringLiteral("A - B"));
    QCOMPARE(TitleFromMetadata(M{{"ARTIST", "Someone"}, {"TITLE", "Song"}}),
             QStringLiteral("Someone - Song"));
    QCOMPARE(TitleFromMetadata(M{{"title", "Song"}}), QStringLiteral("Song"));
    QCOMPARE(TitleFromMetadata(M{{"icy-name", "Radio"}, {"icy-title", " "}}), QString());
}

// The server's StreamTitle reaches the player, is cleaned, follows every change and goes
// when the stream stops. Prints how long a change takes to arrive.
void TestStreamTitles::icyTitle() {
    // ICY metadata rides on an MP3 stream, as radio servers send it.
    QTemporaryDir dir;
    const QString mp3 = dir.filePath(QStringLiteral("tone.mp3"));
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                            "sine=frequency=440:duration=20", "-b:a", "128k", mp3});
    QVERIFY2(ffmpeg.waitForFinished(60000) && ffmpeg.exitCode() == 0, "ffmpeg is needed");
    QFile file(mp3);
    QVERIFY(file.open(QIODevice::ReadOnly));
    StreamServer server;
    server.addLoopStream(QStringLiteral("/icy.mp3"), file.readAll(), "audio/mpeg", 16000);
    server.setIcyInterval(1600);
    server.setTitle(QStringLiteral("/icy.mp3"), "First\x07 song");
    // The library shows a new title when the sound that goes with it plays, so the server
    // sends little ahead.
    server.setBurstMs(300);
    TWindowsMediaPlayer player;
    QSignalSpy titles(&player.core(), &TPlayerCore::titleChanged);
    player.setURL(server.url(QStringLiteral("/icy.mp3")).toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.core().title(), QStringLiteral("First song"), 10000);

    QList<qint64> latencies;
    for (int i = 0; i < 5; ++i) {
        const QString next = QStringLiteral("Song %1").arg(i);
        QElapsedTimer clock;
        clock.start();
        server.setTitle(QStringLiteral("/icy.mp3"), next.toUtf8());
        QTRY_COMPARE_WITH_TIMEOUT(player.core().title(), next, 5000);
        latencies += clock.elapsed();
    }
    std::sort(latencies.begin(), latencies.end());
    qInfo("title change to the player: median %lld ms (300 ms sent ahead, metadata every 100 ms)",
          latencies.at(latencies.size() / 2));

    player.controlsStop();
    QCOMPARE(player.core().title(), QString());
    QCOMPARE(titles.last().at(0).toString(), QString());
}

void TestStreamTitles::dropAfterPlaying() {
    StreamServer server;
    server.addStream(QStringLiteral("/live.wav"));
    TWindowsMediaPlayer player;
    QSignalSpy dropped(&player.core(), &TPlayerCore::dropped);
    player.setURL(server.url(QStringLiteral("/live.wav")).toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    server.setDown(true);
    QVERIFY(dropped.wait(20000));
    QCOMPARE(player.core().state(), TPlayerCore::State::Stopped);
    QCOMPARE(dropped.size(), 1);

    // Stopping by hand is no drop.
    server.setDown(false);
    player.controlsPlay();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    player.controlsStop();
    player.setURL(server.url(QStringLiteral("/live.wav")).toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    player.controlsStop();
    QCOMPARE(dropped.size(), 1);
}

void TestStreamTitles::neverPlayedIsNoDrop() {
    StreamServer server;
    server.addStream(QStringLiteral("/live.wav"));
    server.setDown(true);
    TWindowsMediaPlayer player;
    QSignalSpy dropped(&player.core(), &TPlayerCore::dropped);
    QSignalSpy states(&player, &TWindowsMediaPlayer::PlayStateChange);
    player.setURL(server.url(QStringLiteral("/live.wav")).toString());
    QTRY_VERIFY_WITH_TIMEOUT(states.size() >= 2 && player.playState() == 1, 10000);
    QVERIFY(!player.core().reachedPlaying());
    QCOMPARE(dropped.size(), 0);
}

void TestStreamTitles::stallThatRecoversIsNoDrop() {
    StreamServer server;
    server.addStream(QStringLiteral("/live.wav"));
    server.setBurstMs(300);
    TWindowsMediaPlayer player;
    player.setNetworkTimeout(20);
    QSignalSpy dropped(&player.core(), &TPlayerCore::dropped);
    player.setURL(server.url(QStringLiteral("/live.wav")).toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.core().state(), TPlayerCore::State::Playing, 10000);
    server.setStalled(true);
    QTRY_COMPARE_WITH_TIMEOUT(player.core().state(), TPlayerCore::State::Buffering, 15000);
    server.setStalled(false);
    QTRY_COMPARE_WITH_TIMEOUT(player.core().state(), TPlayerCore::State::Playing, 15000);
    QCOMPARE(dropped.size(), 0);
    player.controlsStop();
}

QTEST_MAIN(TestStreamTitles)
#include "test_streamtitles.moc"
