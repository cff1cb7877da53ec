// bench_skin_load [RUNS]: builds a skin package of about 600 KB unpacked (35 entries: BMP
// pictures for every element and a definition naming them all), writes it to a temporary
// .skn file and times SkinFile = that file until the skin is built, RUNS times (default 200).
// Prints the median and the spread, and the median of each step on its own: unpacking and
// indexing the package, parsing the definition, building the elements. Then the hostile
// packages beside the ordinary one: wall time and peak resident memory of each load.

#include "skin/data/QuickIni.h"
#include "skin/data/SkinData.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinReaderPackage.h"
#include "tests/common/ResourceMeter.h"
#include "tests/skindata/HostileSkins.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A skin-like picture: a gradient, a frame line per frame and some magenta, so that it packs
// about as well as drawn skin pictures do.
QByteArray picture(int width, int height, int frames, int seed) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, height);
    g.setColorAt(0, QColor::fromHsv((seed * 37) % 360, 90, 230));
    g.setColorAt(1, QColor::fromHsv((seed * 37 + 40) % 360, 160, 120));
    p.fillRect(image.rect(), g);
    const int fw = std::max(1, width / std::max(1, frames));
    for (int k = 0; k < frames; ++k) {
        p.setPen(QColor::fromHsv((seed * 53 + k * 30) % 360, 200, 90));
        p.drawRect(k * fw, 0, fw - 1, height - 1);
        p.fillRect(k * fw, 0, 2, 2, QColor(255, 0, 255));
    }
    for (int i = 0; i < width * height / 60; ++i)
        image.setPixel((i * 7919 + seed) % width, (i * 104729) % height, qRgb(i % 256, 40, 90));
    p.end();
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return data;
}

struct Pic {
    const char* section;
    const char* key;
    const char* file;
    int width, height, frames;
};

