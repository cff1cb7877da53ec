// Playback through the main window where things go wrong or are less plain: addresses that
// fail say why, playlists, a stream that stalls and recovers, a player that could not be made,
// a double click while another station plays, and closing the window.
#include "tests/mainwindow/PlaybackFixture.h"

#include "app/forms/Playback.h"

#include <QLabel>

namespace {

const QString kIdle = QStringLiteral("No channel currently playing");

QLabel* reasonLabel(PlaybackFixture& t) {
    return t.w->findChild<QLabel*>(QStringLiteral("lblStopReason"));
}

// A double click as the pointer makes it.
void doubleClick(QWidget* widget, const QPoint& at) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

} // namespace

class TestPlayFailures : public QObject {
    Q_OBJECT
private slots:
    void failedStreamSaysWhy();
    void playlists_data();
    void playlists();
    void stallAndRecover();
    void doubleClickWhileAnotherPlays();
    void playWithTheRealMediaPlayerMissing();
    void playWithTheMediaPlayerMissing();
    void closingWithoutPlayingStopsThePlayers();
};

void TestPlayFailures::failedStreamSaysWhy() {
    PlaybackFixture t;
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    QVERIFY(media);
    media->setNetworkTimeout(1.0);
    QLabel* reason = reasonLabel(t);
    QVERIFY(reason);
    QVERIFY(reason->isHidden());
    t.observe(media);

    const QList<std::pair<QString, QString>> cases = {
        {"Refused", "The server refused the connection: nothing answers at this address."},
        {"Missing", "The server has no stream at this address."},
        {"Not media", "The address does not lead to a media stream."},
        {"Silent", "The server did not answer in time."},
    };
    for (const auto& [station, why] : cases) {
        t.events.clear();
        t.play(station);
        QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 1), 20000);
        QCOMPARE(t.u().lblStatusText->text(), kIdle); // the status texts stay as they are
        QVERIFY2(reason->isVisible(), qPrintable(station));
        QVERIFY2(reason->text() == why, qPrintable(station + ": " + reason->text() + " from:\n" +
                                                   media->core().loadLog().join('\n')));
        QCOMPARE(t.u().lblStatusText->toolTip(), why);
        // Readable beside Play and Stop, clear of the volume box.
        QVERIFY(reason->geometry().left() > t.u().cmdStop->geometry().right());
        QVERIFY(reason->geometry().right() < t.u().Panel1->geometry().left());
    }

    // The next Play takes the reason away, and a stream that plays gives none.
    t.events.clear();
    t.play(QStringLiteral("Media stream"));
    QVERIFY(reason->isHidden());
    QCOMPARE(t.u().lblStatusText->toolTip(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 10000);
    QVERIFY(t.stopEnabled());
    t.u().actStop->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 1), 10000);
    QVERIFY(reason->isHidden());
    QVERIFY(t.boxes.boxes.isEmpty());
}

void TestPlayFailures::playlists_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("list");
    QTest::newRow("pls") << "Pls list"
                         << "/list.pls";
    QTest::newRow("m3u") << "M3u list"
                         << "/list.m3u";
}

void TestPlayFailures::playlists() {
    QFETCH(QString, station);
    QFETCH(QString, list);
    PlaybackFixture t;
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    t.observe(media);
    t.play(station);
    QCOMPARE(t.w->PlayMode, 0);
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 15000);
    QCOMPARE(eventFor(t.events, 3).status, station);
    QCOMPARE(t.server.requestCount(list), 1);
    QVERIFY(t.server.requestCount(QStringLiteral("/live.mp3")) >= 1);
    QVERIFY(reasonLabel(t)->isHidden());
}

void TestPlayFailures::stallAndRecover() {
    PlaybackFixture t;
    t.server.setBurstMs(300); // little in hand, so that a stall is felt soon
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    t.observe(media);
    t.play(QStringLiteral("Media stream"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 10000);

    t.events.clear();
    t.server.setStalled(true);
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 6), 20000);
    QCOMPARE(eventFor(t.events, 6).status, QStringLiteral("Please wait, loading channel..."));
    QVERIFY(eventFor(t.events, 6).loading);
    QVERIFY(t.stopEnabled());

    t.events.clear();
    t.server.setStalled(false);
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 20000);
    QCOMPARE(eventFor(t.events, 3).status, QStringLiteral("Media stream"));
    QVERIFY(!eventFor(t.events, 3).loading);
    QVERIFY(!hasEvent(t.events, 1));                                 // it never stopped on the way
    QCOMPARE(t.server.requestCount(QStringLiteral("/live.mp3")), 1); // the same connection
}

