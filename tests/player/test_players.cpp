#include "app/player/AsxPlaylist.h"
#include "app/player/PlayerFactory.h"
#include "app/player/RealAudio.h"
#include "app/player/VideoSurface.h"
#include "app/player/WindowsMediaPlayer.h"
#include "core/ErrorWrapper.h"
#include "tests/common/StreamServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <mpv/client.h>

#include <memory>

using namespace orvik;

namespace {

QList<int> states(const QSignalSpy& spy) {
    QList<int> out;
    for (const QList<QVariant>& args : spy)
        out += args.at(0).toInt();
    return out;
}

// Measures the longest pause of the event loop while it lives: a blocked GUI thread shows up
// as a gap far above the 10 ms tick.
class GapMeter {
public:
    GapMeter() {
        clock_.start();
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { maxGap_ = std::max(maxGap_, clock_.restart()); });
        timer_.start(10);
    }
    qint64 maxGap() const { return maxGap_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 maxGap_ = 0;
};

// A loopback port nothing listens on.
quint16 refusedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

double mpvVolume(TPlayerWidget& player) {
    double v = -1;
    mpv_get_property(player.core().handle(), "volume", MPV_FORMAT_DOUBLE, &v);
    return v;
}

QByteArray asxDocument(const QStringList& hrefs) {
    QByteArray doc = "<?xml version=\"1.0\"?>\n<ASX VERSION=\"3.0\">\n<Title>Test</Title>\n";
    for (const QString& h : hrefs)
        doc += "<Entry><Ref HREF=\"" + h.toUtf8() + "\" /></Entry>\n";
    return doc + "</ASX>\n";
}

// A short complete WAV file: the player reaches its end.
QByteArray shortWav() {
    const int rate = 22050;
    QByteArray samples(rate / 2 * 2, '\0'); // half a second of silence
    QByteArray wav = StreamServer::wavHeader(rate);
    qToLittleEndian<quint32>(quint32(samples.size() + 36), wav.data() + 4);
    qToLittleEndian<quint32>(quint32(samples.size()), wav.data() + 40);
    return wav + samples;
}

} // namespace

class TestPlayers : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void mediaPlayerReportsBufferingPlayingStopped();
    void realAudioReportsLoadingPlayingStopped();
    void endOfStreamReportsEndedThenStopped();
    void refusedAddressEndsStoppedWithoutBlocking();
    void silentServerIsCutByTimeout();
    void volumeIsClampedAndReachesThePlayer();
    void twoPlayersPlayAtOnce();

    void asxPlaysFirstEntryThatOpens();
    void asxThatCannotPlayEndsStopped_data();
    void asxThatCannotPlayEndsStopped();
    void asxUnderAnotherNameIsRecognised();
    void asxReading_data();
    void asxReading();
    void asxSniffing();

    void destroyingMidLoadIsSafe_data();
    void destroyingMidLoadIsSafe();
    void shownPlayerMakesItsPicture();
    void pictureComesWhenShownAfterTheStreamStarted();
    void factoryCreationCanBeMadeToFail();

private:
    std::unique_ptr<StreamServer> server_;
};

void TestPlayers::initTestCase() {
    server_ = std::make_unique<StreamServer>();
    QVERIFY(server_->isListening());
    server_->addStream("/live.wav");
    server_->addStream("/other.wav");
    server_->addSilent("/silent");
    server_->addFile("/short.wav", shortWav(), "audio/x-wav");
}

