// Opening menus, from the click to the popup painted: the main window's Category, Stations and
// View menus (the window's own layout) and the tree's popup, skinned by one of our skins and in
// the system look, alternating in the same run. Prints the median and the spread of each.
// Run under a display: xvfb-run -a build/bench/bench_menus [openings]

#include "ui_MainWindow.h"

#include "skin/data/SkinData.h"
#include "skin/draw/menus/WindowMenus.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace {

// Notes when a menu has finished its first paint after being opened.
class TPaintWatch : public QObject {
public:
    bool painted = false;
    qint64 at = 0;
    QElapsedTimer* clock = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || painted)
            return false;
        watched->removeEventFilter(this);
        const bool done = watched->event(event);
        at = clock->nsecsElapsed();
        painted = true;
        return done;
    }
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
double percentile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(q * v.size()))];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int openings = argc > 1 ? std::max(5, atoi(argv[1])) : 60;

    QMainWindow window;
    Ui::TfrmMain ui;
    ui.setupUi(&window);
    QMenu tree(&window);
    for (QAction* a : {ui.popAddCategory, ui.popEditCategory, ui.popDeleteCategory})
        tree.addAction(a);
    tree.addSeparator();
    for (QAction* a : {ui.popAddStation, ui.popEditStation, ui.popDeleteStation})
        tree.addAction(a);
    TSkinData skin;
    skin.SetSkinControls({xcMainMenu, xcPopupMenu});
    skin.SetSkinFile(QStringLiteral(ORVIK_BUILD_DIR "/skins/nightfall.skn"));
    skin.SetActive(true);
    auto* menus = new TWindowMenus(&window, &skin);
    window.resize(760, 520);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    QMenuBar* bar = window.menuBar();

    struct TTarget {
        const char* name;
        QMenu* menu;
    };
    const TTarget targets[] = {{"Category", ui.mnuCategoryMenu},
                               {"Stations", ui.mnuStationsMenu},
                               {"View", ui.mnuViewMenu},
                               {"tree popup", &tree}};
    std::map<std::pair<int, bool>, std::vector<double>> times;
    QElapsedTimer clock;
    clock.start();
    for (int round = 0; round < openings; ++round) {
        for (bool skinned : {true, false}) {
            skin.SetActive(skinned);
            menus->Apply();
            for (int t = 0; t < 4; ++t) {
                QMenu* menu = targets[t].menu;
                TPaintWatch watch;
                watch.clock = &clock;
                menu->installEventFilter(&watch);
                const qint64 start = clock.nsecsElapsed();
                if (menu == &tree)
                    tree.popup(window.mapToGlobal(QPoint(80, 120)));
                else
                    QTest::mouseClick(bar, Qt::LeftButton, {},
                                      bar->actionGeometry(menu->menuAction()).center());
                QElapsedTimer limit;
                limit.start();
                while (!watch.painted && limit.elapsed() < 2000)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                menu->removeEventFilter(&watch);
                if (watch.painted)
                    times[{t, skinned}].push_back((watch.at - start) / 1e6);
                menu->close();
                QCoreApplication::processEvents();
            }
        }
    }
    std::printf("click to popup painted, %d openings each, median (90th percentile) in ms\n",
                openings);
    std::printf("%-12s %18s %18s %8s\n", "menu", "skinned", "system look", "ratio");
    for (int t = 0; t < 4; ++t) {
        const auto& s = times[{t, true}];
        const auto& u = times[{t, false}];
        const double ms = median(s), mu = median(u);
        std::printf("%-12s %8.2f (%6.2f) %9.2f (%6.2f) %8.2f\n", targets[t].name, ms,
                    percentile(s, 0.9), mu, percentile(u, 0.9), mu > 0 ? ms / mu : 0);
    }
    return 0;
}