void TestPlayFailures::doubleClickWhileAnotherPlays() {
    PlaybackFixture t;
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    TRealAudio* real = t.w->RealPlayer;
    t.observe(media);
    t.observe(real);
    QVERIFY(QTest::qWaitForWindowExposed(t.w.get()));
    t.play(QStringLiteral("Media stream"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 10000);

    t.events.clear();
    TStationTree* tree = t.u().tvStations;
    TStationNode* other = t.node(QStringLiteral("Real stream"));
    tree->scrollToItem(other);
    doubleClick(tree->viewport(), tree->visualItemRect(other).center());
    QCOMPARE(t.w->PlayMode, 1);
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 4), 10000); // the RealMedia player plays
    QTRY_COMPARE(media->playState(), 1);                    // and the first station stopped
    QCOMPARE(t.u().lblStatusText->text(), QStringLiteral("Real stream"));
}

void TestPlayFailures::playWithTheRealMediaPlayerMissing() {
    PlaybackFixture t(true, false);
    QVERIFY(!t.w->RealPlayer);
    QVERIFY(t.boxes.boxes.isEmpty()); // only the media player's absence is told
    t.play(QStringLiteral("Real stream"));
    QCOMPARE(t.w->PlayMode, 1);
    QCOMPARE(t.u().lblStatusText->text(), kIdle);
    QVERIFY(!t.stopEnabled());
    QVERIFY(t.boxes.boxes.isEmpty());

    // The other player still plays.
    t.observe(t.w->MediaPlayer.data());
    t.play(QStringLiteral("Media stream"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 10000);
    QCOMPARE(t.u().lblStatusText->text(), QStringLiteral("Media stream"));
    QVERIFY(t.stopEnabled());
}

void TestPlayFailures::playWithTheMediaPlayerMissing() {
    PlaybackFixture t(false, true);
    QVERIFY(!t.w->MediaPlayer);
    QCOMPARE(t.boxes.boxes.size(), 1); // said once, at start
    t.boxes.boxes.clear();
    t.play(QStringLiteral("Media stream"));
    QCOMPARE(t.w->PlayMode, 0);
    QCOMPARE(t.u().lblStatusText->text(), kIdle);
    QVERIFY(!t.stopEnabled());
    t.u().trbVolume->setValue(4); // no player to send it to
    QVERIFY(t.boxes.boxes.isEmpty());

    t.observe(t.w->RealPlayer.data());
    t.play(QStringLiteral("Real stream"));
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 4), 10000);
    QCOMPARE(t.u().lblStatusText->text(), QStringLiteral("Real stream"));
    QVERIFY(t.stopEnabled());
    t.u().actStop->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 0), 10000);
    QVERIFY(t.boxes.boxes.isEmpty());
}

// Closing sends Stop to both players whatever the window started: here the media player was
// given an address without starting and the RealMedia player was started by someone else.
void TestPlayFailures::closingWithoutPlayingStopsThePlayers() {
    PlaybackFixture t;
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    TRealAudio* real = t.w->RealPlayer;
    media->setAutoStart(false);
    media->setURL(t.server.url(QStringLiteral("/live.mp3")).toString());
    QCOMPARE(media->playState(), 10); // ready
    real->SetSource(t.server.url(QStringLiteral("/silent.mp3")).toString());
    real->DoPlay();
    QVERIFY(real->CanStop());
    QCOMPARE(t.w->PlayMode, -1);

    QSignalSpy mediaStates(media, &TWindowsMediaPlayer::PlayStateChange);
    QVERIFY(t.w->close());
    QCOMPARE(mediaStates.count(), 1);
    QCOMPARE(mediaStates.first().first().toInt(), 1);
    QVERIFY(!real->CanStop());
}

QTEST_MAIN(TestPlayFailures)
#include "test_playfailures.moc"