void TestPlayers::mediaPlayerReportsBufferingPlayingStopped() {
    TWindowsMediaPlayer player;
    QSignalSpy spy(&player, &TWindowsMediaPlayer::PlayStateChange);
    QCOMPARE(player.playState(), 0);

    // As the main window does it: the address (autoStart on), then play.
    player.setURL(server_->url("/live.wav").toString());
    player.controlsPlay();
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    QCOMPARE(states(spy), (QList<int>{6, 3}));
    QCOMPARE(server_->requestCount("/live.wav"), 1); // play did not open it a second time

    player.controlsPause();
    QCOMPARE(player.playState(), 2);
    player.controlsPlay();
    QCOMPARE(player.playState(), 3);

    player.controlsStop();
    QCOMPARE(states(spy), (QList<int>{6, 3, 2, 3, 1}));
    QCOMPARE(player.playState(), 1);
    // The library's own report of the stop must not bring another event.
    QVERIFY(!spy.wait(300));

    // Stopping again changes nothing.
    player.controlsStop();
    QCOMPARE(spy.count(), 5);
}

void TestPlayers::realAudioReportsLoadingPlayingStopped() {
    TRealAudio player;
    QSignalSpy spy(&player, &TRealAudio::PlayStateChange);
    QVERIFY(!player.CanStop());

    player.SetSource(server_->url("/live.wav").toString());
    player.DoPlay();
    QVERIFY(player.CanStop());
    QTRY_COMPARE_WITH_TIMEOUT(states(spy), (QList<int>{3, 4}), 10000);
    QVERIFY(player.CanStop());

    player.DoStop();
    QCOMPARE(states(spy), (QList<int>{3, 4, 0}));
    QVERIFY(!player.CanStop());
    QVERIFY(!spy.wait(300));
}

void TestPlayers::endOfStreamReportsEndedThenStopped() {
    TWindowsMediaPlayer wmp;
    QSignalSpy wmpSpy(&wmp, &TWindowsMediaPlayer::PlayStateChange);
    wmp.setURL(server_->url("/short.wav").toString());
    QTRY_COMPARE_WITH_TIMEOUT(wmp.playState(), 1, 10000);
    QCOMPARE(states(wmpSpy), (QList<int>{6, 3, 8, 1}));

    TRealAudio real;
    QSignalSpy realSpy(&real, &TRealAudio::PlayStateChange);
    real.SetSource(server_->url("/short.wav").toString());
    real.DoPlay();
    QTRY_COMPARE_WITH_TIMEOUT(states(realSpy), (QList<int>{3, 4, 0}), 10000);
}

void TestPlayers::refusedAddressEndsStoppedWithoutBlocking() {
    const QString address = QStringLiteral("http://127.0.0.1:%1/radio.mp3").arg(refusedPort());
    TWindowsMediaPlayer wmp;
    QSignalSpy wmpSpy(&wmp, &TWindowsMediaPlayer::PlayStateChange);
    TRealAudio real;
    QSignalSpy realSpy(&real, &TRealAudio::PlayStateChange);

    GapMeter meter;
    QElapsedTimer clock;
    clock.start();
    wmp.setURL(address);
    wmp.controlsPlay();
    real.SetSource(address);
    real.DoPlay();

    QTRY_COMPARE_WITH_TIMEOUT(wmp.playState(), 1, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(states(realSpy), (QList<int>{3, 0}), 2000);
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(states(wmpSpy), (QList<int>{6, 1}));
    QVERIFY(!real.CanStop());
    qInfo("largest event-loop gap: %lld ms", meter.maxGap());
    QVERIFY2(meter.maxGap() < 1000, qPrintable(QString::number(meter.maxGap())));
}

void TestPlayers::silentServerIsCutByTimeout() {
    const int before = server_->requestCount("/silent");
    GapMeter meter;
    TWindowsMediaPlayer player;
    player.setNetworkTimeout(2.0);
    QSignalSpy spy(&player, &TWindowsMediaPlayer::PlayStateChange);
    QElapsedTimer clock;
    clock.start();
    player.setURL(server_->url("/silent").toString());

    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 1, 15000);
    const qint64 took = clock.elapsed();
    QCOMPARE(states(spy), (QList<int>{6, 1}));
    QCOMPARE(server_->requestCount("/silent"), before + 1);
    QVERIFY2(took >= 1500, qPrintable(QString::number(took))); // it waited for the server
    qInfo("silent server given up after %lld ms; largest event-loop gap: %lld ms", took,
          meter.maxGap());
    // Had anything waited on the network in this thread, the gap would be the whole timeout.
    QVERIFY2(meter.maxGap() < 1000, qPrintable(QString::number(meter.maxGap())));
}

