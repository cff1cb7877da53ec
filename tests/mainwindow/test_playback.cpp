// Play and Stop through the main window with both players on a loopback stream, the web page,
// the status line, the volume slider and the placing of the players.
#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/Playback.h"
#include "app/forms/TreeOrder.h"
#include "app/player/RealAudio.h"
#include "app/player/WebBrowser.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/common/StreamServer.h"

#include <QtTest>

namespace {

struct Event {
    int state;
    QString status;
    bool loading;
};

class PlaybackFixture {
public:
    PlaybackFixture() {
        server.addStream(QStringLiteral("/live.mp3"));
        server.addStream(QStringLiteral("/live.rm"));
        server.addFile(QStringLiteral("/page.html"),
                       "<html><body><h1>Station page</h1></body></html>", "text/html");
        const QString base = server.url(QString()).toString();
        folder = std::make_unique<ProgramFolderFixture>(
            ProgramFolderFixture::Catalogue::SchemaOnly,
            QStringList{
                "INSERT INTO categories (c_id, c_name) VALUES (1, 'Loopback')",
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) VALUES "
                               "(1, 1, 'Media stream', '%1/live.mp3', '')")
                    .arg(base),
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) VALUES "
                               "(2, 1, 'Real stream', '%1/live.rm', '')")
                    .arg(base),
                QStringLiteral("INSERT INTO stations (s_id, c_id, s_name, s_url, s_website) VALUES "
                               "(3, 1, 'Web page', '../web.htm', '%1/page.html')")
                    .arg(base),
            });
        w = std::make_unique<TfrmMain>();
        w->show();
    }

    Ui::TfrmMain& u() { return w->form(); }

    void play(const QString& name) {
        auto found = u().tvStations->findItems(name);
        QVERIFY(!found.isEmpty());
        orvik::selectNode(u().tvStations, found.first());
        w->updater().updateAll();
        QVERIFY(u().actPlay->isEnabled());
        u().actPlay->trigger();
    }

    // Records what the status line and the loading label show after each player event. The
    // observer is queued, so it looks once the window's own handler has run.
    template <typename Player> void observe(Player* player) {
        QObject::connect(
            player, &Player::PlayStateChange, w.get(),
            [this](int state) {
                events.append({state, u().lblStatusText->text(), !u().lLoading->isHidden()});
            },
            Qt::QueuedConnection);
    }

    bool stopEnabled() {
        w->updater().updateAll();
        return u().actStop->isEnabled();
    }

    int indexInParent(QWidget* child) { return child->parentWidget()->children().indexOf(child); }

    StreamServer server;
    std::unique_ptr<ProgramFolderFixture> folder;
    RecordingPresenter boxes;
    std::unique_ptr<TfrmMain> w;
    QList<Event> events;
};

bool hasEvent(const QList<Event>& events, int state) {
    return std::any_of(events.begin(), events.end(),
                       [&](const Event& e) { return e.state == state; });
}

Event eventFor(const QList<Event>& events, int state) {
    for (const Event& e : events)
        if (e.state == state)
            return e;
    return {-1, QString(), false};
}

} // namespace

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
    t.u().actStop->trigger(); // nothing happens
    QCOMPARE(t.w->PlayMode, -1);
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
    auto found = t.u().tvStations->findItems(QStringLiteral("Real stream"));
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

    t.u().actStop->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 1), 10000);
    QCOMPARE(eventFor(t.events, 1).status, QStringLiteral("No channel currently playing"));
    QVERIFY(!t.stopEnabled());
    QCOMPARE(t.w->PlayMode, 0); // Stop leaves the mode alone

    // A playing event while no station is current names no station.
    t.events.clear();
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
    // In front of everything in the player area, the status panel included, and centred.
    QVERIFY(real->isVisibleTo(t.u().pnlPlayer));
    QCOMPARE(t.indexInParent(real), t.u().pnlPlayer->children().size() - 1);
    QCOMPARE(real->x(), (t.u().pnlBlack->width() - real->width()) / 2);

    QTRY_VERIFY_WITH_TIMEOUT(hasEvent(t.events, 4), 10000);
    QVERIFY(hasEvent(t.events, 3));
    const Event playing = eventFor(t.events, 4);
    QCOMPARE(playing.status, QStringLiteral("Real stream"));
    QVERIFY(!playing.loading);
    QVERIFY(t.stopEnabled());

    // Resizing re-centres the player on the whole player area.
    t.w->resize(t.w->width() + 40, t.w->height() + 30);
    QTRY_COMPARE(real->x(), (t.u().pnlPlayer->width() - real->width()) / 2);
    QCOMPARE(real->y(), (t.u().pnlPlayer->height() - real->height()) / 2);

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

    // Stop only stops loading: the page, the mode and the browser in front all stay.
    t.u().actStop->trigger();
    QCOMPARE(t.w->PlayMode, 2);
    QVERIFY(browser->isVisibleTo(t.u().pnlPlayer));
    QCOMPARE(browser->LocationURL(), t.server.url(QStringLiteral("/page.html")));
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
