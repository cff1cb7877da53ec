// The media player interfaces on a private session bus, driven and read by the real clients:
// playerctl for what it can reach, gdbus for the rest.
#include "BusFixture.h"

#include "app/bus/MprisService.h"
#include "app/forms/BusLink.h"
#include "app/forms/NowPlaying.h"
#include "tests/common/PrivateBus.h"

#include <QApplication>

namespace {

const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

QString ctl(const QStringList& args, int* code = nullptr) {
    return runToEnd(QStringLiteral("playerctl"), QStringList{"-p", "orvik"} + args, code);
}

QStringList gdbusArgs(const QString& method) {
    return {"call",          "--session",
            "--dest",        orvik::TMprisService::kServiceName,
            "--object-path", orvik::TMprisService::kObjectPath,
            "--method",      method};
}

// A property as gdbus prints it: "(<'Orvik'>,)", "(<true>,)".
QString prop(const QString& iface, const QString& name) {
    return runToEnd(QStringLiteral("gdbus"),
                    gdbusArgs(QStringLiteral("org.freedesktop.DBus.Properties.Get"))
                        << iface << name);
}

QString call(const QString& method, const QStringList& args = {}) {
    return runToEnd(QStringLiteral("gdbus"), gdbusArgs(method) + args);
}

// A client that prints a value each time the player says it changed (playerctl --follow).
class Follower {
public:
    explicit Follower(const QStringList& args) {
        process.start(QStringLiteral("playerctl"), QStringList{"-p", "orvik", "--follow"} + args);
        process.waitForStarted();
        QObject::connect(&process, &QProcess::readyReadStandardOutput, [this] {
            for (const QByteArray& line : process.readAllStandardOutput().split('\n'))
                if (!line.isEmpty())
                    lines += QString::fromUtf8(line);
        });
    }
    ~Follower() {
        process.kill();
        process.waitForFinished(2000);
    }
    QProcess process;
    QStringList lines;
};

} // namespace

class TestMpris : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void rootInterface();
    void playStopAndMetadata();
    void pauseAndPlayPause();
    void nextAndPrevious();
    void volumeBothWays();
    void nothingToPlay();
};

void TestMpris::initTestCase() {
    QVERIFY2(!qgetenv("DBUS_SESSION_BUS_ADDRESS").isEmpty(), "dbus-daemon is needed");
    QVERIFY2(!toneMp3().isEmpty(), "ffmpeg is needed");
    int code = -1;
    runToEnd(QStringLiteral("playerctl"), {"--version"}, &code);
    QVERIFY2(code == 0, "playerctl is needed");
}

// Who the player is, Raise showing a hidden window and Quit closing it.
void TestMpris::rootInterface() {
    BusFixture t;
    auto* link = t.w->findChild<TBusLink*>(QStringLiteral("BusLink"));
    QVERIFY(link && link->mpris().registered());
    QCOMPARE(link->mpris().serviceName(), QStringLiteral("org.mpris.MediaPlayer2.orvik"));
    QVERIFY(runToEnd(QStringLiteral("playerctl"), {"-l"}).split('\n').contains("orvik"));
    QCOMPARE(prop(kRoot, "Identity"), QStringLiteral("(<'Orvik'>,)"));
    QCOMPARE(prop(kRoot, "DesktopEntry"), QStringLiteral("(<'orvik'>,)"));
    QCOMPARE(prop(kRoot, "CanRaise"), QStringLiteral("(<true>,)"));
    QCOMPARE(prop(kRoot, "CanQuit"), QStringLiteral("(<true>,)"));
    QCOMPARE(prop(kRoot, "HasTrackList"), QStringLiteral("(<false>,)"));
    QCOMPARE(prop(kPlayer, "CanControl"), QStringLiteral("(<true>,)"));
    QCOMPARE(prop(kPlayer, "CanSeek"), QStringLiteral("(<false>,)"));
    // Before any station: no track.
    QVERIFY(prop(kPlayer, "Metadata").contains("/org/mpris/MediaPlayer2/TrackList/NoTrack"));

    t.w->hide();
    call(kRoot + ".Raise");
    QTRY_VERIFY(t.w->isVisible());
    call(kRoot + ".Quit");
    QTRY_VERIFY(!t.w->isVisible());

    // Gone with the window: the name is free again.
    t.w.reset();
    QTRY_VERIFY(!runToEnd(QStringLiteral("playerctl"), {"-l"}).split('\n').contains("orvik"));
}

// Play and Stop through playerctl, the status and the metadata it reads, and the change
// signals a following client sees (the stream's title changing among them).
void TestMpris::playStopAndMetadata() {
    BusFixture t;
    t.select(QStringLiteral("One"));
    QTRY_COMPARE(ctl({"status"}), QStringLiteral("Stopped"));
    Follower status({"status"});
    Follower title({"metadata", "xesam:title"});
    QTRY_VERIFY(status.lines.contains("Stopped"));

    ctl({"play"});
    QTRY_COMPARE_WITH_TIMEOUT(t.status(), QStringLiteral("One - First song"), 15000);
    QTRY_COMPARE(ctl({"status"}), QStringLiteral("Playing"));
    QTRY_COMPARE(ctl({"metadata", "--format", "{{xesam:title}}|{{xesam:album}}|{{xesam:url}}"}),
                 QStringLiteral("First song|One|") + t.server.url("/one.mp3").toString());
    const QString track = ctl({"metadata", "mpris:trackid"});
    QVERIFY2(track.contains("/org/orvik/station/"), qPrintable(track));
    QCOMPARE(ctl({"metadata", "xesam:artist"}), QStringLiteral("One"));

    t.server.setTitle(QStringLiteral("/one.mp3"), "Next song");
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"metadata", "xesam:title"}), QStringLiteral("Next song"), 10000);
    QTRY_VERIFY(title.lines.contains("Next song"));
    QVERIFY(title.lines.contains("First song"));
    // Playing again after the stop is a second change to Playing, not a stale value.
    ctl({"stop"});
    QTRY_COMPARE(t.status(), QStringLiteral("No channel currently playing"));
    QTRY_COMPARE(ctl({"status"}), QStringLiteral("Stopped"));
    QTRY_COMPARE(status.lines, (QStringList{"Stopped", "Playing", "Stopped"}));
}