QByteArray buildPackage(qint64* unpacked) {
    const Pic pics[] = {
        {"Personality", "Top", "frametop.bmp", 640, 60, 2},
        {"Personality", "Bottom", "framebottom.bmp", 640, 16, 2},
        {"Personality", "Left", "frameleft.bmp", 16, 480, 2},
        {"Personality", "Right", "frameright.bmp", 16, 480, 2},
        {"Personality", "menuBar", "menubar.bmp", 320, 44, 2},
        {"Personality", "TextBack", "textback.bmp", 240, 44, 1},
        {"Buttons", "Bitmap", "buttons.bmp", 375, 23, 5},
        {"Buttons", "CheckButton", "check.bmp", 104, 13, 8},
        {"Buttons", "RadioButton", "radio.bmp", 104, 13, 8},
        {"MDICONTROLS", "Image", "mdi.bmp", 192, 16, 12},
        {"ButtonClose", "ButtonImage", "close.bmp", 60, 21, 3},
        {"ButtonMax", "ButtonImage", "max.bmp", 60, 21, 3},
        {"ButtonMin", "ButtonImage", "min.bmp", 60, 21, 3},
        {"ButtonHelp", "ButtonImage", "help.bmp", 60, 21, 3},
        {"Progress", "Bitmap", "progress.bmp", 40, 20, 2},
        {"Progress.Chunk", "Image", "chunk.bmp", 10, 16, 1},
        {"GroupBoxEdge", "Image", "groupedge.bmp", 60, 30, 2},
        {"GroupBox", "Image", "groupbox.bmp", 60, 20, 1},
        {"Tabs", "Image", "tabs.bmp", 300, 24, 5},
        {"Tabs", "Border", "tabborder.bmp", 24, 24, 1},
        {"StatusBarEdges", "Image", "status.bmp", 60, 20, 3},
        {"Tab.Pane", "Image", "pane.bmp", 30, 30, 1},
        {"ToolBars", "Image", "toolbars.bmp", 250, 24, 5},
        {"ComboButton", "Image", "combobutton.bmp", 68, 21, 4},
        {"SunkEdge", "Image", "sunkedge.bmp", 80, 21, 4},
        {"ExtraImages", "Image", "extra.bmp", 80, 16, 5},
        {"Headerbar", "Image", "header.bmp", 250, 20, 5},
        {"MenuItem", "Image", "menuitem.bmp", 250, 20, 5},
        {"MenuBackground", "Image", "menuback.bmp", 256, 256, 1},
        {"Scrollbar", "Image", "scrollbar.bmp", 391, 17, 23},
        {"HorzScroll", "Image", "hscroll.bmp", 68, 17, 4},
        {"VertScroll", "Image", "vscroll.bmp", 68, 17, 4},
        {"HorzScrollThumb", "Image", "hthumb.bmp", 51, 17, 3},
        {"Trackbar.ThumbHorz", "Image", "thumb.bmp", 55, 20, 5},
    };
    QList<TSkinPackageEntry> entries;
    QStringList ini{"[TitlebarSkin]",   "SkinName=Bench",     "[Colours]", "ButtonFace=212 208 200",
                    "ButtonText=0 0 0", "Hilight=49 106 197", "[Colour0]", "color=0 0 0",
                    "[Colour1]",        "color=255 255 255",  "[Fonts]",   "FontHeight=14"};
    QString current;
    int seed = 0;
    for (const Pic& pic : pics) {
        if (current != QLatin1String(pic.section)) {
            current = QLatin1String(pic.section);
            ini << QStringLiteral("[%1]").arg(current) << "LeftWidth=3"
                << "RightWidth=3"
                << "TopHeight=3"
                << "BottomHeight=3"
                << "Trans=1";
        }
        ini << QStringLiteral("%1=%2").arg(QLatin1String(pic.key), QLatin1String(pic.file));
        if (QLatin1String(pic.key) == QLatin1String("ButtonImage"))
            ini << QStringLiteral("Action=%1").arg(seed % 3) << "Align=1"
                << "Xcoord=30";
        entries.append(
            {QString::fromLatin1(pic.file), picture(pic.width, pic.height, pic.frames, ++seed)});
    }
    entries.prepend({QStringLiteral("Bench.ini"), ini.join(QStringLiteral("\r\n")).toLatin1()});
    *unpacked = orvik::BuildSkinPackage(entries).size();
    return orvik::PackSkinPackage(entries);
}