void TestPlayers::volumeIsClampedAndReachesThePlayer() {
    TWindowsMediaPlayer wmp;
    TRealAudio real;
    const QList<std::pair<int, int>> cases = {{50, 50},   {150, 100}, {-5, 0}, {35, 35},
                                              {100, 100}, {101, 100}, {0, 0}};
    for (const auto& [given, expected] : cases) {
        wmp.setVolume(given);
        real.SetVolume(given);
        QCOMPARE(wmp.volume(), expected);
        QCOMPARE(real.GetVolume(), expected);
        QTRY_COMPARE(mpvVolume(wmp), double(expected));
        QTRY_COMPARE(mpvVolume(real), double(expected));
    }
    // Each player keeps its own volume.
    wmp.setVolume(20);
    real.SetVolume(80);
    QTRY_COMPARE(mpvVolume(wmp), 20.0);
    QTRY_COMPARE(mpvVolume(real), 80.0);
}

void TestPlayers::twoPlayersPlayAtOnce() {
    TWindowsMediaPlayer wmp;
    TRealAudio real;
    QSignalSpy wmpSpy(&wmp, &TWindowsMediaPlayer::PlayStateChange);
    wmp.setURL(server_->url("/live.wav").toString());
    QTRY_COMPARE_WITH_TIMEOUT(wmp.playState(), 3, 10000);

    QSignalSpy realSpy(&real, &TRealAudio::PlayStateChange);
    real.SetSource(server_->url("/other.wav").toString());
    real.DoPlay();
    QTRY_COMPARE_WITH_TIMEOUT(states(realSpy), (QList<int>{3, 4}), 10000);
    // Starting one player does not stop the other.
    QCOMPARE(wmp.playState(), 3);
    QCOMPARE(states(wmpSpy), (QList<int>{6, 3}));

    // Switching the stream of one player goes straight to the new one, without a stop.
    wmp.setURL(server_->url("/other.wav").toString());
    QTRY_COMPARE_WITH_TIMEOUT(states(wmpSpy), (QList<int>{6, 3, 6, 3}), 10000);
    QCOMPARE(wmp.core().entry(), server_->url("/other.wav").toString());
    QVERIFY(real.CanStop());
}

void TestPlayers::asxPlaysFirstEntryThatOpens() {
    server_->addFile(
        "/first-fails.asx",
        asxDocument({"/missing.mp3", server_->url("/live.wav").toString(), "/other.wav"}),
        "video/x-ms-asf");
    const int missingBefore = server_->requestCount("/missing.mp3");
    const int otherBefore = server_->requestCount("/other.wav");

    TWindowsMediaPlayer player;
    QSignalSpy spy(&player, &TWindowsMediaPlayer::PlayStateChange);
    player.setURL(server_->url("/first-fails.asx").toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    QCOMPARE(states(spy), (QList<int>{6, 3})); // the failed entry is not reported
    QCOMPARE(player.core().entry(), server_->url("/live.wav").toString());
    QCOMPARE(server_->requestCount("/missing.mp3"), missingBefore + 1);
    QCOMPARE(server_->requestCount("/other.wav"), otherBefore); // never needed
    QCOMPARE(player.URL(), server_->url("/first-fails.asx").toString());

    // The other player reads them just the same.
    TRealAudio real;
    QSignalSpy realSpy(&real, &TRealAudio::PlayStateChange);
    real.SetSource(server_->url("/first-fails.asx").toString());
    real.DoPlay();
    QTRY_COMPARE_WITH_TIMEOUT(states(realSpy), (QList<int>{3, 4}), 10000);
}

void TestPlayers::asxThatCannotPlayEndsStopped_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("served");
    QTest::newRow("every entry fails") << asxDocument({"/missing1.mp3", "/missing2.mp3"}) << true;
    QTest::newRow("no entries") << QByteArray("<asx version=\"3.0\"><entry></entry></asx>") << true;
    QTest::newRow("cut off mid-tag") << QByteArray("<asx><entry><ref href=\"/live.wav") << true;
    QTest::newRow("only local entries") << asxDocument({"file:///etc/passwd"}) << true;
    QByteArray huge = "<asx>" + QByteArray(2 * 1024 * 1024, ' ') + "<ref href=\"/live.wav\"/>";
    QTest::newRow("over the size limit") << huge << true;
    QTest::newRow("not found") << QByteArray() << false;
}