// A live station does not pause: Pause changes nothing, PlayPause stops and plays again.
void TestMpris::pauseAndPlayPause() {
    BusFixture t;
    t.play(QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"status"}), QStringLiteral("Playing"), 15000);
    QCOMPARE(prop(kPlayer, "CanPause"), QStringLiteral("(<false>,)"));
    ctl({"pause"});
    // A round trip after the call: Pause has been handled by then.
    QCOMPARE(prop(kPlayer, "PlaybackStatus"), QStringLiteral("(<'Playing'>,)"));
    QCOMPARE(t.w->nowPlaying().playing(), true);
    ctl({"play-pause"});
    QTRY_COMPARE(ctl({"status"}), QStringLiteral("Stopped"));
    QCOMPARE(t.w->nowPlaying().playing(), false);
    ctl({"play-pause"});
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"status"}), QStringLiteral("Playing"), 15000);
    QTRY_COMPARE(t.status(), QStringLiteral("One - First song"));
}

// Next and Previous are the next and previous channel, offered only where they lead somewhere.
void TestMpris::nextAndPrevious() {
    BusFixture t;
    t.play(QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"status"}), QStringLiteral("Playing"), 15000);
    QTRY_COMPARE(prop(kPlayer, "CanGoPrevious"), QStringLiteral("(<false>,)"));
    QCOMPARE(prop(kPlayer, "CanGoNext"), QStringLiteral("(<true>,)"));
    // Previous from the first station goes nowhere.
    ctl({"previous"});
    QCOMPARE(prop(kPlayer, "CanGoPrevious"), QStringLiteral("(<false>,)"));
    QCOMPARE(t.w->nowPlaying().stationName(), QStringLiteral("One"));

    ctl({"next"});
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"metadata", "--format", "{{xesam:album}} {{status}}"}),
                              QStringLiteral("Two Playing"), 15000);
    QTRY_COMPARE(t.status(), QStringLiteral("Two - Second song"));
    QTRY_COMPARE(prop(kPlayer, "CanGoPrevious"), QStringLiteral("(<true>,)"));
    ctl({"previous"});
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"metadata", "--format", "{{xesam:album}} {{status}}"}),
                              QStringLiteral("One Playing"), 15000);
    // The other station's track id is not the first one's.
    const QString first = ctl({"metadata", "mpris:trackid"});
    ctl({"next"});
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"metadata", "xesam:album"}), QStringLiteral("Two"), 15000);
    QVERIFY(ctl({"metadata", "mpris:trackid"}) != first);
}

// The volume slider and the bus's Volume are one: each follows the other.
void TestMpris::volumeBothWays() {
    BusFixture t;
    QSlider* slider = t.u().trbVolume;
    QTRY_COMPARE(ctl({"volume"}).toDouble(), 0.5);
    Follower volume({"volume"});
    QTRY_VERIFY(!volume.lines.isEmpty());
    ctl({"volume", "0.3"});
    QTRY_COMPARE(slider->value(), 6);
    QTRY_COMPARE(ctl({"volume"}).toDouble(), 0.3);
    slider->setValue(15);
    QTRY_COMPARE(ctl({"volume"}).toDouble(), 0.75);
    QTRY_VERIFY(volume.lines.size() >= 3 && volume.lines.last().toDouble() == 0.75);
    // Past either end: the nearest end.
    ctl({"volume", "1.7"});
    QTRY_COMPARE(slider->value(), 20);
    call("org.freedesktop.DBus.Properties.Set", {kPlayer, "Volume", "<-0.5>"});
    QTRY_COMPARE(slider->value(), 0);
    // The player itself takes the slider's volume.
    t.play(QStringLiteral("One"));
    QTRY_COMPARE_WITH_TIMEOUT(ctl({"status"}), QStringLiteral("Playing"), 15000);
    ctl({"volume", "0.8"});
    QTRY_COMPARE(slider->value(), 16);
}

// Nothing selected: Play is not offered and does nothing; Stop with nothing playing neither.
void TestMpris::nothingToPlay() {
    BusFixture t;
    t.u().tvStations->clearSelection();
    t.w->updater().updateAll();
    QTRY_COMPARE(prop(kPlayer, "CanPlay"), QStringLiteral("(<false>,)"));
    ctl({"play"});
    ctl({"stop"});
    QCOMPARE(prop(kPlayer, "PlaybackStatus"), QStringLiteral("(<'Stopped'>,)"));
    QCOMPARE(t.w->PlayMode, -1);
    t.select(QStringLiteral("Two"));
    QTRY_COMPARE(prop(kPlayer, "CanPlay"), QStringLiteral("(<true>,)"));
}

int main(int argc, char** argv) {
    // The bus comes first: Qt connects to the session bus once, at its first use.
    PrivateBus bus;
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    TestMpris test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_mpris.moc"
