// bench_frame [RUNS]: the median time to lay out and compose a whole skinned window frame
// (borders, title bar, caption text on its plate, caption buttons) and to build its outline,
// at 1280 x 800 and 1920 x 1080, for every skin in the build's skins folder. The composer keeps
// its picture from one run to the next, as a window does while it is redrawn at one size; the
// outline is built anew every run, as after a resize.

#include "skin/data/SkinData.h"
#include "skin/draw/FrameGeometry.h"
#include "skin/draw/FrameOutline.h"
#include "skin/draw/FramePaint.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

template <typename F> double timeMs(int runs, F&& f) {
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        f(i);
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;
    QTextStream out(stdout);
    const QDir dir(QStringLiteral(ORVIK_BUILD_DIR "/skins"));
    const QStringList files = dir.entryList({QStringLiteral("*.skn")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        out << "no skins in " << dir.path() << "\n";
        return 1;
    }
    out << "median of " << runs << " runs, milliseconds\n";
    out << qSetFieldWidth(12) << Qt::left << "skin"
        << "size"
        << "compose"
        << "outline"
        << "rects" << qSetFieldWidth(0) << "\n";
    for (const QString& file : files) {
        TSkinData skin;
        skin.SetSkinFile(dir.filePath(file));
        if (skin.Loading()) {
            out << file << ": cannot be loaded\n";
            return 1;
        }
        for (QSize size : {QSize(1280, 800), QSize(1920, 1080)}) {
            orvik::TFrameState state;
            state.size = size;
            const QString caption = QStringLiteral("Orvik - Radio Nord - 128 kbit/s");
            orvik::TFrameComposer composer;
            const double compose = timeMs(runs, [&](int i) {
                // Alternating hot buttons, as under a moving mouse.
                state.active = i % 8 != 7;
                const orvik::TFrameLayout layout =
                    orvik::LayoutFrame(skin, state, caption, skin.CaptionFont(), true);
                orvik::TFrameLook look;
                look.hotButton = i % std::max<qsizetype>(1, layout.buttons.size());
                look.hotLook = orvik::TButtonLook::Hot;
                composer.Compose(skin, layout, skin.CaptionFont(), look);
            });
            state.active = true;
            int rects = 0;
            const double outline = timeMs(runs, [&](int) {
                const QRegion r = orvik::FrameOutline(skin, state);
                rects = r.rectCount();
            });
            out << qSetFieldWidth(12) << Qt::left << skin.SkinName()
                << QStringLiteral("%1x%2").arg(size.width()).arg(size.height())
                << QString::number(compose, 'f', 3) << QString::number(outline, 'f', 3) << rects
                << qSetFieldWidth(0) << "\n";
        }
    }
    return 0;
}