void TestPlayers::asxThatCannotPlayEndsStopped() {
    QFETCH(QByteArray, document);
    QFETCH(bool, served);
    const QString path =
        QStringLiteral("/bad-%1.asx").arg(QTest::currentDataTag()).replace(' ', '-');
    if (served)
        server_->addFile(path, document, "video/x-ms-asf");

    TWindowsMediaPlayer player;
    QSignalSpy spy(&player, &TWindowsMediaPlayer::PlayStateChange);
    player.setURL(server_->url(path).toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 1, 10000);
    QCOMPARE(states(spy), (QList<int>{6, 1}));
}

void TestPlayers::asxUnderAnotherNameIsRecognised() {
    // A playlist served from an address that does not say ".asx".
    server_->addFile("/listen.php", asxDocument({server_->url("/live.wav").toString()}),
                     "video/x-ms-asf");
    TWindowsMediaPlayer player;
    QSignalSpy spy(&player, &TWindowsMediaPlayer::PlayStateChange);
    player.setURL(server_->url("/listen.php").toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    QCOMPARE(states(spy), (QList<int>{6, 3}));
    QCOMPARE(player.core().entry(), server_->url("/live.wav").toString());

    // Something the library cannot read that is no playlist either: stopped.
    server_->addFile("/page.html", "<html><body>hello</body></html>", "text/html");
    player.setURL(server_->url("/page.html").toString());
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 1, 10000);
}

void TestPlayers::asxReading_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QStringList>("expected");

    const QString base = QStringLiteral("http://radio.test/lists/a.asx");
    QTest::newRow("names in any case, document order")
        << QByteArray("<ASX><entry><REF HREF=\"http://a.test/1\"/></entry>"
                      "<Entry><Ref Href='http://a.test/2'></Ref></Entry>"
                      "<entry><ref href=mms://a.test/3 /></entry></ASX>")
        << base << QStringList{"http://a.test/1", "http://a.test/2", "mms://a.test/3"};
    QTest::newRow("relative entries resolved")
        << QByteArray("<asx><entry><ref href=\"live.mp3\"/><ref href=\"/top.mp3\"/></entry></asx>")
        << base << QStringList{"http://radio.test/lists/live.mp3", "http://radio.test/top.mp3"};
    QTest::newRow("character references and bare ampersands")
        << QByteArray("<asx><ref href=\"http://a.test/s?x=1&amp;y=2&z=3&#x41;\"/></asx>") << base
        << QStringList{"http://a.test/s?x=1&y=2&z=3A"};
    QTest::newRow("comments and other elements skipped")
        << QByteArray("<asx><!-- <ref href=\"http://hidden.test/\"/> --><reference href=\"x\"/>"
                      "<title>ref</title><ref href=\"http://a.test/ok\"/></asx>")
        << base << QStringList{"http://a.test/ok"};
    QTest::newRow("unsafe schemes from a remote list left out")
        << QByteArray("<asx><ref href=\"file:///etc/passwd\"/><ref href=\"javascript:x\"/>"
                      "<ref href=\"av://v4l2:/dev/video0\"/><ref href=\"\"/>"
                      "<ref href=\"https://a.test/ok\"/></asx>")
        << base << QStringList{"https://a.test/ok"};
    QTest::newRow("local entries allowed from a local list")
        << QByteArray("<asx><ref href=\"song.mp3\"/></asx>")
        << QStringLiteral("file:///music/l.asx") << QStringList{"/music/song.mp3"};
    QTest::newRow("unterminated value")
        << QByteArray("<asx><ref href=\"http://a.test/1\"/><ref href=\"http://a.test/2") << base
        << QStringList{"http://a.test/1"};
}

