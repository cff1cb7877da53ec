// Play and Stop through the main window with both players on a loopback stream, the web page,
// the status line, the volume slider and the placing of the players.
#include "tests/mainwindow/PlaybackFixture.h"

class TestPlayback : public QObject {
    Q_OBJECT
private slots:
    void stopDisabledBeforeFirstPlay();
    void statusRules();
    void mediaPlayerStream();
    void realPlayerStream();
    void webPage();
    void volumeGoesToTheCurrentPlayerOnly();
    void linksPage();
};

void TestPlayback::stopDisabledBeforeFirstPlay() {
    PlaybackFixture t;
    QCOMPARE(t.w->PlayMode, -1);
    QVERIFY(!t.stopEnabled());
    QVERIFY(!t.u().cmdStop->isEnabled());
    QVERIFY(!t.u().mnuStop->isEnabled());
    // The command itself, run with nothing started, touches nothing.
    t.w->playback().actStopExecute();
    QCOMPARE(t.w->PlayMode, -1);
    QCOMPARE(t.w->MediaPlayer->playState(), 0);
    QCOMPARE(t.u().lblStatusText->text(), QStringLiteral("No channel currently playing"));
}

// What each player state does to the status line and the loading label.
void TestPlayback::statusRules() {
    PlaybackFixture t;
    TPlayback& p = t.w->playback();
    auto status = [&] { return t.u().lblStatusText->text(); };
    auto loading = [&] { return !t.u().lLoading->isHidden(); };
    const QString wait = QStringLiteral("Please wait, loading channel...");
    const QString idle = QStringLiteral("No channel currently playing");

    p.MediaPlayerPlayStateChange(6);
    QCOMPARE(status(), wait);
    QVERIFY(loading());
    p.MediaPlayerPlayStateChange(2); // other states change nothing
    QCOMPARE(status(), wait);
    QVERIFY(loading());
    p.MediaPlayerPlayStateChange(3);
    QCOMPARE(status(), QStringLiteral("Channel is playing...")); // no current station
    QVERIFY(!loading());
    p.MediaPlayerPlayStateChange(1);
    QCOMPARE(status(), idle);

    p.RealPlayerPlayStateChange(3);
    QCOMPARE(status(), wait);
    QVERIFY(loading());
    p.RealPlayerPlayStateChange(1);
    QVERIFY(loading());
    auto found = t.u().tvStations->findItems(QStringLiteral("Real stream"),
                                             Qt::MatchExactly | Qt::MatchRecursive);
    orvik::selectNode(t.u().tvStations, found.first());
    p.RealPlayerPlayStateChange(4);
    QCOMPARE(status(), QStringLiteral("Real stream"));
    QVERIFY(!loading());
    p.RealPlayerPlayStateChange(0);
    QCOMPARE(status(), idle);
    QVERIFY(!loading());
}

void TestPlayback::mediaPlayerStream() {
    PlaybackFixture t;
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    QVERIFY(media);
    t.observe(media);
    t.play(QStringLiteral("Media stream"));
    QCOMPARE(t.w->PlayMode, 0);
    // The media player is in front within the black panel; the other player is out of sight.
    QVERIFY(media->isVisibleTo(t.u().pnlBlack));
    QCOMPARE(t.indexInParent(media), t.u().pnlBlack->children().size() - 1);
    QCOMPARE(t.w->RealPlayer->pos(), QPoint(-5000, -5000));

    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 10000);
    QVERIFY(hasEvent(t.events, 6));
    const Event playing = eventFor(t.events, 3);
    QCOMPARE(playing.status, QStringLiteral("Media stream"));
    QVERIFY(!playing.loading);
    QVERIFY(t.stopEnabled());
    // The picture is shown while it plays and goes when it stops: no last frame stays.
    auto* picture = media->findChild<QWidget*>(QStringLiteral("videoSurface"));
    if (media->hasVideo()) {
        QVERIFY(picture);
        QVERIFY(picture->isVisible());
    }

    t.u().actStop->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 1), 10000);
    QCOMPARE(eventFor(t.events, 1).status, QStringLiteral("No channel currently playing"));
    if (picture)
        QVERIFY(!picture->isVisible());
    QVERIFY(!t.stopEnabled());
    QCOMPARE(t.w->PlayMode, 0); // Stop leaves the mode alone

    // A playing event while no station is current names no station.
    t.events.clear();
    QVERIFY(t.playEnabled());
    t.u().actPlay->trigger();
    t.u().tvStations->clearSelection();
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 3), 10000);
    QCOMPARE(eventFor(t.events, 3).status, QStringLiteral("Channel is playing..."));
}

