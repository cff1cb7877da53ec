// The cost of the skin style: the whole main window (1280 x 800, the sample catalogue loaded,
// the catalogue expanded) rendered into an image with the skin style of every built-in skin
// and with plain Fusion, in the same run and the same way (the style set on every widget of
// the window); then the station tree scrolled a step at a time, its repaint timed with skinned
// and with plain bars. Medians of many runs.
//
//   bench_paint [--runs N] [--steps N] [--shots DIR]

#include "app/forms/MainWindow.h"
#include "app/player/PlayerFactory.h"
#include "skin/data/SkinData.h"
#include "skin/draw/style/SkinStyle.h"
#include "tests/common/ProgramFolderFixture.h"
#include "tests/common/RecordingPresenter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void styleAll(QWidget* root, QStyle* style) {
    root->setStyle(style);
    for (QWidget* w : root->findChildren<QWidget*>())
        w->setStyle(style);
}

// Milliseconds per render of the whole window into an image.
double windowPaint(QWidget& window, int runs, QImage& image) {
    std::vector<double> times;
    for (int i = 0; i < runs + 2; ++i) {
        QElapsedTimer t;
        t.start();
        window.render(&image);
        const double ms = t.nsecsElapsed() / 1e6;
        if (i >= 2) // the first renders fill caches
            times.push_back(ms);
    }
    return median(times);
}

// Milliseconds per repaint of the tree after a scroll step.
double treeSteps(QTreeView* tree, int steps) {
    QScrollBar* bar = tree->verticalScrollBar();
    bar->setValue(0);
    QApplication::processEvents();
    std::vector<double> times;
    for (int i = 0; i < steps; ++i) {
        if (bar->value() >= bar->maximum())
            bar->setValue(0);
        QElapsedTimer t;
        t.start();
        bar->setValue(bar->value() + bar->singleStep());
        tree->repaint();
        bar->repaint();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    int runs = 60, steps = 200;
    QString shots;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--steps"))
            steps = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--shots"))
            shots = args[i + 1];
    }

    ProgramFolderFixture folder(ProgramFolderFixture::Catalogue::Sample);
    orvik::ScopedPlayerCreationFailure noPlayers;
    RecordingPresenter boxes; // the missing players' boxes are not shown
    TfrmMain window;
    window.show();
    QApplication::processEvents();
    // The window sets its own first size; the figures are for the size asked for.
    window.setMinimumSize(1280, 800);
    window.resize(1280, 800);
    QApplication::processEvents();
    auto* tree = window.findChild<QTreeView*>(QStringLiteral("tvStations"));
    if (!tree) {
        std::fprintf(stderr, "no station tree\n");
        return 1;
    }
    tree->expandAll();
    QApplication::processEvents();

    QImage image(window.size(), QImage::Format_RGB32);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    std::printf("bench_paint: main window %dx%d, %d categories expanded, median of %d renders, "
                "%d scroll steps\n",
                window.width(), window.height(), tree->model()->rowCount(), runs, steps);
    std::printf("%-10s %12s %12s %7s %14s %14s\n", "skin", "skin ms", "fusion ms", "ratio",
                "step skin ms", "step fusion ms");
    for (const char* name : {"nightfall", "pebble", "ember", "lagoon"}) {
        TSkinData skin;
        skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/") + QLatin1String(name) +
                         QStringLiteral(".skn"));
        if (skin.Loading()) {
            std::fprintf(stderr, "%s: skin not loaded\n", name);
            return 1;
        }
        TSkinStyle style(&skin);
        styleAll(&window, fusion.get());
        QApplication::processEvents();
        const double plain = windowPaint(window, runs, image);
        const double plainStep = treeSteps(tree, steps);
        styleAll(&window, &style);
        QApplication::processEvents();
        const double skinned = windowPaint(window, runs, image);
        if (!shots.isEmpty())
            image.save(shots + QStringLiteral("/main-%1.png").arg(QLatin1String(name)));
        const double skinnedStep = treeSteps(tree, steps);
        std::printf("%-10s %12.2f %12.2f %7.2f %14.3f %14.3f\n", name, skinned, plain,
                    plain > 0 ? skinned / plain : 0.0, skinnedStep, plainStep);
        styleAll(&window, nullptr);
    }
    return 0;
}