void TestPlayers::asxReading() {
    QFETCH(QByteArray, document);
    QFETCH(QString, base);
    QFETCH(QStringList, expected);
    QCOMPARE(asx::ParseRefs(document, QUrl(base)), expected);
}

void TestPlayers::asxSniffing() {
    QVERIFY(asx::LooksLikeAsx("<asx version=\"3.0\">"));
    QVERIFY(asx::LooksLikeAsx("\xEF\xBB\xBF  <?xml version=\"1.0\"?>\r\n<!-- x --><ASX>"));
    QVERIFY(!asx::LooksLikeAsx("<asxml>"));
    QVERIFY(!asx::LooksLikeAsx("[Reference]\r\nRef1=http://a.test/\r\n"));
    QVERIFY(!asx::LooksLikeAsx("ID3\x03\x00"));
    QVERIFY(!asx::LooksLikeAsx(""));

    QVERIFY(asx::IsAsxAddress("http://a.test/live.ASX?id=3"));
    QVERIFY(asx::IsAsxAddress("/home/me/radio.asx"));
    QVERIFY(!asx::IsAsxAddress("http://a.test/live.mp3?x=.asx"));
    QVERIFY(!asx::IsAsxAddress("http://a.test/asx"));

    // An entry cap keeps a hostile list small.
    QByteArray many = "<asx>";
    for (int i = 0; i < 1000; ++i)
        many += "<ref href=\"http://a.test/" + QByteArray::number(i) + "\"/>";
    const QStringList refs = asx::ParseRefs(many, QUrl("http://a.test/"));
    QCOMPARE(refs.size(), asx::kMaxEntries);
    QCOMPARE(refs.first(), QStringLiteral("http://a.test/0"));
}

void TestPlayers::destroyingMidLoadIsSafe_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("waitForRequest");
    QTest::newRow("silent stream, at once") << QStringLiteral("/silent") << false;
    QTest::newRow("silent stream, connected") << QStringLiteral("/silent") << true;
    QTest::newRow("silent playlist, connected") << QStringLiteral("/silent-list.asx") << true;
    QTest::newRow("live stream, at once") << QStringLiteral("/live.wav") << false;
}

void TestPlayers::destroyingMidLoadIsSafe() {
    QFETCH(QString, path);
    QFETCH(bool, waitForRequest);
    server_->addSilent("/silent-list.asx");
    const int before = server_->requestCount(path);

    auto wmp = std::make_unique<TWindowsMediaPlayer>();
    auto real = std::make_unique<TRealAudio>();
    QSignalSpy spy(wmp.get(), &TWindowsMediaPlayer::PlayStateChange);
    wmp->setURL(server_->url(path).toString());
    real->SetSource(server_->url(path).toString());
    real->DoPlay();
    if (waitForRequest)
        QTRY_VERIFY_WITH_TIMEOUT(server_->requestCount(path) >= before + 2, 10000);

    QElapsedTimer clock;
    clock.start();
    wmp.reset();
    real.reset();
    qInfo("destroyed two players mid-load in %lld ms", clock.elapsed());
    // Well under the network timeout: the connections were cancelled, not waited out.
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    // Wake-ups and replies that were on their way must find nothing to call.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QCOMPARE(spy.count(), 1);
}

