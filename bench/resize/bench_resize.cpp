// Interactive resize of the real main window: each of many resizes is timed from the request
// to the moment the window has painted its frame at the new size (the outline is set while the
// resize is handled, before that paint). Figures per built-in skin and, for comparison, with
// skinning off. Needs a display (run it under xvfb-run).
//
//   bench_resize [--resizes N]
#include "app/forms/MainWindow.h"
#include "app/player/PlayerFactory.h"
#include "skin/data/SkinData.h"
#include "skin/draw/WinSkinForm.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPaintEvent>

#include <algorithm>
#include <cstdio>

namespace {

// Notes the window's paints at the size it was asked for.
class TPaintWatch : public QObject {
public:
    QSize wanted;
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && static_cast<QWidget*>(watched)->size() == wanted)
            painted = true;
        return false;
    }
};

void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

double percentile(QList<double> v, double p) {
    std::sort(v.begin(), v.end());
    if (v.isEmpty())
        return 0;
    return v[std::min<qsizetype>(v.size() - 1, qsizetype(p * v.size()))];
}

// Times the resizes; false when a paint did not come within a second.
bool resizes(QWidget& window, TPaintWatch& watch, int count, QList<double>& millis) {
    millis.clear();
    for (int i = 0; i < count; ++i) {
        // Sizes a drag goes through: a few pixels apart, growing and shrinking.
        const QSize size(900 + (i * 7) % 300, 620 + (i * 5) % 160);
        if (size == window.size())
            continue;
        watch.wanted = size;
        watch.painted = false;
        QElapsedTimer t;
        t.start();
        window.resize(size);
        while (!watch.painted && t.elapsed() < 1000)
            QApplication::processEvents(QEventLoop::AllEvents);
        if (!watch.painted)
            return false;
        millis << t.nsecsElapsed() / 1e6;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int count = 200;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i)
        if (args[i] == QLatin1String("--resizes"))
            count = std::max(1, args[i + 1].toInt());

    ProgramFolderFixture folder(ProgramFolderFixture::Catalogue::Sample);
    orvik::ScopedPlayerCreationFailure noPlayers;
    RecordingPresenter boxes; // the missing players' boxes are not shown
    TfrmMain window;
    window.show();
    window.activateWindow(); // the skin manager carries commands out once a window was active
    settle(500);
    TPaintWatch watch;
    window.installEventFilter(&watch);

    std::printf("bench_resize: %d resizes of the main window between 900x620 and 1199x779 "
                "(goal: median at most 8 ms)\n",
                count);
    std::printf("%-12s %10s %10s %10s\n", "skin", "median ms", "p95 ms", "max ms");
    QList<double> millis;
    for (const char* name : {"nightfall", "pebble", "ember", "lagoon"}) {
        window.SkinEngine->SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") +
                                       QLatin1String(name) + QStringLiteral(".skn"));
        settle(400); // the switch is carried out after 250 ms
        TWinSkinForm* form = TWinSkinForm::Of(&window);
        if (!form || !form->Frame() || !form->Frame()->Hooked()) {
            std::fprintf(stderr, "%s: the main window is not skinned\n", name);
            return 1;
        }
        if (!resizes(window, watch, count, millis)) {
            std::fprintf(stderr, "%s: a resize was not painted\n", name);
            return 1;
        }
        std::printf("%-12s %10.2f %10.2f %10.2f\n", name, percentile(millis, 0.5),
                    percentile(millis, 0.95), percentile(millis, 1.0));
    }
    window.SkinEngine->SetActive(false);
    settle(400);
    if (TWinSkinForm::Of(&window)) {
        std::fprintf(stderr, "skinning off left the window skinned\n");
        return 1;
    }
    if (!resizes(window, watch, count, millis)) {
        std::fprintf(stderr, "unskinned: a resize was not painted\n");
        return 1;
    }
    std::printf("%-12s %10.2f %10.2f %10.2f\n", "(skins off)", percentile(millis, 0.5),
                percentile(millis, 0.95), percentile(millis, 1.0));
    return 0;
}