void TestPlayback::realPlayerStream() {
    PlaybackFixture t;
    TRealAudio* real = t.w->RealPlayer;
    QVERIFY(real);
    t.observe(real);
    t.play(QStringLiteral("Real stream"));
    QCOMPARE(t.w->PlayMode, 1);
    // In front of everything in the player area, and covering the picture area below the
    // status panel as the media player does.
    QVERIFY(real->isVisibleTo(t.u().pnlPlayer));
    QCOMPARE(t.indexInParent(real), t.u().pnlPlayer->children().size() - 1);
    QCOMPARE(real->geometry(), t.u().pnlBlack->geometry());
    QVERIFY(real->width() > 300 && real->height() > 200);

    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 4), 10000);
    QVERIFY(hasEvent(t.events, 3));
    const Event playing = eventFor(t.events, 4);
    QCOMPARE(playing.status, QStringLiteral("Real stream"));
    QVERIFY(!playing.loading);
    QVERIFY(t.stopEnabled());

    // It follows the window's size.
    const QSize before = real->size();
    t.w->resize(t.w->width() + 40, t.w->height() + 30);
    QTRY_COMPARE(real->size(), before + QSize(40, 30));
    QCOMPARE(real->geometry(), t.u().pnlBlack->geometry());

    t.u().actStop->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 0), 10000);
    QCOMPARE(eventFor(t.events, 0).status, QStringLiteral("No channel currently playing"));
    QVERIFY(!eventFor(t.events, 0).loading);
    QVERIFY(!t.stopEnabled());
}

void TestPlayback::webPage() {
    PlaybackFixture t;
    t.play(QStringLiteral("Web page"));
    QCOMPARE(t.w->PlayMode, 2);
    TWebBrowser* browser = t.w->WebBrowser;
    QVERIFY(browser->isVisibleTo(t.u().pnlPlayer));
    QVERIFY(t.indexInParent(browser) > t.indexInParent(t.u().pnlBlack));
    QCOMPARE(browser->LocationURL(), t.server.url(QStringLiteral("/page.html")));
    QVERIFY(t.stopEnabled());
    QSignalSpy finished(browser, &TWebBrowser::loadFinished);
    QVERIFY(finished.wait(20000));

    // Stop only stops loading: a page whose server never answers stops loading at once, and
    // the mode and the browser in front stay.
    t.play(QStringLiteral("Slow page"));
    QTRY_VERIFY_WITH_TIMEOUT(t.server.requestCount(QStringLiteral("/slow.html")) > 0, 20000);
    QSignalSpy stopped(browser, &TWebBrowser::loadFinished);
    QVERIFY(t.stopEnabled());
    t.u().actStop->trigger();
    QVERIFY(stopped.count() > 0 || stopped.wait(10000));
    QCOMPARE(stopped.first().first().toBool(), false);
    QCOMPARE(t.w->PlayMode, 2);
    QVERIFY(browser->isVisibleTo(t.u().pnlPlayer));
    QVERIFY(t.indexInParent(browser) > t.indexInParent(t.u().pnlBlack));
    QVERIFY(t.stopEnabled());

    // A stream played next is seen: the page goes behind the black panel again.
    t.play(QStringLiteral("Media stream"));
    QCOMPARE(t.w->PlayMode, 0);
    QVERIFY(t.indexInParent(browser) < t.indexInParent(t.u().pnlBlack));
    QVERIFY(t.w->MediaPlayer->isVisibleTo(t.u().pnlPlayer));
}

void TestPlayback::volumeGoesToTheCurrentPlayerOnly() {
    PlaybackFixture t;
    TWindowsMediaPlayer* media = t.w->MediaPlayer;
    TRealAudio* real = t.w->RealPlayer;
    QCOMPARE(media->volume(), 50);
    QCOMPARE(real->GetVolume(), 50);
    // Before any play the slider sends nothing.
    t.u().trbVolume->setValue(3);
    QCOMPARE(media->volume(), 50);

    t.play(QStringLiteral("Media stream"));
    for (auto [position, volume] : {std::pair{0, 0}, {7, 35}, {20, 100}}) {
        t.u().trbVolume->setValue(position);
        QCOMPARE(media->volume(), volume);
    }
    QCOMPARE(real->GetVolume(), 50);

    t.play(QStringLiteral("Real stream"));
    t.u().trbVolume->setValue(7);
    QCOMPARE(real->GetVolume(), 35);
    QCOMPARE(media->volume(), 100);

    t.play(QStringLiteral("Web page"));
    QCOMPARE(t.w->PlayMode, 2);
    t.u().trbVolume->setValue(12);
    QCOMPARE(real->GetVolume(), 35);
    QCOMPARE(media->volume(), 100);
}

void TestPlayback::linksPage() {
    PlaybackFixture t;
    t.u().mnuLinks->trigger();
    TWebBrowser* browser = t.w->WebBrowser;
    QCOMPARE(browser->LocationURL().toString(),
             QStringLiteral("file://") + t.folder->path() + QStringLiteral("links.htm"));
    QVERIFY(browser->isVisibleTo(t.u().pnlPlayer));
    QVERIFY(t.indexInParent(browser) > t.indexInParent(t.u().pnlBlack));
    QCOMPARE(t.w->PlayMode, -1);
}

QTEST_MAIN(TestPlayback)
#include "test_playback.moc"
