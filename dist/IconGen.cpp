// Draws the program's icon for the desktop's icon theme:
//
//   orvik-icongen <folder> <size>...
//
// writes <folder>/hicolor/<size>x<size>/apps/orvik.png for every size, each drawn for its own
// pixel grid, and <folder>/hicolor/scalable/apps/orvik.svg from the same art.
#include "tray/AppIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

namespace {

bool writeSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Orvik"));
    svg.setDescription(QStringLiteral("A television sending out radio waves"));
    QPainter p;
    if (!p.begin(&svg))
        return false;
    PaintOrvikIcon(p);
    return p.end();
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: orvik-icongen <folder> <size>...\n");
        return 2;
    }
    const QString root = args[1] + QStringLiteral("/hicolor/");
    for (const QString& arg : args.mid(2)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "orvik-icongen: not an icon size: %s\n", qPrintable(arg));
            return 2;
        }
        const QString folder = root + QStringLiteral("%1x%1/apps").arg(size);
        const QString file = folder + QStringLiteral("/orvik.png");
        if (!QDir().mkpath(folder) || !OrvikIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "orvik-icongen: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    const QString scalable = root + QStringLiteral("scalable/apps");
    if (!QDir().mkpath(scalable) || !writeSvg(scalable + QStringLiteral("/orvik.svg"))) {
        std::fprintf(stderr, "orvik-icongen: cannot write %s/orvik.svg\n", qPrintable(scalable));
        return 1;
    }
    return 0;
}
