// bench_lzh_decode [RUNS]: decoding speed of a skin package of about 600 KB.
//
// The package is made here: 34 BMP pictures of the kinds a skin holds (frame pieces with
// gradients, button strips, shapes on magenta, a textured panel) and a definition INI, packed
// with our packer. It is then decoded RUNS times (default 300); the figure is the median
// output rate. For comparison the plain ring decoder of the tests, which moves one byte at a
// time, decodes the same container a few times.

#include "skin/data/Lzh.h"
#include "skin/data/SkinReader.h"
#include "skin/data/SkinReaderPackage.h"
#include "tests/skinpack/ReferenceLzh.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

QByteArray toBmp(const QImage& image) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return data;
}

QImage gradientPiece(int w, int h, QColor from, QColor to, bool vertical) {
    QImage image(w, h, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, vertical ? 0 : w, vertical ? h : 0);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(image.rect(), g);
    p.setPen(from.darker(180));
    p.drawRect(0, 0, w - 1, h - 1);
    return image;
}

// A strip of `frames` button states side by side on the transparent colour.
QImage buttonStrip(int w, int h, int frames, QColor base) {
    QImage image(w * frames, h, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int f = 0; f < frames; ++f) {
        QLinearGradient g(0, 0, 0, h);
        g.setColorAt(0, base.lighter(100 + 25 * f));
        g.setColorAt(1, base.darker(130));
        QPainterPath path;
        path.addRoundedRect(QRectF(f * w + 1, 1, w - 2, h - 2), 5, 5);
        p.fillPath(path, g);
        p.setPen(base.darker(200));
        p.drawPath(path);
        p.drawLine(f * w + w / 3, h / 2, f * w + 2 * w / 3, h / 2);
    }
    return image;
}

QImage texturedPanel(int w, int h, quint32 seed) {
    QImage image(w, h, QImage::Format_RGB32);
    QRandomGenerator rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int v = 150 + (x * 3 + y * 5) % 40 + int(rng.bounded(6));
            image.setPixel(x, y, qRgb(v, v - 10, v - 30));
        }
    return image;
}

QList<TSkinPackageEntry> makeSkin() {
    QList<TSkinPackageEntry> entries;
    QByteArray ini = "[TitlebarSkin]\r\nSkinName=Bench\r\n";
    auto add = [&](const QString& name, const QImage& image) {
        entries.append({name, toBmp(image)});
        ini += "; " + name.toLatin1() + "\r\n";
    };
    const QColor blue(40, 80, 160), grey(190, 190, 200), green(60, 140, 90);
    add("FrameTop.bmp", gradientPiece(400, 30, blue.lighter(150), blue, true));
    add("FrameBottom.bmp", gradientPiece(400, 8, blue, blue.darker(150), true));
    add("FrameLeft.bmp", gradientPiece(8, 300, blue, blue.darker(130), false));
    add("FrameRight.bmp", gradientPiece(8, 300, blue.darker(130), blue, false));
    add("Title.bmp", gradientPiece(300, 26, grey.lighter(110), grey, true));
    add("Menubar.bmp", gradientPiece(400, 22, grey, grey.darker(115), true));
    add("MenuItem.bmp", buttonStrip(120, 20, 2, grey));
    add("MenuBackground.bmp", texturedPanel(64, 64, 1));
    add("Buttons.bmp", buttonStrip(75, 23, 5, grey));
    add("SysButtons.bmp", buttonStrip(21, 21, 4 * 4, blue));
    add("Close.bmp", buttonStrip(21, 21, 4, QColor(190, 60, 50)));
    add("Max.bmp", buttonStrip(21, 21, 4, blue));
    add("Min.bmp", buttonStrip(21, 21, 4, blue));
    add("CheckBox.bmp", buttonStrip(13, 13, 8, grey));
    add("Radio.bmp", buttonStrip(13, 13, 8, grey));
    add("Combo-Arrows.bmp", buttonStrip(17, 20, 4, grey));
    add("ComboBox.bmp", gradientPiece(120, 22, Qt::white, grey, true));
    add("Edit.bmp", gradientPiece(120, 22, Qt::white, grey.lighter(105), true));
    add("Tabs.bmp", buttonStrip(60, 22, 3, grey));
    add("TabPane.bmp", texturedPanel(120, 120, 2));
    add("GroupBox.bmp", gradientPiece(100, 100, grey.lighter(120), grey, true));
    add("Progress.bmp", gradientPiece(200, 16, grey, grey.darker(110), true));
    add("ProgressChunk.bmp", gradientPiece(10, 14, green.lighter(140), green, true));
    add("Scrollbar.bmp", buttonStrip(17, 17, 12, grey));
    add("HorzScroll.bmp", gradientPiece(100, 17, grey, grey.darker(110), true));
    add("VertScroll.bmp", gradientPiece(17, 100, grey, grey.darker(110), false));
    add("HorzThumb.bmp", buttonStrip(40, 17, 3, grey));
    add("VertThumb.bmp", buttonStrip(17, 40, 3, grey));
    add("ThumbHorz.bmp", buttonStrip(11, 21, 4, blue));
    add("ThumbVert.bmp", buttonStrip(21, 11, 4, blue));
    add("StatusBar.bmp", gradientPiece(400, 22, grey, grey.darker(120), true));
    add("ToolBar.bmp", gradientPiece(400, 30, grey.lighter(110), grey.darker(105), true));
    add("Headerbar.bmp", buttonStrip(80, 20, 3, grey));
    add("Background.bmp", texturedPanel(260, 200, 3));
    entries.append({QStringLiteral("Bench.ini"), ini});
    return entries;
}

double medianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(5, atoi(argv[1])) : 300;

    const auto entries = makeSkin();
    const QByteArray plain = orvik::BuildSkinPackage(entries);
    const QByteArray container = TLZH::PackBytes(plain);
    if (TLZH::UnpackBytes(container) != plain) {
        std::fprintf(stderr, "decoded package differs from the original\n");
        return 1;
    }
    TSkinReader reader;
    if (!reader.LoadPackage(container)) {
        std::fprintf(stderr, "package refused: %s\n", qPrintable(reader.ErrorText()));
        return 1;
    }
    std::printf("package: %d entries, %lld bytes unpacked, %lld bytes packed (%.1f : 1)\n",
                int(entries.size()), qlonglong(plain.size()), qlonglong(container.size()),
                double(plain.size()) / double(container.size()));

    QElapsedTimer timer;
    std::vector<double> seconds;
    qsizetype sink = 0;
    for (int k = 0; k < runs; ++k) {
        timer.start();
        const QByteArray out = TLZH::UnpackBytes(container);
        seconds.push_back(double(timer.nsecsElapsed()) * 1e-9);
        sink += out.size();
    }
    const double median = medianOf(seconds);
    const double best = *std::min_element(seconds.begin(), seconds.end());
    std::printf("TLZH decode:        %d runs, median %.3f ms, %.1f MB/s (best %.1f MB/s)\n", runs,
                median * 1e3, double(plain.size()) / median / 1e6,
                double(plain.size()) / best / 1e6);

    std::vector<double> loadSeconds;
    for (int k = 0; k < runs / 4; ++k) {
        TSkinReader r;
        timer.start();
        r.LoadPackage(container);
        loadSeconds.push_back(double(timer.nsecsElapsed()) * 1e-9);
    }
    std::printf("LoadPackage:        %d runs, median %.3f ms\n", int(loadSeconds.size()),
                medianOf(loadSeconds) * 1e3);

    std::vector<double> plainSeconds;
    const QByteArray stream = container.mid(4);
    for (int k = 0; k < 7; ++k) {
        timer.start();
        sink += reference::decode(stream, qint32(plain.size())).size();
        plainSeconds.push_back(double(timer.nsecsElapsed()) * 1e-9);
    }
    std::printf("byte-at-a-time ring decoder (for comparison): median %.1f MB/s\n",
                double(plain.size()) / medianOf(plainSeconds) / 1e6);
    return sink > 0 ? 0 : 1;
}
