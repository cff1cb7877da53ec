// Random Channel over a station tree of 100,000 stations in 252 categories (a tenth of them
// empty): the time one click takes to find its category, as the program draws it (one draw
// among the categories that have stations, from a generator seeded for the click), beside
// retrying draws over every node, each from a generator seeded with the millisecond clock,
// until one lands on a category with stations.
//
//   bench_random_channel [--clicks N] [--stations N]
//
// Runs on the offscreen platform when there is no display.

#include "app/forms/Playback.h"
#include "app/forms/TreeOrder.h"

#include "app/catalogue/StationTree.h"
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCategories = 252;

TStationNode* nodeAt(TStationTree* tree, int index) {
    for (int i = 0; i < tree->topLevelItemCount() && index >= 0; ++i) {
        TStationNode* category = tree->topLevelItem(i);
        if (index == 0)
            return category;
        --index;
        if (index < category->childCount())
            return category->child(index);
        index -= category->childCount();
    }
    return nullptr;
}

TStationNode* retryingDraw(TStationTree* tree) {
    const int count = orvik::countNodes(tree);
    TStationNode* node = nullptr;
    do {
        QRandomGenerator gen(quint32(QDateTime::currentMSecsSinceEpoch()));
        node = nodeAt(tree, int(gen.bounded(count)));
    } while (!node || node->childCount() == 0);
    return node;
}

TStationNode* programDraw(TStationTree* tree) {
    const QList<TStationNode*> categories = orvik::categoriesWithStations(tree);
    return categories.value(TPlayback::ClockSeededIndex(int(categories.size())));
}

struct Figures {
    double meanMs = 0;
    double worstMs = 0;
};

template <typename Draw> Figures time(TStationTree* tree, int clicks, Draw draw) {
    Figures f;
    for (int i = 0; i < clicks; ++i) {
        // Clicks come some milliseconds apart, as a user's do.
        QThread::msleep(7);
        QElapsedTimer clock;
        clock.start();
        TStationNode* category = draw(tree);
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        if (!category || category->childCount() == 0)
            std::fprintf(stderr, "a draw landed on no category with stations\n");
        f.meanMs += ms / clicks;
        f.worstMs = std::max(f.worstMs, ms);
    }
    return f;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int clicks = 20;
    int stations = 100000;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--clicks")
            clicks = std::max(1, args[i + 1].toInt());
        else if (args[i] == u"--stations")
            stations = std::max(1, args[i + 1].toInt());
    }

    TStationTree tree;
    TStationModel& model = *tree.stations();
    model.BeginLoad();
    const int filled = kCategories - kCategories / 10;
    for (int c = 0; c < kCategories; ++c) {
        model.AddCategory(std::make_shared<TItem>(), QStringLiteral("Category %1").arg(c), {});
        if (c >= filled)
            continue; // the last tenth stay empty
        for (int s = c; s < stations; s += filled) {
            TStationRow row;
            row.id = s;
            row.text = quint64(model.Texts().size());
            const QByteArray name = QStringLiteral("Station %1").arg(s).toUtf8();
            model.Texts().append(name);
            row.length[TStationRow::Name] = quint32(name.size());
            model.AddStation(c, row);
        }
    }
    model.EndLoad();

    std::printf("Random Channel, %d stations in %d categories (%d with stations), %d clicks\n",
                stations, kCategories, filled, clicks);
    const Figures program = time(&tree, clicks, programDraw);
    const Figures retrying = time(&tree, clicks, retryingDraw);
    std::printf("%-46s mean %9.3f ms   worst %9.3f ms\n", "one draw among categories with stations",
                program.meanMs, program.worstMs);
    std::printf("%-46s mean %9.3f ms   worst %9.3f ms\n",
                "retrying draws, reseeded every millisecond", retrying.meanMs, retrying.worstMs);
    return 0;
}