void TestPlayers::shownPlayerMakesItsPicture() {
    TWindowsMediaPlayer player;
    if (!player.hasVideo())
        QSKIP("no OpenGL here: the player is sound only");
    player.resize(320, 240);
    player.show();
    QVERIFY(QTest::qWaitForWindowExposed(&player));
    // Nothing of OpenGL is touched before the first stream starts.
    QVERIFY(!player.pictureReady());
    player.setURL(server_->url("/live.wav").toString());
    QTRY_VERIFY_WITH_TIMEOUT(player.pictureReady(), 5000);
    QTRY_COMPARE_WITH_TIMEOUT(player.playState(), 3, 10000);
    player.SetObjectRects(QRect(10, 10, 200, 100), QRect(0, 0, 100, 100));
    QCOMPARE(player.geometry(), QRect(10, 10, 200, 100));
    QCOMPARE(player.mask().boundingRect(), QRect(0, 0, 90, 90));
    player.SetObjectRects(QRect(0, 0, 320, 240), QRect(0, 0, 640, 480));
    QVERIFY(player.mask().isEmpty());
}

void TestPlayers::pictureComesWhenShownAfterTheStreamStarted() {
    if (!OpenGLAvailable() || !TPlayerWidget::videoAllowed())
        QSKIP("no OpenGL here: the players are sound only");
    QTemporaryDir dir;
    const QString clip = dir.filePath("clip.mp4");
    const int rc = QProcess::execute(
        "ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25", "-t",
                   "30", "-c:v", "mpeg4", "-q:v", "10", "-movflags", "+faststart", clip});
    if (rc != 0)
        QSKIP("ffmpeg is needed to make a test video");
    QFile file(clip);
    QVERIFY(file.open(QIODevice::ReadOnly));
    server_->addFile("/clip.mp4", file.readAll(), "video/mp4");

    QWidget window;
    window.resize(320, 240);
    TRealAudio* real = PlayerFactory::CreateRealAudio(&window);
    real->resize(320, 240);
    real->hide(); // as the main window keeps it until it plays
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(real, &TRealAudio::PlayStateChange);
    real->SetSource(server_->url("/clip.mp4").toString());
    real->DoPlay();
    QTRY_COMPARE_WITH_TIMEOUT(states(spy), (QList<int>{3, 4}), 10000);
    auto voConfigured = [real] {
        int flag = 0;
        mpv_get_property(real->core().handle(), "vo-configured", MPV_FORMAT_FLAG, &flag);
        return flag != 0;
    };
    // Started before the picture existed: it plays on with no picture output.
    char* output = mpv_get_property_string(real->core().handle(), "current-vo");
    QCOMPARE(QByteArray(output), QByteArray("null"));
    mpv_free(output);
    real->show();
    QTRY_VERIFY_WITH_TIMEOUT(real->pictureReady(), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(voConfigured(), 10000);
    // Picking the picture up again is not reported as a new start.
    QCOMPARE(states(spy), (QList<int>{3, 4}));
    QCOMPARE(real->core().state(), TPlayerCore::State::Playing);
}

void TestPlayers::factoryCreationCanBeMadeToFail() {
    QWidget owner;
    {
        ScopedPlayerCreationFailure fail;
        QVERIFY_THROWS_EXCEPTION(orvik::Error, PlayerFactory::CreateMediaPlayer(&owner));
        QVERIFY_THROWS_EXCEPTION(orvik::Error, PlayerFactory::CreateRealAudio(&owner));
        QVERIFY(owner.findChildren<TPlayerWidget*>().isEmpty());
    }
    {
        ScopedPlayerCreationFailure failMediaOnly(false, true);
        QVERIFY_THROWS_EXCEPTION(orvik::Error, PlayerFactory::CreateMediaPlayer(&owner));
        QCOMPARE(PlayerFactory::CreateRealAudio(&owner)->parent(), &owner);
    }
    TWindowsMediaPlayer* media = PlayerFactory::CreateMediaPlayer(&owner);
    QCOMPARE(media->parentWidget(), &owner);
    QCOMPARE(owner.findChildren<TPlayerWidget*>().size(), 2);
}

QTEST_MAIN(TestPlayers)
#include "test_players.moc"
