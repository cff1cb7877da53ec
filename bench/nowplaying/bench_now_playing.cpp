// Now playing through the main window, on the loopback stream server (an MP3 tone looped at
// 16,000 bytes a second with ICY metadata every 1,600 bytes, 300 ms sent ahead):
//  1. the server's title change to the status line, median over 20 changes;
//  2. the server back after a drop of 5 s to playing again, median over 5 drops (the real
//     reconnect schedule: attempts 1, 2 and 4 s apart);
//  3. resident memory over two hours of titles fast-forwarded: 720 title changes (one every
//     10 s for two hours), one every 150 ms, the first ten minutes' figure (60 changes) beside
//     the last.
#include "ui_MainWindow.h"

#include "app/forms/ActionUpdater.h"
#include "app/forms/MainWindow.h"
#include "app/forms/TreeOrder.h"
#include "app/player/WindowsMediaPlayer.h"
#include "tests/common/LoopbackCatalogue.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"
#include "tests/common/ResourceMeter.h"
#include "tests/common/StreamServer.h"
#include "tests/common/ToneMp3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int kIcyInterval = 1600;
constexpr int kBytesPerSecond = 16000;
constexpr int kSentAheadMs = 300;

// Runs the event loop until done() holds, checking every millisecond; false after limitMs.
bool runUntil(const std::function<bool()>& done, int limitMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limitMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

void runFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double median(std::vector<double> v) {
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

double residentMiB() {
    return ResourceMeter::statusKiB("VmRSS:") / 1024.0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (toneMp3().isEmpty()) {
        std::fprintf(stderr, "ffmpeg is needed to make the stream\n");
        return 1;
    }
    StreamServer server;
    const QString path = QStringLiteral("/icy.mp3");
    server.addLoopStream(path, toneMp3(), "audio/mpeg", kBytesPerSecond);
    server.setIcyInterval(kIcyInterval);
    server.setBurstMs(kSentAheadMs);
    ProgramFolderFixture folder(
        ProgramFolderFixture::Catalogue::SchemaOnly,
        loopbackCatalogue(server.url(QString()).toString(), {{"Icy stream", path}}));
    RecordingPresenter boxes;
    TfrmMain w;
    w.show();
    auto& u = w.form();
    auto status = [&] { return u.lblStatusText->text(); };
    const QString name = QStringLiteral("Icy stream");

    const auto found = u.tvStations->findItems(name);
    if (found.isEmpty()) {
        std::fprintf(stderr, "the station is missing from the tree\n");
        return 1;
    }
    orvik::selectNode(u.tvStations, found.first());
    w.updater().updateAll();
    u.actPlay->trigger();
    if (!runUntil([&] { return status() == name; }, 10000)) {
        std::fprintf(stderr, "the stream did not start\n");
        return 1;
    }

    // 1. Title changes.
    std::vector<double> titles;
    for (int i = 0; i < 20; ++i) {
        const QString next = QStringLiteral("Song %1").arg(i);
        QElapsedTimer clock;
        clock.start();
        server.setTitle(path, next.toUtf8());
        if (runUntil([&] { return status() == name + QStringLiteral(" - ") + next; }, 5000))
            titles.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double floorMs = 1000.0 * kIcyInterval / kBytesPerSecond;
    std::printf("title change to the status line: median %.1f ms over %zu of 20 changes "
                "(min %.1f, max %.1f; floor: metadata every %.0f ms, %d ms sent ahead)\n",
                median(titles), titles.size(),
                titles.empty() ? -1.0 : *std::min_element(titles.begin(), titles.end()),
                titles.empty() ? -1.0 : *std::max_element(titles.begin(), titles.end()), floorMs,
                kSentAheadMs);
    std::fflush(stdout);

    // 2. Drops of 5 s.
    auto playing = [&] {
        return w.MediaPlayer->playState() == TWindowsMediaPlayer::psPlaying &&
               status().startsWith(name) && !status().startsWith(QStringLiteral("Reconnecting"));
    };
    std::vector<double> backs;
    for (int drop = 0; drop < 5; ++drop) {
        server.setDown(true);
        if (!runUntil([&] { return status().startsWith(QStringLiteral("Reconnecting")); }, 20000))
            break;
        runFor(5000);
        QElapsedTimer clock;
        clock.start();
        server.setDown(false);
        if (!runUntil(playing, 30000))
            break;
        backs.push_back(clock.nsecsElapsed() / 1e6);
        runFor(1000); // playing a while before the next drop
    }
    std::printf("server back after a 5 s drop to playing: median %.0f ms over %zu drops (min "
                "%.0f, max %.0f; attempts 1, 2, 4 s apart)\n",
                median(backs), backs.size(),
                backs.empty() ? -1.0 : *std::min_element(backs.begin(), backs.end()),
                backs.empty() ? -1.0 : *std::max_element(backs.begin(), backs.end()));
    std::fflush(stdout);

    // 3. Two hours of titles, fast-forwarded.
    if (!runUntil(playing, 10000)) {
        std::fprintf(stderr, "not playing before the memory run\n");
        return 1;
    }
    QString shown = status();
    int seen = 0;
    double tenMinutes = 0;
    double start = residentMiB();
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (status() != shown) {
            shown = status();
            ++seen;
        }
    });
    watch.start(5);
    for (int i = 0; i < 720; ++i) {
        // Long titles of their own each time, as a busy station's are.
        server.setTitle(path, QStringLiteral("Artist %1 - A song title long enough to be cut "
                                             "short by nobody %2")
                                  .arg(i)
                                  .arg(QString(120, QChar(u'a' + i % 26)))
                                  .toUtf8());
        runFor(150);
        if (i == 59)
            tenMinutes = residentMiB();
    }
    const double end = residentMiB();
    std::printf("resident memory over 720 title changes (two hours at one per 10 s): start %.1f "
                "MiB, after 60 changes (ten minutes) %.1f MiB, after 720 %.1f MiB: %+.1f MiB "
                "since ten minutes (goal at most +2); %d titles shown, still playing: %s\n",
                start, tenMinutes, end, end - tenMinutes, seen, playing() ? "yes" : "no");
    w.close();
    return 0;
}
