// Time from the play command to the playing report for a loopback HTTP stream, for both
// players: 20 plays each, median, minimum and maximum printed. Sound only (no picture), so
// the figure is the stream start itself.
#include "app/player/RealAudio.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/StreamServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

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

void report(const char* name, std::vector<double> times) {
    const auto failed = std::count(times.begin(), times.end(), -1.0);
    std::erase(times, -1.0);
    if (times.empty()) {
        std::printf("%-22s no play reached the playing state\n", name);
        return;
    }
    std::sort(times.begin(), times.end());
    const double median = times.size() % 2
                              ? times[times.size() / 2]
                              : (times[times.size() / 2 - 1] + times[times.size() / 2]) / 2;
    std::printf("%-22s plays %zu  median %7.1f ms  min %7.1f ms  max %7.1f ms  failed %lld  "
                "(goal: median <= 150 ms)\n",
                name, times.size(), median, times.front(), times.back(), (long long)failed);
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
    const QString address = server.url("/stream.wav").toString();

    TWindowsMediaPlayer wmp;
    std::vector<double> wmpTimes;
    for (int i = 0; i < kPlays; ++i) {
        wmpTimes.push_back(timeTo(wmp, TWindowsMediaPlayer::psPlaying, [&] {
            wmp.setURL(address);
            wmp.controlsPlay();
        }));
        timeTo(wmp, TWindowsMediaPlayer::psStopped, [&] { wmp.controlsStop(); });
    }

    TRealAudio real;
    std::vector<double> realTimes;
    for (int i = 0; i < kPlays; ++i) {
        realTimes.push_back(timeTo(real, TRealAudio::rsPlaying, [&] {
            real.SetSource(address);
            real.DoPlay();
        }));
        timeTo(real, TRealAudio::rsStopped, [&] { real.DoStop(); });
    }

    std::printf("play command to playing, loopback HTTP stream (%d plays each)\n", kPlays);
    report("TWindowsMediaPlayer (3)", wmpTimes);
    report("TRealAudio (4)", realTimes);
    return 0;
}