// A definition of about 300 KB that a skin may well have: a thousand colours and thousands of
// sections the engine does not read.
QByteArray largeDefinition() {
    QByteArray ini = "[TitlebarSkin]\r\nSkinName=Large\r\n";
    for (int i = 0; i < 1000; ++i)
        ini += "[Colour" + QByteArray::number(i) + "]\r\ncolor=1 2 3\r\n";
    for (int i = 0; ini.size() < 300 * 1024; ++i)
        ini += "[Layout" + QByteArray::number(i) + "]\r\nLeft=10\r\nTop=20\r\nName=panel\r\n";
    return hostile::pack(ini);
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double threadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Wall-clock and CPU time of each run: on a busy machine the wall clock also counts the time
// the thread waited for a processor.
struct Times {
    std::vector<double> wall, cpu;
};

Times timeRuns(int runs, const std::function<void()>& step) {
    Times t;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        const double cpu0 = threadCpuMs();
        timer.start();
        step();
        t.wall.push_back(double(timer.nsecsElapsed()) / 1e6);
        t.cpu.push_back(threadCpuMs() - cpu0);
    }
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 200;

    qint64 unpacked = 0;
    const QByteArray container = buildPackage(&unpacked);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.skn"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(container) != container.size())
        return 1;
    file.close();

    TSkinData skin;
    QString failure;
    skin.SetErrorHook([&](const QString& e) { failure = e; });
    skin.SetSkinFile(path); // warm-up
    if (skin.Loading()) {
        std::fprintf(stderr, "the bench skin did not load: %s\n", qPrintable(failure));
        return 1;
    }

    const Times whole = timeRuns(runs, [&] { skin.SetSkinFile(path); });
    TSkinReader reader;
    const Times unpack = timeRuns(runs, [&] { reader.LoadPackage(QByteArrayView(container)); });
    QByteArray definition;
    QString name;
    reader.FindEntry(QStringLiteral(".ini"), definition, name);
    TQuickIni ini;
    const Times parse = timeRuns(runs, [&] { ini.LoadFromText(definition); });
    const Times build = timeRuns(runs, [&] { skin.ApplyDefinition(ini, reader); });

    std::printf("package: %d entries, %lld bytes unpacked, %lld bytes packed\n",
                reader.EntryCount(), static_cast<long long>(unpacked),
                static_cast<long long>(container.size()));
    std::printf("SkinFile to a built skin, %d runs (goal 15 ms):\n", runs);
    std::printf("  wall clock: median %.2f ms (min %.2f, max %.2f)\n", median(whole.wall),
                *std::min_element(whole.wall.begin(), whole.wall.end()),
                *std::max_element(whole.wall.begin(), whole.wall.end()));
    std::printf("  CPU time:   median %.2f ms\n", median(whole.cpu));
    std::printf("steps, median wall / CPU:\n");
    std::printf("  unpack and index: %.2f / %.2f ms\n", median(unpack.wall), median(unpack.cpu));
    std::printf("  parse definition: %.3f / %.3f ms\n", median(parse.wall), median(parse.cpu));
    std::printf("  build elements:   %.2f / %.2f ms\n", median(build.wall), median(build.cpu));

    // Each case in a component of its own, from a file, as the Skins menu loads it.
    struct Case {
        const char* name;
        QByteArray container;
    };
    const Case cases[] = {{"ordinary skin (above)", container},
                          {"amplifier, 30 x 5792x5792", hostile::amplifier()},
                          {"100,000 colour sections", hostile::colourSections(100'000)},
                          {"20,000 caption buttons", hostile::manyCaptionButtons(20'000)},
                          {"300 KB definition", largeDefinition()}};
    std::printf("hostile packages, one load each from a file, median of 5 (goal: at most 100 ms "
                "and 100 MB above the ordinary skin):\n");
    std::printf("  %-26s %9s %8s %10s %12s  %s\n", "package", "bytes", "ms", "peak MiB",
                "above ord.", "outcome");
    double ordinaryMs = 0;
    qint64 ordinaryMiB = 0;
    for (const Case& c : cases) {
        const QString casePath = dir.filePath(QStringLiteral("case.skn"));
        QFile caseFile(casePath);
        if (!caseFile.open(QIODevice::WriteOnly) ||
            caseFile.write(c.container) != c.container.size())
            return 1;
        caseFile.close();
        std::vector<double> ms;
        qint64 peak = 0;
        QString outcome;
        for (int i = 0; i < 5; ++i) {
            TSkinData fresh;
            QString error;
            fresh.SetErrorHook([&](const QString& e) { error = e; });
            const ResourceMeter meter;
            QElapsedTimer timer;
            timer.start();
            fresh.SetSkinFile(casePath);
            ms.push_back(double(timer.nsecsElapsed()) / 1e6);
            peak = std::max(peak, meter.peakAboveStartMiB());
            outcome = fresh.Loading() ? QStringLiteral("refused: ") + error
                      : fresh.RefusedPictures().isEmpty()
                          ? QStringLiteral("loaded")
                          : QStringLiteral("loaded without: ") + fresh.RefusedPictures().join("; ");
        }
        const double m = median(ms);
        if (&c == &cases[0]) {
            ordinaryMs = m;
            ordinaryMiB = peak;
        }
        std::printf("  %-26s %9lld %8.1f %10lld %5.1f ms %3lld MiB  %s\n", c.name,
                    static_cast<long long>(c.container.size()), m, static_cast<long long>(peak),
                    m - ordinaryMs, static_cast<long long>(peak - ordinaryMiB),
                    qPrintable(outcome.left(110)));
    }
    return 0;
}
