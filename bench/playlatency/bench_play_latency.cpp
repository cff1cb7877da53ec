// Time from the play command to the playing report for a loopback HTTP stream, for both
// players: 20 plays each, median, minimum and maximum printed. Sound only (no picture), so
// the figure is the stream start itself. Beside them the same plays on a bare libmpv handle
// (loadfile to its first playback-restart), the floor the players are measured against.
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/StreamServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <mpv/client.h>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <thread>

using namespace orvik;

namespace {

constexpr int kPlays = 20;
constexpr int kGiveUpMs = 10000;

// Runs the event loop until the player reports want (or gives up); returns the milliseconds
// from start() to that report, or -1.
template <class Player>
double timeTo(Player& player, int want, const std::function<void()>& start) {
    QEventLoop loop;
    QElapsedTimer clock;
    double took = -1;
    auto connection = QObject::connect(&player, &Player::PlayStateChange, [&](int state) {
        if (state == want) {
            took = clock.nsecsElapsed() / 1e6;
            loop.quit();
        }
    });
    QTimer::singleShot(kGiveUpMs, &loop, &QEventLoop::quit);
    clock.start();
    start();
    if (took < 0)
        loop.exec();
    QObject::disconnect(connection);
    return took;
}

// Runs the event loop until the player's libmpv handle has finished with the stream before
// (idle), so that a play is timed from an idle player as the bare handle's are.
void waitIdle(TPlayerCore& core) {
    QElapsedTimer limit;
    limit.start();
    while (limit.elapsed() < kGiveUpMs) {
        int idle = 0;
        if (mpv_get_property(core.handle(), "idle-active", MPV_FORMAT_FLAG, &idle) >= 0 && idle)
            return;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// Prints the figures; returns the median, or -1 when no play got there.
double report(const char* name, std::vector<double> times) {
    const auto failed = std::count(times.begin(), times.end(), -1.0);
    std::erase(times, -1.0);
    if (times.empty()) {
        std::printf("%-22s no play reached the playing state\n", name);
        return -1;
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2
                              ? times[times.size() / 2]
                              : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("%-24s plays %zu  median %7.1f ms  min %7.1f ms  max %7.1f ms  failed %lld\n", name,
                times.size(), median, times.front(), times.back(), (long long)failed);
    return median;
}

// The same plays on a bare libmpv handle, without Qt or the player classes, on a thread of
// its own (the stream server needs the main thread's event loop): loadfile to the first
// playback-restart, with the options the players set for sound only.
// Then as many changes of stream while one plays (loadfile over the playing one), alternating
// between address and other, into switches.
std::vector<double> barePlays(const QString& address, const QString& other,
                              std::vector<double>& switches) {
    std::vector<double> times;
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* h = mpv_create();
    if (!h)
        return times;
    const std::pair<const char*, const char*> options[] = {
        {"vo", "null"},
        {"idle", "yes"},
        {"keep-open", "no"},
        {"terminal", "no"},
        {"config", "no"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"osc", "no"},
        {"ao", "pipewire,pulse,alsa"},
        {"audio-fallback-to-null", "yes"},
        {"hwdec", "no"},
        {"demuxer-max-bytes", "32MiB"},
        {"demuxer-max-back-bytes", "1MiB"},
        {"demuxer-termination-timeout", "0"},
    };
    for (auto [name, value] : options)
        mpv_set_option_string(h, name, value);
    if (mpv_initialize(h) < 0) {
        mpv_terminate_destroy(h);
        return times;
    }
    const QByteArray url = address.toUtf8();
    // Waits for an event of that kind; false when none came in time.
    auto waitFor = [h](mpv_event_id want) {
        QElapsedTimer limit;
        limit.start();
        while (limit.elapsed() < kGiveUpMs) {
            const mpv_event* e = mpv_wait_event(h, 0.5);
            if (e->event_id == want)
                return true;
        }
        return false;
    };
    for (int i = 0; i < kPlays; ++i) {
        const char* load[] = {"loadfile", url.constData(), nullptr};
        QElapsedTimer clock;
        clock.start();
        mpv_command(h, load);
        times.push_back(waitFor(MPV_EVENT_PLAYBACK_RESTART) ? clock.nsecsElapsed() / 1e6 : -1);
        const char* stop[] = {"stop", nullptr};
        mpv_command(h, stop);
        waitFor(MPV_EVENT_IDLE);
    }
    const QByteArray second = other.toUtf8();
    const char* first[] = {"loadfile", url.constData(), nullptr};
    mpv_command(h, first);
    waitFor(MPV_EVENT_PLAYBACK_RESTART);
    for (int i = 0; i < kPlays; ++i) {
        const char* load[] = {"loadfile", (i % 2 ? url : second).constData(), nullptr};
        QElapsedTimer clock;
        clock.start();
        mpv_command(h, load);
        switches.push_back(waitFor(MPV_EVENT_PLAYBACK_RESTART) ? clock.nsecsElapsed() / 1e6 : -1);
    }
    mpv_terminate_destroy(h);
    return times;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    TPlayerWidget::setVideoAllowed(false);
    StreamServer server;
    if (!server.isListening()) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    server.addStream("/stream.wav");
    server.addStream("/other.wav");
    const QString address = server.url("/stream.wav").toString();
    const QString other = server.url("/other.wav").toString();

    TWindowsMediaPlayer wmp;
    std::vector<double> wmpTimes;
    for (int i = 0; i < kPlays; ++i) {
        wmpTimes.push_back(timeTo(wmp, TWindowsMediaPlayer::psPlaying, [&] {
            wmp.setURL(address);
            wmp.controlsPlay();
        }));
        timeTo(wmp, TWindowsMediaPlayer::psStopped, [&] { wmp.controlsStop(); });
        waitIdle(wmp.core());
    }
    // Another station while one plays.
    std::vector<double> wmpSwitches;
    timeTo(wmp, TWindowsMediaPlayer::psPlaying, [&] {
        wmp.setURL(address);
        wmp.controlsPlay();
    });
    for (int i = 0; i < kPlays; ++i) {
        wmpSwitches.push_back(timeTo(wmp, TWindowsMediaPlayer::psPlaying, [&] {
            wmp.setURL(i % 2 ? address : other);
            wmp.controlsPlay();
        }));
    }
    timeTo(wmp, TWindowsMediaPlayer::psStopped, [&] { wmp.controlsStop(); });

    TRealAudio real;
    std::vector<double> realTimes;
    for (int i = 0; i < kPlays; ++i) {
        realTimes.push_back(timeTo(real, TRealAudio::rsPlaying, [&] {
            real.SetSource(address);
            real.DoPlay();
        }));
        timeTo(real, TRealAudio::rsStopped, [&] { real.DoStop(); });
        waitIdle(real.core());
    }

    std::vector<double> bareTimes, bareSwitches;
    QEventLoop serving;
    std::thread bare([&] {
        bareTimes = barePlays(address, other, bareSwitches);
        QMetaObject::invokeMethod(
            &serving, [&] { serving.quit(); }, Qt::QueuedConnection);
    });
    serving.exec();
    bare.join();

    std::printf("play command to playing, loopback HTTP stream (%d plays each)\n", kPlays);
    const double wmpMedian = report("TWindowsMediaPlayer (3)", wmpTimes);
    const double realMedian = report("TRealAudio (4)", realTimes);
    const double bareMedian = report("bare libmpv handle", bareTimes);
    if (bareMedian > 0)
        std::printf("median over the bare handle's: %.2f and %.2f (goal: at most 1.20)\n",
                    wmpMedian / bareMedian, realMedian / bareMedian);
    std::printf("another stream while one plays to playing (%d changes each)\n", kPlays);
    const double wmpSwitch = report("TWindowsMediaPlayer (3)", wmpSwitches);
    const double bareSwitch = report("bare libmpv handle", bareSwitches);
    if (bareSwitch > 0)
        std::printf("median over the bare handle's: %.2f\n", wmpSwitch / bareSwitch);
    return 0;
}
